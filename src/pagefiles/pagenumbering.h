#pragma once
// The order of a folder's pages is their file-name order: moving a page renames the pages with
// number prefixes (1000 + 10 x position, then "_"), and stripping takes the prefixes off again.
// Companion files (".txt" memo, ".wav" recording) follow their page.
#include "pagefiles/filerenames.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace sorvek {

// The name without everything through its first "_" (when that "_" is not the first character);
// std::nullopt when it carries no such prefix.
std::optional<QString> withoutNumberPrefix(const QString &name);
// The name of the page at a 0-based position: its name without any prefix, behind 1000 + 10 x position.
QString numberedPageName(const QString &name, int position);
// The same path with another extension (the part from the last "." of the file name replaced).
QString withExtension(const QString &name, const QString &extension);

// The page list with the entry at from moved to position to. The first page (from 0) and an
// entry outside the list move nothing; to is kept inside the list.
QStringList movePageEntry(const QStringList &pages, int from, int to);
// The 0-based position the page-order dialog's 1-based text asks for, kept inside the level;
// nullopt when the text is no number.
std::optional<int> positionFromDialog(const QString &text, int pageCount);

// The renames that number the pages in list order, with their companions. Pages named "index"
// (in exact case, anywhere in the name without extension) and entries with a folder part keep
// their names; so does a page whose new name is taken by a file that stays, and the companions
// of a page that is not renamed.
QList<FileRename> planPageRenumbering(const QString &folder, const QStringList &pages);
// The renames that strip the number prefixes, page by page in list order, with their
// companions: a name already taken gets a running number appended (a.html, a1.html, a12.html ...).
QList<FileRename> planNumberStripping(const QString &folder, const QStringList &pages);

// Carry the plans out; on a failure no file is left renamed.
RenameBatchResult renumberPages(const QString &folder, const QStringList &pages);

// Moving the page at from to position to and renumbering the level's files in the new order.
struct PageMoveResult {
    int position = 0;            // where the moved page now is: the level's new current index
    RenameBatchResult renames;
};
PageMoveResult movePageAndRenumber(const QString &folder, const QStringList &pages, int from, int to);
RenameBatchResult stripPageNumbers(const QString &folder, const QStringList &pages);

} // namespace sorvek
