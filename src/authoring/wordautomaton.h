#pragma once
// A dictionary automaton over case-folded words (Aho and Corasick): finds every occurrence of
// thousands of words in one pass over a text.
#include <QChar>
#include <QStringView>

#include <algorithm>
#include <bit>
#include <utility>
#include <vector>

namespace sorvek {

// The automaton's edges, (node, folded unit) -> child, in one open-addressed table: a pass over a
// text looks up an edge for every character, and a node-based map spends that time in cache misses.
// A key and its child lie side by side in 64 bits, so that a look-up reads one place and the table
// of a book's titles stays within the cache; an automaton of more than 16 million nodes takes
// twice the room.
class AutomatonEdges {
public:
    // The child on key, -1 for none.
    int find(quint64 key) const
    {
        if (!wide_.empty())
            return findWide(key);
        if (packed_.empty())
            return -1;
        for (size_t k = slot(key);; k = (k + 1) & mask_) {
            const quint64 entry = packed_[k];
            if ((entry >> kChildBits) == key)
                return int(entry & kChildMask);
            if (entry == kEmpty)
                return -1;
        }
    }
    void insert(quint64 key, int value)
    {
        if (wide_.empty() && (key >= kWideKey || quint64(value) >= kChildMask)) {
            std::vector<quint64> packed = std::move(packed_);
            packed_ = {};
            resize(sizeFor(count_ + 1), true);
            for (const quint64 entry : packed) {
                if (entry != kEmpty)
                    put(entry >> kChildBits, int(entry & kChildMask));
            }
        }
        if ((count_ + 1) * 4 > size() * 3)
            grow();
        put(key, value);
    }

private:
    static constexpr int kChildBits = 24;
    static constexpr quint64 kChildMask = (quint64(1) << kChildBits) - 1;
    static constexpr quint64 kEmpty = ~quint64(0); // no key of a packed edge shifts to all ones
    static constexpr quint64 kWideKey = (kChildMask) << 16; // keys of nodes from here on are too wide
    struct Slot {
        quint64 key = 0;
        int value = -1; // -1 for an empty slot
    };

    int findWide(quint64 key) const
    {
        for (size_t k = slot(key);; k = (k + 1) & mask_) {
            if (wide_[k].value < 0)
                return -1;
            if (wide_[k].key == key)
                return wide_[k].value;
        }
    }
    void put(quint64 key, int value)
    {
        size_t k = slot(key);
        if (!wide_.empty()) {
            while (wide_[k].value >= 0)
                k = (k + 1) & mask_;
            wide_[k] = {key, value};
        } else {
            while (packed_[k] != kEmpty)
                k = (k + 1) & mask_;
            packed_[k] = key << kChildBits | quint64(value);
        }
        ++count_;
    }
    static size_t sizeFor(size_t count)
    {
        size_t size = 64;
        while (size * 3 < count * 4)
            size *= 2;
        return size;
    }
    size_t size() const { return wide_.empty() ? packed_.size() : wide_.size(); }
    void resize(size_t size, bool wide = false)
    {
        if (wide || !wide_.empty())
            wide_.assign(size, Slot());
        else
            packed_.assign(size, kEmpty);
        mask_ = size - 1;
        shift_ = 64 - std::countr_zero(size);
        count_ = 0;
    }
    size_t slot(quint64 key) const { return size_t((key * 0x9E3779B97F4A7C15ull) >> shift_) & mask_; }
    void grow()
    {
        std::vector<quint64> packed = std::move(packed_);
        std::vector<Slot> wide = std::move(wide_);
        packed_ = {};
        wide_ = {};
        resize(sizeFor(count_ + 1), !wide.empty());
        for (const quint64 entry : packed) {
            if (entry != kEmpty)
                put(entry >> kChildBits, int(entry & kChildMask));
        }
        for (const Slot &s : wide) {
            if (s.value >= 0)
                put(s.key, s.value);
        }
    }

    std::vector<quint64> packed_; // key << 24 | child, kEmpty for none
    std::vector<Slot> wide_;      // used instead once a node or a child does not fit
    size_t mask_ = 0;
    int shift_ = 64;
    size_t count_ = 0;
};

// Many words in one automaton, so that a single pass over a text finds them all. Letters are
// compared case-folded, as the case-insensitive searches do; every surrogate counts as the same
// character, so on texts with surrogates a match means only "may occur".
class WordAutomaton {
public:
    // Room for words of units characters in all, so that adding them never copies the nodes. The
    // edge table grows as it fills instead: titles share their beginnings, and its room is written
    // when made.
    void reserve(qsizetype units)
    {
        const size_t nodes = size_t(units) + 1;
        fail_.reserve(nodes);
        terminal_.reserve(nodes);
        parent_.reserve(nodes);
        unit_.reserve(nodes);
        depth_.reserve(nodes);
    }
    // The node that stands for the word; words that fold alike share it.
    int add(QStringView word)
    {
        int node = 0;
        for (const QChar c : word) {
            const quint64 key = edgeKey(node, c);
            const int found = edges_.find(key);
            if (found >= 0) {
                node = found;
                continue;
            }
            const int child = int(fail_.size());
            const char16_t u = foldUnit(c);
            fail_.push_back(0);
            terminal_.push_back(false);
            parent_.push_back(node);
            unit_.push_back(u);
            depth_.push_back(depth_[size_t(node)] + 1);
            maxDepth_ = std::max(maxDepth_, depth_.back());
            edges_.insert(key, child);
            anyEdge_[u >> 6] |= quint64(1) << (u & 63);
            node = child;
        }
        terminal_[size_t(node)] = true;
        return node;
    }

    // Failure links and the links to the longest word that ends a node's text, shallow nodes
    // first: a node's links follow from those of shorter texts. The nodes are ordered by depth
    // with a counting sort, so that no node needs a list of its children.
    void build()
    {
        dict_.assign(fail_.size(), 0);
        marked_.assign(fail_.size(), false);
        std::vector<int> first(size_t(maxDepth_) + 2, 0);
        for (size_t node = 1; node < depth_.size(); ++node)
            ++first[size_t(depth_[node]) + 1];
        for (size_t d = 1; d < first.size(); ++d)
            first[d] += first[d - 1];
        std::vector<int> byDepth(depth_.size());
        for (size_t node = 1; node < depth_.size(); ++node)
            byDepth[size_t(first[size_t(depth_[node])]++)] = int(node);
        // The root's children fail to the root and end no shorter word.
        for (size_t k = size_t(first[1]); k < depth_.size() - 1; ++k) {
            const int child = byDepth[k];
            const char16_t c = unit_[size_t(child)];
            int f = fail_[size_t(parent_[size_t(child)])];
            while (f != 0 && edges_.find(edgeKey(f, c)) < 0)
                f = fail_[size_t(f)];
            const int to = edges_.find(edgeKey(f, c));
            fail_[size_t(child)] = to >= 0 && to != child ? to : 0;
            const int ff = fail_[size_t(child)];
            dict_[size_t(child)] = terminal_[size_t(ff)] ? ff : dict_[size_t(ff)];
        }
        // What a pass over a text reads at each node, side by side.
        matches_.resize(fail_.size());
        for (size_t node = 0; node < fail_.size(); ++node)
            matches_[node] = {terminal_[node] ? int(node) : dict_[node], dict_[node], depth_[node]};
    }

    // Marks every word that occurs in text.
    void scan(QStringView text)
    {
        int node = 0;
        for (const QChar c : text) {
            node = step(node, foldUnit(c));
            // A marked node's shorter words were marked with it.
            for (int w = terminal_[size_t(node)] ? node : dict_[size_t(node)]; w != 0 && !marked_[size_t(w)];
                 w = dict_[size_t(w)])
                marked_[size_t(w)] = true;
        }
    }

    bool marked(int node) const { return marked_[size_t(node)]; }
    // Whether some word holds the character, compared case-folded.
    bool reads(QChar c) const
    {
        const char16_t u = foldUnit(c);
        return anyEdge_[u >> 6] >> (u & 63) & 1;
    }
    // The length of the text a node stands for: of its word, for a word's node.
    int length(int node) const { return depth_[size_t(node)]; }
    // Nodes are numbered from 0 up to this, so per-node data can live in a vector.
    int nodeCount() const { return int(fail_.size()); }

    // Calls visit(node) with the node after each character of text in turn.
    template<typename Visit>
    void walk(QStringView text, Visit visit) const
    {
        int node = 0;
        for (const QChar c : text) {
            node = step(node, foldUnit(c));
            visit(node);
        }
    }
    // Calls found(word, length) for every word that ends the text of node, longest first.
    template<typename Found>
    void forEachWordEnding(int node, Found found) const
    {
        for (int w = matches_[size_t(node)].first; w != 0;) {
            const Match &m = matches_[size_t(w)];
            found(w, m.length);
            w = m.next;
        }
    }
    // Calls found(node, start) for every word that starts at index start of text, in the order
    // the words end, also for words that end inside longer ones.
    template<typename Found>
    void forEachMatch(QStringView text, Found found) const
    {
        qsizetype end = 0;
        walk(text, [&](int node) {
            ++end;
            forEachWordEnding(node, [&](int word, int length) { found(word, end - length); });
        });
    }

private:
    // The node after reading u in node, falling back along the failure links.
    int step(int node, char16_t u) const
    {
        if (!(anyEdge_[u >> 6] >> (u & 63) & 1))
            return 0; // no word holds u: every node falls back to the root
        for (;;) {
            const int to = edges_.find(edgeKey(node, u));
            if (to >= 0)
                return to;
            if (node == 0)
                return 0;
            node = fail_[size_t(node)];
        }
    }
    static char16_t foldUnit(QChar c)
    {
        const char16_t u = c.unicode();
        if (u < 0x80) // in ASCII only the capitals fold
            return u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u;
        if (c.isSurrogate())
            return 0xD800;
        return char16_t(QChar::toCaseFolded(char32_t(u)));
    }
    static quint64 edgeKey(int node, QChar c) { return edgeKey(node, foldUnit(c)); }
    static quint64 edgeKey(int node, char16_t folded) { return (quint64(quint32(node)) << 16) | folded; }

    std::vector<int> fail_{0};
    std::vector<int> dict_;
    std::vector<bool> terminal_{false};
    std::vector<bool> marked_;
    std::vector<int> parent_{0};
    std::vector<char16_t> unit_{0}; // the folded unit that leads from the parent
    std::vector<int> depth_{0};
    struct Match {
        int first;  // the longest word that ends the node's text, 0 for none
        int next;   // the longest word shorter than the node's text that ends it, 0 for none
        int length; // of the node's text
    };
    std::vector<Match> matches_;
    int maxDepth_ = 0;
    AutomatonEdges edges_;
    std::vector<quint64> anyEdge_ = std::vector<quint64>(65536 / 64); // the units some edge reads
};

} // namespace sorvek
