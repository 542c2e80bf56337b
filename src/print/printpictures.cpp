#include "print/printpictures.h"

#include "commands/textfile.h"
#include "commands/texthelpers.h"

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
    static const QString src = QStringLiteral("SRC=\"");
    for (qsizetype at = html.indexOf(src, 0, Qt::CaseInsensitive); at >= 0;
         at = html.indexOf(src, at, Qt::CaseInsensitive)) {
        at += src.size();
        const qsizetype end = html.indexOf(u'"', at);
        if (end < 0)
            break;
        names.append(html.sliced(at, end - at).toString());
        at = end + 1;
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
        if (writeBytesSafely(printFolder + QLatin1Char('/') + name, read.bytes))
            ++result.copied;
        else
            result.failed.append(raw);
    }
    return result;
}

} // namespace sorvek
