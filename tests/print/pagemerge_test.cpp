#include "print/mergejob.h"
#include "print/printfolder.h"

#include "printpages.h"
#include "testutil.h"

#include <QEventLoop>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace sorvek;
using printpages::page;

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

// A level folder in a book, and the documents folder below which the print folder is made.
class MergeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString book() const { return dir_.filePath(QStringLiteral("book")); }
    QString documents() const { return dir_.filePath(QStringLiteral("docs")); }
    PrintFolder printFolder() const { return PrintFolder(documents()); }

    // Writes the pages in order as 1010_p.html, 1020_p.html ... and returns their names.
    QStringList writeLevel(const QStringList &texts)
    {
        QStringList names;
        for (int i = 0; i < texts.size(); ++i) {
            names.append(QStringLiteral("%1_p.html").arg(1010 + 10 * i));
            testutil::writePage(book(), names.last(), texts.at(i));
        }
        return names;
    }

    MergeOutcome merge(const QStringList &names, MergeMode mode)
    {
        return mergePages({names, book() + QLatin1Char('/'), book(), documents(), mode});
    }

    // The body of the merged document: between "<BODY>" CR LF and "</BODY>", CR LF as written.
    QString mergedBody() const
    {
        const QString text = QString::fromUtf8(testutil::readBytes(printFolder().mergedPath()).mid(3));
        const qsizetype start = text.indexOf(QLatin1String("<BODY>\r\n")) + 8;
        return text.mid(start, text.lastIndexOf(QLatin1String("</BODY>")) - start);
    }

    QTemporaryDir dir_;
};

struct SelectCase {
    const char *name;
    MergeMode mode;
    QString body;
};

class MergeSelection : public MergeTest, public ::testing::WithParamInterface<SelectCase> {};

// Pages: index (plain title), marked, unmarked, without DOCTYPE, with an empty title.
TEST_P(MergeSelection, MergesTheSelectedPagesInLevelOrder)
{
    QString noDoctype = page(QStringLiteral("x"), QStringLiteral("D"));
    noDoctype.remove(printpages::kDoctype);
    const QStringList names = writeLevel({page(QStringLiteral("はじめに"), QStringLiteral("A")),
                                          page(QStringLiteral("\"!\"まとめ"), QStringLiteral("B")),
                                          page(QStringLiteral("きせつ"), QStringLiteral("C")), noDoctype,
                                          page(QString(), QStringLiteral("E"))});
    const MergeOutcome outcome = merge(names, GetParam().mode);
    ASSERT_EQ(outcome.status, MergeOutcome::Status::Written) << outcome.message().toStdString();
    EXPECT_EQ(mergedBody(), GetParam().body);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, MergeSelection,
    ::testing::Values(SelectCase{"marked_pages_only", MergeMode::Marked, QStringLiteral("B")},
                      SelectCase{"titled_pages_without_mark", MergeMode::Unmarked, QStringLiteral("AC")},
                      SelectCase{"all_titled_pages_never_one_without_doctype_or_title", MergeMode::All,
                                 QStringLiteral("ABC")}),
    [](const auto &row) { return std::string(row.param.name); });

struct PartCase {
    const char *name;
    QStringList pages;
    QString body;
};

class MergeParts : public MergeTest, public ::testing::WithParamInterface<PartCase> {};

TEST_P(MergeParts, BuildsTheMergedBody)
{
    const MergeOutcome outcome = merge(writeLevel(GetParam().pages), MergeMode::All);
    ASSERT_EQ(outcome.status, MergeOutcome::Status::Written) << outcome.message().toStdString();
    EXPECT_EQ(mergedBody(), GetParam().body);
}

const QString kBlock1 = QStringLiteral("<!--beginSorvek//-->g1<!--endSorvek//-->");
const QString kBlock2 = QStringLiteral("<!--beginSorvek//-->g2<!--endSorvek//-->");
const QString kBlock3 = QStringLiteral("<!--beginSorvek//-->g3<!--endSorvek//-->");

INSTANTIATE_TEST_SUITE_P(
    Parts, MergeParts,
    ::testing::Values(
        PartCase{"blanks_numbered_per_page_that_has_them",
                 {page(QStringLiteral("a"), QStringLiteral("x[]y[]")), page(QStringLiteral("b"), QStringLiteral("z")),
                  page(QStringLiteral("c"), QStringLiteral("[]"))},
                 QStringLiteral("x[1]y[1]z[2]")},
        PartCase{"body_tag_with_attributes_merges_the_whole_page",
                 {QStringLiteral("%1\n<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY bgcolor=\"red\">b</BODY></HTML>")
                      .arg(printpages::kDoctype)},
                 printpages::kDoctype + QStringLiteral("\r\n<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY bgcolor=\"red\">b"
                                                       "</BODY></HTML>")},
        PartCase{"first_style_element_dropped_second_kept",
                 {page(QStringLiteral("a"), QStringLiteral("1<style>x</style>2<STYLE>y</STYLE>3"))},
                 QStringLiteral("12<STYLE>y</STYLE>3")},
        PartCase{"two_generated_blocks_dropped_third_kept",
                 {page(QStringLiteral("a"), QStringLiteral("q") + kBlock1 + QStringLiteral("r") + kBlock2 + kBlock3)},
                 QStringLiteral("qr") + kBlock3},
        PartCase{"generated_block_without_end_is_kept",
                 {page(QStringLiteral("a"), QStringLiteral("q<!--beginSorvek//-->rest"))},
                 QStringLiteral("q<!--beginSorvek//-->rest")},
        PartCase{"body_without_end_tag_gives_nothing_from_that_page",
                 {QStringLiteral("%1<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>lost").arg(printpages::kDoctype),
                  page(QStringLiteral("b"), QStringLiteral("kept"))},
                 QStringLiteral("kept")},
        PartCase{"line_ends_of_parts_are_written_as_cr_lf",
                 {page(QStringLiteral("a"), QStringLiteral("1\n2\r3"))}, QStringLiteral("1\r\n2\r\n3")}),
    [](const auto &row) { return std::string(row.param.name); });

struct TitleCase {
    const char *name;
    QStringList titles;
    QStringList bodies;
    QString documentTitle;
};

class MergeTitle : public MergeTest, public ::testing::WithParamInterface<TitleCase> {};

TEST_P(MergeTitle, TakesTheFirstMergedPagesTitle)
{
    QStringList pages;
    for (int i = 0; i < GetParam().titles.size(); ++i)
        pages.append(page(GetParam().titles.at(i), GetParam().bodies.at(i)));
    ASSERT_EQ(merge(writeLevel(pages), MergeMode::All).status, MergeOutcome::Status::Written);
    const QString text = QString::fromUtf8(testutil::readBytes(printFolder().mergedPath()));
    EXPECT_TRUE(text.contains(QStringLiteral("<TITLE>") + GetParam().documentTitle + QStringLiteral("</TITLE>\r\n")))
        << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Titles, MergeTitle,
    ::testing::Values(
        TitleCase{"mark_and_glyph_dropped_caption_line_and_hint_kept", {QStringLiteral("\"!\"\"g.gif\"Caption#2?hint")},
                  {QStringLiteral("b")}, QStringLiteral("Caption#2?hint")},
        TitleCase{"page_with_empty_part_gives_way_to_the_next",
                  {QStringLiteral("空"), QStringLiteral("次のページ")}, {QString(), QStringLiteral("b")},
                  QStringLiteral("次のページ")}),
    [](const auto &row) { return std::string(row.param.name); });

TEST_F(MergeTest, WholeDocumentAndItsShiftJisCopy)
{
    const MergeOutcome outcome = merge(writeLevel({page(QStringLiteral("\"!\"ねこ"), QStringLiteral("<P>ねこ</P>"))}),
                                       MergeMode::Marked);
    ASSERT_EQ(outcome.status, MergeOutcome::Status::Written);
    EXPECT_EQ(outcome.merged, 1);
    EXPECT_EQ(outcome.mergedPath, printFolder().mergedPath());
    const QString expected = QStringLiteral(
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"> \r\n<HTML>\r\n<HEAD>\r\n"
        "<META http-equiv=\"Content-Type\" content=\"text/html; charset=%1\">\r\n"
        "<META http-equiv=\"Content-Style-Type\" content=\"text/css\">\r\n<TITLE>ねこ</TITLE>\r\n</HEAD>\r\n<BODY>\r\n"
        "<P>ねこ</P></BODY>\r\n</HTML>\r\n");
    EXPECT_EQ(testutil::readBytes(printFolder().mergedPath()), kBom + expected.arg(QStringLiteral("UTF-8")).toUtf8());
    QStringEncoder sjis("windows-31j");
    const QByteArray copy = testutil::readBytes(printFolder().mergedShiftJisPath());
    EXPECT_EQ(copy, QByteArray(sjis.encode(expected.arg(QStringLiteral("SHIFT_JIS")))));
    EXPECT_TRUE(copy.contains(QByteArray("\x82\xCB\x82\xB1")));  // ねこ in code page 932, no byte-order mark
}

TEST_F(MergeTest, ShiftJisCopyWritesWhatItCannotHoldAsQuestionMarksAndSaysSo)
{
    const MergeOutcome outcome =
        merge(writeLevel({page(QStringLiteral("a"), QStringLiteral("<P>ねこ\U0001F431caf\u00e9</P>"))}), MergeMode::All);
    ASSERT_EQ(outcome.status, MergeOutcome::Status::Written);
    EXPECT_EQ(outcome.unmappable, 2);
    EXPECT_TRUE(testutil::readBytes(printFolder().mergedShiftJisPath()).contains("<P>\x82\xCB\x82\xB1?caf?</P>"));
    EXPECT_TRUE(outcome.message().contains(QStringLiteral("「?」"))) << outcome.message().toStdString();
    EXPECT_TRUE(outcome.preview());
}

TEST_F(MergeTest, NothingSelectedWritesNothingAndSaysSo)
{
    const MergeOutcome outcome = merge(writeLevel({page(QStringLiteral("a"), QStringLiteral("b"))}), MergeMode::Marked);
    EXPECT_EQ(outcome.status, MergeOutcome::Status::NothingToMerge);
    EXPECT_EQ(outcome.message(), QStringLiteral("合体するページがありません。"));
    EXPECT_FALSE(outcome.preview());
    EXPECT_FALSE(QFile::exists(printFolder().mergedPath()));
}

TEST_F(MergeTest, OnlyEmptyPartsIsNothingToMerge)
{
    EXPECT_EQ(merge(writeLevel({page(QStringLiteral("a"), QString())}), MergeMode::All).status,
              MergeOutcome::Status::NothingToMerge);
}

TEST_F(MergeTest, UnreadablePageStopsTheMergeBeforeAnythingIsWritten)
{
    QStringList names = writeLevel({page(QStringLiteral("a"), QStringLiteral("b"))});
    names.append(QStringLiteral("gone.html"));
    const MergeOutcome outcome = merge(names, MergeMode::All);
    EXPECT_EQ(outcome.status, MergeOutcome::Status::ReadError);
    EXPECT_TRUE(outcome.message().contains(QStringLiteral("gone.html")));
    EXPECT_FALSE(QFile::exists(printFolder().mergedPath()));
}

TEST_F(MergeTest, WebPagesOfALinkLevelAreLeftOut)
{
    QStringList names = writeLevel({page(QStringLiteral("a"), QStringLiteral("b"))});
    names.prepend(QStringLiteral("https://example.org/x.html"));
    EXPECT_EQ(merge(names, MergeMode::All).status, MergeOutcome::Status::Written);
    EXPECT_EQ(mergedBody(), QStringLiteral("b"));
}

TEST_F(MergeTest, PicturesAreCopiedBesideTheDocument)
{
    testutil::writeBytes(book(), QStringLiteral("neko.png"), "cat");
    testutil::writeBytes(book(), QStringLiteral("pic.png"), "root");
    testutil::writeBytes(book(), QStringLiteral("sub/pic.png"), "page's own");
    testutil::writeBytes(book(), QStringLiteral("sub/only-here.png"), "local");
    testutil::writeBytes(dir_.path(), QStringLiteral("secret.png"), "outside");
    for (const QString &name : {QStringLiteral("sub/spaced pic.png"), QStringLiteral("sub/a#1.png"),
                                QStringLiteral("sub/sq.png"), QStringLiteral("sub/img/bg.png")})
        testutil::writeBytes(book(), name, "encoded");
    const QString body = QStringLiteral("<IMG src=\"neko.png\"><IMG SRC=\"only-here.png\"><IMG src=\"../secret.png\">"
                                        "<IMG src=\"missing.png\"><IMG src=neko.png><IMG src=\"pic.png\">"
                                        "<IMG src=\"spaced%20pic.png\"><IMG src=\"a%231.png\"><IMG src='sq.png'>"
                                        "<P style=\"background:url(img/bg.png)\">");
    testutil::writePage(book(), QStringLiteral("sub/a.html"), page(QStringLiteral("a"), body));
    const MergeOutcome outcome =
        mergePages({{QStringLiteral("a.html")}, book() + QStringLiteral("/sub/"), book(), documents(), MergeMode::All});
    ASSERT_EQ(outcome.status, MergeOutcome::Status::Written);
    EXPECT_EQ(testutil::readBytes(printFolder().filePath(QStringLiteral("neko.png"))), QByteArray("cat"));
    EXPECT_EQ(testutil::readBytes(printFolder().filePath(QStringLiteral("only-here.png"))), QByteArray("local"));
    EXPECT_EQ(testutil::readBytes(printFolder().filePath(QStringLiteral("pic.png"))), QByteArray("page's own"));
    EXPECT_FALSE(QFile::exists(dir_.filePath(QStringLiteral("docs/secret.png"))));
    for (const QString &name : {QStringLiteral("spaced pic.png"), QStringLiteral("a#1.png"), QStringLiteral("sq.png"),
                                QStringLiteral("img/bg.png")})
        EXPECT_EQ(testutil::readBytes(printFolder().filePath(name)), QByteArray("encoded")) << name.toStdString();
    EXPECT_EQ(outcome.missingPictures, QStringList{QStringLiteral("missing.png")});
    EXPECT_TRUE(outcome.message().contains(QStringLiteral("missing.png")));
}

TEST_F(MergeTest, UnwritablePrintFolderIsReportedAndNotPreviewed)
{
    ASSERT_TRUE(printFolder().create().ok);
    if (!testutil::makeFolderReadOnly(printFolder().path()))
        GTEST_SKIP() << "cannot make a folder read-only here";
    const MergeOutcome outcome = merge(writeLevel({page(QStringLiteral("a"), QStringLiteral("b"))}), MergeMode::All);
    testutil::restoreFolder(printFolder().path());
    EXPECT_EQ(outcome.status, MergeOutcome::Status::WriteError);
    EXPECT_FALSE(outcome.preview());
    EXPECT_FALSE(outcome.message().isEmpty());
}

// The job walks the level in slices on the event loop and ends as the one-call merge does.
TEST_F(MergeTest, JobMergesOnTheEventLoopAndReportsProgress)
{
    QStringList pages;
    for (int i = 0; i < 300; ++i)
        pages.append(page(QStringLiteral("p%1").arg(i), QStringLiteral("<P>%1[]</P>").arg(i) + QString(2000, u'x')));
    const QStringList names = writeLevel(pages);
    PageMergeJob job;
    MergeOutcome outcome;
    int lastDone = -1;
    bool finished = false;
    QEventLoop loop;
    QObject::connect(&job, &PageMergeJob::progress, [&](int done, int total) {
        EXPECT_GT(done, lastDone);
        EXPECT_EQ(total, 300);
        lastDone = done;
    });
    QObject::connect(&job, &PageMergeJob::finished, [&](const MergeOutcome &o) {
        outcome = o;
        finished = true;
        loop.quit();
    });
    ASSERT_TRUE(job.start({names, book() + QLatin1Char('/'), book(), documents(), MergeMode::All}));
    EXPECT_TRUE(job.isRunning());
    EXPECT_FALSE(job.start({names, book() + QLatin1Char('/'), book(), documents(), MergeMode::All}));
    EXPECT_FALSE(finished);  // nothing is read before the event loop runs
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_TRUE(finished);
    EXPECT_FALSE(job.isRunning());
    EXPECT_EQ(outcome.status, MergeOutcome::Status::Written);
    EXPECT_EQ(outcome.merged, 300);
    EXPECT_TRUE(mergedBody().endsWith(QStringLiteral("<P>299[300]</P>") + QString(2000, u'x')));
}

} // namespace
