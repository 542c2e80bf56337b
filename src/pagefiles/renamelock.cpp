#include "pagefiles/renamelock.h"

#include <QDir>
#include <QLockFile>

namespace sorvek {

namespace {

// A lock older than this is taken over even from a process that cannot be checked (another
// machine on a shared folder); a batch of thousands of renames ends in seconds.
constexpr int staleAfterMs = 10 * 60 * 1000;

} // namespace

FolderRenameLock::FolderRenameLock(const QString &folder, int waitMs)
    : folder_(folder), lock_(std::make_unique<QLockFile>(QDir(folder).filePath(fileName())))
{
    lock_->setStaleLockTime(staleAfterMs);
    held_ = lock_->tryLock(waitMs);
    if (held_)
        return;
    if (lock_->error() == QLockFile::LockFailedError)
        error_ = folder + QStringLiteral(" は別のウィンドウで使用中です。しばらくしてから、もう一度行ってください。");
    else
        error_ = QStringLiteral("フォルダをロックできません: ") + folder
                 + QStringLiteral(" (ディスクがいっぱいか、書き込みの許可がありません)");
}

FolderRenameLock::~FolderRenameLock() = default;

QString FolderRenameLock::fileName()
{
    // The leading "_" keeps it off every page list.
    return QStringLiteral("_sorvek-rename.lock");
}

} // namespace sorvek
