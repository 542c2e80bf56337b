#include "book/pagelisting.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

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

} // namespace

bool matchesPageMask(const QString &fileName)
{
    return extensionOf(fileName).startsWith(QLatin1String(".htm"), Qt::CaseInsensitive);
}

void sortNamesCaseInsensitive(QStringList &names)
{
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int order = QString::compare(a, b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
    });
}

std::optional<QStringList> listPageFiles(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable())
        return std::nullopt;
    QStringList names;
    // Hidden (dot) files and broken links stay out, as the old file list left out hidden files.
    QDirIterator it(folder, {QStringLiteral("*.htm*")}, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (matchesPageMask(name))
            names.append(name);
    }
    sortNamesCaseInsensitive(names);
    return names;
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
