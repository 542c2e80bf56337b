#include "book/pagebuttonface.h"

#include "book/levelstack.h"
#include "book/pagelocation.h"
#include "book/pagetitles.h"
#include "commands/textfile.h"
#include "commands/texthelpers.h"

#include <QFileInfo>

namespace sorvek {

namespace {

constexpr int GlyphCaptionWidth = 12;
constexpr int PlainCaptionWidth = 16;

} // namespace

PageButtonFace PageButtonFace::forNewButton(const QString &title, int i, const QString &topFolder)
{
    return PageButtonFace(unescapeAngles(title), i, topFolder, false);
}

PageButtonFace PageButtonFace::forRefresh(const QString &title, int i, const QString &topFolder)
{
    return PageButtonFace(title, i, topFolder, true);
}

PageButtonFace::PageButtonFace(const QString &title, int i, const QString &topFolder, bool refresh)
{
    QString text = title;
    const int width = readGlyph(text) ? GlyphCaptionWidth : PlainCaptionWidth;
    readHint(text, i, refresh);
    const qsizetype hash = text.indexOf(QLatin1Char('#'));
    if (hash < 0)
        captionLines_ = {padCaption(text, width)};
    else
        captionLines_ = {padCaption(text.left(hash), PlainCaptionWidth),
                         padCaption(text.mid(hash + 1), PlainCaptionWidth)};
    readPicture(topFolder);
}

bool PageButtonFace::readGlyph(QString &text)
{
    const qsizetype first = text.indexOf(QLatin1Char('"'));
    const qsizetype second = first < 0 ? -1 : text.indexOf(QLatin1Char('"'), first + 1);
    if (second < 0)
        return false;  // a single double quote stays in the caption
    glyphName_ = text.mid(first + 1, second - first - 1);
    text = text.mid(second + 1);
    return true;
}

void PageButtonFace::readHint(QString &text, int i, bool refresh)
{
    const qsizetype mark = text.indexOf(QLatin1Char('?'));
    if (mark < 0) {
        if (!refresh)
            hint_ = QString::number(i + 1);
        return;
    }
    hint_ = QString::number(i + 1) + QLatin1Char(' ') + text.mid(mark + 1);
    text.truncate(mark);
}

void PageButtonFace::readPicture(const QString &topFolder)
{
    if (glyphName_.isEmpty())
        return;
    const QString path = topFolder + toSlashes(glyphName_);
    if (QFileInfo(path).isFile()) {
        picture_ = Picture::GlyphFile;
        glyphPath_ = path;
    } else {
        picture_ = Picture::ImageList;
    }
}

QString refreshedButtonTitle(const QString &pageRef, const QString &topFolder, const QString &storedTitle)
{
    const std::optional<QString> path = pageFilePath(pageRef, topFolder);
    if (path && QFileInfo(*path).isFile()) {
        const ReadResult read = readPageText(*path);
        if (read)
            return buttonTitleFromText(read.text).value_or(titleFromFileName(pageRef));
    }
    return unescapeAngles(storedTitle);
}

std::optional<PageButtonFace> refreshedPageButtonFace(const LevelStack &levels, int i)
{
    if (i < 0 || i >= levels.pageCount() || i >= levels.titleList().size())
        return std::nullopt;
    const QString title = refreshedButtonTitle(levels.pageReference(i), levels.topFolder(), levels.title(i));
    return PageButtonFace::forRefresh(title, i, levels.topFolder());
}

} // namespace sorvek
