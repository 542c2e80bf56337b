#include "print/printfolder.h"
#include "print/snapshotzoom.h"
#include "print/worksheet.h"

#include "printpages.h"
#include "testutil.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;

namespace {

QString header(const QString &title)
{
    return worksheetHeader(title);
}

struct SheetCase {
    const char *name;
    QString converted;
    QString sheet;
};

class WorksheetBuilding : public ::testing::TestWithParam<SheetCase> {};

TEST_P(WorksheetBuilding, PutsTheHeaderAfterTheBodyTag)
{
    EXPECT_EQ(buildWorksheet(GetParam().converted), GetParam().sheet);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, WorksheetBuilding,
    ::testing::Values(
        SheetCase{"title_moves_into_the_header_and_blanks_read_one",
                  QStringLiteral("<HEAD><TITLE>t[]</TITLE></HEAD><BODY bgcolor=\"w\">a[]b[]</BODY></HTML>"),
                  QStringLiteral("<HEAD><TITLE></TITLE></HEAD><BODY bgcolor=\"w\">") + header(QStringLiteral("t[]"))
                      + QStringLiteral("a[1]b[1]</BODY></HTML>")},
        SheetCase{"title_line_break_and_hint_dropped",
                  QStringLiteral("<HEAD><title>Unit 3#Fractions?hint</title></HEAD><BODY>x</BODY>"),
                  QStringLiteral("<HEAD><title></title></HEAD><BODY>") + header(QStringLiteral("Unit 3<BR>Fractions"))
                      + QStringLiteral("x</BODY>")},
        SheetCase{"glyph_or_mark_stays_in_the_title",
                  QStringLiteral("<TITLE>\"!\"まとめ</TITLE><BODY>x</BODY>"),
                  QStringLiteral("<TITLE></TITLE><BODY>") + header(QStringLiteral("\"!\"まとめ")) + QStringLiteral("x</BODY>")},
        SheetCase{"no_body_gives_only_the_header", QStringLiteral("<HEAD><TITLE>t</TITLE></HEAD>"), header(QString())},
        SheetCase{"body_without_end_runs_to_the_end", QStringLiteral("<BODY>a[]"),
                  QStringLiteral("<BODY>") + header(QString()) + QStringLiteral("a[1]")}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(WorksheetHeader, ClassNumberAndNameCells)
{
    EXPECT_EQ(worksheetHeader(QStringLiteral("T")),
              QStringLiteral("<CENTER><TABLE border=\"1\" width=\"640\"><TBODY><TR><TD height=\"71\" align=\"center\">"
                             "<FONT size=\"3\">T</FONT></TD><TD height=\"71\" width=\"170\" align=\"right\">"
                             "<FONT size=\"3\">年　　　組　　　番</FONT></TD><TD height=\"71\" width=\"300\">"
                             "<FONT size=\"3\">氏名</FONT></TD></TR></TBODY></TABLE></CENTER>"));
}

struct FileCase {
    const char *name;
    AnswerFieldMode mode;
    QString body;
};

class WorksheetFile : public ::testing::TestWithParam<FileCase> {};

// The answer fields of the page become blanks or answers; the file is a page file in the print folder.
TEST_P(WorksheetFile, WritesTheConvertedPage)
{
    QTemporaryDir dir;
    const QString book = dir.filePath(QStringLiteral("book"));
    testutil::writePage(book, QStringLiteral("1010_q.html"),
                        printpages::page(QStringLiteral("くだもの#秋"),
                                         QStringLiteral("<P>(apple|apple/pear) と (東京/とうきょう) [] <IMG src=\"neko.png\"></P>")));
    testutil::writeBytes(book, QStringLiteral("neko.png"), "cat");
    const QString documents = dir.filePath(QStringLiteral("docs"));
    const WorksheetOutcome outcome = writeWorksheet(
        {QStringLiteral("1010_q.html"), book + QLatin1Char('/'), book, documents, GetParam().mode, AnswerMarks{}});
    ASSERT_EQ(outcome.status, WorksheetOutcome::Status::Written) << outcome.message().toStdString();
    const PrintFolder folder(documents);
    EXPECT_EQ(outcome.sheetPath, folder.worksheetPath());
    EXPECT_TRUE(outcome.sheetPath.endsWith(QStringLiteral("/Sorvek$/_$$$test.html")));
    const QByteArray bytes = testutil::readBytes(folder.worksheetPath());
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF<!DOCTYPE"));
    const QString text = QString::fromUtf8(bytes);
    EXPECT_TRUE(text.contains(QStringLiteral("<BODY>") + header(QStringLiteral("くだもの<BR>秋")) + GetParam().body))
        << text.toStdString();
    EXPECT_EQ(testutil::readBytes(folder.filePath(QStringLiteral("neko.png"))), QByteArray("cat"));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, WorksheetFile,
    ::testing::Values(FileCase{"question_sheet_blanks", AnswerFieldMode::QuestionSheet,
                               QStringLiteral("<P>(　　　　　　　) と (　　　　) [1] <IMG")},
                      FileCase{"answer_sheet_first_answers", AnswerFieldMode::AnswerSheet,
                               QStringLiteral("<P>(apple) と (東京) [1] <IMG")}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(WorksheetFileErrors, MissingPageIsReportedAndNothingWritten)
{
    QTemporaryDir dir;
    const QString documents = dir.filePath(QStringLiteral("docs"));
    const WorksheetOutcome outcome = writeWorksheet(
        {QStringLiteral("gone.html"), dir.path() + QLatin1Char('/'), dir.path(), documents, AnswerFieldMode::QuestionSheet, {}});
    EXPECT_EQ(outcome.status, WorksheetOutcome::Status::ReadError);
    EXPECT_FALSE(outcome.preview());
    EXPECT_FALSE(QFile::exists(PrintFolder(documents).worksheetPath()));
}

TEST(WorksheetFileErrors, WebPageIsSkipped)
{
    EXPECT_EQ(writeWorksheet({QStringLiteral("http://example.org/a.html"), QStringLiteral("/tmp/"), QStringLiteral("/tmp"),
                              QStringLiteral("/tmp/none"), AnswerFieldMode::AnswerSheet, {}})
                  .status,
              WorksheetOutcome::Status::Skipped);
}

struct ZoomCase {
    const char *name;
    QPoint clicked;
    QSize area;
    QRect source;
};

class SnapshotZoom : public ::testing::TestWithParam<ZoomCase> {};

TEST_P(SnapshotZoom, HalfTheAreaAroundTheClick)
{
    EXPECT_EQ(snapshotZoomSource(GetParam().clicked, GetParam().area), GetParam().source);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SnapshotZoom,
    ::testing::Values(ZoomCase{"centre", {400, 300}, {800, 600}, QRect(200, 150, 400, 300)},
                      ZoomCase{"top_left_corner_stays", {0, 0}, {800, 600}, QRect(0, 0, 400, 300)},
                      ZoomCase{"bottom_right_corner_stays", {800, 600}, {800, 600}, QRect(400, 300, 400, 300)},
                      ZoomCase{"odd_sizes_truncate", {101, 51}, {201, 101}, QRect(50, 25, 101, 51)},
                      ZoomCase{"click_outside_counts_at_the_edge", {-20, 900}, {800, 600}, QRect(0, 300, 400, 300)}),
    [](const auto &row) { return std::string(row.param.name); });

} // namespace
