#include "tools/titleindexwalk.h"

#include <QDir>
#include <QtConcurrent/QtConcurrentMap>

namespace sorvek {

namespace {

// MicroWorlds EX keeps its own HTML files there: they are no pages of the book.
const QString kMwexFolder = QStringLiteral("MWEX");

} // namespace

TitleIndexWalk::TitleIndexWalk(const QString &searchBase)
    : base_(searchBase.endsWith(u'/') ? searchBase : searchBase + u'/')
{
    enter(QString());
}

TitleIndexWalk::~TitleIndexWalk()
{
    for (Frame &frame : frames_)
        frame.titles.cancel();
    for (Frame &frame : frames_)
        frame.titles.waitForFinished();
}

void TitleIndexWalk::enter(const QString &sub)
{
    const QDir dir(base_ + sub);
    const QString canonical = dir.canonicalPath();
    if (canonical.isEmpty() || visitedFolders_.contains(canonical))
        return;
    visitedFolders_.insert(canonical);
    // Hidden and system entries count too; names in the order a Windows file system lists them.
    const QFileInfoList entries = dir.entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    QStringList pages;
    for (const QFileInfo &entry : entries) {
        if (entry.isFile() && isIndexedPageName(entry.fileName()))
            pages.append(entry.filePath());
    }
    frames_.append(Frame{sub, entries, 0, QtConcurrent::mapped(pages, readIndexedPageTitle), 0});
}

void TitleIndexWalk::visitPage(const QString &sub, const QFileInfo &entry, const IndexedPageTitle &page)
{
    ++pagesRead_;
    lastTitle_ = page.title;
    if (!page.readable)
        unreadable_.append(entry.filePath());
    if (page.searchable)
        found_.append(sub + entry.fileName(), page.title);
}

bool TitleIndexWalk::run(QDeadlineTimer deadline)
{
    while (!frames_.isEmpty()) {
        Frame &top = frames_.last();
        if (top.next >= top.entries.size()) {
            frames_.removeLast();
            continue;
        }
        // enter may push a frame and so move the list's storage: it gets copies.
        const QFileInfo entry = top.entries.at(top.next++);
        const QString sub = top.sub;
        if (entry.isFile()) {
            if (isIndexedPageName(entry.fileName()))
                visitPage(sub, entry, top.titles.resultAt(top.pagesTaken++));
        } else if (entry.isDir() && !(sub.isEmpty() && entry.fileName() == kMwexFolder)) {
            enter(sub + entry.fileName() + u'/');
        }
        if (deadline.hasExpired())
            break;
    }
    return frames_.isEmpty();
}

TitleList walkTitleIndex(const QString &searchBase)
{
    TitleIndexWalk walk(searchBase);
    walk.run();
    return walk.found();
}

} // namespace sorvek
