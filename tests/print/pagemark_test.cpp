#include "print/pagemark.h"

#include "testutil.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

struct MarkCase {
    const char *name;
    QString page;   // written with CR LF line ends
    bool on;
    QString label;
    QString expected;
    PageMarkResult::Status status = PageMarkResult::Status::Written;
};

class PageMarking : public ::testing::TestWithParam<MarkCase> {};

// The file is rewritten as UTF-8 with byte-order mark and CR LF, and only its title changes.
TEST_P(PageMarking, RewritesTheTitleInThePageFile)
{
    QTemporaryDir dir;
    const MarkCase &row = GetParam();
    testutil::writePage(dir.path(), QStringLiteral("1010_a.html"), row.page);
    const PageMarkResult result = setPageMark(QStringLiteral("1010_a.html"), dir.path() + QLatin1Char('/'), row.label, row.on);
    ASSERT_EQ(result.status, row.status) << result.message().toStdString();
    QString expected = row.expected;
    expected.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    EXPECT_EQ(testutil::readBytes(dir.filePath(QStringLiteral("1010_a.html"))), kBom + expected.toUtf8());
}

const QString kHead = QStringLiteral("<HTML>\n<HEAD>\n");

INSTANTIATE_TEST_SUITE_P(
    Titles, PageMarking,
    ::testing::Values(
        MarkCase{"mark_puts_the_mark_in_front", kHead + QStringLiteral("<TITLE>まとめ#復習?ヒント</TITLE>\n</HEAD>\n"), true, {},
                 kHead + QStringLiteral("<TITLE>\"!\"まとめ#復習?ヒント</TITLE>\n</HEAD>\n")},
        MarkCase{"marking_a_marked_page_keeps_one_mark", kHead + QStringLiteral("<TITLE>\"!\"まとめ</TITLE>\n"), true, {},
                 kHead + QStringLiteral("<TITLE>\"!\"まとめ</TITLE>\n")},
        MarkCase{"unmark_takes_the_mark_away", kHead + QStringLiteral("<TITLE>\"!\"まとめ</TITLE>\n"), false, {},
                 kHead + QStringLiteral("<TITLE>まとめ</TITLE>\n")},
        MarkCase{"unmarking_an_unmarked_page_keeps_its_title", kHead + QStringLiteral("<TITLE>まとめ</TITLE>\n"), false, {},
                 kHead + QStringLiteral("<TITLE>まとめ</TITLE>\n")},
        MarkCase{"empty_title_takes_the_button_label", kHead + QStringLiteral("<TITLE></TITLE>\n"), true,
                 QStringLiteral("Intro"), kHead + QStringLiteral("<TITLE>\"!\"Intro</TITLE>\n")},
        MarkCase{"label_is_stored_with_escaped_angles", kHead + QStringLiteral("<TITLE></TITLE>\n"), true,
                 QStringLiteral("a<b"), kHead + QStringLiteral("<TITLE>\"!\"a&lt;b</TITLE>\n")},
        // Marking would put the mark in the picture's place: the page is left alone and the user told.
        MarkCase{"bmp_glyph_keeps_the_title_when_marking", kHead + QStringLiteral("<TITLE>\"pic.BMP\"絵</TITLE>\n"), true, {},
                 kHead + QStringLiteral("<TITLE>\"pic.BMP\"絵</TITLE>\n"), PageMarkResult::Status::KeptPicture},
        MarkCase{"unmarking_a_marked_picture_keeps_the_picture", kHead + QStringLiteral("<TITLE>\"!\"\"p.bmp\"絵</TITLE>\n"), false, {},
                 kHead + QStringLiteral("<TITLE>\"p.bmp\"絵</TITLE>\n")},
        MarkCase{"picture_named_in_the_caption_is_no_glyph", kHead + QStringLiteral("<TITLE>Save as .PNG#画像の保存</TITLE>\n"), true, {},
                 kHead + QStringLiteral("<TITLE>\"!\"Save as .PNG#画像の保存</TITLE>\n")},
        MarkCase{"unmark_of_a_caption_naming_a_picture", kHead + QStringLiteral("<TITLE>\"!\"Save as .PNG#画像の保存</TITLE>\n"), false, {},
                 kHead + QStringLiteral("<TITLE>Save as .PNG#画像の保存</TITLE>\n")},
        MarkCase{"png_glyph_keeps_the_title_when_marking", kHead + QStringLiteral("<TITLE>\"neko.png\"どうぶつ</TITLE>\n"), true, {},
                 kHead + QStringLiteral("<TITLE>\"neko.png\"どうぶつ</TITLE>\n"), PageMarkResult::Status::KeptPicture},
        MarkCase{"jpeg_glyph_keeps_the_title_when_unmarking", kHead + QStringLiteral("<TITLE>\"a.JPEG\"x</TITLE>\n"), false, {},
                 kHead + QStringLiteral("<TITLE>\"a.JPEG\"x</TITLE>\n")},
        MarkCase{"gif_glyph_keeps_the_title_when_marking", kHead + QStringLiteral("<TITLE>\"a.gif\"x</TITLE>\n"), true, {},
                 kHead + QStringLiteral("<TITLE>\"a.gif\"x</TITLE>\n"), PageMarkResult::Status::KeptPicture},
        MarkCase{"glyph_naming_no_picture_is_replaced_by_the_mark", kHead + QStringLiteral("<TITLE>\"star\"どうぶつ</TITLE>\n"), true, {},
                 kHead + QStringLiteral("<TITLE>\"!\"どうぶつ</TITLE>\n")},
        MarkCase{"glyph_naming_no_picture_is_dropped_by_unmarking", kHead + QStringLiteral("<TITLE>\"star\"どうぶつ</TITLE>\n"), false, {},
                 kHead + QStringLiteral("<TITLE>どうぶつ</TITLE>\n")},
        MarkCase{"page_without_title_gets_one_after_head_tag",
                 QStringLiteral("<HTML>\n<head lang=\"ja\"><META charset=\"x\">\n</HEAD>\n"), true, QStringLiteral("Intro"),
                 QStringLiteral("<HTML>\n<head lang=\"ja\"><TITLE>\"!\"Intro</TITLE><META charset=\"x\">\n</HEAD>\n")},
        MarkCase{"lower_case_title_tags_are_written_upper_case", kHead + QStringLiteral("<title>x</title>\n"), true, {},
                 kHead + QStringLiteral("<TITLE>\"!\"x</TITLE>\n")},
        MarkCase{"title_without_end_tag_loses_no_text", kHead + QStringLiteral("<TITLE>x\n</HEAD><BODY>b</BODY>\n"), true,
                 QStringLiteral("L"), kHead + QStringLiteral("<TITLE>\"!\"L</TITLE>x\n</HEAD><BODY>b</BODY>\n")},
        MarkCase{"text_without_head_gets_title_at_start", QStringLiteral("<P>x</P>\n"), true, QStringLiteral("L"),
                 QStringLiteral("<TITLE>\"!\"L</TITLE><P>x</P>\n")}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(PageMark, WebReferenceIsSkipped)
{
    EXPECT_EQ(setPageMark(QStringLiteral("https://example.org/a.html"), QStringLiteral("/tmp/"), {}, true).status,
              PageMarkResult::Status::Skipped);
    EXPECT_EQ(setPageMark(QStringLiteral("x/http:/a.html"), QStringLiteral("/tmp/"), {}, true).status,
              PageMarkResult::Status::Skipped);
}

TEST(PageMark, MissingPageIsAReadErrorWithItsPath)
{
    QTemporaryDir dir;
    const PageMarkResult result = setPageMark(QStringLiteral("gone.html"), dir.path() + QLatin1Char('/'), {}, true);
    EXPECT_EQ(result.status, PageMarkResult::Status::ReadError);
    EXPECT_TRUE(result.message().contains(dir.filePath(QStringLiteral("gone.html"))));
}

TEST(PageMark, PageInReadOnlyFolderStaysAsItWasAndTheFailureIsReported)
{
    QTemporaryDir dir;
    const QString path = testutil::writePage(dir.path(), QStringLiteral("sub/a.html"), QStringLiteral("<TITLE>x</TITLE>"));
    const QByteArray before = testutil::readBytes(path);
    const QString sub = dir.filePath(QStringLiteral("sub"));
    if (!testutil::makeFolderReadOnly(sub))
        GTEST_SKIP() << "cannot make a folder read-only here";
    const PageMarkResult result = setPageMark(QStringLiteral("a.html"), sub + QLatin1Char('/'), {}, true);
    testutil::restoreFolder(sub);
    EXPECT_EQ(result.status, PageMarkResult::Status::WriteError);
    EXPECT_FALSE(result.message().isEmpty());
    EXPECT_EQ(testutil::readBytes(path), before);
}

} // namespace
