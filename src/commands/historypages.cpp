#include "commands/historypages.h"

#include "commands/textfile.h"
#include "commands/texthelpers.h"

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

std::optional<QString> withHistoryScriptSource(const QString &pageText, const QString &source)
{
    static const QString marker = QStringLiteral("SCRIPT SRC=\"");
    // A case-insensitive search keeps positions in the original text (upper-casing may not).
    const qsizetype at = pageText.indexOf(marker, 0, Qt::CaseInsensitive);
    if (at < 0)
        return std::nullopt;
    const qsizetype start = at + marker.size();
    const qsizetype end = pageText.indexOf(u'"', start);
    if (end < 0)
        return std::nullopt; // an unclosed value: better left than cut off
    QString text = pageText;
    text.replace(start, end - start, source);
    return text;
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
        const ReadResult read = readPageText(path);
        if (!read) {
            result.failed.append(read.error);
            continue;
        }
        const std::optional<QString> text = withHistoryScriptSource(read.text, source);
        if (!text)
            continue;
        const WriteResult written = writePageText(path, *text);
        if (written)
            result.rewritten.append(path);
        else
            result.failed.append(written.error);
    }
    return result;
}

} // namespace sorvek
