#include "authoring/titlelinker.h"

#include "authoring/pageformat.h"
#include "authoring/wordautomaton.h"

#include <QHash>

#include <algorithm>
#include <bit>
#include <set>
#include <unordered_map>

namespace sorvek {

namespace {

constexpr auto CI = Qt::CaseInsensitive;

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

// The starts of one word or mark in the body, in order; those that a link has covered are
// passed over once and then skipped for good.
struct Starts {
    qsizetype length = 0;
    std::vector<qsizetype> at;
    std::vector<qsizetype> next; // union-find over the entries not yet known to be covered

    qsizetype alive(qsizetype i)
    {
        qsizetype root = i;
        while (next[size_t(root)] != root)
            root = next[size_t(root)];
        while (next[size_t(i)] != root) {
            const qsizetype up = next[size_t(i)];
            next[size_t(i)] = root;
            i = up;
        }
        return root;
    }
    void seal()
    {
        next.resize(at.size() + 1);
        for (size_t k = 0; k < next.size(); ++k)
            next[k] = qsizetype(k);
    }
};

// A set of places in the body with quick searches for the next and the previous one: one bit
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
    // The last place at or before x; -1 for none.
    qsizetype previous(qsizetype x) const
    {
        if (x < 0)
            return -1;
        qsizetype w = x >> 6;
        if (w >= qsizetype(bits_.size())) {
            w = qsizetype(bits_.size()) - 1;
            x = (w << 6) + 63;
        }
        const quint64 here = bits_[size_t(w)] & (~quint64(0) >> (63 - (x & 63)));
        if (here)
            return (w << 6) + 63 - std::countl_zero(here);
        --w;
        for (qsizetype s = w >> 6; w >= 0 && s >= 0; --s) {
            quint64 words = summary_[size_t(s)];
            if (s == (w >> 6))
                words &= ~quint64(0) >> (63 - (w & 63));
            if (words) {
                const qsizetype word = (s << 6) + 63 - std::countl_zero(words);
                return (word << 6) + 63 - std::countl_zero(bits_[size_t(word)]);
            }
        }
        return -1;
    }

private:
    std::vector<quint64> bits_;
    std::vector<quint64> summary_;
};

// The marks of the word rule: every start tag of a link, "</A", "<A", the quote and the angles.
enum Mark { LinkStart, LinkClose, AnyLink, Quote, Less, Greater, MarkCount };
const char16_t *const kMarks[MarkCount] = {u"<A HREF=", u"</A", u"<A", u"\"", u"<", u">"};

class Linker {
public:
    Linker(const QString &body, const std::vector<QStringList> &titles)
        : body_(body)
        , n_(body.size())
        , titles_(titles)
        , linkAt_(size_t(n_), -1)
        , starts_(n_)
    {
    }

    std::optional<QString> run()
    {
        const auto hasSurrogate = [](const QString &t) {
            return std::any_of(t.begin(), t.end(), [](QChar c) { return c.isSurrogate(); });
        };
        if (hasSurrogate(body_))
            return std::nullopt;
        std::vector<std::vector<int>> nodes(titles_.size());
        for (size_t t = 0; t < titles_.size(); ++t) {
            for (const QString &word : titles_[t]) {
                if (hasSurrogate(word))
                    return std::nullopt;
                const int node = automaton_.add(word);
                nodes[t].push_back(node);
                length_[node] = word.size();
            }
        }
        automaton_.build();
        automaton_.forEachMatch(body_, [this](int node, qsizetype end) {
            Starts &s = words_[node];
            s.length = length_.at(node);
            s.at.push_back(end - s.length);
        });
        for (auto &[node, s] : words_)
            s.seal();
        for (int m = 0; m < MarkCount; ++m) {
            const QStringView mark(kMarks[m]);
            Starts &s = marks_[m];
            s.length = mark.size();
            for (qsizetype at = body_.indexOf(mark, 0, CI); at >= 0; at = body_.indexOf(mark, at + 1, CI))
                s.at.push_back(at);
            s.seal();
        }

        // Applying the same words to the same text again changes nothing.
        QHash<QStringList, int> unchangedAt;
        for (size_t t = 0; t < titles_.size(); ++t) {
            const QStringList &words = titles_[t];
            const auto seen = unchangedAt.constFind(words);
            if (seen != unchangedAt.constEnd() && *seen == version_)
                continue;
            const int versionBefore = version_;
            Pos r = place(0);
            for (qsizetype k = 0; k < words.size(); ++k) {
                if (!linkWord(r, nodes[t][size_t(k)], words.at(k)))
                    return std::nullopt;
            }
            if (version_ == versionBefore)
                unchangedAt.insert(words, version_);
        }
        return text();
    }

private:
    struct Link {
        qsizetype end;
        QString text;
    };

    const Link &linkAt(qsizetype x) const { return links_[size_t(linkAt_[size_t(x)])]; }
    Pos end() const { return {n_, -1}; }
    bool exists(Pos p) const { return p.x < n_; }
    Pos earlier(Pos a, Pos b) const { return before(a, b) ? a : b; }

    // The place of the body's character x, or of the link that stands there.
    Pos place(qsizetype x) const
    {
        if (x >= n_)
            return end();
        return {x, linkAt_[size_t(x)] >= 0 ? 0 : -1};
    }
    Pos next(Pos p) const { return advance(p, 1); }
    Pos advance(Pos p, qsizetype by) const
    {
        if (p.o < 0)
            return place(p.x + by);
        const Link &link = linkAt(p.x);
        return p.o + by < link.text.size() ? Pos{p.x, p.o + by} : place(link.end);
    }

    bool covered(qsizetype from, qsizetype to) const
    {
        const qsizetype last = starts_.previous(to - 1);
        return last >= 0 && linkAt(last).end > from;
    }

    // The first start at or after x in the body that no link covers; n_ for none.
    qsizetype firstInBody(Starts &s, qsizetype x)
    {
        qsizetype i = std::lower_bound(s.at.begin(), s.at.end(), x) - s.at.begin();
        for (;;) {
            i = s.alive(i);
            if (i >= qsizetype(s.at.size()))
                return n_;
            const qsizetype at = s.at[size_t(i)];
            if (!covered(at, at + s.length))
                return at;
            s.next[size_t(i)] = i + 1;
        }
    }
    // Body characters after p: from p itself, or from the end of the link p lies in.
    qsizetype bodyFrom(Pos p) const { return p.o < 0 ? p.x : linkAt(p.x).end; }

    // The first occurrence at or after p of a mark; of a word, both the first in the body and
    // the first inside a link.
    Pos findMark(Mark m, Pos p)
    {
        Pos found{firstInBody(marks_[m], bodyFrom(p)), -1};
        const QStringView mark(kMarks[m]);
        if (p.o >= 0) {
            const qsizetype at = linkAt(p.x).text.indexOf(mark, p.o, CI);
            if (at >= 0)
                return earlier(found, {p.x, at});
        }
        const qsizetype later = starts_.next(p.x + 1);
        if (later >= 0)
            found = earlier(found, {later, linkAt(later).text.indexOf(mark, 0, CI)});
        return found;
    }
    std::pair<Pos, Pos> findWord(int node, const QString &word, Pos p)
    {
        const auto s = words_.find(node);
        const Pos inBody{s == words_.end() ? n_ : firstInBody(s->second, bodyFrom(p)), -1};
        if (p.o >= 0) {
            const qsizetype at = linkAt(p.x).text.indexOf(word, p.o, CI);
            if (at >= 0)
                return {inBody, {p.x, at}};
        }
        const auto with = linksWith_.find(node);
        if (with == linksWith_.end())
            return {inBody, end()};
        const auto it = with->second.upper_bound(p.x);
        if (it == with->second.end())
            return {inBody, end()};
        return {inBody, {*it, linkAt(*it).text.indexOf(word, 0, CI)}};
    }
    Pos findWordFirst(int node, const QString &word, Pos p)
    {
        const auto [inBody, inLink] = findWord(node, word, p);
        return earlier(inBody, inLink);
    }

    // The word rule from r for one word; false when a link would go inside a link.
    bool linkWord(Pos &r, int node, const QString &word)
    {
        for (;;) {
            const auto [inBody, inLink] = findWord(node, word, r);
            const Pos p = earlier(inBody, inLink);
            if (!exists(p))
                return true;
            if (p.o >= 0 && !(r.o >= 0 && r.x == p.x)) {
                // The first occurrence lies in a later link: that link is passed over whole, and
                // so is every further link holding the word before its next occurrence in the
                // body text.
                const std::set<qsizetype> &with = linksWith_.at(node);
                auto last = with.lower_bound(inBody.x);
                --last;
                r = place(linkAt(*last).end);
                continue;
            }
            // The inside-link test.
            const Pos a = findMark(LinkStart, r);
            if (exists(a)) {
                const Pos w = findWordFirst(node, word, next(a));
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
            Pos after = advance(p, word.size());
            const Pos q = findMark(Quote, after);
            const Pos l = findMark(Less, after);
            const Pos g = findMark(Greater, after);
            const bool inTag = (exists(q) && exists(l) && before(q, l)) || (exists(g) && (!exists(l) || before(g, l)));
            if (!inTag) {
                if (p.o >= 0)
                    return false;
                addLink(p.x, p.x + word.size(), word);
                after = place(p.x + word.size());
            }
            r = after;
        }
    }

    void addLink(qsizetype from, qsizetype to, const QString &word)
    {
        auto made = linkTexts_.find(word);
        if (made == linkTexts_.end()) {
            LinkText link{pageformat::makeLookLink(word), {}};
            automaton_.forEachMatch(link.text, [&link](int node, qsizetype) { link.words.insert(node); });
            made = linkTexts_.insert(word, link);
        }
        linkAt_[size_t(from)] = int(links_.size());
        links_.push_back(Link{to, made->text});
        starts_.insert(from);
        for (const int node : made->words)
            linksWith_[node].insert(from);
        ++version_;
    }

    QString text() const
    {
        QString out;
        qsizetype at = 0;
        for (qsizetype from = starts_.next(0); from >= 0; from = starts_.next(from + 1)) {
            const Link &link = linkAt(from);
            out += QStringView(body_).sliced(at, from - at);
            out += link.text;
            at = link.end;
        }
        out += QStringView(body_).sliced(at);
        return out;
    }

    struct LinkText {
        QString text;
        std::set<int> words; // the words that occur in it
    };

    const QString &body_;
    const qsizetype n_;
    const std::vector<QStringList> &titles_;
    WordAutomaton automaton_;
    std::unordered_map<int, qsizetype> length_;
    std::unordered_map<int, Starts> words_;
    Starts marks_[MarkCount];
    std::vector<int> linkAt_; // per body character: the link that starts there, -1 for none
    std::vector<Link> links_;
    PlaceSet starts_;         // where links start
    std::unordered_map<int, std::set<qsizetype>> linksWith_;   // the links a word occurs in
    QHash<QString, LinkText> linkTexts_;
    int version_ = 0;
};

} // namespace

std::optional<QString> linkTitlesInOnePass(const QString &body, const std::vector<QStringList> &titles)
{
    return Linker(body, titles).run();
}

} // namespace sorvek
