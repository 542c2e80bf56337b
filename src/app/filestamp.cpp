#include "app/filestamp.h"

#include "book/bookfilereader.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>

namespace sorvek {

FileStampResult fileStamp(const QString &path)
{
    if (path.isEmpty())
        return {};
    QElapsedTimer clock;
    clock.start();
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return {};
    const QString stamp = info.lastModified().toLocalTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    return {stamp, int(std::min<qint64>(clock.elapsed(), 20))};
}

namespace {

// Only a regular file of a sane size is hashed: a FIFO or a device would block or never end.
constexpr qint64 kLargestHashed = 256LL * 1024 * 1024;

} // namespace

FileState fileState(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return {};
    FileState state{true, info.size(), info.lastModified().toMSecsSinceEpoch(), {}};
    if (info.isFile() && info.size() <= kLargestHashed) {
        if (const BookFileRead read = readBookFile(path, BookFileKind::AnyFile))
            state.hash = QCryptographicHash::hash(read.bytes, QCryptographicHash::Sha256);
    }
    return state;
}

bool changedOnDisk(const QString &path, const FileState &opened)
{
    const FileState now = fileState(path);
    if (now.exists != opened.exists)
        return true;
    if (!now.exists)
        return false;
    if (now.size != opened.size)
        return true;
    if (!now.hash.isEmpty() && !opened.hash.isEmpty())
        return now.hash != opened.hash;
    return now.modifiedMs != opened.modifiedMs;
}

QString freeNameBeside(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot <= 0 ? name : name.left(dot);
    const QString extension = dot <= 0 ? QString() : name.mid(dot);
    for (int n = 1;; ++n) {
        const QString candidate =
            n == 1 ? path : info.dir().filePath(base + QLatin1Char('-') + QString::number(n) + extension);
        const QFileInfo there(candidate);
        if (!there.exists() && !there.isSymLink())
            return candidate;
    }
}

ChangedFileQuestion changedFileQuestion(const QString &path)
{
    return {QStringLiteral("このファイルは開いた後で、ほかのプログラムによって変更（または削除）されています:\n") + path
                + QStringLiteral("\n\n上書きすると、その変更は失われます。どうしますか？"),
            {QStringLiteral("上書き保存"), QStringLiteral("両方残す（別名で保存）"), QStringLiteral("キャンセル")},
            2};
}

ChangedFileChoice changedFileChoice(int pressed)
{
    switch (pressed) {
    case 0:
        return ChangedFileChoice::Overwrite;
    case 1:
        return ChangedFileChoice::KeepBoth;
    default:
        return ChangedFileChoice::Cancel;
    }
}

QString keptBothNotice(const QString &path, const QString &savedAs, bool written)
{
    return (written ? QStringLiteral("編集内容を別の名前で保存しました:\n") : QStringLiteral("編集内容は別の名前で保存します:\n"))
           + savedAs + QStringLiteral("\n\n変更されたファイルはそのままです:\n")
           + path;
}

} // namespace sorvek
