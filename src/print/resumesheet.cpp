#include "print/resumesheet.h"

#include "authoring/pageformat.h"
#include "commands/textfile.h"
#include "print/printdocument.h"

namespace sorvek {

QString resumeTitle(QStringView pageText)
{
    const qsizetype open = pageText.indexOf(u"<TITLE>", 0, Qt::CaseInsensitive);
    if (open <= 0 || !pageText.contains(pageformat::kDoctypeMark))
        return QString();
    const qsizetype start = open + 7;
    const qsizetype close = pageText.indexOf(u"</", start);
    return close < 0 ? QString() : pageText.sliced(start, close - start).toString();
}

QString resumeMemoHtml(const QString &memoText)
{
    QString html;
    for (const QString &line : splitLines(memoText))
        html += line + QStringLiteral("<BR>");
    return html;
}

namespace {

// A file name as the relative address of an IMG: the characters that end or change an address,
// or the attribute, are percent-encoded; every other character stays as written.
QString pictureAddress(const QString &fileName)
{
    static const QString special = QStringLiteral("%#?\"&<>'\\ ");
    QString address;
    for (const QChar c : fileName) {
        if (special.contains(c) || c.unicode() < 0x20)
            address += QString::fromLatin1(QByteArray(1, char(c.unicode())).toPercentEncoding());
        else
            address += c;
    }
    return address;
}

} // namespace

void ResumeSheet::addPage(const QString &title, const QString &memoHtml, const QString &pictureName)
{
    body_ += QStringLiteral("<TABLE border=\"1\" width=\"645\">\r<TBODY>\r");
    if (rows_ > 0 && rows_ % 5 == 0)
        body_ += QStringLiteral("<TR>\r<TD valign=\"top\"></TD>\r<TD valign=\"top\"></TD>\r</TR>\r");
    ++rows_;
    body_ += QStringLiteral("<TR>\r<TD valign=\"top\"> \r<P><IMG src=\"") + pictureAddress(pictureName)
        + QStringLiteral("\" width=\"299\" height=\"182\" border=\"0\"></P> \r</TD>\r"
                         "<TD valign=\"top\" width=\"328\">[")
        + title + QStringLiteral("]<BR>") + memoHtml
        + QStringLiteral(" </TD>\r</TR>\r</TBODY> \r</TABLE>\r");
}

QString ResumeSheet::document() const
{
    return printDocumentHead(QStringLiteral("RESUME"), QStringLiteral("UTF-8")) + body_ + printDocumentTail()
        + QLatin1Char('\r');
}

} // namespace sorvek
