#include "authoring/answerfields.h"
#include "authoring/pageformat.h"
#include "authoring/quizpage.h"

#include <gtest/gtest.h>

using namespace sorvek;

namespace {

const AnswerMarks kMarks;

QString page(const QString &body)
{
    return pageformat::buildPageHead(QStringLiteral("t"), QString()) + body + QStringLiteral("\r</BODY>\r</HTML>");
}

QString blanks(int n)
{
    return QString(n, QChar(u'\u3000'));
}

QString quizOf(const QString &body)
{
    return makeQuizPage(page(body), kMarks).page;
}

} // namespace

struct PlainCase {
    const char *name;
    AnswerFieldMode mode;
    QString text;
    QString converted;
};

class PlainFields : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainFields, FieldsOfAPlainText)
{
    EXPECT_EQ(convertAnswerFields(GetParam().text, GetParam().mode, kMarks), GetParam().converted);
}

using M = AnswerFieldMode;
INSTANTIATE_TEST_SUITE_P(
    Modes, PlainFields,
    ::testing::Values(
        PlainCase{"blanks_for_first_answer_plus_two", M::QuestionSheet, QStringLiteral("(apple|apple/pear)"),
                  u'(' + blanks(7) + u')'},
        PlainCase{"answer_sheet_shows_first_answer", M::AnswerSheet, QStringLiteral("(apple|apple/pear)"),
                  QStringLiteral("(apple)")},
        PlainCase{"first_alternative", M::AnswerSheet, QStringLiteral("(東京/とうきょう)"), QStringLiteral("(東京)")},
        PlainCase{"blanks_for_japanese", M::QuestionSheet, QStringLiteral("都は(東京/とうきょう)。"),
                  QStringLiteral("都は(") + blanks(4) + QStringLiteral(")。")},
        PlainCase{"empty_field", M::QuestionSheet, QStringLiteral("()"), u'(' + blanks(2) + u')'},
        PlainCase{"several_fields", M::AnswerSheet, QStringLiteral("(a/b)と(c|c/d)と(e)"),
                  QStringLiteral("(a)と(c)と(e)")},
        PlainCase{"open_without_close_gets_empty_pair", M::AnswerSheet, QStringLiteral("x(abc"),
                  QStringLiteral("x()abc")},
        PlainCase{"open_without_close_question_sheet", M::QuestionSheet, QStringLiteral("x(abc"),
                  QStringLiteral("x(") + blanks(2) + QStringLiteral(")abc")},
        PlainCase{"close_without_open_stays", M::AnswerSheet, QStringLiteral("a)b"), QStringLiteral("a)b")},
        PlainCase{"nested_takes_up_to_first_close", M::AnswerSheet, QStringLiteral("((a)b)"),
                  QStringLiteral("((a)b)")},
        PlainCase{"notation_mode_leaves_fields", M::SourceNotation, QStringLiteral("(b|a/b/c)(x)"),
                  QStringLiteral("(b|a/b/c)(x)")},
        PlainCase{"no_fields", M::QuestionSheet, QStringLiteral("本文"), QStringLiteral("本文")}),
    [](const auto &row) { return std::string(row.param.name); });

// Author's page -> quiz page -> notation gives the author's page back.
struct RoundTripCase {
    const char *name;
    QString body;
};

class QuizRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(QuizRoundTrip, NotationComesBack)
{
    const QString source = page(GetParam().body);
    const QString quiz = makeQuizPage(source, kMarks).page;
    ASSERT_TRUE(quiz.contains(pageformat::kGeneratedBegin));
    EXPECT_EQ(convertAnswerFields(quiz, M::SourceNotation, kMarks), source);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, QuizRoundTrip,
    ::testing::Values(
        RoundTripCase{"drop_down_and_text_box", QStringLiteral("<P>(b|a/b/c)と(apple/orange)</P>")},
        RoundTripCase{"answer_with_alternatives", QStringLiteral("(a/b|a/b/c)")},
        RoundTripCase{"empty_choices", QStringLiteral("(x|/)")},
        RoundTripCase{"nested", QStringLiteral("((a)b)")},
        RoundTripCase{"text_fields_stay", QStringLiteral("(b|c)と(<b>x</b>)と(\"q\")")},
        RoundTripCase{"leading_blank", QStringLiteral("( 東京)")},
        RoundTripCase{"no_fields", QStringLiteral("<P>本文だけ</P>")},
        RoundTripCase{"plain_button_without_name", QStringLiteral("<INPUT type=\"button\" value=\"x\">(a)")},
        RoundTripCase{"lower_case_select_of_the_author", QStringLiteral("<select name=\"s\"><option>1</select>(a)")},
        RoundTripCase{"many_lines", QStringLiteral("<P>一(いち)\r二(b|a/b)\r\n三</P>")}),
    [](const auto &row) { return std::string(row.param.name); });

struct QuizSheetCase {
    const char *name;
    AnswerFieldMode mode;
    QString body;
    QString converted;
};

class QuizSheets : public ::testing::TestWithParam<QuizSheetCase> {};

TEST_P(QuizSheets, ControlsBecomeSheetFields)
{
    const QString converted = convertAnswerFields(quizOf(GetParam().body), GetParam().mode, kMarks);
    EXPECT_EQ(converted, page(GetParam().converted));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, QuizSheets,
    ::testing::Values(
        QuizSheetCase{"drop_down_counts_whole_answer_part", M::QuestionSheet, QStringLiteral("(a/b|a/b/c)"),
                      u'(' + blanks(5) + u')'},
        QuizSheetCase{"text_box_counts_first_alternative", M::QuestionSheet, QStringLiteral("(apple/orange)"),
                      u'(' + blanks(7) + u')'},
        QuizSheetCase{"drop_down_shows_whole_answer_part", M::AnswerSheet, QStringLiteral("(a/b|a/b/c)"),
                      QStringLiteral("(a/b)")},
        QuizSheetCase{"text_box_shows_first_alternative", M::AnswerSheet, QStringLiteral("(apple/orange)"),
                      QStringLiteral("(apple)")},
        QuizSheetCase{"text_field_is_left_as_written", M::AnswerSheet, QStringLiteral("(b|c)"),
                      QStringLiteral("(b|c)")},
        QuizSheetCase{"button_without_name_unchanged", M::QuestionSheet,
                      QStringLiteral("<INPUT type=\"button\" value=\"x\">(a)"),
                      QStringLiteral("<INPUT type=\"button\" value=\"x\">(") + blanks(3) + u')'}),
    [](const auto &row) { return std::string(row.param.name); });

// Text that the quiz writer never produces: every conversion ends and keeps the damaged part.
struct DamagedCase {
    const char *name;
    QString text;
    QString notation;
};

class DamagedQuizPages : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedQuizPages, ConversionEndsAndKeepsTheText)
{
    EXPECT_EQ(convertAnswerFields(GetParam().text, M::SourceNotation, kMarks), GetParam().notation);
    for (M mode : {M::QuestionSheet, M::AnswerSheet})
        EXPECT_FALSE(convertAnswerFields(GetParam().text, mode, kMarks).isNull());
}

INSTANTIATE_TEST_SUITE_P(
    Input, DamagedQuizPages,
    ::testing::Values(
        DamagedCase{"block_without_end", QStringLiteral("a<!--beginSorvek//-->b<input name=\"x\">c"),
                    QStringLiteral("a<!--beginSorvek//-->b(x)c")},
        DamagedCase{"end_before_begin",
                    QStringLiteral("<!--endSorvek//-->a<!--beginSorvek//-->g<!--endSorvek//-->b"),
                    QStringLiteral("<!--endSorvek//-->ab")},
        DamagedCase{"input_without_angle", QStringLiteral("<!--beginSorvek//--><!--endSorvek//-->a<INPUT name=\"x\" b"),
                    QStringLiteral("a<INPUT name=\"x\" b")},
        DamagedCase{"input_name_without_quotes",
                    QStringLiteral("<!--beginSorvek//--><!--endSorvek//--><INPUT name=x>(y)"),
                    QStringLiteral("<INPUT name=x>(y)")},
        DamagedCase{"input_name_with_one_quote", QStringLiteral("<!--beginSorvek//--><!--endSorvek//--><INPUT name=\"x>"),
                    QStringLiteral("<INPUT name=\"x>")},
        DamagedCase{"select_without_end",
                    QStringLiteral("<!--beginSorvek//--><!--endSorvek//--><SELECT name=\"b\"><OPTION>?</OPTION>rest"),
                    QStringLiteral("<SELECT name=\"b\"><OPTION>?</OPTION>rest")},
        DamagedCase{"select_without_name",
                    QStringLiteral("<!--beginSorvek//--><!--endSorvek//--><SELECT><OPTION>a</OPTION></SELECT>z"),
                    QStringLiteral("<SELECT><OPTION>a</OPTION></SELECT>z")},
        DamagedCase{"select_start_tag_without_angle",
                    QStringLiteral("<!--beginSorvek//--><!--endSorvek//--><SELECT name=\"b\"</SELECT>z"),
                    QStringLiteral("<SELECT name=\"b\"</SELECT>z")},
        DamagedCase{"select_with_placeholder_only",
                    QStringLiteral("<!--beginSorvek//--><!--endSorvek//--><SELECT name=\"b\"><OPTION>?</OPTION></SELECT>"),
                    QStringLiteral("(b)")},
        DamagedCase{"option_without_angle",
                    QStringLiteral("<!--beginSorvek//--><!--endSorvek//--><SELECT name=\"b\"><OPTION>?<OPTION x</SELECT>"),
                    QStringLiteral("(b)")},
        DamagedCase{"select_without_end_before_a_whole_one",
                    QStringLiteral("<!--beginSorvek//--><!--endSorvek//--><SELECT name=\"a\"><OPTION>?</OPTION>x"
                                   "<SELECT name=\"b\"><OPTION>?</OPTION><OPTION>c</OPTION><OPTION>d</OPTION></SELECT>"),
                    QStringLiteral("<SELECT name=\"a\"><OPTION>?</OPTION>x(b|c/d)")},
        DamagedCase{"input_with_another_tag_inside",
                    QStringLiteral("<!--beginSorvek//--><!--endSorvek//--><INPUT name=\"x\" <b>y</b> <INPUT name=\"z\">"),
                    QStringLiteral("<INPUT name=\"x\" <b>y</b> (z)")},
        DamagedCase{"lower_case_select_stays",
                    QStringLiteral("<!--beginSorvek//--><!--endSorvek//--><select name=\"b\"><option>?</option></select>"),
                    QStringLiteral("<select name=\"b\"><option>?</option></select>")}),
    [](const auto &row) { return std::string(row.param.name); });
