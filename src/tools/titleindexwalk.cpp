#include "tools/titleindexwalk.h"

#include <QDir>
#include <QtConcurrent/QtConcurrentMap>
#include <QtConcurrent/QtConcurrentRun>

namespace sorvek {

namespace {

// MicroWorlds EX keeps its own HTML files there: they are no pages of the book.
const QString kMwexFolder = QStringLiteral("MWEX");

} // namespace

TitleIndexWalk::TitleIndexWalk(const QString &searchBase)
    : base_(searchBase.endsWith(u'/') ? searchBase : searchBase + u'/')
{
    lister_ = QtConcurrent::run([this] {
        QSet<QString> visited;
        list(QString(), visited);
        const QMutexLocker lock(&mutex_);
        listingDone_ = true;
        listed_.wakeAll();
    });
}

TitleIndexWalk::~TitleIndexWalk()
{
    stop_ = true;
    lister_.waitForFinished();
    // Folders share one future: each is cancelled, then waited for, once.
    QSet<QFuture<IndexedPageTitle> *> futures;
    for (const Page &page : std::as_const(pages_))
        futures.insert(page.titles.get());
    for (QFuture<IndexedPageTitle> *titles : std::as_const(futures))
        titles->cancel();
    for (QFuture<IndexedPageTitle> *titles : std::as_const(futures))
        titles->waitForFinished();
}

void TitleIndexWalk::list(const QString &sub, QSet<QString> &visitedFolders)
{
    if (stop_)
        return;
    const QDir dir(base_ + sub);
    // Canonical paths: a linked folder that loops is entered once.
    const QString canonical = dir.canonicalPath();
    if (canonical.isEmpty() || visitedFolders.contains(canonical))
        return;
    visitedFolders.insert(canonical);
    // Hidden and system entries count too; names in the order a Windows file system lists them.
    const QFileInfoList entries = dir.entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    QStringList pagePaths;
    for (const QFileInfo &entry : entries) {
        if (entry.isFile() && isIndexedPageName(entry.fileName()))
            pagePaths.append(entry.filePath());
    }
    auto titles = std::make_shared<QFuture<IndexedPageTitle>>(QtConcurrent::mapped(pagePaths, readIndexedPageTitle));
    QList<Page> run; // the pages up to the next folder, handed over at once
    int index = 0;
    const auto handOver = [&] {
        if (run.isEmpty())
            return;
        const QMutexLocker lock(&mutex_);
        pages_.append(run);
        run.clear();
        listed_.wakeAll();
    };
    for (const QFileInfo &entry : entries) {
        if (entry.isFile()) {
            if (isIndexedPageName(entry.fileName())) {
                run.append(Page{sub + entry.fileName(), pagePaths.at(index), titles, index});
                ++index;
            }
        } else if (entry.isDir() && !(sub.isEmpty() && entry.fileName() == kMwexFolder)) {
            handOver();
            list(sub + entry.fileName() + u'/', visitedFolders);
        }
    }
    handOver();
    if (index == 0) { // no page holds it: nobody waits for it
        titles->cancel();
        titles->waitForFinished();
    }
}

bool TitleIndexWalk::run(QDeadlineTimer deadline)
{
    while (!done_) {
        Page page;
        {
            QMutexLocker lock(&mutex_);
            while (taken_ >= pages_.size() && !listingDone_) {
                if (!listed_.wait(&mutex_, deadline))
                    return false;
            }
            if (taken_ >= pages_.size()) {
                done_ = true;
                break;
            }
            page = pages_.at(taken_++);
        }
        const IndexedPageTitle title = page.titles->resultAt(page.index);
        ++pagesRead_;
        lastTitle_ = title.title;
        if (!title.readable)
            unreadable_.append(page.filePath);
        if (title.searchable)
            found_.append(page.relativePath, title.title);
        if (deadline.hasExpired())
            break;
    }
    return done_;
}

TitleList walkTitleIndex(const QString &searchBase)
{
    TitleIndexWalk walk(searchBase);
    walk.run();
    return walk.found();
}

} // namespace sorvek
