#include "authoring/pageformat.h"

#include <gtest/gtest.h>

using namespace sorvek;
namespace pf = sorvek::pageformat;

TEST(PageFormat, OnlyTheExactDoctypeMakesAPage)
{
    EXPECT_TRUE(pf::isPageText(pf::kDoctypeLine + QStringLiteral("\r\n<HTML>")));
    EXPECT_FALSE(pf::isPageText(u"<!doctype html public \"-//W3C//DTD HTML 4.01 Transitional//EN\">"));
    EXPECT_FALSE(pf::isPageText(u"<HTML><BODY></BODY></HTML>"));
}

TEST(PageFormat, HeadOfATemplatePage)
{
    const QString head = pf::buildPageHead(QStringLiteral("題"), QStringLiteral("\r"));
    EXPECT_EQ(head, pf::kDoctypeLine
                        + QStringLiteral("\r<HTML>\r<HEAD>\r<META http-equiv=\"Content-Type\" content=\"text/html; "
                                         "charset=UTF-8\">\r<META http-equiv=\"Content-Style-Type\" "
                                         "content=\"text/css\"><TITLE>題</TITLE>\r</HEAD>\r<BODY>\r"));
    EXPECT_TRUE(pf::buildPageHead(QString(), QString(), true).contains(u"text/css\">\r<TITLE></TITLE></HEAD>"));
}

TEST(PageFormat, RegionContentNeedsBothMarkersInCase)
{
    const QString page = QStringLiteral("a<!--NOTE_IN-->note<!--NOTE_OUT-->b<!--hedda_in-->x<!--HEDDA_OUT-->");
    EXPECT_EQ(pf::regionContent(page, pf::kNoteIn, pf::kNoteOut), QStringLiteral("note"));
    EXPECT_FALSE(pf::regionContent(page, pf::kHeaderIn, pf::kHeaderOut).has_value());
    EXPECT_FALSE(pf::regionContent(u"<!--NOTE_IN-->open", pf::kNoteIn, pf::kNoteOut).has_value());
}

struct BlockCase {
    const char *name;
    QString text;
    QString kept;
};

class GeneratedBlocks : public ::testing::TestWithParam<BlockCase> {};

TEST_P(GeneratedBlocks, RemovalKeepsTheRest)
{
    EXPECT_EQ(pf::removeGeneratedBlocks(GetParam().text), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Readers, GeneratedBlocks,
    ::testing::Values(
        BlockCase{"two_blocks",
                  QStringLiteral("<BODY><!--beginSorvek//-->\rS\r<!--endSorvek//-->A(x)B<!--beginSorvek//-->N<!--"
                                 "endSorvek//--></BODY>"),
                  QStringLiteral("<BODY>A(x)B</BODY>")},
        BlockCase{"damaged_markers_are_text", QStringLiteral("a<!--beginSorvek x <!--endSorvek y>z"),
                  QStringLiteral("a<!--beginSorvek x <!--endSorvek y>z")},
        BlockCase{"stray_begin_takes_no_text",
                  QStringLiteral("a<!--beginSorvek//-->kept<!--beginSorvek//-->S<!--endSorvek//-->b"),
                  QStringLiteral("a<!--beginSorvek//-->keptb")},
        BlockCase{"begin_without_end_keeps_all", QStringLiteral("a<!--beginSorvek//-->rest"),
                  QStringLiteral("a<!--beginSorvek//-->rest")},
        BlockCase{"end_before_begin_is_ignored",
                  QStringLiteral("a<!--endSorvek//-->b<!--beginSorvek//-->c<!--endSorvek//-->d"),
                  QStringLiteral("a<!--endSorvek//-->bd")},
        BlockCase{"end_without_angle_keeps_all", QStringLiteral("a<!--beginSorvek//-->b<!--endSorvek"),
                  QStringLiteral("a<!--beginSorvek//-->b<!--endSorvek")},
        BlockCase{"damaged_block_is_kept", QStringLiteral("<!--beginSorvek--><!--endSorvek-->a"),
                  QStringLiteral("<!--beginSorvek--><!--endSorvek-->a")}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(PageFormat, LookLinkIsWrittenAndRecognisedInAnyCase)
{
    const QString link = pf::makeLookLink(QStringLiteral("光合成"));
    EXPECT_EQ(link, QStringLiteral("<A href=\"/$LOOK 光合成\">光合成</A>"));
    EXPECT_TRUE(pf::isLookLinkAt(link, 0));
    EXPECT_TRUE(pf::isLookLinkAt(u"x<a HREF=\"/$look y\">", 1));
    EXPECT_FALSE(pf::isLookLinkAt(u"<A href=\"/$LOO", 0));
    EXPECT_FALSE(pf::isLookLinkAt(link, link.size() + 1));
}
