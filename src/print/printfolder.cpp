#include "print/printfolder.h"

#include "commands/texthelpers.h"

#include <QDir>

namespace sorvek {

PrintFolder::PrintFolder(const QString &documentsFolder)
{
    // Without a documents folder there is no print folder: create() refuses rather than writing
    // below the file-system root.
    if (!documentsFolder.isEmpty())
        path_ = QDir::cleanPath(documentsFolder + QStringLiteral("/Sorvek$"));
}

QString PrintFolder::filePath(const QString &name) const
{
    return path_ + QLatin1Char('/') + name;
}

QString PrintFolder::mergedPath() const
{
    return filePath(QStringLiteral("_合体.html"));
}

QString PrintFolder::mergedShiftJisPath() const
{
    return filePath(QStringLiteral("_合体SHIFT_JIS.html"));
}

QString PrintFolder::resumePath() const
{
    return filePath(QStringLiteral("_$$$resumeE.html"));
}

QString PrintFolder::worksheetPath() const
{
    return filePath(QStringLiteral("_$$$test.html"));
}

QString PrintFolder::resumePicturePath(const QString &pageRef) const
{
    return filePath(resumePictureName(pageRef));
}

WriteResult PrintFolder::create() const
{
    if (path_.isEmpty())
        return {false, QStringLiteral("Sorvek$ (ドキュメントフォルダーが見つかりません)")};
    if (QDir().mkpath(path_))
        return {true, {}};
    return {false, path_ + QStringLiteral(" (フォルダーを作れません)")};
}

QString resumePictureName(const QString &pageRef)
{
    const QString name = urlFileName(toSlashes(pageRef));
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return QStringLiteral("_$$$") + (dot >= 0 ? name.first(dot) : name) + QStringLiteral(".jpg");
}

} // namespace sorvek
