#include "commands/mwex.h"

#include "book/bookfilereader.h"
#include "commands/texthelpers.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

namespace sorvek {

namespace {

const QString kLogoWidth = QStringLiteral("744");
const QString kLogoHeight = QStringLiteral("550");

// The program and its arguments from a command line, the project path appended as one argument.
ProgramLaunch commandLaunch(const QString &command, const QString &project)
{
    ProgramLaunch launch;
    QStringList words = QProcess::splitCommand(command);
    if (words.isEmpty())
        return launch;
    launch.program = words.takeFirst();
    launch.arguments = words << project;
    return launch;
}

ProgramLaunch bookCopyLaunch(const QString &bookFolder, const QString &project)
{
    const QString copy = mwexBookCopy(bookFolder);
    return {copy, {project}, urlFileName(project) + u' ', copy + u' ' + project};
}

// A name in use, even by a link that leads nowhere.
bool nameTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString readText(const QString &path)
{
    return QString::fromUtf8(readBookFile(path, BookFileKind::Page).bytes);
}

} // namespace

QString mwexBookCopy(const QString &bookFolder)
{
    return bookFolder + QStringLiteral("/MWEX/mwex.exe");
}

QString commandBeforePlaceholder(const QString &commandLine)
{
    qsizetype cut = -1;
    for (const char *placeholder : {" %f", " %F", " %u", " %U", " %1"}) {
        const qsizetype at = commandLine.indexOf(QLatin1String(placeholder));
        if (at >= 0 && (cut < 0 || at < cut))
            cut = at;
    }
    return cut < 0 ? QString() : commandLine.left(cut);
}

QString desktopEntryExec(const QString &desktopEntryText)
{
    bool inEntry = false;
    for (const QString &raw : desktopEntryText.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'['))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (inEntry && line.startsWith(QLatin1String("Exec=")))
            return line.mid(5).trimmed();
    }
    return QString();
}

QString mwexMimeType()
{
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QStringLiteral("project.mwx"), QMimeDatabase::MatchExtension);
    if (type.isValid() && !type.isDefault())
        return type.name();
    return QStringLiteral("application/x-wine-extension-mwx");
}

QString registeredMwexCommand(IShell &shell, const QStringList &folders)
{
    return registeredCommandFor(shell, mwexMimeType(), folders);
}

QString registeredCommandFor(IShell &shell, const QString &mimeType, const QStringList &folders)
{
    return mwexCommandForEntry(shell.defaultProgramFor(mimeType), folders);
}

QString mwexCommandForEntry(const QString &entry, const QStringList &folders)
{
    if (entry.isEmpty())
        return QString();
    for (const QString &folder : folders) {
        const QString path = QDir(folder).filePath(entry);
        if (QFileInfo(path).isFile())
            return commandBeforePlaceholder(desktopEntryExec(readText(path)));
    }
    return QString();
}

QStringList applicationFolders()
{
    return QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
}

bool commandNamesExistingProgram(const QString &command)
{
    const QStringList words = QProcess::splitCommand(command);
    if (words.isEmpty())
        return false;
    const QString program = words.first();
    if (program.contains(u'/'))
        return QFileInfo(program).isFile();
    return !QStandardPaths::findExecutable(program).isEmpty();
}

MwexMenu findMwex(const QString &bookFolder, const QString &registeredCommand, const QString &defaultInstallPath)
{
    const QString installed = QFileInfo::exists(defaultInstallPath) ? defaultInstallPath : registeredCommand;
    if (QFileInfo::exists(mwexBookCopy(bookFolder)))
        return {MwexMode::BookCopy, true, true, QStringLiteral("MWEXでLOGOページの作成"),
                QStringLiteral("フォルダに入れたMWEXで作品を作る")};
    if (commandNamesExistingProgram(installed))
        return {MwexMode::Installed, true, true, QStringLiteral("_MWEXでLOGOページの作成"),
                QStringLiteral("インストールMWEX")};
    return {MwexMode::None, false, false, QStringLiteral("LOGOのページ作成"),
            QStringLiteral("MWEXをインストールするか、MWEXのフォルダに入れてください。")};
}

std::optional<ProgramLaunch> newProjectLaunch(MwexMode mode, const QString &bookFolder, const QString &project,
                                              const QString &registeredCommand)
{
    if (mode == MwexMode::BookCopy)
        return bookCopyLaunch(bookFolder, project);
    if (mode != MwexMode::Installed)
        return std::nullopt;
    ProgramLaunch launch = commandLaunch(registeredCommand, project);
    launch.notice = QStringLiteral("マイクロワールドEXを起動中!!");
    return launch;
}

std::optional<ProgramLaunch> projectLinkLaunch(const QString &path, MwexMode mode, const QString &bookFolder,
                                               const std::function<QString()> &registeredCommand)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    if (QFileInfo::exists(mwexBookCopy(bookFolder)))
        return bookCopyLaunch(bookFolder, path);
    if (mode != MwexMode::Installed)
        return std::nullopt;
    ProgramLaunch launch = commandLaunch(registeredCommand ? registeredCommand() : QString(), path);
    launch.notice = QStringLiteral("マイクロワールドEX");
    return launch;
}

QString mwexCannotRunNotice(const QString &path)
{
    return QStringLiteral("このパソコンではマイクロワールドEXを起動できません: ") + urlFileName(path) + u' ';
}

LogoPagePlan planLogoPage(const QString &topFolder, int currentPageIndex, const QDateTime &now)
{
    const QString folder = topFolder.endsWith(u'/') ? topFolder : topFolder + u'/';
    const QString stamp = now.toString(QStringLiteral("yyyyMMdd'-'HHmmss"));
    LogoPagePlan plan;
    // A second page in the same second takes a numbered name: an existing project is never emptied.
    for (int n = 1; n == 1 || nameTaken(plan.project) || nameTaken(plan.page); ++n) {
        const QString name = n == 1 ? stamp : stamp + QStringLiteral("-%1").arg(n);
        plan.project = folder + name + QStringLiteral(".mwx");
        plan.page = folder + name + QStringLiteral(".html");
    }
    plan.values = {QStringLiteral("LOGO ") + now.toString(QStringLiteral("M/d")), QString(),
                   urlFileName(plan.project), kLogoWidth, kLogoHeight};
    plan.targetIndex = currentPageIndex + 1;
    return plan;
}

QByteArray emptyMwexProject()
{
    // MicroWorlds EX's own empty project file is not ours to ship: the project starts as an empty
    // file under its stamped name, which the program saves into.
    return QByteArray();
}

LogoPageWrite writeLogoPage(const LogoPagePlan &plan)
{
    LogoPageWrite written;
    written.page = saveLogoPage(plan.page, plan.values);
    if (!written.page) {
        written.page.error = QStringLiteral("LOGOのページを作れません: ") + written.page.error;
        written.project.error = plan.project + QStringLiteral(" (ページを保存できなかったので作っていません)");
        return written;
    }
    written.project = writeBytesSafely(plan.project, emptyMwexProject());
    if (!written.project)
        written.project.error = QStringLiteral("LOGOのプロジェクトファイルを作れません: ") + written.project.error
                                + QStringLiteral("。ページはできています。");
    return written;
}

} // namespace sorvek
