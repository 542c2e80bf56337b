#pragma once
// A batch of renames in one folder that a killed process cannot leave half done: the batch is
// written to a journal file in the folder before the first rename, and the next look at the
// folder rolls an unfinished batch back, or finishes it once every file had left its old name.
#include "commands/textfile.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace sorvek {

// The journal's file name in its folder; the leading "_" keeps it off every page list.
QString renameJournalName();

// One file of the batch: from its old name over a temporary name to its new one.
struct JournalRename {
    QString from;
    QString temp;
    QString to;
};

struct RenameJournal {
    // Parking: files are moving from their old names to temporary ones; an unfinished batch is
    // undone. Placing: every file has left its old name; an unfinished batch is finished.
    enum class Phase { Parking, Placing };
    Phase phase = Phase::Parking;
    QList<JournalRename> renames;
    // Picture renaming: pages (relative to the book folder) whose references follow the file.
    QString oldReference;
    QString newReference;
    QStringList pages;
};

// A new batch is refused while one is pending: its journal holds the only record of the names.
// Fails with a message naming the journal when one is left in folder (the folder's next opening
// repairs it).
WriteResult noRenameJournalPending(const QString &folder);
WriteResult writeRenameJournal(const QString &folder, const RenameJournal &journal);
void removeRenameJournal(const QString &folder);

struct JournalRecovery {
    bool repaired = false;  // a file got a name back or a page was rewritten
    QString message;        // what was repaired or what could not be, for the user; "" when nothing
};

// Brings an unfinished batch of folder to an end, under the folder's rename lock: every file left
// under a temporary name gets a meaningful one (its old name when the batch was undone, its new
// one when it was finished, or a free name near them when both are taken), and pages follow a
// renamed picture. The journal is removed once every step is done or undone, pages included;
// otherwise it stays for the next time. A journal that is damaged or names anything but the
// folder's own files and the book's pages is not acted on: it is set aside under a ".rejected"
// name and the message says so. Nothing happens without a journal, nor in a folder outside
// bookFolder; a folder busy in another window is left to it (the message says so).
JournalRecovery recoverRenameJournal(const QString &folder, const QString &bookFolder);
// The same for every folder of the book (symbolic links are not followed); one message for all.
JournalRecovery recoverRenameJournals(const QString &bookFolder);

} // namespace sorvek
