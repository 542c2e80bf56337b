// The order of the title index: CompareText, the title-length key, and the sort that keeps the
// walk's order among equal keys.
#include "tools/titlesort.h"

#include <QRandomGenerator>
#include <functional>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

struct CompareCase {
    const char *name;
    QString a;
    QString b;
    int sign;
};

class CompareTexts : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CompareTexts, AsciiCaseIgnoredOtherwiseCodeUnits)
{
    const int c = compareText(GetParam().a, GetParam().b);
    EXPECT_EQ((c > 0) - (c < 0), GetParam().sign);
}

INSTANTIATE_TEST_SUITE_P(
    Sort, CompareTexts,
    ::testing::Values(CompareCase{"AsciiCase", u"apple"_s, u"APPLE"_s, 0},
                      CompareCase{"Letters", u"a"_s, u"B"_s, -1},
                      CompareCase{"PrefixFirst", u"ab"_s, u"abc"_s, -1},
                      CompareCase{"UnderscoreAfterLetters", u"_"_s, u"z"_s, 1}, // "z" counts as "Z", below "_"
                      CompareCase{"FullWidthKeepsCase", u"ａ"_s, u"Ａ"_s, 1},
                      CompareCase{"KanaByCodeUnit", u"あ"_s, u"ア"_s, -1},
                      CompareCase{"Empty", QString(), u"x"_s, -1}),
    [](const auto &row) { return std::string(row.param.name); });

struct KeyCase {
    const char *name;
    QString title;
    qsizetype key;
};

class LengthKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(LengthKeys, SecondLineWithoutHint)
{
    EXPECT_EQ(titleLengthKey(GetParam().title), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(
    Sort, LengthKeys,
    ::testing::Values(KeyCase{"SecondLine", u"ab#c"_s, 1},
                      KeyCase{"HintCut", u"x#yy?zzzz"_s, 2},
                      KeyCase{"NoHashCountsWhole", u"abcd"_s, 4},
                      KeyCase{"NoHashHintCounts", u"ab?cd"_s, 5},
                      KeyCase{"HintBeforeHashIgnored", u"a?b#cd"_s, 2},
                      KeyCase{"EmptySecondLine", u"abc#"_s, 0}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(SortTitleList, ByTitleLengthShortestFirst)
{
    TitleList list;
    list.append(u"3.html"_s, u"abcd"_s);
    list.append(u"1.html"_s, u"ab#c"_s);
    list.append(u"2.html"_s, u"x#yy?zzzz"_s);
    sortTitleList(list, SearchMode::TitleLength);
    EXPECT_EQ(list.paths, (QStringList{u"1.html"_s, u"2.html"_s, u"3.html"_s}));
    EXPECT_EQ(list.titles, (QStringList{u"ab#c"_s, u"x#yy?zzzz"_s, u"abcd"_s}));
}

TEST(SortTitleList, ByTitleWithPathsInStep)
{
    TitleList list;
    list.append(u"c"_s, u"Cherry"_s);
    list.append(u"a"_s, u"apple"_s);
    list.append(u"b"_s, u"Banana"_s);
    sortTitleList(list, SearchMode::BodyText);
    EXPECT_EQ(list.paths, (QStringList{u"a"_s, u"b"_s, u"c"_s}));
}

// Both orders on many generated indexes: ascending by the key, equal keys in the walk's order
// (an insertion sort on the entries' keys is the plain statement of that).
TEST(SortTitleList, AscendingWithEqualKeysInWalkOrder)
{
    QRandomGenerator random(99);
    const QStringList pieces = {u"a"_s, u"B"_s, u"b"_s, u"#"_s, u"?"_s, u"葉"_s};
    for (int round = 0; round < 600; ++round) {
        const SearchMode mode = round % 2 ? SearchMode::TitleLength : SearchMode::BodyText;
        const auto less = [mode](const QString &x, const QString &y) {
            return mode == SearchMode::TitleLength ? titleLengthKey(x) < titleLengthKey(y) : compareText(x, y) < 0;
        };
        TitleList list, expected;
        const int n = random.bounded(0, 40);
        for (int k = 0; k < n; ++k) {
            QString title;
            for (int c = random.bounded(0, 5); c > 0; --c)
                title += pieces.at(random.bounded(int(pieces.size())));
            list.append(QString::number(k), title);
            qsizetype at = expected.size();
            while (at > 0 && less(title, expected.titles.at(at - 1)))
                --at;
            expected.paths.insert(at, QString::number(k));
            expected.titles.insert(at, title);
        }
        sortTitleList(list, mode);
        ASSERT_EQ(list, expected) << "round " << round;
    }
}

} // namespace
