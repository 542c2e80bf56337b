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
// The name of the page at a 0-based position: its name without any prefix, behind 1000 + 10 x
// position written with at least width digits (leading zeros), so that name order is page order.
QString numberedPageName(const QString &name, int position, int width = 4);
// The digits every prefix of a level of pageCount pages needs: 4 while 1000 + 10 x the last
// position fits, more beyond (from 900 pages on).
int numberWidth(int pageCount);
// The same path with another extension (the part from the last "." of the file name replaced).
QString withExtension(const QString &name, const QString &extension);

// The page list with the entry at from moved to position to. The first page (from 0) moves only
// when firstPageMoves (a new page placed by the program); an entry outside the list moves
// nothing; to is kept inside the list.
QStringList movePageEntry(const QStringList &pages, int from, int to, bool firstPageMoves = false);
// The 0-based position the page-order dialog's 1-based text asks for, kept inside the level;
// nullopt when the text is no number.
std::optional<int> positionFromDialog(const QString &text, int pageCount);

// A batch of page renames with their companions, or the companions whose new names are taken by
// other files: then nothing may be renamed, or a stray file would become a page's companion.
struct RenamePlan {
    QList<FileRename> renames;
    QList<FileRename> collisions;  // a page's own companion -> a name another file holds
    QList<FileRename> strays;      // a page without that companion -> the file under its new name
};
// The message naming the files of the collisions and strays, and what the user can do.
QString companionCollisionMessage(const QString &folder, const RenamePlan &plan);

// The renames that number the pages in list order, with their companions. Pages named "index"
// (in exact case, anywhere in the name without extension) and entries with a folder part keep
// their names; so does a page whose new name is taken by a file that stays, and the companions
// of a page that is not renamed.
RenamePlan planPageRenumbering(const QString &folder, const QStringList &pages);
// The renames that strip the number prefixes, page by page in list order, with their
// companions: a name already taken gets a running number appended (a.html, a1.html, a12.html ...).
// A page whose name would be empty, hidden or no page name ("1030_.html", "1000__x.html") keeps it.
RenamePlan planNumberStripping(const QString &folder, const QStringList &pages);

// Carry the plans out under the folder's rename lock (planned under it too); on a collision, a
// name too long for the folder or a failure no file is left renamed.
RenameBatchResult renumberPages(const QString &folder, const QStringList &pages, const RenameStepHook &afterRename = {});

// Moving the page at from to position to and renumbering the level's files in the new order.
struct PageMoveResult {
    int position = 0;            // where the moved page now is: the level's new current index
    RenameBatchResult renames;
};
PageMoveResult movePageAndRenumber(const QString &folder, const QStringList &pages, int from, int to,
                                   bool firstPageMoves = false);
RenameBatchResult stripPageNumbers(const QString &folder, const QStringList &pages);

} // namespace sorvek
