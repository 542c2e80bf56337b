// Page order by file names: number prefixes, moving a page, stripping the prefixes again, on
// real folders. Every file holds its original name, so a test sees which file went where.
#include "book/pagelisting.h"
#include "pagefiles/pagenumbering.h"
#include "testutil.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

void makeFiles(const QString &folder, const QStringList &names)
{
    for (const QString &name : names) {
        if (name.endsWith(QLatin1Char('/')))
            QDir(folder).mkpath(name);
        else
            testutil::writeBytes(folder, name, name.toUtf8());
    }
}

// "new name<-old name" for every entry of the folder, hidden ones too, in name order.
QStringList folderState(const QString &folder)
{
    QStringList state;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString path = dir.filePath(name);
        state.append(QFileInfo(path).isDir() ? name + u"/"_s : name + u"<-"_s + QString::fromUtf8(testutil::readBytes(path)));
    }
    return state;
}

} // namespace

struct NameCase {
    const char *name;
    QString page;
    int position;
    QString numbered;
    int pageCount = 2;
};

class NumberedNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(NumberedNameTest, PrefixIsThousandPlusTenTimesPosition)
{
    EXPECT_EQ(numberedPageName(GetParam().page, GetParam().position, numberWidth(GetParam().pageCount)),
              GetParam().numbered);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, NumberedNameTest,
    ::testing::Values(NameCase{"FirstPositionGives1000", u"a.html"_s, 0, u"1000_a.html"_s},
                      NameCase{"OldPrefixReplaced", u"1030_c.html"_s, 1, u"1010_c.html"_s},
                      NameCase{"PartThroughFirstUnderscoreGoes", u"my_page.html"_s, 1, u"1010_page.html"_s},
                      NameCase{"LeadingUnderscoreIsNoPrefix", u"_x.html"_s, 2, u"1020__x.html"_s},
                      NameCase{"JapaneseName", u"1000_表紙.html"_s, 12, u"1120_表紙.html"_s},
                      NameCase{"NineHundredPagesKeepFourDigits", u"a.html"_s, 899, u"9990_a.html"_s, 900},
                      NameCase{"MorePagesWidenEveryNumber", u"9990_a.html"_s, 0, u"01000_a.html"_s, 901},
                      NameCase{"WidePrefixReplaced", u"01000_a.html"_s, 900, u"10000_a.html"_s, 901}),
    [](const auto &row) { return std::string(row.param.name); });

struct MoveCase {
    const char *name;
    int from;
    int to;
    QStringList expected;
};

class MovePageEntryTest : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MovePageEntryTest, MovesOnlyWhatItMay)
{
    const QStringList pages{u"index.html"_s, u"a.html"_s, u"b.html"_s, u"c.html"_s};
    EXPECT_EQ(movePageEntry(pages, GetParam().from, GetParam().to), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, MovePageEntryTest,
    ::testing::Values(
        MoveCase{"ThirdToFirst", 3, 1, {u"index.html"_s, u"c.html"_s, u"a.html"_s, u"b.html"_s}},
        MoveCase{"FirstToLast", 1, 3, {u"index.html"_s, u"b.html"_s, u"c.html"_s, u"a.html"_s}},
        MoveCase{"FromZeroMovesNothing", 0, 2, {u"index.html"_s, u"a.html"_s, u"b.html"_s, u"c.html"_s}},
        MoveCase{"TargetBeyondListIsLast", 1, 9, {u"index.html"_s, u"b.html"_s, u"c.html"_s, u"a.html"_s}},
        MoveCase{"SourceBeyondListMovesNothing", 7, 1, {u"index.html"_s, u"a.html"_s, u"b.html"_s, u"c.html"_s}}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(PositionFromDialog, OneBasedTextKeptInsideTheLevel)
{
    EXPECT_EQ(positionFromDialog(u"4"_s, 12), 3);
    EXPECT_EQ(positionFromDialog(u"12"_s, 12), 11);
    EXPECT_EQ(positionFromDialog(u"99"_s, 12), 11);
    EXPECT_EQ(positionFromDialog(u"0"_s, 12), 0);
    EXPECT_EQ(positionFromDialog(u"x"_s, 12), std::nullopt);
}

struct RenumberCase {
    const char *name;
    QStringList files;  // a trailing "/" makes a folder
    QStringList pages;  // the page list after the move
    QStringList after;  // folderState afterwards
};

class RenumberTest : public ::testing::TestWithParam<RenumberCase> {};

TEST_P(RenumberTest, RenamesPagesAndCompanions)
{
    const RenumberCase &c = GetParam();
    QTemporaryDir dir;
    makeFiles(dir.path(), c.files);
    const RenameBatchResult result = renumberPages(dir.path(), c.pages);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(folderState(dir.path()), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Disk, RenumberTest,
    ::testing::Values(
        RenumberCase{"ThirdPageMovedToFirstTakesItsCompanions",
                     {u"index.html"_s, u"1010_a.html"_s, u"1010_a.txt"_s, u"1010_a.wav"_s, u"1020_b.html"_s,
                      u"1020_b.txt"_s, u"1030_c.html"_s, u"1030_c.wav"_s},
                     {u"index.html"_s, u"1030_c.html"_s, u"1010_a.html"_s, u"1020_b.html"_s},
                     {u"1010_c.html<-1030_c.html"_s, u"1010_c.wav<-1030_c.wav"_s, u"1020_a.html<-1010_a.html"_s,
                      u"1020_a.txt<-1010_a.txt"_s, u"1020_a.wav<-1010_a.wav"_s, u"1030_b.html<-1020_b.html"_s,
                      u"1030_b.txt<-1020_b.txt"_s, u"index.html<-index.html"_s}},
        RenumberCase{"SameNamesSwapThroughTemporaryNames",
                     {u"index.html"_s, u"1010_x.html"_s, u"1020_x.html"_s, u"1020_x.txt"_s},
                     {u"index.html"_s, u"1020_x.html"_s, u"1010_x.html"_s},
                     {u"1010_x.html<-1020_x.html"_s, u"1010_x.txt<-1020_x.txt"_s, u"1020_x.html<-1010_x.html"_s,
                      u"index.html<-index.html"_s}},
        RenumberCase{"IndexInExactCaseKeepsItsName",
                     {u"index.html"_s, u"Index.html"_s, u"myindex.html"_s},
                     {u"index.html"_s, u"Index.html"_s, u"myindex.html"_s},
                     {u"1010_Index.html<-Index.html"_s, u"index.html<-index.html"_s, u"myindex.html<-myindex.html"_s}},
        RenumberCase{"TakenTargetSkipsPageAndItsCompanions",
                     {u"index.html"_s, u"b.html"_s, u"b.txt"_s, u"1010_b.html/"_s},
                     {u"index.html"_s, u"b.html"_s},
                     {u"1010_b.html/"_s, u"b.html<-b.html"_s, u"b.txt<-b.txt"_s, u"index.html<-index.html"_s}},
        RenumberCase{"EntryWithFolderPartStaysInItsFolder",
                     {u"a.html"_s, u"sub/"_s},
                     {u"a.html"_s, u"sub/b.html"_s},
                     {u"1000_a.html<-a.html"_s, u"sub/"_s}},
        RenumberCase{"MissingPageIsPassedOver",
                     {u"b.html"_s},
                     {u"gone.html"_s, u"b.html"_s},
                     {u"1010_b.html<-b.html"_s}}),
    [](const auto &row) { return std::string(row.param.name); });

struct StripCase {
    const char *name;
    QStringList files;
    QStringList pages;
    QStringList after;
};

class StripNumbersTest : public ::testing::TestWithParam<StripCase> {};

TEST_P(StripNumbersTest, TakesPrefixesOff)
{
    const StripCase &c = GetParam();
    QTemporaryDir dir;
    makeFiles(dir.path(), c.files);
    const RenameBatchResult result = stripPageNumbers(dir.path(), c.pages);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(folderState(dir.path()), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Disk, StripNumbersTest,
    ::testing::Values(
        StripCase{"TakenNamesGetRunningNumbersAppended",
                  {u"1000_a.html"_s, u"1010_a.html"_s, u"1020_a.html"_s},
                  {u"1000_a.html"_s, u"1010_a.html"_s, u"1020_a.html"_s},
                  {u"a.html<-1000_a.html"_s, u"a1.html<-1010_a.html"_s, u"a12.html<-1020_a.html"_s}},
        StripCase{"CompanionsFollowTheirPage",
                  {u"1000_a.html"_s, u"1000_a.txt"_s, u"1010_a.html"_s, u"1010_a.wav"_s},
                  {u"1000_a.html"_s, u"1010_a.html"_s},
                  {u"a.html<-1000_a.html"_s, u"a.txt<-1000_a.txt"_s, u"a1.html<-1010_a.html"_s, u"a1.wav<-1010_a.wav"_s}},
        StripCase{"NamesWithoutPrefixAndIndexStay",
                  {u"index.html"_s, u"plain.html"_s, u"_x.html"_s},
                  {u"index.html"_s, u"plain.html"_s, u"_x.html"_s},
                  {u"_x.html<-_x.html"_s, u"index.html<-index.html"_s, u"plain.html<-plain.html"_s}},
        StripCase{"EmptyHiddenOrUnlistedNamesKeepTheirNumber",
                  {u"1030_.html"_s, u"1040_.txt.html"_s, u"1050__x.html"_s},
                  {u"1030_.html"_s, u"1040_.txt.html"_s, u"1050__x.html"_s},
                  {u"1030_.html<-1030_.html"_s, u"1040_.txt.html<-1040_.txt.html"_s, u"1050__x.html<-1050__x.html"_s}},
        StripCase{"StrippedNameFreedByAnEarlierPage",
                  {u"1000_1010_b.html"_s, u"1010_b.html"_s},
                  {u"1010_b.html"_s, u"1000_1010_b.html"_s},
                  {u"1010_b.html<-1000_1010_b.html"_s, u"b.html<-1010_b.html"_s}}),
    [](const auto &row) { return std::string(row.param.name); });

struct CollisionCase {
    const char *name;
    QStringList files;
    bool strip;  // strip the numbers, else number the pages in this order
    QStringList pages;
    QStringList named;  // what the message must name
};

class CompanionCollisionTest : public ::testing::TestWithParam<CollisionCase> {};

TEST_P(CompanionCollisionTest, StopsTheWholeBatchAndNamesTheFiles)
{
    const CollisionCase &c = GetParam();
    QTemporaryDir dir;
    makeFiles(dir.path(), c.files);
    const QStringList before = folderState(dir.path());
    const RenameBatchResult result = c.strip ? stripPageNumbers(dir.path(), c.pages) : renumberPages(dir.path(), c.pages);
    EXPECT_FALSE(result.ok);
    for (const QString &name : c.named)
        EXPECT_TRUE(result.error.contains(name)) << result.error.toStdString();
    EXPECT_EQ(folderState(dir.path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Disk, CompanionCollisionTest,
    ::testing::Values(
        CollisionCase{"StrayMemoUnderTheStrippedName",
                      {u"1000_a.html"_s, u"1010_まとめ.html"_s, u"1010_まとめ.txt"_s, u"まとめ.txt"_s},
                      true, {u"1000_a.html"_s, u"1010_まとめ.html"_s},
                      {u"1010_まとめ.txt → まとめ.txt"_s}},
        CollisionCase{"StraySoundUnderTheNumberedName",
                      {u"a.html"_s, u"b.html"_s, u"b.wav"_s, u"1010_b.wav"_s},
                      false, {u"a.html"_s, u"b.html"_s},
                      {u"b.wav → 1010_b.wav"_s}},
        CollisionCase{"StrayFilesUnderTheStrippedNameOfAPageWithoutThem",
                      {u"1060_b.html"_s, u"b.txt"_s, u"b.wav"_s}, true, {u"1060_b.html"_s},
                      {u"b.txt (1060_b.html"_s, u"b.wav (1060_b.html"_s}},
        CollisionCase{"OldMemoUnderTheNumberedNameOfAPageWithoutOne",
                      {u"a.html"_s, u"p2.html"_s, u"1010_p2.txt"_s}, false, {u"a.html"_s, u"p2.html"_s},
                      {u"1010_p2.txt (p2.html"_s}},
        CollisionCase{"NumberedNameTooLongNamesItsPage",
                      {u"a.html"_s, QString(248, u'x') + u".html"_s}, false, {u"a.html"_s, QString(248, u'x') + u".html"_s},
                      {QString(248, u'x') + u".html → 1010_"_s, u"短くして"_s}}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(Renumber, OrderHoldsPastNineHundredPages)
{
    QTemporaryDir dir;
    QStringList pages;
    for (int i = 0; i < 905; ++i)
        pages.append(u"p%1.html"_s.arg(904 - i, 3, 10, QLatin1Char('0')));  // name order is the reverse of page order
    makeFiles(dir.path(), pages);
    ASSERT_TRUE(renumberPages(dir.path(), pages).ok);
    const QStringList listed = orderPageNames(listPageFiles(dir.path()).value());
    QStringList stems;
    for (const QString &name : listed)
        stems.append(*withoutNumberPrefix(name));
    EXPECT_EQ(stems, pages);
    EXPECT_EQ(listed.first(), u"01000_p904.html"_s);
}

TEST(ApplyRenames, FailureGivesEveryFileItsOldName)
{
    QTemporaryDir dir;
    makeFiles(dir.path(), {u"a.html"_s, u"c.html"_s, u"d.html"_s});
    // d.html appeared after planning: the second rename fails and the first is undone.
    const RenameBatchResult result = applyRenames(dir.path(), {{u"a.html"_s, u"b.html"_s}, {u"c.html"_s, u"d.html"_s}});
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(u"c.html"_s)) << result.error.toStdString();
    EXPECT_TRUE(result.error.contains(u"元のまま"_s));
    EXPECT_EQ(folderState(dir.path()), (QStringList{u"a.html<-a.html"_s, u"c.html<-c.html"_s, u"d.html<-d.html"_s}));
}

TEST(ApplyRenames, UnwritableFolderChangesNothing)
{
    QTemporaryDir dir;
    makeFiles(dir.path(), {u"1000_a.html"_s, u"1010_b.html"_s});
    if (!testutil::makeFolderReadOnly(dir.path()))
        GTEST_SKIP() << "cannot make a folder read-only here";
    const RenameBatchResult result = stripPageNumbers(dir.path(), {u"1000_a.html"_s, u"1010_b.html"_s});
    testutil::restoreFolder(dir.path());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(folderState(dir.path()), (QStringList{u"1000_a.html<-1000_a.html"_s, u"1010_b.html<-1010_b.html"_s}));
}

TEST(MovePageAndRenumber, FirstPageStaysAndTheAskedPositionBecomesCurrent)
{
    QTemporaryDir dir;
    makeFiles(dir.path(), {u"a.html"_s, u"b.html"_s, u"c.html"_s});
    const PageMoveResult moved = movePageAndRenumber(dir.path(), {u"a.html"_s, u"b.html"_s, u"c.html"_s}, 0, 2);
    EXPECT_TRUE(moved.renames.ok);
    EXPECT_EQ(moved.position, 2);
    EXPECT_EQ(folderState(dir.path()),
              (QStringList{u"1000_a.html<-a.html"_s, u"1010_b.html<-b.html"_s, u"1020_c.html<-c.html"_s}));
}

TEST(MovePageAndRenumber, PositionBeyondTheLevelIsItsLastPage)
{
    QTemporaryDir dir;
    makeFiles(dir.path(), {u"index.html"_s, u"a.html"_s, u"b.html"_s});
    const PageMoveResult moved = movePageAndRenumber(dir.path(), {u"index.html"_s, u"a.html"_s, u"b.html"_s}, 1, 5);
    EXPECT_EQ(moved.position, 2);
    EXPECT_EQ(folderState(dir.path()),
              (QStringList{u"1010_b.html<-b.html"_s, u"1020_a.html<-a.html"_s, u"index.html<-index.html"_s}));
}
