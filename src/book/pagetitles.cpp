#include "book/pagetitles.h"

#include "book/bookfilereader.h"
#include "commands/headcharset.h"
#include "commands/textfile.h"
#include "commands/texthelpers.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace sorvek {

namespace {

constexpr char docTypeLine[] = "<!DOCTYPE HTML PUBLIC";

char asciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

// First position of an upper-case ASCII needle in text, ASCII letters matched in any case.
// Jumps between candidates with memchr on the needle's first byte, which is never a letter here.
qsizetype indexOfNoCase(QByteArrayView text, QByteArrayView upperNeedle, qsizetype from = 0)
{
    const char first = upperNeedle.front();
    const qsizetype last = text.size() - upperNeedle.size();
    for (qsizetype at = from; at <= last; ++at) {
        const void *hit = std::memchr(text.data() + at, first, size_t(last - at + 1));
        if (!hit)
            return -1;
        at = static_cast<const char *>(hit) - text.data();
        qsizetype k = 1;
        while (k < upperNeedle.size() && asciiUpper(text[at + k]) == upperNeedle[k])
            ++k;
        if (k == upperNeedle.size())
            return at;
    }
    return -1;
}

// Whether the page's head declares code page 932 in any of its spellings: one pass, stopping at
// the body, so a plain page or a flood of META tags costs no more than reading it.
bool mayDeclareShiftJis(QByteArrayView bytes)
{
    return isCodePage932Name(findHeadCharsetDeclaration(bytes).name);
}

bool hasUtf16ByteOrderMark(QByteArrayView bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

QByteArrayView withoutUtf8ByteOrderMark(QByteArrayView bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
}

} // namespace

QString titleFromFileName(const QString &pageRef)
{
    const QString path = toSlashes(pageRef);
    QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    const qsizetype underscore = name.indexOf(QLatin1Char('_'));
    return underscore >= 0 ? name.mid(underscore + 1) : name;
}

std::optional<QString> levelTitleFromUtf8(QByteArrayView utf8)
{
    const QByteArrayView text = withoutUtf8ByteOrderMark(utf8);
    const qsizetype open = indexOfNoCase(text, "<TITLE>");
    if (open < 0)
        return std::nullopt;
    const qsizetype close = indexOfNoCase(text, "</TITLE>");
    const qsizetype start = open + 7;
    if (close <= start || text.indexOf(docTypeLine) < 0)
        return std::nullopt;
    return unescapeAngles(QString::fromUtf8(text.sliced(start, close - start)));
}

namespace {

// The title-list entry of a page from what reading its file gave.
std::optional<QString> levelTitleOf(const BookFileRead &read, const QString &path)
{
    if (read.error == BookFileError::Missing)
        return std::nullopt;
    if (!read)
        return titleFromFileName(path);  // there but not to be read: nothing to read a title from
    QByteArray bytes = read.bytes;
    // Only a page that may declare Shift_JIS goes through the migration, which reads it again.
    if (hasUtf16ByteOrderMark(bytes) || mayDeclareShiftJis(bytes))
        bytes = migrateShiftJisPage(path).toUtf8();
    if (std::optional<QString> title = levelTitleFromUtf8(bytes))
        return title;
    return titleFromFileName(path);
}

} // namespace

std::optional<QString> readLevelTitle(const QString &path)
{
    return levelTitleOf(readBookFile(path, BookFileKind::Page), path);
}

QStringList readLevelTitles(const QStringList &pages, const QString &folder, const QStringList &titlesBelow,
                            QStringList *tooLarge)
{
    // Opening thousands of small files is what takes the time: a big level is read by a few
    // threads at once, each page on its own, each looked up in the folder opened once.
#ifdef Q_OS_UNIX
    const int folderFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#endif
    std::vector<std::optional<QString>> read(std::size_t(pages.size()));
    std::vector<char> large(std::size_t(pages.size()), 0);
    const auto readSome = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i) {
            const QString path = folder + pages.at(i);
#ifdef Q_OS_UNIX
            const BookFileRead file = folderFd >= 0 ? readBookFileAt(folderFd, QFile::encodeName(pages.at(i)), path, BookFileKind::Page)
                                                    : readBookFile(path, BookFileKind::Page);
#else
            const BookFileRead file = readBookFile(path, BookFileKind::Page);
#endif
            large[std::size_t(i)] = file.error == BookFileError::TooLarge;
            read[std::size_t(i)] = levelTitleOf(file, path);
        }
    };
    constexpr qsizetype PagesPerThread = 512;
    const qsizetype threads =
        std::clamp<qsizetype>(pages.size() / PagesPerThread, 1, std::max(1U, std::min(8U, std::thread::hardware_concurrency())));
    std::vector<std::thread> helpers;
    const qsizetype share = (pages.size() + threads - 1) / threads;
    for (qsizetype t = 1; t < threads; ++t)
        helpers.emplace_back(readSome, t * share, std::min(pages.size(), (t + 1) * share));
    readSome(0, std::min(pages.size(), share));
    for (std::thread &helper : helpers)
        helper.join();
#ifdef Q_OS_UNIX
    if (folderFd >= 0)
        ::close(folderFd);
#endif

    QStringList titles;
    titles.reserve(pages.size());
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (const std::optional<QString> &title = read[std::size_t(i)])
            titles.append(*title);
        else
            titles.append(i < titlesBelow.size() ? titlesBelow.at(i) : titleFromFileName(pages.at(i)));
        if (tooLarge && large[std::size_t(i)])
            tooLarge->append(pages.at(i));
    }
    return titles;
}

std::optional<QString> rereadTitleFromText(const QString &text)
{
    const qsizetype open = text.indexOf(QLatin1String("<TITLE>"));
    if (open < 0 || !text.contains(QLatin1String(docTypeLine)))
        return std::nullopt;
    const qsizetype start = open + 7;
    const qsizetype close = text.indexOf(QLatin1String("</TITLE>"));
    return close >= start ? text.mid(start, close - start) : QString();
}

std::optional<QString> buttonTitleFromText(const QString &text)
{
    const qsizetype open = text.indexOf(QLatin1String("<TITLE"), 0, Qt::CaseInsensitive);
    if (open < 0 || !text.contains(QLatin1String(docTypeLine)))
        return std::nullopt;
    const qsizetype start = text.indexOf(QLatin1Char('>'), open) + 1;
    const qsizetype close = start > 0 ? text.indexOf(QLatin1String("</TITLE"), start, Qt::CaseInsensitive) : -1;
    if (close <= start)
        return std::nullopt;
    return text.mid(start, close - start);
}

} // namespace sorvek
