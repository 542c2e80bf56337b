#pragma once
// LOOK auto-links: links from words of a page to the pages whose titles hold them. The editor
// removes them before editing a page and writes them anew when it saves it.
#include <QString>
#include <QStringList>

namespace sorvek {

enum class LookLinkMode {
    Add = 0,    // unwrap every LOOK link, then link the title words of the other pages
    Remove = 1, // unwrap every LOOK link, keeping its word
};

// The book's title index in title order, and the page being linked (never linked to itself).
struct LookTitleIndex {
    QString bookFolder;
    QString currentPagePath;
    QStringList relativePaths;
    QStringList titles;
};

// For now the text is returned unchanged in both modes; the links are filled in later.
QString lookAutoLink(LookLinkMode mode, const QString &text, const LookTitleIndex &index = {});

} // namespace sorvek
