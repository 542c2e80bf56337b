#pragma once
// Which files of a folder are pages, and in which order the page buttons show them.
#include <QString>
#include <QStringList>

#include <optional>

namespace sorvek {

// A page file name: its extension (from the last ".") begins with ".htm" in any case, as the old
// "*.htm" file mask matched (".html", ".HTM", ".htm_" ...). Says nothing about "_" or "$" yet.
bool matchesPageMask(const QString &fileName);

// The plain files of folder (no folders, no hidden or special files) that match the page mask,
// in case-insensitive name order. nullopt when the folder cannot be read.
std::optional<QStringList> listPageFiles(const QString &folder);

// Case-insensitive name order; names equal but for case keep a fixed order (upper case first).
void sortNamesCaseInsensitive(QStringList &names);

// The level's page list from a sorted listing: pages named exactly "index" first, then the
// others in listing order; names beginning with "_" and extensions holding "$" or "_" are left out.
QStringList orderPageNames(const QStringList &sortedNames);

// The folder as a level keeps it: absolute, cleaned, ending with "/".
QString levelFolderPath(const QString &folder);

} // namespace sorvek
