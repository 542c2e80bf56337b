#pragma once
// The file tool's picture numbering: selected pictures get the names base + number, and the
// selected pages that name them are rewritten to the new names.
#include "commands/textfile.h"

#include <QString>
#include <QStringList>

namespace sorvek {

// ".jpeg", ".jpg", ".gif", ".png" in any letter case.
bool isPictureFile(const QString &path);
// ".html", ".htm" in any letter case.
bool isPageFile(const QString &path);

// The base name typed by the user: trimmed, and only its last path component.
QString pictureBaseName(const QString &typed);
// folder + base + n + extension for the first n from 0 whose file does not exist.
QString freePictureName(const QString &folder, const QString &base, const QString &extension);

// text of a page in pageFolder with every reference that names the file oldPath (resolved from
// the page's folder, percent escapes decoded, names compared as the file system compares them)
// pointing at newPath's name instead; the folder part stays as written. Bare text, and references
// to a same-named file elsewhere, are never touched.
QString replacePictureReferences(const QString &text, const QString &pageFolder, const QString &oldPath,
                                 const QString &newPath);

// The same on a page file (UTF-8, a byte-order mark kept), written back only when it changed:
// oldName and newName are names in pictureFolder ("" for the page's own folder).
struct PageReferenceRewrite {
    bool changed = false;
    WriteResult written{true, {}};
};
PageReferenceRewrite replaceReferencesInPage(const QString &page, const QString &oldName, const QString &newName,
                                             const QString &pictureFolder = {});

struct PictureRenameResult {
    bool ok = false;
    QString newPath;  // the picture's new full path
    QString error;    // what failed; the picture and the pages are then as they were
};

// Renames picture to the first free base + number name of its folder and rewrites the pages
// (full paths inside bookFolder) that refer to it. All or nothing: when a page cannot be read or
// written, the picture gets its old name back and the pages already written their old text; what
// cannot be given back is left to the journal, and the result says so.
PictureRenameResult renamePictureInPages(const QString &picture, const QString &base, const QStringList &pages,
                                         const QString &bookFolder);

} // namespace sorvek
