// After a page loads, the memo, the file watch, presentation mode and shutdown, on the demo book
// with fake browsers and the real memo window and mask.
#include "fakes/demobookwindow_ui.h"

#include <QDateTime>
#include <QDir>

using namespace sorvek;

namespace {

class AfterLoadTest : public fakes::DemoBookWindowTest {
protected:
    void SetUp() override
    {
        DemoBookWindowTest::SetUp();
        makeForm();
        mask = std::make_unique<TForm11>();
        memo = std::make_unique<TForm12>(platform.prompt);
        form->SetToolWindows(mask.get(), memo.get());
        form->show();
        page()->complete();
    }
    void TearDown() override
    {
        memo->Tag = 0;
        memo->hide();
        mask->hide();
    }

    void turnTo(int index)
    {
        form->SetPageIndex(index);
        form->ShowPage(true);
        page()->complete();
    }

    std::unique_ptr<TForm11> mask;
    std::unique_ptr<TForm12> memo;
};

TEST_F(AfterLoadTest, PageWorkTakesTheAddressAndTheFolder)
{
    EXPECT_EQ(form->LastLoadedURL, QUrl::fromLocalFile(book(QStringLiteral("index.html"))).toString());
    EXPECT_EQ(form->Panel8->text(), QStringLiteral("Book"));
    EXPECT_FALSE(form->Panel3->isVisible());
}

TEST_F(AfterLoadTest, ForwardTurnSlidesInFromTheRight)
{
    form->PageDirection = 1;
    turnTo(1);
    const int w = form->WebBrowser1->width();
    EXPECT_EQ(form->WebBrowser1->x(), w);
    EXPECT_TRUE(QTest::qWaitFor([this] { return form->WebBrowser1->x() == -2; }, 2000));
    form->PageDirection = -1;
    turnTo(0);
    EXPECT_EQ(form->WebBrowser1->x(), -w);
}

TEST_F(AfterLoadTest, BreadcrumbNamesTheCallingPage)
{
    form->WebBrowser4->Navigate(QUrl(QStringLiteral("file:///$DIR さんすう")));
    QTest::qWait(5);
    page()->complete();
    EXPECT_TRUE(form->Panel3->isVisible());
    EXPECT_EQ(form->SpeedButton20->toolTip(), QStringLiteral("[はじめに]のページに戻る"));
    EXPECT_EQ(form->Label1->text(), QStringLiteral("さんすう"));
}

TEST_F(AfterLoadTest, LinkPageWithSeveralLinksBecomesALevel)
{
    testutil::writePage(book(QString()), QStringLiteral("1050_リンク集.html"),
                        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
                                       "<HTML><HEAD><TITLE>リンク集</TITLE></HEAD><BODY>【リンク】\n"
                                       "<A HREF=\"1010_どうぶつ.html\">どうぶつ</A>\n<a href=\"1030_きせつ.html\">きせつ</a>\n"
                                       "</BODY></HTML>"));
    form->OpenLevel(book(QString()), 0, false);
    form->RebuildPageButtons();
    const int at = form->levels_.pageList().indexOf(QStringLiteral("1050_リンク集.html"));
    ASSERT_GE(at, 0);
    turnTo(at);
    EXPECT_EQ(form->levels_.depth(), 2);
    EXPECT_EQ(form->levels_.titleList(), (QStringList{QStringLiteral("どうぶつ"), QStringLiteral("きせつ")}));
    EXPECT_EQ(form->PageButtons.size(), 2);
    EXPECT_EQ(page()->location.toLocalFile(), book(QStringLiteral("1010_どうぶつ.html")));
}

TEST_F(AfterLoadTest, MemoFollowsPageTurnsAndIsSaved)
{
    form->textup(Qt::LeftButton);
    ASSERT_TRUE(memo->isVisible());
    EXPECT_EQ(memo->Caption(), book(QStringLiteral("index.txt")));
    memo->Memo1->setPlainText(QStringLiteral("表紙のメモ"));
    turnTo(1);
    EXPECT_EQ(memo->Caption(), book(QStringLiteral("1010_どうぶつ.txt")));
    EXPECT_EQ(testutil::readBytes(book(QStringLiteral("index.txt"))), QByteArray("\xEF\xBB\xBF") + QStringLiteral("表紙のメモ\r\n").toUtf8());
    EXPECT_TRUE(memo->isVisible());
}

TEST_F(AfterLoadTest, MemoOfASearchResultLiesBesideItsPage)
{
    form->pushLevel({QStringLiteral("さんすう/1020_ひきざん.html")}, {QStringLiteral("ひきざん")}, 0, book(QString()));
    form->RebuildPageButtons();
    turnTo(0);
    form->textup(Qt::LeftButton);
    EXPECT_EQ(memo->Caption(), book(QStringLiteral("さんすう/1020_ひきざん.txt")));
}

TEST_F(AfterLoadTest, ClosingTheProgramSavesAnOpenMemo)
{
    form->textup(Qt::LeftButton);
    memo->Memo1->setPlainText(QStringLiteral("閉じる前のメモ"));
    TForm6 player(platform.prompt);
    form->SetVideoPlayer(&player);
    player.show();
    form->close();
    EXPECT_EQ(testutil::readBytes(book(QStringLiteral("index.txt"))),
              QByteArray("\xEF\xBB\xBF") + QStringLiteral("閉じる前のメモ\r\n").toUtf8());
    // The program ends with its main window: no window of its own is left open.
    EXPECT_FALSE(memo->isVisible());
    EXPECT_FALSE(player.isVisible());
}

TEST_F(AfterLoadTest, FileWatchReloadsARewrittenPage)
{
    form->Timer5Timer();
    EXPECT_EQ(page()->refreshes, 0);
    QFile file(book(QStringLiteral("index.html")));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
    file.close();
    form->Timer5Timer();
    EXPECT_EQ(page()->refreshes, 1);
    form->Timer5Timer();  // seen once
    EXPECT_EQ(page()->refreshes, 1);
    EXPECT_GE(form->Timer5->interval(), 3000);
    EXPECT_LE(form->Timer5->interval(), 23000);
}

TEST_F(AfterLoadTest, FileWatchReloadsARewrittenSideMenu)
{
    auto *menu = fake(form->WebBrowser4);
    form->Timer5Timer();
    EXPECT_EQ(menu->refreshes, 0);
    QFile file(book(QStringLiteral("_index.html")));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
    file.close();
    form->Timer5Timer();
    EXPECT_EQ(menu->refreshes, 1);
    EXPECT_EQ(page()->refreshes, 0);
}

TEST_F(AfterLoadTest, PresentationModeShowsTheMaskOnceAfterASecond)
{
    form->SpeedButton1MouseDown(Qt::LeftButton);
    EXPECT_TRUE(form->Timer2->isActive());
    EXPECT_EQ(form->Timer2->interval(), 1000);
    form->Timer2Timer();
    EXPECT_TRUE(mask->isVisible());
    EXPECT_EQ(mask->Tag, 1);
    form->Timer2Timer();
    EXPECT_EQ(mask->Tag, 1);
    form->SpeedButton1MouseDown(Qt::RightButton);
    EXPECT_FALSE(mask->isVisible());
    EXPECT_FALSE(form->Timer2->isActive());
}

TEST_F(AfterLoadTest, PressesOnTheSurfaceTurnPagesByHalves)
{
    const int last = form->PageCount() - 1;
    turnTo(last);
    form->FormMouseDown(Qt::LeftButton, form->height() - 5);
    EXPECT_EQ(form->PageIndex(), 0);  // TOP after the last page
    form->FormMouseDown(Qt::LeftButton, 5);
    EXPECT_EQ(form->PageIndex(), 0);  // nothing before the first page
    form->FormMouseDown(Qt::LeftButton, form->height() - 5);
    EXPECT_EQ(form->PageIndex(), 1);
    form->FormMouseDown(Qt::LeftButton, 5);
    EXPECT_EQ(form->PageIndex(), 0);
    form->Timer2->stop();
}

} // namespace
