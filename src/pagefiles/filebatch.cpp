#include "pagefiles/filebatch.h"

#include "commands/booktree.h"
#include "commands/textfile.h"
#include "commands/texthelpers.h"
#include "pagefiles/pagereferences.h"
#include "pagefiles/picturenumbering.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace sorvek {

namespace {

QString failure(const QString &path, const QString &reason)
{
    return path + QStringLiteral(" (") + reason + QLatin1Char(')');
}

} // namespace

QString archiveFileName(const QString &path)
{
    const QFileInfo info(path);
    const QString fileName = info.fileName();
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? fileName : fileName.left(dot);
    const QString extension = dot < 0 ? QString() : fileName.mid(dot);
    const qsizetype underscore = base.indexOf(QLatin1Char('_'));
    const QString stripped = underscore < 0 ? base : base.mid(underscore + 1);
    return (stripped.isEmpty() ? base : stripped) + extension;
}

namespace {

struct ArchiveItem {
    QString source;   // absolute, clean
    QByteArray bytes;
    QString name;     // its name in the archive
    bool page = false;
};

// The name a file takes in the archive. A name already given to another file of this batch is
// never shared, and a picture (any file but a page) never replaces a different file there: it
// gets the first free numbered name, "pic0-2.png", "pic0-3.png" ... A page archived again replaces
// its older copy.
QString archiveNameFor(const QDir &archive, const ArchiveItem &item, const QSet<QString> &given)
{
    const QString wanted = archiveFileName(item.source);
    const qsizetype dot = wanted.lastIndexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? wanted : wanted.left(dot);
    const QString extension = dot < 0 ? QString() : wanted.mid(dot);
    for (int n = 1;; ++n) {
        const QString name = n == 1 ? wanted : base + QLatin1Char('-') + QString::number(n) + extension;
        if (given.contains(name))
            continue;
        const QFileInfo there(archive.filePath(name));
        if (item.page || (!there.exists() && !there.isSymLink()))
            return name;
        QFile older(there.filePath());
        if (there.isFile() && older.open(QIODevice::ReadOnly) && older.size() == item.bytes.size()
            && older.readAll() == item.bytes)
            return name;  // the same picture, archived before
    }
}

// An archived page names the archived files by their archive names: its pictures and the pages
// it links to lie beside it now. A page whose text cannot be read back whole keeps its bytes.
QByteArray archivedPageBytes(const ArchiveItem &page, const QHash<QString, QString> &names)
{
    const DecodedPage decoded = decodePageBytes(page.bytes);
    if (!decoded.clean)
        return page.bytes;
    const QString text =
        renameReferences(decoded.text, QFileInfo(page.source).path(), names, ReferenceRewrite::NameOnly);
    if (text == decoded.text)
        return page.bytes;
    return QByteArray("\xEF\xBB\xBF") + (decoded.declaresShiftJis ? declareUtf8(text) : text).toUtf8();
}

} // namespace

FileBatchResult copyFilesToArchive(const QStringList &files, const QString &archiveFolder)
{
    FileBatchResult result;
    if (!QDir().mkpath(archiveFolder)) {
        for (const QString &file : files)
            result.failed.append(failure(file, QStringLiteral("書庫フォルダを作れません: ") + archiveFolder));
        return result;
    }
    const QDir archive(archiveFolder);
    QList<ArchiveItem> items;
    for (const QString &file : files) {
        BookFileRead read = readBookFile(file, BookFileKind::AnyFile);
        if (!read) {
            result.failed.append(failure(file, read.message));
            continue;
        }
        items.append({QDir::cleanPath(QFileInfo(file).absoluteFilePath()), std::move(read.bytes), {}, isPageFile(file)});
    }
    // Pictures first: each keeps its name when it is free, so the pages' rewritten references stay
    // as short as they can.
    std::stable_partition(items.begin(), items.end(), [](const ArchiveItem &item) { return !item.page; });
    QSet<QString> given;
    QHash<QString, QString> names;
    for (ArchiveItem &item : items) {
        item.name = archiveNameFor(archive, item, given);
        given.insert(item.name);
        names.insert(item.source, item.name);
    }
    for (const ArchiveItem &item : items) {
        const QByteArray bytes = item.page ? archivedPageBytes(item, names) : item.bytes;
        const WriteResult written = writeBytesSafely(archive.filePath(item.name), bytes);
        if (!written)
            result.failed.append(failure(item.source, written.error));
    }
    return result;
}

FileBatchResult moveFilesToTrash(const QStringList &files, IShell &shell)
{
    FileBatchResult result;
    const QString book = guardedBookFolder();
    for (const QString &file : files) {
        if (!book.isEmpty() && !entryLiesInside(file, book))
            result.failed.append(failure(file, QStringLiteral("ブックのフォルダの外です")));
        else if (!QFileInfo::exists(file))
            result.failed.append(failure(file, QStringLiteral("ファイルがありません")));
        else if (!shell.moveToTrash(file))
            result.failed.append(failure(file, QStringLiteral("ゴミ箱へ移動できません")));
    }
    return result;
}

} // namespace sorvek
