#pragma once
// The saved title index between uses of the search window, kept under the folder it was built
// for (IndexedFolder). Writing "xxx" to that key, as the pages' writers do, makes the next use
// walk the folder again.
#include "tools/titlelist.h"
#include "tools/titlesort.h"

#include <QString>

#include <optional>

namespace sorvek {

class TitleIndexCache {
public:
    // The key lives with its writers (the main window's IndexedFolder) and outlives this cache.
    explicit TitleIndexCache(QString &indexedFolder)
        : indexedFolder_(indexedFolder)
    {
    }

    static QString staleKey() { return QStringLiteral("xxx"); }

    // The saved index was built for searchBase and nothing has marked it stale since.
    bool holds(const QString &searchBase) const { return indexedFolder_ == searchBase; }
    // The saved index, unsorted in walk order.
    const TitleList &saved() const { return saved_; }
    // A finished walk: also an empty one replaces the saved index, so that a folder without pages
    // never brings back the index of another folder.
    void store(const QString &searchBase, const TitleList &index)
    {
        saved_ = index;
        indexedFolder_ = searchBase;
        byTitle_.reset();
        byLength_.reset();
    }
    void markStale() { indexedFolder_ = staleKey(); }
    // The saved index in a mode's order, sorted once per saved index: every LOOK that finds the
    // index unchanged reads the same order again.
    const TitleList &sorted(SearchMode mode)
    {
        std::optional<TitleList> &slot = mode == SearchMode::TitleLength ? byLength_ : byTitle_;
        if (!slot) {
            slot = saved_;
            sortTitleList(*slot, mode);
        }
        return *slot;
    }
    const QString &indexedFolder() const { return indexedFolder_; }

private:
    QString &indexedFolder_;
    TitleList saved_;
    std::optional<TitleList> byTitle_;
    std::optional<TitleList> byLength_;
};

} // namespace sorvek
