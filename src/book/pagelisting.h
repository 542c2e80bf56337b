#pragma once
// Which files of a folder are pages, and in which order the page buttons show them.
#include <QString>
#include <QStringList>

#include <optional>

namespace sorvek {

// A page file name: its extension (from the last ".") begins with ".htm" in any case, as the old
// "*.htm" file mask matched (".html", ".HTM", ".htm_" ...). Says nothing about "_" or "$" yet.
bool matchesPageMask(const QString &fileName);

// A folder's page files, and the page names it holds that are never read.
struct PageListing {
    QStringList names;        // regular files (links followed) matching the page mask, sorted
    QStringList notFiles;     // folders, devices, pipes and sockets under a page name
    QStringList tooLarge;     // pages past the page cap, found when their titles are read
    QStringList unreachable;  // names not in UTF-8, shown read as code page 932 where they are
};

// The page files of folder (no hidden files, nothing but regular files once links are
// followed), in case-insensitive name order. nullopt when the folder cannot be read.
std::optional<PageListing> listPageFolder(const QString &folder);
// Only the names of listPageFolder.
std::optional<QStringList> listPageFiles(const QString &folder);

// What a listing left out, in words for the user; "" when nothing was.
QString pageListingNotice(const PageListing &listing);

// Case-insensitive name order; names equal but for case keep a fixed order (upper case first).
void sortNamesCaseInsensitive(QStringList &names);

// The level's page list from a sorted listing: pages named exactly "index" first, then the
// others in listing order; names beginning with "_" and extensions holding "$" or "_" are left out.
QStringList orderPageNames(const QStringList &sortedNames);

// The folder as a level keeps it: absolute, cleaned, ending with "/".
QString levelFolderPath(const QString &folder);

} // namespace sorvek
