// Batches of renames killed part way: a child process renumbers a folder and is killed with
// SIGKILL after the k-th single rename; the recovery must leave every page and memo under a
// meaningful name with its content.
#include "pagefiles/pagenumbering.h"
#include "pagefiles/picturenumbering.h"
#include "pagefiles/renamejournal.h"
#include "testutil.h"

#include <QDir>
#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

constexpr int kPages = 200;

QString oldPageName(int i)
{
    return u"%1_p%2.html"_s.arg(1000 + 10 * i).arg(i, 3, 10, QLatin1Char('0'));
}

// content -> file name, for every entry of the folder (hidden ones too).
QHash<QString, QString> namesByContent(const QString &folder)
{
    QHash<QString, QString> out;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden))
        out.insert(QString::fromUtf8(testutil::readBytes(dir.filePath(name))), name);
    return out;
}

} // namespace

struct KillCase {
    const char *name;
    int killAfter;  // single renames: 400 files are each renamed twice
    bool finished;  // the batch is completed rather than undone
};

class KilledRenumberingTest : public ::testing::TestWithParam<KillCase> {};

TEST_P(KilledRenumberingTest, RecoveryLeavesEveryPageWithItsMemo)
{
    GTEST_FLAG_SET(death_test_style, "fast");  // the child must work on this test's folder
    QTemporaryDir dir;
    QStringList pages;
    for (int i = 0; i < kPages; ++i) {
        pages.append(oldPageName(i));
        testutil::writeBytes(dir.path(), pages.last(), "page " + QByteArray::number(i));
        testutil::writeBytes(dir.path(), withExtension(pages.last(), u".txt"_s), "memo " + QByteArray::number(i));
    }
    // The last page moves to the front: every file of the folder gets a new name.
    const QStringList order = movePageEntry(pages, kPages - 1, 0, true);
    const int k = GetParam().killAfter;
    EXPECT_EXIT(renumberPages(dir.path(), order, [k](int done) { if (done == k) std::raise(SIGKILL); }),
                ::testing::KilledBySignal(SIGKILL), "");

    const JournalRecovery recovery = recoverRenameJournal(dir.path());
    EXPECT_EQ(recovery.repaired, k < 2 * 2 * kPages) << recovery.message.toStdString();
    const QHash<QString, QString> names = namesByContent(dir.path());
    ASSERT_EQ(names.size(), 2 * kPages);  // nothing lost, no journal left
    for (int i = 0; i < kPages; ++i) {
        const QString page = names.value(u"page %1"_s.arg(i));
        const QString expected = GetParam().finished ? numberedPageName(order[(i + 1) % kPages], (i + 1) % kPages)
                                                     : oldPageName(i);
        ASSERT_EQ(page, expected);
        EXPECT_EQ(names.value(u"memo %1"_s.arg(i)), withExtension(page, u".txt"_s));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Disk, KilledRenumberingTest,
    ::testing::Values(KillCase{"AfterFirstRename", 1, false}, KillCase{"AfterSecondRename", 2, false},
                      KillCase{"After50", 50, false}, KillCase{"After199", 199, false},
                      KillCase{"After200", 200, false}, KillCase{"After399", 399, false},
                      KillCase{"WithEveryFileParked", 400, false}, KillCase{"AfterFirstPlacedFile", 401, true},
                      KillCase{"BeforeTheJournalIsRemoved", 800, true}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(RenameJournalRecovery, PictureRenamedBeforeItsPagesFollowsIntoThem)
{
    QTemporaryDir dir;
    // As a killed picture renaming leaves it: the journal written, the picture renamed, one
    // page rewritten and one not.
    const QString journalPath = dir.filePath(renameJournalName());
    ASSERT_TRUE(writeRenameJournal(dir.path(), {RenameJournal::Phase::Placing, {{u"my photo.jpg"_s, u"my photo.jpg"_s, u"pic0.jpg"_s}},
                                                u"my photo.jpg"_s, u"pic0.jpg"_s, {u"a.html"_s, u"sub/b.html"_s}}));
    testutil::writeBytes(dir.path(), u"pic0.jpg"_s, "jpeg");
    testutil::writeBytes(dir.path(), u"a.html"_s, "<IMG src=\"pic0.jpg\">");
    const QString b = testutil::writeBytes(dir.path(), u"sub/b.html"_s, "<IMG src=\"../my%20photo.jpg\">");
    const JournalRecovery recovery = recoverRenameJournal(dir.path());
    EXPECT_TRUE(recovery.repaired);
    EXPECT_TRUE(recovery.message.contains(dir.path())) << recovery.message.toStdString();
    EXPECT_EQ(testutil::readBytes(b), "\xEF\xBB\xBF<IMG src=\"../pic0.jpg\">");
    EXPECT_FALSE(QFileInfo::exists(journalPath));
    EXPECT_FALSE(recoverRenameJournal(dir.path()).repaired);  // told once
}

TEST(RenameJournalRecovery, AJournalLeftBehindRefusesTheNextBatch)
{
    QTemporaryDir dir;
    testutil::writeBytes(dir.path(), u"a.html"_s, "a");
    ASSERT_TRUE(writeRenameJournal(dir.path(), {}));
    const RenameBatchResult result = renumberPages(dir.path(), {u"a.html"_s});
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(renameJournalName())) << result.error.toStdString();
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(u"a.html"_s)));
}
