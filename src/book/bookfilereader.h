#pragma once
// The one way in for what a book holds: a file is read only when it is a regular file once its
// links are followed, and only up to the size its kind may have. A book comes from anywhere; a
// link to a device, a pipe or a flood it carries never blocks the program or fills its memory.
#include <QByteArray>
#include <QString>

namespace sorvek {

enum class BookFileKind {
    Page,          // a page, a menu, a link page, a journal
    Memo,          // a page's memo
    VariableFile,  // a variable file of the command language
    Picture,       // a picture copied into the book or the print folder
    AnyFile,       // a file copied whole (COPY, the archive, a file brought into the book)
};

enum class BookFileError { None, Missing, NotRegular, TooLarge, Unreadable };

struct BookFileRead {
    QByteArray bytes;
    BookFileError error = BookFileError::None;
    QString message;  // "<path> (<why, in Japanese>)" when not read
    bool ok() const { return error == BookFileError::None; }
    explicit operator bool() const { return ok(); }
};

// The largest file of a kind that is read, in bytes.
qint64 bookFileSizeCap(BookFileKind kind);

// The file's bytes, whole, or why they were not read. A folder, device, pipe or socket is never
// opened; a file past its kind's cap is not read at all.
BookFileRead readBookFile(const QString &path, BookFileKind kind);

#ifdef Q_OS_UNIX
// readBookFile for a name in the folder open as folderFd: the name is looked up there alone, not
// along the whole path again, which is most of the cost of reading thousands of small pages.
// path names the file in messages.
BookFileRead readBookFileAt(int folderFd, const QByteArray &nativeName, const QString &path, BookFileKind kind);
#endif

// "<path> (<why>)" for a file that was not read.
QString describeReadFailure(const QString &path, BookFileError error, BookFileKind kind, const QString &detail = {});

} // namespace sorvek
