#include "authoring/titlelinker.h"

#include "authoring/pageformat.h"
#include "authoring/wordautomaton.h"

#include <QHash>

#include <algorithm>
#include <bit>
#include <climits>
#include <deque>
#include <span>

namespace sorvek {

namespace {

// A place in the linked page: the body's character x (o < 0), or offset o of the link that stands
// where the body's characters from x on were.
struct Pos {
    qsizetype x = 0;
    qsizetype o = -1;
};

bool before(Pos a, Pos b)
{
    return a.x != b.x ? a.x < b.x : a.o < b.o;
}

// One start of a word or mark in the body, with its links in two union-finds, side by side: a
// search reads one place. Places fit 32 bits: the linker declines larger pages.
struct Start {
    qint32 at;
    qint32 next;  // union-find over the entries not yet known to be covered
    qint32 whole; // the same over the entries not yet known to lie partly outside any one link
};

// The starts of one word or mark in the body, in order; those that a link has covered are
// passed over once and then skipped for good. The entries lie in one array that all words share,
// filled in one pass, so that thousands of words cost no allocation each.
struct Starts {
    Start *e = nullptr; // count + 1 entries: the last one only ends the union-finds
    qint32 count = 0;
    qint32 length = 0;
    qint32 hint = 0; // every entry before it lies before the place last looked for

    qsizetype at(qsizetype i) const { return e[i].at; }
    qsizetype alive(qsizetype i) { return root<&Start::next>(i); }
    qsizetype mayBeWhole(qsizetype i) { return root<&Start::whole>(i); }

private:
    template<qint32 Start::*up>
    qsizetype root(qsizetype i)
    {
        qint32 top = qint32(i);
        while (e[top].*up != top)
            top = e[top].*up;
        for (qint32 k = qint32(i); e[k].*up != top;) {
            const qint32 above = e[k].*up;
            e[k].*up = top;
            k = above;
        }
        return top;
    }
};

// A set of places in the body with a quick search for the next one: one bit
// per place, and one bit per 64 places telling whether any of them is set.
class PlaceSet {
public:
    explicit PlaceSet(qsizetype size)
        : bits_(size_t(size / 64 + 1)), summary_(size_t(size / 4096 + 1))
    {
    }
    void insert(qsizetype x)
    {
        bits_[size_t(x >> 6)] |= quint64(1) << (x & 63);
        summary_[size_t(x >> 12)] |= quint64(1) << ((x >> 6) & 63);
    }
    bool contains(qsizetype x) const { return bits_[size_t(x >> 6)] >> (x & 63) & 1; }
    // The first place at or after x; -1 for none.
    qsizetype next(qsizetype x) const
    {
        if (x < 0)
            x = 0;
        qsizetype w = x >> 6;
        if (w >= qsizetype(bits_.size()))
            return -1;
        const quint64 here = bits_[size_t(w)] & (~quint64(0) << (x & 63));
        if (here)
            return (w << 6) + std::countr_zero(here);
        ++w;
        for (qsizetype s = w >> 6; s < qsizetype(summary_.size()); ++s) {
            quint64 words = summary_[size_t(s)];
            if (s == (w >> 6))
                words &= (w & 63) ? ~quint64(0) << (w & 63) : ~quint64(0);
            if (words) {
                const qsizetype word = (s << 6) + std::countr_zero(words);
                return (word << 6) + std::countr_zero(bits_[size_t(word)]);
            }
        }
        return -1;
    }

private:
    std::vector<quint64> bits_;
    std::vector<quint64> summary_;
};

// The first of n entries in order of place that is not below x, without a branch to mispredict
// per step: these searches run for every word found.
template<typename Entry, typename Place>
const Entry *firstNotBelow(const Entry *first, size_t n, qsizetype x, Place place)
{
    if (n == 0)
        return first;
    while (n > 1) {
        const size_t half = n / 2;
        first = place(first[half - 1]) < x ? first + half : first;
        n -= half;
    }
    return first + (place(*first) < x);
}
const qsizetype *firstNotBelow(const qsizetype *first, size_t n, qsizetype x)
{
    return firstNotBelow(first, n, x, [](qsizetype place) { return place; });
}
const Start *firstNotBelow(const Start *first, size_t n, qsizetype x)
{
    return firstNotBelow(first, n, x, [](const Start &start) { return qsizetype(start.at); });
}

// The first of a word's starts not below x. A word's searches mostly go forward from the last
// one, so this gallops from there instead of searching all the word's starts again.
qsizetype firstIndexNotBelow(Starts &s, qsizetype x)
{
    qsizetype lo = s.hint;
    if (lo > s.count || (lo > 0 && s.at(lo - 1) >= x))
        lo = 0;
    qsizetype hi = lo;
    for (qsizetype step = 1; hi < s.count && s.at(hi) < x; step *= 2) {
        lo = hi + 1;
        hi = lo + step;
    }
    hi = qMin<qsizetype>(hi, s.count);
    s.hint = qint32(firstNotBelow(s.e + lo, size_t(hi - lo), x) - s.e);
    return s.hint;
}

// How many of a mark's starts lie before a place, from a bit per place and a count per 64:
// the marks are searched from everywhere, for every word found.
class Rank {
public:
    void build(const Starts &s, qsizetype size)
    {
        const qsizetype count = s.count;
        bits_.assign(size_t(size / 64 + 1), 0);
        before_.assign(bits_.size(), 0);
        for (qsizetype k = 0; k < count; ++k)
            bits_[size_t(s.at(k) >> 6)] |= quint64(1) << (s.at(k) & 63);
        qsizetype sum = 0;
        for (size_t w = 0; w < bits_.size(); ++w) {
            before_[w] = sum;
            sum += std::popcount(bits_[w]);
        }
        count_ = count;
    }
    qsizetype below(qsizetype x) const
    {
        const size_t w = size_t(x >> 6);
        if (w >= bits_.size())
            return count_;
        return before_[w] + std::popcount(bits_[w] & ((quint64(1) << (x & 63)) - 1));
    }

private:
    std::vector<quint64> bits_;
    std::vector<qsizetype> before_;
    qsizetype count_ = 0;
};

// Places in order, kept in short sorted blocks: an insert moves at most one block, and a search
// is two binary searches over memory that lies together. Most lists stay short: they are one
// sorted array until they fill two blocks.
class PlaceList {
public:
    void insert(qsizetype x)
    {
        if (blocks_.empty()) {
            if (flat_.empty())
                flat_.reserve(4);
            const auto at = flat_.begin() + (firstNotBelow(flat_.data(), flat_.size(), x) - flat_.data());
            if (at != flat_.end() && *at == x)
                return;
            flat_.insert(at, x);
            if (flat_.size() >= 2 * kBlock) {
                for (size_t k = 0; k < flat_.size(); k += kBlock) {
                    blocks_.emplace_back(flat_.begin() + qsizetype(k), flat_.begin() + qsizetype(k + kBlock));
                    firsts_.push_back(flat_[k]);
                }
                flat_ = {};
            }
            return;
        }
        size_t b = firstsAbove(x);
        b = b == 0 ? 0 : b - 1;
        std::vector<qsizetype> &block = blocks_[b];
        const auto at = block.begin() + (firstNotBelow(block.data(), block.size(), x) - block.data());
        if (at != block.end() && *at == x)
            return;
        block.insert(at, x);
        firsts_[b] = block.front();
        if (block.size() >= 2 * kBlock) {
            std::vector<qsizetype> upper(block.begin() + kBlock, block.end());
            block.resize(kBlock);
            firsts_.insert(firsts_.begin() + qsizetype(b) + 1, upper.front());
            blocks_.insert(blocks_.begin() + qsizetype(b) + 1, std::move(upper));
        }
    }
    // Sorted places without repeats, into an empty list.
    void assign(const std::vector<qsizetype> &places)
    {
        if (places.size() < 2 * kBlock) {
            flat_ = places;
            return;
        }
        for (size_t k = 0; k < places.size(); k += kBlock) {
            blocks_.emplace_back(places.begin() + qsizetype(k), places.begin() + qsizetype(std::min(k + kBlock, places.size())));
            firsts_.push_back(places[k]);
        }
    }
    // The first place after x; -1 for none.
    qsizetype after(qsizetype x) const
    {
        if (blocks_.empty()) {
            const qsizetype *at = firstNotBelow(flat_.data(), flat_.size(), x + 1);
            return at != flat_.data() + flat_.size() ? *at : -1;
        }
        const size_t b = firstsAbove(x);
        if (b > 0) {
            const std::vector<qsizetype> &block = blocks_[b - 1];
            const qsizetype *at = firstNotBelow(block.data(), block.size(), x + 1);
            if (at != block.data() + block.size())
                return *at;
        }
        return b < blocks_.size() ? firsts_[b] : -1;
    }
    // The last place before x; -1 for none.
    qsizetype before(qsizetype x) const
    {
        if (blocks_.empty()) {
            const qsizetype *at = firstNotBelow(flat_.data(), flat_.size(), x);
            return at != flat_.data() ? at[-1] : -1;
        }
        const size_t b = size_t(firstNotBelow(firsts_.data(), firsts_.size(), x) - firsts_.data());
        if (b == 0)
            return -1;
        const std::vector<qsizetype> &block = blocks_[b - 1];
        return *(firstNotBelow(block.data(), block.size(), x) - 1);
    }

private:
    // How many blocks start at or before x.
    size_t firstsAbove(qsizetype x) const
    {
        return size_t(firstNotBelow(firsts_.data(), firsts_.size(), x + 1) - firsts_.data());
    }

    static constexpr size_t kBlock = 64;
    std::vector<qsizetype> flat_; // all the places while there are no blocks
    std::vector<std::vector<qsizetype>> blocks_;
    std::vector<qsizetype> firsts_; // each block's first place
};

// The body characters that links have replaced, a bit each: small enough to stay in the cache
// while every found word asks whether a link covers it.
class CoverBits {
public:
    explicit CoverBits(qsizetype size) : bits_(size_t(size / 64 + 1)) {}
    void cover(qsizetype from, qsizetype to)
    {
        for (qsizetype x = from; x < to; ++x)
            bits_[size_t(x >> 6)] |= quint64(1) << (x & 63);
    }
    // Whether any character in [from, to) is covered.
    bool any(qsizetype from, qsizetype to) const
    {
        if (from < to && (from >> 6) == ((to - 1) >> 6)) // within one 64-bit word, as words and marks mostly are
            return bits_[size_t(from >> 6)] >> (from & 63) & (~quint64(0) >> (64 - (to - from)));
        for (qsizetype x = from; x < to;) {
            const quint64 word = bits_[size_t(x >> 6)] >> (x & 63);
            const qsizetype span = qMin<qsizetype>(64 - (x & 63), to - x);
            if (span == 64 ? word != 0 : (word & ((quint64(1) << span) - 1)) != 0)
                return true;
            x += span;
        }
        return false;
    }

private:
    std::vector<quint64> bits_;
};

// The marks of the word rule: every start tag of a link, "</A", "<A", the quote and the angles.
// TagChar is any of the last three: the first of them after a word tells whether it lies in a tag.
enum Mark { LinkStart, LinkClose, AnyLink, Quote, Less, Greater, TagChar, MarkCount };
const char16_t *const kMarks[MarkCount] = {u"<A HREF=", u"</A", u"<A", u"\"", u"<", u">", u"<"};
const char16_t *const kFoldedMarks[MarkCount] = {u"<a href=", u"</a", u"<a", u"\"", u"<", u">", nullptr};

// Whether text holds the case-folded pattern at, compared as the case-insensitive searches compare.
bool startsWithFolded(QStringView text, qsizetype at, const char16_t *pattern)
{
    for (; *pattern; ++pattern, ++at) {
        if (at >= text.size())
            return false;
        const char16_t c = text[at].unicode();
        const char32_t folded = c < 0x80 ? char32_t(c >= u'A' && c <= u'Z' ? c + 32 : c) : QChar::toCaseFolded(char32_t(c));
        if (folded != char32_t(*pattern))
            return false;
    }
    return true;
}

class Linker {
public:
    Linker(QStringView body, const std::vector<QStringList> &titles, QStringView head)
        : body_(body)
        , head_(head)
        , n_(body.size())
        , titles_(titles)
        , linkAt_(size_t(n_), -1)
        , owner_(size_t(n_), -1)
        , starts_(n_)
        , covered_(n_)
    {
    }

    std::optional<QString> run()
    {
        const auto hasSurrogate = [](QStringView t) {
            return std::any_of(t.begin(), t.end(), [](QChar c) { return c.isSurrogate(); });
        };
        if (hasSurrogate(body_) || n_ >= INT_MAX)
            return std::nullopt;
        // Every title's word nodes, one title after another.
        qsizetype units = 0;
        size_t wordCount = 0;
        for (const QStringList &words : titles_) {
            wordCount += size_t(words.size());
            for (const QString &word : words)
                units += word.size();
        }
        automaton_.reserve(units);
        words_.reserve(size_t(units) + 1);
        std::vector<int> allNodes;
        allNodes.reserve(wordCount);
        std::vector<size_t> firstNode(titles_.size() + 1, 0);
        for (size_t t = 0; t < titles_.size(); ++t) {
            for (const QString &word : titles_[t]) {
                if (hasSurrogate(word))
                    return std::nullopt;
                allNodes.push_back(automaton_.add(word));
                if (size_t(allNodes.back()) >= words_.size())
                    words_.resize(size_t(allNodes.back()) + 1);
                words_[size_t(allNodes.back())].length = qint32(word.size());
            }
            firstNode[t + 1] = allNodes.size();
        }
        const auto nodes = [&](size_t t) { return std::span<const int>(allNodes.data() + firstNode[t], firstNode[t + 1] - firstNode[t]); };
        automaton_.build();
        // A word that holds none of the characters a link adds to its word can lie in a link's
        // text only inside the copies of the link's word.
        const QString added = pageformat::kLookLinkOpen + QStringLiteral("\"></A>");
        wordsOnlyInCopies_ = std::none_of(added.begin(), added.end(), [this](QChar c) { return automaton_.reads(c); });
        words_.resize(size_t(automaton_.nodeCount()));
        textOfNode_.assign(words_.size(), -1);
        if (!wordsOnlyInCopies_) { // what the words found elsewhere in links need
            listOf_.assign(words_.size(), -1);
            textsWithHead_.assign(words_.size(), -1);
            lastTitleWith_.assign(words_.size(), -1);
            for (size_t t = 0; t < titles_.size(); ++t) {
                for (const int node : nodes(t))
                    lastTitleWith_[size_t(node)] = int(t);
            }
        }
        indexStarts();

        // Applying the same words to the same text again changes nothing. Only titles whose
        // words come again need to remember that.
        const std::vector<bool> again = repeated(titles_.size(), nodes);
        QHash<QStringList, int> unchangedAt;
        for (size_t t = 0; t < titles_.size(); ++t) {
            const QStringList &words = titles_[t];
            const auto seen = again[t] ? unchangedAt.constFind(words) : unchangedAt.constEnd();
            if (seen != unchangedAt.constEnd() && *seen == version_)
                continue;
            const int versionBefore = version_;
            title_ = int(t);
            Pos r = place(0);
            for (qsizetype k = 0; k < words.size(); ++k) {
                if (!linkWord(r, nodes(t)[size_t(k)], words.at(k)))
                    return std::nullopt;
            }
            if (version_ == versionBefore && again[t])
                unchangedAt.insert(words, version_);
        }
        return text();
    }

private:
    // Whether another title has the same words, told by their nodes: words that are the same
    // have the same nodes. A false match only costs a look in the table of titles.
    template<typename Nodes>
    static std::vector<bool> repeated(size_t titles, Nodes nodes)
    {
        std::vector<bool> again(titles, false);
        size_t size = 64;
        while (size < 2 * titles)
            size *= 2;
        std::vector<quint64> keys(size);
        std::vector<int> firsts(size, -1);
        for (size_t t = 0; t < titles; ++t) {
            quint64 key = nodes(t).size();
            for (const int node : nodes(t))
                key = (key ^ quint64(quint32(node))) * 0x100000001B3ull;
            size_t k = size_t((key * 0x9E3779B97F4A7C15ull) >> 40) & (size - 1);
            while (firsts[k] >= 0 && keys[k] != key)
                k = (k + 1) & (size - 1);
            if (firsts[k] >= 0) {
                again[size_t(firsts[k])] = true;
                again[t] = true;
            } else {
                keys[k] = key;
                firsts[k] = int(t);
            }
        }
        return again;
    }

    struct Link {
        qsizetype end;
        int text; // in texts_
    };
    // What the searches read of a link text, in little room: they read it for every link passed.
    struct TextShape {
        qint32 word;                  // the size of the link's word
        qint32 size;                  // of the link's text
        size_t chars;                 // where the text starts in textChars_
        qint32 marks[MarkCount + 1];  // in markStarts_: each mark's starts in order
    };
    // A link's text, read once per word for where each mark and word starts in it, so that
    // searches inside links never read the text again. The texts lie one after another, and
    // the page is written from there.
    struct LinkText {
        QString word;
        size_t words = 0;                 // in wordStarts_: (word, start) in order, up to the next text's
        size_t nodes = 0;                 // in textWords_: the words it holds elsewhere than in its word's copies
        std::vector<qsizetype> links;     // where the links with this text start, in the order made
    };

    // The link at x stands for its word's characters.
    Link linkAt(qsizetype x) const
    {
        const int t = linkAt_[size_t(x)];
        return {x + shapes_[size_t(t)].word, t};
    }
    // The first start of the mark at or after o in the link at x; -1 for none.
    qsizetype markIn(qsizetype x, Mark m, qsizetype o) const
    {
        const TextShape &t = shapes_[size_t(linkAt_[size_t(x)])];
        for (qint32 k = t.marks[m]; k < t.marks[m + 1]; ++k) {
            if (markStarts_[size_t(k)] >= o)
                return markStarts_[size_t(k)];
        }
        return -1;
    }
    // The same for a word.
    qsizetype wordIn(qsizetype x, int node, qsizetype o)
    {
        if (!elsewhereInLinks(node)) {
            // Then the word lies only in the link word's two copies, where it lies in the body
            // characters the link covers: read from the word's body starts, not from the text.
            Starts &s = words_[size_t(node)];
            const qsizetype end = linkAt(x).end;
            const qsizetype copy1 = pageformat::kLookLinkOpen.size();
            for (const qsizetype copy : {copy1, copy1 + (end - x) + 2}) {
                const qsizetype i = firstIndexNotBelow(s, x + qMax<qsizetype>(0, o - copy));
                if (i < s.count && s.at(i) + s.length <= end)
                    return copy + s.at(i) - x;
            }
            return -1;
        }
        const int t = linkAt_[size_t(x)];
        const auto first = wordStarts_.begin() + qsizetype(texts_[size_t(t)].words);
        const auto last = wordStarts_.begin() + qsizetype(wordsEnd(t));
        const auto it = std::lower_bound(first, last, std::pair<int, qsizetype>(node, o));
        return it == last || it->first != node ? -1 : it->second;
    }
    size_t wordsEnd(int t) const { return size_t(t) + 1 < texts_.size() ? texts_[size_t(t) + 1].words : wordStarts_.size(); }
    Pos end() const { return {n_, -1}; }
    bool exists(Pos p) const { return p.x < n_; }
    Pos earlier(Pos a, Pos b) const { return before(a, b) ? a : b; }

    // The place of the body's character x, or of the link that stands there.
    Pos place(qsizetype x) const
    {
        if (x >= n_)
            return end();
        return {x, starts_.contains(x) ? 0 : -1};
    }
    Pos next(Pos p) const { return advance(p, 1); }
    Pos advance(Pos p, qsizetype by) const
    {
        if (p.o < 0)
            return place(p.x + by);
        const Link link = linkAt(p.x);
        return p.o + by < shapes_[size_t(link.text)].size ? Pos{p.x, p.o + by} : place(link.end);
    }

    bool covered(qsizetype from, qsizetype to) const { return covered_.any(from, to); }

    // The links whose text holds the word of node other than inside the two copies of the link's
    // word: those inside them are the word's body starts that one link covers whole. They are
    // gathered when first asked for, from the link texts that hold the word so: most words are
    // looked for by one title only, after the links that hold them were made.
    PlaceList &linksWith(int node)
    {
        int &at = listOf_[size_t(node)];
        if (at < 0) {
            at = int(lists_.size());
            lists_.emplace_back();
            PlaceList &list = lists_.back();
            gather_.clear();
            for (int e = textsWithHead_[size_t(node)]; e >= 0; e = textsWith_[size_t(e)].second) {
                const std::vector<qsizetype> &links = texts_[size_t(textsWith_[size_t(e)].first)].links;
                gather_.insert(gather_.end(), links.begin(), links.end());
            }
            if (!std::is_sorted(gather_.begin(), gather_.end()))
                std::sort(gather_.begin(), gather_.end());
            list.assign(gather_);
        }
        return lists_[size_t(at)];
    }
    // The start of the link that covers the whole of the word's body start at at; -1 for none.
    qsizetype wholeIn(const Starts &s, qsizetype at) const
    {
        const int link = owner_[size_t(at)];
        return link >= 0 && owner_[size_t(at + s.length - 1)] == link ? link : -1;
    }
    // The first link from x on that covers a whole body start of the word, if it comes before
    // upTo, the first start no link covers; -1 for none. A start partly outside any one link stays
    // so and is skipped for good.
    qsizetype firstLinkOver(Starts &s, qsizetype x, qsizetype upTo)
    {
        for (qsizetype i = s.mayBeWhole(firstIndexNotBelow(s, x)); i < s.count && s.at(i) < upTo; i = s.mayBeWhole(i)) {
            const qsizetype link = wholeIn(s, s.at(i));
            if (link >= 0)
                return link;
            s.e[i].whole = qint32(i + 1);
        }
        return -1;
    }
    // The last such link from x on that starts before upTo; -1 for none.
    qsizetype lastLinkOver(const Starts &s, qsizetype x, qsizetype upTo) const
    {
        for (const Start *i = firstNotBelow(s.e, size_t(s.count), upTo); i != s.e && i[-1].at >= x; --i) {
            const qsizetype link = wholeIn(s, i[-1].at);
            if (link >= 0)
                return link;
        }
        return -1;
    }
    // Whether the word occurs in link texts other than inside their word's two copies.
    bool elsewhereInLinks(int node) const { return !wordsOnlyInCopies_ && textsWithHead_[size_t(node)] >= 0; }

    // The first start at or after x in the body that no link covers; n_ for none.
    qsizetype firstInBody(Starts &s, qsizetype x)
    {
        if (s.count == 0)
            return n_;
        return firstInBodyFrom(s, firstIndexNotBelow(s, x));
    }
    // The same from the entry i, the first not below the place looked for.
    qsizetype firstInBodyFrom(Starts &s, qsizetype i)
    {
        // A start that no link covers was never passed over: the union-find need not be read.
        if (i < s.count && !covered(s.at(i), s.at(i) + s.length))
            return s.at(i);
        for (;;) {
            i = s.alive(i);
            if (i >= s.count)
                return n_;
            const qsizetype at = s.at(i);
            if (!covered(at, at + s.length))
                return at;
            s.e[i].next = qint32(i + 1);
        }
    }
    // Body characters after p: from p itself, or from the end of the link p lies in.
    qsizetype bodyFrom(Pos p) const { return p.o < 0 ? p.x : linkAt(p.x).end; }

    // The first occurrence at or after p of a mark; of a word, both the first in the body and
    // the first inside a link.
    Pos findMark(Mark m, Pos p)
    {
        const Pos found{firstInBodyFrom(marks_[m], markRanks_[m].below(bodyFrom(p))), -1};
        if (p.o >= 0) {
            const qsizetype at = markIn(p.x, m, p.o);
            if (at >= 0)
                return earlier(found, {p.x, at});
        }
        // A later link is read only when it comes first: its characters are no mark in the body.
        const qsizetype later = starts_.next(p.x + 1);
        if (later >= 0 && later < found.x)
            return {later, markIn(later, m, 0)};
        return found;
    }
    // A later link's offset is looked up only when asked for and when the link comes first;
    // 0 stands in for it otherwise.
    std::pair<Pos, Pos> findWord(int node, Pos p, bool laterOffset)
    {
        const Pos inBody{firstInBody(words_[size_t(node)], bodyFrom(p)), -1};
        if (p.o >= 0) {
            const qsizetype at = wordIn(p.x, node, p.o);
            if (at >= 0)
                return {inBody, {p.x, at}};
        }
        Starts &s = words_[size_t(node)];
        qsizetype with = firstLinkOver(s, bodyFrom(p), inBody.x);
        if (elsewhereInLinks(node)) {
            const qsizetype other = linksWith(node).after(p.x);
            if (other >= 0 && (with < 0 || other < with))
                with = other;
        }
        if (with < 0)
            return {inBody, end()};
        if (!laterOffset || inBody.x < with)
            return {inBody, {with, 0}};
        return {inBody, {with, wordIn(with, node, 0)}};
    }
    Pos findWordFirst(int node, Pos p)
    {
        const auto [inBody, inLink] = findWord(node, p, true);
        return earlier(inBody, inLink);
    }

    // The word rule from r for one word; false when a link would go inside a link.
    bool linkWord(Pos &r, int node, const QString &word)
    {
        for (;;) {
            // Of a later link only where it starts counts: the rule passes over it.
            const auto [inBody, inLink] = findWord(node, r, false);
            const Pos p = earlier(inBody, inLink);
            if (!exists(p))
                return true;
            if (p.o >= 0 && !(r.o >= 0 && r.x == p.x)) {
                // The first occurrence lies in a later link: that link is passed over whole, and
                // so is every further link holding the word before its next occurrence in the
                // body text.
                qsizetype last = lastLinkOver(words_[size_t(node)], bodyFrom(r), inBody.x);
                if (elsewhereInLinks(node))
                    last = qMax(last, linksWith(node).before(inBody.x));
                r = place(linkAt(last).end);
                continue;
            }
            // The inside-link test.
            const Pos a = findMark(LinkStart, r);
            if (exists(a)) {
                const Pos w = findWordFirst(node, next(a));
                const Pos e = exists(w) ? findMark(LinkClose, next(w)) : end();
                if (exists(e)) {
                    const Pos another = findMark(AnyLink, next(w));
                    if (!exists(another) || !before(another, e)) {
                        const Pos gt = findMark(Greater, e);
                        r = exists(gt) ? next(gt) : end();
                        continue;
                    }
                }
            }
            // In a tag when a ">" comes before the next "<", or a quote does and a "<" or ">" follows.
            Pos after = advance(p, word.size());
            const Pos c = findMark(TagChar, after);
            const QChar first = exists(c) ? charAt(c) : QChar();
            const bool inTag = first == u'>' || (first == u'"' && (exists(findMark(Less, c)) || exists(findMark(Greater, c))));
            if (!inTag) {
                if (p.o >= 0)
                    return false;
                addLink(p.x, p.x + word.size(), node, word);
                after = place(p.x + word.size());
            }
            r = after;
        }
    }

    // The link text of the word, found by its node: words that fold alike but differ go by name.
    int linkText(int node, const QString &word)
    {
        int &first = textOfNode_[size_t(node)];
        if (first < 0) {
            first = makeLinkText(word);
            return first;
        }
        if (texts_[size_t(first)].word == word)
            return first;
        auto made = textOfWord_.constFind(word);
        if (made == textOfWord_.constEnd())
            made = textOfWord_.insert(word, makeLinkText(word));
        return *made;
    }

    void addLink(qsizetype from, qsizetype to, int node, const QString &word)
    {
        const int made = linkText(node, word);
        LinkText &text = texts_[size_t(made)];
        linkAt_[size_t(from)] = made;
        linked_ += shapes_[size_t(made)].size - (to - from);
        starts_.insert(from);
        covered_.cover(from, to);
        std::fill(owner_.begin() + from, owner_.begin() + to, int(from));
        const size_t last = size_t(made) + 1 < texts_.size() ? texts_[size_t(made) + 1].nodes : textWords_.size();
        if (last > text.nodes) // only the links of texts that hold words elsewhere are ever gathered
            text.links.push_back(from);
        for (size_t k = text.nodes; k < last; ++k) {
            // A word no title from this one on holds is never looked for again.
            const int held = textWords_[k];
            if (listOf_[size_t(held)] >= 0 && lastTitleWith_[size_t(held)] >= title_)
                lists_[size_t(listOf_[size_t(held)])].insert(from);
        }
        ++version_;
    }

    // The linked page, written once into a string of its final size.
    QString text() const
    {
        QString out(head_.size() + n_ + linked_, Qt::Uninitialized);
        QChar *to = copy(out.data(), head_);
        qsizetype at = 0;
        for (qsizetype from = starts_.next(0); from >= 0; from = starts_.next(from + 1)) {
            const Link link = linkAt(from);
            to = copy(to, body_.sliced(at, from - at));
            to = copy(to, linkTextOf(link.text));
            at = link.end;
        }
        copy(to, body_.sliced(at));
        return out;
    }

    static QChar *copy(QChar *to, QStringView from) { return std::copy(from.begin(), from.end(), to); }
    QStringView linkTextOf(int t) const { return QStringView(textChars_.data() + shapes_[size_t(t)].chars, shapes_[size_t(t)].size); }
    QChar charAt(Pos p) const { return p.o < 0 ? body_.at(p.x) : textChars_[shapes_[size_t(linkAt_[size_t(p.x)])].chars + size_t(p.o)]; }
    static qsizetype linkTextSize(const QString &word) { return pageformat::kLookLinkOpen.size() + 2 * word.size() + 6; }
    // What pageformat::makeLookLink(word) makes, linkTextSize(word) characters, written at to.
    static QChar *writeLinkText(QChar *to, const QString &word)
    {
        to = copy(to, pageformat::kLookLinkOpen);
        to = copy(to, word);
        to = copy(to, u"\">");
        to = copy(to, word);
        return copy(to, u"</A>");
    }

    // Every word's and mark's starts in the body, in order, into one shared array. One pass
    // keeps the automaton's node after each character where words end and counts the words; a
    // second reads those words again from the nodes and puts each start in its place. A word's
    // starts come in the order its occurrences end, which for one word is the order they start.
    void indexStarts()
    {
        const size_t keys = words_.size() + MarkCount;
        std::vector<qsizetype> first(keys + 1, 0); // counts, then where each key's entries begin
        std::vector<qint32> nodes; // after each character where a word ends, in order
        nodes.reserve(size_t(n_)); // room not written costs nothing
        PlaceSet ends(n_);         // those characters
        qsizetype at = 0;
        automaton_.walk(body_, [&](int node) {
            bool any = false;
            automaton_.forEachWordEnding(node, [&](int word, int) {
                ++first[size_t(word) + 1];
                any = true;
            });
            if (any) {
                nodes.push_back(node);
                ends.insert(at);
            }
            ++at;
        });
        // The marks as the case-insensitive searches find them: every mark begins with one of
        // these, and no other character folds to them.
        std::vector<qint32> markAt[MarkCount];
        for (qsizetype k = 0; k < n_; ++k) {
            const char16_t c = body_.at(k).unicode();
            if (c != u'<' && c != u'"' && c != u'>')
                continue;
            markAt[TagChar].push_back(qint32(k));
            for (int m = 0; m < TagChar; ++m) {
                if (c == kFoldedMarks[m][0] && startsWithFolded(body_, k, kFoldedMarks[m]))
                    markAt[m].push_back(qint32(k));
            }
        }
        for (int m = 0; m < MarkCount; ++m)
            first[words_.size() + size_t(m) + 1] = qsizetype(markAt[m].size());
        for (size_t k = 1; k < first.size(); ++k)
            first[k] += first[k - 1];
        // Each key's entries and then its stop, which ends the union-finds.
        startStore_.resize(size_t(first[keys]) + keys);
        std::vector<qint32> filled(keys, 0);
        for (size_t k = 0; k < keys; ++k) {
            const qint32 count = qint32(first[k + 1] - first[k]);
            startStore_[size_t(first[k + 1]) + k] = {INT_MAX, count, count};
        }
        const auto put = [&](size_t k, qsizetype start) {
            const qint32 i = filled[k]++;
            startStore_[size_t(first[k]) + k + size_t(i)] = {qint32(start), i, i};
        };
        size_t next = 0;
        for (qsizetype k = ends.next(0); k >= 0; k = ends.next(k + 1))
            automaton_.forEachWordEnding(nodes[next++], [&](int word, int length) { put(size_t(word), k + 1 - length); });
        for (int m = 0; m < MarkCount; ++m) {
            for (const qint32 k : markAt[m])
                put(words_.size() + size_t(m), k);
        }
        for (size_t k = 0; k < keys; ++k) {
            Starts &s = k < words_.size() ? words_[k] : marks_[k - words_.size()];
            s.e = startStore_.data() + first[k] + qsizetype(k);
            s.count = qint32(first[k + 1] - first[k]);
        }
        for (int m = 0; m < MarkCount; ++m) {
            marks_[m].length = qint32(QStringView(kMarks[m]).size());
            markRanks_[m].build(marks_[m], n_);
        }
    }

    int makeLinkText(const QString &word)
    {
        const size_t first = textChars_.size();
        textChars_.resize(first + size_t(linkTextSize(word)));
        writeLinkText(textChars_.data() + first, word);
        const QStringView text(textChars_.data() + first, linkTextSize(word));
        LinkText link{word, wordStarts_.size(), textWords_.size(), {}};
        // When no word holds a character the link adds, no word lies elsewhere than in the copies,
        // and the words in the copies are read from the body: the text need not be searched.
        if (!wordsOnlyInCopies_)
            findWordsElsewhere(link, text);
        // Every mark begins with one of these, and no other character folds to them.
        markCandidates_.clear();
        for (qsizetype at = 0; at < text.size(); ++at) {
            const char16_t c = text[at].unicode();
            if (c == u'<' || c == u'"' || c == u'>')
                markCandidates_.push_back(at);
        }
        TextShape shape{qint32(word.size()), qint32(text.size()), first, {}};
        for (int m = 0; m < TagChar; ++m) {
            shape.marks[m] = qint32(markStarts_.size());
            for (const qsizetype at : markCandidates_) {
                if (text[at] == kFoldedMarks[m][0] && startsWithFolded(text, at, kFoldedMarks[m]))
                    markStarts_.push_back(qint32(at));
            }
        }
        shape.marks[TagChar] = qint32(markStarts_.size());
        for (const qsizetype at : markCandidates_)
            markStarts_.push_back(qint32(at));
        shape.marks[MarkCount] = qint32(markStarts_.size());
        shapes_.push_back(shape);
        texts_.push_back(std::move(link));
        return int(texts_.size()) - 1;
    }
    void findWordsElsewhere(const LinkText &link, QStringView text)
    {
        automaton_.forEachMatch(text, [&](int node, qsizetype start) { wordStarts_.emplace_back(node, start); });
        std::sort(wordStarts_.begin() + qsizetype(link.words), wordStarts_.end());
        const QString &word = link.word;
        // Only where a word lies elsewhere than inside one copy of the link's word need the link
        // be listed for it: inside a copy, it lies whole in the body characters the link covers.
        const qsizetype copy1 = pageformat::kLookLinkOpen.size();
        const qsizetype copy2 = copy1 + word.size() + 2;
        const auto inCopy = [&](qsizetype from, qsizetype to) {
            return (from >= copy1 && to <= copy1 + word.size()) || (from >= copy2 && to <= copy2 + word.size());
        };
        for (size_t k = link.words; k < wordStarts_.size(); ++k) {
            const auto [node, from] = wordStarts_[k];
            if (inCopy(from, from + automaton_.length(node)))
                continue;
            if (textWords_.size() > link.nodes && textWords_.back() == node)
                continue;
            textWords_.push_back(node);
            textsWith_.push_back({int(texts_.size()), textsWithHead_[size_t(node)]});
            textsWithHead_[size_t(node)] = int(textsWith_.size()) - 1;
        }
    }

    const QStringView body_;
    const QStringView head_; // written before the linked body
    const qsizetype n_;
    const std::vector<QStringList> &titles_;
    WordAutomaton automaton_;
    std::vector<Starts> words_; // per automaton node: the word's starts in the body
    std::vector<Start> startStore_;
    Starts marks_[MarkCount];
    Rank markRanks_[MarkCount];
    std::vector<int> linkAt_; // per body character: the text of the link that starts there, -1 for none
    std::vector<int> owner_;  // per body character: where the link that covers it starts, -1 for none
    PlaceSet starts_;         // where links start
    CoverBits covered_;       // the body characters links stand for
    std::vector<int> listOf_; // per automaton node: its list in lists_ once gathered, -1 before
    std::deque<PlaceList> lists_; // the links a word occurs in other than inside their word's copies
    std::vector<int> lastTitleWith_; // per automaton node: the last title that holds its word, -1 for none
    int title_ = 0;                  // the title being applied
    std::vector<int> textWords_;       // of every link text, the words it holds elsewhere than in its word's copies
    std::vector<std::pair<int, int>> textsWith_; // (link text, the next entry for the same word, -1 for none)
    std::vector<int> textsWithHead_;   // per automaton node: its first entry in textsWith_, -1 for none
    std::vector<qsizetype> gather_;
    std::vector<LinkText> texts_;
    std::vector<std::pair<int, qsizetype>> wordStarts_; // of all link texts, one after another
    std::vector<qint32> markStarts_;                    // the same for marks
    std::vector<TextShape> shapes_;                     // per link text, what the searches read of it
    std::vector<int> textOfNode_; // per automaton node: the first link text made for its word, -1 for none
    QHash<QString, int> textOfWord_; // the link texts of words that share a node with another
    std::vector<QChar> textChars_; // the link texts, one after another
    std::vector<qsizetype> markCandidates_;
    qsizetype linked_ = 0; // how much longer the links make the page
    bool wordsOnlyInCopies_ = false;
    int version_ = 0;
};

} // namespace

std::optional<QString> linkTitlesInOnePass(QStringView body, const std::vector<QStringList> &titles, QStringView head)
{
    return Linker(body, titles, head).run();
}

} // namespace sorvek
