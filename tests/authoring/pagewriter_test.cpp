#include "authoring/pagewriter.h"

#include "authoring/tablegrid.h"
#include "testutil.h"

#include <gtest/gtest.h>

#include <functional>

using namespace sorvek;


using Setup = std::function<void(PageEditFields &)>;

// Everything here is local to this file: test case types of other files may share names.
namespace {

PageEditFields fieldsWith(const Setup &setup)
{
    PageEditFields f;
    setup(f);
    return f;
}

const QString kOneBoxTable = QStringLiteral(
    "<TABLE border=\"1\"  width=\"640\"><TBODY>\r<TR>\r<TD colspan=\"8\" >box</TD></TR>\r</TBODY></TABLE>\r");


struct TableCase {
    const char *name;
    Setup setup;
    QString expected;
};

class WritingTheTable : public ::testing::TestWithParam<TableCase> {};

TEST_P(WritingTheTable, GivesTheText)
{
    EXPECT_EQ(buildTableGrid(fieldsWith(GetParam().setup)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, WritingTheTable,
    ::testing::Values(
        TableCase{"all_cells_empty_no_table", [](PageEditFields &f) { f.ETAGHYO1 = QStringLiteral("align=\"center\""); },
                  QString()},
        TableCase{"only_memo1_one_box", [](PageEditFields &f) { *f.memo(1) = QStringLiteral("box"); }, kOneBoxTable},
        TableCase{"left_aligned_like_none",
                  [](PageEditFields &f) {
                      *f.memo(1) = QStringLiteral("box");
                      f.ETAGHYO1 = QStringLiteral("align=\"left\"");
                  },
                  kOneBoxTable},
        TableCase{"centre_on_table_and_cells",
                  [](PageEditFields &f) {
                      *f.memo(1) = QStringLiteral("box");
                      f.ETAGHYO1 = QStringLiteral("align=\"center\"");
                  },
                  QStringLiteral("<TABLE border=\"1\" align=\"center\"><TBODY>\r<TR>\r<TD colspan=\"8\" align=\"center\">"
                                 "box</TD></TR>\r</TBODY></TABLE>\r")},
        TableCase{"right_on_table_only",
                  [](PageEditFields &f) {
                      *f.memo(1) = QStringLiteral("box");
                      f.ETAGHYO1 = QStringLiteral("align=\"right\"");
                  },
                  QStringLiteral("<TABLE border=\"1\" align=\"right\"><TBODY>\r<TR>\r<TD colspan=\"8\" >box</TD></TR>\r"
                                 "</TBODY></TABLE>\r")},
        TableCase{"two_lines_become_br", [](PageEditFields &f) { *f.memo(1) = QStringLiteral("a\r\nb"); },
                  QString(kOneBoxTable).replace(QStringLiteral("box"), QStringLiteral("a<BR>b"))}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(WritingTheTable, OneGridMemoWritesTheWholeGrid)
{
    PageEditFields f;
    *f.memo(40) = QStringLiteral("x");
    const QString table = buildTableGrid(f);
    EXPECT_EQ(table.count(QStringLiteral("<TD")), 78);
    EXPECT_EQ(table.count(QStringLiteral("<TR>")), 14);
    EXPECT_TRUE(table.startsWith(QStringLiteral("<TABLE border=\"1\"  width=\"640\"><TBODY>\r<TR>\r<TD colspan=\"8\" ></TD></TR>\r"
                                                 "<TR>\r<TD  Width=\"100\" bgcolor=\"#cbfefc\"></TD>\r"
                                                 "<TD  Width=\"100\" bgcolor=\"#cbfefc\"></TD>\r"
                                                 "<TD  bgcolor=\"#cbfefc\"></TD>\r")));
    // Memo40 is the fourth cell of grid row 4.
    EXPECT_TRUE(table.contains(QStringLiteral("<TR>\r<TD  Width=\"100\" bgcolor=\"#fafed3\"></TD>\r"
                                              "<TD  Width=\"100\" bgcolor=\"#fafed3\"></TD>\r"
                                              "<TD  bgcolor=\"#fafed3\"></TD>\r<TD  bgcolor=\"#fafed3\">x</TD>\r")));
    EXPECT_EQ(table.count(QStringLiteral("<TD colspan=\"6\"  bgcolor=\"#fafed3\"></TD>\r")), 4);
    EXPECT_TRUE(table.endsWith(QStringLiteral("<TR>\r<TD colspan=\"8\"  bgcolor=\"#fafed3\"></TD>\r</TR>\r</TBODY></TABLE>\r")));
}

TEST(WritingTheTable, CentredGridCellsCarryTheAlignment)
{
    PageEditFields f;
    *f.memo(81) = QStringLiteral("end");
    f.ETAGHYO1 = QStringLiteral("align=\"center\"");
    const QString table = buildTableGrid(f);
    EXPECT_EQ(table.count(QStringLiteral("align=\"center\"")), 79);
    EXPECT_TRUE(table.contains(QStringLiteral("<TD colspan=\"8\" align=\"center\" bgcolor=\"#fafed3\">end</TD>")));
}

struct PieceCase {
    const char *name;
    std::function<QString(const PageEditFields &)> build;
    Setup setup;
    QString expected;
};

class WritingAPiece : public ::testing::TestWithParam<PieceCase> {};

TEST_P(WritingAPiece, GivesTheText)
{
    EXPECT_EQ(GetParam().build(fieldsWith(GetParam().setup)), GetParam().expected);
}

const auto kTitle = [](const PageEditFields &f) { return buildTitleElement(f); };
const auto kH1 = [](const PageEditFields &f) { return buildHeading(f.ETAGH1, f.Memo4, u"</H1>"); };
const auto kImage = [](const PageEditFields &f) { return buildImageLinkParagraph(f); };
const auto kText = [](const PageEditFields &f) { return buildTextParagraph(f); };

INSTANTIATE_TEST_SUITE_P(
    Title, WritingAPiece,
    ::testing::Values(
        PieceCase{"empty_title", kTitle, [](PageEditFields &) {}, QStringLiteral("<TITLE></TITLE>")},
        PieceCase{"angles_escaped_trailing_blanks",
                  kTitle,
                  [](PageEditFields &f) {
                      f.Edit1 = QStringLiteral("a<b  ");
                      f.Edit5 = QStringLiteral("c>d ");
                      f.Edit6 = QStringLiteral("<e> ");
                  },
                  QStringLiteral("<TITLE>a&lt;b#c&gt;d?&lt;e&gt; </TITLE>")},
        PieceCase{"empty_glyph_prefix_kept", kTitle, [](PageEditFields &f) { f.glyphPrefix = QStringLiteral("\"\""); },
                  QStringLiteral("<TITLE>\"\"</TITLE>")}),
    [](const auto &row) { return std::string(row.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Headings, WritingAPiece,
    ::testing::Values(
        PieceCase{"empty_memo_no_element", kH1, [](PageEditFields &f) { f.ETAGH1 = QStringLiteral("<H1 align=\"center\">"); },
                  QString()},
        PieceCase{"two_lines", kH1,
                  [](PageEditFields &f) {
                      f.ETAGH1 = QStringLiteral("<H1 align=\"right\">");
                      f.Memo4 = QStringLiteral("a\r\nb");
                  },
                  QStringLiteral("<H1 align=\"right\">a<BR>b</H1>")},
        PieceCase{"widget_line_feed_is_a_break", kH1, [](PageEditFields &f) { f.Memo4 = QStringLiteral("a\nb"); },
                  QStringLiteral("<H1>a<BR>b</H1>")}),
    [](const auto &row) { return std::string(row.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Paragraphs, WritingAPiece,
    ::testing::Values(
        PieceCase{"content_and_link", kImage,
                  [](PageEditFields &f) {
                      f.ETAGSRC1 = QStringLiteral("<P align=\"center\">");
                      f.Edit7 = QStringLiteral("<IMG src=\"a.jpg\">");
                      f.Edit2 = QStringLiteral("b.html");
                      f.Edit3 = QStringLiteral("ignored");
                  },
                  QStringLiteral("<P align=\"center\"><A href=\"b.html\"><IMG src=\"a.jpg\"></A></P>")},
        PieceCase{"content_only", kImage,
                  [](PageEditFields &f) {
                      f.ETAGSRC1 = QStringLiteral("<P>");
                      f.Edit7 = QStringLiteral("line1\r\nline2");
                  },
                  QStringLiteral("<P>line1<BR>line2</P>")},
        PieceCase{"link_with_text", kImage,
                  [](PageEditFields &f) {
                      f.ETAGSRC1 = QStringLiteral("<P align=\"center\">");
                      f.Edit2 = QStringLiteral("b.html");
                      f.Edit3 = QStringLiteral("next");
                  },
                  QStringLiteral("<P><A href=\"b.html\">next</A></P>")},
        PieceCase{"link_without_text_shows_target", kImage, [](PageEditFields &f) { f.Edit2 = QStringLiteral("b.html"); },
                  QStringLiteral("<P><A href=\"b.html\">b.html</A></P>")},
        PieceCase{"neither", kImage, [](PageEditFields &f) { f.ETAGSRC1 = QStringLiteral("<P align=\"x\">"); },
                  QStringLiteral("<P></P>")},
        PieceCase{"content_without_start_tag_gets_p", kImage, [](PageEditFields &f) { f.Edit7 = QStringLiteral("c"); },
                  QStringLiteral("<P>c</P>")},
        PieceCase{"text_paragraph_default_tag", kText, [](PageEditFields &f) { f.Memo2 = QStringLiteral("a\r\nb"); },
                  QStringLiteral("<P>a<BR>b</P>")},
        PieceCase{"text_paragraph_empty", kText, [](PageEditFields &f) { f.ETAGP1 = QStringLiteral("<P align=\"left\">"); },
                  QStringLiteral("<P align=\"left\"></P>")}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(WritingThePage, PiecesInOrder)
{
    PageEditFields f;
    f.headText = QStringLiteral("[head]");
    f.Edit1 = QStringLiteral("t");
    f.GroupBox1Tag = 0;
    f.bodyHead = QStringLiteral("[body]");
    f.textBeforeComment = QStringLiteral("[before]");
    f.leadingCommentBlock = QStringLiteral("[comment]");
    f.headerSection = QStringLiteral("[header]");
    f.Memo4 = QStringLiteral("h1");
    f.textBetweenHeadings = QStringLiteral("[between]");
    f.Memo5 = QStringLiteral("h2");
    *f.memo(1) = QStringLiteral("box");
    f.ETAGP1 = QStringLiteral("<P>");
    f.Memo2 = QStringLiteral("text");
    f.textBeforeTable = QStringLiteral("[t]");
    f.textBeforeParagraphs = QStringLiteral("[p]");
    f.textBetweenParagraphs = QStringLiteral("[pp]");
    f.noteRest = QStringLiteral("[note]");
    f.footerSection = QStringLiteral("[footer]");
    f.pageRest = QStringLiteral("[rest]");
    EXPECT_EQ(writeEditedPage(f),
              QStringLiteral("[head]<TITLE>t</TITLE>[body][before][comment][header]<!--NOTE_IN--><H1>h1</H1>[between]"
                             "<H2>h2</H2>[t]")
                  + kOneBoxTable
                  + QStringLiteral("[p]<P></P>[pp]<P>text</P>[note]<!--NOTE_OUT-->[footer][rest]"));
}

TEST(WritingThePage, StyleSectionAfterTheTitle)
{
    PageEditFields f;
    f.GroupBox1Tag = 3;
    const QString page = writeEditedPage(f);
    EXPECT_TRUE(page.startsWith(QStringLiteral("<TITLE></TITLE><!--STYLE_IN-->\r<STYLE type=\"text/css\">")));
    EXPECT_TRUE(page.contains(QStringLiteral("font-size :8mm;")));
}

} // namespace

namespace {

TEST(PageEditFieldsMemos, ByNumberAndByName)
{
    PageEditFields f;
    EXPECT_EQ(f.memo(1), &f.cells[0]);
    EXPECT_EQ(f.memo(3), &f.cells[1]);
    EXPECT_EQ(f.memo(6), &f.cells[2]);
    EXPECT_EQ(f.memo(81), &f.cells[77]);
    EXPECT_EQ(f.memo(2), &f.Memo2);
    EXPECT_EQ(f.memo(4), &f.Memo4);
    EXPECT_EQ(f.memo(5), &f.Memo5);
    EXPECT_EQ(f.memo(u"Memo13"), &f.cells[9]);
    EXPECT_EQ(f.memo(0), nullptr);
    EXPECT_EQ(f.memo(82), nullptr);
    EXPECT_EQ(f.memo(u"Memo013"), nullptr);
    EXPECT_EQ(f.memo(u"Edit1"), nullptr);
    EXPECT_EQ(f.memo(u"Memo"), nullptr);
}

} // namespace
