#include "app/bookfolder.h"

#include <QDir>
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

BookFolderProblem bookFolderProblem(const QString &folder, bool existedAtStart, int pageCount)
{
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir())
        return BookFolderProblem::NotAFolder;
    if (!info.exists())
        return BookFolderProblem::Missing;
    if (pageCount > 0 || QFileInfo(QDir(folder).filePath(QStringLiteral("_help.html"))).isFile())
        return BookFolderProblem::None;
    return existedAtStart ? BookFolderProblem::NoPages : BookFolderProblem::Created;
}

QString bookFolderNotice(BookFolderProblem problem, const QString &folder)
{
    const QString where = QDir::toNativeSeparators(folder);
    const QString how = QStringLiteral("\n\n本は、プログラムと同じ場所にある、プログラムと同じ名前（拡張子なし）のフォルダです。"
                                       "ページ（HTMLファイル）をそのフォルダに入れて、もう一度起動してください。");
    switch (problem) {
    case BookFolderProblem::None:
        return QString();
    case BookFolderProblem::Created:
        return QStringLiteral("本のフォルダがなかったので、空のフォルダを作りました: ") + where + how;
    case BookFolderProblem::Missing:
        return QStringLiteral("本のフォルダがなく、作ることもできません: ") + where + how;
    case BookFolderProblem::NotAFolder:
        return QStringLiteral("本のフォルダの場所にファイルがあります: ") + where
               + QStringLiteral("\nこのファイルを別の場所に移してください。") + how;
    case BookFolderProblem::NoPages:
        return QStringLiteral("本のフォルダにページがありません: ") + where + how;
    }
    return QString();
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
