// The desktop shell over the real xdg tools.
#include "platform/qt/qtdesktop.h"

#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace sorvek;

TEST(QtShellTest, DefaultProgramAskedLaterGivesTheSameAnswerAndNoneAfterItsContextWent)
{
    QtShell shell;
    for (const QString &type : {QStringLiteral("text/html"), QStringLiteral("application/x-sorvek-nothing")}) {
        QObject context;
        std::optional<QString> later;
        shell.defaultProgramForLater(type, &context, [&later](const QString &entry) { later = entry; });
        EXPECT_FALSE(later.has_value()) << qPrintable(type);  // the window goes on meanwhile
        ASSERT_TRUE(QTest::qWaitFor([&later] { return later.has_value(); }, 10000)) << qPrintable(type);
        EXPECT_EQ(*later, shell.defaultProgramFor(type)) << qPrintable(type);
    }
    bool answered = false;
    auto context = std::make_unique<QObject>();
    shell.defaultProgramForLater(QStringLiteral("text/html"), context.get(), [&answered](const QString &) { answered = true; });
    context.reset();
    QTest::qWait(300);
    EXPECT_FALSE(answered);
}
