#include "pagefiles/pagefiletask.h"

#include "book/archivefolder.h"
#include "book/pagelocation.h"
#include "commands/texthelpers.h"

#include <QDir>

namespace sorvek {

namespace {

bool namesWebPage(const QString &text)
{
    return text.contains(QLatin1String("http:"), Qt::CaseInsensitive) || isWebPageReference(text);
}

} // namespace

bool pageFileTaskAllowed(PageFileMode mode, const QString &currentUrl, const QString &pageRef,
                         const QString &topFolder, const QString &bookFolder)
{
    if (namesWebPage(currentUrl) || namesWebPage(pageRef))
        return false;
    if (mode == PageFileMode::Archive) {
        const QString archive = ArchiveFolder(bookFolder).path() + QLatin1Char('/');
        if (topFolder.toLower() == archive.toLower())
            return false;
    }
    return true;
}

QString pageFileTaskPath(const QString &topFolder, const QString &pageRef)
{
    const QString ref = toSlashes(pageRef);
    if (QDir::isAbsolutePath(ref))
        return ref;
    return topFolder.endsWith(QLatin1Char('/')) ? topFolder + ref : topFolder + QLatin1Char('/') + ref;
}

QString fileToolCaption(PageFileMode mode)
{
    return mode == PageFileMode::Archive ? QStringLiteral("書庫へコピー")
                                         : QStringLiteral("HTMLファイルとリンクファイルを削除");
}

QString unneededFilesCaption()
{
    return QStringLiteral("リンク切れファイルの削除");
}

QString noUnneededFilesMessage()
{
    return QStringLiteral("不用なファイルが見つかりません。");
}

} // namespace sorvek
