#include "commands/mwex.h"

#include "commands/textfile.h"
#include "fakes/fakeplatform.h"
#include "testutil.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sorvek;

namespace {

// A shell whose desktop names a default program for one MIME type.
class AssociationShell : public fakes::FakeShell {
public:
    QString defaultProgramFor(const QString &mimeType) override
    {
        asked.append(mimeType);
        return entry;
    }
    QString entry;
    QStringList asked;
};

struct CutCase {
    const char *name;
    QString line;
    QString command;
};

class CommandBeforePlaceholder : public ::testing::TestWithParam<CutCase> {};

TEST_P(CommandBeforePlaceholder, CutsBeforeTheBlankAndPlaceholder)
{
    EXPECT_EQ(commandBeforePlaceholder(GetParam().line), GetParam().command);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CommandBeforePlaceholder,
    ::testing::Values(
        CutCase{"FileCode", QStringLiteral("/opt/mwex/mwex %f"), QStringLiteral("/opt/mwex/mwex")},
        CutCase{"UrlListCode", QStringLiteral("mwex --open %U"), QStringLiteral("mwex --open")},
        CutCase{"WindowsPlaceholder", QStringLiteral("\"C:/LCSI/MWEX.exe\" %1"), QStringLiteral("\"C:/LCSI/MWEX.exe\"")},
        CutCase{"FirstPlaceholderWins", QStringLiteral("run %1 %f"), QStringLiteral("run")},
        CutCase{"QuotedPlaceholderGivesNothing", QStringLiteral("mwex \"%f\""), QString()},
        CutCase{"NoPlaceholderGivesNothing", QStringLiteral("mwex"), QString()},
        CutCase{"Empty", QString(), QString()}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(DesktopEntryExec, IsReadFromTheDesktopEntryGroupOnly)
{
    const QString text = QStringLiteral("[Desktop Action x]\nExec=wrong %f\n\n[Desktop Entry]\nName=MWEX\n"
                                        "Exec=wine /opt/MWEX.exe %f\r\n[Other]\nExec=later\n");
    EXPECT_EQ(desktopEntryExec(text), QStringLiteral("wine /opt/MWEX.exe %f"));
    EXPECT_EQ(desktopEntryExec(QStringLiteral("[Desktop Entry]\nName=x\n")), QString());
}

class RegisteredCommand : public ::testing::Test {
protected:
    void writeEntry(const QString &name, const QString &exec)
    {
        testutil::writeBytes(apps.path(), name,
                             (QStringLiteral("[Desktop Entry]\nType=Application\nExec=") + exec + u'\n').toUtf8());
    }
    QTemporaryDir apps;
    AssociationShell shell;
};

TEST_F(RegisteredCommand, ComesFromTheDefaultProgramsDesktopEntry)
{
    writeEntry(QStringLiteral("mwex.desktop"), QStringLiteral("/opt/mwex/run %f"));
    shell.entry = QStringLiteral("mwex.desktop");
    EXPECT_EQ(registeredMwexCommand(shell, {QStringLiteral("/nonexistent"), apps.path()}), QStringLiteral("/opt/mwex/run"));
    EXPECT_EQ(shell.asked, QStringList{mwexMimeType()});
}

TEST_F(RegisteredCommand, IsEmptyWithoutAssociationEntryOrPlaceholder)
{
    EXPECT_EQ(registeredMwexCommand(shell, {apps.path()}), QString());
    shell.entry = QStringLiteral("missing.desktop");
    EXPECT_EQ(registeredMwexCommand(shell, {apps.path()}), QString());
    writeEntry(QStringLiteral("quoted.desktop"), QStringLiteral("mwex \"%f\""));
    shell.entry = QStringLiteral("quoted.desktop");
    EXPECT_EQ(registeredMwexCommand(shell, {apps.path()}), QString());
}

// FindMwex -------------------------------------------------------------------------------------

class FindMwex : public ::testing::Test {
protected:
    void addBookCopy() { testutil::writeBytes(book.path(), QStringLiteral("MWEX/mwex.exe"), "exe"); }
    QString installedProgram() { return testutil::writeBytes(other.path(), QStringLiteral("MWEX.exe"), "exe"); }
    QTemporaryDir book;
    QTemporaryDir other;
    const QString nowhere = QStringLiteral("/nonexistent/MWEX.exe");
};

TEST_F(FindMwex, BookCopyWinsOverAnInstalledProgram)
{
    addBookCopy();
    const MwexMenu menu = findMwex(book.path(), installedProgram() + QStringLiteral(" --open"), nowhere);
    EXPECT_EQ(menu.mode, MwexMode::BookCopy);
    EXPECT_TRUE(menu.visible);
    EXPECT_EQ(menu.caption, QStringLiteral("MWEXでLOGOページの作成"));
}

TEST_F(FindMwex, RegisteredProgramThatExistsIsInstalled)
{
    const MwexMenu menu = findMwex(book.path(), installedProgram() + QStringLiteral(" --open"), nowhere);
    EXPECT_EQ(menu.mode, MwexMode::Installed);
    EXPECT_TRUE(menu.visible);
    EXPECT_TRUE(menu.enabled);
    EXPECT_EQ(menu.caption, QStringLiteral("_MWEXでLOGOページの作成"));
    EXPECT_EQ(menu.hint, QStringLiteral("インストールMWEX"));
}

TEST_F(FindMwex, DefaultInstallPathReplacesTheRegisteredCommand)
{
    EXPECT_EQ(findMwex(book.path(), QString(), installedProgram()).mode, MwexMode::Installed);
}

TEST_F(FindMwex, NothingFoundHidesAndDisablesTheItem)
{
    const MwexMenu menu = findMwex(book.path(), QStringLiteral("/nonexistent/mwex"), nowhere);
    EXPECT_EQ(menu.mode, MwexMode::None);
    EXPECT_FALSE(menu.visible);
    EXPECT_FALSE(menu.enabled);
    EXPECT_EQ(menu.caption, QStringLiteral("LOGOのページ作成"));
    EXPECT_EQ(menu.hint, QStringLiteral("MWEXをインストールするか、MWEXのフォルダに入れてください。"));
}

// Launches -------------------------------------------------------------------------------------

TEST_F(FindMwex, NewProjectStartsTheBookCopyWithCaptionAndNotice)
{
    const QString project = book.filePath(QStringLiteral("20240307-101010.mwx"));
    const auto launch = newProjectLaunch(MwexMode::BookCopy, book.path(), project, QStringLiteral("ignored %f"));
    ASSERT_TRUE(launch);
    EXPECT_EQ(launch->program, mwexBookCopy(book.path()));
    EXPECT_EQ(launch->arguments, QStringList{project});
    EXPECT_EQ(launch->caption, mwexBookCopy(book.path()) + u' ' + project);
    EXPECT_EQ(launch->notice, QStringLiteral("20240307-101010.mwx "));
}

TEST_F(FindMwex, NewProjectStartsTheRegisteredCommandInMode4)
{
    const QString project = QStringLiteral("/b/my project.mwx");
    const auto launch = newProjectLaunch(MwexMode::Installed, book.path(), project,
                                         QStringLiteral("env \"WINEPREFIX=/w p\" wine start"));
    ASSERT_TRUE(launch);
    EXPECT_EQ(launch->program, QStringLiteral("env"));
    EXPECT_EQ(launch->arguments, (QStringList{QStringLiteral("WINEPREFIX=/w p"), QStringLiteral("wine"),
                                              QStringLiteral("start"), project}));
    EXPECT_EQ(launch->notice, QStringLiteral("マイクロワールドEXを起動中!!"));
    EXPECT_TRUE(launch->caption.isEmpty());
}

TEST_F(FindMwex, EmptyRegisteredCommandStartsNothing)
{
    const auto launch = newProjectLaunch(MwexMode::Installed, book.path(), QStringLiteral("/b/p.mwx"), QString());
    ASSERT_TRUE(launch);
    EXPECT_TRUE(launch->program.isEmpty());
    EXPECT_FALSE(newProjectLaunch(MwexMode::None, book.path(), QStringLiteral("/b/p.mwx"), QString()));
}

TEST_F(FindMwex, ProjectLinkPrefersTheBookCopy)
{
    addBookCopy();
    const QString project = testutil::writeBytes(book.path(), QStringLiteral("a.mwx"), "p");
    int reads = 0;
    const auto launch = projectLinkLaunch(project, MwexMode::Installed, book.path(), [&reads] {
        ++reads;
        return QStringLiteral("mwex");
    });
    ASSERT_TRUE(launch);
    EXPECT_EQ(launch->program, mwexBookCopy(book.path()));
    EXPECT_EQ(launch->notice, QStringLiteral("a.mwx "));
    EXPECT_EQ(reads, 0);
}

TEST_F(FindMwex, ProjectLinkUsesTheRegisteredCommandInMode4)
{
    const QString project = testutil::writeBytes(book.path(), QStringLiteral("a.mwx"), "p");
    const auto launch = projectLinkLaunch(project, MwexMode::Installed, book.path(), [] { return QStringLiteral("mwex -o"); });
    ASSERT_TRUE(launch);
    EXPECT_EQ(launch->program, QStringLiteral("mwex"));
    EXPECT_EQ(launch->arguments, (QStringList{QStringLiteral("-o"), project}));
    EXPECT_EQ(launch->notice, QStringLiteral("マイクロワールドEX"));
}

TEST_F(FindMwex, ProjectLinkIsNotHandledWithoutFileOrProgram)
{
    addBookCopy();
    EXPECT_FALSE(projectLinkLaunch(book.filePath(QStringLiteral("none.mwx")), MwexMode::BookCopy, book.path(), {}));
    const QString project = testutil::writeBytes(other.path(), QStringLiteral("a.mwx"), "p");
    EXPECT_FALSE(projectLinkLaunch(project, MwexMode::None, other.path(), {}));
}

// New LOGO page --------------------------------------------------------------------------------

TEST(LogoPagePlan, IsNamedByTheTimeAndTitledByMonthAndDay)
{
    const LogoPagePlan plan = planLogoPage(QStringLiteral("/b/sub/"), 2, QDateTime(QDate(2024, 3, 7), QTime(9, 5, 3)));
    EXPECT_EQ(plan.project, QStringLiteral("/b/sub/20240307-090503.mwx"));
    EXPECT_EQ(plan.page, QStringLiteral("/b/sub/20240307-090503.html"));
    EXPECT_EQ(plan.values.title, QStringLiteral("LOGO 3/7"));
    EXPECT_TRUE(plan.values.heading.isEmpty());
    EXPECT_EQ(plan.values.source, QStringLiteral("20240307-090503.mwx"));
    EXPECT_EQ(plan.values.width, QStringLiteral("744"));
    EXPECT_EQ(plan.values.height, QStringLiteral("550"));
    EXPECT_EQ(plan.targetIndex, 3);
    EXPECT_EQ(planLogoPage(QStringLiteral("/b"), 0, QDateTime(QDate(2024, 12, 25), QTime(23, 0, 0))).values.title,
              QStringLiteral("LOGO 12/25"));
}

TEST(LogoPagePlan, TheSecondOfTheSameSecondGetsItsOwnName)
{
    QTemporaryDir dir;
    const QDateTime now(QDate(2024, 3, 7), QTime(9, 5, 3));
    const LogoPagePlan plan = planLogoPage(dir.path(), 0, now);
    ASSERT_TRUE(writeLogoPage(plan).page.ok);
    testutil::writeBytes(dir.path(), QStringLiteral("20240307-090503.mwx"), "saved work");
    const LogoPagePlan second = planLogoPage(dir.path(), 0, now);
    const LogoPageWrite again = writeLogoPage(second);
    EXPECT_TRUE(again.page.ok && again.project.ok);
    EXPECT_EQ(second.page, dir.filePath(QStringLiteral("20240307-090503-2.html")));
    EXPECT_EQ(testutil::readBytes(plan.project), QByteArray("saved work"));
    EXPECT_TRUE(readPageText(plan.page).text.contains(QStringLiteral("<PARAM name=\"URL\" value=\"20240307-090503.mwx\">")));
    EXPECT_TRUE(readPageText(second.page).text.contains(QStringLiteral("value=\"20240307-090503-2.mwx\">")));
}

TEST(LogoPagePlan, FailedWritesAreReported)
{
    const LogoPagePlan plan = planLogoPage(QStringLiteral("/nonexistent/folder"), 0, QDateTime::currentDateTime());
    const LogoPageWrite written = writeLogoPage(plan);
    EXPECT_FALSE(written.page.ok);
    EXPECT_FALSE(written.project.ok);
}

} // namespace
