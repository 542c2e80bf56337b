#include "commands/textfile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <functional>

namespace sorvek {

namespace {

const QByteArray utf8Bom("\xEF\xBB\xBF");
// Books move between machines: the "system code page" is Windows code page 932 everywhere.
const char *const codePage932 = "windows-31j";

QString describe(const QString &path, const QString &reason)
{
    return path + QStringLiteral(" (") + reason + QLatin1Char(')');
}

struct BytesResult {
    bool ok = false;
    QByteArray bytes;
    QString error;
};

BytesResult readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {false, {}, describe(path, file.errorString())};
    BytesResult result{true, file.readAll(), {}};
    if (file.error() != QFileDevice::NoError)
        return {false, {}, describe(path, file.errorString())};
    return result;
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

ReadResult readPageText(const QString &path)
{
    const BytesResult read = readBytes(path);
    if (!read.ok)
        return {false, {}, read.error};
    return {true, decodeUtf8(read.bytes), {}};
}

ReadResult readCodePageText(const QString &path)
{
    const BytesResult read = readBytes(path);
    if (!read.ok)
        return {false, {}, read.error};
    return {true, decodeCodePage(read.bytes), {}};
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, describe(path, file.errorString())};
    if (file.write(bytes) != bytes.size()) {
        const QString error = describe(path, file.errorString());
        file.cancelWriting();
        return {false, error};
    }
    if (!file.commit())
        return {false, describe(path, file.errorString())};
    return {true, {}};
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
    QStringEncoder encoder(codePage932);
    if (!encoder.isValid())
        return {false, describe(path, QStringLiteral("code page 932 is not available"))};
    return writeBytesSafely(path, joinLines(lines, [&encoder](const QString &s) { return QByteArray(encoder.encode(s)); }));
}

QString migrateShiftJisPage(const QString &path)
{
    const BytesResult read = readBytes(path);
    if (!read.ok)
        return QString();
    QString declared = decodeCodePage(read.bytes);
    const qsizetype at = declared.indexOf(QLatin1String("SHIFT_JIS"), 0, Qt::CaseInsensitive);
    if (at < 0)
        return decodeUtf8(read.bytes);
    declared.replace(at, 9, QStringLiteral("UTF-8"));
    // When the page cannot be written back it stays as it was on disk; the caller still gets
    // the text the page means rather than a garbled UTF-8 reading of Shift_JIS bytes.
    if (!writePageText(path, declared))
        return declared;
    const ReadResult again = readPageText(path);
    return again.ok ? again.text : declared;
}

} // namespace sorvek
