#include "pagefiles/shortcutlaunch.h"

#include "testutil.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;

namespace {

TEST(ShortcutLaunch, StartsTheShortcutWithThePageFile)
{
    QTemporaryDir dir;
    const QString program = testutil::writeBytes(dir.path(), QStringLiteral("tool.lnk"), "#!/bin/sh\n");
    QFile(program).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    const QString plain = testutil::writeBytes(dir.path(), QStringLiteral("Word.lnk"), "L");
    const QString page = QStringLiteral("/book/1010_a.html");
    struct Row {
        const char *name;
        QString shortcut;
        QString registered;
        std::optional<QStringList> commandLine; // program, then its arguments
    };
    const Row rows[] = {
        {"a program gets the page", program, QStringLiteral("wine start"), QStringList{program, page}},
        {"the registered program gets the shortcut and the page", plain, QStringLiteral("wine start /unix"),
         QStringList{QStringLiteral("wine"), QStringLiteral("start"), QStringLiteral("/unix"), plain, page}},
        {"nothing registered starts nothing", plain, QString(), std::nullopt},
    };
    for (const Row &row : rows) {
        const std::optional<ShortcutLaunch> launch = shortcutLaunch(row.shortcut, page, [&row] { return row.registered; });
        ASSERT_EQ(launch.has_value(), row.commandLine.has_value()) << row.name;
        if (launch) {
            EXPECT_EQ(QStringList{launch->program} + launch->arguments, *row.commandLine) << row.name;
        }
    }
}

} // namespace
