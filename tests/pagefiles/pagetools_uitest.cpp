// The page tools as a user reaches them, on a copy of the demo book: the footnote memo is stored
// before a tool touches files, and a step that fails stops the steps that depend on it.
#include "fakes/demobookwindow_ui.h"
#include "pagefiles/renamejournal.h"

#include <QDateTime>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <QHash>

#include <csignal>
#include <future>
#include <sys/resource.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

const QByteArray bom("\xEF\xBB\xBF");

class PageToolsTest : public fakes::DemoBookWindowTest {
protected:
    void SetUp() override
    {
        DemoBookWindowTest::SetUp();
        makeForm();
        fileTool = std::make_unique<TForm3>(platform.services(), form.get());
        order = std::make_unique<TForm5>(form.get());
        menu = std::make_unique<TForm10>(form.get());
        memo = std::make_unique<TForm12>(platform.prompt);
        form->SetFileTools(fileTool.get(), order.get(), menu.get());
        form->SetToolWindows(nullptr, memo.get());
        form->show();
    }
    void TearDown() override { memo->hide(); }
    // Answers a modal window once it is open; a dialog left open is rejected.
    static void whenShown(QWidget *window, std::function<void()> answer)
    {
        QTimer::singleShot(0, window, [window, answer] {
            EXPECT_TRUE(window->isVisible());
            answer();
            if (auto *dialog = qobject_cast<QDialog *>(window); dialog && dialog->isVisible())
                dialog->reject();
        });
    }
    QStringList folderNames() const { return QDir(book(QString())).entryList(QDir::Files, QDir::Name); }

    std::unique_ptr<TForm3> fileTool;
    std::unique_ptr<TForm5> order;
    std::unique_ptr<TForm10> menu;
    std::unique_ptr<TForm12> memo;
};

struct MemoToolCase {
    const char *name;
    const char *item;  // the popup item's caption
    const char *memoAfter;  // where the memo text is afterwards
};

class MemoBeforePageToolTest : public PageToolsTest, public ::testing::WithParamInterface<MemoToolCase> {};

TEST_P(MemoBeforePageToolTest, MemoIsStoredBeforeTheToolTouchesFiles)
{
    const QString memoFile = book(u"1010_どうぶつ.txt"_s);
    form->SetPageIndex(1);
    form->ShowPage(true);
    form->textup(Qt::LeftButton);
    ASSERT_EQ(memo->Caption(), memoFile);
    memo->Memo1->setPlainText(u"消えてはいけないメモ"_s);
    QStringList listed;
    if (QString::fromUtf8(GetParam().item) == u"ボタン順変更"_s) {
        whenShown(order.get(), [&] {
            order->Memo1->setText(u"4"_s);
            QTest::mouseClick(order->BitBtn1, Qt::LeftButton);
        });
    } else {
        whenShown(fileTool.get(), [&] { listed = fileTool->Files(); });
    }
    ASSERT_TRUE(choosePageMenuItem(1, QString::fromUtf8(GetParam().item)));
    EXPECT_EQ(memo->Tag, 0);
    EXPECT_EQ(testutil::readBytes(book(QString::fromUtf8(GetParam().memoAfter))), bom + u"消えてはいけないメモ\r\n"_s.toUtf8());
    if (QString::fromUtf8(GetParam().item) != u"ボタン順変更"_s) {
        EXPECT_TRUE(listed.contains(memoFile));  // deleted or archived with its page
    }
    EXPECT_EQ(QFileInfo::exists(memoFile), QString::fromUtf8(GetParam().memoAfter) == u"1010_どうぶつ.txt"_s);
}

INSTANTIATE_TEST_SUITE_P(
    Popup, MemoBeforePageToolTest,
    ::testing::Values(MemoToolCase{"PageDelete", "ページ削除", "1010_どうぶつ.txt"},
                      MemoToolCase{"SaveToArchive", "書庫に保存", "1010_どうぶつ.txt"},
                      MemoToolCase{"ButtonOrder", "ボタン順変更", "1030_どうぶつ.txt"}),
    [](const auto &row) { return std::string(row.param.name); });

// Pages that opening the level left in code page 932: a tool that writes a page back keeps its
// text, or leaves the page alone when its bytes are no text it can read.
struct OldPageCase {
    const char *name;
    const char *item;
    QByteArray bytes;
    bool kept;         // rewritten in UTF-8 with its text; otherwise left byte for byte
    const char *done;  // what the tool's work looks like in the kept page
};

class OldEncodingPageToolTest : public PageToolsTest, public ::testing::WithParamInterface<OldPageCase> {};

TEST_P(OldEncodingPageToolTest, PageTextSurvivesTheTool)
{
    const QString page = book(u"1050_old.html"_s);
    testutil::writeBytes(book(QString()), u"1050_old.html"_s, GetParam().bytes);
    form->OpenLevel(book(QString()), 0, false, CommandOrigin::localBookPage());
    form->RebuildPageButtons();
    const int index = int(form->levels_.pageList().indexOf(u"1050_old.html"_s));
    ASSERT_GE(index, 0);
    ASSERT_EQ(testutil::readBytes(page), GetParam().bytes);  // not migrated on opening
    ASSERT_TRUE(choosePageMenuItem(index, QString::fromUtf8(GetParam().item)));
    const QByteArray after = testutil::readBytes(page);
    if (GetParam().kept) {
        EXPECT_TRUE(after.startsWith(bom));
        EXPECT_TRUE(QString::fromUtf8(after).contains(u"<P>日本語の本文です。</P>"_s)) << after.toStdString();
        EXPECT_TRUE(after.contains(GetParam().done)) << after.toStdString();
    } else {
        EXPECT_EQ(after, GetParam().bytes);
        EXPECT_TRUE(platform.prompt.messages.value(0).contains(page)) << platform.prompt.messages.join(u'|').toStdString();
    }
}

const QByteArray oldHead("<HTML><HEAD><TITLE>\x82\xA9\x82\xA9</TITLE></HEAD><BODY>");
// "<P>日本語の本文です。</P>" and a LOOK link in code page 932
const QByteArray oldBody("<P>\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x96\x7B\x95\xB6\x82\xC5\x82\xB7\x81\x42</P>"
                         "<A href=\"/$LOOK x\">x</A></BODY></HTML>\r\n");

INSTANTIATE_TEST_SUITE_P(
    Popup, OldEncodingPageToolTest,
    ::testing::Values(OldPageCase{"MarkUndeclared", "〆マークをつける", oldHead + oldBody, true, "<TITLE>\"!\"かか</TITLE>"},
                      OldPageCase{"LookRemovalUndeclared", "LOOKの削除", oldHead + oldBody, true, "</P>x</BODY>"},
                      OldPageCase{"MarkDamaged", "〆マークをつける", oldHead + oldBody + "\x81\x20", false, ""},
                      OldPageCase{"LookRemovalDamaged", "LOOKの削除", oldHead + oldBody + "\x81\x20", false, ""},
                      // A stray byte in a UTF-8 page shows as the replacement mark anyway.
                      OldPageCase{"MarkUtf8WithStrayByte", "〆マークをつける",
                                  bom + u"<TITLE>かか</TITLE><P>日本語の本文です。</P>"_s.toUtf8() + "\xFF", true, "<TITLE>\"!\"かか</TITLE>"}),
    [](const auto &row) { return std::string(row.param.name); });

TEST_F(PageToolsTest, RefusedPageMoveKeepsTheCurrentPageAndEveryName)
{
    testutil::writeBytes(book(QString()), u"1010_どうぶつ.txt"_s, "memo");
    testutil::writeBytes(book(QString()), u"1020_どうぶつ.txt"_s, "stray");
    const QStringList before = folderNames();
    whenShown(order.get(), [&] {
        order->Memo1->setText(u"2"_s);
        QTest::mouseClick(order->BitBtn1, Qt::LeftButton);
    });
    ASSERT_TRUE(choosePageMenuItem(4, u"ボタン順変更"_s));
    EXPECT_EQ(form->PageIndex(), 4);
    EXPECT_EQ(folderNames(), before);
    ASSERT_FALSE(platform.prompt.messages.isEmpty());
    EXPECT_TRUE(platform.prompt.messages.last().contains(u"1010_どうぶつ.txt → 1020_どうぶつ.txt"_s));
}

// "保存" on a folder that refuses the write keeps the dialog open with the names as typed and
// says why; once the folder takes it, the same click saves and closes.
TEST_F(PageToolsTest, FailedSideMenuSaveKeepsTheDialogWithTheTypedNames)
{
    if (!testutil::makeFolderReadOnly(book(QString())))
        GTEST_SKIP() << "cannot make a folder read-only here";
    const QByteArray before = testutil::readBytes(book(u"_index.html"_s));
    bool openAfterFailure = false;
    QString namesAfterFailure;
    QByteArray pageAfterFailure;
    whenShown(menu.get(), [&] {
        menu->Memo1->setPlainText(u"こくご\nしゃかい"_s);
        QTest::mouseClick(menu->SpeedButton1, Qt::LeftButton);
        openAfterFailure = menu->isVisible();
        namesAfterFailure = menu->Memo1->toPlainText();
        pageAfterFailure = testutil::readBytes(book(u"_index.html"_s));
        testutil::restoreFolder(book(QString()));
        QTest::mouseClick(menu->SpeedButton1, Qt::LeftButton);
    });
    form->N3->trigger();
    testutil::restoreFolder(book(QString()));
    EXPECT_TRUE(openAfterFailure);
    EXPECT_EQ(namesAfterFailure, u"こくご\nしゃかい"_s);
    EXPECT_EQ(pageAfterFailure, before);
    ASSERT_EQ(platform.prompt.messages.size(), 1);
    EXPECT_TRUE(platform.prompt.messages.first().startsWith(u"メニューを保存できません"_s));
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(menu->result(), int(QDialog::Accepted));
    const QString page = QString::fromUtf8(testutil::readBytes(book(u"_index.html"_s)));
    EXPECT_TRUE(page.contains(u"$DIR こくご"_s) && page.contains(u"$DIR しゃかい"_s)) << page.toStdString();
}

// The window repairs at its first showing, or takes what the program read on a thread of its own
// before the window was made.
class RenameRepairAtStart : public fakes::DemoBookWindowTest, public ::testing::WithParamInterface<bool> {};

TEST_P(RenameRepairAtStart, AKilledBatchIsUndoneBeforeTheFirstLevelIsListedAndToldOnce)
{
    // As a batch killed after its first rename leaves a folder: the journal, one file parked; in
    // the book folder itself and in a folder below it.
    const QString root = book(QString());
    const QString folder = dir.filePath(u"Book/さんすう"_s);
    QHash<QString, QPair<QString, QByteArray>> parked;
    for (const QString &f : {root, folder}) {
        const QString page = QDir(f).entryList({u"*.html"_s}, QDir::Files, QDir::Name).last();
        parked[f] = {page, testutil::readBytes(QDir(f).filePath(page))};
        ASSERT_TRUE(writeRenameJournal(f, {RenameJournal::Phase::Parking, {{page, u".sorvek-rename-0-0"_s, u"1000_x.html"_s}}, {}, {}, {}}));
        ASSERT_TRUE(QFile::rename(QDir(f).filePath(page), QDir(f).filePath(u".sorvek-rename-0-0"_s)));
    }
    makeForm();
    if (GetParam())
        form->SetStartupRead(std::async(std::launch::async, readBookAtStartup, root.chopped(1)));
    form->show();
    for (const QString &f : {root, folder}) {
        EXPECT_EQ(testutil::readBytes(QDir(f).filePath(parked[f].first)), parked[f].second);
        EXPECT_FALSE(QFileInfo::exists(QDir(f).filePath(renameJournalName())));
    }
    EXPECT_TRUE(form->pageList().contains(parked[root].first)) << "listed under its own name";
    ASSERT_EQ(platform.prompt.messages.size(), 1);
    EXPECT_TRUE(platform.prompt.messages.first().contains(folder)) << platform.prompt.messages.first().toStdString();
    form->OpenLevel(folder, 0, true, CommandOrigin::localBookPage());
    EXPECT_EQ(platform.prompt.messages.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Start, RenameRepairAtStart, ::testing::Bool(),
                         [](const auto &row) { return row.param ? "ReadOnAThreadBeforeTheWindow" : "InTheWindow"; });

struct LogoCase {
    const char *name;
    bool pageBlocked;  // no byte can be written (a file-size limit of zero): the page's write fails
};

class LogoPageTest : public PageToolsTest, public ::testing::WithParamInterface<LogoCase> {};

TEST_P(LogoPageTest, ProgramAndPlaceFollowOnlyAWrittenPage)
{
    testutil::writeBytes(book(QString()), u"MWEX/mwex.exe"_s, "stand-in");
    testutil::writeBytes(book(QString()), u"zoo.html"_s, "<TITLE>zoo</TITLE>");  // sorts after the new page
    form->FindMwex();
    ASSERT_EQ(form->MwexModeTag, 3);
    const QStringList before = folderNames();
    form->SetPageIndex(1);
    form->ShowPage(true);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    if (GetParam().pageBlocked) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit none{0, limit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &none);
    }
    form->LOGO1->trigger();
    setrlimit(RLIMIT_FSIZE, &limit);
    const QStringList projects = QDir(book(QString())).entryList({u"*.mwx"_s});
    if (GetParam().pageBlocked) {
        EXPECT_TRUE(projects.isEmpty());
        EXPECT_TRUE(platform.processes.started.isEmpty());
        EXPECT_EQ(folderNames(), before);
        EXPECT_EQ(form->PageIndex(), 1);
        return;
    }
    ASSERT_EQ(projects.size(), 1);
    EXPECT_EQ(platform.processes.started.size(), 1);
    EXPECT_EQ(form->PageIndex(), 2);
    EXPECT_EQ(form->levels_.pageReference(2), u"1020_"_s + QFileInfo(projects.first()).completeBaseName() + u".html"_s);
    EXPECT_EQ(form->levels_.pageList().last(), u"1070_zoo.html"_s);
}

INSTANTIATE_TEST_SUITE_P(Start, LogoPageTest,
                         ::testing::Values(LogoCase{"NewPageGoesAfterTheCurrentOne", false},
                                           LogoCase{"FailedPageWriteStartsAndMovesNothing", true}),
                         [](const auto &row) { return std::string(row.param.name); });

} // namespace
