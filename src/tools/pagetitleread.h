#pragma once
// Reading one page for the title index: its title (or the name the file stands for when it has
// none) and whether it may be found at all.
#include <QByteArrayView>
#include <QString>

namespace sorvek {

struct IndexedPageTitle {
    QString title;
    bool searchable = true; // the page does not hold "NOTFIND"
    bool readable = true;   // false: the file could not be read and title is the fallback name
};

// File names the walk takes as pages: ".html" anywhere in the name (exact case), no leading "_".
bool isIndexedPageName(const QString &fileName);
// The file name without folder and extension, cut after its first "_" (0010_表紙.html -> 表紙).
QString fallbackPageName(const QString &filePath);
// The title between "<TITLE>" and "</TITLE>" (or the lower-case pair when the text holds
// "<title>"), untrimmed; the fallback name when it is empty or its tags are missing or disordered.
// The page is given as its UTF-8 bytes; only the title is decoded.
IndexedPageTitle pageTitleFromBytes(const QString &filePath, QByteArrayView bytes);
IndexedPageTitle readIndexedPageTitle(const QString &filePath);

} // namespace sorvek
