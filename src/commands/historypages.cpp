#include "commands/historypages.h"

#include "commands/textfile.h"
#include "commands/texthelpers.h"

#include <QFile>
#include <QFileInfo>

namespace sorvek {

bool isHistoryPage(const QString &entry)
{
    return entry.contains(QStringLiteral("HISTORY"), Qt::CaseInsensitive);
}

QString historyScriptSource(const QString &bookFolder, const QString &topFolder,
                            const QString &historyName)
{
    const QString relative = toSlashes(historyName) + QStringLiteral(".txt");
    if (topFolder == bookFolder + u'/')
        return relative;
    return bookFolder + u'/' + relative;
}

std::optional<QByteArray> withHistoryScriptSource(const QByteArray &pageBytes, const QString &source)
{
    static const QByteArray marker("SCRIPT SRC=\"");
    // Working on the bytes keeps the rest of the page exactly as its author saved it; ASCII
    // upper-casing keeps every byte where it was.
    const qsizetype at = pageBytes.toUpper().indexOf(marker);
    if (at < 0)
        return std::nullopt;
    const qsizetype start = at + marker.size();
    const qsizetype end = pageBytes.indexOf('"', start);
    if (end < 0)
        return std::nullopt; // an unclosed value: better left than cut off
    QByteArray bytes = pageBytes;
    bytes.replace(start, end - start, source.toUtf8());
    return bytes;
}

HistoryRewriteResult rewriteHistoryPages(const QStringList &pages, const QString &topFolder,
                                         const QString &source)
{
    HistoryRewriteResult result;
    for (const QString &entry : pages) {
        if (!isHistoryPage(entry))
            continue;
        const QString path = topFolder + entry;
        if (!QFileInfo(path).isFile())
            continue; // a web address or a vanished page: nothing to point
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            result.failed.append(describeFileFailure(path, file));
            continue;
        }
        const std::optional<QByteArray> bytes = withHistoryScriptSource(file.readAll(), source);
        file.close();
        if (!bytes)
            continue;
        const WriteResult written = writeBytesSafely(path, *bytes);
        if (written)
            result.rewritten.append(path);
        else
            result.failed.append(written.error);
    }
    return result;
}

} // namespace sorvek
