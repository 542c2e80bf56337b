#include "app/bookfolder.h"

#include <QFileInfo>

namespace sorvek {

BookLocation bookLocationFromProgram(const QString &programFilePath)
{
    const QFileInfo program(programFilePath);
    const QString name = program.completeBaseName();
    BookLocation location;
    if (!name.contains(QLatin1Char('$')) && !name.contains(QLatin1Char('%')) && !name.contains(QLatin1Char(';'))) {
        location.folder = program.absolutePath() + QLatin1Char('/') + name;
        location.title = name;
    } else {
        QString path = name;
        path.replace(QLatin1Char('$'), QLatin1Char('/'));
        path.replace(QLatin1Char('%'), QLatin1Char('/'));
        path.replace(QStringLiteral(";/"), QStringLiteral(":/"));
        path.replace(QStringLiteral(";"), QStringLiteral(":/"));
        location.folder = path;
        location.title = QStringLiteral("sorvek");
    }
    if (location.folder.size() > 1 && location.folder.endsWith(QLatin1Char('/')))
        location.folder.chop(1);
    return location;
}

QString WebAddresses::helpUrl(const QString &applicationTitle) const
{
    return base + QLatin1Char('/') + applicationTitle + QStringLiteral("/HELP/help.html");
}

QString WebAddresses::newsUrl() const
{
    return base + QStringLiteral("/sorvek/NEW/new.html");
}

QString WebAddresses::homeUrl() const
{
    return base + QStringLiteral("/sorvek/index.html");
}

WebAddresses webAddresses()
{
    QString base = qEnvironmentVariable("SORVEK_WEB_BASE", QStringLiteral("https://sorvek.example.jp"));
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return {base};
}

} // namespace sorvek
