#include "authoring/lookautolink.h"

#include "authoring/pageformat.h"
#include "authoring/pagesave.h"
#include "authoring/titlelinker.h"
#include "commands/texthelpers.h"
#include "authoring/wordautomaton.h"
#include "tools/searchrules.h"

#include <QHash>

#include <algorithm>
#include <climits>
#include <vector>

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
    // Most titles hold none of the characters the rule looks for: they are their own one word,
    // without the strings in between (a book has thousands of titles).
    const auto plain = [](QChar c) { return c != u'"' && c != u'?' && c != u'#' && c != u'<' && c != u'>' && c != u'/'; };
    if (std::all_of(title.begin(), title.end(), plain))
        return title.isEmpty() ? QStringList() : QStringList{title};
    return escapeAngles(lookSearchTitle(title)).split(u'/', Qt::SkipEmptyParts);
}

namespace {

// Each cut may join the text around it into a new start tag or a new "</A>", so the cuts are made
// on a linked list of the characters: every search goes on where the last one stopped (a start
// tag from just before the cut, a "</A>" from the last one found), and a page with a hundred
// thousand links is read a few times, not once per link. Node is wide enough for the text.
template<typename Node>
QString unwrapOnList(const QString &text)
{
    const qsizetype n = text.size();
    const QString start = pageformat::kLookLinkStart.toCaseFolded();
    const QString close = QStringLiteral("</a>");
    const Node head = 0;
    const Node tail = Node(n) + 1; // node k + 1 holds text[k]
    std::vector<Node> next(size_t(n) + 2), prev(size_t(n) + 2);
    for (Node k = 0; k <= Node(n); ++k) {
        next[size_t(k)] = k + 1;
        prev[size_t(k) + 1] = k;
    }
    const auto folded = [&text](Node node) { return QChar::toCaseFolded(char32_t(text.at(node - 1).unicode())); };
    const auto startsAt = [&](Node node, const QString &pattern) {
        for (const QChar c : pattern) {
            if (node == tail || folded(node) != c.unicode())
                return false;
            node = next[size_t(node)];
        }
        return true;
    };
    const auto cut = [&](Node first, Node last) {
        next[size_t(prev[size_t(first)])] = next[size_t(last)];
        prev[size_t(next[size_t(last)])] = prev[size_t(first)];
    };
    Node from = next[head];
    Node closeFrom = head; // no "</A>" starts between the last search's start and this node
    bool closeLeft = true;
    for (;;) {
        Node p = from;
        while (p != tail && !startsAt(p, start))
            p = next[size_t(p)];
        if (p == tail)
            break;
        Node gt = p;
        while (gt != tail && text.at(gt - 1) != u'>')
            gt = next[size_t(gt)];
        if (gt == tail)
            break; // a start tag cut off at the end of a damaged page stays as it is
        const Node before = prev[size_t(p)];
        cut(p, gt);
        if (closeLeft) {
            Node c = qMax(next[size_t(before)], closeFrom);
            while (c != tail && !startsAt(c, close))
                c = next[size_t(c)];
            closeLeft = c != tail;
            if (closeLeft) {
                const Node last = next[size_t(next[size_t(next[size_t(c)])])];
                const Node kept = prev[size_t(c)];
                cut(c, last);
                // The cut may join a new "</A>" that starts up to three characters before it.
                closeFrom = kept;
                for (Node k = 0; k < 2 && prev[size_t(closeFrom)] != head; ++k)
                    closeFrom = prev[size_t(closeFrom)];
            }
        }
        // The cut may join the text before it into a new start tag: look again just before it.
        from = next[size_t(before)];
        for (qsizetype k = 1; k < start.size() && prev[size_t(from)] != head; ++k)
            from = prev[size_t(from)];
    }
    QString out;
    out.reserve(n);
    for (Node node = next[head]; node != tail; node = next[size_t(node)])
        out += text.at(node - 1);
    return out;
}

} // namespace

QString unwrapLookLinks(const QString &text)
{
    if (find(text, pageformat::kLookLinkStart, 0) < 0)
        return text;
    return text.size() < qsizetype(INT_MAX) - 2 ? unwrapOnList<int>(text) : unwrapOnList<qsizetype>(text);
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

namespace {

// The titles applied one by one to the page's text: for pages the one-pass linker does not take.
// A title none of whose words occurs in the page leaves it as it is, so one pass over the page
// finds the titles that can change it; a link written for one title may hold words of later
// ones, so its text is scanned as it is written.
QString linkTitlesOneByOne(QString body, const std::vector<QStringList> &titles)
{
    WordAutomaton automaton;
    std::vector<std::vector<int>> nodes(titles.size());
    for (size_t t = 0; t < titles.size(); ++t) {
        for (const QString &word : titles[t])
            nodes[t].push_back(automaton.add(word));
    }
    automaton.build();
    automaton.scan(body);
    // Applying the same words to the same text again changes nothing.
    QHash<QStringList, int> unchangedAt;
    int version = 0;
    for (size_t t = 0; t < titles.size(); ++t) {
        if (std::none_of(nodes[t].begin(), nodes[t].end(), [&](int node) { return automaton.marked(node); }))
            continue;
        const auto seen = unchangedAt.constFind(titles[t]);
        if (seen != unchangedAt.constEnd() && *seen == version)
            continue;
        const qsizetype before = body.size();
        body = linkTitleWords(body, titles[t]);
        if (body.size() == before) {
            unchangedAt.insert(titles[t], version);
            continue;
        }
        ++version;
        for (const QString &word : titles[t])
            automaton.scan(pageformat::makeLookLink(word));
    }
    return body;
}

} // namespace

namespace {

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// Whether (folder + "/" + path).toUpper() is upperSelf. ASCII text is compared letter by letter,
// without building the path; other text goes the long way, as upper case may change its length.
bool isSelfPath(const QString &folder, bool asciiFolder, const QString &path, const QString &upperSelf)
{
    if (!asciiFolder || !isAscii(path))
        return (folder + u'/' + path).toUpper() == upperSelf;
    if (folder.size() + 1 + path.size() != upperSelf.size())
        return false;
    const auto same = [&upperSelf](qsizetype at, QStringView part) {
        for (const QChar c : part) {
            const char16_t u = c.unicode();
            if ((u >= u'a' && u <= u'z' ? char16_t(u - 32) : u) != upperSelf.at(at++).unicode())
                return false;
        }
        return true;
    };
    return same(0, folder) && upperSelf.at(folder.size()) == u'/' && same(folder.size() + 1, path);
}

} // namespace

QString lookAutoLink(LookLinkMode mode, const QString &text, const LookTitleIndex &index)
{
    const QString unwrapped = unwrapLookLinks(text);
    if (mode == LookLinkMode::Remove)
        return unwrapped;
    const qsizetype head = headLength(unwrapped);
    const QStringView body = QStringView(unwrapped).sliced(head);
    const QString self = index.currentPagePath.toUpper();
    const bool asciiFolder = isAscii(index.bookFolder);
    const qsizetype count = qMin(index.relativePaths.size(), index.titles.size());
    std::vector<QStringList> titles;
    titles.reserve(static_cast<size_t>(count));
    for (qsizetype k = count - 1; k >= 0; --k) {
        if (isSelfPath(index.bookFolder, asciiFolder, index.relativePaths.at(k), self))
            continue;
        QStringList words = lookTitleWords(index.titles.at(k));
        if (!words.isEmpty())
            titles.push_back(std::move(words));
    }
    // The one-pass linker writes the head in front itself: the page is many times the input.
    std::optional<QString> linked = linkTitlesInOnePass(body, titles, QStringView(unwrapped).first(head));
    if (linked)
        return std::move(*linked);
    return unwrapped.left(head) + linkTitlesOneByOne(body.toString(), titles);
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
