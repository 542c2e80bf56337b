#pragma once
// LOGO pages for MicroWorlds EX: finding the program (the book's own copy or an installed one),
// the menu item it sets up, a new project with its page, and how the program is started on a
// project.
#include "authoring/pagetemplates.h"
#include "platform/ports.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace sorvek {

// MwexMode, kept in LOGO1's Tag.
enum class MwexMode { None = 0, BookCopy = 3, Installed = 4 };

// Where the Windows installer puts the program; names no file here unless a stand-in exists.
inline const QString kMwexDefaultInstallPath = QStringLiteral("C:/Program Files/LCSI/マイクロワールドEX/MWEX.exe");

// The book's own copy: bookFolder + "/MWEX/mwex.exe".
QString mwexBookCopy(const QString &bookFolder);

// The command of a registered command line: the text before the first blank that precedes a file
// placeholder (" %f", " %F", " %u", " %U" of a desktop entry, or " %1"); "" without one, so a
// quoted placeholder gives no command.
QString commandBeforePlaceholder(const QString &commandLine);
// The Exec value of the [Desktop Entry] group of a desktop entry file's text; "" without one.
QString desktopEntryExec(const QString &desktopEntryText);
// The MIME type of ".mwx" projects: the one the MIME database knows, else the type Wine registers.
QString mwexMimeType();
// The registered command for files of a MIME type: the desktop's default program for the type, its
// desktop entry found in applicationFolders, the Exec line cut before the placeholder; "" when
// any step finds nothing.
QString registeredCommandFor(IShell &shell, const QString &mimeType, const QStringList &applicationFolders);
// The registered command for ".mwx" projects: the desktop's default program for the type, its
// desktop entry found in applicationFolders, the Exec line cut before the placeholder. "" when
// any step finds nothing.
QString registeredMwexCommand(IShell &shell, const QStringList &applicationFolders);
// The same from the desktop entry's name that the desktop gave for the type.
QString mwexCommandForEntry(const QString &entry, const QStringList &applicationFolders);
// The folders that hold desktop entries on this system.
QStringList applicationFolders();
// True when the command's program (its first word) is an existing file or a program on the PATH.
bool commandNamesExistingProgram(const QString &command);

// What TForm1.FindMwex sets on LOGO1.
struct MwexMenu {
    MwexMode mode = MwexMode::None;
    bool visible = false;
    bool enabled = false;
    QString caption;
    QString hint;
};
MwexMenu findMwex(const QString &bookFolder, const QString &registeredCommand,
                  const QString &defaultInstallPath = kMwexDefaultInstallPath);

// A program to start detached on a project, and what the main window shows meanwhile.
struct ProgramLaunch {
    QString program;      // "" when the registered command is empty: nothing starts
    QStringList arguments;
    QString notice;       // for ShowNotice(notice, 2000)
    QString caption;      // written to the current-URL register; "" leaves it
};
inline constexpr int kMwexNoticeMs = 2000;
// The notice for a project or program link that nothing on this desktop can run.
QString mwexCannotRunNotice(const QString &path);

// Starting MicroWorlds EX on a new project (the LOGO menu): the book copy in mode 3, the
// registered command in mode 4; nothing in mode 0.
std::optional<ProgramLaunch> newProjectLaunch(MwexMode mode, const QString &bookFolder, const QString &project,
                                              const QString &registeredCommand);
// A link to a project file (TForm1.OpenProjectLink): the book copy whenever it exists, else the
// registered command in mode 4; nothing (the dispatcher goes on) when the file does not exist.
// registeredCommand is read only when it is needed.
std::optional<ProgramLaunch> projectLinkLaunch(const QString &path, MwexMode mode, const QString &bookFolder,
                                               const std::function<QString()> &registeredCommand);

// A new LOGO project and its page in the top folder.
struct LogoPagePlan {
    QString project;        // topFolder + "yyyyMMdd-hhmmss.mwx"
    QString page;           // the same with ".html"
    PictureTemplate values; // title "LOGO M/d", empty heading, 744 x 550
    int targetIndex = 0;    // where the new page is moved: the current page index + 1
};
LogoPagePlan planLogoPage(const QString &topFolder, int currentPageIndex, const QDateTime &now);

// The bytes of a new, empty project file.
QByteArray emptyMwexProject();

// Writes the LOGO page and then the empty project. A failed page write leaves the project
// unwritten; both results are returned for the caller to report.
struct LogoPageWrite {
    WriteResult page;
    WriteResult project;
};
LogoPageWrite writeLogoPage(const LogoPagePlan &plan);

} // namespace sorvek
