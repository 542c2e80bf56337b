#include "authoring/styleblock.h"

#include <gtest/gtest.h>

using namespace sorvek;

namespace {

// The cover style, line by line as pages carry it.
const QStringList kCoverLines{
    QStringLiteral("<!--STYLE_IN-->"),
    QStringLiteral("<STYLE type=\"text/css\">"),
    QStringLiteral("BODY{background : #bacdfa} a:link{color : #990099} b:vlink{color : #990000}"),
    QStringLiteral("<!--"),
    QStringLiteral("H1{"),
    QStringLiteral("color : white;"),
    QStringLiteral("background-color : #8c8cff;"),
    QStringLiteral("font-size :9mm;"),
    QStringLiteral("border-style : outset outset outset outset;"),
    QStringLiteral("border-color : white white white white;"),
    QStringLiteral("padding-top : 10px;"),
    QStringLiteral("padding-left : 10px;"),
    QStringLiteral("padding-right : 10px;"),
    QStringLiteral("padding-bottom : 10px;"),
    QStringLiteral("}"),
    QStringLiteral("H2{"),
    QStringLiteral("font-size :7mm;border-style : none none inset none;"),
    QStringLiteral("border-bottom-color :  white;"),
    QStringLiteral("color :  black;"),
    QStringLiteral("}"),
    QStringLiteral("P{"),
    QStringLiteral("color :  black;"),
    QStringLiteral("font-size :7mm;"),
    QStringLiteral("line-height : 1.3em;"),
    QStringLiteral("}"),
    QStringLiteral("TABLE{"),
    QStringLiteral("color :  black;"),
    QStringLiteral("font-size :7mm;"),
    QStringLiteral("line-height : 1.3em;"),
    QStringLiteral("}"),
    QStringLiteral("-->"),
    QStringLiteral("</STYLE>"),
    QStringLiteral("<!--STYLE_OUT-->"),
};

// The notebook style: no BODY line and no border-color line.
const QStringList kNotebookLines{
    QStringLiteral("<!--STYLE_IN-->"),
    QStringLiteral("<STYLE type=\"text/css\">"),
    QStringLiteral("<!--"),
    QStringLiteral("H1{"),
    QStringLiteral("color : white;"),
    QStringLiteral("background-color : #1faf9a;"),
    QStringLiteral("font-size :6mm;"),
    QStringLiteral("border-style : none none none none;"),
    QStringLiteral("padding-top : 10px;"),
    QStringLiteral("padding-left : 10px;"),
    QStringLiteral("padding-right : 10px;"),
    QStringLiteral("padding-bottom : 10px;"),
    QStringLiteral("}"),
    QStringLiteral("H2{"),
    QStringLiteral("font-size :4mm;border-style : none none inset none;"),
    QStringLiteral("border-bottom-color :  #1faf9a;"),
    QStringLiteral("color :  #1faf9a;"),
    QStringLiteral("}"),
    QStringLiteral("P{"),
    QStringLiteral("color :  black;"),
    QStringLiteral("font-size :4mm;"),
    QStringLiteral("line-height : 1.3em;"),
    QStringLiteral("}"),
    QStringLiteral("TABLE{"),
    QStringLiteral("color :  black;"),
    QStringLiteral("font-size :4mm;"),
    QStringLiteral("line-height : 1.3em;"),
    QStringLiteral("}"),
    QStringLiteral("-->"),
    QStringLiteral("</STYLE>"),
    QStringLiteral("<!--STYLE_OUT-->"),
};

} // namespace

TEST(StyleBlock, CoverStyleIsWrittenLineByLine)
{
    EXPECT_EQ(styleBlockLines(4), kCoverLines);
}

TEST(StyleBlock, NotebookStyleHasNoBodyAndNoBorderColorLine)
{
    EXPECT_EQ(styleBlockLines(1), kNotebookLines);
}

TEST(StyleBlock, LinesAreJoinedByCrWithoutOneAfterTheLast)
{
    const QString block = buildStyleBlock(4);
    EXPECT_EQ(block, kCoverLines.join(QLatin1Char('\r')));
    EXPECT_FALSE(block.contains(QLatin1Char('\n')));
    EXPECT_TRUE(block.endsWith(QStringLiteral("<!--STYLE_OUT-->")));
}

TEST(StyleBlock, NoSectionForStyleZeroOrAnUnknownStyle)
{
    for (int style : {0, -1, 5}) {
        SCOPED_TRACE(style);
        EXPECT_TRUE(buildStyleBlock(style).isEmpty());
    }
}

// Screen and contents: the lines where they differ from the others.
struct StyleLineCase {
    const char *name;
    int style;
    int index;
    QString line;
};

class StyleLines : public ::testing::TestWithParam<StyleLineCase> {};

TEST_P(StyleLines, LineHasTheStyleValue)
{
    const StyleLineCase &c = GetParam();
    const QStringList lines = styleBlockLines(c.style);
    ASSERT_GT(lines.size(), c.index);
    EXPECT_EQ(lines.at(c.index), c.line);
}

INSTANTIATE_TEST_SUITE_P(
    ScreenAndContents, StyleLines,
    ::testing::Values(
        StyleLineCase{"screen_body", 2, 2,
                      QStringLiteral("BODY{background : #ffffff} a:link{color : #990099} b:vlink{color : #990000}")},
        StyleLineCase{"screen_h1_size", 2, 7, QStringLiteral("font-size :7mm;")},
        StyleLineCase{"screen_no_border_color", 2, 9, QStringLiteral("padding-top : 10px;")},
        StyleLineCase{"screen_h2", 2, 15, QStringLiteral("font-size :6mm;border-style : none none inset none;")},
        StyleLineCase{"screen_text_size", 2, 21, QStringLiteral("font-size :6mm;")},
        StyleLineCase{"contents_body", 3, 2,
                      QStringLiteral("BODY{background : #ccfdfc} a:link{color : #990099} b:vlink{color : #990000}")},
        StyleLineCase{"contents_h1_color", 3, 5, QStringLiteral("color : black;")},
        StyleLineCase{"contents_h1_back", 3, 6, QStringLiteral("background-color : #4ef8f3;")},
        StyleLineCase{"contents_border", 3, 8, QStringLiteral("border-style : double double double double;")},
        StyleLineCase{"contents_border_color", 3, 9, QStringLiteral("border-color :navy navy navy navy;")},
        StyleLineCase{"contents_h2_rule", 3, 17, QStringLiteral("border-bottom-color :  white;")}),
    [](const auto &row) { return std::string(row.param.name); });

struct RecoveryCase {
    const char *name;
    QString styleText;
    int style;
};

class StyleRecovery : public ::testing::TestWithParam<RecoveryCase> {};

TEST_P(StyleRecovery, StyleFromItsText)
{
    EXPECT_EQ(pageStyleFromStyleText(GetParam().styleText), GetParam().style);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, StyleRecovery,
    ::testing::Values(
        RecoveryCase{"empty", QString(), 0},
        RecoveryCase{"no_mm_semicolon", QStringLiteral("H1{font-size :9mm}"), 0},
        RecoveryCase{"nine", QStringLiteral("font-size :9mm;"), 4},
        RecoveryCase{"eight", QStringLiteral("font-size :8mm;"), 3},
        RecoveryCase{"seven", QStringLiteral("font-size :7mm;"), 2},
        RecoveryCase{"six", QStringLiteral("font-size :6mm;"), 1},
        RecoveryCase{"other_size", QStringLiteral("font-size :5mm;"), 0},
        RecoveryCase{"only_first_size_counts", QStringLiteral("font-size :8mm; font-size :6mm;"), 3},
        RecoveryCase{"later_hit_wins", QStringLiteral("9mm 6mm;"), 1},
        RecoveryCase{"nine_before_the_cut", QStringLiteral("width:9mm font-size :7mm;"), 2}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(StyleRecovery, EveryWrittenStyleIsRecovered)
{
    for (int style = 0; style <= 4; ++style) {
        SCOPED_TRACE(style);
        const QString page = QStringLiteral("<HEAD><TITLE>t</TITLE>") + buildStyleBlock(style)
            + QStringLiteral("</HEAD><BODY></BODY>");
        EXPECT_EQ(pageStyleOfPage(page), style);
    }
}

TEST(StyleRecovery, LowerCaseMarkersAreNoStyleSection)
{
    QString page = buildStyleBlock(3);
    page.replace(QStringLiteral("STYLE_IN"), QStringLiteral("style_in"));
    EXPECT_EQ(pageStyleOfPage(page), 0);
}
