#include "tools/titleindexwalk.h"

#include "tools/pagetitleread.h"

#include <QDir>

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
    frames_.append(Frame{sub, entries, 0});
}

void TitleIndexWalk::visit(const QString &sub, const QFileInfo &entry)
{
    const QString name = entry.fileName();
    if (entry.isFile()) {
        if (!isIndexedPageName(name))
            return;
        const IndexedPageTitle page = readIndexedPageTitle(entry.filePath());
        ++pagesRead_;
        lastTitle_ = page.title;
        if (!page.readable)
            unreadable_.append(entry.filePath());
        if (page.searchable)
            found_.append(sub + name, page.title);
    } else if (entry.isDir()) {
        if (sub.isEmpty() && name == kMwexFolder)
            return;
        enter(sub + name + u'/');
    }
}

bool TitleIndexWalk::run(QDeadlineTimer deadline)
{
    while (!frames_.isEmpty()) {
        Frame &top = frames_.last();
        if (top.next >= top.entries.size()) {
            frames_.removeLast();
            continue;
        }
        // visit may push a frame and so move the list's storage: it gets copies.
        const QFileInfo entry = top.entries.at(top.next++);
        visit(QString(top.sub), entry);
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
