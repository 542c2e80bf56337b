#include "authoring/edittags.h"

#include <gtest/gtest.h>

using namespace sorvek;

namespace {

const QString kDefaultImg = QStringLiteral(
    "<IMG src=\"frog.bmp\" width=\"740\" height=\"600\" vspace=\"4\" hspace=\"4\" align=\"center\">");

} // namespace

struct AttributeCase {
    const char *name;
    QString tag;
    QString attr;
    QString expected;
};

class SettingTagAttributes : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(SettingTagAttributes, GivesTheTag)
{
    EXPECT_EQ(setTagAttribute(GetParam().tag, GetParam().attr), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SettingTagAttributes,
    ::testing::Values(
        AttributeCase{"empty_attr_removes_align", QStringLiteral("<P align=\"center\">"), QString(),
                      QStringLiteral("<P>")},
        AttributeCase{"empty_attr_removes_align_and_what_follows",
                      QStringLiteral("<IMG src=\"a.gif\" align=\"left\" width=\"3\">text"), QString(),
                      QStringLiteral("<IMG src=\"a.gif\">text")},
        AttributeCase{"empty_attr_without_align_trims_before_close", QStringLiteral("<P  >"), QString(),
                      QStringLiteral("<P>")},
        AttributeCase{"no_close_gives_empty", QStringLiteral("plain text"), QStringLiteral("align=\"left\""),
                      QString()},
        AttributeCase{"replaces_value_keeps_the_rest", kDefaultImg, QStringLiteral("align=\"left\""),
                      QStringLiteral("<IMG src=\"frog.bmp\" width=\"740\" height=\"600\" vspace=\"4\" "
                                     "hspace=\"4\" align=\"left\">")},
        AttributeCase{"adds_missing_attribute_before_close", QStringLiteral("<IMG src=\"a.gif\">"),
                      QStringLiteral("width=\"370\""), QStringLiteral("<IMG src=\"a.gif\" width=\"370\">")},
        AttributeCase{"adds_after_a_single_blank", QStringLiteral("<IMG src=\"a.gif\" >"),
                      QStringLiteral("height=\"300\""), QStringLiteral("<IMG src=\"a.gif\" height=\"300\">")},
        AttributeCase{"removing_a_missing_attribute_leaves_one_blank", QStringLiteral("<IMG src=\"a.gif\">"),
                      QStringLiteral("width=\"\""), QStringLiteral("<IMG src=\"a.gif\" >")},
        AttributeCase{"removes_an_attribute", QStringLiteral("<IMG src=\"a.gif\" width=\"3\" height=\"4\">"),
                      QStringLiteral("width=\"\""), QStringLiteral("<IMG src=\"a.gif\"  height=\"4\">")},
        AttributeCase{"name_inside_a_value_is_no_attribute",
                      QStringLiteral("<IMG src=\"width.gif\" width=\"10\">"), QStringLiteral("width=\"370\""),
                      QStringLiteral("<IMG src=\"width.gif\" width=\"370\">")},
        AttributeCase{"unquoted_value_is_replaced_whole", QStringLiteral("<IMG width=10 src=\"a.gif\">"),
                      QStringLiteral("width=\"370\""), QStringLiteral("<IMG width=\"370\" src=\"a.gif\">")},
        AttributeCase{"name_is_case_sensitive", QStringLiteral("<IMG WIDTH=\"3\">"),
                      QStringLiteral("width=\"5\""), QStringLiteral("<IMG WIDTH=\"3\" width=\"5\">")},
        AttributeCase{"attr_without_equals_changes_nothing", QStringLiteral("<P>"), QStringLiteral("align"),
                      QStringLiteral("<P>")}),
    [](const auto &row) { return std::string(row.param.name); });

struct SrcCase {
    const char *name;
    QString tag;
    QString src;
};

class ReadingTagSrc : public ::testing::TestWithParam<SrcCase> {};

TEST_P(ReadingTagSrc, GivesTheValue)
{
    EXPECT_EQ(getTagSrc(GetParam().tag), GetParam().src);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ReadingTagSrc,
    ::testing::Values(SrcCase{"plain", QStringLiteral("<IMG src=\"neko.png\" width=\"3\">"), QStringLiteral("neko.png")},
                      SrcCase{"upper_case_keeps_value_case", QStringLiteral("<IMG SRC=\"Frog.BMP\">"),
                              QStringLiteral("Frog.BMP")},
                      SrcCase{"none", QStringLiteral("<A href=\"x.html\">x</A>"), QString()},
                      SrcCase{"no_closing_quote", QStringLiteral("<IMG src=\"a.gif>"), QString()},
                      SrcCase{"src_at_the_end", QStringLiteral("src="), QString()}),
    [](const auto &row) { return std::string(row.param.name); });

struct ImageNameCase {
    const char *name;
    QString pagePath;
    QString imageName;
};

class DefaultImageNames : public ::testing::TestWithParam<ImageNameCase> {};

TEST_P(DefaultImageNames, FollowThePageName)
{
    EXPECT_EQ(defaultImageName(GetParam().pagePath), GetParam().imageName);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, DefaultImageNames,
    ::testing::Values(ImageNameCase{"order_prefix_dropped", QStringLiteral("/book/1010_frog.html"), QStringLiteral("frog.bmp")},
                      ImageNameCase{"no_prefix", QStringLiteral("/book/frog.html"), QStringLiteral("frog.bmp")},
                      ImageNameCase{"nothing_after_underscore", QStringLiteral("/book/frog_.html"),
                                    QStringLiteral("frog_.bmp")},
                      ImageNameCase{"only_first_underscore", QStringLiteral("/b/1010_a_b.html"), QStringLiteral("a_b.bmp")},
                      ImageNameCase{"folder_dots_ignored", QStringLiteral("/b.c/page"), QStringLiteral("page.bmp")}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(TagAlignments, HeadingTagMayMentionSeveral)
{
    const TagAlignments a = alignmentsInTag(u"<H1 class=\"left\" align=\"CENTER\">");
    EXPECT_TRUE(a.left);
    EXPECT_TRUE(a.center);
    EXPECT_FALSE(a.right);
    EXPECT_FALSE(alignmentsInTag(u"<H1>").any());
}

TEST(TagAlignments, ImageContentNeedsQuotes)
{
    EXPECT_FALSE(quotedAlignmentsInTag(u"<IMG src=\"left.gif\">").any());
    EXPECT_TRUE(quotedAlignmentsInTag(u"<IMG src=\"a.gif\" align=\"Right\">").right);
}

TEST(ImageLayoutTags, CentreAndSides)
{
    const ImageParagraphTags start{QStringLiteral("<P>"), QStringLiteral("<IMG src=\"a.gif\" align=\"left\">")};
    const ImageParagraphTags centre = applyImageLayoutTags(ImageLayout::Centre, start);
    EXPECT_EQ(centre.ETAGSRC1, QStringLiteral("<P align=\"center\">"));
    EXPECT_EQ(centre.Edit7, QStringLiteral("<IMG src=\"a.gif\" align=\"center\" width=\"740\" height=\"600\">"));
    const ImageParagraphTags right = applyImageLayoutTags(ImageLayout::Right, centre);
    EXPECT_EQ(right.ETAGSRC1, QStringLiteral("<P>"));
    EXPECT_EQ(right.Edit7, QStringLiteral("<IMG src=\"a.gif\" align=\"right\" width=\"370\" height=\"300\">"));
    EXPECT_EQ(applyImageLayoutTags(ImageLayout::Left, {QStringLiteral("<P>"), QStringLiteral("no tag")}).Edit7,
              QString());
}

TEST(ImageTags, WrittenByThePictureCommands)
{
    EXPECT_EQ(defaultImageTag(QStringLiteral("frog.bmp")), kDefaultImg);
    EXPECT_EQ(loadedImageTag(QStringLiteral("a.jpg"), QStringLiteral("10"), QStringLiteral("20"), 2),
              QStringLiteral("<IMG src=\"a.jpg\" width=\"10\" height=\"20\" vspace=\"4\" hspace=\"4\" align=\"left\">"));
    EXPECT_EQ(chosenImageTag(QStringLiteral("a.jpg"), QStringLiteral("10"), QStringLiteral("20"), 3),
              QStringLiteral("<IMG src=\"a.jpg\" width=\"10\" height=\"20\" align=\"right\">"));
    EXPECT_EQ(chosenImageTag(QStringLiteral("a.jpg"), QStringLiteral("1"), QStringLiteral("2"), 0),
              QStringLiteral("<IMG src=\"a.jpg\" width=\"1\" height=\"2\" align=\"center\">"));
}

TEST(ImageTags, SavingSetsOrDropsTheSize)
{
    const QString tag = QStringLiteral("<IMG src=\"a.jpg\" width=\"10\" height=\"20\" align=\"left\">");
    EXPECT_EQ(imageTagForSaving(tag, true, QStringLiteral("370"), QStringLiteral("300")),
              QStringLiteral("<IMG src=\"a.jpg\" width=\"370\" height=\"300\" align=\"left\">"));
    EXPECT_EQ(imageTagForSaving(tag, false, QString(), QString()),
              QStringLiteral("<IMG src=\"a.jpg\"   align=\"left\">"));
}

TEST(LinkTargets, RelativeInsideTheFolderOnly)
{
    const QString folder = QStringLiteral("/home/ann/Book/");
    EXPECT_EQ(linkTargetForFile(QStringLiteral("/home/ann/Book/sub/a.html"), folder), QStringLiteral("sub/a.html"));
    EXPECT_EQ(linkTargetForFile(QStringLiteral("/x/home/ann/Book/a.html"), folder),
              QStringLiteral("/x/home/ann/Book/a.html"));
    EXPECT_EQ(linkTargetForFile(QStringLiteral("/home/ann/book/a.html"), folder), QStringLiteral("/home/ann/book/a.html"));
}
