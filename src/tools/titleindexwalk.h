#pragma once
// The walk over a folder tree that builds the title index: every page below the searched folder
// with its title, depth first, a folder's pages where the folder stands in its listing. The
// folders are listed on a worker thread ahead of the walk, and the pages of each folder are read
// on every core as soon as it is listed; the walk takes the titles in order, in slices, so the
// window that waits for it keeps painting and shows its progress.
#include "tools/pagetitleread.h"
#include "tools/titlelist.h"

#include <QDeadlineTimer>
#include <QFuture>
#include <QList>
#include <QMutex>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QWaitCondition>

#include <atomic>
#include <memory>

namespace sorvek {

class TitleIndexWalk {
public:
    // searchBase is the folder searched, ending with "/".
    explicit TitleIndexWalk(const QString &searchBase);
    // Stops the listing and the reading of pages (waiting for the pages being read).
    ~TitleIndexWalk();
    TitleIndexWalk(const TitleIndexWalk &) = delete;
    TitleIndexWalk &operator=(const TitleIndexWalk &) = delete;

    // Takes pages until the walk is done or the deadline has passed; true when done.
    bool run(QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever));
    bool done() const { return done_; }

    const QString &searchBase() const { return base_; }
    const TitleList &found() const { return found_; }
    // The title of the page read last (the progress display).
    const QString &lastTitle() const { return lastTitle_; }
    int pagesRead() const { return pagesRead_; }
    // Pages that could not be read (listed under their file names); the caller beeps for them.
    const QStringList &unreadable() const { return unreadable_; }

private:
    // A page in walk order, its title read by the future of its folder.
    struct Page {
        QString relativePath; // to the base
        QString filePath;
        std::shared_ptr<QFuture<IndexedPageTitle>> titles;
        int index = 0;
    };
    // Runs on the worker thread.
    void list(const QString &sub, QSet<QString> &visitedFolders);

    QString base_;
    QFuture<void> lister_;
    std::atomic_bool stop_ = false;
    QMutex mutex_;
    QWaitCondition listed_;
    QList<Page> pages_;     // under mutex_
    bool listingDone_ = false; // under mutex_
    qsizetype taken_ = 0;
    bool done_ = false;
    TitleList found_;
    QString lastTitle_;
    QStringList unreadable_;
    int pagesRead_ = 0;
};

// The whole walk at once (benchmarks and tests).
TitleList walkTitleIndex(const QString &searchBase);

} // namespace sorvek
