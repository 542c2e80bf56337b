#pragma once
// Files of a folder that look like page material (pictures, sounds, memos, backups ...) but that
// no page of the level uses, nor the folder's side-menu or help page.
#include <QString>
#include <QStringList>

namespace sorvek {

// The file masks of page material; pages themselves (".htm", ".html") never match.
const QStringList &unneededFileMasks();

// Full paths of the plain files of folder that match a mask (any letter case), in
// case-insensitive name order.
QStringList unneededFileCandidates(const QString &folder);

struct UnneededFiles {
    QStringList files;               // full paths, in name order
    QStringList commandLinkNotices;  // from the pages scanned, one per command link
};

// The candidates of folder that no page of pages (the level's page list), nor "_index.html" or
// "_help.html" of the folder (any letter case), uses by src=, a title glyph, background=, href=
// or CSS url() (in the page or in a style sheet it uses), quoted either way or not, and that are
// no companion of a scanned page. Nothing when folder really lies outside
// the book (a link to elsewhere).
UnneededFiles findUnneededFiles(const QString &folder, const QStringList &pages, const QString &bookFolder);

} // namespace sorvek
