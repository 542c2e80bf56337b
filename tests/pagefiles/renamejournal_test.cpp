// Batches of renames killed part way: a child process renumbers a folder and is killed with
// SIGKILL after the k-th single rename; the recovery must leave every page and memo under a
// meaningful name with its content.
#include "pagefiles/pagenumbering.h"
#include "pagefiles/picturenumbering.h"
#include "pagefiles/renamejournal.h"
#include "pagefiles/renamelock.h"
#include "testutil.h"

#include <QDir>
#include <QHash>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

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

    const JournalRecovery recovery = recoverRenameJournal(dir.path(), dir.path());
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
    const JournalRecovery recovery = recoverRenameJournal(dir.path(), dir.path());
    EXPECT_TRUE(recovery.repaired);
    EXPECT_TRUE(recovery.message.contains(dir.path())) << recovery.message.toStdString();
    EXPECT_EQ(testutil::readBytes(b), "\xEF\xBB\xBF<IMG src=\"../pic0.jpg\">");
    EXPECT_FALSE(QFileInfo::exists(journalPath));
    EXPECT_FALSE(recoverRenameJournal(dir.path(), dir.path()).repaired);  // told once
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

struct HostileCase {
    const char *name;
    RenameJournal journal;  // "@OUT@" stands for the folder beside the book
    QByteArray raw;         // written as it stands instead when set; "@LINK@": a link to a file outside
    QString found;          // what the message must say; "" when the journal is obeyed
    QString parkedTo = {};  // where the parked file ends; "" when it stays parked
};

class HostileJournalTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileJournalTest, NothingOutsideChangesAndTheFolderWorksAgain)
{
    const HostileCase &c = GetParam();
    QTemporaryDir dir;
    const QString book = dir.filePath(u"book"_s), out = dir.filePath(u"outside"_s);
    const QString secret = testutil::writeBytes(out, u"secret.txt"_s, "key");
    const QString outPage = testutil::writeBytes(out, u"page.html"_s, "<IMG src=\"a.png\">");
    for (const char *name : {"a.html", "a.png", ".sorvek-rename-0-0"})
        testutil::writeBytes(book, QString::fromLatin1(name), name);
    const auto place = [&](QString s) { return s.replace(u"@OUT@"_s, out); };
    RenameJournal journal = c.journal;
    for (JournalRename &r : journal.renames)
        r = {place(r.from), place(r.temp), place(r.to)};
    for (QString &page : journal.pages)
        page = place(page);
    const QString path = QDir(book).filePath(renameJournalName());
    if (c.raw == "@LINK@")
        QFile::link(secret, path);
    else if (!c.raw.isEmpty())
        testutil::writeBytes(book, renameJournalName(), c.raw);
    else
        ASSERT_TRUE(writeRenameJournal(book, journal));

    const JournalRecovery recovery = recoverRenameJournals(book);
    EXPECT_TRUE(recovery.message.contains(c.found)) << recovery.message.toStdString();
    EXPECT_EQ(recovery.message.contains(u"何も変更していません"_s), !c.found.isEmpty());
    EXPECT_EQ(QDir(out).entryList(QDir::Files), (QStringList{u"page.html"_s, u"secret.txt"_s}));
    EXPECT_EQ(testutil::readBytes(secret), "key");
    EXPECT_EQ(testutil::readBytes(outPage), "<IMG src=\"a.png\">");
    EXPECT_EQ(testutil::readBytes(QDir(book).filePath(u"a.html"_s)), "a.html");
    EXPECT_EQ(testutil::readBytes(QDir(book).filePath(c.parkedTo.isEmpty() ? u".sorvek-rename-0-0"_s : c.parkedTo)), ".sorvek-rename-0-0");
    EXPECT_FALSE(QFileInfo(path).exists() || QFileInfo(path).isSymLink());
    EXPECT_EQ(QFileInfo::exists(path + u".rejected"_s) || QFileInfo(path + u".rejected"_s).isSymLink(), !c.found.isEmpty());
    EXPECT_TRUE(recoverRenameJournals(book).message.isEmpty());  // told once
    const RenameBatchResult renumbered = renumberPages(book, {u"a.html"_s});
    EXPECT_TRUE(renumbered.ok) << renumbered.error.toStdString();
}

using Ph = RenameJournal::Phase;
INSTANTIATE_TEST_SUITE_P(
    Disk, HostileJournalTest,
    ::testing::Values(
        HostileCase{"AbsoluteTemporaryName", {Ph::Placing, {{u"x.txt"_s, u"@OUT@/secret.txt"_s, u"stolen.txt"_s}}, {}, {}, {}}, {}, u"ファイル名ではない名前"_s},
        HostileCase{"DotDotName", {Ph::Parking, {{u"../outside/secret.txt"_s, u".sorvek-rename-0-0"_s, u"b.html"_s}}, {}, {}, {}}, {}, u"ファイル名ではない名前"_s},
        HostileCase{"ForeignTemporaryName", {Ph::Placing, {{u"b.html"_s, u"a.png"_s, u"b.png"_s}}, {}, {}, {}}, {}, u"一時的な名前"_s},
        HostileCase{"PageOutsideTheFolder", {Ph::Placing, {{u"a.png"_s, u"a.png"_s, u"b.png"_s}}, u"a.png"_s, u"b.png"_s, {u"../outside/page.html"_s}}, {}, u"ブックのページではない"_s},
        HostileCase{"AbsolutePage", {Ph::Placing, {{u"a.png"_s, u"a.png"_s, u"b.png"_s}}, u"a.png"_s, u"b.png"_s, {u"@OUT@/page.html"_s}}, {}, u"ブックのページではない"_s},
        HostileCase{"PictureUnderNeitherName", {Ph::Placing, {{u"c.png"_s, u"c.png"_s, u"d.png"_s}}, u"c.png"_s, u"d.png"_s, {u"a.html"_s}}, {}, u"合いません"_s},
        HostileCase{"Damaged", {}, "sorvek-rename-journal 2\r\nplacing\r\nR\tx\r\n", u"壊れています"_s},
        HostileCase{"JournalIsALink", {}, "@LINK@", u"普通のファイルではありません"_s},
        HostileCase{"EarlierVersionsBatchIsFinished", {}, "sorvek-rename-journal 1\r\nplacing\r\nR\tb.html\t.sorvek-rename-0-0\tb.html\r\n", {}, u"b.html"_s},
        HostileCase{"EarlierVersionsPicturePagesAreNotRead", {}, "sorvek-rename-journal 1\r\nplacing\r\nR\ta.png\ta.png\tb.png\r\nO\ta.png\r\nN\tb.png\r\nP\ta.html\r\n", u"壊れています"_s},
        HostileCase{"StaleStepsNeverRenameOntoAPage", {Ph::Placing, {{u"a.html"_s, u".sorvek-rename-0-0"_s, u"a.png"_s}}, {}, {}, {}}, {}, {}, u"a1.html"_s}),
    [](const auto &row) { return std::string(row.param.name); });

// The book-wide walk reaches nested and hidden folders and never leaves the book through a link.
TEST(RenameJournalRecovery, TheBookWalkFindsEveryFolderButNoLinkedOne)
{
    QTemporaryDir root;
    const QString book = root.filePath(u"book"_s);
    const QString outside = root.filePath(u"outside"_s);
    const QStringList inside{book + u"/sub/deep"_s, book + u"/.hidden"_s, book};
    for (const QString &folder : inside + QStringList{outside})
        testutil::writeBytes(folder, renameJournalName(), "damaged");
    QFile::link(outside, book + u"/linked"_s);
    for (int i = 0; i < 50; ++i)
        testutil::writeBytes(book + u"/sub"_s, u"%1.html"_s.arg(i), "page");
    const JournalRecovery recovery = recoverRenameJournals(book);
    for (const QString &folder : inside)
        EXPECT_TRUE(QFileInfo::exists(folder + u"/"_s + renameJournalName() + u".rejected"_s)) << folder.toStdString();
    EXPECT_TRUE(QFileInfo::exists(outside + u"/"_s + renameJournalName())) << "left alone outside the book";
    EXPECT_EQ(recovery.message.count(u"壊れています"_s), inside.size()) << recovery.message.toStdString();
}

TEST(RenameJournalRecovery, ARecoveryInAnotherProcessNeverActsDuringABatch)
{
    QTemporaryDir dir;
    QStringList pages;
    for (int i = 0; i < 3000; ++i) {
        pages.append(u"p%1.html"_s.arg(i, 4, 10, QLatin1Char('0')));
        testutil::writeBytes(dir.path(), pages.last(), QByteArray::number(i));
        testutil::writeBytes(dir.path(), withExtension(pages.last(), u".txt"_s), QByteArray::number(i));
    }
    const QString stop = dir.filePath(u"_stop"_s);
    const pid_t child = fork();
    if (child == 0) {  // another window, looking at the folder again and again
        int acted = 0;
        while (!QFileInfo::exists(stop))
            acted += recoverRenameJournal(dir.path(), dir.path()).repaired ? 1 : 0;
        _exit(acted);
    }
    const RenameBatchResult result = renumberPages(dir.path(), movePageEntry(pages, 2999, 0, true));
    testutil::writeBytes(dir.path(), u"_stop"_s, {});
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(QDir(dir.path()).entryList({u"*.txt"_s}).size(), 3000);
    for (const QString &page : QDir(dir.path()).entryList({u"*.html"_s}))
        EXPECT_EQ(testutil::readBytes(dir.filePath(withExtension(page, u".txt"_s))), testutil::readBytes(dir.filePath(page)));
}

TEST(RenameJournalRecovery, ABatchInAFolderAnotherWindowHoldsIsRefusedWithWords)
{
    QTemporaryDir dir;
    testutil::writeBytes(dir.path(), u"1000_a.html"_s, "a");
    const pid_t child = fork();
    if (child == 0) {
        const FolderRenameLock held(dir.path(), 0);
        usleep(3000000);
        _exit(held.held() ? 0 : 1);
    }
    while (!QFileInfo::exists(dir.filePath(FolderRenameLock::fileName())))
        usleep(1000);
    const RenameBatchResult result = stripPageNumbers(dir.path(), {u"1000_a.html"_s});
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(result.error.contains(u"別のウィンドウで使用中です"_s)) << result.error.toStdString();
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(u"1000_a.html"_s)));
    EXPECT_TRUE(stripPageNumbers(dir.path(), {u"1000_a.html"_s}).ok);  // a lock left by a killed window is taken over
}

TEST(RenameJournalRecovery, APageLeftOnAFullDiskKeepsTheJournalUntilThereIsRoom)
{
    QTemporaryDir dir;
    testutil::NoRoom room(dir.filePath(u"sub"_s));
    testutil::writeBytes(dir.path(), u"pic0.png"_s, "png");
    const QString page = testutil::writeBytes(dir.path(), u"sub/a.html"_s, "<IMG src=\"../my.png\">");
    ASSERT_TRUE(writeRenameJournal(dir.path(), {Ph::Placing, {{u"my.png"_s, u"my.png"_s, u"pic0.png"_s}}, u"my.png"_s, u"pic0.png"_s, {u"sub/a.html"_s}}));
    room.fill();
    const JournalRecovery full = recoverRenameJournal(dir.path(), dir.path());
    room.release();
    EXPECT_FALSE(full.message.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(renameJournalName())));
    EXPECT_EQ(testutil::readBytes(page), "<IMG src=\"../my.png\">");
    EXPECT_TRUE(recoverRenameJournal(dir.path(), dir.path()).repaired);
    EXPECT_EQ(testutil::readBytes(page), "\xEF\xBB\xBF<IMG src=\"../pic0.png\">");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(renameJournalName())));
}
