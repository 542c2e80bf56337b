#include "commands/booktree.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QStringList>

namespace sorvek {

namespace {

QMutex guardLock;
QString guardedFolder;

QString absoluteClean(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

bool within(const QString &path, const QString &folder)
{
    if (path.isEmpty() || folder.isEmpty())
        return false;
    if (path == folder || folder == QLatin1String("/"))
        return true;
    return path.startsWith(folder + QLatin1Char('/'));
}

} // namespace

QString resolvedLocation(const QString &path)
{
    QString current = absoluteClean(path);
    QStringList tail;
    // A bounded walk: a loop of links resolves to nothing rather than hanging.
    for (int step = 0; step < 256; ++step) {
        const QFileInfo info(current);
        if (info.exists()) {
            QString resolved = info.canonicalFilePath();
            for (const QString &name : tail)
                resolved = QDir::cleanPath(resolved + QLatin1Char('/') + name);
            return resolved;
        }
        if (info.isSymLink()) {
            current = QDir::cleanPath(info.symLinkTarget());
            continue;
        }
        const QString parent = QDir::cleanPath(info.absolutePath());
        if (parent == current)
            return current;
        tail.prepend(info.fileName());
        current = parent;
    }
    return QString();
}

bool resolvesInside(const QString &path, const QString &folder)
{
    return within(resolvedLocation(path), resolvedLocation(folder));
}

bool entryLiesInside(const QString &path, const QString &folder)
{
    const QFileInfo entry(absoluteClean(path));
    const QString folderOfEntry = resolvedLocation(entry.absolutePath());
    if (folderOfEntry.isEmpty())
        return false;
    return within(QDir::cleanPath(folderOfEntry + QLatin1Char('/') + entry.fileName()), resolvedLocation(folder));
}

bool liesLexicallyInside(const QString &path, const QString &folder)
{
    return within(absoluteClean(path), absoluteClean(folder));
}

void setGuardedBookFolder(const QString &folder)
{
    const QMutexLocker locker(&guardLock);
    guardedFolder = folder;
}

QString guardedBookFolder()
{
    const QMutexLocker locker(&guardLock);
    return guardedFolder;
}

bool mayWriteInBook(const QString &path)
{
    const QString book = guardedBookFolder();
    if (book.isEmpty())
        return true;
    if (!liesLexicallyInside(path, book) && !liesLexicallyInside(path, resolvedLocation(book)))
        return true;
    return resolvesInside(path, book);
}

} // namespace sorvek
