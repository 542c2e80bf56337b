#include "authoring/pagetemplates.h"

#include "authoring/newpage.h"
#include "authoring/styleblock.h"
#include "testutil.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sorvek;

namespace {

const QString kHead = QStringLiteral(
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r<HTML>\r<HEAD>\r"
    "<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r"
    "<META http-equiv=\"Content-Style-Type\" content=\"text/css\">");
const QString kPlugin = QStringLiteral("http://logo.example/plugin");

QString head(const QString &title, const QString &style)
{
    return kHead + QStringLiteral("<TITLE>") + title + QStringLiteral("</TITLE>") + style;
}

enum class Kind { Image, Logo, Link, Skeleton };

struct TemplateCase {
    const char *name;
    Kind kind;
    PictureTemplate values;
    QString expected;
};

QString render(const TemplateCase &c)
{
    switch (c.kind) {
    case Kind::Image:
        return imagePageText(c.values);
    case Kind::Logo:
        return logoPageText(c.values, kPlugin);
    case Kind::Link:
        return fileLinkPageText({c.values.title, c.values.heading, c.values.source});
    case Kind::Skeleton:
        return newPageSkeleton(c.values.title);
    }
    return {};
}

class TemplateText : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(TemplateText, IsWrittenPieceByPiece)
{
    EXPECT_EQ(render(GetParam()), GetParam().expected);
}

const QString kBodyStart = QStringLiteral("</HEAD>\r<BODY>\r<!--HEDDA_IN-->\r<!--HEDDA_OUT-->\r");
const QString kFooter = QStringLiteral("<!--FOOTER_IN-->\r<!--FOOTER_OUT-->\r</BODY>\r</HTML>");
const QString kLogoBlock = QStringLiteral(
    "\r<DIV ALIGN=\"center\">\r"
    "<OBJECT classid=\"CLSID:D467AA06-E4F1-454C-B08C-916996C09579\" width=\"744\" height=\"550\">\r"
    "<PARAM name=\"URL\" value=\"S.mwx\">\r"
    "<EMBED src=\"S.mwx\" type=\"application/x-mw2-plugin\" pluginspage=\"http://logo.example/plugin\" "
    "width=\"744\" height=\"550\"></EMBED>\r"
    "</OBJECT>\r</DIV>\r");

INSTANTIATE_TEST_SUITE_P(
    Pieces, TemplateText,
    ::testing::Values(
        TemplateCase{"ImagePageWithHeadingAndSize", Kind::Image,
                     {QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("S~x.jpg"), QStringLiteral("800"),
                      QStringLiteral("600")},
                     head(QStringLiteral("x"), buildStyleBlock(3)) + kBodyStart
                         + QStringLiteral("<!--NOTE_IN--><H2>x</H2>\r<P align=center><IMG src=\"S~x.jpg\" width=\"800\" "
                                          "height=\"600\" align=\"center\"></P><P></P><!--NOTE_OUT-->\r")
                         + kFooter},
        TemplateCase{"ImagePageWithoutHeadingOrSize", Kind::Image,
                     {QStringLiteral("x"), {}, QStringLiteral("S~x.png"), {}, {}},
                     head(QStringLiteral("x"), buildStyleBlock(3)) + kBodyStart
                         + QStringLiteral("<!--NOTE_IN-->\r<P align=center><IMG src=\"S~x.png\" align=\"center\"></P>"
                                          "<P></P><!--NOTE_OUT-->\r")
                         + kFooter},
        TemplateCase{"ImagePageWithHeightOnly", Kind::Image,
                     {QStringLiteral("x"), {}, QStringLiteral("a.gif"), {}, QStringLiteral("20")},
                     head(QStringLiteral("x"), buildStyleBlock(3)) + kBodyStart
                         + QStringLiteral("<!--NOTE_IN-->\r<P align=center><IMG src=\"a.gif\" height=\"20\" "
                                          "align=\"center\"></P><P></P><!--NOTE_OUT-->\r")
                         + kFooter},
        TemplateCase{"LogoPageWithHeadingHasContentsStyle", Kind::Logo,
                     {QStringLiteral("p"), QStringLiteral("p"), QStringLiteral("S.mwx"), QStringLiteral("744"),
                      QStringLiteral("550")},
                     head(QStringLiteral("p"), buildStyleBlock(3)) + kBodyStart
                         + QStringLiteral("<!--NOTE_IN--><H2>p</H2><!--NOTE_OUT-->") + kLogoBlock + kFooter},
        TemplateCase{"LogoPageWithoutHeadingHasOneBreakAndEmptyH2", Kind::Logo,
                     {QStringLiteral("LOGO 3/7"), {}, QStringLiteral("S.mwx"), QStringLiteral("744"),
                      QStringLiteral("550")},
                     head(QStringLiteral("LOGO 3/7"), QStringLiteral("\r")) + kBodyStart
                         + QStringLiteral("<!--NOTE_IN--><H2></H2><!--NOTE_OUT-->") + kLogoBlock + kFooter},
        TemplateCase{"FileLinkPageHasNotebookStyle", Kind::Link,
                     {QStringLiteral("doc"), QStringLiteral("doc"), QStringLiteral("S~doc.pdf"), {}, {}},
                     head(QStringLiteral("doc"), buildStyleBlock(1)) + kBodyStart
                         + QStringLiteral("<!--NOTE_IN--><H2>doc</H2>\r<P><A href=\"S~doc.pdf\">doc</A></P>"
                                          "<!--NOTE_OUT-->\r")
                         + kFooter},
        TemplateCase{"SkeletonBreaksBeforeTitleAndHasNoNoteSection", Kind::Skeleton,
                     {QStringLiteral("2024年03月15日1"), {}, {}, {}, {}},
                     kHead + QStringLiteral("\r<TITLE>2024年03月15日1</TITLE>") + buildStyleBlock(1) + kBodyStart
                         + kFooter},
        TemplateCase{"MarkupInFileNamesIsWrittenAsText", Kind::Image,
                     {QStringLiteral("<b>"), QStringLiteral("a<i>"), QStringLiteral("q\"x.png"), {}, {}},
                     head(QStringLiteral("&lt;b&gt;"), buildStyleBlock(3)) + kBodyStart
                         + QStringLiteral("<!--NOTE_IN--><H2>a&lt;i&gt;</H2>\r<P align=center><IMG src=\"q&quot;x.png\" "
                                          "align=\"center\"></P><P></P><!--NOTE_OUT-->\r")
                         + kFooter}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(TemplateSave, StoresUtf8WithBomAndCrLfAfterEveryLine)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("p.html"));
    ASSERT_TRUE(saveFileLinkPage(file, {QStringLiteral("d"), QStringLiteral("d"), QStringLiteral("d.pdf")}).ok);
    const QByteArray bytes = testutil::readBytes(file);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF<!DOCTYPE"));
    EXPECT_TRUE(bytes.endsWith("</BODY>\r\n</HTML>\r\n"));
    EXPECT_FALSE(bytes.contains("\r\r"));
}

// The new-page menu ----------------------------------------------------------------------------

const QDateTime kMarch15 = QDateTime(QDate(2024, 3, 15), QTime(14, 25, 7));

TEST(NewPageStamp, IsDayMonthSecondAfterTheHyphen)
{
    EXPECT_EQ(newPageStamp(kMarch15), QStringLiteral("20240315-150307"));
}

struct NumberCase {
    const char *name;
    QStringList pages;
    int number;
};

class NewPageNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NewPageNumber, CountsTodaysPages)
{
    const NewPagePlan plan = planNewPage(QStringLiteral("/book/"), GetParam().pages, kMarch15);
    EXPECT_EQ(plan.number, GetParam().number);
    EXPECT_EQ(plan.file, QStringLiteral("/book/20240315-150307") + QString::number(GetParam().number)
                             + QStringLiteral(".html"));
    EXPECT_EQ(plan.title, QStringLiteral("2024年03月15日") + QString::number(GetParam().number));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, NewPageNumber,
    ::testing::Values(
        NumberCase{"FirstOfTheDay", {QStringLiteral("index.html"), QStringLiteral("1010_a.html")}, 1},
        NumberCase{"SecondCountsTheFirst", {QStringLiteral("20240315-150102") + QStringLiteral("1.html")}, 2},
        NumberCase{"ImportedTodayCounts",
                   {QStringLiteral("20240315-090000~x.html"), QStringLiteral("1010_20240315.html")}, 3},
        NumberCase{"OtherDaysDoNotCount", {QStringLiteral("20240314-140307") + QStringLiteral("1.html")}, 1}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(NewPagePlan, FolderWithoutSlashGetsOne)
{
    EXPECT_EQ(planNewPage(QStringLiteral("/book/sub"), {}, kMarch15).file,
              QStringLiteral("/book/sub/20240315-1503071.html"));
}

} // namespace
