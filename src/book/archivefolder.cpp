#include "book/archivefolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace sorvek {

namespace {

const QString archiveName = QStringLiteral("書庫");

} // namespace

ArchiveFolder::ArchiveFolder(const QString &bookFolder) : bookFolder_(bookFolder) {}

QString ArchiveFolder::path() const
{
    return bookFolder_ + QLatin1Char('/') + archiveName;
}

int ArchiveFolder::countEntries(const QString &pattern, bool stopAtFirst) const
{
    int n = 0;
    QDirIterator it(path(), {pattern},
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        ++n;
        if (stopAtFirst)
            break;
    }
    return n;
}

int ArchiveFolder::pageCount() const
{
    return countEntries(QStringLiteral("*.html*"), false);
}

ArchiveFolder::ButtonState ArchiveFolder::buttonState(const QString &topFolder) const
{
    if (topFolder.contains(QLatin1Char('/') + archiveName + QLatin1Char('/')))
        return {};
    const int n = pageCount();
    if (n == 0)
        return {};
    return {true, archiveName + QString::number(n) + QStringLiteral("ページを開く")};
}

bool ArchiveFolder::clickOpens(const QString &topFolder) const
{
    if (topFolder.toLower() == (path() + QLatin1Char('/')).toLower())
        return false;
    return QFileInfo(path()).isDir() && countEntries(QStringLiteral("*.htm*"), true) > 0;
}

} // namespace sorvek
