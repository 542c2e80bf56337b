#include "authoring/lookautolink.h"

#include "authoring/pageformat.h"
#include "authoring/pagesave.h"
#include "commands/texthelpers.h"
#include "tools/searchrules.h"

namespace sorvek {

namespace {

constexpr auto CI = Qt::CaseInsensitive;

qsizetype find(const QString &text, QStringView what, qsizetype from)
{
    return text.indexOf(what, from, CI);
}

// The inside-link test on R = text[r..]: when the first occurrence of the word after the start of
// the first link in R lies inside that link or a later one, where R passes on (after the ">" of
// its "</A"); -1 otherwise.
qsizetype endOfLinkAround(const QString &text, qsizetype r, const QString &word)
{
    const qsizetype a = find(text, u"<A HREF=", r);
    if (a < 0)
        return -1;
    const qsizetype w = find(text, word, a + 1);
    if (w < 0)
        return -1;
    const qsizetype e = find(text, u"</A", w + 1);
    if (e < 0)
        return -1;
    const qsizetype nextStart = find(text, u"<A", w + 1);
    if (nextStart >= 0 && nextStart < e)
        return -1;
    const qsizetype gt = text.indexOf(u'>', e);
    return gt < 0 ? text.size() : gt + 1;
}

// Whether the occurrence ending at after lies in an attribute value or inside a tag.
bool insideTag(const QString &text, qsizetype after)
{
    const qsizetype q = text.indexOf(u'"', after);
    const qsizetype l = text.indexOf(u'<', after);
    const qsizetype g = text.indexOf(u'>', after);
    if (q >= 0 && l >= 0 && q < l)
        return true;
    return g >= 0 && (l < 0 || g < l);
}

// The word rule on R = text[r..], moving what it has passed into out. Returns the new r.
qsizetype linkWord(const QString &text, qsizetype r, const QString &word, QString &out)
{
    for (;;) {
        const qsizetype p = find(text, word, r);
        if (p < 0)
            return r;
        const qsizetype linkEnd = endOfLinkAround(text, r, word);
        if (linkEnd >= 0) {
            out += QStringView(text).sliced(r, linkEnd - r);
            r = linkEnd;
            continue;
        }
        const qsizetype after = p + word.size();
        if (insideTag(text, after)) {
            out += QStringView(text).sliced(r, after - r);
        } else {
            out += QStringView(text).sliced(r, p - r);
            out += pageformat::makeLookLink(word);
        }
        r = after;
    }
}

// The text before the first "</TITLE>" and then before the first "</HEAD>": never linked.
qsizetype headLength(const QString &text)
{
    qsizetype cut = 0;
    const qsizetype title = find(text, u"</TITLE>", 0);
    if (title >= 0)
        cut = title;
    const qsizetype head = find(text, u"</HEAD>", cut);
    if (head >= 0)
        cut = head;
    return cut;
}

} // namespace

QStringList lookTitleWords(const QString &title)
{
    // A link runs the LOOK command, which finds a page by its title without the glyph prefix (the
    // 〆 mark included) and the hint: only words of that title can find the page again.
    return escapeAngles(lookSearchTitle(title)).split(u'/', Qt::SkipEmptyParts);
}

QString unwrapLookLinks(const QString &text)
{
    const QString &start = pageformat::kLookLinkStart;
    QString t = text;
    qsizetype from = 0;
    for (;;) {
        const qsizetype p = find(t, start, from);
        if (p < 0)
            break;
        const qsizetype gt = t.indexOf(u'>', p);
        if (gt < 0)
            break; // a start tag cut off at the end of a damaged page stays as it is
        t.remove(p, gt - p + 1);
        const qsizetype close = find(t, u"</A>", p);
        if (close >= 0)
            t.remove(close, 4);
        // The cut may join text before it into a new start tag: look again just before it.
        from = qMax<qsizetype>(0, p - start.size() + 1);
    }
    return t;
}

QString linkTitleWords(const QString &text, const QStringList &words)
{
    QString out;
    qsizetype r = 0;
    for (const QString &word : words)
        r = linkWord(text, r, word, out);
    if (r == 0)
        return text;
    out += QStringView(text).sliced(r);
    return out;
}

QString lookAutoLink(LookLinkMode mode, const QString &text, const LookTitleIndex &index)
{
    const QString unwrapped = unwrapLookLinks(text);
    if (mode == LookLinkMode::Remove)
        return unwrapped;
    const qsizetype head = headLength(unwrapped);
    QString body = unwrapped.mid(head);
    const QString self = index.currentPagePath.toUpper();
    const qsizetype count = qMin(index.relativePaths.size(), index.titles.size());
    for (qsizetype k = count - 1; k >= 0; --k) {
        if ((index.bookFolder + u'/' + index.relativePaths.at(k)).toUpper() == self)
            continue;
        const QStringList words = lookTitleWords(index.titles.at(k));
        if (!words.isEmpty())
            body = linkTitleWords(body, words);
    }
    return unwrapped.left(head) + body;
}

QString LookFileRewrite::message() const
{
    if (!read.ok)
        return QStringLiteral("ページを読めません: ") + read.error + QStringLiteral("。ページはそのままです。");
    if (!write.ok)
        return QStringLiteral("ページを保存できません: ") + write.error + QStringLiteral("。ページはそのままです。");
    return QString();
}

LookFileRewrite rewriteLookLinks(const QString &pagePath, LookLinkMode mode, const LookTitleIndex &index)
{
    LookFileRewrite result;
    result.read = readPageToRewrite(pagePath);
    if (!result.read.ok)
        return result;
    const QString &text = result.read.text;
    result.write = writePageText(pagePath, mode == LookLinkMode::Add ? linkOutsideScripts(text, index)
                                                                     : lookAutoLink(mode, text, index));
    return result;
}

} // namespace sorvek
