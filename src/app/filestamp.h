#pragma once
// The file watch's time stamps: a file's last-write time as "yyyyMMdd-hhmmss" in local time,
// and how long the lookup took, which stretches the watch interval on slow disks. And what an
// editing window remembers of its file, so that a save never silently overwrites another
// program's change.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace sorvek {

struct FileStampResult {
    QString stamp;     // "" when no file exists there (or it cannot be read)
    int latencyMs = 0; // 0..20
};

FileStampResult fileStamp(const QString &path);

// The watch interval after a tick: 3 s plus 1 s for every millisecond of the last lookup.
inline int watchInterval(int latencyMs)
{
    return 3000 + 1000 * latencyMs;
}

// What a file was when a window read it, to tell before a save whether another program has
// changed it since: whether it was there, its size, its last-write time and a hash of its bytes.
struct FileState {
    bool exists = false;
    qint64 size = -1;
    qint64 modifiedMs = 0;
    QByteArray hash;  // SHA-256 of the bytes; empty when they could not be read
};
FileState fileState(const QString &path);
// Whether the file at path is no longer as `opened` found it. The bytes decide when both hashes
// are known (a program that rewrote the same text changed nothing); otherwise size and time do.
bool changedOnDisk(const QString &path, const FileState &opened);

// The first name beside path that names nothing yet: path itself, else "name-2.ext",
// "name-3.ext" ... in the same folder.
QString freeNameBeside(const QString &path);

// What to do with a file another program changed since the window read it.
enum class ChangedFileChoice {
    Overwrite, // write over it; the other program's change is lost
    KeepBoth,  // write the edit under a free name beside it (freeNameBeside)
    Cancel,    // write nothing; editing goes on
};
// The question the window asks (through its prompt) before writing over such a file; the safe
// choice, Cancel, is the default button.
struct ChangedFileQuestion {
    QString text;
    QStringList buttons;
    int safeChoice = 0;
};
ChangedFileQuestion changedFileQuestion(const QString &path);
// The answer: the index of the button pressed; anything else is Cancel.
ChangedFileChoice changedFileChoice(int pressed);
// The notice on keeping both: where the edit goes (written: already saved there).
QString keptBothNotice(const QString &path, const QString &savedAs, bool written);

} // namespace sorvek
