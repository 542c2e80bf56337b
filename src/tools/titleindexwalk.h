#pragma once
// The walk over a folder tree that builds the title index: every page below the searched folder
// with its title, depth first, a folder's pages where the folder stands in its listing. The walk
// runs in slices so the window that waits for it keeps painting and shows its progress; the pages
// of each folder are read on every core as soon as the walk enters it.
#include "tools/pagetitleread.h"
#include "tools/titlelist.h"

#include <QDeadlineTimer>
#include <QFileInfoList>
#include <QFuture>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace sorvek {

class TitleIndexWalk {
public:
    // searchBase is the folder searched, ending with "/".
    explicit TitleIndexWalk(const QString &searchBase);
    // Stops the reading of pages (waiting for the pages being read).
    ~TitleIndexWalk();
    TitleIndexWalk(const TitleIndexWalk &) = delete;
    TitleIndexWalk &operator=(const TitleIndexWalk &) = delete;

    // Reads pages until the walk is done or the deadline has passed; true when done.
    bool run(QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever));
    bool done() const { return frames_.isEmpty(); }

    const QString &searchBase() const { return base_; }
    const TitleList &found() const { return found_; }
    // The title of the page read last (the progress display).
    const QString &lastTitle() const { return lastTitle_; }
    int pagesRead() const { return pagesRead_; }
    // Pages that could not be read (listed under their file names); the caller beeps for them.
    const QStringList &unreadable() const { return unreadable_; }

private:
    struct Frame {
        QString sub; // relative to the base, "" at the top, else "a/b/"
        QFileInfoList entries;
        qsizetype next = 0;
        QFuture<IndexedPageTitle> titles; // of the entries that are pages, in their order
        int pagesTaken = 0;
    };
    void enter(const QString &sub);
    void visitPage(const QString &sub, const QFileInfo &entry, const IndexedPageTitle &page);

    QString base_;
    QList<Frame> frames_;
    QSet<QString> visitedFolders_; // canonical paths: a linked folder that loops is entered once
    TitleList found_;
    QString lastTitle_;
    QStringList unreadable_;
    int pagesRead_ = 0;
};

// The whole walk at once (benchmarks and tests).
TitleList walkTitleIndex(const QString &searchBase);

} // namespace sorvek
