// The page commands of the main window's menus, with the real tool windows and fake browsers and
// services, on a copy of the demo book.
#include "fakes/demobookwindow_ui.h"

#include "print/mergejob.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using namespace sorvek;

namespace {

class PageCommandsTest : public fakes::DemoBookWindowTest {
protected:
    void SetUp() override
    {
        DemoBookWindowTest::SetUp();
        platform.folders.documents = dir.filePath(QStringLiteral("docs"));
        QDir().mkpath(platform.folders.documents);
        makeForm();
        editor = std::make_unique<TForm2>(platform.services(), form.get());
        fileTool = std::make_unique<TForm3>(platform.services(), form.get());
        order = std::make_unique<TForm5>(form.get());
        menu = std::make_unique<TForm10>(form.get());
        form->SetEditor(editor.get());
        form->SetFileTools(fileTool.get(), order.get(), menu.get());
        form->show();
    }
    void turnTo(int index)
    {
        form->SetPageIndex(index);
        form->ShowPage(true);
    }
    // Answers a modal window once it is open.
    static void whenShown(QWidget *window, std::function<void()> answer)
    {
        QTimer::singleShot(0, window, [window, answer] {
            EXPECT_TRUE(window->isVisible());
            answer();
            if (auto *dialog = qobject_cast<QDialog *>(window); dialog && dialog->isVisible())
                dialog->reject();  // never leave a test waiting on a modal window
        });
    }
    QString printFolder() const { return platform.folders.documents + QStringLiteral("/Sorvek$/"); }

    std::unique_ptr<TForm2> editor;
    std::unique_ptr<TForm3> fileTool;
    std::unique_ptr<TForm5> order;
    std::unique_ptr<TForm10> menu;
};

TEST_F(PageCommandsTest, MergeAllWritesTheDocumentAndOpensItForPrinting)
{
    ASSERT_TRUE(choosePageMenuItem(1, QStringLiteral("全て→合体.html印刷")));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form->mergeJob_->isRunning(); }, 10000));
    const QString merged = printFolder() + QStringLiteral("_合体.html");
    EXPECT_TRUE(QFileInfo(merged).isFile());
    EXPECT_TRUE(QFileInfo(printFolder() + QStringLiteral("_合体SHIFT_JIS.html")).isFile());
    EXPECT_EQ(fake(form->WebBrowser3)->location.toLocalFile(), merged);
}

TEST_F(PageCommandsTest, MergeMarkedWithoutMarksSaysSo)
{
    ASSERT_TRUE(choosePageMenuItem(1, QStringLiteral("〆→_合体.html印刷")));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form->mergeJob_->isRunning(); }, 10000));
    EXPECT_EQ(platform.prompt.messages, QStringList{QStringLiteral("合体するページがありません。")});
}

TEST_F(PageCommandsTest, WorksheetOfTheQuizPageHasBlanks)
{
    ASSERT_TRUE(choosePageMenuItem(form->levels_.pageList().indexOf(QStringLiteral("1060_quiz.html")),
                                   QStringLiteral("ページ(　)印刷")));
    const QString sheet = QString::fromUtf8(testutil::readBytes(printFolder() + QStringLiteral("_$$$test.html")));
    EXPECT_FALSE(sheet.isEmpty());
    EXPECT_FALSE(sheet.contains(QStringLiteral("(ワン|")));
}

TEST_F(PageCommandsTest, ButtonOrderMovesThePageAndRenumbers)
{
    whenShown(order.get(), [this] {
        order->Memo1->setText(QStringLiteral("2"));
        QTest::mouseClick(order->BitBtn1, Qt::LeftButton);
    });
    ASSERT_TRUE(choosePageMenuItem(4, QStringLiteral("ボタン順変更")));  // 1040_まとめ
    EXPECT_EQ(form->levels_.pageReference(1), QStringLiteral("1010_まとめ.html"));
    EXPECT_EQ(form->PageIndex(), 1);
    EXPECT_TRUE(QFileInfo(book(QStringLiteral("1020_どうぶつ.html"))).isFile());
}

TEST_F(PageCommandsTest, DeletingAPageSendsItAndItsPictureToTheTrash)
{
    platform.prompt.answers = {true};
    whenShown(fileTool.get(), [this] {
        EXPECT_GE(fileTool->Files().size(), 2);
        fileTool->ListBox1->selectAll();
        QTest::mouseClick(fileTool->BitBtn1, Qt::LeftButton);
    });
    ASSERT_TRUE(choosePageMenuItem(1, QStringLiteral("ページ削除")));
    EXPECT_TRUE(platform.shell.calls.contains(QStringLiteral("trash ") + book(QStringLiteral("1010_どうぶつ.html"))));
    EXPECT_TRUE(platform.shell.calls.contains(QStringLiteral("trash ") + book(QStringLiteral("neko.png"))));
    EXPECT_EQ(platform.prompt.askers, std::vector<QWidget *>{fileTool.get()});  // above the tool, not behind it
    EXPECT_EQ(platform.prompt.defaults, std::vector{DefaultAnswer::No});
}

TEST_F(PageCommandsTest, NewPageIsSavedUnderItsDatedNameAfterTheCurrentPage)
{
    turnTo(1);
    const int before = form->PageCount();
    whenShown(editor.get(), [this] {
        editor->Memo4->setPlainText(QStringLiteral("新しいページ"));
        QTest::mouseClick(editor->BitBtn1, Qt::LeftButton);
    });
    platform.fileDialogs.answers.push_back(book(QStringLiteral("20261208-あたらしい.html")));
    ASSERT_TRUE(chooseStartMenuItem(form->N2));
    EXPECT_EQ(form->PageCount(), before + 1);
    EXPECT_EQ(form->PageIndex(), 2);
    EXPECT_TRUE(QString::fromUtf8(testutil::readBytes(book(QString()) + form->levels_.pageReference(2))).contains(QStringLiteral("新しいページ")));
}

TEST_F(PageCommandsTest, PastedFilesBecomePagesOfTheFolder)
{
    const int before = form->PageCount();
    platform.clipboard.files = {testutil::writeBytes(dir.path(), QStringLiteral("in/notes.txt"), "ノート")};
    ASSERT_TRUE(chooseStartMenuItem(form->Paste2));
    EXPECT_EQ(form->PageCount(), before + 1);
    EXPECT_EQ(QDir(book(QString())).entryList({QStringLiteral("*~notes.html")}).size(), 1);
}

TEST_F(PageCommandsTest, PageRecordingPlaysAndGoesToTheTrash)
{
    turnTo(1);
    testutil::writeBytes(book(QString()), QStringLiteral("1010_どうぶつ.wav"), QByteArray(2048, 'x'));
    form->PageSoundFile();
    EXPECT_TRUE(form->BitBtn1->isVisible());
    form->Timer3Timer();
    EXPECT_EQ(platform.sound.played, QStringList{book(QStringLiteral("1010_どうぶつ.wav"))});
    platform.prompt.answers = {true};
    press(form->BitBtn1, Qt::RightButton);
    EXPECT_TRUE(platform.shell.calls.contains(QStringLiteral("trash ") + book(QStringLiteral("1010_どうぶつ.wav"))));
    EXPECT_EQ(platform.prompt.askers, std::vector<QWidget *>{form.get()});
    EXPECT_EQ(platform.prompt.defaults, std::vector{DefaultAnswer::No});
}

TEST_F(PageCommandsTest, RecordingWithNothingRecordedLeavesNoFile)
{
    platform.processes.keepRunning = false;
    ASSERT_TRUE(choosePageMenuItem(1, QStringLiteral("ページに録音")));
    ASSERT_EQ(platform.processes.waited.size(), 1);
    EXPECT_TRUE(platform.processes.waited.first().endsWith(book(QStringLiteral("1010_どうぶつ.wav"))));
    EXPECT_FALSE(QFileInfo::exists(book(QStringLiteral("1010_どうぶつ.wav"))));
    EXPECT_TRUE(form->isEnabled());
}

TEST_F(PageCommandsTest, SideMenuEditingWritesTheMenuRegion)
{
    whenShown(menu.get(), [this] {
        menu->Memo1->setPlainText(menu->Memo1->toPlainText() + QStringLiteral("\nこくご"));
        press(menu->SpeedButton1);  // "保存"
    });
    ASSERT_TRUE(chooseStartMenuItem(form->N3));
    EXPECT_TRUE(QString::fromUtf8(testutil::readBytes(book(QStringLiteral("_index.html")))).contains(QStringLiteral("/$DIR こくご")));
}

} // namespace

namespace {

class SearchCommandsTest : public fakes::DemoBookWindowTest {
protected:
    void SetUp() override
    {
        DemoBookWindowTest::SetUp();
        makeForm();
        search = std::make_unique<TForm4>(fakeBrowsers(), platform.prompt, form->IndexedFolder, form.get());
        form->SetSearchWindow(search.get());
        form->show();
    }
    std::unique_ptr<TForm4> search;
};

TEST_F(SearchCommandsTest, BodyTextSearchBecomesALevelShowingTheChosenPage)
{
    QTimer::singleShot(0, search.get(), [this] {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !search->Busy(); }, 10000));
        search->Edit1->setText(QStringLiteral("三角"));
        QTest::mouseClick(search->BitBtn1, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([this] { return !search->Busy(); }, 10000));
        ASSERT_EQ(search->ResultTitles->count(), 1);
        QTest::mouseClick(search->ResultTitles->viewport(), Qt::LeftButton, {},
                          search->ResultTitles->visualItemRect(search->ResultTitles->item(0)).center());
        QTest::mouseClick(search->BitBtn2, Qt::LeftButton);
    });
    ASSERT_TRUE(chooseStartMenuItem(form->Find1));
    EXPECT_EQ(form->levels_.depth(), 2);
    EXPECT_EQ(form->PageCount(), 1);
    EXPECT_EQ(shownFile(), book(QStringLiteral("1010_どうぶつ.html")));
}

// Presses Esc in a window, the one that kept the keyboard, as soon as the watched window shows.
class EscWhenShown : public QObject {
public:
    explicit EscWhenShown(QWindow *keyboard)
        : keyboard_(keyboard)
    {
    }
    bool sent = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !sent) {
            sent = true;
            QTimer::singleShot(0, this, [this] { QTest::keyClick(keyboard_, Qt::Key_Escape); });
        }
        return false;
    }

private:
    QWindow *keyboard_;
};

TEST_F(SearchCommandsTest, LookCancelledWithEscLeavesTheLevelAndPage)
{
    EscWhenShown esc(form->windowHandle());
    search->installEventFilter(&esc);
    form->WebBrowser1->Navigate(QUrl(QStringLiteral("file:///$LOOK まとめ")), NavigationStart::localBookPage());
    ASSERT_TRUE(QTest::qWaitFor([&] { return esc.sent && !search->isVisible(); }, 10000));
    settle();
    EXPECT_EQ(form->levels_.depth(), 1);
    EXPECT_EQ(shownFile(), book(QStringLiteral("index.html")));
}

TEST_F(SearchCommandsTest, LookCommandFindsAPageByItsTitleWord)
{
    form->WebBrowser1->Navigate(QUrl(QStringLiteral("file:///$LOOK まとめ")), NavigationStart::localBookPage());
    ASSERT_TRUE(QTest::qWaitFor([this] { return form->levels_.depth() == 2; }, 10000));
    EXPECT_EQ(shownFile(), book(QStringLiteral("1040_まとめ.html")));
}

} // namespace
