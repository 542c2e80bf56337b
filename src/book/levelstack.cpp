#include "book/levelstack.h"

#include "book/pagelisting.h"
#include "book/pagelocation.h"
#include "book/pagetitles.h"
#include "commands/textfile.h"

#include <QDir>

#include <utility>

namespace sorvek {

bool LevelStack::openLevel(const QString &folder, int index, bool push, CommandOrigin origin)
{
    if (!push && !pageLists_.isEmpty())
        origin = leastTrusted(origin, origins_.last());
    // A relative folder (a drive-letter name from an old book) names nothing here.
    const bool place = QDir::isAbsolutePath(folder);
    if (!origin.isWeb() && place)
        QDir().mkdir(folder);
    std::optional<PageListing> listing = place ? listPageFolder(folder) : std::nullopt;
    const bool entered = listing.has_value();
    if (entered) {
        listedFolder_ = levelFolderPath(folder);
    } else if (!listedFolder_.isEmpty()) {
        listing = listPageFolder(listedFolder_);  // the file list stays on the folder it had
    }
    if (listedFolder_.isEmpty())
        listedFolder_ = levelFolderPath(folder);
    if (!push && !pageLists_.isEmpty())
        dropTop();
    const QStringList pages = orderPageNames(listing ? listing->names : QStringList());
    QStringList tooLarge;
    const QStringList titles = loadTitles(pages, listedFolder_, &tooLarge);
    addLevel(std::move(listing), pages, titles, tooLarge, index, origin);
    return entered;
}

bool LevelStack::openReadLevel(ReadLevel read, const QString &folder, int index, CommandOrigin origin)
{
    if (!pageLists_.isEmpty() || !read.listing || !QDir::isAbsolutePath(folder) || read.folder != levelFolderPath(folder))
        return false;
    listedFolder_ = read.folder;
    addLevel(std::move(read.listing), read.pages, read.titles, read.tooLarge, index, origin);
    return true;
}

void LevelStack::addLevel(std::optional<PageListing> listing, const QStringList &pages, const QStringList &titles,
                          const QStringList &tooLarge, int index, CommandOrigin origin)
{
    if (listing) {
        listing->tooLarge = tooLarge;
        sortNamesCaseInsensitive(listing->tooLarge);
        tellLeftOut(*listing, listedFolder_);
    }
    titleLists_.append(titles);
    pageLists_.append(pages);
    pBanList_.append(index);
    dirList_.append(listedFolder_);
    origins_.append(origin);
    titlesStale_ = false;
}

ReadLevel readRootLevel(const QString &folder)
{
    ReadLevel read;
    read.folder = levelFolderPath(folder);
    if (!QDir::isAbsolutePath(folder) || !(read.listing = listPageFolder(folder)))
        return read;
    read.pages = orderPageNames(read.listing->names);
    read.titles = readLevelTitles(read.pages, read.folder, {}, &read.tooLarge);
    return read;
}

void LevelStack::tellLeftOut(PageListing &listing, const QString &folder)
{
    const QDir dir(folder);
    const auto untold = [&](QStringList &names) {
        names.removeIf([&](const QString &name) {
            const QString path = dir.absoluteFilePath(name);
            const bool known = told_.contains(path);
            told_.insert(path);
            return known;
        });
    };
    untold(listing.notFiles);
    untold(listing.tooLarge);
    untold(listing.unreachable);
    const QString notice = pageListingNotice(listing);
    if (!notice.isEmpty())
        listingNotice_ += (listingNotice_.isEmpty() ? QString() : QStringLiteral("。")) + notice;
}

QString LevelStack::takeListingNotice()
{
    return std::exchange(listingNotice_, QString());
}

QStringList LevelStack::loadTitles(const QStringList &pages, const QString &folder, QStringList *tooLarge) const
{
    return readLevelTitles(pages, folder, titleLists_.isEmpty() ? QStringList() : titleLists_.last(), tooLarge);
}

void LevelStack::pushLevel(const QStringList &pages, const QStringList &titles, int index, const QString &folder,
                           CommandOrigin origin)
{
    QStringList sameLength = titles.mid(0, pages.size());
    while (sameLength.size() < pages.size())
        sameLength.append(titleFromFileName(pages.at(sameLength.size())));
    pageLists_.append(pages);
    titleLists_.append(sameLength);
    pBanList_.append(index);
    dirList_.append(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
    origins_.append(origin);
}

void LevelStack::dropTop()
{
    pageLists_.removeLast();
    titleLists_.removeLast();
    pBanList_.removeLast();
    dirList_.removeLast();
    origins_.removeLast();
}

void LevelStack::closeLevel()
{
    if (pageLists_.size() < 2) {
        setPageIndex(0);
        return;
    }
    dropTop();
    listedFolder_ = dirList_.last();
}

void LevelStack::closeToRoot()
{
    while (pageLists_.size() > 1)
        closeLevel();
}

void LevelStack::clear()
{
    pageLists_.clear();
    titleLists_.clear();
    pBanList_.clear();
    dirList_.clear();
    origins_.clear();
}

TitleLoadResult LevelStack::titeleLoad(int i, const QString &currentUrl)
{
    if (i < 0 || titleLists_.isEmpty() || i >= titleLists_.last().size() || i >= pageCount()
        || isWebPageReference(currentUrl))
        return {};
    const QString ref = pageLists_.last().at(i);
    const std::optional<QString> path = pageFilePath(ref, topFolder());
    if (!path)
        return {};
    const ReadResult read = readPageText(*path);
    if (!read)
        return {TitleLoadResult::Status::ReadError, read.error};
    titleLists_.last()[i] = rereadTitleFromText(read.text).value_or(titleFromFileName(ref));
    return {TitleLoadResult::Status::Loaded, QString()};
}

void LevelStack::setPageIndex(int i)
{
    if (!pBanList_.isEmpty())
        pBanList_.last() = i;
}

int LevelStack::pageCount() const
{
    return pageLists_.isEmpty() ? 0 : int(pageLists_.last().size());
}

int LevelStack::pageIndex() const
{
    return pBanList_.isEmpty() ? -1 : pBanList_.last();
}

int LevelStack::wrapPageIndex()
{
    if (pageIndex() >= pageCount() || pageIndex() < 0)
        setPageIndex(0);
    return pageIndex();
}

QString LevelStack::topFolder() const
{
    return dirList_.isEmpty() ? QString() : dirList_.last();
}

CommandOrigin LevelStack::topOrigin() const
{
    return origins_.isEmpty() ? CommandOrigin::WebPage : origins_.last();
}

QStringList LevelStack::pageList() const
{
    return pageLists_.isEmpty() ? QStringList() : pageLists_.last();
}

QStringList LevelStack::titleList() const
{
    return titleLists_.isEmpty() ? QStringList() : titleLists_.last();
}

QString LevelStack::pageReference(int i) const
{
    return pageList().value(i);
}

QString LevelStack::title(int i) const
{
    return titleList().value(i);
}

QString LevelStack::currentPageReference() const
{
    return pageReference(pageIndex());
}

QStringList LevelStack::titleListAt(int d) const
{
    return titleLists_.value(d);
}

int LevelStack::pageIndexAt(int d) const
{
    return pBanList_.value(d, -1);
}

} // namespace sorvek
