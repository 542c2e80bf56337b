#pragma once
// LOOK auto-links: links from words of a page to the pages whose titles hold them. The editor
// removes them before editing a page and writes them anew when it saves it; the page popup menu
// adds or removes them in the current page file.
#include "commands/textfile.h"

#include <QString>
#include <QStringList>

namespace sorvek {

enum class LookLinkMode {
    Add = 0,    // unwrap every LOOK link, then link the title words of the other pages
    Remove = 1, // unwrap every LOOK link, keeping its word
};

// The book's title index in title-length order (the search window's index in that mode, read
// from the end), and the page being linked (never linked to itself).
struct LookTitleIndex {
    QString bookFolder;      // without a trailing "/"
    QString currentPagePath; // full path of the page being linked
    QStringList relativePaths;
    QStringList titles;
};

// The words a title links: the title as the LOOK command reads it (no glyph prefix, no hint, its
// first "#" made a "/"), "<" and ">" escaped, split at "/"; empty parts are no words.
QStringList lookTitleWords(const QString &title);
// Every LOOK link (a start tag beginning "<A HREF="/$LOOK" in any case) replaced by its text.
QString unwrapLookLinks(const QString &text);
// Links each word of one title in text. Occurrences inside a link, a tag or an attribute value
// stay as they are; the link carries the word as the title spells it.
QString linkTitleWords(const QString &text, const QStringList &words);

// Both modes unwrap every LOOK link first; Add then links the words of every other page's title,
// last index entry first, outside the head and the page's own title.
QString lookAutoLink(LookLinkMode mode, const QString &text, const LookTitleIndex &index = {});

// The page popup's "LOOK自動リンク" and "LOOKの削除" on one page file: read, link or unlink,
// write back safely.
struct LookFileRewrite {
    ReadResult read;
    WriteResult write;
    bool ok() const { return read.ok && write.ok; }
    // What to tell the user when the page could not be read or written; "" when it was.
    QString message() const;
};
LookFileRewrite rewriteLookLinks(const QString &pagePath, LookLinkMode mode, const LookTitleIndex &index = {});

} // namespace sorvek
