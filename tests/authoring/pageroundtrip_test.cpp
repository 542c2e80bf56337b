#include "authoring/pagereader.h"
#include "authoring/pagewriter.h"

#include "pageedit_pages.h"
#include "testutil.h"

#include <QDirIterator>

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace sorvek;
using pageedit::asFileText;
using pageedit::page;
using pageedit::read;


using Setup = std::function<void(PageEditFields &)>;

// Everything here is local to this file: test case types of other files may share names.
namespace {

// Fields as the reading leaves them for a page the editor made from the template page.
PageEditFields editorFields(const Setup &setup)
{
    PageEditFields f = read(page(QStringLiteral("x"), QString()));
    setup(f);
    return f;
}

// What saving writes: the page with every line ended by CR LF.
QString saved(const PageEditFields &f)
{
    return asFileText(writeEditedPage(f));
}

void fillAllCells(PageEditFields &f)
{
    for (size_t i = 0; i < f.cells.size(); ++i)
        f.cells[i] = QStringLiteral("cell %1\r\nline two").arg(i + 1);
}


struct RoundTripCase {
    const char *name;
    Setup setup;
};

class EditorRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(EditorRoundTrip, WrittenReadAndWrittenAgainIsTheSameText)
{
    const QString first = saved(editorFields(GetParam().setup));
    const QString second = saved(read(first));
    EXPECT_EQ(second, first);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, EditorRoundTrip,
    ::testing::Values(
        RoundTripCase{"empty_page", [](PageEditFields &) {}},
        RoundTripCase{"title_parts",
                      [](PageEditFields &f) {
                          f.glyphPrefix = QStringLiteral("\"!\"");
                          f.Edit1 = QStringLiteral("a<b");
                          f.Edit5 = QStringLiteral("二行目");
                          f.Edit6 = QStringLiteral("hint #1 ");
                      }},
        RoundTripCase{"headings_and_text",
                      [](PageEditFields &f) {
                          f.ETAGH1 = QStringLiteral("<H1 align=\"center\">");
                          f.Memo4 = QStringLiteral("大見出し\r\n二行");
                          f.ETAGH2 = QStringLiteral("<H2 align=\"right\">");
                          f.Memo5 = QStringLiteral("小見出し");
                          f.ETAGP1 = QStringLiteral("<P align=\"left\">");
                          f.Memo2 = QStringLiteral("本文 (答え|選1/選2)\r\n<u>下線</u>");
                      }},
        RoundTripCase{"one_box_table", [](PageEditFields &f) { *f.memo(1) = QStringLiteral("枠"); }},
        RoundTripCase{"full_grid_centred",
                      [](PageEditFields &f) {
                          fillAllCells(f);
                          f.ETAGHYO1 = QStringLiteral("align=\"center\"");
                      }},
        RoundTripCase{"grid_right_one_cell",
                      [](PageEditFields &f) {
                          *f.memo(75) = QStringLiteral("x");
                          f.ETAGHYO1 = QStringLiteral("align=\"right\"");
                      }},
        RoundTripCase{"linked_picture",
                      [](PageEditFields &f) {
                          f.ETAGSRC1 = QStringLiteral("<P align=\"center\">");
                          f.Edit7 = QStringLiteral("<IMG src=\"a.jpg\" width=\"740\" height=\"600\" vspace=\"4\" "
                                                   "hspace=\"4\" align=\"center\">");
                          f.Edit2 = QStringLiteral("b.html");
                      }},
        RoundTripCase{"link_only",
                      [](PageEditFields &f) {
                          f.Edit2 = QStringLiteral("/$GO 1010_a");
                          f.Edit3 = QStringLiteral("つぎ");
                      }},
        RoundTripCase{"cover_style", [](PageEditFields &f) { f.GroupBox1Tag = 4; }},
        RoundTripCase{"no_style", [](PageEditFields &f) { f.GroupBox1Tag = 0; }}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(EditorRoundTrip, FieldsSurvive)
{
    const PageEditFields written = editorFields([](PageEditFields &f) {
        f.Edit1 = QStringLiteral("c");
        f.Edit5 = QStringLiteral("s");
        f.Edit6 = QStringLiteral("h");
        f.Memo4 = QStringLiteral("one\r\ntwo");
        fillAllCells(f);
        f.ETAGHYO1 = QStringLiteral("align=\"center\"");
        f.ETAGSRC1 = QStringLiteral("<P>");
        f.Edit7 = QStringLiteral("<IMG src=\"a.bmp\" width=\"10\" height=\"20\">");
        f.Edit2 = QStringLiteral("t.html");
        f.Memo2 = QStringLiteral("p");
        f.GroupBox1Tag = 3;
    });
    const PageEditFields again = read(saved(written));
    EXPECT_EQ(again.Edit1, written.Edit1);
    EXPECT_EQ(again.Edit5, written.Edit5);
    EXPECT_EQ(again.Edit6, written.Edit6);
    EXPECT_EQ(again.Memo4, written.Memo4);
    EXPECT_EQ(again.cells, written.cells);
    EXPECT_EQ(again.ETAGHYO1, written.ETAGHYO1);
    EXPECT_EQ(again.ETAGHYO1Tag, 1);
    EXPECT_EQ(again.Edit7, written.Edit7);
    EXPECT_EQ(again.Edit2, written.Edit2);
    EXPECT_EQ(again.Edit3, written.Edit7);
    EXPECT_EQ(again.GX, QStringLiteral("10"));
    EXPECT_EQ(again.GY, QStringLiteral("20"));
    EXPECT_EQ(again.Gname, QStringLiteral("a.bmp"));
    EXPECT_EQ(again.Memo2, written.Memo2);
    EXPECT_EQ(again.GroupBox1Tag, 3);
}

TEST(EditorRoundTrip, RegionsMoveTheirLineBreaksBehindTheFooterOnce)
{
    QString original = page(QStringLiteral("x"), QStringLiteral("<H1>a</H1><P>b</P><P>c</P>"));
    original.replace(QStringLiteral("<!--HEDDA_IN-->"), QStringLiteral("<!--HEDDA_IN-->head"));
    const QString first = saved(read(original));
    EXPECT_TRUE(first.contains(QStringLiteral("<BODY><!--HEDDA_IN-->head<!--HEDDA_OUT--><!--NOTE_IN-->")));
    EXPECT_TRUE(first.contains(QStringLiteral("<!--FOOTER_OUT-->\r\n\r\n\r\n\r\n</BODY>\r\n</HTML>\r\n")));
    EXPECT_EQ(saved(read(first)), first);
}

// Random pages from the pieces of the page format: whatever the reader takes from them, a page the
// editor wrote is written again as it stands.
QString randomPage(std::mt19937 &rng)
{
    static const QStringList pieces{
        QStringLiteral("<H1>大見出し</H1>"), QStringLiteral("<H1></H1>"), QStringLiteral("<H2>小見出し</H2>"),
        QStringLiteral("<H2></H2>"), QStringLiteral("<H2>\r\n</H2>"), QStringLiteral("<P>本文</P>"), QStringLiteral("<P></P>"),
        QStringLiteral("<P>一行目<BR>二行目</P>"), QStringLiteral("<p>小文字</p>"),
        QStringLiteral("<P align=\"center\"><IMG src=\"a.png\" width=\"10\" height=\"20\"></P>"),
        QStringLiteral("<P><A href=\"b\r\nc.html\">つぎ</A></P>"), QStringLiteral("<TABLE><TD></TD></TABLE>"),
        QStringLiteral("<TABLE align=\"center\"><TBODY><TR><TD>表</TD><TD>b</TD></TR></TBODY></TABLE>"),
        QStringLiteral("<table><tr><td>x</td></tr></table>"), QStringLiteral("<PRE>a\r\n  b</PRE>"),
        QStringLiteral("<SCRIPT>document.write(\"<P>x\");</SCRIPT>"), QStringLiteral("<UL><LI>一<LI>二</UL>"),
        QStringLiteral("<!--beginSorvek//-->"), QStringLiteral("<!--endSorvek//-->"), QStringLiteral("地の文"),
        QStringLiteral("\r\n")};
    const auto some = [&](int most) {
        QString text;
        for (int n = int(rng() % unsigned(most + 1)); n > 0; --n)
            text += pieces.at(qsizetype(rng() % unsigned(pieces.size())));
        return text;
    };
    QString text = page(QStringLiteral("x"), some(8));
    text.replace(QStringLiteral("<!--HEDDA_OUT-->"), some(1) + QStringLiteral("<!--HEDDA_OUT-->"));
    return text.replace(QStringLiteral("<!--FOOTER_OUT-->"), some(1) + QStringLiteral("<!--FOOTER_OUT-->"));
}

TEST(EditorRoundTrip, RandomPagesWrittenAgainAsTheyStand)
{
    std::mt19937 rng(1209);
    for (int n = 0; n < 400; ++n) {
        const QString original = randomPage(rng);
        const QString first = saved(read(original));
        ASSERT_EQ(saved(read(first)), first) << qPrintable(original);
    }
}

// The demo book's pages were not made by the editor: the first save moves the line breaks between
// the regions behind the footer and keeps only what the editor shows; from then on they stay.
TEST(DemoBookPages, StableAfterTheFirstSave)
{
    QDirIterator pages(testutil::demoBookFolder(), {QStringLiteral("*.html")}, QDir::Files, QDirIterator::Subdirectories);
    int checked = 0;
    while (pages.hasNext()) {
        const QString path = pages.next();
        const ReadResult file = readPageText(path);
        ASSERT_TRUE(file.ok) << path.toStdString();
        const PageEditReading reading =
            readPageForEditing(asFileText(file.text), PageTextOrigin::File, {QFileInfo(path).absolutePath() + u'/', {}});
        if (!reading.ok())
            continue;
        const QString first = saved(reading.fields);
        // The book's own pages are written as the editor writes them: saving changes nothing.
        if (!QFileInfo(path).fileName().startsWith(u'_')) {
            EXPECT_EQ(first, asFileText(file.text)) << path.toStdString();
        }
        const PageEditFields again = read(first);
        EXPECT_EQ(saved(again), first) << path.toStdString();
        EXPECT_EQ(again.Edit1, reading.fields.Edit1) << path.toStdString();
        EXPECT_EQ(again.Memo4, reading.fields.Memo4) << path.toStdString();
        EXPECT_EQ(again.Memo2, reading.fields.Memo2) << path.toStdString();
        EXPECT_EQ(again.GroupBox1Tag, reading.fields.GroupBox1Tag) << path.toStdString();
        ++checked;
    }
    EXPECT_GE(checked, 8);
}

TEST(DemoBookPages, PictureAndLinkParagraphsAsTheEditorSeesThem)
{
    const QString folder = testutil::demoBookFolder() + u'/';
    const auto readDemo = [&](const QString &name) {
        return readPageForEditing(asFileText(readPageText(folder + name).text), PageTextOrigin::File, {folder, {}}).fields;
    };
    const PageEditFields animals = readDemo(QStringLiteral("1010_どうぶつ.html"));
    EXPECT_EQ(animals.glyphPrefix, QStringLiteral("\"neko.png\""));
    EXPECT_EQ(animals.ETAGSRC1, QStringLiteral("<P align=\"center\">"));
    EXPECT_EQ(animals.GX, QStringLiteral("160"));
    EXPECT_EQ(animals.Gname, QStringLiteral("neko.png"));
    EXPECT_TRUE(animals.Image1Path.endsWith(QStringLiteral("/neko.png")));
    EXPECT_EQ(animals.GroupBox1Tag, 2);
    const PageEditFields end = readDemo(QStringLiteral("1040_まとめ.html"));
    // The link inside the text stays where it stands.
    EXPECT_TRUE(end.Memo2.startsWith(QStringLiteral("これでこの本はおわりです。\r\n<A href=\"/$RETURN\">")));
    EXPECT_TRUE(end.Edit2.isEmpty());
    const QString written = saved(end);
    EXPECT_TRUE(written.contains(QStringLiteral("<P>これでこの本はおわりです。<BR><A href=\"/$RETURN\">")));
}

} // namespace
