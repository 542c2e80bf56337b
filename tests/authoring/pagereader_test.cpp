#include "authoring/pagereader.h"

#include "authoring/quizpage.h"

#include "pageedit_pages.h"
#include "testutil.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sorvek;
using pageedit::note;
using pageedit::page;
using pageedit::read;

// Everything here is local to this file: test case types of other files may share names.
namespace {


const QString kCrLf = QStringLiteral("\r\n");

QString qs(const char16_t *text)
{
    return QString::fromUtf16(text);
}

// A page whose body outside the regions holds extra text right after the BODY start tag.
QString pageWithBodyText(const QString &bodyText)
{
    QString text = note(QStringLiteral("<H1>h</H1>"));
    return text.replace(QStringLiteral("<BODY>\r\n"), QStringLiteral("<BODY>\r\n") + bodyText);
}


struct FieldCase {
    const char *name;
    QString page;
    QString PageEditFields::*field;
    QString expected;
};

class ReadingAField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(ReadingAField, FillsIt)
{
    const PageEditFields fields = read(GetParam().page);
    EXPECT_EQ(fields.*(GetParam().field), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Title, ReadingAField,
    ::testing::Values(
        FieldCase{"glyph_prefix_with_quotes", page(qs(u"\"a.gif\"第1課#はじめ?最初のページ"), {}),
                  &PageEditFields::glyphPrefix, QStringLiteral("\"a.gif\"")},
        FieldCase{"hint", page(qs(u"\"a.gif\"第1課#はじめ?最初のページ"), {}), &PageEditFields::Edit6,
                  qs(u"最初のページ")},
        FieldCase{"check_mark_glyph", page(qs(u"\"!\"まとめ"), {}), &PageEditFields::glyphPrefix,
                  QStringLiteral("\"!\"")},
        FieldCase{"quote_inside_caption_is_no_glyph", page(QStringLiteral("say \"hi\""), {}),
                  &PageEditFields::Edit1, QStringLiteral("say \"hi\"")},
        FieldCase{"title_ends_at_any_closing_tag", page(QStringLiteral("a<B>b</B>c"), {}), &PageEditFields::Edit1,
                  QStringLiteral("a<B>b")},
        FieldCase{"head_text_up_to_title", page(QStringLiteral("x"), {}), &PageEditFields::headText,
                  pageformat::kDoctypeLine + kCrLf + QStringLiteral("<HTML>\r\n<HEAD>\r\n<META http-equiv=\"Content-Type\" "
                  "content=\"text/html; charset=UTF-8\">\r\n<META http-equiv=\"Content-Style-Type\" content=\"text/css\">")},
        FieldCase{"body_head_after_title_through_body", page(QStringLiteral("x"), {}), &PageEditFields::bodyHead,
                  QStringLiteral("</HEAD>\r\n<BODY>")},
        FieldCase{"page_rest_keeps_line_ends", page(QStringLiteral("x"), {}), &PageEditFields::pageRest,
                  QStringLiteral("\r\n\r\n\r\n\r\n</BODY>\r\n</HTML>\r\n")}),
    [](const auto &row) { return std::string(row.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Headings, ReadingAField,
    ::testing::Values(
        FieldCase{"h1_tag_default", note(QStringLiteral("<P>x</P>")), &PageEditFields::ETAGH1, QStringLiteral("<H1>")},
        FieldCase{"h1_aligned_tag", note(QStringLiteral("<H1 align=\"center\">a</H1>")), &PageEditFields::ETAGH1,
                  QStringLiteral("<H1 align=\"center\">")},
        FieldCase{"h1_br_over_source_lines", note(QStringLiteral("<H1>one<BR>\r\ntwo</H1>")), &PageEditFields::Memo4,
                  QStringLiteral("one\r\ntwo")},
        FieldCase{"h1_lower_case_br_stays", note(QStringLiteral("<H1>a<br>b</H1>")), &PageEditFields::Memo4,
                  QStringLiteral("a<br>b")},
        FieldCase{"h1_lower_case_tags", note(QStringLiteral("<h1>x</h1>")), &PageEditFields::Memo4, QStringLiteral("x")},
        FieldCase{"h1_without_closing_tag_not_read", note(QStringLiteral("<H1>a")), &PageEditFields::Memo4, QString()},
        FieldCase{"h2_text", note(QStringLiteral("<H1>a</H1><H2 align=\"right\">b</H2>")), &PageEditFields::Memo5,
                  QStringLiteral("b")},
        FieldCase{"h2_tag", note(QStringLiteral("<H1>a</H1><H2 align=\"right\">b</H2>")), &PageEditFields::ETAGH2,
                  QStringLiteral("<H2 align=\"right\">")},
        FieldCase{"text_between_headings", note(QStringLiteral("<H1>a</H1>mid<H2>b</H2>")),
                  &PageEditFields::textBetweenHeadings, QStringLiteral("mid")},
        FieldCase{"nothing_between_without_h2", note(QStringLiteral("<H1>a</H1>mid")),
                  &PageEditFields::textBetweenHeadings, QString()}),
    [](const auto &row) { return std::string(row.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Table, ReadingAField,
    ::testing::Values(
        FieldCase{"align_right", note(QStringLiteral("<TABLE border=\"1\" align=\"right\"><TD>x</TD></TABLE>")),
                  &PageEditFields::ETAGHYO1, QStringLiteral("align=\"right\"")},
        FieldCase{"width_without_align", note(QStringLiteral("<TABLE border=\"1\"  width=\"640\"><TD>x</TD></TABLE>")),
                  &PageEditFields::ETAGHYO1, QString()},
        FieldCase{"lower_case_table_not_read", note(QStringLiteral("<table><TD>x</TD></table>")),
                  &PageEditFields::ETAGHYO1, QString()}),
    [](const auto &row) { return std::string(row.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Paragraphs, ReadingAField,
    ::testing::Values(
        FieldCase{"plain_first_paragraph_is_the_text", note(QStringLiteral("<P>plain</P><P>second</P><P>third</P>")),
                  &PageEditFields::Memo2, QStringLiteral("plain")},
        FieldCase{"empty_first_paragraph_dropped", note(QStringLiteral("<P></P><P>second</P><P>third</P>")),
                  &PageEditFields::Memo2, QStringLiteral("second")},
        FieldCase{"paragraph_between_headings_read_once",
                  note(QStringLiteral("<H1>a</H1><P><IMG src=\"p.png\"></P><H2>b</H2><P>text</P>")),
                  &PageEditFields::Memo2, QStringLiteral("text")},
        FieldCase{"dropped_paragraph_gives_p_tag", note(QStringLiteral("<P align=\"left\">plain</P>")),
                  &PageEditFields::ETAGSRC1, QStringLiteral("<P>")},
        FieldCase{"text_paragraph_tag", note(QStringLiteral("<P><IMG src=\"a.gif\"></P><P align=\"center\">t</P>")),
                  &PageEditFields::ETAGP1, QStringLiteral("<P align=\"center\">")},
        FieldCase{"text_paragraph_br", note(QStringLiteral("<P></P><P>a<BR>\r\nb</P>")), &PageEditFields::Memo2,
                  QStringLiteral("a\r\nb")},
        FieldCase{"empty_note_image_tag", note(QString()), &PageEditFields::ETAGSRC1, QStringLiteral("<P>")},
        FieldCase{"empty_note_text_tag", note(QString()), &PageEditFields::ETAGP1, QStringLiteral("<P>")},
        FieldCase{"note_without_paragraph_text_tag_empty", note(QStringLiteral("<H1>a</H1>x")),
                  &PageEditFields::ETAGP1, QString()},
        FieldCase{"lower_case_paragraph_is_read", note(QStringLiteral("<p>a href=</p>")),
                  &PageEditFields::Edit7, QStringLiteral("a href=")}),
    [](const auto &row) { return std::string(row.param.name); });

const QString kLinkedImage = QStringLiteral(
    "<P align=\"center\"><A href=\"next.html\"><IMG src=\"a.jpg\" width=\"370\" height=\"300\"></A></P><P>t</P>");
const QString kImg = QStringLiteral("<IMG src=\"a.jpg\" width=\"370\" height=\"300\">");
const QString kMidLink = QStringLiteral("<P>see <A href=\"x.html\">here</A> now</P>");

INSTANTIATE_TEST_SUITE_P(
    LinkAndPicture, ReadingAField,
    ::testing::Values(
        FieldCase{"link_target", note(kLinkedImage), &PageEditFields::Edit2, QStringLiteral("next.html")},
        FieldCase{"link_text", note(kLinkedImage), &PageEditFields::Edit3, kImg},
        FieldCase{"content_without_link", note(kLinkedImage), &PageEditFields::Edit7, kImg},
        FieldCase{"start_tag", note(kLinkedImage), &PageEditFields::ETAGSRC1, QStringLiteral("<P align=\"center\">")},
        FieldCase{"width", note(kLinkedImage), &PageEditFields::GX, QStringLiteral("370")},
        FieldCase{"height", note(kLinkedImage), &PageEditFields::GY, QStringLiteral("300")},
        FieldCase{"jpeg_named", note(kLinkedImage), &PageEditFields::Gname, QStringLiteral("a.jpg")},
        FieldCase{"gif_named", note(QStringLiteral("<P><IMG src=\"b.GIF\"></P>")), &PageEditFields::Gname,
                  QStringLiteral("b.GIF")},
        FieldCase{"png_named", note(QStringLiteral("<P><IMG src=\"c.png\"></P>")), &PageEditFields::Gname, QStringLiteral("c.png")},
        FieldCase{"tiff_not_named", note(QStringLiteral("<P><IMG src=\"c.tif\"></P>")), &PageEditFields::Gname, QString()},
        FieldCase{"backslash_name_as_path", note(QStringLiteral("<P><IMG src=\"pic\\d.bmp\"></P>")),
                  &PageEditFields::Gname, QStringLiteral("pic/d.bmp")},
        FieldCase{"link_inside_text_stays_in_content", note(kMidLink), &PageEditFields::Edit7,
                  QStringLiteral("see <A href=\"x.html\">here</A> now")},
        FieldCase{"link_inside_text_no_target", note(kMidLink), &PageEditFields::Edit2, QString()},
        FieldCase{"text_after_link_keeps_content", note(QStringLiteral("<P><A href=\"x\">a</A> b</P>")),
                  &PageEditFields::Edit7, QStringLiteral("<A href=\"x\">a</A> b")},
        FieldCase{"unquoted_width_not_taken", note(QStringLiteral("<P><IMG src=\"a.gif\" width=370 alt=\"z\"></P>")),
                  &PageEditFields::GX, QString()}),
    [](const auto &row) { return std::string(row.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Regions, ReadingAField,
    ::testing::Values(
        FieldCase{"header_with_markers",
                  QString(page(QStringLiteral("x"), {})).replace(QStringLiteral("<!--HEDDA_IN-->"),
                                                                 QStringLiteral("<!--HEDDA_IN-->head")),
                  &PageEditFields::headerSection, QStringLiteral("<!--HEDDA_IN-->head<!--HEDDA_OUT-->")},
        FieldCase{"lower_case_marker_not_recognised",
                  QString(page(QStringLiteral("x"), QStringLiteral("<H1>a</H1>")))
                      .replace(QStringLiteral("NOTE_"), QStringLiteral("note_")),
                  &PageEditFields::Memo4, QString()},
        FieldCase{"missing_end_marker_leaves_text",
                  QString(page(QStringLiteral("x"), QStringLiteral("<H1>a</H1>"))).remove(QStringLiteral("<!--NOTE_OUT-->")),
                  &PageEditFields::pageRest,
                  QStringLiteral("\r\n\r\n<!--NOTE_IN--><H1>a</H1>\r\n\r\n</BODY>\r\n</HTML>\r\n")},
        FieldCase{"comment_block_accepted", pageWithBodyText(QStringLiteral("<!-- c --><P>para</P>")),
                  &PageEditFields::leadingCommentBlock, QStringLiteral("<!-- c --><P>para</P>")},
        FieldCase{"text_before_comment", pageWithBodyText(QStringLiteral("<!-- c -->\r\n<P>para</P>")),
                  &PageEditFields::textBeforeComment, QStringLiteral("\r\n")},
        FieldCase{"comment_block_failing_stays_once", pageWithBodyText(QStringLiteral("<!-- c --><HR><P>para</P>")),
                  &PageEditFields::pageRest,
                  QStringLiteral("\r\n<!-- c --><HR><P>para</P>\r\n\r\n\r\n</BODY>\r\n</HTML>\r\n")},
        FieldCase{"comment_without_end_not_taken", pageWithBodyText(QStringLiteral("<!-- c <P>p</P>")),
                  &PageEditFields::leadingCommentBlock, QString()},
        FieldCase{"lone_note_marker_is_no_comment_block",
                  QString(pageWithBodyText(QStringLiteral("<!--NOTE_IN--><P>p</P>"))).remove(QStringLiteral("<!--NOTE_OUT-->")),
                  &PageEditFields::leadingCommentBlock, QString()},
        FieldCase{"attributed_paragraph_fails_block", pageWithBodyText(QStringLiteral("<!--c--><P align=\"x\">p</P>")),
                  &PageEditFields::leadingCommentBlock, QString()}),
    [](const auto &row) { return std::string(row.param.name); });

struct NumberCase {
    const char *name;
    QString page;
    int PageEditFields::*field;
    int expected;
};

class ReadingANumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ReadingANumber, SetsIt)
{
    EXPECT_EQ(read(GetParam().page).*(GetParam().field), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ReadingANumber,
    ::testing::Values(NumberCase{"style_0", page(QStringLiteral("x"), {}, 0), &PageEditFields::GroupBox1Tag, 0},
                      NumberCase{"style_1", page(QStringLiteral("x"), {}, 1), &PageEditFields::GroupBox1Tag, 1},
                      NumberCase{"style_2", page(QStringLiteral("x"), {}, 2), &PageEditFields::GroupBox1Tag, 2},
                      NumberCase{"style_3", page(QStringLiteral("x"), {}, 3), &PageEditFields::GroupBox1Tag, 3},
                      NumberCase{"style_4", page(QStringLiteral("x"), {}, 4), &PageEditFields::GroupBox1Tag, 4},
                      NumberCase{"one_cell_is_no_table_layout", note(QStringLiteral("<TABLE><TD>a</TD></TABLE>")),
                                 &PageEditFields::ETAGHYO1Tag, 0},
                      NumberCase{"second_cell_is_table_layout",
                                 note(QStringLiteral("<TABLE><TD>a</TD><TD></TD></TABLE>")), &PageEditFields::ETAGHYO1Tag, 1}),
    [](const auto &row) { return std::string(row.param.name); });

// A table the grid cannot hold as it stands is no grid: it stays in the page as written.
struct KeptTableCase {
    const char *name;
    QString table;
};

class ReadingKeptTables : public ::testing::TestWithParam<KeptTableCase> {};

TEST_P(ReadingKeptTables, StayAsWritten)
{
    const PageEditFields f = read(note(GetParam().table + QStringLiteral("<P><IMG src=\"a.gif\"></P><P>after</P>")));
    EXPECT_FALSE(f.anyCell());
    EXPECT_EQ(f.textBeforeParagraphs, GetParam().table);
    EXPECT_EQ(f.Memo2, QStringLiteral("after"));
}

QString eightyCells()
{
    QString table = QStringLiteral("<TABLE border=\"1\"><TBODY>");
    for (int cell = 1; cell <= 80; ++cell)
        table += QStringLiteral("<TR><TD x=\"y\">c%1</TD></TR>\r\n").arg(cell);
    return table + QStringLiteral("</TBODY></TABLE>");
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ReadingKeptTables,
    ::testing::Values(KeptTableCase{"eighty_cells", eightyCells()},
                      KeptTableCase{"cell_without_closing_tag", QStringLiteral("<TABLE><TD>a</TD><TD>rest of it</TABLE>")},
                      KeptTableCase{"lower_case", QStringLiteral("<table><tr><td>a</td></tr></table>")},
                      KeptTableCase{"header_cells", QStringLiteral("<TABLE><TR><TH>h</TH><TD>a</TD></TR></TABLE>")},
                      KeptTableCase{"empty_cells_only", QStringLiteral("<TABLE><TD></TD></TABLE>")}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(ReadingCells, BreaksInCellsAndHeadings)
{
    const PageEditFields f =
        read(note(QStringLiteral("<H1>a<BR>\r\nb</H1><TABLE><TD>c<BR>d\r\ne</TD><TD>f<br>g</TD></TABLE>")));
    EXPECT_EQ(f.Memo4, QStringLiteral("a\r\nb"));                 // source line end dropped
    EXPECT_EQ(*f.memo(1), QStringLiteral("c\r\nd\r\ne"));         // source line end kept in a cell
    EXPECT_EQ(*f.memo(3), QStringLiteral("f<br>g"));
}

TEST(ReadingNote, WithoutNoteMarkersEverythingIsEmpty)
{
    QString text = page(QStringLiteral("x"), QString());
    text.remove(QStringLiteral("<!--NOTE_IN-->")).remove(QStringLiteral("<!--NOTE_OUT-->"));
    const PageEditFields f = read(text);
    EXPECT_EQ(f.ETAGSRC1, QStringLiteral("<P>"));
    EXPECT_EQ(f.ETAGP1, QStringLiteral("<P>"));
    EXPECT_FALSE(f.anyCell());
    EXPECT_TRUE(f.Memo2.isEmpty() && f.Memo4.isEmpty() && f.Memo5.isEmpty() && f.Edit7.isEmpty());
    EXPECT_FALSE(f.pictureSizeRead);
}

TEST(ReadingNote, PictureSizeOnlyWithAnImageLinkParagraph)
{
    EXPECT_TRUE(read(note(kLinkedImage)).pictureSizeRead);
    EXPECT_FALSE(read(note(QStringLiteral("<P>plain</P>"))).pictureSizeRead);
}

TEST(ReadingPictures, PreviewOnlyForExistingJpegAndBmp)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + QLatin1Char('/');
    testutil::writeBytes(dir.path(), QStringLiteral("a.jpg"), "x");
    testutil::writeBytes(dir.path(), QStringLiteral("b.gif"), "x");
    EXPECT_EQ(read(note(kLinkedImage), folder).Image1Path, folder + QStringLiteral("a.jpg"));
    EXPECT_TRUE(read(note(QStringLiteral("<P><IMG src=\"b.gif\"></P>")), folder).Image1Path.isEmpty());
    EXPECT_TRUE(read(note(QStringLiteral("<P><IMG src=\"c.jpg\"></P>")), folder).Image1Path.isEmpty());
}

TEST(ReadingPages, LookLinksSetTheFlag)
{
    const PageEditFields f = read(note(QStringLiteral("<P>x</P><P><A href=\"/$LOOK word\">word</A></P>")));
    EXPECT_TRUE(f.lookFlag);
    EXPECT_FALSE(read(note(QStringLiteral("<P>x</P>"))).lookFlag);
}

TEST(ReadingPages, QuizControlsBecomeAnswerFields)
{
    const QString plain = note(QStringLiteral("<P></P><P>1+1=(2)</P>"));
    const QuizPageResult quiz = makeQuizPage(plain, AnswerMarks{});
    ASSERT_TRUE(quiz.made());
    const PageEditFields f = read(pageedit::asFileText(quiz.page));
    EXPECT_EQ(f.Memo2, QStringLiteral("1+1=(2)"));
    EXPECT_FALSE(f.pageRest.contains(pageformat::kGeneratedBeginStart));
    EXPECT_FALSE(f.bodyHead.contains(pageformat::kGeneratedBeginStart));
}

struct RefusalCase {
    const char *name;
    QString text;
    PageTextOrigin origin;
    PageEditRefusal refusal;
};

class RefusingPages : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusingPages, ByOrigin)
{
    EXPECT_EQ(readPageForEditing(GetParam().text, GetParam().origin, {}).refusal, GetParam().refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, RefusingPages,
    ::testing::Values(
        RefusalCase{"file_page", note(QString()), PageTextOrigin::File, PageEditRefusal::None},
        RefusalCase{"file_without_doctype", QStringLiteral("<HTML><BODY>x</BODY></HTML>"), PageTextOrigin::File,
                    PageEditRefusal::NotAPage},
        RefusalCase{"file_lower_case_doctype", QStringLiteral("<!doctype html public><HTML></HTML>"),
                    PageTextOrigin::File, PageEditRefusal::NotAPage},
        RefusalCase{"given_text_needs_no_doctype", QStringLiteral("<HTML><BODY>x</BODY></HTML>"),
                    PageTextOrigin::Given, PageEditRefusal::None}),
    [](const auto &row) { return std::string(row.param.name); });

} // namespace
