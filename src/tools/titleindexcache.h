#pragma once
// The saved title index between uses of the search window, kept under the folder it was built
// for (IndexedFolder). Writing "xxx" to that key, as the pages' writers do, makes the next use
// walk the folder again.
#include "tools/titlelist.h"

#include <QString>

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
    }
    void markStale() { indexedFolder_ = staleKey(); }
    const QString &indexedFolder() const { return indexedFolder_; }

private:
    QString &indexedFolder_;
    TitleList saved_;
};

} // namespace sorvek
