#pragma once
// The book is browsed as a stack of levels: the root is the book folder; a level is pushed for a
// folder entered, a link page with several links, or a search result. Four parallel stacks of
// equal depth, the last entry being the top (current) level.
#include "book/pagelisting.h"
#include "commands/linkdispatcher.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace sorvek {

// Outcome of re-reading one title from its page file.
struct TitleLoadResult {
    enum class Status { Loaded, Skipped, ReadError };
    Status status = Status::Skipped;
    QString error;  // the read error, for the caller to report
};

// A folder read for a first level away from the stack, on a thread of its own: its listing
// (nullopt when it could not be read), its pages in order and their titles.
struct ReadLevel {
    QString folder;  // as a level keeps it
    std::optional<PageListing> listing;
    QStringList pages;
    QStringList titles;
    QStringList tooLarge;
};

// Reads folder as openLevel reads a first level.
ReadLevel readRootLevel(const QString &folder);

class LevelStack
{
public:
    // Opens folder as a new top level (push) or in place of the top level, with its page list
    // and titles; index becomes the level's current page. The folder is created when missing
    // (one step). A folder that cannot be read gives a level of the folder listed last.
    // Returns false in that case. origin is who asked: a level a web page asked for keeps web
    // trust and never creates a folder; a level opened in place keeps the trust it had.
    bool openLevel(const QString &folder, int index, bool push, CommandOrigin origin);
    // openLevel(folder, index, true, origin) on an empty stack, from what readRootLevel read of
    // folder. Opens nothing and returns false when the stack is not empty or read is not a
    // readable listing of folder.
    bool openReadLevel(ReadLevel read, const QString &folder, int index, CommandOrigin origin);
    // Pushes a level whose pages are not a folder listing (link or search results, a copy for a
    // sub-call). folder gets a trailing "/".
    void pushLevel(const QStringList &pages, const QStringList &titles, int index, const QString &folder,
                   CommandOrigin origin);
    // Drops the top level; at the root only the page index becomes 0.
    void closeLevel();
    // Drops every level above the root, leaving the root's page index alone.
    void closeToRoot();
    // Empties all four stacks (before the root is opened again).
    void clear();

    // Re-reads the title of page i of the top level from its file (exact-case tags, no
    // migration). Skipped for an index outside the level, an empty title list, or while a web
    // page is shown (currentUrl is the current-URL register).
    TitleLoadResult titeleLoad(int i, const QString &currentUrl);

    void setPageIndex(int i);  // nothing without a level
    int pageCount() const;     // 0 without a level
    int pageIndex() const;     // -1 without a level
    // The current index, set to 0 first when it lies outside the top level's pages.
    int wrapPageIndex();

    int depth() const { return int(pageLists_.size()); }
    QString topFolder() const;                 // "" without a level
    CommandOrigin topOrigin() const;           // who the top level was built for (web without one)
    QStringList pageList() const;              // top level's page references
    QStringList titleList() const;             // top level's titles
    QString pageReference(int i) const;        // "" outside the top level
    QString title(int i) const;                // "" outside the top level
    QString currentPageReference() const;
    // The level at depth d (0 is the root), for the breadcrumb: its titles and its page index.
    QStringList titleListAt(int d) const;
    int pageIndexAt(int d) const;              // -1 outside the stack

    bool titlesStale() const { return titlesStale_; }
    void setTitlesStale(bool stale) { titlesStale_ = stale; }

    // What the listings since the last call left out and had not told before ("" when nothing):
    // each left-out file is told once, not at every listing of its folder.
    QString takeListingNotice();

private:
    // Adds what the listing of folder left out, and had not told before, to the notice.
    void tellLeftOut(PageListing &listing, const QString &folder);
    void addLevel(std::optional<PageListing> listing, const QStringList &pages, const QStringList &titles,
                  const QStringList &tooLarge, int index, CommandOrigin origin);
    QStringList loadTitles(const QStringList &pages, const QString &folder, QStringList *tooLarge) const;
    void dropTop();

    QList<QStringList> pageLists_;   // PageLists
    QList<QStringList> titleLists_;  // TitleLists
    QList<int> pBanList_;            // PBanList
    QStringList dirList_;            // DIRList, each ending with "/"
    QList<CommandOrigin> origins_;   // each level's trust
    QString listedFolder_;           // the folder whose files were listed last
    bool titlesStale_ = false;       // TitlesStale
    QSet<QString> told_;             // left-out files already told, by path
    QString listingNotice_;
};

} // namespace sorvek
