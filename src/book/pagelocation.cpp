#include "book/pagelocation.h"

#include "commands/texthelpers.h"

#include <QFileInfo>

namespace sorvek {

bool isBarePageName(const QString &ref)
{
    return !ref.contains(QLatin1Char('/')) && !ref.contains(QLatin1Char('\\'));
}

bool isWebPageReference(const QString &ref)
{
    if (isBarePageName(ref))
        return false;
    return ref.contains(QLatin1String("http://"), Qt::CaseInsensitive) || isWebAddress(ref);
}

std::optional<QString> pageFilePath(const QString &ref, const QString &topFolder)
{
    if (isBarePageName(ref))
        return topFolder + ref;
    if (isWebPageReference(ref))
        return std::nullopt;
    // A folder level lists real file names, which may hold "\" on this system.
    if (!ref.isEmpty() && !ref.contains(u'/') && QFileInfo(topFolder + ref).isFile())
        return topFolder + ref;
    const QString slashed = toSlashes(ref);
    if (isAbsoluteOrUrl(slashed))
        return urlToLocalPath(slashed);
    return topFolder + slashed;
}

PageLocation locatePage(const QString &ref, const QString &topFolder, const QString &currentPath)
{
    const std::optional<QString> path = pageFilePath(ref, topFolder);
    if (!path)
        return {currentPath, ref, true};
    return {*path, fileUrl(*path), false};
}

} // namespace sorvek
