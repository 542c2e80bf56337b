#pragma once
// Small helpers shared by the tests: real files in temporary folders, the demo book.
#include <QByteArray>
#include <QString>

#include <ostream>

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

} // namespace testutil
