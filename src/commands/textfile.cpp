#include "commands/textfile.h"

#include "book/bookfilereader.h"
#include "commands/booktree.h"
#include "commands/headcharset.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <utility>

namespace sorvek {

namespace {

const QByteArray utf8Bom("\xEF\xBB\xBF");
// Books move between machines: the "system code page" is Windows code page 932 everywhere.
const char *const codePage932 = "windows-31j";

QString describe(const QString &path, const QString &reason)
{
    return path + QStringLiteral(" (") + reason + QLatin1Char(')');
}

} // namespace

// Qt's and the C library's English error texts, by a telling fragment, as the user's words.
// Qt 6.4 says "Unknown error" for some failures; the user never sees that.
QString errorTextInWords(const QString &text)
{
    static const std::pair<const char *, const char *> phrases[] = {
        {"No space left", "ディスクがいっぱいです"},
        {"Disk quota", "ディスクがいっぱいです"},
        {"Permission denied", "許可がありません"},
        {"Operation not permitted", "許可がありません"},
        {"Read-only file system", "読み取り専用です"},
        {"File name too long", "名前が長すぎます"},
        {"No such file or directory", "ファイルかフォルダがありません"},
        {"Not a directory", "フォルダがありません"},
        {"refers to a directory", "フォルダです"},
        {"Is a directory", "フォルダです"},
        {"Directory not empty", "フォルダが空ではありません"},
        {"exists", "同じ名前のファイルがあります"},
        {"File too large", "ファイルが大きすぎます"},
        {"Too many open files", "開いているファイルが多すぎます"},
        {"busy", "ファイルが使用中です"},
        {"cross-device", "別の装置へは移せません"},
        {"Input/output error", "装置のエラーです"},
    };
    for (const auto &[english, words] : phrases) {
        if (text.contains(QLatin1String(english), Qt::CaseInsensitive))
            return QString::fromUtf8(words);
    }
    // A text with no Latin letters is already in the user's words (a translated Qt text).
    const bool latin = std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter() && c.unicode() < 0x80; });
    return latin ? QString() : text;
}

namespace {

// Why a write failed, in words: errno as it stood right after the failing call, else Qt's text.
QString writeFailureReason(int error, const QString &qtText)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("ディスクがいっぱいです");
    case EACCES:
    case EPERM:
        return QStringLiteral("書き込みの許可がありません");
    case EROFS:
        return QStringLiteral("読み取り専用です");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("フォルダがありません");
    case EISDIR:
        return QStringLiteral("同じ名前のフォルダがあります");
    case ENAMETOOLONG:
        return QStringLiteral("名前が長すぎます");
    case EFBIG:
        return QStringLiteral("ファイルが大きすぎます");
    case EIO:
        return QStringLiteral("装置のエラーです");
    default:
        break;
    }
    const QString words = errorTextInWords(qtText);
    if (!words.isEmpty())
        return words;
    const QString fromErrno = error != 0 ? errorTextInWords(QString::fromLocal8Bit(std::strerror(error))) : QString();
    return fromErrno.isEmpty() ? QStringLiteral("書き込めません") : fromErrno;
}

WriteResult writeFailure(const QString &path, int error, const QFileDevice &file)
{
    return {false, describeWriteFailure(path, error, file.errorString()), 0};
}

QString decodeUtf8(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes.startsWith(utf8Bom) ? bytes.mid(3) : bytes);
}

QString decodeCodePage(const QByteArray &bytes)
{
    if (bytes.startsWith(utf8Bom))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16, QStringDecoder::Flag::Default);
        return utf16.decode(bytes);
    }
    QStringDecoder decoder(codePage932);
    return decoder.isValid() ? QString(decoder.decode(bytes)) : QString::fromLatin1(bytes);
}

struct Decoded {
    QString text;
    qsizetype faults = 0;  // invalid or incomplete byte sequences
};

template <typename Encoding>
Decoded decodeStrictly(Encoding encoding, const QByteArray &bytes)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    Decoded decoded{decoder.decode(bytes), 0};
    if (decoder.hasError()) {
        // The code page 932 decoder writes SUB (0x1A) for a bad byte, the UTF-8 one U+FFFD.
        decoded.faults = std::max<qsizetype>(1, decoded.text.count(QChar(0xFFFD)) + decoded.text.count(QChar(0x1A))
                                                    - bytes.count('\x1A'));
        if (!bytes.contains('\x1A'))
            decoded.text.replace(QChar(0x1A), QChar(0xFFFD));  // shown as the usual mark for a bad byte
    }
    return decoded;
}

bool isPlainAscii(const QByteArray &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}


// Code page 932 bytes of text; what the code page cannot hold becomes "?" (its own substitute
// bytes FC FC would read back as a kanji).
QByteArray encodeCodePage932(const QString &typed, int &unmappable)
{
    // Input methods here type the JIS forms of these marks (WAVE DASH, MINUS SIGN ...); the code
    // page holds them under the forms Windows types, as Windows' own conversion writes them.
    static const std::pair<char16_t, char16_t> windowsForms[] = {
        {u'\u301C', u'\uFF5E'}, {u'\u2016', u'\u2225'}, {u'\u2212', u'\uFF0D'}, {u'\u00A2', u'\uFFE0'},
        {u'\u00A3', u'\uFFE1'}, {u'\u00AC', u'\uFFE2'}, {u'\u2014', u'\u2015'}};
    QString text = typed;
    for (const auto &[jis, windows] : windowsForms)
        text.replace(QChar(jis), QChar(windows));
    QStringEncoder encoder(codePage932, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError())
        return bytes;
    // Character by character, each with a fresh encoder: resetState() leaves an ICU encoder unusable on Qt 6.4.
    bytes.clear();
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        if (text.at(i).unicode() < 0x80) {
            bytes += char(text.at(i).unicode());
        } else {
            QStringEncoder one(codePage932, QStringConverter::Flag::Stateless);
            const QByteArray encoded = one.encode(QStringView(text).mid(i, n));
            if (one.hasError()) {
                bytes += '?';
                ++unmappable;
            } else {
                bytes += encoded;
            }
        }
        i += n;
    }
    return bytes;
}

QByteArray joinLines(const QStringList &lines, const std::function<QByteArray(const QString &)> &encode)
{
    QByteArray out;
    for (const QString &line : lines) {
        out += encode(line);
        out += "\r\n";
    }
    return out;
}

} // namespace

// The file's bytes through decode; a file that cannot be read gives its error.
static ReadResult readDecoded(const QString &path, BookFileKind kind, QString (*decode)(const QByteArray &))
{
    const BookFileRead read = readBookFile(path, kind);
    if (!read)
        return {false, {}, read.message};
    return {true, decode(read.bytes), {}};
}

QString describeWriteFailure(const QString &path, int error, const QString &deviceError)
{
    return describe(path, writeFailureReason(error, deviceError));
}

QString fileErrorInWords(const QFileDevice &file)
{
    const QString words = errorTextInWords(file.errorString());
    if (!words.isEmpty())
        return words;
    switch (file.error()) {
    case QFileDevice::ReadError:
        return QStringLiteral("読み込めません");
    case QFileDevice::WriteError:
        return QStringLiteral("書き込めません");
    case QFileDevice::OpenError:
        return QStringLiteral("開けません");
    case QFileDevice::PermissionsError:
        return QStringLiteral("許可がありません");
    case QFileDevice::RenameError:
        return QStringLiteral("名前を変更できません");
    case QFileDevice::CopyError:
        return QStringLiteral("コピーできません");
    case QFileDevice::RemoveError:
        return QStringLiteral("削除できません");
    case QFileDevice::ResourceError:
        return QStringLiteral("装置のエラーです");
    default:
        return QStringLiteral("ファイルのエラーです");
    }
}

QString describeFileFailure(const QString &path, const QFileDevice &file)
{
    return describe(path, fileErrorInWords(file));
}

ReadResult readPageText(const QString &path, BookFileKind kind)
{
    return readDecoded(path, kind, decodeUtf8);
}

ReadResult readCodePageText(const QString &path, BookFileKind kind)
{
    return readDecoded(path, kind, decodeCodePage);
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

WriteResult writeBytesSafely(const QString &path, const QByteArray &bytes)
{
    if (!mayWriteInBook(path))
        return {false, describe(path, QStringLiteral("リンクの先がブックのフォルダの外です")), 0};
    // Unbuffered: a buffered QSaveFile on Qt 6.4 renames a short file over the target when the
    // final flush fails (a full disk with less than 16 KiB to write).
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return writeFailure(path, errno, file);
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const WriteResult failed = writeFailure(path, errno, file);
        file.cancelWriting();
        return failed;
    }
    errno = 0;
    if (!file.commit())
        return writeFailure(path, errno, file);
    return {true, {}, 0};
}

WriteResult writePageLines(const QString &path, const QStringList &lines)
{
    return writeBytesSafely(path, utf8Bom + joinLines(lines, [](const QString &s) { return s.toUtf8(); }));
}

WriteResult writePageText(const QString &path, const QString &text)
{
    return writePageLines(path, splitLines(text));
}

WriteResult writeCodePageLines(const QString &path, const QStringList &lines)
{
    if (!QStringEncoder(codePage932).isValid())
        return {false, describe(path, QStringLiteral("シフトJISの変換を使えません")), 0};
    int unmappable = 0;
    WriteResult written =
        writeBytesSafely(path, joinLines(lines, [&](const QString &s) { return encodeCodePage932(s, unmappable); }));
    written.unmappable = unmappable;
    return written;
}

ReadResult readTextByContent(const QString &path, BookFileKind kind)
{
    return readDecoded(path, kind, decodeByContent);
}

QString decodeByContent(const QByteArray &bytes)
{
    if (bytes.startsWith(utf8Bom) || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return decodeCodePage(bytes);
    const Decoded utf8 = decodeStrictly(QStringConverter::Utf8, bytes);
    if (utf8.faults == 0)
        return utf8.text;
    const Decoded shiftJis = decodeStrictly(codePage932, bytes);
    return shiftJis.faults < utf8.faults ? shiftJis.text : utf8.text;
}

CharsetDeclaration findCharsetDeclaration(const QString &text)
{
    static const QRegularExpression meta(
        QStringLiteral("<meta\\b[^>]*?\\bcharset\\s*=\\s*[\"']?\\s*([A-Za-z0-9_.:\\-]+)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = meta.match(text);
    if (!match.hasMatch())
        return {};
    return {match.capturedStart(1), match.captured(1)};
}

QString declaredCharset(const QString &text)
{
    return findCharsetDeclaration(text).name;
}

bool isCodePage932Name(const QString &name)
{
    static const QStringList names{QStringLiteral("shiftjis"),   QStringLiteral("xsjis"),
                                   QStringLiteral("sjis"),       QStringLiteral("ms932"),
                                   QStringLiteral("windows31j"), QStringLiteral("cp932"),
                                   QStringLiteral("mskanji"),    QStringLiteral("csshiftjis"),
                                   QStringLiteral("xmscp932"),   QStringLiteral("cswindows31j"),
                                   QStringLiteral("xshiftjis"),  QStringLiteral("windows932"),
                                   QStringLiteral("sjiswin")};
    QString folded = name.trimmed().toLower();
    folded.remove(QLatin1Char('-'));
    folded.remove(QLatin1Char('_'));
    return names.contains(folded);
}

QString migrateShiftJisPage(const QString &path)
{
    const BookFileRead read = readBookFile(path, BookFileKind::Page);
    if (!read)
        return QString();
    const QByteArray &bytes = read.bytes;
    if (bytes.startsWith(utf8Bom) || !isCodePage932Name(findHeadCharsetDeclaration(QByteArrayView(bytes)).name))
        return decodeByContent(bytes);
    // A page already in UTF-8 that still says Shift_JIS decodes as code page 932 without a fault
    // too, into nonsense: UTF-8 wins whenever the bytes hold any.
    const Decoded utf8 = decodeStrictly(QStringConverter::Utf8, bytes);
    if (utf8.faults == 0 && !isPlainAscii(bytes))
        return utf8.text;
    Decoded page = decodeStrictly(codePage932, bytes);
    if (page.faults > 0)
        return page.text;  // damaged: left on disk as it is, shown as best it can be
    const CharsetDeclaration declaration = findHeadCharsetDeclaration(QStringView(page.text));
    if (declaration.at < 0)
        return page.text;
    page.text.replace(declaration.at, declaration.name.size(), QStringLiteral("UTF-8"));
    // When the page cannot be written back it stays as it was on disk; the caller still gets
    // the text the page means rather than a garbled UTF-8 reading of Shift_JIS bytes.
    if (!writePageText(path, page.text))
        return page.text;
    const ReadResult again = readPageText(path);
    return again.ok ? again.text : page.text;
}

} // namespace sorvek
