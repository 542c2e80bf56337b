#include "tools/pagetitleread.h"

#include "book/bookfilereader.h"

#include <QByteArrayMatcher>
#include <QStringDecoder>

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

IndexedPageTitle pageTitleFromBytes(const QString &filePath, QByteArrayView bytes)
{
    // The marks are ASCII, and in UTF-8 an ASCII byte is always that character, also next to
    // damaged bytes: the page is searched as it lies and only its title is decoded.
    // Two of the searches read the whole page: they skip ahead by the marks' lengths.
    static const QByteArrayMatcher lowerTitle("<title>");
    static const QByteArrayMatcher notFind("NOTFIND");
    const bool lower = lowerTitle.indexIn(bytes) >= 0;
    const QByteArrayView open = lower ? QByteArrayView("<title>") : QByteArrayView("<TITLE>");
    const QByteArrayView close = lower ? QByteArrayView("</title>") : QByteArrayView("</TITLE>");
    IndexedPageTitle result;
    result.searchable = notFind.indexIn(bytes) < 0;
    const qsizetype start = bytes.indexOf(open);
    const qsizetype end = bytes.indexOf(close);
    if (start >= 0 && end > start + open.size()) {
        // A byte-order mark is skipped at the start of the page only, not of its title.
        QStringDecoder decoder(QStringDecoder::Utf8,
                               QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        result.title = decoder.decode(bytes.sliced(start + open.size(), end - start - open.size()));
    } else {
        result.title = fallbackPageName(filePath);
    }
    return result;
}

IndexedPageTitle readIndexedPageTitle(const QString &filePath)
{
    const BookFileRead read = readBookFile(filePath, BookFileKind::Page);
    if (!read) {
        // Listed under its file name, so the reader still finds the page that would not open.
        IndexedPageTitle unread;
        unread.title = fallbackPageName(filePath);
        unread.readable = false;
        return unread;
    }
    return pageTitleFromBytes(filePath, read.bytes);
}

} // namespace sorvek
