#include "pagefiles/unneededfiles.h"

#include "book/pagelisting.h"
#include "commands/booktree.h"
#include "pagefiles/linkedfiles.h"

#include <QDir>

namespace sorvek {

namespace {

// The folder's own file named name in any letter case; name itself when there is none.
QString folderFileIgnoringCase(const QDir &dir, const QString &name)
{
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString &found : names) {
        if (found.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(found);
    }
    return dir.filePath(name);
}

} // namespace

const QStringList &unneededFileMasks()
{
    static const QStringList masks = QStringLiteral(
        "*.$*;*.jt*;*.j?w;*.txt;*.doc;*.rtf;*.bmp;*.wav;*.avi;*.wmv;*.gif;*.png;*.jpg;*.jpeg;*.bak;*.mwx;*.ht_;*.htm_")
        .split(QLatin1Char(';'));
    return masks;
}

QStringList unneededFileCandidates(const QString &folder)
{
    QDir dir(folder);
    // Hidden files stay out, as the old file list left them out.
    QStringList names = dir.entryList(unneededFileMasks(), QDir::Files);
    sortNamesCaseInsensitive(names);
    QStringList paths;
    for (const QString &name : names)
        paths.append(QDir::cleanPath(dir.filePath(name)));
    return paths;
}

UnneededFiles findUnneededFiles(const QString &folder, const QStringList &pages, const QString &bookFolder)
{
    // A level reached through a link to a folder outside the book offers nothing to the trash.
    if (!bookFolder.isEmpty() && !resolvesInside(folder, bookFolder))
        return {};
    const QDir dir(folder);
    const QString top = QDir::cleanPath(folder) + QLatin1Char('/');
    LinkedFileCollector used(top, bookFolder);
    used.followStyleSheets();
    for (const QString &page : pages)
        used.collect(QDir::isAbsolutePath(page) ? page : top + page);
    used.collect(folderFileIgnoringCase(dir, QStringLiteral("_index.html")));
    used.collect(folderFileIgnoringCase(dir, QStringLiteral("_help.html")));
    UnneededFiles result;
    for (const QString &candidate : unneededFileCandidates(folder)) {
        if (!used.contains(candidate))
            result.files.append(candidate);
    }
    result.commandLinkNotices = used.commandLinkNotices();
    return result;
}

} // namespace sorvek
