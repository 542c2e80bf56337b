#include "book/pagebuttonface.h"

#include "book/levelstack.h"
#include "book/pagelocation.h"
#include "book/pagetitles.h"
#include "commands/textfile.h"
#include "commands/texthelpers.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace sorvek {

namespace {

constexpr int GlyphCaptionWidth = 12;
constexpr int PlainCaptionWidth = 16;

// The "#" that starts a caption's second line; the "#" of a numeric reference ("&#12354;") is none.
qsizetype lineBreakIn(const QString &text)
{
    static const QRegularExpression numericReference(QStringLiteral("^&#([0-9]{1,7}|[xX][0-9a-fA-F]{1,6});"));
    qsizetype hash = text.indexOf(QLatin1Char('#'));
    while (hash > 0 && text.at(hash - 1) == QLatin1Char('&')
           && numericReference.match(text.mid(hash - 1, 12)).hasMatch())
        hash = text.indexOf(QLatin1Char('#'), hash + 1);
    return hash;
}

} // namespace

QString decodeTitleEntities(const QString &text)
{
    static const QHash<QString, QChar> named{{QStringLiteral("lt"), QLatin1Char('<')},
                                             {QStringLiteral("gt"), QLatin1Char('>')},
                                             {QStringLiteral("amp"), QLatin1Char('&')},
                                             {QStringLiteral("quot"), QLatin1Char('"')},
                                             {QStringLiteral("apos"), QLatin1Char('\'')},
                                             {QStringLiteral("nbsp"), QChar(0xa0)}};
    constexpr qsizetype LongestEntity = 10;
    QString result;
    result.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype semicolon = text.at(i) == QLatin1Char('&') ? text.indexOf(QLatin1Char(';'), i + 1) : -1;
        if (semicolon < 0 || semicolon - i > LongestEntity) {
            result += text.at(i++);
            continue;
        }
        const QString name = text.mid(i + 1, semicolon - i - 1);
        bool ok = false;
        char32_t code = 0;
        if (name.startsWith(QLatin1String("#x")) || name.startsWith(QLatin1String("#X")))
            code = name.mid(2).toUInt(&ok, 16);
        else if (name.startsWith(QLatin1Char('#')))
            code = name.mid(1).toUInt(&ok, 10);
        if (ok && code > 0 && code <= 0x10ffff && (code < 0xd800 || code > 0xdfff)) {
            result += QString::fromUcs4(&code, 1);
        } else if (named.contains(name)) {
            result += named.value(name);
        } else {
            result += text.at(i++);  // not an entity: the "&" stands for itself
            continue;
        }
        i = semicolon + 1;
    }
    return result;
}

PageButtonFace PageButtonFace::forNewButton(const QString &title, int i, const QString &topFolder)
{
    return PageButtonFace(unescapeAngles(title), i, topFolder, false);
}

PageButtonFace PageButtonFace::forRefresh(const QString &title, int i, const QString &topFolder)
{
    // The page file holds the title as written in HTML; the button shows what the browser would.
    return PageButtonFace(unescapeAngles(title), i, topFolder, true);
}

PageButtonFace::PageButtonFace(const QString &title, int i, const QString &topFolder, bool refresh)
{
    QString text = title;
    const int width = readGlyph(text) ? GlyphCaptionWidth : PlainCaptionWidth;
    readHint(text, i, refresh);
    const qsizetype hash = lineBreakIn(text);
    if (hash < 0)
        captionLines_ = {padCaption(decodeTitleEntities(text), width)};
    else
        captionLines_ = {padCaption(decodeTitleEntities(text.left(hash)), PlainCaptionWidth),
                         padCaption(decodeTitleEntities(text.mid(hash + 1)), PlainCaptionWidth)};
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
    hint_ = QString::number(i + 1) + QLatin1Char(' ') + decodeTitleEntities(text.mid(mark + 1));
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
