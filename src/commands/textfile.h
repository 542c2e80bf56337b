#pragma once
// Reading and writing the book's text files: pages, menus and memos in UTF-8 with a byte-order
// mark and CR LF line ends; variable files and print copies in code page 932. Every write goes
// through QSaveFile, so a target is either replaced whole or left as it was.
#include <QString>
#include <QStringList>

namespace sorvek {

// Outcome of a write: ok, or what failed in words a user can read (the path included).
struct WriteResult {
    bool ok = false;
    QString error;
    explicit operator bool() const { return ok; }
};

// Outcome of a read: the text, or why it could not be read.
struct ReadResult {
    bool ok = false;
    QString text;
    QString error;
    explicit operator bool() const { return ok; }
};

// Reads a file as UTF-8; a leading byte-order mark is skipped. Line ends are left as they are.
ReadResult readPageText(const QString &path);
// Reads a file in code page 932 (a UTF-8 or UTF-16 byte-order mark overrides it).
ReadResult readCodePageText(const QString &path);

// Splits text into lines at CR LF, LF or CR; a final line end adds no empty line.
QStringList splitLines(const QString &text);

// Writes lines as UTF-8 with byte-order mark, each line (the last one included) ended by CR LF.
WriteResult writePageLines(const QString &path, const QStringList &lines);
// The same for a text: it is split with splitLines first.
WriteResult writePageText(const QString &path, const QString &text);
// Writes lines in code page 932, each ended by CR LF, no byte-order mark.
WriteResult writeCodePageLines(const QString &path, const QStringList &lines);
// Writes raw bytes safely (pictures, downloads).
WriteResult writeBytesSafely(const QString &path, const QByteArray &bytes);

// A page still declared as Shift_JIS is converted in place to UTF-8: the first "SHIFT_JIS"
// (any case) of its code page 932 reading becomes "UTF-8" and the page is written back.
// Returns the page's text read as UTF-8 (after the conversion, when one was made).
QString migrateShiftJisPage(const QString &path);

} // namespace sorvek
