// The real browser control offscreen: how command links reach the before-navigate event.
#include "platform/qt/webenginebrowser.h"

#include "testutil.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>
#include <gtest/gtest.h>

using namespace sorvek;

namespace {

class BrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        page = testutil::writePage(dir.path(), QStringLiteral("ページ/a.html"),
            QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<HTML><BODY>\n"
                           "<A id=\"cmd\" href=\"/$NEXT,$BACK\">次</A>\n"
                           "<A id=\"rel\" href=\"$GO 1010_apple\">GO</A>\n"
                           "<A id=\"query\" href=\"a.wav?$JS v.txt q=a?b#c\">Q</A>\n"
                           "<A id=\"script\" href=\"#\" onclick=\"location.href='/$-1,$<-1[_【×】]'; return false;\">x</A>\n"
                           "<P id=\"first\">ねこの絵</P><DIV style=\"height:3000px\"></DIV><P id=\"second\">ねこの歌</P></BODY></HTML>"));
        browser.resize(400, 300);
        browser.show();
        QSignalSpy loaded(&browser, &BrowserControl::DocumentComplete);
        browser.Navigate(QUrl::fromLocalFile(page), NavigationStart::localBookPage());
        ASSERT_TRUE(loaded.wait(20000));
    }

    // Clicks a link by script and returns the URL the before-navigate event saw; cancels it.
    QUrl clickAndCancel(const QString &id)
    {
        QUrl seen;
        auto c = QObject::connect(&browser, &BrowserControl::BeforeNavigate2, [&seen](const QUrl &url, bool &cancel) {
            seen = url;
            cancel = true;
        });
        browser.view()->page()->runJavaScript(QStringLiteral("document.getElementById('%1').click();").arg(id));
        EXPECT_TRUE(QTest::qWaitFor([&seen] { return !seen.isEmpty(); }, 10000));
        QObject::disconnect(c);
        return seen;
    }

    QTemporaryDir dir;
    QString page;
    WebEngineBrowser browser;
};

TEST_F(BrowserTest, RootCommandLinkArrivesAsFileUrlAtRoot)
{
    const QUrl url = clickAndCancel(QStringLiteral("cmd"));
    EXPECT_EQ(url.toString(), QStringLiteral("file:///$NEXT,$BACK"));
    EXPECT_EQ(url.toLocalFile(), QStringLiteral("/$NEXT,$BACK"));
}

TEST_F(BrowserTest, RelativeCommandLinkArrivesInThePageFolder)
{
    const QUrl url = clickAndCancel(QStringLiteral("rel"));
    EXPECT_EQ(url.toLocalFile(), dir.filePath(QStringLiteral("ページ/$GO 1010_apple")));
}

TEST_F(BrowserTest, QueryAndFragmentStayInTheCommandText)
{
    const QUrl url = clickAndCancel(QStringLiteral("query"));
    EXPECT_EQ(navigationText(url), dir.filePath(QStringLiteral("ページ/a.wav?$JS v.txt q=a?b#c")));
}

TEST_F(BrowserTest, ScriptNavigationKeepsTheTextAsWritten)
{
    const QUrl url = clickAndCancel(QStringLiteral("script"));
    EXPECT_EQ(url.toLocalFile(), QStringLiteral("/$-1,$<-1[_【×】]"));
}

TEST_F(BrowserTest, CancelledNavigationKeepsThePageAndEndsItsDownload)
{
    QSignalSpy completed(&browser, &BrowserControl::DocumentComplete);
    QSignalSpy downloaded(&browser, &BrowserControl::DownloadComplete);
    clickAndCancel(QStringLiteral("cmd"));
    QTest::qWait(300);
    EXPECT_EQ(browser.LocationURL().toLocalFile(), page);
    EXPECT_EQ(completed.size(), 0);
    EXPECT_EQ(downloaded.size(), 1);
}

TEST_F(BrowserTest, StoppedLoadKeepsTheLoadedLocation)
{
    QTcpServer silent; // accepts and never answers
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    QSignalSpy completed(&browser, &BrowserControl::DocumentComplete);
    QSignalSpy downloaded(&browser, &BrowserControl::DownloadComplete);
    browser.Navigate(QUrl(QStringLiteral("http://127.0.0.1:%1/never.html").arg(silent.serverPort())), NavigationStart::web());
    ASSERT_TRUE(QTest::qWaitFor([&silent] { return silent.hasPendingConnections(); }, 10000));
    browser.Stop();
    QTest::qWait(300);
    EXPECT_EQ(browser.LocationURL().toLocalFile(), page);
    EXPECT_EQ(completed.size(), 0);
    EXPECT_EQ(downloaded.size(), 1);
}

TEST_F(BrowserTest, EveryFindStartsAfreshAndSelectsTheFirstMatch)
{
    for (int round = 0; round < 2; ++round) {
        bool scrolled = false; // as the notes panel does: to the bottom first, then the find
        browser.ScrollIntoView(false, [&scrolled] { scrolled = true; });
        ASSERT_TRUE(QTest::qWaitFor([&scrolled] { return scrolled; }, 10000));
        int found = -1;
        browser.FindText(QStringLiteral("ねこ"), [&found](bool f) { found = f ? 1 : 0; });
        ASSERT_TRUE(QTest::qWaitFor([&found] { return found >= 0; }, 10000));
        EXPECT_EQ(found, 1);
        QString selected;
        browser.view()->page()->runJavaScript(
            QStringLiteral("(function(){var s=window.getSelection();"
                           "return s.toString()+'@'+s.anchorNode.parentNode.id+(window.scrollY<500?'@shown':'@away');})()"),
            [&selected](const QVariant &v) { selected = v.toString(); });
        ASSERT_TRUE(QTest::qWaitFor([&selected] { return !selected.isEmpty(); }, 10000));
        EXPECT_EQ(selected, QStringLiteral("ねこ@first@shown"));
    }
}

TEST_F(BrowserTest, BodyHtmlAndFindText)
{
    QString body;
    browser.BodyHtml([&body](const QString &html) { body = html; });
    QTRY_VERIFY_WITH_TIMEOUT(!body.isEmpty(), 10000);
    EXPECT_TRUE(body.contains(QStringLiteral("ねこの絵")));
    int found = -1;
    browser.FindText(QStringLiteral("ねこ"), [&found](bool f) { found = f ? 1 : 0; });
    QTRY_VERIFY_WITH_TIMEOUT(found >= 0, 10000);
    EXPECT_EQ(found, 1);
    found = -1;
    browser.FindText(QStringLiteral("いぬ"), [&found](bool f) { found = f ? 1 : 0; });
    QTRY_VERIFY_WITH_TIMEOUT(found >= 0, 10000);
    EXPECT_EQ(found, 0);
}

} // namespace
