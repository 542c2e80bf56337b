#include "authoring/lookautolink.h"

#include "authoring/pageformat.h"
#include "commands/texthelpers.h"
#include "tools/searchrules.h"

#include <algorithm>
#include <climits>
#include <unordered_map>
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

// The title words of the whole index in one automaton, so that a single pass over the page
// tells which words may occur in it. Its matching errs only towards "may occur": letters are
// compared case-folded, as the searches do, and every surrogate counts as the same character.
class WordAutomaton {
public:
    // The node that stands for the word; words that fold alike share it.
    int add(QStringView word)
    {
        int node = 0;
        for (const QChar c : word) {
            const quint64 key = edgeKey(node, c);
            const auto it = edges_.find(key);
            if (it != edges_.end()) {
                node = it->second;
                continue;
            }
            const int child = int(fail_.size());
            fail_.push_back(0);
            terminal_.push_back(false);
            children_[size_t(node)].push_back({foldUnit(c), child});
            children_.emplace_back();
            edges_.emplace(key, child);
            node = child;
        }
        terminal_[size_t(node)] = true;
        return node;
    }

    // Failure links and the links to the longest word that ends a node's text, breadth first.
    void build()
    {
        dict_.assign(fail_.size(), 0);
        marked_.assign(fail_.size(), false);
        std::vector<int> queue;
        for (const auto &[c, child] : children_[0])
            queue.push_back(child);
        for (size_t k = 0; k < queue.size(); ++k) {
            const int node = queue[k];
            for (const auto &[c, child] : children_[size_t(node)]) {
                int f = fail_[size_t(node)];
                while (f != 0 && !edges_.contains(edgeKey(f, c)))
                    f = fail_[size_t(f)];
                const auto it = edges_.find(edgeKey(f, c));
                fail_[size_t(child)] = it != edges_.end() && it->second != child ? it->second : 0;
                const int ff = fail_[size_t(child)];
                dict_[size_t(child)] = terminal_[size_t(ff)] ? ff : dict_[size_t(ff)];
                queue.push_back(child);
            }
        }
    }

    // Marks every word that occurs in text.
    void scan(QStringView text)
    {
        int node = 0;
        for (const QChar c : text) {
            const char16_t u = foldUnit(c);
            for (;;) {
                const auto it = edges_.find(edgeKey(node, u));
                if (it != edges_.end()) {
                    node = it->second;
                    break;
                }
                if (node == 0)
                    break;
                node = fail_[size_t(node)];
            }
            // A marked node's shorter words were marked with it.
            for (int w = terminal_[size_t(node)] ? node : dict_[size_t(node)]; w != 0 && !marked_[size_t(w)];
                 w = dict_[size_t(w)])
                marked_[size_t(w)] = true;
        }
    }

    bool marked(int node) const { return marked_[size_t(node)]; }

private:
    static char16_t foldUnit(QChar c)
    {
        if (c.isSurrogate())
            return 0xD800;
        return char16_t(QChar::toCaseFolded(char32_t(c.unicode())));
    }
    static quint64 edgeKey(int node, QChar c) { return edgeKey(node, foldUnit(c)); }
    static quint64 edgeKey(int node, char16_t folded) { return (quint64(quint32(node)) << 16) | folded; }

    std::vector<int> fail_{0};
    std::vector<int> dict_;
    std::vector<bool> terminal_{false};
    std::vector<bool> marked_;
    std::vector<std::vector<std::pair<char16_t, int>>> children_{1};
    std::unordered_map<quint64, int> edges_;
};

} // namespace

QStringList lookTitleWords(const QString &title)
{
    // A link runs the LOOK command, which finds a page by its title without the glyph prefix (the
    // 〆 mark included) and the hint: only words of that title can find the page again.
    return escapeAngles(lookSearchTitle(title)).split(u'/', Qt::SkipEmptyParts);
}

QString unwrapLookLinks(const QString &text)
{
    // Each cut may join the text around it into a new start tag or a new "</A>", so the cuts are
    // made on a linked list of the characters: every search goes on where the last one stopped
    // (a start tag from just before the cut, a "</A>" from the last one found), and a page with
    // a hundred thousand links is read a few times, not once per link.
    const qsizetype n = text.size();
    if (n >= qsizetype(INT_MAX) - 2 || find(text, pageformat::kLookLinkStart, 0) < 0)
        return text;
    const QString start = pageformat::kLookLinkStart.toCaseFolded();
    const QString close = QStringLiteral("</a>");
    const int head = 0;
    const int tail = int(n) + 1; // node k + 1 holds text[k]
    std::vector<int> next(size_t(n) + 2), prev(size_t(n) + 2);
    for (int k = 0; k <= int(n); ++k) {
        next[size_t(k)] = k + 1;
        prev[size_t(k) + 1] = k;
    }
    const auto folded = [&text](int node) { return QChar::toCaseFolded(char32_t(text.at(node - 1).unicode())); };
    const auto startsAt = [&](int node, const QString &pattern) {
        for (const QChar c : pattern) {
            if (node == tail || folded(node) != c.unicode())
                return false;
            node = next[size_t(node)];
        }
        return true;
    };
    const auto cut = [&](int first, int last) {
        next[size_t(prev[size_t(first)])] = next[size_t(last)];
        prev[size_t(next[size_t(last)])] = prev[size_t(first)];
    };
    int from = next[head];
    int closeFrom = head; // no "</A>" starts between the last search's start and this node
    bool closeLeft = true;
    for (;;) {
        int p = from;
        while (p != tail && !startsAt(p, start))
            p = next[size_t(p)];
        if (p == tail)
            break;
        int gt = p;
        while (gt != tail && text.at(gt - 1) != u'>')
            gt = next[size_t(gt)];
        if (gt == tail)
            break; // a start tag cut off at the end of a damaged page stays as it is
        const int before = prev[size_t(p)];
        cut(p, gt);
        if (closeLeft) {
            int c = qMax(next[size_t(before)], closeFrom);
            while (c != tail && !startsAt(c, close))
                c = next[size_t(c)];
            closeLeft = c != tail;
            if (closeLeft) {
                const int last = next[size_t(next[size_t(next[size_t(c)])])];
                const int kept = prev[size_t(c)];
                cut(c, last);
                // The cut may join a new "</A>" that starts up to three characters before it.
                closeFrom = kept;
                for (int k = 0; k < 2 && prev[size_t(closeFrom)] != head; ++k)
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
    for (int node = next[head]; node != tail; node = next[size_t(node)])
        out += text.at(node - 1);
    return out;
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

    // A title none of whose words occurs in the page leaves it as it is: one pass over the page
    // finds the titles that can change it, and only those are applied. A link written for one
    // title may hold words of later ones, so its text is scanned as it is written.
    struct Entry {
        QStringList words;
        std::vector<int> nodes;
    };
    std::vector<Entry> entries(static_cast<size_t>(count));
    WordAutomaton automaton;
    for (qsizetype k = count - 1; k >= 0; --k) {
        if ((index.bookFolder + u'/' + index.relativePaths.at(k)).toUpper() == self)
            continue;
        Entry &entry = entries[size_t(k)];
        entry.words = lookTitleWords(index.titles.at(k));
        for (const QString &word : std::as_const(entry.words))
            entry.nodes.push_back(automaton.add(word));
    }
    automaton.build();
    automaton.scan(body);
    for (qsizetype k = count - 1; k >= 0; --k) {
        const Entry &entry = entries[size_t(k)];
        if (std::none_of(entry.nodes.begin(), entry.nodes.end(), [&](int node) { return automaton.marked(node); }))
            continue;
        const qsizetype before = body.size();
        body = linkTitleWords(body, entry.words);
        if (body.size() != before) {
            for (const QString &word : entry.words)
                automaton.scan(pageformat::makeLookLink(word));
        }
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
    result.read = readPageText(pagePath);
    if (!result.read.ok)
        return result;
    result.write = writePageText(pagePath, lookAutoLink(mode, result.read.text, index));
    return result;
}

} // namespace sorvek
