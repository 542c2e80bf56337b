#include "print/printfolder.h"
#include "print/resumerun.h"

#include "printpages.h"
#include "testutil.h"

#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

using namespace sorvek;
using printpages::page;

namespace {

struct TitleCase {
    const char *name;
    QString text;
    QString title;
};

class ResumeTitle : public ::testing::TestWithParam<TitleCase> {};

TEST_P(ResumeTitle, ReadsTheRawTitle)
{
    EXPECT_EQ(resumeTitle(GetParam().text), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ResumeTitle,
    ::testing::Values(
        TitleCase{"raw_with_glyph_mark_line_and_hint", page(QStringLiteral("\"!\"\"a.png\"x#y?z"), {}),
                  QStringLiteral("\"!\"\"a.png\"x#y?z")},
        TitleCase{"title_at_the_very_start_is_none",
                  QStringLiteral("<TITLE>x</TITLE>") + printpages::kDoctype, QString()},
        TitleCase{"no_doctype_no_title", QStringLiteral("<HTML><TITLE>x</TITLE>"), QString()},
        TitleCase{"ends_at_any_closing_tag", printpages::kDoctype + QStringLiteral("<title>a<B>b</B></TITLE>"),
                  QStringLiteral("a<B>b")},
        TitleCase{"no_closing_tag_after_it", printpages::kDoctype + QStringLiteral("<TITLE>abc"), QString()}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(ResumeSheetText, MemoLinesEachEndWithBreak)
{
    EXPECT_EQ(resumeMemoHtml(QStringLiteral("a\r\nb")), QStringLiteral("a<BR>b<BR>"));
    EXPECT_EQ(resumeMemoHtml(QStringLiteral("a\r\nb\r\n")), QStringLiteral("a<BR>b<BR>"));
    EXPECT_EQ(resumeMemoHtml(QString()), QString());
}

TEST(ResumeSheetText, PictureNameFollowsThePageFileName)
{
    EXPECT_EQ(resumePictureName(QStringLiteral("1010_a.html")), QStringLiteral("_$$$1010_a.jpg"));
    EXPECT_EQ(resumePictureName(QStringLiteral("sub\\1020_b.htm")), QStringLiteral("_$$$1020_b.jpg"));
    EXPECT_EQ(PrintFolder(QStringLiteral("/home/ann/Documents/")).resumePicturePath(QStringLiteral("1010_a.html")),
              QStringLiteral("/home/ann/Documents/Sorvek$/_$$$1010_a.jpg"));
}

TEST(ResumeSheetText, PictureAddressFindsThePictureFile)
{
    const QString folder = QStringLiteral("/home/ann/Documents/Sorvek$");
    const QString names[] = {QStringLiteral("_$$$1010_a.jpg"), QStringLiteral("_$$$1020_#1.jpg"),
                             QStringLiteral("_$$$q?.jpg"), QStringLiteral("_$$$100%25.jpg"),
                             QStringLiteral("_$$$a b&c\"d.jpg"), QStringLiteral("_$$$表紙.jpg")};
    for (const QString &name : names) {
        ResumeSheet sheet;
        sheet.addPage(QStringLiteral("T"), {}, name);
        const QString document = sheet.document();
        const qsizetype start = document.indexOf(QStringLiteral("<IMG src=\"")) + 10;
        const QString src = document.mid(start, document.indexOf(u'"', start) - start);
        const QUrl sheetUrl = QUrl::fromLocalFile(folder + QStringLiteral("/_$$$resumeE.html"));
        EXPECT_EQ(sheetUrl.resolved(QUrl(src)).toLocalFile(), folder + u'/' + name) << src.toStdString();
    }
}

TEST(ResumeSheetText, OnePageRow)
{
    ResumeSheet sheet;
    sheet.addPage(QStringLiteral("T"), QStringLiteral("m<BR>"), QStringLiteral("_$$$1010_a.jpg"));
    EXPECT_EQ(sheet.document(),
              QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"> \r<HTML>\r<HEAD>\r"
                             "<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r"
                             "<META http-equiv=\"Content-Style-Type\" content=\"text/css\">\r<TITLE>RESUME</TITLE>\r"
                             "</HEAD>\r<BODY>\r"
                             "<TABLE border=\"1\" width=\"645\">\r<TBODY>\r<TR>\r<TD valign=\"top\"> \r"
                             "<P><IMG src=\"_$$$1010_a.jpg\" width=\"299\" height=\"182\" border=\"0\"></P> \r</TD>\r"
                             "<TD valign=\"top\" width=\"328\">[T]<BR>m<BR> </TD>\r</TR>\r</TBODY> \r</TABLE>\r"
                             "</BODY>\r</HTML>\r"));
}

TEST(ResumeSheetText, EmptyRowBeforeTheSixthAndEleventhPage)
{
    ResumeSheet sheet;
    for (int i = 0; i < 12; ++i)
        sheet.addPage(QString::number(i), {}, {});
    // Every page is a table of its own; the empty row is the one with two empty cells.
    const QStringList tables = sheet.document().split(QStringLiteral("<TABLE border")).mid(1);
    ASSERT_EQ(tables.size(), 12);
    QList<bool> spaced;
    for (const QString &table : tables)
        spaced.append(table.contains(QStringLiteral("<TR>\r<TD valign=\"top\"></TD>\r<TD valign=\"top\"></TD>\r</TR>\r")));
    EXPECT_EQ(spaced, (QList<bool>{false, false, false, false, false, true, false, false, false, false, true, false}));
}

// A level in a temporary book; the window's part is recorded.
class ResumeRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        folder_ = dir_.filePath(QStringLiteral("book")) + QLatin1Char('/');
        documents_ = dir_.filePath(QStringLiteral("docs"));
    }

    ResumeSteps steps()
    {
        return {[this](int i) {
                    shown_.append(i);
                    waitingWhenShown_.append(run_.Tag() > 0);
                },
                [this](const QString &path) {
                    captured_.append(path);
                    capturedAfterWait_.append(run_.Tag() == 0);
                    return WriteResult{!failCapture_, failCapture_ ? path + QStringLiteral(" (disk full)") : QString()};
                }};
    }

    // Runs to the end with a short wait a page; returns the outcome.
    ResumeOutcome runToEnd(const QStringList &pages, int returnIndex)
    {
        ResumeOutcome outcome;
        bool done = false;
        QEventLoop loop;
        QObject::connect(&run_, &ResumeRun::finished, &loop, [&](const ResumeOutcome &o) {
            outcome = o;
            done = true;
            loop.quit();
        });
        run_.Timer4->setInterval(5);
        EXPECT_TRUE(run_.start({pages, folder_, documents_, returnIndex}, steps()));
        if (!done) {
            QTimer::singleShot(20000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        EXPECT_TRUE(done);
        return outcome;
    }

    QTemporaryDir dir_;
    QString folder_, documents_;
    ResumeRun run_;
    QList<int> shown_;
    QList<bool> waitingWhenShown_, capturedAfterWait_;
    QStringList captured_;
    bool failCapture_ = false;
};

TEST_F(ResumeRunTest, EachPageWaitsTwoSecondsOnTheEventLoopBeforeItsPicture)
{
    testutil::writePage(folder_, QStringLiteral("1010_a.html"), page(QStringLiteral("a"), {}));
    EXPECT_EQ(run_.Timer4->interval(), 2000);
    EXPECT_EQ(run_.Timer4->objectName(), QStringLiteral("Timer4"));
    ASSERT_TRUE(run_.start({{QStringLiteral("1010_a.html")}, folder_, documents_, 0}, steps()));
    // A level of one page waits like any other: nothing is captured until Timer4 ticks.
    EXPECT_TRUE(run_.isRunning());
    EXPECT_TRUE(run_.Timer4->isActive());
    EXPECT_GT(run_.Tag(), 0);
    EXPECT_TRUE(captured_.isEmpty());
    EXPECT_FALSE(run_.start({{QStringLiteral("1010_a.html")}, folder_, documents_, 0}, steps()));
    run_.Timer4Timer();
    EXPECT_EQ(captured_.size(), 1);
    EXPECT_FALSE(run_.isRunning());
}

TEST_F(ResumeRunTest, ShowsEveryPageCapturesItAndGoesBackToTheRememberedPage)
{
    testutil::writePage(folder_, QStringLiteral("1010_a.html"), page(QStringLiteral("\"!\"あ#い?う"), {}));
    testutil::writePage(folder_, QStringLiteral("1010_a.txt"), QStringLiteral("a\nb"));
    testutil::writePage(folder_, QStringLiteral("1020_b.html"), page(QStringLiteral("b"), {}));
    testutil::writeBytes(folder_, QStringLiteral("1020_b.txt"), "\x83\x81\x83\x82");  // "メモ" in code page 932
    const ResumeOutcome outcome = runToEnd({QStringLiteral("1010_a.html"), QStringLiteral("1020_b.html")}, 1);
    ASSERT_EQ(outcome.status, ResumeOutcome::Status::Written);
    EXPECT_TRUE(outcome.message().isEmpty());
    EXPECT_EQ(shown_, (QList<int>{0, 1, 1}));
    EXPECT_EQ(waitingWhenShown_, (QList<bool>{true, true, false}));
    EXPECT_EQ(capturedAfterWait_, (QList<bool>{true, true}));
    const PrintFolder folder(documents_);
    EXPECT_EQ(captured_, (QStringList{folder.resumePicturePath(QStringLiteral("1010_a.html")),
                                      folder.resumePicturePath(QStringLiteral("1020_b.html"))}));
    EXPECT_EQ(outcome.resumePath, folder.resumePath());
    const QByteArray sheet = testutil::readBytes(folder.resumePath());
    EXPECT_TRUE(sheet.startsWith("\xEF\xBB\xBF<!DOCTYPE"));
    const QString text = QString::fromUtf8(sheet);
    EXPECT_TRUE(text.contains(QStringLiteral("[\"!\"あ#い?う]<BR>a<BR>b<BR> </TD>\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("[b]<BR>メモ<BR> </TD>\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("<IMG src=\"_$$$1020_b.jpg\"")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("</BODY>\r\n</HTML>\r\n")));
}

TEST_F(ResumeRunTest, UnreadablePageEndsTheRunOnThatPage)
{
    testutil::writePage(folder_, QStringLiteral("1010_a.html"), page(QStringLiteral("a"), {}));
    const ResumeOutcome outcome = runToEnd({QStringLiteral("1010_a.html"), QStringLiteral("gone.html")}, 0);
    EXPECT_EQ(outcome.status, ResumeOutcome::Status::ReadError);
    EXPECT_FALSE(outcome.preview());
    EXPECT_TRUE(outcome.message().contains(QStringLiteral("gone.html")));
    EXPECT_EQ(shown_, (QList<int>{0, 1}));
    EXPECT_EQ(run_.Tag(), 0);
    EXPECT_FALSE(QFile::exists(PrintFolder(documents_).resumePath()));
}

TEST_F(ResumeRunTest, UnsavedPicturesAreReportedButTheSheetIsWritten)
{
    testutil::writePage(folder_, QStringLiteral("1010_a.html"), page(QStringLiteral("a"), {}));
    failCapture_ = true;
    const ResumeOutcome outcome = runToEnd({QStringLiteral("1010_a.html")}, 0);
    EXPECT_EQ(outcome.status, ResumeOutcome::Status::Written);
    EXPECT_TRUE(outcome.preview());
    EXPECT_TRUE(outcome.message().contains(QStringLiteral("disk full")));
}

TEST_F(ResumeRunTest, EmptyLevelStartsNothing)
{
    EXPECT_FALSE(run_.start({{}, folder_, documents_, 0}, steps()));
    EXPECT_TRUE(shown_.isEmpty());
}

} // namespace

namespace {

TEST(PrintFolderPlace, BelowTheDocumentsFolder)
{
    EXPECT_EQ(PrintFolder(QStringLiteral("/home/ann/Documents")).mergedPath(),
              QStringLiteral("/home/ann/Documents/Sorvek$/_合体.html"));
    EXPECT_EQ(PrintFolder(QStringLiteral("/home/ann/Documents/")).mergedShiftJisPath(),
              QStringLiteral("/home/ann/Documents/Sorvek$/_合体SHIFT_JIS.html"));
    EXPECT_EQ(PrintFolder(QStringLiteral("/home/ann/Documents")).resumePath(),
              QStringLiteral("/home/ann/Documents/Sorvek$/_$$$resumeE.html"));
    EXPECT_EQ(PrintFolder(QStringLiteral("/")).worksheetPath(), QStringLiteral("/Sorvek$/_$$$test.html"));
}

TEST(PrintFolderPlace, NoDocumentsFolderIsNoPrintFolder)
{
    const WriteResult made = PrintFolder(QString()).create();
    EXPECT_FALSE(made.ok);
    EXPECT_FALSE(made.error.isEmpty());
}

} // namespace
