#include "app/bookfolder.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

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
        location.named = true;
    }
    if (location.folder.size() > 1 && location.folder.endsWith(QLatin1Char('/')))
        location.folder.chop(1);
    return location;
}

bool BookLocation::namesAPlace() const
{
    return QDir::isAbsolutePath(folder);
}

namespace {

// A root that leads to its pages through the side menu holds them in folders of its own.
bool holdsFolderOfPages(const QDir &root)
{
    const QStringList folders = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    return std::any_of(folders.begin(), folders.end(), [&root](const QString &name) {
        return !QDir(root.filePath(name)).entryList({QStringLiteral("*.htm*")}, QDir::Files).isEmpty();
    });
}

} // namespace

BookFolderProblem bookFolderProblem(const QString &folder, bool existedAtStart, int pageCount)
{
    const QFileInfo info(folder);
    if (QDir::isRelativePath(folder))
        return BookFolderProblem::Missing;
    if (info.exists() && !info.isDir())
        return BookFolderProblem::NotAFolder;
    if (!info.exists())
        return BookFolderProblem::Missing;
    const QDir root(folder);
    if (pageCount > 0 || QFileInfo(root.filePath(QStringLiteral("_help.html"))).isFile()
        || QFileInfo(root.filePath(QStringLiteral("_index.html"))).isFile() || holdsFolderOfPages(root))
        return BookFolderProblem::None;
    return existedAtStart ? BookFolderProblem::NoPages : BookFolderProblem::Created;
}

QString bookFolderNotice(BookFolderProblem problem, const BookLocation &book)
{
    const QString where = QDir::toNativeSeparators(book.folder);
    const QString which = !book.named ? QStringLiteral("本は、プログラムと同じ場所にある、プログラムと同じ名前（拡張子なし）のフォルダです。")
                          : book.namesAPlace()
                              ? QStringLiteral("本は、プログラムの名前が表すフォルダです（名前の $ と % は / を表します）。")
                              : QStringLiteral("プログラムの名前がドライブ名（D: など）を表していますが、ドライブ名はこのパソコンでは使えません。");
    const QString how = QStringLiteral("\n\n") + which
                        + QStringLiteral("ページ（HTMLファイル）をそのフォルダに入れて、もう一度起動してください。");
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

StartupRead readBookAtStartup(const QString &bookFolder)
{
    StartupRead read;
    if (!QDir::isAbsolutePath(bookFolder))
        return read;
    read.journals = recoverRenameJournals(bookFolder);
    read.root = readRootLevel(bookFolder);
    return read;
}

} // namespace sorvek
