// The main window with fake browsers and services, on a copy of the demo book.
#include "fakes/demobookwindow_ui.h"
#include "platform/qt/qtplatform.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QSignalSpy>
#include <QWebEngineView>

#include <sys/stat.h>

using namespace sorvek;

namespace {

class MainWindowTest : public fakes::DemoBookWindowTest {
protected:
    TForm1 &open(const QStringList &files = {})
    {
        if (files.isEmpty()) {
            DemoBookWindowTest::open();
            QTest::qWait(10);
        } else {
            makeForm(files).FormShow();
        }
        return *form;
    }

    static void click(QWidget *w, Qt::MouseButton button = Qt::LeftButton) { press(w, button); }
};

TEST_F(MainWindowTest, OpensAtBaseSizeWithSideMenuPage)
{
    TForm1 &f = open();
    const int work = f.screen()->availableGeometry().width();
    const QSize expected = work >= 1024 ? QSize(1024, 742) : QSize(800, 574);
    EXPECT_EQ(f.size(), expected);
    EXPECT_EQ(f.kabeBASE->size(), expected);
    EXPECT_EQ(f.BookFolder, dir.filePath(QStringLiteral("Book")));
    EXPECT_EQ(f.ApplicationTitle, QStringLiteral("Book"));
    EXPECT_EQ(f.windowTitle(), QUrl::fromLocalFile(dir.filePath(QStringLiteral("Book/index.html"))).toString());
    ASSERT_FALSE(fake(f.WebBrowser4)->navigations.isEmpty());
    EXPECT_EQ(fake(f.WebBrowser4)->location.toLocalFile(), dir.filePath(QStringLiteral("Book/_index.html")));
    EXPECT_EQ(f.hyoushi->width(), 0);
    EXPECT_EQ(f.kabeRight->width(), 120);
    EXPECT_EQ(f.IndexedFolder, QStringLiteral("xxx"));
}

TEST_F(MainWindowTest, WideScreenGivesTheLargeBaseSize)
{
    TForm1 &f = open();
    if (f.screen()->availableGeometry().width() < 1024)
        GTEST_SKIP() << "the screen is narrower than 1024 pixels";
    EXPECT_EQ(f.size(), QSize(1024, 742));
}

TEST_F(MainWindowTest, SideMenuOpensAndClosesWithItsButtons)
{
    TForm1 &f = open();
    ASSERT_TRUE(f.SpeedButton2->isVisible());
    click(f.SpeedButton2);
    EXPECT_EQ(f.hyoushi->width(), 136);
    EXPECT_TRUE(f.SpeedButton9->isVisible());
    EXPECT_FALSE(f.SpeedButton2->isVisible());
    EXPECT_EQ(f.Panel6->geometry().bottom(), f.hyoushiup->height() - 1);
    click(f.SpeedButton9);
    EXPECT_EQ(f.hyoushi->width(), 0);
    EXPECT_TRUE(f.SpeedButton2->isVisible());
}

TEST_F(MainWindowTest, ButtonColumnClosesToOnePixelAndOpensAgain)
{
    TForm1 &f = open();
    const int bitBtnLeft = f.BitBtn1->x();
    click(f.SpeedButton6);
    EXPECT_EQ(f.kabeRight->width(), 1);
    EXPECT_EQ(f.kabeRightTag, 1);
    EXPECT_EQ(f.kabeRight->x(), f.kabeBASE->width());
    EXPECT_EQ(f.BitBtn1->x(), bitBtnLeft + 119);
    EXPECT_TRUE(f.SpeedButton10->isVisible());
    EXPECT_EQ(f.kabe->width(), f.kabeBASE->width() - f.hyoushi->width());
    click(f.SpeedButton10);
    EXPECT_EQ(f.kabeRight->width(), 120);
    EXPECT_EQ(f.kabeRightTag, 0);
    EXPECT_EQ(f.BitBtn1->x(), bitBtnLeft);
    EXPECT_EQ(f.kabeRight->geometry().right(), f.kabeBASE->width() - 1);
}

TEST_F(MainWindowTest, StartMenuOpensOnLeftClickOnly)
{
    TForm1 &f = open();
    click(f.SpeedButton11, Qt::RightButton);
    EXPECT_FALSE(f.PopupMenu2->isVisible());
    EXPECT_TRUE(f.RightButtonFlag);
    click(f.SpeedButton11);
    EXPECT_FALSE(f.RightButtonFlag);
    EXPECT_TRUE(f.PopupMenu2->isVisible());
    EXPECT_FALSE(f.Paste2->isEnabled());
    EXPECT_TRUE(f.N1->text().startsWith(QStringLiteral("情報ポケット「Book")));
    f.PopupMenu2->hide();
}

TEST_F(MainWindowTest, PasteIsEnabledWhenClipboardHoldsSomething)
{
    platform.clipboard.files = {QStringLiteral("/tmp/a.png")};
    TForm1 &f = open();
    click(f.SpeedButton11);
    EXPECT_TRUE(f.Paste2->isEnabled());
    f.PopupMenu2->hide();
}

TEST_F(MainWindowTest, StartMenuHasEveryItemInOrder)
{
    TForm1 &f = open();
    QStringList names;
    for (QAction *a : f.PopupMenu2->actions())
        names.append(a->objectName());
    EXPECT_EQ(names, (QStringList{QStringLiteral("HOME1"), QStringLiteral("N2"), QStringLiteral("Paste2"), QStringLiteral("N3"),
                                  QStringLiteral("LOGO1"), QStringLiteral("Find1"), QStringLiteral("N1"), QStringLiteral("Sorvek1"),
                                  QStringLiteral("N6"), QStringLiteral("N5"), QStringLiteral("Exit1")}));
}

TEST_F(MainWindowTest, MissingSideMenuPageHidesItsPanel)
{
    QFile::remove(dir.filePath(QStringLiteral("Book/_index.html")));
    TForm1 &f = open();
    EXPECT_FALSE(f.Panel6->isVisible());
    EXPECT_TRUE(fake(f.WebBrowser4)->navigations.isEmpty());
}

enum class BookState { Missing, FileInItsPlace, Empty, PicturesOnly, MenuAndFolders, Demo };

struct NoBookCase {
    const char *name;
    BookState state;
    const char *notice;  // a part of what the reader is told; "" for nothing at all
    bool folderAfter;    // a folder lies there once the window is up
    const char *program = "Book.bin";
    const char *where = nullptr;  // the folder the notice names, when not the book beside the program
};

class NoBookTest : public MainWindowTest, public ::testing::WithParamInterface<NoBookCase> {};

TEST_P(NoBookTest, SaysWhereTheBookWasLookedForAndHowToPutOneThere)
{
    const NoBookCase &c = GetParam();
    const QString folder = dir.filePath(QStringLiteral("Book"));
    if (c.state != BookState::Demo) {
        ASSERT_TRUE(QDir(folder).removeRecursively());
    }
    if (c.state == BookState::FileInItsPlace)
        testutil::writeBytes(dir.path(), QStringLiteral("Book"), "not a folder");
    if (c.state == BookState::Empty || c.state == BookState::PicturesOnly) {
        ASSERT_TRUE(QDir().mkpath(folder));
    }
    if (c.state == BookState::PicturesOnly)
        testutil::writeBytes(folder, QStringLiteral("neko.png"), "png");
    if (c.state == BookState::MenuAndFolders) {
        testutil::writePage(folder, QStringLiteral("_index.html"), QStringLiteral("<A HREF=\"$DIR 単元1\">1</A>"));
        testutil::writePage(folder, QStringLiteral("単元1/1010_a.html"), QStringLiteral("<P>a</P>"));
    }
    const QString workingFolder = QDir::currentPath();
    QDir::setCurrent(dir.path());
    form = std::make_unique<TForm1>(platform.services(), fakeBrowsers(), dir.filePath(QString::fromUtf8(c.program)), QStringList{});
    form->show();
    QTest::qWait(10);
    QDir::setCurrent(workingFolder);
    EXPECT_EQ(QFileInfo(folder).isDir(), c.folderAfter);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("D:"))));
    if (QString::fromUtf8(c.notice).isEmpty()) {
        EXPECT_TRUE(platform.prompt.messages.isEmpty());
        return;
    }
    ASSERT_EQ(platform.prompt.messages.size(), 1);
    const QString told = platform.prompt.messages.first();
    EXPECT_TRUE(told.contains(QString::fromUtf8(c.notice))) << told.toStdString();
    EXPECT_TRUE(told.contains(c.where ? QString::fromUtf8(c.where) : QDir::toNativeSeparators(folder))) << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("ページ（HTMLファイル）をそのフォルダに入れて"))) << told.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Books, NoBookTest,
    ::testing::Values(NoBookCase{"MissingFolderIsMadeAndExplained", BookState::Missing, "空のフォルダを作りました", true},
                      NoBookCase{"FileWhereTheFolderShouldBe", BookState::FileInItsPlace, "ファイルがあります", false},
                      NoBookCase{"EmptyFolder", BookState::Empty, "ページがありません", true},
                      NoBookCase{"FolderWithoutPages", BookState::PicturesOnly, "ページがありません", true},
                      NoBookCase{"BookWithPagesSaysNothing", BookState::Demo, "", true},
                      NoBookCase{"SideMenuAndPageFoldersSayNothing", BookState::MenuAndFolders, "", true},
                      NoBookCase{"NamedBookIsTheFolderItsNameEncodes", BookState::Demo, "名前が表すフォルダ", true,
                                 "$proc$nobook.bin", "/proc/nobook"},
                      NoBookCase{"DriveLetterNamesNothing", BookState::Demo, "ドライブ名", true, "D;$x.bin", "D:/x"}),
    [](const auto &row) { return std::string(row.param.name); });

TEST_F(MainWindowTest, CommandLineFilesAreImportedAndTheProgramEndsWithoutAWindow)
{
    const QString picture = testutil::writeBytes(dir.path(), QStringLiteral("in/a.png"), "not checked");
    const QString text = testutil::writeBytes(dir.path(), QStringLiteral("in/memo.txt"), "メモ");
    TForm1 &f = open({picture, text});
    EXPECT_EQ(f.BatchMode, 1);
    EXPECT_TRUE(f.ListBox1.isEmpty());
    EXPECT_FALSE(f.isVisible());
    const QStringList pages = QDir(book(QString())).entryList({QStringLiteral("*~a.html"), QStringLiteral("*~memo.html")});
    EXPECT_EQ(pages.size(), 2);
    EXPECT_EQ(QDir(book(QString())).entryList({QStringLiteral("*~a.png"), QStringLiteral("*~memo.txt")}).size(), 2);
    EXPECT_TRUE(f.Timer1->isActive());
    EXPECT_EQ(f.Timer1->interval(), 1499);
    f.Timer1Timer();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("終"));
}

TEST_F(MainWindowTest, NoticeShowsItsPanelForLongNoticesOnly)
{
    TForm1 &f = open();
    f.ShowNotice(QStringLiteral("短い"), 1000);
    EXPECT_FALSE(f.Pmathu->isVisible());
    f.ShowNotice(QStringLiteral("お知らせ"), 1700);
    EXPECT_TRUE(f.Pmathu->isVisible());
    EXPECT_EQ(f.PmathuCaption->text(), QStringLiteral("お知らせ"));
    f.Timer1Timer();
    EXPECT_FALSE(f.Pmathu->isVisible());
    EXPECT_TRUE(f.isVisible());
}

TEST_F(MainWindowTest, PageFilesThatAreADeviceOrAPipeAreSkippedAtStartUpAndTold)
{
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), book(QStringLiteral("zero.html"))));
    ASSERT_EQ(::mkfifo(QFile::encodeName(book(QStringLiteral("pipe.html"))).constData(), 0600), 0);
    TForm1 &f = open();
    EXPECT_GT(f.PageCount(), 0);
    EXPECT_FALSE(f.levels_.pageList().contains(QStringLiteral("zero.html")));
    EXPECT_FALSE(f.levels_.pageList().contains(QStringLiteral("pipe.html")));
    EXPECT_TRUE(f.Pmathu->isVisible());
    EXPECT_TRUE(f.PmathuCaption->text().contains(QStringLiteral("開きません"))) << f.PmathuCaption->text().toStdString();
}

TEST_F(MainWindowTest, PageNamesHoldingAColonAreFilesOfTheFolder)
{
    const QStringList names{QStringLiteral("note:1.html"), QStringLiteral("C:x.html")};
    for (const QString &name : names)
        testutil::writePage(book(QString()), name, QStringLiteral("<HTML><BODY>x</BODY></HTML>"));
    TForm1 &f = open();
    for (const QString &name : names) {
        const int at = f.levels_.pageList().indexOf(name);
        ASSERT_GE(at, 0) << name.toStdString();
        for (int turns = 0; turns < f.PageCount() && f.PageIndex() != at; ++turns)
            click(f.Image7);
        EXPECT_EQ(shownFile(), book(name));
        EXPECT_EQ(f.windowTitle(), QUrl::fromLocalFile(book(name)).toString());
    }
}

TEST_F(MainWindowTest, BreadcrumbPictureShowsTheDepth)
{
    TForm1 &f = open();
    QList<QImage> pictures;
    const QStringList pages{QStringLiteral("まとめ"), QStringLiteral("どうぶつ"), QStringLiteral("きせつ"), QStringLiteral("まとめ")};
    for (int depth = 2; depth <= 5; ++depth) {
        page()->Navigate(QUrl::fromLocalFile(book(QStringLiteral("$GOSUB ") + pages.at(depth - 2))));
        settle();
        page()->complete();
        ASSERT_EQ(f.levels_.depth(), depth);
        ASSERT_TRUE(f.Panel3->isVisible());
        pictures.append(f.SpeedButton20->icon().pixmap(24, 24).toImage());
    }
    EXPECT_NE(pictures.at(0), pictures.at(1));
    EXPECT_NE(pictures.at(1), pictures.at(2));
    EXPECT_NE(pictures.at(0), pictures.at(2));
    EXPECT_EQ(pictures.at(2), pictures.at(3));  // four levels or more look alike
}

TEST_F(MainWindowTest, PageMenuItemsRunTheirCommands)
{
    testutil::writePage(book(QStringLiteral("mark")), QStringLiteral("1010_a.html"),
                        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
                                       "<HTML><HEAD><TITLE>あ</TITLE></HEAD><BODY>a</BODY></HTML>"));
    TForm1 &f = open();
    page()->Navigate(QUrl::fromLocalFile(book(QStringLiteral("$DIR mark"))));
    settle();
    ASSERT_EQ(f.PageCount(), 1);
    struct Row {
        QString item;
        bool marked;
    };
    for (const Row &row : {Row{QStringLiteral("〆マークをつける"), true}, Row{QStringLiteral("〆マークを解除"), false}}) {
        const QPoint first = f.ScrollBox1->mapTo(&f, QPoint(f.ScrollBox1->width() / 2, 8));  // the page's button
        QWidget *button = f.childAt(first);
        ASSERT_NE(button, nullptr);
        press(button, Qt::RightButton);
        ASSERT_TRUE(f.pagePopup_ && f.pagePopup_->isVisible());
        QAction *action = nullptr;
        for (QAction *a : f.pagePopup_->actions())
            action = a->text() == row.item ? a : action;
        ASSERT_NE(action, nullptr) << row.item.toStdString();
        QTest::mouseClick(f.pagePopup_, Qt::LeftButton, {}, f.pagePopup_->actionGeometry(action).center());
        const QString text = QString::fromUtf8(testutil::readBytes(book(QStringLiteral("mark/1010_a.html"))));
        EXPECT_EQ(text.contains(QStringLiteral("<TITLE>\"!\"")), row.marked) << row.item.toStdString();
    }
}

TEST_F(MainWindowTest, BottomBarPlacesItsGroups)
{
    TForm1 &f = open();
    EXPECT_EQ(f.SpeedButton2->x(), f.SpeedButton11->width() + 2);
    EXPECT_EQ(f.SpeedButton1->x(), f.SpeedButton2->geometry().right() + 1 + 2);
    EXPECT_EQ(f.Image6->x(), (f.kabeBASE->width() - 86 - 49) / 2 - 120 - 5);
    EXPECT_EQ(f.Panel8->x(), f.Image6->x() + 120);
    EXPECT_EQ(f.Image10->x(), f.Image7->x() + 120);
    EXPECT_EQ(f.SpeedButton6->x(), f.kabedown->width() - 90);
    EXPECT_EQ(f.SpeedButton7->x(), f.SpeedButton6->x() + 25 + 4);
    EXPECT_EQ(f.WebBrowser1->width(), f.kabeBrowser->width() + 24);
}

// A real click in the page, then real keys: the window takes the dialog keys wherever its focus is,
// and a link that shows no new document gives the focus back to the current page's button.
TEST_F(MainWindowTest, KeysAfterAClickInThePage)
{
    const QByteArrayList ids{"t", "his", "js", "note", "empty", "web"};  // one 20-pixel line each, in this order
    testutil::writePage(book(QString()), QStringLiteral("index.html"), QStringLiteral(
        "<STYLE>body{margin:0} p,a{display:block;height:20px;margin:0}</STYLE><P>本文</P><A href=\"/$HISJS sDAT[1]=+1\">H</A>"
        "<A href=\"$JS v.txt a=1\">J</A><A href=\"/$【○】\">N</A><A href=\"/$\">E</A><A href=\"http://127.0.0.1:1/\">W</A>"));
    const std::tuple<const char *, QList<Qt::Key>, int> rows[] = {{"his", {Qt::Key_Return, Qt::Key_Return}, 0},
        {"his", {Qt::Key_Down, Qt::Key_Return}, 1}, {"js", {Qt::Key_Down}, 1}, {"note", {Qt::Key_Return}, 0},
        {"empty", {Qt::Key_Down}, 1}, {"web", {Qt::Key_Down}, 1}, {"t", {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return}, 2},
        {"t", {Qt::Key_Down, Qt::Key_Return}, -1}};  // -1: arrows and Enter in the page stay the page's
    TForm1 &f = makeForm({}, QtPlatform::browsers());
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QWidget *view = static_cast<WebEngineBrowser *>(f.WebBrowser1)->view()->focusProxy();
    QSignalSpy loaded(f.WebBrowser1, &BrowserControl::DocumentComplete);
    for (const auto &[id, keys, shown] : rows) {
        f.GoHome();
        ASSERT_TRUE(loaded.wait(20000)) << id;
        // The press focuses the page; the text keeps it, a link's ended download gives it back to the button.
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(5, 10 + 20 * ids.indexOf(id)));
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == (qstrcmp(id, "t") ? f.PageButtons.live(0) : view); }, 9000)) << id;
        const QByteArray history = testutil::readBytes(book(QStringLiteral("history/history.txt")));
        for (Qt::Key key : keys)
            QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(f.PageIndex(), qMax(shown, 0)) << id;
        EXPECT_EQ(QApplication::focusWidget(), shown < 0 ? view : f.PageButtons.live(shown)) << id;
        EXPECT_EQ(testutil::readBytes(book(QStringLiteral("history/history.txt"))), history) << id;
    }
}

} // namespace
