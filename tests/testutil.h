#pragma once
// Small helpers shared by the tests: real files in temporary folders, the demo book.
#include "book/levelstack.h"

#include <QByteArray>
#include <QString>

#include <ostream>

#include <sys/resource.h>

// Readable QStrings in test failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace testutil {

// Writes bytes to dir/relativePath, creating folders; returns the absolute path.
QString writeBytes(const QString &dir, const QString &relativePath, const QByteArray &bytes);
// Writes text as UTF-8 with a byte-order mark and CR LF line ends, as the program's pages are.
QString writePage(const QString &dir, const QString &relativePath, const QString &text);
QByteArray readBytes(const QString &path);
// Makes a folder unwritable, also for root (which ignores permission bits: the immutable
// attribute is used then); false when that is not possible here. restoreFolder undoes it.
bool makeFolderReadOnly(const QString &folder);
void restoreFolder(const QString &folder);
// Copies a folder tree; returns false when something could not be copied.
bool copyFolder(const QString &from, const QString &to);
// The demo book shipped in the repository.
QString demoBookFolder();

// A level stack whose levels the program opened from the book itself.
struct BookLevels : sorvek::LevelStack {
    using LevelStack::openLevel;
    using LevelStack::pushLevel;
    bool openLevel(const QString &folder, int index, bool push)
    {
        return openLevel(folder, index, push, sorvek::CommandOrigin::localBookPage());
    }
    void pushLevel(const QStringList &pages, const QStringList &titles, int index, const QString &folder)
    {
        pushLevel(pages, titles, index, folder, sorvek::CommandOrigin::localBookPage());
    }
};

// A folder where no more bytes fit once fill() has run: a small tmpfs filled to the brim where the
// test may mount one, otherwise a file-size limit of zero for the process (writes then fail with
// EFBIG, as they would on a full disk). release() gives the room back.
class NoRoom {
public:
    explicit NoRoom(const QString &folder);
    ~NoRoom();
    NoRoom(const NoRoom &) = delete;
    NoRoom &operator=(const NoRoom &) = delete;
    bool diskFull() const { return mounted_; }  // false: the file-size limit stands in
    void fill();
    void release();

private:
    QString folder_;
    bool mounted_ = false;
    rlimit limit_{};
};

} // namespace testutil
