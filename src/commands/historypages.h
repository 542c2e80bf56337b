#pragma once
// Points the history pages of a folder level at the current history file.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace sorvek {

// A page entry whose name, in upper case, holds "HISTORY".
bool isHistoryPage(const QString &entry);

// The script source a history page of topFolder gets: relative to the book folder at the root
// level, a full path below it.
QString historyScriptSource(const QString &bookFolder, const QString &topFolder,
                            const QString &historyName);

// The page file's bytes with the value of its first 'SCRIPT SRC="' (any case) replaced by source
// in UTF-8; every other byte (byte-order mark, line ends) stays as it was. Nothing when the page
// holds none (it is then left alone).
std::optional<QByteArray> withHistoryScriptSource(const QByteArray &pageBytes, const QString &source);

struct HistoryRewriteResult {
    QStringList rewritten; // paths of the pages written
    QStringList failed;    // messages for pages that could not be read or written
};

// Rewrites every history page among the level's entries (top folder + entry), in list order.
HistoryRewriteResult rewriteHistoryPages(const QStringList &pages, const QString &topFolder,
                                         const QString &source);

} // namespace sorvek
