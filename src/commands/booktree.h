#pragma once
// Where a path of the book really lies once symbolic links are followed, so that nothing the
// program writes, lists or trashes leaves the book folder through a link.
#include <QString>

namespace sorvek {

// The place path names with every symbolic link resolved, also when the file (or a dangling
// link's target) does not exist yet: its nearest existing folder is resolved and the rest kept.
QString resolvedLocation(const QString &path);

// True when path, links resolved, is folder itself or lies below it (folder resolved too).
bool resolvesInside(const QString &path, const QString &folder);

// True when the entry path names (a final link itself, not where it leads) lies in folder once
// the folders on its way are resolved: what may be listed, moved or trashed as part of folder.
bool entryLiesInside(const QString &path, const QString &folder);

// True when the path as written (".." cleaned, no links followed) lies in folder.
bool liesLexicallyInside(const QString &path, const QString &folder);

// The book folder guarded by the safe writer: a write to a path inside it is refused when the
// path really leads outside it. Empty (the default) guards nothing.
void setGuardedBookFolder(const QString &folder);
QString guardedBookFolder();

// True when the safe writer may write path: it lies outside the guarded book, or resolves inside it.
bool mayWriteInBook(const QString &path);

} // namespace sorvek
