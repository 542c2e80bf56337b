// The footnote memo window on real files: saving on close, never losing a memo that cannot be
// stored, following the page shown.
#include "tools/tform12.h"

#include "fakes/fakeplatform.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvek;

namespace {

const QByteArray bom("\xEF\xBB\xBF");

class MemoWindowTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (readOnly)
            testutil::restoreFolder(dir.path());
    }

    void open(const QString &name)
    {
        form.resize(799, 179);
        form.LoadFile(dir.filePath(name));
        form.show();
    }

    void lockFolder()
    {
        readOnly = testutil::makeFolderReadOnly(dir.path());
        if (!readOnly)
            GTEST_SKIP() << "cannot make a folder read-only here";
    }

    QTemporaryDir dir;
    fakes::FakePrompt prompt;
    TForm12 form{prompt};
    bool readOnly = false;
};

TEST_F(MemoWindowTest, ShowSetsTagAndCloseSavesNewFile)
{
    open(QStringLiteral("1010_葉.txt"));
    EXPECT_EQ(form.Tag, 1);
    EXPECT_EQ(form.Caption(), dir.filePath(QStringLiteral("1010_葉.txt")));
    EXPECT_TRUE(form.Memo1->toPlainText().isEmpty());
    form.Memo1->setPlainText(QStringLiteral("気孔の数を数える"));
    EXPECT_TRUE(form.close());
    EXPECT_EQ(form.Tag, 0);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(testutil::readBytes(dir.filePath(QStringLiteral("1010_葉.txt"))),
              bom + QStringLiteral("気孔の数を数える\r\n").toUtf8());
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(MemoWindowTest, EmptyMemoLeavesOnlyBom)
{
    testutil::writePage(dir.path(), QStringLiteral("m.txt"), QStringLiteral("old\n"));
    open(QStringLiteral("m.txt"));
    EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("old\n"));
    form.Memo1->clear();
    form.close();
    EXPECT_EQ(testutil::readBytes(dir.filePath(QStringLiteral("m.txt"))), bom);
}

TEST_F(MemoWindowTest, FailedSaveKeepsWindowAndText)
{
    testutil::writePage(dir.path(), QStringLiteral("m.txt"), QStringLiteral("old\n"));
    open(QStringLiteral("m.txt"));
    form.Memo1->setPlainText(QStringLiteral("新しいメモ"));
    lockFolder();
    prompt.answers = {false}; // keep the text
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Tag, 1);
    EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("新しいメモ"));
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages.first().contains(dir.filePath(QStringLiteral("m.txt"))));
    EXPECT_EQ(prompt.askers, std::vector<QWidget *>{&form});  // above the on-top memo, keeping it on Return
    EXPECT_EQ(prompt.defaults, std::vector{DefaultAnswer::No});
    EXPECT_EQ(testutil::readBytes(dir.filePath(QStringLiteral("m.txt"))), bom + "old\r\n");

    testutil::restoreFolder(dir.path());
    readOnly = false;
    EXPECT_TRUE(form.close());
    EXPECT_EQ(testutil::readBytes(dir.filePath(QStringLiteral("m.txt"))), bom + QStringLiteral("新しいメモ\r\n").toUtf8());
}

TEST_F(MemoWindowTest, FailedSaveClosesWhenUserDropsMemo)
{
    open(QStringLiteral("m.txt"));
    form.Memo1->setPlainText(QStringLiteral("x"));
    lockFolder();
    prompt.answers = {true};
    EXPECT_TRUE(form.close());
    EXPECT_EQ(form.Tag, 0);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("m.txt"))));
}

TEST_F(MemoWindowTest, HiddenMemoClosedWritesNothing)
{
    form.LoadFile(dir.filePath(QStringLiteral("m.txt")));
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("m.txt"))));
}

TEST_F(MemoWindowTest, SyncStoresShownMemoAndFollowsNextPage)
{
    testutil::writePage(dir.path(), QStringLiteral("b.txt"), QStringLiteral("memo b"));
    open(QStringLiteral("a.txt"));
    form.Memo1->setPlainText(QStringLiteral("memo a"));
    form.SyncToMemoFile(dir.filePath(QStringLiteral("b.txt")));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Caption(), dir.filePath(QStringLiteral("b.txt")));
    EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("memo b"));
    EXPECT_EQ(testutil::readBytes(dir.filePath(QStringLiteral("a.txt"))), bom + "memo a\r\n");
}

TEST_F(MemoWindowTest, SyncToSameFileClosesAndStores)
{
    open(QStringLiteral("a.txt"));
    form.Memo1->setPlainText(QStringLiteral("again"));
    form.SyncToMemoFile(dir.filePath(QStringLiteral("a.txt")));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.Tag, 0);
    EXPECT_EQ(testutil::readBytes(dir.filePath(QStringLiteral("a.txt"))), bom + "again\r\n");
}

TEST_F(MemoWindowTest, SyncBlockedKeepsOldMemoUntilDropped)
{
    testutil::writeBytes(dir.path(), QStringLiteral("sub/b.txt"), bom + "memo b\r\n");
    open(QStringLiteral("a.txt"));
    form.Memo1->setPlainText(QStringLiteral("unsaved"));
    lockFolder();
    prompt.answers = {false};
    form.SyncToMemoFile(dir.filePath(QStringLiteral("sub/b.txt")));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Caption(), dir.filePath(QStringLiteral("a.txt")));
    EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("unsaved"));
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_EQ(prompt.defaults, std::vector{DefaultAnswer::No});

    prompt.answers = {true};
    form.SyncToMemoFile(dir.filePath(QStringLiteral("sub/b.txt")));
    EXPECT_EQ(form.Caption(), dir.filePath(QStringLiteral("sub/b.txt")));
    EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("memo b\n"));
}

TEST_F(MemoWindowTest, OpeningAnotherMemoStoresTheShownOne)
{
    open(QStringLiteral("a.txt"));
    form.Memo1->setPlainText(QStringLiteral("footnote"));
    EXPECT_TRUE(form.LoadFile(dir.filePath(QStringLiteral("Edit.txt"))));
    EXPECT_EQ(form.Caption(), dir.filePath(QStringLiteral("Edit.txt")));
    EXPECT_EQ(testutil::readBytes(dir.filePath(QStringLiteral("a.txt"))), bom + "footnote\r\n");

    form.Memo1->setPlainText(QStringLiteral("editor memo"));
    lockFolder();
    prompt.answers = {false};
    EXPECT_FALSE(form.LoadFile(dir.filePath(QStringLiteral("a.txt"))));
    EXPECT_EQ(form.Caption(), dir.filePath(QStringLiteral("Edit.txt")));
    EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("editor memo"));
}

TEST_F(MemoWindowTest, HiddenSyncSwitchesQuietly)
{
    testutil::writePage(dir.path(), QStringLiteral("b.txt"), QStringLiteral("memo b"));
    form.LoadFile(dir.filePath(QStringLiteral("a.txt")));
    form.SyncToMemoFile(dir.filePath(QStringLiteral("b.txt")));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.Caption(), dir.filePath(QStringLiteral("b.txt")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("a.txt"))));
}

QByteArray sjis(const QString &text)
{
    QStringEncoder encoder("windows-31j");
    return encoder.encode(text);
}

struct MemoFileCase {
    const char *name;
    QByteArray bytes;     // the memo on disk; null: no file
    QByteArray shown;     // Memo1 after opening, UTF-8
    const char *typed;    // typed at the end before closing ("" types nothing)
    QByteArray after;     // the file after closing
};

void PrintTo(const MemoFileCase &c, std::ostream *os)
{
    *os << c.name;
}

class MemoFileTest : public MemoWindowTest, public ::testing::WithParamInterface<MemoFileCase> {};

// A memo is read as UTF-8 or code page 932 by its bytes and written back only when it was edited.
TEST_P(MemoFileTest, ReadByContentWrittenOnlyWhenEdited)
{
    const MemoFileCase &c = GetParam();
    if (!c.bytes.isNull())
        testutil::writeBytes(dir.path(), QStringLiteral("m.txt"), c.bytes);
    open(QStringLiteral("m.txt"));
    EXPECT_EQ(form.Memo1->toPlainText(), QString::fromUtf8(c.shown));
    form.Memo1->moveCursor(QTextCursor::End);
    QTest::keyClicks(form.Memo1, QString::fromLatin1(c.typed));
    EXPECT_TRUE(form.close());
    EXPECT_EQ(testutil::readBytes(dir.filePath(QStringLiteral("m.txt"))), c.after);
    EXPECT_TRUE(prompt.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, MemoFileTest,
    ::testing::Values(
        MemoFileCase{"ShiftJisUnchanged", sjis(QStringLiteral("理科のメモ\r\n")), "理科のメモ\n", "", sjis(QStringLiteral("理科のメモ\r\n"))},
        MemoFileCase{"ShiftJisEdited", sjis(QStringLiteral("理科のメモ\r\n")), "理科のメモ\n", "ok",
                     bom + QStringLiteral("理科のメモ\r\nok\r\n").toUtf8()},
        MemoFileCase{"Utf8WithoutMarkUnchanged", "メモ", "メモ", "", "メモ"},
        MemoFileCase{"Utf8WithMarkEdited", bom + "メモ\r\n", "メモ\n", "x", bom + "メモ\r\nx\r\n"},
        MemoFileCase{"DamagedUnchanged", "\x82\xFF\xE3", "\uFFFD\uFFFD", "", "\x82\xFF\xE3"},
        MemoFileCase{"NoFileMakesOne", QByteArray(), "", "", bom}),
    [](const auto &row) { return std::string(row.param.name); });

TEST_F(MemoWindowTest, KeepsItsObjectNamesAndFont)
{
    EXPECT_EQ(form.objectName(), QStringLiteral("Form12"));
    EXPECT_EQ(form.findChild<QPlainTextEdit *>(QStringLiteral("Memo1")), form.Memo1);
    EXPECT_EQ(form.Memo1->font().pixelSize(), 16);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
}

} // namespace

// Another program changes the memo file while it is shown: closing, or following another page,
// asks over the memo window; a rewrite with the same bytes is no change.
struct MemoChange {
    const char *name;
    QByteArray theirs;
    int choice;          // 0 overwrite, 1 keep both, 2 cancel
    QByteArray fileAfter;
    QByteArray besideAfter;
    bool left;           // the window closed, or follows the next page's memo
    bool follow = false; // the main window shows another page instead of closing the memo
};

class MemoChangedOnDisk : public MemoWindowTest, public ::testing::WithParamInterface<MemoChange> {};

TEST_P(MemoChangedOnDisk, CloseAsksBeforeOverwriting)
{
    const MemoChange &c = GetParam();
    testutil::writeBytes(dir.path(), QStringLiteral("m.txt"), bom + "old\r\n");
    open(QStringLiteral("m.txt"));
    form.Memo1->setPlainText(QStringLiteral("mine"));
    testutil::writeBytes(dir.path(), QStringLiteral("m.txt"), c.theirs);
    prompt.choices = {c.choice};
    if (c.follow)
        form.SyncToMemoFile(dir.filePath(QStringLiteral("next.txt")));
    else
        EXPECT_EQ(form.close(), c.left);
    EXPECT_EQ(form.Caption() != dir.filePath(QStringLiteral("m.txt")), c.follow && c.left);
    EXPECT_EQ(testutil::readBytes(dir.filePath(QStringLiteral("m.txt"))), c.fileAfter);
    EXPECT_EQ(testutil::readBytes(dir.filePath(QStringLiteral("m-2.txt"))), c.besideAfter);
    EXPECT_EQ(prompt.askers.empty(), c.theirs.startsWith(bom));  // the question, and where the copy went
    for (QWidget *asker : prompt.askers)
        EXPECT_EQ(asker, &form);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, MemoChangedOnDisk,
    ::testing::Values(MemoChange{"SameBytesAsksNothing", bom + "old\r\n", 2, bom + "mine\r\n", {}, true},
                      MemoChange{"Overwrite", "theirs", 0, bom + "mine\r\n", {}, true},
                      MemoChange{"KeepBoth", "theirs", 1, "theirs", bom + "mine\r\n", true},
                      MemoChange{"Cancel", "theirs", 2, "theirs", {}, false},
                      MemoChange{"FollowKeepBoth", "theirs", 1, "theirs", bom + "mine\r\n", true, true},
                      MemoChange{"FollowCancelStays", "theirs", 2, "theirs", {}, false, true}),
    [](const auto &row) { return std::string(row.param.name); });
