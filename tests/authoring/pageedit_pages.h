#pragma once
// Pages for the page editor tests, as the editor sees a file: lines ended by CR LF.
#include "testutil.h"

#include "authoring/pageformat.h"
#include "authoring/pagereader.h"
#include "authoring/styleblock.h"
#include "commands/textfile.h"

#include <QString>

namespace pageedit {

// Text as read back from a file: every line break becomes CR LF, the last line ended too.
inline QString asFileText(const QString &text)
{
    QString out;
    for (const QString &line : sorvek::splitLines(text))
        out += line + QStringLiteral("\r\n");
    return out;
}

// A page as the templates make it, with the given title, style and note section content.
inline QString page(const QString &title, const QString &note, int style = 1)
{
    using namespace sorvek::pageformat;
    const QString body = kHeaderIn + kHeaderOut + kCr + kNoteIn + note + kNoteOut + kCr + kFooterIn + kFooterOut
        + kCr + pageEnd();
    return asFileText(buildPageHead(title, sorvek::buildStyleBlock(style)) + body);
}

inline QString note(const QString &noteContent)
{
    return page(QStringLiteral("T"), noteContent);
}

inline sorvek::PageEditFields read(const QString &pageText, const QString &folder = QString())
{
    return sorvek::readPageForEditing(pageText, sorvek::PageTextOrigin::Given, {folder, {}}).fields;
}

} // namespace pageedit
