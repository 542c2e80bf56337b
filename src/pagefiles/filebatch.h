#pragma once
// The file tool's work on a list of files: moving them to the trash, copying them into the
// archive folder under their names without number prefix.
#include "platform/ports.h"

#include <QString>
#include <QStringList>

namespace sorvek {

// Files a batch could not handle, each with the reason; empty when all went well.
struct FileBatchResult {
    QStringList failed;
    bool ok() const { return failed.isEmpty(); }
};

// The name a file gets in the archive: its name without folder, extension and everything through
// the first "_" (when that leaves a name), with its own extension. 0010_表紙.html gives 表紙.html.
QString archiveFileName(const QString &path);

// Copies each file into archiveFolder (created when missing) under its archive name. Two files of
// one batch never share a name, and a picture never replaces a different file: it takes a
// numbered free name ("pic0-2.png"); a page replaces its own older copy. The archived pages name
// the archived files by their new names. Each copy is written whole or not at all.
FileBatchResult copyFilesToArchive(const QStringList &files, const QString &archiveFolder);

// Moves each file to the desktop's trash; nothing is deleted for good, and nothing that lies
// outside the guarded book folder is touched.
FileBatchResult moveFilesToTrash(const QStringList &files, IShell &shell);

} // namespace sorvek
