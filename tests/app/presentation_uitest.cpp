// After a page loads, the memo, the file watch, presentation mode and shutdown, on the demo book
// with fake browsers and the real memo window and mask.
#include "fakes/demobookwindow_ui.h"

#include <QDateTime>
#include <QDialog>
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
    form->WebBrowser4->Navigate(QUrl(QStringLiteral("file:///$DIR さんすう")), NavigationStart::localBookPage());
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
    form->OpenLevel(book(QString()), 0, false, CommandOrigin::localBookPage());
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
    press(form->SpeedButton7);
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
    form->pushLevel({QStringLiteral("さんすう/1020_ひきざん.html")}, {QStringLiteral("ひきざん")}, 0, book(QString()), CommandOrigin::localBookPage());
    form->RebuildPageButtons();
    turnTo(0);
    press(form->SpeedButton7);
    EXPECT_EQ(memo->Caption(), book(QStringLiteral("さんすう/1020_ひきざん.txt")));
}

TEST_F(AfterLoadTest, ClosingTheProgramSavesAnOpenMemo)
{
    press(form->SpeedButton7);
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

TEST_F(AfterLoadTest, ShutdownRefusedAtTheMemoQuestionKeepsThePageCaption)
{
    const QString caption = form->windowTitle();
    press(form->SpeedButton7);
    ASSERT_TRUE(memo->isVisible());
    memo->Memo1->setPlainText(QStringLiteral("残すメモ"));
    QFile::remove(book(QStringLiteral("index.txt")));
    ASSERT_TRUE(QDir().mkpath(book(QStringLiteral("index.txt"))));  // the memo cannot be stored there
    platform.prompt.answers = {false};
    press(form->SpeedButton11);
    ASSERT_TRUE(form->PopupMenu2->isVisible());
    QTest::mouseClick(form->PopupMenu2, Qt::LeftButton, {}, form->PopupMenu2->actionGeometry(form->Exit1).center());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(memo->isVisible());
    EXPECT_EQ(form->windowTitle(), caption);
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
    const QSize before = form->kabeBrowser->size();
    press(form->SpeedButton1);
    EXPECT_TRUE(form->Timer2->isActive());
    // The larger window shows the page in the whole page area at once, not from the next page on.
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->kabeBrowser->size() != before; }, 2000));
    EXPECT_EQ(form->WebBrowser1->height(), form->kabeBrowser->height() + 20);
    EXPECT_EQ(form->Timer2->interval(), 1000);
    form->Timer2Timer();
    EXPECT_TRUE(mask->isVisible());
    EXPECT_EQ(mask->Tag, 1);
    form->Timer2Timer();
    EXPECT_EQ(mask->Tag, 1);
    press(form->SpeedButton1, Qt::RightButton);
    EXPECT_FALSE(mask->isVisible());
    EXPECT_FALSE(form->Timer2->isActive());
}

// Where a press lands, as the window system decides it: the deepest widget under the point of
// the topmost window there (the mask only where its region holds the point).
enum class Spot {
    SurfaceLowerHalf,
    SurfaceUpperHalf,
    BelowPageButtons,
    EmptyBottomBar,
    BlankScreen,
    FirstPageButtonInMask,
    WhereTheMovedWindowWas,       // the window moved while the mask is up: mask surround now
    FirstPageButtonOfMovedWindow, // reached through the hole at the window's new place
    MaskWhileAWindowIsModal,      // the editor (modal to the main window) is open
    MaskWhileTheWindowIsBusy,     // a program runs: the main window is disabled
    BackArrowInMask,
};

struct PressCase {
    const char *name;
    Spot spot;
    int startIndex;     // -1: the last page
    int expectedIndex;
    bool startsPresentation;
};

class WindowPressTest : public AfterLoadTest, public ::testing::WithParamInterface<PressCase> {
protected:
    void clickScreen(QPoint global)
    {
        const QPoint inMask = mask->mapFromGlobal(global);
        const bool onMask = mask->isVisible() && mask->rect().contains(inMask)
                            && (mask->mask().isEmpty() || mask->mask().contains(inMask));
        QWidget *window = onMask ? static_cast<QWidget *>(mask.get()) : form.get();
        const QPoint local = window->mapFromGlobal(global);
        QWidget *target = window->childAt(local) ? window->childAt(local) : window;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window, local));
    }
    QPoint screenPoint(QWidget *w, QPoint p) const { return w->mapToGlobal(p); }
    std::unique_ptr<QDialog> modal;
    void presentWithMask()
    {
        press(form->SpeedButton1);
        form->Timer2Timer();  // the mask's second has passed
        ASSERT_TRUE(mask->isVisible());
    }
    // Presents with the mask up, then the window leaves the screen's top left for a smaller place.
    void presentThenMoveWindow()
    {
        presentWithMask();
        form->setWindowState(Qt::WindowNoState);
        form->setGeometry(300, 300, 480, 400);
        ASSERT_TRUE(QTest::qWaitFor([this] { return form->mapToGlobal(QPoint(0, 0)).x() >= 300; }));
    }
};

TEST_P(WindowPressTest, OnlyTheWindowsOwnSurfaceTurnsPages)
{
    const PressCase &c = GetParam();
    turnTo(c.startIndex < 0 ? form->PageCount() - 1 : c.startIndex);
    QPoint at;
    switch (c.spot) {
    case Spot::SurfaceLowerHalf:
    case Spot::SurfaceUpperHalf:
        form->resize(form->width() + 60, form->height() + 60);  // black surface around the content
        at = screenPoint(form.get(), {2, c.spot == Spot::SurfaceLowerHalf ? form->height() - 3 : 3});
        break;
    case Spot::BelowPageButtons:
        at = screenPoint(form->kabeRight, {form->kabeRight->width() / 2, form->kabeRight->height() - 4});
        break;
    case Spot::EmptyBottomBar:
        at = screenPoint(form->kabedown, {(form->SpeedButton8->geometry().right() + form->Image6->x()) / 2, 12});
        break;
    case Spot::BlankScreen:
        presentWithMask();
        QTest::mouseClick(mask.get(), Qt::LeftButton, {}, QPoint(5, 5));  // the mask's top strip
        ASSERT_TRUE(form->Panel4->isVisible());
        at = screenPoint(form.get(), {form->width() / 2, form->height() - 60});
        break;
    case Spot::FirstPageButtonInMask:
        presentWithMask();
        at = screenPoint(form->ScrollBox1, {form->ScrollBox1->width() / 2, 8});
        break;
    case Spot::WhereTheMovedWindowWas:
        presentThenMoveWindow();
        at = {100, mask->height() / 2 + 100};
        break;
    case Spot::FirstPageButtonOfMovedWindow:
        presentThenMoveWindow();
        at = screenPoint(form->ScrollBox1, {form->ScrollBox1->width() / 2, 8});
        break;
    case Spot::MaskWhileAWindowIsModal:
        presentThenMoveWindow();
        modal = std::make_unique<QDialog>(form.get());
        modal->setWindowModality(Qt::WindowModal);
        modal->show();
        at = {100, mask->height() / 2 + 100};  // the mask where the window was
        break;
    case Spot::MaskWhileTheWindowIsBusy:
        presentThenMoveWindow();
        form->setEnabled(false);
        at = {100, mask->height() / 2 + 100};  // the mask where the window was
        break;
    case Spot::BackArrowInMask:
        presentWithMask();
        at = screenPoint(form->Image6, {form->Image6->width() / 2, form->Image6->height() / 2});
        break;
    }
    clickScreen(at);
    modal.reset();
    form->setEnabled(true);
    EXPECT_EQ(form->PageIndex(), c.expectedIndex);
    EXPECT_EQ(shownFile(), book(form->levels_.pageList().value(c.expectedIndex)));
    EXPECT_EQ(form->Timer2->isActive(), c.startsPresentation);
    EXPECT_FALSE(form->Panel4->isVisible());
    form->Timer2->stop();
}

INSTANTIATE_TEST_SUITE_P(
    Presses, WindowPressTest,
    ::testing::Values(PressCase{"SurfaceLowerHalfTurnsForward", Spot::SurfaceLowerHalf, 0, 1, true},
                      PressCase{"SurfaceLowerHalfOnLastPageGoesToTop", Spot::SurfaceLowerHalf, -1, 0, true},
                      PressCase{"SurfaceUpperHalfTurnsBack", Spot::SurfaceUpperHalf, 2, 1, true},
                      PressCase{"SurfaceUpperHalfOnFirstPageStays", Spot::SurfaceUpperHalf, 0, 0, true},
                      PressCase{"EmptyColumnSpaceDoesNothing", Spot::BelowPageButtons, 1, 1, false},
                      PressCase{"EmptyBottomBarDoesNothing", Spot::EmptyBottomBar, 1, 1, false},
                      PressCase{"BlankScreenOnlyGoesAway", Spot::BlankScreen, 1, 1, false},
                      PressCase{"PageButtonReachedThroughTheMask", Spot::FirstPageButtonInMask, 2, 0, false},
                      PressCase{"MaskWhereTheMovedWindowWasTurnsForward", Spot::WhereTheMovedWindowWas, 1, 2, false},
                      PressCase{"PageButtonOfTheMovedWindowReachedThroughTheMask", Spot::FirstPageButtonOfMovedWindow, 2, 0, false},
                      PressCase{"MaskIgnoredWhileAWindowIsModal", Spot::MaskWhileAWindowIsModal, 1, 1, false},
                      PressCase{"MaskIgnoredWhileTheWindowIsBusy", Spot::MaskWhileTheWindowIsBusy, 1, 1, false},
                      PressCase{"BottomBarReachedThroughTheMask", Spot::BackArrowInMask, 1, 0, false}),
    [](const auto &row) { return std::string(row.param.name); });

} // namespace
