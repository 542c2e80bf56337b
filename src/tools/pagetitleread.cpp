#include "tools/pagetitleread.h"

#include "commands/textfile.h"

namespace sorvek {

bool isIndexedPageName(const QString &fileName)
{
    return fileName.contains(u".html") && !fileName.startsWith(u'_');
}

QString fallbackPageName(const QString &filePath)
{
    QString name = filePath.mid(filePath.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    return name.mid(name.indexOf(u'_') + 1);
}

IndexedPageTitle pageTitleFromText(const QString &filePath, const QString &text)
{
    const bool lower = text.contains(u"<title>");
    const QString open = lower ? QStringLiteral("<title>") : QStringLiteral("<TITLE>");
    const QString close = lower ? QStringLiteral("</title>") : QStringLiteral("</TITLE>");
    IndexedPageTitle result;
    result.searchable = !text.contains(u"NOTFIND");
    const qsizetype start = text.indexOf(open);
    const qsizetype end = text.indexOf(close);
    // A closing tag before the opening one (or none at all) names no title.
    if (start >= 0 && end > start + open.size())
        result.title = text.mid(start + open.size(), end - start - open.size());
    else
        result.title = fallbackPageName(filePath);
    return result;
}

IndexedPageTitle readIndexedPageTitle(const QString &filePath)
{
    const ReadResult read = readPageText(filePath);
    if (!read) {
        // Listed under its file name, so the reader still finds the page that would not open.
        IndexedPageTitle unread;
        unread.title = fallbackPageName(filePath);
        unread.readable = false;
        return unread;
    }
    return pageTitleFromText(filePath, read.text);
}

} // namespace sorvek
