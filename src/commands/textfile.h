#pragma once
// Reading and writing the book's text files: pages, menus and memos in UTF-8 with a byte-order
// mark and CR LF line ends; variable files and print copies in code page 932. Every write goes
// through QSaveFile, so a target is either replaced whole or left as it was.
#include "book/bookfilereader.h"

#include <QString>
#include <QStringList>

class QFileDevice;

namespace sorvek {

// Outcome of a write: ok, or what failed in words a user can read (the path included).
struct WriteResult {
    bool ok = false;
    QString error;
    int unmappable = 0;  // characters written as "?" because code page 932 cannot hold them
    explicit operator bool() const { return ok; }
};

// Outcome of a read: the text, or why it could not be read.
struct ReadResult {
    bool ok = false;
    QString text;
    QString error;
    explicit operator bool() const { return ok; }
};

// "<path> (<why, in words>)" for a failed write: errno as it stood right after the failing call
// (0 when unknown), else the device's own error text; never "Unknown error".
QString describeWriteFailure(const QString &path, int error, const QString &deviceError);
// Why a file operation failed, in the user's words (never Qt's English text), and the same as
// "<path> (<why>)".
QString fileErrorInWords(const QFileDevice &file);
// Qt's or the C library's English error text as the user's words; "" when it says nothing known.
QString errorTextInWords(const QString &text);
QString describeFileFailure(const QString &path, const QFileDevice &file);

// Every read goes through readBookFile, with the size cap of the kind of file it is.
// Reads a file as UTF-8; a leading byte-order mark is skipped. Line ends are left as they are.
ReadResult readPageText(const QString &path, BookFileKind kind = BookFileKind::Page);
// Reads a file in code page 932 (a UTF-8 or UTF-16 byte-order mark overrides it).
ReadResult readCodePageText(const QString &path, BookFileKind kind = BookFileKind::VariableFile);
// Reads a file by what its bytes are: a byte-order mark, else valid UTF-8, else code page 932;
// bytes that are neither are shown as best they can be (the reading with fewer faults).
ReadResult readTextByContent(const QString &path, BookFileKind kind = BookFileKind::Memo);
QString decodeByContent(const QByteArray &bytes);

// The charset named by the first META tag of a page that declares one ("" when none):
// <meta charset="..."> or <meta ... content="text/html; charset=...">, in any letter case.
QString declaredCharset(const QString &text);
// The same declaration with where its name stands in the text (at is -1 when there is none).
struct CharsetDeclaration {
    qsizetype at = -1;
    QString name;
};
CharsetDeclaration findCharsetDeclaration(const QString &text);
// True for the names of code page 932 and its Shift_JIS kin (Shift_JIS, shift-jis, x-sjis,
// MS932, windows-31j, cp932 ...), in any letter case.
bool isCodePage932Name(const QString &name);

// Splits text into lines at CR LF, LF or CR; a final line end adds no empty line.
QStringList splitLines(const QString &text);

// Writes lines as UTF-8 with byte-order mark, each line (the last one included) ended by CR LF.
WriteResult writePageLines(const QString &path, const QStringList &lines);
// The same for a text: it is split with splitLines first.
WriteResult writePageText(const QString &path, const QString &text);
// Writes lines in code page 932, each ended by CR LF, no byte-order mark. A character the code
// page cannot hold is written as "?" and counted in the result's unmappable.
WriteResult writeCodePageLines(const QString &path, const QStringList &lines);
// Writes raw bytes safely (pictures, downloads): the target is replaced only when every byte
// reached the disk, and never through a link that leads out of the guarded book folder.
WriteResult writeBytesSafely(const QString &path, const QByteArray &bytes);

// A page whose head's META tag (see findHeadCharsetDeclaration) declares Shift_JIS (any name of code page 932) and whose bytes really are
// code page 932 (no invalid bytes, and not UTF-8) is converted in place to UTF-8: the declared
// name becomes "UTF-8" and the page is written back. Any other page is left as it is.
// Returns the page's text: as written after a conversion, else the best reading of its bytes.
QString migrateShiftJisPage(const QString &path);

} // namespace sorvek
