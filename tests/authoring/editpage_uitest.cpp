// The page editor round trip through the main window, with the real editor window and fake
// browsers, on a copy of the demo book.
#include "fakes/demobookwindow_ui.h"
#include "tools/tform4.h"

#include <QDir>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using namespace sorvek;

namespace {

class EditPageTest : public fakes::DemoBookWindowTest {
protected:
    void SetUp() override
    {
        DemoBookWindowTest::SetUp();
        makeForm();
        editor = std::make_unique<TForm2>(platform.services(), form.get());
        memo = std::make_unique<TForm12>(platform.prompt);
        form->SetEditor(editor.get());
        form->SetToolWindows(nullptr, memo.get());
        form->show();
    }
    void TearDown() override { memo->Tag = 0; }

    // Runs the editing of page index with what the author does in the open editor.
    void edit(int index, std::function<void(TForm2 &)> author)
    {
        form->SetPageIndex(index);
        form->ShowPage(true);
        QTimer::singleShot(0, editor.get(), [this, author] {
            ASSERT_TRUE(editor->isVisible());
            author(*editor);
        });
        form->EditPageClick();
    }

    std::unique_ptr<TForm2> editor;
    std::unique_ptr<TForm12> memo;
};

TEST_F(EditPageTest, EditorShowsThePageFields)
{
    edit(1, [](TForm2 &e) {
        EXPECT_EQ(e.Edit1->text(), QStringLiteral("どうぶつ"));
        EXPECT_EQ(e.Edit5->text(), QStringLiteral("ねこの絵"));
        EXPECT_EQ(e.Edit6->text(), QStringLiteral("絵を見てみよう"));
        EXPECT_EQ(e.Memo4->toPlainText(), QStringLiteral("どうぶつ"));
        EXPECT_EQ(e.Memo5->toPlainText(), QStringLiteral("ねこ"));
        EXPECT_EQ(e.GroupBox1Tag, 2);
        EXPECT_EQ(e.Gname->text(), QStringLiteral("neko.png"));
        QTest::mouseClick(e.BitBtn2, Qt::LeftButton);
    });
    EXPECT_EQ(form->IndexedFolder, QStringLiteral("xxx"));
}

TEST_F(EditPageTest, SavingWritesThePageAndShowsItAgain)
{
    const QString path = book(QStringLiteral("1030_きせつ.html"));
    page()->navigations.clear();
    edit(3, [](TForm2 &e) {
        e.Memo5->setPlainText(QStringLiteral("日本の四季"));
        QTest::mouseClick(e.BitBtn1, Qt::LeftButton);
    });
    const QString text = QString::fromUtf8(testutil::readBytes(path));
    EXPECT_TRUE(text.contains(QStringLiteral("<H2>日本の四季</H2>")));
    EXPECT_TRUE(text.contains(QStringLiteral("日本には四つのきせつがあります。")));
    EXPECT_EQ(page()->location.toLocalFile(), path);
    EXPECT_TRUE(form->Timer5->isActive());
}

TEST_F(EditPageTest, ClosingWritesNothingButShowsThePageAgain)
{
    const QString path = book(QStringLiteral("1030_きせつ.html"));
    const QByteArray before = testutil::readBytes(path);
    page()->navigations.clear();
    edit(3, [](TForm2 &e) {
        e.Memo5->setPlainText(QStringLiteral("捨てる変更"));
        QTest::mouseClick(e.BitBtn2, Qt::LeftButton);
    });
    EXPECT_EQ(testutil::readBytes(path), before);
    EXPECT_FALSE(page()->navigations.isEmpty());
}

TEST_F(EditPageTest, NewCaptionSavesUnderTheChosenNameAndShowsThatPage)
{
    const QString chosen = book(QStringLiteral("1035_はる.html"));
    platform.fileDialogs.answers.push_back(chosen);
    const QByteArray old = testutil::readBytes(book(QStringLiteral("1030_きせつ.html")));
    edit(3, [](TForm2 &e) {
        e.Edit1->setText(QStringLiteral("はる"));
        QTest::mouseClick(e.BitBtn1, Qt::LeftButton);
    });
    EXPECT_EQ(testutil::readBytes(book(QStringLiteral("1030_きせつ.html"))), old);
    EXPECT_TRUE(QString::fromUtf8(testutil::readBytes(chosen)).contains(QStringLiteral("<TITLE>はる#春夏秋冬?四つのきせつ</TITLE>")));
    EXPECT_TRUE(form->levels_.pageList().contains(QStringLiteral("1035_はる.html")));
    EXPECT_EQ(page()->location.toLocalFile(), chosen);
}

TEST_F(EditPageTest, ButtonSaveWritesAQuizPage)
{
    const int at = form->levels_.pageList().indexOf(QStringLiteral("1060_quiz.html"));
    ASSERT_GE(at, 0);
    edit(at, [this](TForm2 &e) {
        page()->complete();  // the page as it was before, its page work done
        QTest::mouseClick(e.BitBtn3, Qt::LeftButton);
    });
    const QString text = QString::fromUtf8(testutil::readBytes(book(QStringLiteral("1060_quiz.html"))));
    EXPECT_TRUE(text.contains(QStringLiteral("<!--beginSorvek")));
    EXPECT_TRUE(text.contains(QStringLiteral("<SELECT")));
    EXPECT_TRUE(platform.prompt.messages.isEmpty());
    form->setWindowTitle(QString());
    page()->complete();
    EXPECT_EQ(form->windowTitle(), page()->location.toString()) << "the saved page, shown at the same address, gets its page work";
}

TEST_F(EditPageTest, PageThatCannotBeWrittenKeepsTheAuthorsFields)
{
    const QString sub = book(QString());
    const QString page = book(QStringLiteral("1010_どうぶつ.html"));
    if (!testutil::makeFolderReadOnly(sub))
        GTEST_SKIP() << "cannot make a folder read-only here";
    QFile::setPermissions(page, QFileDevice::ReadOwner);
    int shown = 0;
    QString secondH2, secondWidth;
    const QByteArray before = testutil::readBytes(page);
    std::function<void()> author;
    author = [&] {
        ++shown;
        if (shown == 1) {
            editor->Memo5->setPlainText(QStringLiteral("書けない変更"));
            editor->ScrollBar1->setValue(170);
            QTimer::singleShot(0, editor.get(), author);  // the editor opens again after the warning
            QTest::mouseClick(editor->BitBtn1, Qt::LeftButton);
            return;
        }
        secondH2 = editor->Memo5->toPlainText();
        secondWidth = editor->GX->text();
        QTest::mouseClick(editor->BitBtn2, Qt::LeftButton);
    };
    form->SetPageIndex(1);
    form->ShowPage(true);
    QTimer::singleShot(0, editor.get(), author);
    form->EditPageClick();
    testutil::restoreFolder(sub);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(secondH2, QStringLiteral("書けない変更"));
    EXPECT_EQ(secondWidth, QStringLiteral("170")) << "the author's picture size, not the picture's own";
    EXPECT_EQ(testutil::readBytes(page), before);
    ASSERT_FALSE(platform.prompt.messages.isEmpty());
    EXPECT_TRUE(platform.prompt.messages.first().contains(QStringLiteral("1010_どうぶつ.html")));
    EXPECT_EQ(platform.prompt.messages.first().count(QStringLiteral("編集内容はそのままです。")), 1);
}

// Another program changes the page while it is open in the editor: 保存 asks over the editor, and
// only "上書き保存" writes over the other program's change.
struct ChangedOnDisk {
    const char *name;
    int choice;        // 0 overwrite, 1 keep both, 2 cancel (and then 閉じる)
    bool pageHasEdit;
    bool besideHasEdit;
};

class ExternalChange : public EditPageTest, public ::testing::WithParamInterface<ChangedOnDisk> {};

TEST_P(ExternalChange, SaveAsksBeforeOverwriting)
{
    const ChangedOnDisk &c = GetParam();
    const QString path = book(QStringLiteral("1030_きせつ.html"));
    const QByteArray theirs = testutil::readBytes(path) + "<!-- theirs -->\r\n";
    platform.prompt.choices = {c.choice};
    edit(3, [&](TForm2 &e) {
        testutil::writeBytes(book(QString()), QStringLiteral("1030_きせつ.html"), theirs);
        e.Memo5->setPlainText(QStringLiteral("日本の四季"));
        QTest::mouseClick(e.BitBtn1, Qt::LeftButton);
        if (e.isVisible())
            QTest::mouseClick(e.BitBtn2, Qt::LeftButton);
    });
    ASSERT_FALSE(platform.prompt.askers.empty());
    for (QWidget *asker : platform.prompt.askers)
        EXPECT_EQ(asker, editor.get());
    const QString edit = QStringLiteral("<H2>日本の四季</H2>");
    const QByteArray page = testutil::readBytes(path);
    EXPECT_EQ(QString::fromUtf8(page).contains(edit), c.pageHasEdit);
    EXPECT_EQ(page == theirs, !c.pageHasEdit);
    EXPECT_EQ(QString::fromUtf8(testutil::readBytes(book(QStringLiteral("1030_きせつ-2.html")))).contains(edit),
              c.besideHasEdit);
}

INSTANTIATE_TEST_SUITE_P(Choices, ExternalChange,
                         ::testing::Values(ChangedOnDisk{"Overwrite", 0, true, false},
                                           ChangedOnDisk{"KeepBoth", 1, false, true},
                                           ChangedOnDisk{"Cancel", 2, false, false}),
                         [](const auto &row) { return std::string(row.param.name); });

// The memo window takes typing while the editor is open, and the memo button stores it.
TEST_F(EditPageTest, MemoWindowIsUsableBesideTheEditor)
{
    edit(3, [this](TForm2 &e) {
        QTest::mouseClick(e.SpeedButton22, Qt::LeftButton);
        ASSERT_TRUE(memo->isVisible());
        memo->Memo1->setFocus();
        for (char c : std::string("abc"))
            QTest::keyClick(memo->windowHandle(), c);
        QTest::mouseClick(e.SpeedButton22, Qt::LeftButton);
        QTest::mouseClick(e.BitBtn2, Qt::LeftButton);
    });
    EXPECT_EQ(QString::fromUtf8(testutil::readBytes(book(QStringLiteral("Edit.txt"))).mid(3)).trimmed(), QStringLiteral("abc"));
}

// Runs an action each time the watched window has been asked to show, once it is up.
class EachShow : public QObject {
public:
    EachShow(QWidget *window, std::function<void(int)> action)
        : action_(std::move(action))
    {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            const int time = ++shown;
            QTimer::singleShot(0, this, [this, time] { action_(time); });
        }
        return false;
    }
    int shown = 0;

private:
    std::function<void(int)> action_;
};

// Esc during the walk that makes a page's LOOK links anew writes nothing: the editor opens again
// with what the author typed, and what the author does then decides.
TEST_F(EditPageTest, CancelledLookWalkSavesNothingAndKeepsTheAuthorsFields)
{
    struct Row {
        const char *name;
        bool saveAgain; // 保存 again, or Esc on the editor
    };
    const QString name = QStringLiteral("1050_look.html");
    for (const Row row : {Row{"saved again, the walk runs to its end", true}, Row{"Esc on the editor shown again", false}}) {
        SCOPED_TRACE(row.name);
        platform.prompt.messages.clear();
        const QString path = testutil::writePage(
            book(QString()), name,
            QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<HTML><HEAD><TITLE>見る</TITLE>"
                           "</HEAD><BODY>\n<P><A href=\"/$LOOK きせつ\">きせつ</A>の まとめ</P>\n</BODY></HTML>\n"));
        const QByteArray original = testutil::readBytes(path);
        form->OpenLevel(book(QString()), 0, false, CommandOrigin::localBookPage());
        form->RebuildPageButtons();
        TForm4 search(fakeBrowsers(), platform.prompt, form->IndexedFolder, form.get());
        form->SetSearchWindow(&search);
        EachShow walk(&search, [&search](int time) {
            if (time == 1)
                QTest::keyClick(&search, Qt::Key_Escape);
        });
        QString shownAgain;
        QByteArray onDiskMeanwhile;
        EachShow author(editor.get(), [&](int time) {
            if (time == 1) {
                editor->Memo5->setPlainText(QStringLiteral("新しい見出し"));
                QTest::mouseClick(editor->BitBtn1, Qt::LeftButton);
                return;
            }
            shownAgain = editor->Memo5->toPlainText();
            onDiskMeanwhile = testutil::readBytes(path);
            if (row.saveAgain) {
                QTest::mouseClick(editor->BitBtn1, Qt::LeftButton);
                return;
            }
            // The author's unsaved work is thrown away only when the author says so.
            platform.prompt.answers.push_back(true);
            QTest::keyClick(editor.get(), Qt::Key_Escape);
            EXPECT_TRUE(platform.prompt.answers.empty());
        });
        form->SetPageIndex(form->levels_.pageList().indexOf(name));
        form->ShowPage(true);
        form->EditPageClick();
        form->SetSearchWindow(nullptr);
        EXPECT_EQ(author.shown, 2);
        EXPECT_EQ(shownAgain, QStringLiteral("新しい見出し"));
        EXPECT_EQ(onDiskMeanwhile, original);
        ASSERT_FALSE(platform.prompt.messages.isEmpty());
        EXPECT_TRUE(platform.prompt.messages.first().contains(QStringLiteral("中止")));
        const QString after = QString::fromUtf8(testutil::readBytes(path));
        if (row.saveAgain) {
            EXPECT_TRUE(after.contains(QStringLiteral("新しい見出し")));
            EXPECT_TRUE(after.contains(QStringLiteral("<A href=\"/$LOOK まとめ\">まとめ</A>")));
        } else {
            EXPECT_EQ(testutil::readBytes(path), original);
        }
    }
}

struct NewPageCase {
    const char *name;
    const char *saveAs;  // the answer of the save-as dialog, relative to the test folder; "" cancels
    bool renumbered;
};

class NewPageMenu : public EditPageTest, public ::testing::WithParamInterface<NewPageCase> {
protected:
    QStringList pageFiles() const { return QDir(book(QString())).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name); }
};

// The new page moves into place and the level is renumbered only when the page was written into
// the level's folder.
TEST_P(NewPageMenu, RenumbersOnlyAfterASaveIntoTheLevel)
{
    const QString answer = QString::fromUtf8(GetParam().saveAs);
    if (!answer.isEmpty())
        platform.fileDialogs.answers.push_back(dir.filePath(answer));
    form->SetPageIndex(1);
    const QStringList before = pageFiles();
    QTimer::singleShot(0, editor.get(), [this] {
        QTest::mouseClick(editor->BitBtn1, Qt::LeftButton);
        if (editor->isVisible())
            QTest::keyClick(editor.get(), Qt::Key_Escape);
    });
    form->N2Click();
    QStringList expected = before;
    if (answer.startsWith(QStringLiteral("Book/")) && answer.endsWith(QStringLiteral(".html")))
        expected.append(answer.mid(5));
    expected.sort();
    if (GetParam().renumbered)
        EXPECT_NE(pageFiles(), expected);
    else
        EXPECT_EQ(pageFiles(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Saves, NewPageMenu,
    ::testing::Values(NewPageCase{"saved_into_the_level", "Book/newpage.html", true},
                      NewPageCase{"save_as_cancelled_then_escape", "", false},
                      NewPageCase{"saved_outside_the_level", "elsewhere.html", false},
                      NewPageCase{"saved_into_the_folder_as_no_page", "Book/note.txt", false}),
    [](const auto &row) { return std::string(row.param.name); });

} // namespace

namespace {

// Pictures the editor does not show (here a TIFF) stay in the page, also when their file is
// missing at opening; a picture whose file goes away while the editor is open is left out.
TEST_F(EditPageTest, SavingKeepsPicturesTheEditorDoesNotShow)
{
    const QString tiff = book(QStringLiteral("scan.tif"));
    testutil::writeBytes(book(QString()), QStringLiteral("scan.tif"), "II*");
    const QString path = book(QStringLiteral("1030_きせつ.html"));
    QString text = QString::fromUtf8(testutil::readBytes(path).mid(3));
    text.replace(QStringLiteral("<P></P><P>春"), QStringLiteral("<P align=\"center\"><IMG src=\"scan.tif\"></P><P>春"));
    testutil::writePage(book(QString()), QStringLiteral("1030_きせつ.html"), text);
    edit(3, [](TForm2 &e) { QTest::mouseClick(e.BitBtn1, Qt::LeftButton); });
    EXPECT_TRUE(QString::fromUtf8(testutil::readBytes(path)).contains(QStringLiteral("<IMG src=\"scan.tif\">")));

    QFile::remove(tiff);
    edit(3, [](TForm2 &e) { QTest::mouseClick(e.BitBtn1, Qt::LeftButton); });
    EXPECT_TRUE(QString::fromUtf8(testutil::readBytes(path)).contains(QStringLiteral("<IMG src=\"scan.tif\">")));

    testutil::writeBytes(book(QString()), QStringLiteral("scan.tif"), "II*");
    edit(3, [tiff](TForm2 &e) {
        QFile::remove(tiff);
        QTest::mouseClick(e.BitBtn1, Qt::LeftButton);
    });
    EXPECT_FALSE(QString::fromUtf8(testutil::readBytes(path)).contains(QStringLiteral("scan.tif")));
}

} // namespace
