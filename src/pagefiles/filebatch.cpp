#include "pagefiles/filebatch.h"

#include "commands/booktree.h"
#include "commands/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

FileBatchResult copyFilesToArchive(const QStringList &files, const QString &archiveFolder)
{
    FileBatchResult result;
    if (!QDir().mkpath(archiveFolder)) {
        for (const QString &file : files)
            result.failed.append(failure(file, QStringLiteral("書庫フォルダを作れません: ") + archiveFolder));
        return result;
    }
    const QDir archive(archiveFolder);
    for (const QString &file : files) {
        QFile source(file);
        if (!source.open(QIODevice::ReadOnly)) {
            result.failed.append(failure(file, fileErrorInWords(source)));
            continue;
        }
        const QByteArray bytes = source.readAll();
        if (source.error() != QFileDevice::NoError) {
            result.failed.append(failure(file, fileErrorInWords(source)));
            continue;
        }
        const WriteResult written = writeBytesSafely(archive.filePath(archiveFileName(file)), bytes);
        if (!written)
            result.failed.append(failure(file, written.error));
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
