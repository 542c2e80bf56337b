#include "print/pagemark.h"

#include "authoring/concat.h"
#include "authoring/pagetitle.h"
#include "book/pagelocation.h"
#include "commands/textfile.h"
#include "commands/texthelpers.h"

namespace sorvek {

namespace {

const QString kMark = QStringLiteral("\"!\"");

struct TitleSplit {
    QStringView head;
    QStringView title;
    QStringView rest;
};

// Head, title and rest of a page around its TITLE element (see pageTextWithMark).
TitleSplit splitAtTitle(QStringView text)
{
    const qsizetype open = text.indexOf(u"<TITLE", 0, Qt::CaseInsensitive);
    if (open < 0) {
        const qsizetype headTag = text.indexOf(u"<HEAD", 0, Qt::CaseInsensitive);
        if (headTag < 0)
            return {text.first(0), {}, text};
        const qsizetype end = text.indexOf(u'>', headTag);
        const qsizetype cut = end < 0 ? text.size() : end + 1;
        return {text.first(cut), {}, text.sliced(cut)};
    }
    const qsizetype tagEnd = text.indexOf(u'>', open);
    const qsizetype titleStart = tagEnd < 0 ? open + 6 : tagEnd + 1;
    const qsizetype close = text.indexOf(u"</TITLE", titleStart, Qt::CaseInsensitive);
    // A title without its end tag: the text after the start tag stays as it is.
    if (close < 0)
        return {text.first(open), {}, text.sliced(titleStart)};
    const qsizetype closeEnd = text.indexOf(u'>', close);
    const qsizetype restStart = closeEnd < 0 ? close + 7 : closeEnd + 1;
    return {text.first(open), text.sliced(titleStart, close - titleStart), text.sliced(restStart)};
}

QString withoutMark(const QString &title)
{
    return title.startsWith(kMark) ? title.mid(kMark.size()) : title;
}

// A title whose glyph is a picture file keeps it: the mark would take the picture's place on the
// button for good. Every picture type the page buttons show counts, not only BMP; a caption that
// merely mentions ".PNG" has no picture glyph. A mark in front of the picture is not counted.
bool holdsPictureGlyph(const QString &title)
{
    static const QLatin1String pictures[] = {QLatin1String(".BMP"), QLatin1String(".PNG"), QLatin1String(".GIF"),
                                             QLatin1String(".JPG"), QLatin1String(".JPEG")};
    const QString glyph = parsePageTitle(withoutMark(title)).glyph;
    for (const QLatin1String &extension : pictures) {
        if (glyph.endsWith(extension, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

QString markedTitle(const QString &title, bool on, const QString &label)
{
    if (holdsPictureGlyph(title))
        return on ? title : withoutMark(title);
    QString result = title.mid(title.lastIndexOf(QLatin1Char('"')) + 1);
    if (!on)
        return result;
    if (result.isEmpty())
        result = escapeAngles(label);
    return kMark + result;
}

QString pageTextWithMark(const QString &text, bool on, const QString &label)
{
    const TitleSplit split = splitAtTitle(text);
    const QString title = markedTitle(split.title.toString(), on, label);
    return concat({split.head, u"<TITLE>", title, u"</TITLE>", split.rest});
}

QString PageMarkResult::message() const
{
    switch (status) {
    case Status::ReadError:
        return QStringLiteral("ページを読めません: ") + error + QStringLiteral("。");
    case Status::WriteError:
        return QStringLiteral("〆マークを保存できません: ") + error + QStringLiteral("。ページはそのままです。");
    case Status::KeptPicture:
        return QStringLiteral("題名の絵 (") + error
            + QStringLiteral(") がボタンから消えるので、このページには〆マークをつけられません。ページはそのままです。");
    default:
        return QString();
    }
}

PageMarkResult setPageMark(const QString &pageRef, const QString &topFolder, const QString &label, bool on)
{
    const std::optional<QString> path = pageFilePath(pageRef, topFolder);
    if (!path || pageRef.contains(QLatin1String("http:"), Qt::CaseInsensitive))
        return {PageMarkResult::Status::Skipped, {}, {}};
    const ReadResult read = readPageToRewrite(*path);
    if (!read)
        return {PageMarkResult::Status::ReadError, *path, read.error};
    const QString title = splitAtTitle(read.text).title.toString();
    if (on && holdsPictureGlyph(title) && !title.startsWith(kMark))
        return {PageMarkResult::Status::KeptPicture, *path, parsePageTitle(title).glyph};
    const WriteResult written = writePageText(*path, pageTextWithMark(read.text, on, label));
    if (!written)
        return {PageMarkResult::Status::WriteError, *path, written.error};
    return {PageMarkResult::Status::Written, *path, {}};
}

} // namespace sorvek
