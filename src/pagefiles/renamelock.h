#pragma once
// The lock a folder's renames are made under, so that two windows (two processes) never rename in
// one folder at once: a batch and the repair of an unfinished one each take it first.
#include <QString>

#include <memory>

class QLockFile;

namespace sorvek {

class FolderRenameLock {
public:
    // Waits up to waitMs for a lock held by another process; a lock left by a process that died
    // is taken over.
    explicit FolderRenameLock(const QString &folder, int waitMs = 1000);
    ~FolderRenameLock();
    FolderRenameLock(const FolderRenameLock &) = delete;
    FolderRenameLock &operator=(const FolderRenameLock &) = delete;

    bool held() const { return held_; }
    QString folder() const { return folder_; }
    // Why the lock was not taken, for the user; "" when held.
    QString error() const { return error_; }

    static QString fileName();

private:
    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    bool held_ = false;
    QString error_;
};

} // namespace sorvek
