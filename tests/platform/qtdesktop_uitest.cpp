// The desktop shell over the real xdg tools.
#include "platform/qt/qtdesktop.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

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

namespace {

// Asked by a child of an always-on-top tool, or with no asker; no question: a warning.
struct PromptCase { const char *name; bool fromTool; std::optional<DefaultAnswer> question; bool answerOnReturn; };
class QtPromptTest : public ::testing::TestWithParam<PromptCase> {};

// The real box: its owner, above an always-on-top owner, and what Return answers.
TEST_P(QtPromptTest, OpensAboveTheAskerAndReturnGivesTheDefault)
{
    const PromptCase &row = GetParam();
    QWidget mainWindow;
    QWidget tool(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint);
    QtUserPrompt prompt(&mainWindow);
    QWidget *owner = nullptr;  // the box is gone once answered
    Qt::WindowFlags flags;
    QTimer::singleShot(0, [&] {
        QWidget *box = QApplication::activeModalWidget();
        owner = box->parentWidget();
        flags = box->windowFlags();
        QTest::keyClick(box, Qt::Key_Return);
    });
    QWidget *asker = row.fromTool ? new QWidget(&tool) : nullptr;
    const bool answer = row.question ? prompt.question(asker, QStringLiteral("消しますか"), *row.question)
                                     : (prompt.warning(asker, QStringLiteral("読めません")), true);
    EXPECT_EQ(owner, row.fromTool ? &tool : &mainWindow);
    EXPECT_EQ(flags.testFlag(Qt::WindowStaysOnTopHint), row.fromTool);
    EXPECT_EQ(answer, row.answerOnReturn);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, QtPromptTest,
    ::testing::Values(PromptCase{"DeletingQuestionOfAToolSaysNo", true, DefaultAnswer::No, false},
                      PromptCase{"HarmlessQuestionSaysYes", false, DefaultAnswer::Yes, true},
                      PromptCase{"WarningWithoutAskerIsOverTheMainWindow", false, std::nullopt, true}),
    [](const auto &row) { return std::string(row.param.name); });
} // namespace
