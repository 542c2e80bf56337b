#include "commands/texthelpers.h"

#include "commands/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

namespace sorvek {

QString repeatText(const QString &text, int n)
{
    return n > 0 ? text.repeated(n) : QString();
}

QString safeFileName(const QString &text)
{
    static const QString unsafe = QStringLiteral("'*?\"|/<>");
    QString result = text;
    for (QChar &c : result) {
        if (unsafe.contains(c))
            c = QLatin1Char('_');
    }
    return result;
}

QString decodeSpaces(const QString &text)
{
    QString result = text;
    return result.replace(QStringLiteral("%20"), QStringLiteral(" "));
}

QString urlFileName(const QString &text)
{
    return text.mid(text.lastIndexOf(QLatin1Char('/')) + 1);
}

QString folderPart(const QString &path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString folderName(const QString &path)
{
    const qsizetype last = path.lastIndexOf(QLatin1Char('/'));
    if (last < 0)
        return QString();
    const qsizetype before = last > 0 ? path.lastIndexOf(QLatin1Char('/'), last - 1) : -1;
    return path.mid(before + 1, last - before - 1);
}

QString escapeAngles(const QString &text)
{
    QString result = text;
    result.replace(QLatin1Char('<'), QStringLiteral("&lt;"));
    return result.replace(QLatin1Char('>'), QStringLiteral("&gt;"));
}

QString unescapeAngles(const QString &text)
{
    QString result = text;
    result.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    return result.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
}

namespace {

// The scheme of a URL ("http", "file", ...) or "" when the text does not start with one.
// A single letter before ":" is an old drive letter, not a scheme.
QString schemeOf(const QString &text)
{
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]+):"));
    const QRegularExpressionMatch m = scheme.match(text);
    return m.hasMatch() ? m.captured(1).toLower() : QString();
}

bool isDriveLetterPath(const QString &text)
{
    return text.size() >= 2 && text.at(0).isLetter() && text.at(1) == QLatin1Char(':');
}

} // namespace

bool isWebAddress(const QString &text)
{
    const QString scheme = schemeOf(text.trimmed());
    return !scheme.isEmpty() && scheme != QLatin1String("file");
}

bool isHttpAddress(const QString &text)
{
    const QString scheme = schemeOf(text.trimmed());
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

bool isDesktopAddress(const QString &text)
{
    static const QStringList shownInPage = {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("file"),
                                            QStringLiteral("about"), QStringLiteral("data"), QStringLiteral("blob")};
    const QString scheme = schemeOf(text.trimmed());
    return !scheme.isEmpty() && !shownInPage.contains(scheme);
}

bool isAbsoluteOrUrl(const QString &text)
{
    if (!schemeOf(text).isEmpty() || isDriveLetterPath(text))
        return true;
    return text.startsWith(QLatin1Char('/')) && !text.startsWith(QLatin1String("/$"));
}

QString toSlashes(const QString &text)
{
    QString result = text;
    return result.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QString urlToLocalPath(const QString &url)
{
    if (isWebAddress(url))
        return QString();
    const qsizetype at = url.indexOf(QLatin1String("file:"), 0, Qt::CaseInsensitive);
    if (at < 0)
        return url;
    const QString local = QUrl(url.mid(at)).toLocalFile();
    return local.isEmpty() ? url : local;
}

QString resolveLinkPath(const QString &link, const QString &bookFolder)
{
    QString text = toSlashes(link);
    const qsizetype fileAt = text.indexOf(QLatin1String("file:"), 0, Qt::CaseInsensitive);
    if (fileAt >= 0) {
        text = urlToLocalPath(text.mid(fileAt));
        if (QDir::isAbsolutePath(text))  // a file URL names its file wherever it lies
            return QDir::cleanPath(text);
    }
    if (text.contains(QLatin1String("./")))  // "./x" and "../x" are taken relative to the book folder
        return QDir::cleanPath(bookFolder + QLatin1Char('/') + text);
    if (text.startsWith(QLatin1Char('/')) && !text.startsWith(bookFolder + QLatin1Char('/')))
        return bookFolder + text;  // a root-relative link names a file of the book
    return text;
}

bool isLeadByte(char16_t unit)
{
    const unsigned low = unit & 0xFFu;
    return (low >= 0x81 && low <= 0x9F) || (low >= 0xE0 && low <= 0xFC);
}

QString padCaption(const QString &text, int n, int captionWidth)
{
    QString padded = text;
    const qsizetype blanks = n - 2 * text.size();
    if (blanks > 0)
        padded += QString(blanks, QLatin1Char(' '));
    if (padded.size() <= captionWidth)
        return padded;
    const bool lead = captionWidth >= 1 && isLeadByte(padded.at(captionWidth - 1).unicode());
    return padded.left(captionWidth + (lead ? 1 : 0));
}

QString fileUrl(const QString &localPath)
{
    return QUrl::fromLocalFile(localPath).toString();
}

QString linkedFileInFolder(const QString &folder, const QString &name)
{
    const QString written = folder + toSlashes(name);
    if (QFileInfo(written).isFile() || !name.contains(QLatin1Char('%')))
        return written;
    const QString decoded = folder + toSlashes(QUrl::fromPercentEncoding(name.toUtf8()));
    return QFileInfo(decoded).isFile() ? decoded : written;
}


DecodedPage decodePageBytes(const QByteArray &bytes)
{
    // The declaration stands in the head, in ASCII whatever the encoding.
    const QString head = QString::fromLatin1(bytes.first(qMin<qsizetype>(bytes.size(), 4096)));
    const CharsetDeclaration declaration = findCharsetDeclaration(head);
    const bool declared = declaration.at >= 0;
    const bool shiftJis = declared && isCodePage932Name(declaration.name);
    // A stray byte in a page that is UTF-8 by its byte-order mark or its declaration shows as the
    // replacement mark in any browser: reading it so loses nothing the page showed.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return {QString::fromUtf8(bytes.mid(3)), shiftJis, true};
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8.decode(bytes);
    const bool utf8Declared = declared && declaration.name.compare(u"UTF-8", Qt::CaseInsensitive) == 0;
    QStringDecoder codePage("windows-31j", QStringDecoder::Flag::Stateless);
    if (!utf8.hasError() || (declared && !shiftJis) || !codePage.isValid())
        return {asUtf8, shiftJis, !utf8.hasError() || utf8Declared};
    QString asCodePage = codePage.decode(bytes);
    // The decoder writes SUB for a bad byte: shown and saved as the usual mark for one instead.
    if (codePage.hasError() && !bytes.contains('\x1A'))
        asCodePage.replace(QChar(0x1A), QChar(0xFFFD));
    return {asCodePage, shiftJis, !codePage.hasError()};
}

ReadResult readPageToRewrite(const QString &path)
{
    const BookFileRead read = readBookFile(path, BookFileKind::Page);
    if (!read)
        return {false, {}, read.message};
    const DecodedPage page = decodePageBytes(read.bytes);
    if (!page.clean)
        return {false, {}, path + QStringLiteral(" (文字コードが読み取れません)")};
    return {true, page.declaresShiftJis ? declareUtf8(page.text) : page.text, {}};
}

QString declareUtf8(const QString &pageText)
{
    const CharsetDeclaration declaration = findCharsetDeclaration(pageText);
    if (declaration.at < 0)
        return pageText;
    QString text = pageText;
    return text.replace(declaration.at, declaration.name.size(), QStringLiteral("UTF-8"));
}

} // namespace sorvek
