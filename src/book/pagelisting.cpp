#include "book/pagelisting.h"

#include "book/bookfilereader.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace sorvek {

namespace {

// The extension from the last "."; "" without one.
QStringView extensionOf(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QStringView() : QStringView(name).mid(dot);
}

QStringView baseNameOf(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QStringView(name) : QStringView(name).left(dot);
}

bool hasExcludedExtension(const QString &name)
{
    const QStringView ext = extensionOf(name);
    return ext.contains(QLatin1Char('$')) || ext.contains(QLatin1Char('_'));
}

bool isIndexName(const QString &name)
{
    return baseNameOf(name) == QLatin1String("index");
}

#ifdef Q_OS_UNIX
// A page name that is not UTF-8, which Qt can neither list nor open: read as code page 932 (the
// code page books come from) where it is, else with replacement marks, so that it can be told.
QString nameNotInUtf8(QByteArrayView raw)
{
    QStringDecoder codePage("windows-31j", QStringDecoder::Flag::Stateless);
    const QString name = codePage.isValid() ? QString(codePage.decode(raw)) : QString();
    return !codePage.isValid() || codePage.hasError() ? QString::fromUtf8(raw) : name;
}
#endif

} // namespace

bool matchesPageMask(const QString &fileName)
{
    return extensionOf(fileName).startsWith(QLatin1String(".htm"), Qt::CaseInsensitive);
}

namespace {

// QString::compare(a, b, Qt::CaseInsensitive), quicker on the ASCII names most pages have: the
// folding compares one unit at a time, so the ASCII start is compared here and the rest, from
// the first other unit on (which may fold to ASCII), by Qt.
int compareNoCase(QStringView a, QStringView b)
{
    const qsizetype common = std::min(a.size(), b.size());
    const char16_t *x = a.utf16();
    const char16_t *y = b.utf16();
    for (qsizetype i = 0; i < common; ++i) {
        char16_t p = x[i];
        char16_t q = y[i];
        if (p >= 0x80 || q >= 0x80)
            return a.sliced(i).compare(b.sliced(i), Qt::CaseInsensitive);
        if (p >= u'A' && p <= u'Z')
            p += u'a' - u'A';
        if (q >= u'A' && q <= u'Z')
            q += u'a' - u'A';
        if (p != q)
            return p < q ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

void sortNamesCaseInsensitive(QStringList &names)
{
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int order = compareNoCase(a, b);
        return order != 0 ? order < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
    });
}

std::optional<PageListing> listPageFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable())
        return std::nullopt;
    PageListing listing;
#ifdef Q_OS_UNIX
    // One pass over the entries: a folder of twenty thousand pages is read once. The entry's own
    // type says what it is; only a link, or an entry of a file system that does not say, is
    // asked what it leads to.
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return std::nullopt;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArrayView raw(entry->d_name);
        if (raw.startsWith('.'))
            continue; // hidden files stay out, as the old file list left them out
        if (!raw.isValidUtf8()) {
            if (const QString name = nameNotInUtf8(raw); matchesPageMask(name))
                listing.unreachable.append(name);
            continue;
        }
        const QString name = QString::fromUtf8(raw);
        if (!matchesPageMask(name))
            continue;
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat file {};
            if (::fstatat(::dirfd(dir), entry->d_name, &file, 0) != 0)
                continue; // a broken link
            regular = S_ISREG(file.st_mode);
        }
        if (!regular) {
            listing.notFiles.append(name);
            continue;
        }
        listing.names.append(name);
    }
    ::closedir(dir);
#else
    // Hidden (dot) files and broken links stay out, as the old file list left out hidden files.
    // Folders, devices and pipes are asked for only to be told: isFile() says what a link leads to.
    QDirIterator it(folder, {QStringLiteral("*.htm*")}, QDir::Files | QDir::Dirs | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        const QFileInfo &file = it.fileInfo();
        if (!matchesPageMask(name) || !file.exists())
            continue;
        if (!file.isFile()) {
            listing.notFiles.append(name);
            continue;
        }
        listing.names.append(name);
    }
#endif
    sortNamesCaseInsensitive(listing.names);
    sortNamesCaseInsensitive(listing.notFiles);
    sortNamesCaseInsensitive(listing.unreachable);
    return listing;
}

std::optional<QStringList> listPageFiles(const QString &folder)
{
    std::optional<PageListing> listing = listPageFolder(folder);
    if (!listing)
        return std::nullopt;
    return std::move(listing->names);
}

QString pageListingNotice(const PageListing &listing)
{
    QStringList parts;
    const auto told = [&parts](const QStringList &names, const QString &what) {
        if (!names.isEmpty())
            parts.append(what + names.join(QStringLiteral("、")));
    };
    told(listing.notFiles, QStringLiteral("開きません（ページの名前のフォルダ・装置・パイプ）: "));
    told(listing.tooLarge, QStringLiteral("題名を読みません（%1 MB を超えるページ）: ")
                               .arg(bookFileSizeCap(BookFileKind::Page) / (1024 * 1024)));
    told(listing.unreachable, QStringLiteral("開けません（名前が UTF-8 でないページ。名前を付け直してください）: "));
    return parts.join(QStringLiteral("。"));
}

QStringList orderPageNames(const QStringList &sortedNames)
{
    QStringList pages;
    for (const QString &name : sortedNames) {
        if (isIndexName(name) && !hasExcludedExtension(name))
            pages.append(name);
    }
    for (const QString &name : sortedNames) {
        if (!isIndexName(name) && !name.startsWith(QLatin1Char('_')) && !hasExcludedExtension(name))
            pages.append(name);
    }
    return pages;
}

QString levelFolderPath(const QString &folder)
{
    QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

} // namespace sorvek
