#include "pagefiles/linkedfiles.h"

#include "commands/booktree.h"
#include "commands/textfile.h"
#include "commands/texthelpers.h"
#include "pagefiles/pagenumbering.h"
#include "pagefiles/pagereferences.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace sorvek {

namespace {

// The file name of a link: the part after its last "/" or ":".
QString linkFileName(const QString &link)
{
    const qsizetype cut = std::max(link.lastIndexOf(QLatin1Char('/')), link.lastIndexOf(QLatin1Char(':')));
    return link.mid(cut + 1);
}

bool isWebOrMailLink(const QString &value)
{
    return value.contains(QLatin1String("http:")) || value.contains(QLatin1String("mailto:")) || isWebAddress(value);
}

const QString companions[] = {QStringLiteral(".wav"), QStringLiteral(".txt")};

} // namespace

LinkedFileCollector::LinkedFileCollector(const QString &topFolder, const QString &bookFolder)
    : topFolder_(topFolder.endsWith(QLatin1Char('/')) ? topFolder : topFolder + QLatin1Char('/'))
    , bookFolder_(bookFolder)
{
}

bool LinkedFileCollector::contains(const QString &path) const
{
    return listed_.contains(QDir::cleanPath(path).toLower());
}

void LinkedFileCollector::collect(const QString &start)
{
    add(resolve(start));
    QStringList work{start};
    while (!work.isEmpty()) {
        const QString item = work.takeLast();
        scanPage(start, item, work);
    }
}

void LinkedFileCollector::scanPage(const QString &start, const QString &item, QStringList &work)
{
    const QString current = resolve(item);
    for (const QString &ext : companions) {
        const QString companion = existingFile(withExtension(current, ext));
        if (!companion.isEmpty())
            add(companion);
    }
    const QString page = existingFile(current);
    if (page.isEmpty() || scanned_.contains(page) || !insideBook(page))
        return;
    scanned_.insert(page);
    const QString text = readPageText(page).text;  // an unreadable page uses nothing we can know of
    const QString folder = folderPart(page);
    const QList<PageReference> refs = scanPageReferences(text);
    using Kind = PageReference::Kind;
    // Pictures and included pages first, then backgrounds, then links, as the list always was.
    for (const PageReference &ref : refs) {
        if (ref.kind == Kind::Source || ref.kind == Kind::TitleGlyph)
            include(ref.value, folder, true, work);
    }
    for (const PageReference &ref : refs) {
        if (ref.kind == Kind::Background || ref.kind == Kind::StyleUrl)
            include(ref.value, folder, false, work);
    }
    for (const PageReference &ref : refs) {
        if (ref.kind == Kind::Link)
            scanLink(start, ref.value, folder, work);
    }
}

void LinkedFileCollector::include(const QString &value, const QString &folder, bool follow, QStringList &work)
{
    const Found found = locate(folder, value);
    if (found.path.isEmpty())
        return;
    add(found.path);
    // Included pages (and style sheets, when followed) use files of their own.
    if (follow && found.name.contains(QLatin1String(".htm")))
        work.append(found.path);
    else if (followSheets_ && found.path.endsWith(QLatin1String(".css"), Qt::CaseInsensitive))
        work.append(found.path);
}

void LinkedFileCollector::scanLink(const QString &start, const QString &value, const QString &folder, QStringList &work)
{
    // "/$..." is the usual command link: it names no file and is passed over quietly.
    if (isWebOrMailLink(value) || toSlashes(value).startsWith(QLatin1String("/$")))
        return;
    const QString fileName = linkFileName(resolveLinkPath(value, bookFolder_));
    if (fileName.startsWith(QLatin1Char('$'))) {
        notices_.append(start + QStringLiteral("で\nhref=") + fileName
                        + QStringLiteral(" 【Sorvekスクリプト】があります。"));
        return;
    }
    const Found found = locate(folder, value);
    if (found.path.isEmpty())
        return;
    add(found.path);
    if (followSheets_ && found.path.endsWith(QLatin1String(".css"), Qt::CaseInsensitive))
        work.append(found.path);
}

LinkedFileCollector::Found LinkedFileCollector::locate(const QString &folder, const QString &value) const
{
    const auto attempt = [&](const QString &text) {
        // "./" and "../" are taken from the page's own folder first, as a browser takes them.
        const QString slashed = toSlashes(text);
        if (slashed.startsWith(QLatin1Char('.')) && slashed.contains(QLatin1String("./"))) {
            const QString own = QDir::cleanPath(folder + slashed);
            const QString file = existingFile(own);
            if (!file.isEmpty())
                return Found{own, file};
        }
        const QString resolved = resolveLinkPath(text, bookFolder_);
        const QString name = QDir::isAbsolutePath(resolved) ? resolved : folder + resolved;
        return Found{name, existingFile(resolve(name))};
    };
    Found found = attempt(value);
    // Browsers decode "%20" and friends in file links; so does the look-up of what a page uses.
    if (found.path.isEmpty() && value.contains(QLatin1Char('%')))
        found = attempt(QUrl::fromPercentEncoding(value.toUtf8()));
    return found;
}

QString LinkedFileCollector::resolve(const QString &item) const
{
    const QString path = toSlashes(item);
    return QDir::cleanPath(QDir::isAbsolutePath(path) ? path : topFolder_ + path);
}

QString LinkedFileCollector::existingFile(const QString &path) const
{
    const QFileInfo info(path);
    if (info.isFile())
        return QDir::cleanPath(path);
    // Books written on Windows name their files in any letter case.
    const QString folder = info.absolutePath();
    auto it = folderNames_.find(folder);
    if (it == folderNames_.end())
        it = folderNames_.insert(folder, QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System));
    for (const QString &name : *it) {
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return QDir::cleanPath(folder + QLatin1Char('/') + name);
    }
    return QString();
}

bool LinkedFileCollector::insideBook(const QString &path) const
{
    // Where the file really lies, links followed (a file linked out of the book included), against
    // where the book really lies: the same whichever path reached the book.
    return bookFolder_.isEmpty() || resolvesInside(path, bookFolder_);
}

void LinkedFileCollector::add(const QString &path)
{
    const QString clean = QDir::cleanPath(path);
    const QString key = clean.toLower();
    // What lies outside the book ("../outside/x.jpg", a folder linked elsewhere) is never the
    // page's to delete or archive; a link in the book that leads out is still in use, not unneeded.
    if (listed_.contains(key))
        return;
    if (insideBook(clean))
        files_.append(clean);
    else if (!entryLiesInside(clean, bookFolder_))
        return;
    listed_.insert(key);
}

} // namespace sorvek
