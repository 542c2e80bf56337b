#include "print/printpictures.h"

#include "commands/textfile.h"
#include "commands/texthelpers.h"
#include "pagefiles/pagereferences.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace sorvek {

namespace {

// A name copied below the print folder must stay inside it.
bool staysInside(const QString &name)
{
    if (name.isEmpty() || isAbsoluteOrUrl(name) || name.contains(QLatin1Char(':')))
        return false;
    const QStringList parts = name.split(QLatin1Char('/'));
    return !parts.contains(QStringLiteral(".."));
}

} // namespace

QStringList pictureNames(QStringView html)
{
    QStringList names;
    for (const PageReference &ref : scanPageReferences(html)) {
        if (!ref.shown())
            continue;
        // A web address or an absolute path is shown from where it is; nothing to copy.
        const QString path = referencedPath(ref.value);
        if (!path.isEmpty())
            names.append(path);
    }
    return names;
}

PictureCopyResult copyPrintPictures(const QStringList &names, const QStringList &sourceFolders,
                                    const QString &printFolder)
{
    PictureCopyResult result;
    QSet<QString> done;
    for (const QString &raw : names) {
        const QString name = toSlashes(raw);
        if (done.contains(name))
            continue;
        done.insert(name);
        if (!staysInside(name)) {
            result.skipped.append(raw);
            continue;
        }
        QString source;
        for (const QString &folder : sourceFolders) {
            const QString candidate = folder + QLatin1Char('/') + name;
            if (QFileInfo(candidate).isFile()) {
                source = candidate;
                break;
            }
        }
        const BookFileRead read = readBookFile(source, BookFileKind::Picture);
        if (!read) {
            result.failed.append(raw);
            continue;
        }
        const QString target = printFolder + QLatin1Char('/') + name;
        // A picture in a subfolder ("img/a.png") keeps its folder, so the document still finds it.
        if (QDir().mkpath(QFileInfo(target).path()) && writeBytesSafely(target, read.bytes))
            ++result.copied;
        else
            result.failed.append(raw);
    }
    return result;
}

} // namespace sorvek
