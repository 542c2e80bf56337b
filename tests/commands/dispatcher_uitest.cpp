// Command links through the main window: with fake browsers for the rules' effects, and with the
// real engine offscreen for a click in a shown page.
#include "platform/qt/qtplatform.h"

#include "fakes/demobookwindow_ui.h"

#include <QSignalSpy>
#include <QWebEngineView>

using namespace sorvek;

namespace {

class DispatcherTest : public fakes::DemoBookWindowTest {
protected:
    void open(bool realBrowsers)
    {
        makeForm({}, realBrowsers ? QtPlatform::browsers() : fakeBrowsers()).show();
    }
    void follow(const QString &url)
    {
        form->WebBrowser1->Navigate(QUrl(url), NavigationStart::localBookPage());
        settle();
    }
    QString shown() const { return shownFile(); }
};

TEST_F(DispatcherTest, WrongQuizAnswerRunsTheWorkedExampleAndWritesHistory)
{
    open(false);
    auto *notes = fake(form->WebBrowser2);
    notes->body = QStringLiteral("【○】よくできました 【△】もう一度 【×】戻りましょう");
    follow(QStringLiteral("file:///$-1,$<-1[_【×】][_【△】],$HISJS sDAT[1]=-1"));
    EXPECT_EQ(form->runner_.pageCounter(), -1);
    EXPECT_EQ(notes->finds.value(0), QStringLiteral("【△】"));  // try again
    QFile history(book(QStringLiteral("history/history.txt")));
    ASSERT_TRUE(history.open(QIODevice::ReadOnly));
    EXPECT_EQ(history.readAll(), QByteArray("sDAT[1]=-1\r\n"));
    history.close();
    follow(QStringLiteral("file:///$-1,$<-1[_【×】][_【△】],$HISJS sDAT[1]=-1"));
    EXPECT_EQ(form->runner_.pageCounter(), -2);
    EXPECT_EQ(notes->finds.value(notes->finds.size() - 1), QStringLiteral("【×】"));
    ASSERT_TRUE(history.open(QIODevice::ReadOnly));
    EXPECT_EQ(history.readAll(), QByteArray("sDAT[1]=-2\r\n"));
}

TEST_F(DispatcherTest, CounterItemWithoutANumberIsReportedAndEndsTheList)
{
    struct Row {
        const char *name;
        QString link;
        int counter;
        bool reported;
    };
    const Row rows[] = {
        {"sign without a number", QStringLiteral("file:///$+x,$NEXT"), 0, true},
        {"bare equals", QStringLiteral("file:///$=,$NEXT"), 0, true},
        {"equals with a number sets the counter", QStringLiteral("file:///$=5"), 5, false},
    };
    open(false);
    for (const Row &row : rows) {
        platform.prompt.messages.clear();
        form->ShowPage(true);
        follow(row.link);
        EXPECT_EQ(form->runner_.pageCounter(), row.counter) << row.name;
        EXPECT_EQ(form->PageIndex(), 0) << row.name; // NEXT after the bad item never ran
        EXPECT_EQ(platform.prompt.messages.size(), row.reported ? 1 : 0) << row.name;
    }
}

TEST_F(DispatcherTest, ProjectLinkNothingCanRunSaysSoAndStaysOnThePage)
{
    open(false);
    testutil::writeBytes(book(QString()), QStringLiteral("turtle.mwx"), "project");
    const QString before = shown();
    follow(QUrl::fromLocalFile(book(QStringLiteral("turtle.mwx"))).toString());
    EXPECT_EQ(shown(), before);
    EXPECT_TRUE(form->PmathuCaption->text().contains(QStringLiteral("マイクロワールドEXを起動できません")));
    EXPECT_TRUE(platform.processes.started.isEmpty());
}

TEST_F(DispatcherTest, GosubAndReturnComeBackToTheCallingPage)
{
    open(false);
    form->SetPageIndex(2);
    form->ShowPage(true);
    follow(QStringLiteral("file:///$GOSUB まとめ"));
    EXPECT_EQ(form->levels_.depth(), 2);
    EXPECT_EQ(shown(), book(QStringLiteral("1040_まとめ.html")));
    follow(QStringLiteral("file:///$RETURN"));
    EXPECT_EQ(form->levels_.depth(), 1);
    EXPECT_EQ(shown(), book(QStringLiteral("1020_リンク.html")));
}

TEST_F(DispatcherTest, WebPageMayTurnPagesButNotWriteFiles)
{
    open(false);
    page()->location = QUrl(QStringLiteral("https://example.test/news.html"));
    follow(QStringLiteral("https://example.test/$JS vars.txt a=1,$NEXT"));
    EXPECT_FALSE(QFile::exists(book(QStringLiteral("vars.txt"))));
    EXPECT_EQ(form->PageIndex(), 1);
}

TEST_F(DispatcherTest, FailedWriteNoticeIsOneLineThatKeepsItsStartAndReason)
{
    open(false);
    follow(QStringLiteral("file:///$JS a_very_long_folder_name_that_is_nowhere_in_this_book/vars.txt x=5"));
    const QLabel *caption = form->PmathuCaption;
    ASSERT_TRUE(form->Pmathu->isVisible());
    const QString text = caption->text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("変数ファイルを保存できません: "))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("(フォルダがありません)"))) << text.toStdString();
    EXPECT_LE(QFontMetrics(caption->font()).horizontalAdvance(text), caption->width());
}

TEST_F(DispatcherTest, TitlePageClosesTheColumnAndOtherPagesRestoreIt)
{
    open(false);
    testutil::writePage(book(QString()), QStringLiteral("題目.html"),
                        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
                                       "<HTML><HEAD><TITLE>題目</TITLE></HEAD><BODY></BODY></HTML>"));
    follow(QUrl::fromLocalFile(book(QStringLiteral("題目.html"))).toString());
    EXPECT_EQ(form->kabeRight->width(), 1);
    EXPECT_EQ(form->hyoushi->width(), 0);
    follow(QUrl::fromLocalFile(book(QStringLiteral("index.html"))).toString());
    EXPECT_EQ(form->kabeRight->width(), 120);
}

TEST_F(DispatcherTest, ClickOnNextInTheRealEngineShowsTheNextPage)
{
    open(true);
    auto *browser = static_cast<WebEngineBrowser *>(form->WebBrowser1);
    QSignalSpy loaded(browser, &BrowserControl::DocumentComplete);
    ASSERT_TRUE(QTest::qWaitFor([&loaded] { return !loaded.isEmpty(); }, 20000));
    browser->view()->page()->runJavaScript(QStringLiteral("document.querySelector('a[href=\"/$NEXT\"]').click();"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return form->PageIndex() == 1; }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([browser] { return browser->LocationURL().toLocalFile().endsWith(QStringLiteral("1010_どうぶつ.html")); }, 10000));
}

TEST_F(DispatcherTest, SoundLinkInTheRealEngineIsPlayedNotNavigated)
{
    open(true);
    const QString page = testutil::writePage(book(QString()), QStringLiteral("1005_おと.html"),
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
                       "<HTML><HEAD><TITLE>おと</TITLE></HEAD><BODY><A id=\"w\" href=\"voice.wav\">声</A></BODY></HTML>"));
    testutil::writeBytes(book(QString()), QStringLiteral("voice.wav"), "RIFF");
    auto *browser = static_cast<WebEngineBrowser *>(form->WebBrowser1);
    QSignalSpy loaded(browser, &BrowserControl::DocumentComplete);
    browser->Navigate(QUrl::fromLocalFile(page), NavigationStart::localBookPage());
    ASSERT_TRUE(QTest::qWaitFor([browser] { return browser->LocationURL().fileName() == QStringLiteral("1005_おと.html"); }, 20000));
    ASSERT_TRUE(QTest::qWaitFor([&loaded] { return !loaded.isEmpty(); }, 20000));
    browser->view()->page()->runJavaScript(QStringLiteral("document.getElementById('w').click();"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return !platform.sound.played.isEmpty(); }, 10000));
    EXPECT_EQ(platform.sound.played.value(0), book(QStringLiteral("voice.wav")));
    QTest::qWait(200);
    EXPECT_EQ(browser->LocationURL().toLocalFile(), page);
}

} // namespace

namespace {

// Clicks and keys made while a program or the recorder runs are dropped, not replayed when it ends.
class InputWhileWaiting : public DispatcherTest, public testing::WithParamInterface<const char16_t *> {};

TEST_P(InputWhileWaiting, IsDroppedAndTheArrowWorksAfterwards)
{
    open(false);
    ASSERT_EQ(form->PageIndex(), 0);
    platform.processes.whileRunning = [this](const QStringList &) {
        EXPECT_FALSE(form->isEnabled());
        QTest::mouseClick(form->Image7, Qt::LeftButton);
        QTest::mouseClick(form->Image7, Qt::LeftButton);
        QTest::keyClick(form.get(), Qt::Key_Right);
        QTimer::singleShot(0, form.get(), [this] { platform.processes.pending(true); });
    };
    follow(QString::fromUtf16(GetParam()));
    ASSERT_EQ(platform.processes.waited.size(), 1);
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(form->PageIndex(), 0);
    QTest::mouseClick(form->Image7, Qt::LeftButton);
    EXPECT_EQ(form->PageIndex(), 1);
}

INSTANTIATE_TEST_SUITE_P(Waits, InputWhileWaiting,
                         testing::Values(u"file:///$tool.EXE", u"file:///$WAV talk"),
                         [](const auto &row) { return row.index == 0 ? std::string("Program") : std::string("Recorder"); });

} // namespace

namespace {

// A level's page file is shown as the file it is, whatever its name holds; only links run commands.
class OddPageName : public DispatcherTest, public testing::WithParamInterface<const char16_t *> {};

TEST_P(OddPageName, IsShownNotRun)
{
    open(false);
    const QString name = QString::fromUtf16(GetParam());
    testutil::writePage(book(QString()), name, QStringLiteral("<HTML><BODY>x</BODY></HTML>"));
    form->GoHome();
    const int index = int(form->levels_.pageList().indexOf(name));
    ASSERT_GE(index, 0);
    form->SetPageIndex(index);
    form->ShowPage(true);
    settle();
    EXPECT_EQ(shown(), book(name));
    EXPECT_EQ(form->PageIndex(), index);
    EXPECT_EQ(form->levels_.depth(), 1);
}

INSTANTIATE_TEST_SUITE_P(Names, OddPageName, testing::Values(u"1110_$NEXT.html", u"1100_back\\slash.html"),
                         [](const auto &row) { return row.index == 0 ? std::string("Dollar") : std::string("Backslash"); });

} // namespace
