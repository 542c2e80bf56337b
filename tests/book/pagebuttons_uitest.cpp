// The page-button column and page display of the main window, with fake browsers, on the demo book.
#include "fakes/demobookwindow_ui.h"

#include <QDir>
#include <QScrollBar>

using namespace sorvek;

namespace {

class PageDisplayTest : public fakes::DemoBookWindowTest {
protected:
    void SetUp() override
    {
        DemoBookWindowTest::SetUp();
        open();
        QTest::qWait(10);
    }
};

TEST_F(PageDisplayTest, RootLevelShowsButtonsWithGlyphsCaptionsAndHints)
{
    const int n = form->PageCount();
    ASSERT_EQ(form->PageButtons.size(), n);
    ASSERT_GE(n, 5);
    PageButton *first = form->PageButtons.at(0);
    const QStringList lines = first->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.at(0).trimmed(), QStringLiteral("はじめに"));
    EXPECT_EQ(lines.at(1).trimmed(), QStringLiteral("Sorvekの本"));
    EXPECT_EQ(first->toolTip(), QStringLiteral("1 この本の使い方"));
    EXPECT_FALSE(first->icon().isNull());
    EXPECT_EQ(shownFile(), book(QStringLiteral("index.html")));
    page()->complete();
    EXPECT_EQ(form->Panel7->text(), QStringLiteral("1 / %1").arg(n));
}

TEST_F(PageDisplayTest, ClickingAButtonShowsItsPage)
{
    press(form->PageButtons.at(1));
    EXPECT_EQ(form->PageIndex(), 1);
    EXPECT_EQ(shownFile(), book(QStringLiteral("1010_どうぶつ.html")));
    EXPECT_EQ(form->windowTitle(), QUrl::fromLocalFile(book(QStringLiteral("1010_どうぶつ.html"))).toString());
    EXPECT_EQ(form->PageDirection, 1);
    page()->complete();
    EXPECT_EQ(form->Panel7->text(), QStringLiteral("2 / %1").arg(form->PageCount()));
}

TEST_F(PageDisplayTest, DownAndEnterTurnTheKeyboardWay)
{
    form->PageButtons.at(0)->setFocus();
    QTest::keyClick(form->PageButtons.at(0), Qt::Key_Down);
    EXPECT_EQ(form->PageIndex(), 1);
    EXPECT_TRUE(form->PageButtons.at(1)->hasFocus());
    QTest::keyClick(form->PageButtons.at(1), Qt::Key_Return);
    EXPECT_EQ(shownFile(), book(QStringLiteral("1010_どうぶつ.html")));
    QTest::keyClick(form->PageButtons.at(1), Qt::Key_Up);
    EXPECT_EQ(form->PageIndex(), 0);
    QTest::keyClick(form->PageButtons.at(0), Qt::Key_Left);  // nothing before the first page
    EXPECT_EQ(form->PageIndex(), 0);
    const int last = form->PageCount() - 1;
    form->PageButtons.at(last)->setFocus();
    QTest::keyClick(form->PageButtons.at(last), Qt::Key_Tab);  // nothing after the last page
    EXPECT_EQ(form->PageIndex(), last);
    QTest::keyClick(form->PageButtons.at(last), Qt::Key_Escape);
    EXPECT_EQ(form->PageIndex(), 0);
    EXPECT_EQ(shownFile(), book(QStringLiteral("index.html")));
}

TEST_F(PageDisplayTest, NextAndPreviousImagesTurnPages)
{
    press(form->Image7);
    EXPECT_EQ(form->PageIndex(), 1);
    EXPECT_EQ(shownFile(), book(QStringLiteral("1010_どうぶつ.html")));
    press(form->Image6);
    press(form->Image6);  // back from the first page goes to the last
    EXPECT_EQ(form->PageIndex(), form->PageCount() - 1);
    press(form->Image7, Qt::RightButton);
    EXPECT_EQ(page()->forwards, 1);
}

TEST_F(PageDisplayTest, BreadcrumbAndHomeLeaveAPushedLevel)
{
    form->OpenLevel(book(QStringLiteral("さんすう")), 0, true);
    form->RebuildPageButtons();
    form->ShowPage(true);
    EXPECT_EQ(form->levels_.depth(), 2);
    EXPECT_EQ(shownFile(), book(QStringLiteral("さんすう/index.html")));
    EXPECT_EQ(form->PageButtons.size(), 3);
    press(form->SpeedButton20);
    EXPECT_EQ(form->levels_.depth(), 1);
    EXPECT_EQ(form->PageButtons.size(), form->PageCount());

    form->OpenLevel(book(QStringLiteral("さんすう")), 2, true);
    press(form->SpeedButton17);
    EXPECT_EQ(form->levels_.depth(), 1);
    EXPECT_EQ(form->PageIndex(), 0);
    EXPECT_EQ(shownFile(), book(QStringLiteral("index.html")));
}

TEST_F(PageDisplayTest, ButtonsSpanTheColumnWhenTheBreadcrumbComesAndGoes)
{
    // The column's width for a button that is not the current one.
    const auto spansColumn = [this](int i) {
        return form->PageButtons.at(i)->width() == form->ScrollBox1->width() - 2 * form->ButtonMargin;
    };
    page()->complete();
    ASSERT_TRUE(spansColumn(1));
    page()->Navigate(QUrl::fromLocalFile(book(QStringLiteral("$GOSUB まとめ"))));
    settle();
    page()->complete();
    ASSERT_TRUE(form->Panel3->isVisible());
    EXPECT_FALSE(form->ScrollBox1->verticalScrollBar()->isVisible());
    EXPECT_TRUE(spansColumn(1));
    page()->Navigate(QUrl::fromLocalFile(book(QStringLiteral("$RETURN"))));
    settle();
    page()->complete();
    EXPECT_FALSE(form->Panel3->isVisible());
    EXPECT_FALSE(form->ScrollBox1->verticalScrollBar()->isVisible());
    EXPECT_TRUE(spansColumn(1));
    form->SetPageIndex(1);
    form->ShowPage(true);
    EXPECT_TRUE(spansColumn(0));
    form->Panel12MouseEnter();  // the column closed to one pixel and opened again
    form->Panel12MouseEnter();
    EXPECT_TRUE(spansColumn(0));
}

TEST_F(PageDisplayTest, CommandLinkTurnsThePageAndIsNotNavigated)
{
    page()->Navigate(QUrl(QStringLiteral("file:///$NEXT")));
    settle();
    EXPECT_EQ(form->PageIndex(), 1);
    EXPECT_EQ(shownFile(), book(QStringLiteral("1010_どうぶつ.html")));
}

TEST_F(PageDisplayTest, GoFindsAPageByItsStem)
{
    page()->Navigate(QUrl::fromLocalFile(book(QStringLiteral("$GO まとめ"))));
    settle();
    EXPECT_EQ(shownFile(), book(QStringLiteral("1040_まとめ.html")));
}

TEST_F(PageDisplayTest, SideMenuDirLinkOpensASubfolderLevel)
{
    form->WebBrowser4->Navigate(QUrl(QStringLiteral("file:///$DIR さんすう")));
    settle();
    EXPECT_EQ(form->levels_.depth(), 2);
    EXPECT_EQ(shownFile(), book(QStringLiteral("さんすう/index.html")));
}

TEST_F(PageDisplayTest, SoundLinkPlaysWithoutNavigating)
{
    const QString wav = book(QStringLiteral("voice.wav"));
    page()->Navigate(QUrl::fromLocalFile(wav));
    settle();
    EXPECT_EQ(platform.sound.played, QStringList{wav});
    EXPECT_EQ(shownFile(), book(QStringLiteral("index.html")));
}

TEST_F(PageDisplayTest, ArchiveButtonFollowsTheArchiveFolder)
{
    EXPECT_FALSE(form->SpeedButton3->isVisible() && !form->SpeedButton3->toolTip().isEmpty());
    testutil::writePage(book(QString()), QStringLiteral("書庫/1010_old.html"), QStringLiteral("<HTML></HTML>"));
    form->ShowPage(true);
    EXPECT_EQ(form->SpeedButton3->toolTip(), QStringLiteral("書庫1ページを開く"));
    form->SpeedButton11MouseUp(Qt::LeftButton);
    EXPECT_EQ(form->levels_.depth(), 2);
    EXPECT_EQ(shownFile(), book(QStringLiteral("書庫/1010_old.html")));
    EXPECT_TRUE(form->SpeedButton3->isHidden());
}

TEST_F(PageDisplayTest, FolderWithoutPagesShowsItsHelpPage)
{
    QDir().mkpath(book(QStringLiteral("empty")));
    testutil::writePage(book(QStringLiteral("empty")), QStringLiteral("_help.html"), QStringLiteral("<HTML>help</HTML>"));
    form->OpenLevel(book(QStringLiteral("empty")), 0, true);
    form->RebuildPageButtons();
    form->ShowPage(true);
    EXPECT_TRUE(form->PageButtons.isEmpty());
    EXPECT_EQ(shownFile(), book(QStringLiteral("empty/_help.html")));
}

} // namespace

namespace {

TEST_F(PageDisplayTest, RightClickOpensThePagePopup)
{
    testutil::writeBytes(book(QString()), QStringLiteral("Word.LNK"), "x");
    press(form->PageButtons.at(1), Qt::RightButton);
    ASSERT_NE(form->pagePopup_, nullptr);
    EXPECT_TRUE(form->pagePopup_->isVisible());
    const QList<QAction *> actions = form->pagePopup_->actions();
    EXPECT_EQ(actions.first()->text(), QStringLiteral("ページの修正"));
    EXPECT_EQ(actions.last()->text(), QStringLiteral("ヘルプ"));
    EXPECT_EQ(form->ListBox3, QStringList{QStringLiteral("Word.LNK")});
    EXPECT_EQ(form->PageIndex(), 1);
    EXPECT_EQ(shownFile(), book(QStringLiteral("1010_どうぶつ.html")));
    form->pagePopup_->hide();
    press(form->PageButtons.at(1), Qt::RightButton);  // a second right click does not repeat the shortcuts
    EXPECT_EQ(form->ListBox3.size(), 1);
    form->pagePopup_->hide();
}

TEST_F(PageDisplayTest, HelpItemShowsTheFolderHelpPage)
{
    form->HelpClick();
    EXPECT_EQ(shownFile(), book(QStringLiteral("_help.html")));
    QFile::remove(book(QStringLiteral("_help.html")));
    form->HelpClick();
    EXPECT_TRUE(platform.shell.calls.value(0).startsWith(QStringLiteral("open http")));
}

TEST_F(PageDisplayTest, WebLevelWithoutShortcutsOrHelpShowsThePageOnRightClick)
{
    form->pushLevel({QStringLiteral("https://example.test/a.html")}, {QStringLiteral("a")}, 0, book(QStringLiteral("none")));
    form->RebuildPageButtons();
    press(form->PageButtons.at(0), Qt::RightButton);
    EXPECT_TRUE(form->pagePopup_ == nullptr || form->pagePopup_->actions().isEmpty());
    EXPECT_EQ(page()->location.toString(), QStringLiteral("https://example.test/a.html"));
}

} // namespace
