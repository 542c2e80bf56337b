// The quiz page in the real browser engine, offscreen: the demo book's quiz page is made into a quiz
// page, loaded, answered by script, and checked through the command lists its buttons navigate to.
#include "authoring/quizpage.h"
#include "commands/textfile.h"

#include "testutil.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>

using namespace sorvek;

namespace {

constexpr int kWaitMs = 20000;

// Lets the page itself load and records every other navigation, refusing it as the program does.
class RecordingPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;
    QUrl pageUrl;
    QList<QUrl> requests;

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool) override
    {
        if (url == pageUrl)
            return true;
        requests << url;
        return false;
    }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int, const QString &) override {}
};

class QuizPageInBrowser : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const ReadResult source =
            readPageText(QDir(testutil::demoBookFolder()).filePath(QStringLiteral("1060_quiz.html")));
        ASSERT_TRUE(source.ok) << source.error.toStdString();
        const QuizPageResult quiz = makeQuizPage(source.text, AnswerMarks{});
        ASSERT_TRUE(quiz.made());
        ASSERT_EQ(quiz.fieldCount, 3);
        const QString path = dir.filePath(QStringLiteral("1060_quiz.html"));
        ASSERT_TRUE(writePageText(path, quiz.page).ok);

        page = new RecordingPage(&view);
        page->pageUrl = QUrl::fromLocalFile(path);
        view.setPage(page);
        view.resize(600, 400);
        view.show();
        QSignalSpy loaded(page, &QWebEnginePage::loadFinished);
        page->load(page->pageUrl);
        ASSERT_TRUE(loaded.wait(kWaitMs));
        ASSERT_TRUE(loaded.first().first().toBool());
    }

    QVariant run(const QString &script)
    {
        QVariant result;
        bool done = false;
        page->runJavaScript(script, [&](const QVariant &value) {
            result = value;
            done = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&done] { return done; }, kWaitMs));
        return result;
    }

    // Presses a button by its name and returns the command list it navigated to, as a local path.
    QString press(const QString &buttonName)
    {
        page->requests.clear();
        run(QStringLiteral("document.getElementsByName('%1')[0].click();").arg(buttonName));
        EXPECT_TRUE(QTest::qWaitFor([this] { return !page->requests.isEmpty(); }, kWaitMs));
        return page->requests.isEmpty() ? QString() : page->requests.first().toLocalFile();
    }

    void answer(const QString &first, const QString &second, const QString &third)
    {
        run(QStringLiteral("var f=document.forms['myForm'];f.elements[0].value='%1';f.elements[1].value='%2';"
                           "f.elements[2].value='%3';")
                .arg(first, second, third));
    }

    QTemporaryDir dir;
    QWebEngineView view;
    RecordingPage *page = nullptr;
};

TEST_F(QuizPageInBrowser, RightAnswersSendThePlusList)
{
    answer(QStringLiteral("ワン"), QStringLiteral("３"), QStringLiteral("あき"));
    EXPECT_EQ(press(QStringLiteral("■決定")), QStringLiteral("/$+1,$_【○】,$HISJS sDAT[1]=+1"));
}

TEST_F(QuizPageInBrowser, AWrongAnswerSendsTheMinusList)
{
    answer(QStringLiteral("モー"), QStringLiteral("3"), QStringLiteral("あき"));
    EXPECT_EQ(press(QStringLiteral("■決定")), QStringLiteral("/$-1,$<-1[_【×】][_【△】],$HISJS sDAT[1]=-1"));
}

TEST_F(QuizPageInBrowser, UnansweredFieldsAreWrong)
{
    EXPECT_EQ(press(QStringLiteral("■決定")), QStringLiteral("/$-1,$<-1[_【×】][_【△】],$HISJS sDAT[1]=-1"));
}

TEST_F(QuizPageInBrowser, ShowAnswersFillsInTheAnswers)
{
    run(QStringLiteral("document.getElementsByName('答えを見る')[0].click();"));
    const QVariant values = run(QStringLiteral(
        "var f=document.forms['myForm'];[f.elements[0].value,f.elements[1].value,f.elements[2].value].join('|');"));
    EXPECT_EQ(values.toString(), QStringLiteral("ワン|3/３/さん|あき"));
    EXPECT_EQ(press(QStringLiteral("■決定")), QStringLiteral("/$+1,$_【○】,$HISJS sDAT[1]=+1"));
}

TEST_F(QuizPageInBrowser, NoteButtonsTurnPagesThroughCommandLinks)
{
    EXPECT_EQ(press(QStringLiteral("KR次")), QStringLiteral("/$NEXT"));
    EXPECT_EQ(press(QStringLiteral("KR再度")), QStringLiteral("/$"));
    EXPECT_EQ(press(QStringLiteral("KR前")), QStringLiteral("/$BACK"));
}

} // namespace
