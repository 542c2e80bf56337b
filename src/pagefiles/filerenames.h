#pragma once
// Renames a batch of files inside one folder as one step. Every file first takes a temporary
// name and then its new one, so names may change hands within the batch; when a rename fails,
// every file of the batch gets its old name back. A journal written before the first rename lets
// a later start bring a batch cut short by a killed process to an end (renamejournal.h).
#include "commands/textfile.h"

#include <QList>
#include <QString>

#include <functional>

namespace sorvek {

class FolderRenameLock;

// One rename inside a folder: file names without a folder part.
struct FileRename {
    QString from;
    QString to;
    friend bool operator==(const FileRename &a, const FileRename &b) { return a.from == b.from && a.to == b.to; }
};

struct RenameBatchResult {
    bool ok = true;
    int renamed = 0;   // renames carried out (0 after an undone failure)
    QString error;     // what failed, and whether the old names could be restored
    explicit operator bool() const { return ok; }
};

// Whether a name is taken in folder (a file, a folder or a dangling link).
bool nameTaken(const QString &folder, const QString &name);

// Renames one file, never over an existing one; the error names the file (as shownAs when given)
// and says why in words.
WriteResult renameFile(const QString &from, const QString &to, const QString &shownAs = {});

// Whether name is one of the temporary names a batch parks its files under.
bool isTemporaryRenameName(const QString &name);

// The names of renames that the folder's file system cannot hold (too long), each with its file;
// empty when every name can be made.
QStringList unmakeableNames(const QString &folder, const QList<FileRename> &renames);
QString unmakeableNamesMessage(const QString &folder, const QStringList &names);

// The renames of wanted that can be done: a source that is missing, unchanged or named twice is
// dropped, and so is a target named twice or held by a file that stays where it is (a file outside
// the batch, or a source whose own rename was dropped). Order is kept.
QList<FileRename> feasibleRenames(const QString &folder, const QList<FileRename> &wanted);

// Called after each single rename of a batch with the number of renames made so far (each file
// is renamed twice); a seam for stopping a batch at a chosen point.
using RenameStepHook = std::function<void(int renamesDone)>;

// Carries out renames (which must be feasible) through temporary names, journalled. On a failure
// the files renamed so far are given back their old names and the result says what failed.
// The folder's rename lock is taken first; a folder busy in another window is refused.
RenameBatchResult applyRenames(const QString &folder, const QList<FileRename> &renames,
                               const RenameStepHook &afterRename = {});
// The same under a lock already held on the folder.
RenameBatchResult applyRenames(const FolderRenameLock &held, const QList<FileRename> &renames,
                               const RenameStepHook &afterRename = {});

} // namespace sorvek
