#include "authoring/answerfields.h"
#include "authoring/pageformat.h"
#include "authoring/quizpage.h"
#include "authoring/styleblock.h"
#include "commands/textfile.h"

#include "testutil.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace sorvek;

namespace {

const AnswerMarks kMarks;

QString page(const QString &body, const QString &bodyTag = QStringLiteral("<BODY>"))
{
    return pageformat::buildPageHead(QStringLiteral("問題"), QString()).replace(QStringLiteral("<BODY>\r"), bodyTag)
        + body + QStringLiteral("</BODY>\r</HTML>");
}

QString bodyOf(const QString &quizPage)
{
    return quizPage.section(QStringLiteral("<!--endSorvek//-->"), 1, 1).section(QStringLiteral("<!--beginSorvek"), 0, 0);
}

} // namespace

struct ControlCase {
    const char *name;
    QString content;
    QuizControl::Kind kind;
    QString html;
};

class QuizControls : public ::testing::TestWithParam<ControlCase> {};

TEST_P(QuizControls, FieldBecomesItsControl)
{
    const ControlCase &c = GetParam();
    const QuizControl control = quizControlForField(c.content, kMarks);
    EXPECT_EQ(control.kind, c.kind);
    if (c.kind != QuizControl::Kind::Text) {
        EXPECT_EQ(control.html, c.html);
    }
}

using Kind = QuizControl::Kind;
INSTANTIATE_TEST_SUITE_P(
    Fields, QuizControls,
    ::testing::Values(
        ControlCase{"alternatives_text_box", QStringLiteral("apple/orange"), Kind::TextBox,
                    QStringLiteral("<input type=\"text\" name=\"apple/orange\" size=\"15\">")},
        ControlCase{"japanese_size_counts_code_units", QStringLiteral("東京"), Kind::TextBox,
                    QStringLiteral("<input type=\"text\" name=\"東京\" size=\"5\">")},
        ControlCase{"surrogate_pair_counts_two", QStringLiteral("𠮷"), Kind::TextBox,
                    QStringLiteral("<input type=\"text\" name=\"𠮷\" size=\"5\">")},
        ControlCase{"leading_blank_kept", QStringLiteral(" 東京"), Kind::TextBox,
                    QStringLiteral("<input type=\"text\" name=\" 東京\" size=\"6\">")},
        ControlCase{"empty_field", QString(), Kind::TextBox, QStringLiteral("<input type=\"text\" name=\"\" size=\"3\">")},
        ControlCase{"drop_down", QStringLiteral("b|a/b/c"), Kind::DropDown,
                    QStringLiteral("<SELECT name=\"b\"><OPTION value=\"?\">?</OPTION><OPTION value=\"a\">a</OPTION>"
                                   "<OPTION value=\"b\">b</OPTION><OPTION value=\"c\">c</OPTION></SELECT>")},
        ControlCase{"alternative_in_answer_part", QStringLiteral("a/b|c"), Kind::DropDown,
                    QStringLiteral("<SELECT name=\"a/b\"><OPTION value=\"?\">?</OPTION>"
                                   "<OPTION value=\"c\">c</OPTION></SELECT>")},
        ControlCase{"choice_without_alternative_stays_text", QStringLiteral("b|c"), Kind::Text, QString()},
        ControlCase{"less_than_stays_text", QStringLiteral("a<b"), Kind::Text, QString()},
        ControlCase{"greater_than_stays_text", QStringLiteral("a>b/c"), Kind::Text, QString()},
        ControlCase{"quote_stays_text", QStringLiteral("say \"x\"|a/b"), Kind::Text, QString()}),
    [](const auto &row) { return std::string(row.param.name); });

// The whole page as stored (lines), for one field: every literal as the quiz page carries it.
TEST(QuizPage, PageWithOneFieldIsWrittenExactly)
{
    const QuizPageResult result = makeQuizPage(page(QStringLiteral("\r問(りんご)\r")), kMarks);
    ASSERT_TRUE(result.made());
    EXPECT_EQ(result.fieldCount, 1);
    QString expected = QStringLiteral(R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">
<HTML>
<HEAD>
<META http-equiv="Content-Type" content="text/html; charset=UTF-8">
<META http-equiv="Content-Style-Type" content="text/css"><TITLE>問題</TITLE></HEAD>
<BODY><!--beginSorvek//-->
<FORM name="myForm">
<SCRIPT language="JavaScript">
<!--
var kazu=1;//問題数
function Kselect(){
var x=0;//誤答数 
  for( i=0;i<kazu;i++)
  { 
    str="/"+myForm.elements[i].name+"/";
    str1="/"+myForm.elements[i].value+"/";
    if (str.indexOf(str1,0)==-1)
    { 
     //alert(myForm.elements[i].name);
     x++;
    }
  }
  if (x>0)
  { 
  location.href="/$-1,$<-1[_【×】][_【△】],$HISJS sDAT[1]=-1";
  }
  else{
  location.href="/$+1,$_【○】,$HISJS sDAT[1]=+1";
  }
} 
function Kkotae(){
  for( i=0;i<kazu;i++)
  { 
  myForm.elements[i].value=myForm.elements[i].name;
  } 
}
//--> 
</SCRIPT>

<!--endSorvek//-->
問<input type="text" name="りんご" size="6">
<!--beginSorvek//-->
<BR>
<CENTER>
<INPUT type="reset" value="□取消" style="background-color:#FFFF88;color:#000000">
<INPUT type="button" onclick=Kselect() name="■決定"
value="■決定" style="background-color:#ccccFF;color:#000000">
<INPUT type="button" onclick=Kkotae() name="答えを見る"
value="答えを見る" style="background-color:#FFcccc;color:#000000"> 
</CENTER>

{BR50}<P>【○】</P>
<P>　　　正解です。</P>
<CENTER><INPUT type="button" onclick=location.href="/$NEXT" name="KR次" value="次へ進む"></CENTER> 
{BR10}<P>【△】</P>
<P>　　違います。もう一度考えましょう。</P>
<CENTER><INPUT type="button" onclick=location.href="/$" name="KR再度" value="もう一度"></CENTER>
{BR10}<P>【×】</P>
<P>　　違います。前に戻って，やりなおしましょう。</P>
<CENTER><INPUT type="button" onclick=location.href="/$BACK" name="KR前" value="前に戻る"></CENTER>
{BR10}
</FORM>
<!--endSorvek//--></BODY>
</HTML>)");
    expected.replace(QStringLiteral("{BR50}"), QStringLiteral("<BR>").repeated(50))
        .replace(QStringLiteral("{BR10}"), QStringLiteral("<BR>").repeated(10));
    EXPECT_EQ(splitLines(result.page), splitLines(expected));
    EXPECT_TRUE(result.page.contains(QStringLiteral("<P>\u3000\u3000違います。前に戻って\uFF0Cやりなおしましょう。</P>")));
}

TEST(QuizPage, PageWithoutControlsGetsTheNextButton)
{
    const QuizPageResult result = makeQuizPage(page(QStringLiteral("(<b>太字</b>)と(b|c)")), kMarks);
    ASSERT_TRUE(result.made());
    EXPECT_EQ(result.fieldCount, 0);
    const QString expected = QStringLiteral(R"(<BODY><!--beginSorvek//-->
<FORM name="myForm">
<SCRIPT language="JavaScript"> 
<!-- 
function JumpURL(url)
{
  if (url != '')
  {
   location.href = url;
  }
}
//-->
</SCRIPT>

<!--endSorvek//-->(<b>太字</b>)と(b|c)<!--beginSorvek//-->
<BR>
<FORM>
<CENTER><INPUT type="button" onclick="JumpURL('/$NEXT');" name="Button次" value="ここをクリックして次に進む"></CENTER> 
</FORM>

</FORM>
<!--endSorvek//--></BODY>
</HTML>)");
    EXPECT_EQ(splitLines(result.page.section(QStringLiteral("</HEAD>\r"), 1)), splitLines(expected));
}

TEST(QuizPage, BlocksGoRightAfterALowerCaseBodyTagWithAttributes)
{
    const QString source = page(QStringLiteral("(x)"), QStringLiteral("<body bgcolor=\"white\">"));
    const QuizPageResult result = makeQuizPage(source, kMarks);
    EXPECT_TRUE(result.page.contains(QStringLiteral("<body bgcolor=\"white\"><!--beginSorvek//-->\r<FORM")));
    EXPECT_TRUE(result.page.contains(QStringLiteral("<!--endSorvek//--><input type=\"text\" name=\"x\" size=\"4\">"
                                                    "<!--beginSorvek//-->")));
}

struct BodyCase {
    const char *name;
    QString body;
    QString quizBody;
    int count;
};

class QuizBodies : public ::testing::TestWithParam<BodyCase> {};

TEST_P(QuizBodies, FieldsBecomeControlsInPlace)
{
    const QuizPageResult result = makeQuizPage(page(GetParam().body), kMarks);
    EXPECT_EQ(bodyOf(result.page), GetParam().quizBody);
    EXPECT_EQ(result.fieldCount, GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, QuizBodies,
    ::testing::Values(
        BodyCase{"nested_parentheses", QStringLiteral("((a)b)"),
                 QStringLiteral("<input type=\"text\" name=\"(a\" size=\"5\">b)"), 1},
        BodyCase{"open_without_close_is_empty_box_and_scan_goes_on", QStringLiteral("x(abc"),
                 QStringLiteral("x<input type=\"text\" name=\"\" size=\"3\">abc"), 1},
        BodyCase{"close_without_open_stays", QStringLiteral("a)b"), QStringLiteral("a)b"), 0},
        BodyCase{"text_field_keeps_its_marks", QStringLiteral("(b|c)(d)"),
                 QStringLiteral("(b|c)<input type=\"text\" name=\"d\" size=\"4\">"), 1},
        BodyCase{"field_over_two_lines", QStringLiteral("(a\rb)"),
                 QStringLiteral("<input type=\"text\" name=\"a\rb\" size=\"6\">"), 1}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(QuizPage, PageWithoutBodyTagIsReturnedUnchangedWithAReason)
{
    for (const QString &source : {QStringLiteral("<HTML>(a)</HTML>"), QStringLiteral("<HTML><BODY (a)"), QString()}) {
        SCOPED_TRACE(source.toStdString());
        const QuizPageResult result = makeQuizPage(source, kMarks);
        EXPECT_FALSE(result.made());
        EXPECT_EQ(result.error, QuizPageError::NoBodyStartTag);
        EXPECT_EQ(result.page, source);
        EXPECT_FALSE(result.errorText().isEmpty());
    }
}

TEST(QuizPage, PageWithoutBodyEndNeverRepeatsText)
{
    const QString source = QStringLiteral("<HTML><BODY>はじめ(a)おわり</HTML>");
    const QuizPageResult result = makeQuizPage(source, kMarks);
    ASSERT_TRUE(result.made());
    EXPECT_EQ(result.page.count(QStringLiteral("おわり")), 1);
    EXPECT_EQ(result.page.count(QStringLiteral("はじめ")), 1);
    EXPECT_TRUE(result.page.endsWith(QStringLiteral("<!--endSorvek//-->")));
    EXPECT_EQ(convertAnswerFields(result.page, AnswerFieldMode::SourceNotation, kMarks), source);
}

TEST(QuizPage, MakingAQuizOfAQuizPageChangesNothing)
{
    const QString once = makeQuizPage(page(QStringLiteral("(b|a/b/c)と(apple/orange)")), kMarks).page;
    const QuizPageResult twice = makeQuizPage(once, kMarks);
    EXPECT_EQ(twice.page, once);
    EXPECT_EQ(twice.fieldCount, 2);
}

TEST(QuizPage, OtherAnswerMarksAreUsed)
{
    const AnswerMarks marks{QStringLiteral("【"), QStringLiteral("｜"), QStringLiteral("】"), QStringLiteral("／")};
    const QuizPageResult result = makeQuizPage(page(QStringLiteral("(x)【い｜あ／い】【う】")), marks);
    EXPECT_EQ(bodyOf(result.page),
              QStringLiteral("(x)<SELECT name=\"い\"><OPTION value=\"?\">?</OPTION><OPTION value=\"あ\">あ</OPTION>"
                             "<OPTION value=\"い\">い</OPTION></SELECT><input type=\"text\" name=\"う\" size=\"4\">"));
}

// The demo book's quiz page is in the page format and turns into a quiz and back unchanged.
TEST(QuizPage, DemoBookQuizPage)
{
    const ReadResult source = readPageText(QDir(testutil::demoBookFolder()).filePath(QStringLiteral("1060_quiz.html")));
    ASSERT_TRUE(source.ok);
    EXPECT_TRUE(pageformat::isPageText(source.text));
    EXPECT_EQ(pageStyleOfPage(source.text), 2);
    EXPECT_TRUE(source.text.contains(QString(buildStyleBlock(2)).replace(QLatin1Char('\r'), QStringLiteral("\r\n"))));
    const QuizPageResult quiz = makeQuizPage(source.text, kMarks);
    EXPECT_EQ(quiz.fieldCount, 3);
    EXPECT_EQ(convertAnswerFields(quiz.page, AnswerFieldMode::SourceNotation, kMarks), source.text);
}
