#include "commands/commanditems.h"

#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

struct SplitCase {
    const char *name;
    const char16_t *list;
    QStringList items;
};

class SplitCommandItems : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandItems, SplitsAtCommasAndSkipsToDollar)
{
    EXPECT_EQ(splitCommandItems(QString::fromUtf16(GetParam().list)), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Items, SplitCommandItems,
    testing::Values(
        SplitCase{"NextEmptyBack", u"NEXT,$,$BACK,", {u"NEXT"_s, u""_s, u"BACK"_s}},
        SplitCase{"ShowAgainOnly", u",", {u""_s}},
        SplitCase{"TextBetweenCommaAndDollarIsLost", u"NEXT,junk$BACK,", {u"NEXT"_s, u"BACK"_s}},
        SplitCase{"NoDollarAfterCommaKeepsRest", u"NEXT,BACK,", {u"NEXT"_s, u"BACK"_s}},
        SplitCase{"TextAfterLastCommaIsNoItem", u"NEXT", {}},
        SplitCase{"QuizWrongAnswer", u"-1,$<-1[_【×】][_【△】],$HISJS sDAT[1]=-1,",
                  {u"-1"_s, u"<-1[_【×】][_【△】]"_s, u"HISJS sDAT[1]=-1"_s}}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(CommandListOfTarget, DropsThroughFirstDollarAndAddsComma)
{
    EXPECT_EQ(commandListOfTarget(u"/$NEXT,$BACK"_s), u"NEXT,$BACK,"_s);
    EXPECT_EQ(commandListOfTarget(u"/$"_s), u","_s);
    EXPECT_EQ(commandListOfTarget(u"/book/a.wav?$x"_s), u"x,"_s);
}

TEST(CommandItemKind, DecidedByFirstCharacter)
{
    EXPECT_EQ(commandItemKind(QString()), CommandItemKind::Empty);
    EXPECT_EQ(commandItemKind(u"<2[NEXT]"_s), CommandItemKind::Condition);
    EXPECT_EQ(commandItemKind(u">0[NEXT]"_s), CommandItemKind::Condition);
    EXPECT_EQ(commandItemKind(u"+1"_s), CommandItemKind::Counter);
    EXPECT_EQ(commandItemKind(u"-1"_s), CommandItemKind::Counter);
    EXPECT_EQ(commandItemKind(u"==5"_s), CommandItemKind::Counter);
    EXPECT_EQ(commandItemKind(u"NEXT"_s), CommandItemKind::Command);
}

struct ConditionCase {
    const char *name;
    const char16_t *item;
    int counter;
    const char16_t *result;
};

class EvalCondition : public testing::TestWithParam<ConditionCase> {};

TEST_P(EvalCondition, ChoosesThenOrElse)
{
    const ConditionCase &c = GetParam();
    EXPECT_EQ(evalCondition(QString::fromUtf16(c.item), c.counter), QString::fromUtf16(c.result));
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, EvalCondition,
    testing::Values(
        ConditionCase{"LessWithoutClosingBracketRunsThen", u"<2[NEXT", 0, u"NEXT"},
        ConditionCase{"LessNotHoldingRunsNothing", u"<2[NEXT", 2, u""},
        ConditionCase{"GreaterNotHoldingRunsElse", u">0[NEXT][BACK]", 0, u"BACK"},
        ConditionCase{"GreaterHoldingRunsThen", u">0[NEXT][BACK]", 1, u"NEXT"},
        ConditionCase{"QuizFirstWrongAnswerTriesAgain", u"<-1[_【×】][_【△】]", -1, u"_【△】"},
        ConditionCase{"QuizSecondWrongAnswerGoesBack", u"<-1[_【×】][_【△】]", -2, u"_【×】"},
        ConditionCase{"NonIntegerComparesWithZero", u"<x[NEXT][BACK]", -1, u"NEXT"},
        ConditionCase{"NoBracketAtAllComparesWithZero", u"<5", -1, u""},
        ConditionCase{"ThenMayHoldACounterItem", u">1[+5]", 3, u"+5"}),
    [](const auto &row) { return std::string(row.param.name); });

struct CounterCase {
    const char *name;
    const char16_t *item;
    int before;
    std::optional<int> after;
};

class ChangedPageCounter : public testing::TestWithParam<CounterCase> {};

TEST_P(ChangedPageCounter, AppliesItem)
{
    const CounterCase &c = GetParam();
    EXPECT_EQ(changedPageCounter(QString::fromUtf16(c.item), c.before), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Counters, ChangedPageCounter,
    testing::Values(CounterCase{"PlusAdds", u"+3", 2, 5},
                    CounterCase{"MinusSubtracts", u"-1", 0, -1},
                    CounterCase{"MinusOfNegativeAdds", u"--2", 1, 3},
                    CounterCase{"EqualsSets", u"=5", 9, 5},
                    CounterCase{"DoubleEqualsSets", u"==5", 9, 5},
                    CounterCase{"EqualsNegative", u"=-4", 0, -4},
                    CounterCase{"NonIntegerFails", u"+x", 0, std::nullopt},
                    CounterCase{"DecimalFails", u"+1.5", 0, std::nullopt},
                    CounterCase{"BareSignFails", u"+", 0, std::nullopt},
                    CounterCase{"BareEqualsFails", u"==", 0, std::nullopt},
                    CounterCase{"TooLargeFails", u"+2147483648", 0, std::nullopt},
                    CounterCase{"WrapsLikeA32BitRegister", u"+1", 2147483647, -2147483647 - 1}),
    [](const auto &row) { return std::string(row.param.name); });

} // namespace
