#pragma once
// What the page popup's delete and archive items work on: the current page and the files it
// uses, refused for web pages and for archiving inside the archive itself.
#include <QString>

namespace sorvek {

enum class PageFileMode { Delete = 0, Archive = 1 };

// Whether the task may run: the current-URL register and the page reference name no web page,
// and an archive copy is not asked for inside the archive folder (bookFolder + "/書庫/").
bool pageFileTaskAllowed(PageFileMode mode, const QString &currentUrl, const QString &pageRef,
                         const QString &topFolder, const QString &bookFolder);

// The page's full path: an absolute reference as it is, else inside topFolder.
QString pageFileTaskPath(const QString &topFolder, const QString &pageRef);

// The file tool's caption for the task.
QString fileToolCaption(PageFileMode mode);
// The caption of the unneeded-file clean-up.
QString unneededFilesCaption();
// The message when the clean-up finds nothing.
QString noUnneededFilesMessage();

} // namespace sorvek
