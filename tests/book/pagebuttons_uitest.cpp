// The page-button column and page display of the main window, with fake browsers, on the demo book.
#include "book/pagebuttonlayout.h"
#include "fakes/demobookwindow_ui.h"

#include <QApplication>
#include <QKeySequence>

#include <QDir>
#include <QScrollBar>
#include <QWheelEvent>

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
    form->OpenLevel(book(QStringLiteral("さんすう")), 0, true, CommandOrigin::localBookPage());
    form->RebuildPageButtons();
    form->ShowPage(true);
    EXPECT_EQ(form->levels_.depth(), 2);
    EXPECT_EQ(shownFile(), book(QStringLiteral("さんすう/index.html")));
    EXPECT_EQ(form->PageButtons.size(), 3);
    press(form->SpeedButton20);
    EXPECT_EQ(form->levels_.depth(), 1);
    EXPECT_EQ(form->PageButtons.size(), form->PageCount());

    form->OpenLevel(book(QStringLiteral("さんすう")), 2, true, CommandOrigin::localBookPage());
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
    form->WebBrowser4->Navigate(QUrl(QStringLiteral("file:///$DIR さんすう")), NavigationStart::localBookPage());
    settle();
    EXPECT_EQ(form->levels_.depth(), 2);
    EXPECT_EQ(shownFile(), book(QStringLiteral("さんすう/index.html")));
    form->WebBrowser4->Navigate(QUrl(QStringLiteral("file:///$GO まとめ")), NavigationStart::localBookPage());  // back at the root
    settle();
    ASSERT_EQ(form->PageButtons.size(), form->PageCount());
    press(form->PageButtons.at(1));
    EXPECT_EQ(shownFile(), book(QStringLiteral("1010_どうぶつ.html")));
}

TEST_F(PageDisplayTest, SoundLinkPlaysWithoutNavigating)
{
    const QString wav = testutil::writeBytes(book(QString()), QStringLiteral("voice.wav"), "RIFF");
    page()->Navigate(QUrl::fromLocalFile(wav));
    settle();
    EXPECT_EQ(platform.sound.played, QStringList{wav});
    EXPECT_EQ(shownFile(), book(QStringLiteral("index.html")));
}

TEST_F(PageDisplayTest, VideoLinkBeforeThePlayerIsMadeMakesIt)
{
    // Start-up makes the player late; a page may open a video sooner.
    std::unique_ptr<TForm6> player;
    form->MakeVideoPlayer = [&] {
        player = std::make_unique<TForm6>(platform.prompt);
        form->SetVideoPlayer(player.get());
    };
    page()->Navigate(QUrl::fromLocalFile(book(QStringLiteral("missing.avi"))));
    settle();
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(platform.prompt.messages, QStringList{QStringLiteral("そのファイルは開けません")});
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
    form->OpenLevel(book(QStringLiteral("empty")), 0, true, CommandOrigin::localBookPage());
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
    form->pushLevel({QStringLiteral("https://example.test/a.html")}, {QStringLiteral("a")}, 0, book(QStringLiteral("none")), CommandOrigin::localBookPage());
    form->RebuildPageButtons();
    press(form->PageButtons.at(0), Qt::RightButton);
    EXPECT_TRUE(form->pagePopup_ == nullptr || form->pagePopup_->actions().isEmpty());
    EXPECT_EQ(page()->location.toString(), QStringLiteral("https://example.test/a.html"));
}

} // namespace

namespace {

// Levels of every size: only the buttons in sight are widgets, and they look and answer as the
// whole column would.
struct ColumnCase {
    const char *name;
    int pages;
    int downs;  // Down presses from the first page before Enter
};

class PageColumnTest : public fakes::DemoBookWindowTest, public ::testing::WithParamInterface<ColumnCase> {
protected:
    void SetUp() override
    {
        QDir().mkpath(book(QString()));
        const QString head = QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n<TITLE>");
        for (int i = 0; i < GetParam().pages; ++i)
            testutil::writeBytes(book(QString()), QStringLiteral("%1_p.html").arg(10000 + i),
                                 (head + QStringLiteral("Q&A %1?a&lt;b&gt;c</TITLE>").arg(i + 1)).toUtf8());
        open();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        form->PageButtons.at(0)->setFocus();
    }
    QWidget *contents() const { return form->ScrollBox1->widget(); }
    QList<PageButton *> liveButtons() const
    {
        QList<PageButton *> shown;
        for (PageButton *b : contents()->findChildren<PageButton *>())
            if (b->isVisible())
                shown << b;
        return shown;
    }
    // The button fully inside the column's visible part.
    bool inSight(const QWidget *button) const
    {
        const QRect r(button->mapTo(form->ScrollBox1->viewport(), QPoint(0, 0)), button->size());
        return form->ScrollBox1->viewport()->rect().contains(QRect(0, r.y(), 1, r.height()));
    }
    static int tagOf(const QWidget *button) { return button->property("Tag").toInt(); }
};

TEST_P(PageColumnTest, ButtonsInSightLookAndAnswerLikeTheWholeColumn)
{
    const ColumnCase &c = GetParam();
    ASSERT_EQ(form->PageButtons.size(), c.pages);
    const int viewHeight = form->ScrollBox1->viewport()->height();
    const PageButtonLayout layout(c.pages, form->ScrollBox1->width(), form->ScrollBox1->height());
    EXPECT_EQ(contents()->height(), std::max(layout.contentHeight(), viewHeight));
    // Only what is in sight lives, each where the whole column would have it, "&" shown as written.
    const QList<PageButton *> live = liveButtons();
    EXPECT_LE(live.size(), viewHeight / layout.pitch() + 2);
    for (PageButton *b : live) {
        const int i = tagOf(b);
        EXPECT_EQ(b->y(), layout.buttonRect(i).y()) << i;
        EXPECT_EQ(b->height(), layout.pitch() - 1) << i;
        EXPECT_TRUE(QKeySequence::mnemonic(b->text()).isEmpty()) << i;
        EXPECT_EQ(QString(b->text()).replace(QStringLiteral("&&"), QStringLiteral("&")).trimmed(),
                  QStringLiteral("Q&A %1").arg(i + 1));
        EXPECT_EQ(b->toolTip(), QStringLiteral("%1 a<b>c").arg(i + 1));
    }
    // The keyboard way: Down moves the focus, Enter shows the page, its button in sight.
    for (int k = 0; k < c.downs; ++k)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(form->PageIndex(), c.downs);
    EXPECT_EQ(shownFile(), book(QStringLiteral("%1_p.html").arg(10000 + c.downs)));
    page()->complete();  // the page number shows whole, however many pages there are
    EXPECT_GE(form->Panel7->width(), form->Panel7->fontMetrics().horizontalAdvance(form->Panel7->text()));
    auto *current = qobject_cast<PageButton *>(QApplication::focusWidget());
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(tagOf(current), c.downs);
    EXPECT_TRUE(inSight(current));
    EXPECT_EQ(current->x(), layout.highlightedRect(c.downs).x());
    // NEXT keeps the new current button in sight.
    press(form->Image7);
    const int next = (c.downs + 1) % c.pages;
    EXPECT_EQ(form->PageIndex(), next);
    ASSERT_NE(form->PageButtons.live(next), nullptr);
    EXPECT_TRUE(inSight(form->PageButtons.live(next)));
    // A click where a button is seen reaches that button; the refreshed caption and hint are decoded.
    const QPoint spot(20, std::min(viewHeight, layout.contentHeight()) - layout.pitch() / 2);
    auto *clicked = qobject_cast<PageButton *>(contents()->childAt(contents()->mapFrom(form->ScrollBox1->viewport(), spot)));
    ASSERT_NE(clicked, nullptr);
    QTest::mouseClick(clicked, Qt::LeftButton, {}, clicked->mapFrom(form->ScrollBox1->viewport(), spot));
    EXPECT_EQ(form->PageIndex(), tagOf(clicked));
    EXPECT_EQ(QString(clicked->text()).replace(QStringLiteral("&&"), QStringLiteral("&")).trimmed(),
              QStringLiteral("Q&A %1").arg(tagOf(clicked) + 1));
    EXPECT_EQ(clicked->toolTip(), QStringLiteral("%1 a<b>c").arg(tagOf(clicked) + 1));
    EXPECT_LE(liveButtons().size(), viewHeight / layout.pitch() + 3);
    // The wheel over the column (a button passes it on to the viewport) scrolls it back; what
    // comes into sight is live where the column has it, and Up brings the focus back into sight.
    QScrollBar *bar = form->ScrollBox1->verticalScrollBar();
    const auto wheel = [&](int notches) {
        QWheelEvent event(spot, form->ScrollBox1->viewport()->mapToGlobal(spot), {}, {0, 120 * notches}, Qt::NoButton,
                          {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(form->ScrollBox1->viewport(), &event);
    };
    const int before = bar->value();
    wheel(3);
    EXPECT_EQ(bar->value(), std::max(before - 3 * bar->singleStep() * QApplication::wheelScrollLines(), 0));
    const int top = bar->value() / layout.pitch();
    ASSERT_NE(form->PageButtons.live(top), nullptr);
    EXPECT_TRUE(form->PageButtons.live(top)->isVisible());
    EXPECT_EQ(form->PageButtons.live(top)->y(), layout.buttonRect(top).y());
    const int selected = form->PageIndex() - 1;
    if (selected < 0)
        return;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(form->PageIndex(), selected);
    EXPECT_TRUE(inSight(QApplication::focusWidget()));
    // Scrolled far while another window is active, the column gives the focus back to the
    // selected button, and the selection stays.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    wheel(bar->value() > bar->maximum() / 2 ? 100 : -100);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(form->PageIndex(), selected);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(tagOf(QApplication::focusWidget()), selected);
    // A double click on a button cut by the column's edge shows that page: the column brings the
    // button into sight without moving it from under the pointer.
    wheel(1000);
    const int cut = viewHeight / layout.pitch();
    if (bar->value() != 0 || viewHeight % layout.pitch() == 0 || cut >= c.pages)
        return;
    const QPoint edge(20, viewHeight - 2);
    for (int k = 0; k < 2; ++k) {
        auto *under = qobject_cast<PageButton *>(contents()->childAt(contents()->mapFrom(form->ScrollBox1->viewport(), edge)));
        ASSERT_NE(under, nullptr);
        QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(form->ScrollBox1->viewport(), edge));
    }
    EXPECT_EQ(form->PageIndex(), cut);
    EXPECT_TRUE(inSight(form->PageButtons.live(cut)));
}

INSTANTIATE_TEST_SUITE_P(Levels, PageColumnTest,
                         ::testing::Values(ColumnCase{"TenPagesFitTheColumn", 10, 3},
                                           ColumnCase{"FortyPagesScrollToTheFocus", 40, 35},
                                           ColumnCase{"TwentyThousandPages", 20000, 40}),
                         [](const auto &row) { return std::string(row.param.name); });

} // namespace
