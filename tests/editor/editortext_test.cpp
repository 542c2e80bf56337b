#include "editor/editortext.h"

#include "testutil.h"

#include <gtest/gtest.h>

using namespace sorvek::editortext;

namespace {

const QString kDefaultImg =
    QStringLiteral("<IMG src=\"frog.bmp\" width=\"740\" height=\"600\" vspace=\"4\" hspace=\"4\" align=\"center\">");

struct TagCase {
    const char *name;
    QString tag;
    QString attr;
    QString expected;
};

class SetTagAttribute : public ::testing::TestWithParam<TagCase> {};

TEST_P(SetTagAttribute, Rule)
{
    EXPECT_EQ(setTagAttribute(GetParam().tag, GetParam().attr), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetTagAttribute,
    ::testing::Values(
        TagCase{"NoCloseGivesEmpty", QStringLiteral("frog.jpg"), QStringLiteral("width=\"370\""), QString()},
        TagCase{"EmptyAttrDropsAlign", QStringLiteral("<P align=\"center\">"), QString(), QStringLiteral("<P>")},
        TagCase{"EmptyAttrDropsAlignAndWhatFollows", QStringLiteral("<IMG src=\"a\" ALIGN=\"left\" width=\"3\">x"),
                QString(), QStringLiteral("<IMG src=\"a\">x")},
        TagCase{"EmptyAttrWithoutAlignTrimsBlanks", QStringLiteral("<P  >"), QString(), QStringLiteral("<P>")},
        TagCase{"ReplacesValueKeepsOthers", kDefaultImg, QStringLiteral("align=\"left\""),
                QStringLiteral("<IMG src=\"frog.bmp\" width=\"740\" height=\"600\" vspace=\"4\" hspace=\"4\" align=\"left\">")},
        TagCase{"AddsMissingBeforeClose", QStringLiteral("<IMG src=\"a.jpg\">"), QStringLiteral("width=\"370\""),
                QStringLiteral("<IMG src=\"a.jpg\" width=\"370\">")},
        TagCase{"AddsAfterSingleBlank", QStringLiteral("<IMG src=\"a.jpg\" >"), QStringLiteral("height=\"300\""),
                QStringLiteral("<IMG src=\"a.jpg\" height=\"300\">")},
        TagCase{"RemovesWithEmptyQuotesKeepingBothBlanks", QStringLiteral("<IMG src=\"a\" width=\"3\" height=\"4\">"),
                QStringLiteral("width=\"\""), QStringLiteral("<IMG src=\"a\"  height=\"4\">")},
        TagCase{"RemovingAbsentPutsOneBlank", QStringLiteral("<IMG src=\"a\">"), QStringLiteral("width=\"\""),
                QStringLiteral("<IMG src=\"a\" >")},
        TagCase{"NameIsCaseSensitive", QStringLiteral("<IMG src=\"a\" WIDTH=\"3\">"), QStringLiteral("width=\"5\""),
                QStringLiteral("<IMG src=\"a\" WIDTH=\"3\" width=\"5\">")},
        TagCase{"PictureNamedLikeAttributeStaysWhole", QStringLiteral("<IMG src=\"width.png\" width=\"3\">"),
                QStringLiteral("width=\"9\""), QStringLiteral("<IMG src=\"width.png\" width=\"9\">")},
        TagCase{"UnquotedValueReplacedUpToBlank", QStringLiteral("<IMG src=\"a\" width=370 height=\"3\">"),
                QStringLiteral("width=\"9\""), QStringLiteral("<IMG src=\"a\" width=\"9\" height=\"3\">")},
        TagCase{"AttrWithoutEqualsChangesNothing", QStringLiteral("<P>"), QStringLiteral("align"), QStringLiteral("<P>")},
        TagCase{"AddsParagraphAlign", QStringLiteral("<P>"), QStringLiteral("align=\"center\""),
                QStringLiteral("<P align=\"center\">")}),
    [](const auto &row) { return std::string(row.param.name); });

struct SrcCase {
    const char *name;
    QString tag;
    QString expected;
};

class TagSrc : public ::testing::TestWithParam<SrcCase> {};

TEST_P(TagSrc, Rule)
{
    EXPECT_EQ(tagSrc(GetParam().tag), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TagSrc,
    ::testing::Values(SrcCase{"Quoted", QStringLiteral("<IMG src=\"Frog.JPG\" width=\"3\">"), QStringLiteral("Frog.JPG")},
                      SrcCase{"UpperCaseNameKeepsValueCase", QStringLiteral("<IMG SRC=\"Frog.jpg\">"), QStringLiteral("Frog.jpg")},
                      SrcCase{"None", QStringLiteral("<A href=\"x.html\">x</A>"), QString()},
                      SrcCase{"NoClosingQuote", QStringLiteral("<IMG src=\"frog.jpg>"), QString()},
                      SrcCase{"AtTheEnd", QStringLiteral("src="), QString()},
                      SrcCase{"Unquoted", QStringLiteral("<IMG src=frog.jpg width=\"3\">"), QStringLiteral("frog.jpg")}),
    [](const auto &row) { return std::string(row.param.name); });

struct NameCase {
    const char *name;
    QString pagePath;
    QString expected;
};

class DefaultImageName : public ::testing::TestWithParam<NameCase> {};

TEST_P(DefaultImageName, Rule)
{
    EXPECT_EQ(defaultImageName(GetParam().pagePath), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DefaultImageName,
    ::testing::Values(NameCase{"OrderPrefixDropped", QStringLiteral("/b/1010_frog.html"), QStringLiteral("frog.bmp")},
                      NameCase{"PlainName", QStringLiteral("/b/frog.html"), QStringLiteral("frog.bmp")},
                      NameCase{"NothingAfterUnderscore", QStringLiteral("/b/frog_.html"), QStringLiteral("frog_.bmp")},
                      NameCase{"OnlyFirstUnderscore", QStringLiteral("/b/1010_a_b.html"), QStringLiteral("a_b.bmp")},
                      NameCase{"FolderUnderscoreIgnored", QStringLiteral("/my_b/frog.html"), QStringLiteral("frog.bmp")},
                      NameCase{"NoExtension", QStringLiteral("Sorvekエディター"), QStringLiteral("Sorvekエディター.bmp")}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(TagAlignment, EveryWordThatOccursCounts)
{
    const TagAlignment both = tagAlignment(QStringLiteral("<H1 class=\"left\" align=\"CENTER\">"));
    EXPECT_TRUE(both.left);
    EXPECT_TRUE(both.center);
    EXPECT_FALSE(both.right);
    EXPECT_FALSE(tagAlignment(QStringLiteral("<H1>")).any());
}

TEST(LayoutTags, EachModeWritesItsTags)
{
    const ImageTags page{QStringLiteral("<P align=\"center\">"),
                         QStringLiteral("<IMG src=\"a.jpg\" width=\"10\" height=\"20\" align=\"center\">")};
    EXPECT_EQ(tagsForLayout(LayoutMode::TextOnly, page).content, QString());
    EXPECT_EQ(tagsForLayout(LayoutMode::TextOnly, page).paragraphTag, QString());
    EXPECT_EQ(tagsForLayout(LayoutMode::Table, page).content, page.content);
    const ImageTags left = tagsForLayout(LayoutMode::ImageLeft, page);
    EXPECT_EQ(left.paragraphTag, QStringLiteral("<P>"));
    EXPECT_EQ(left.content, QStringLiteral("<IMG src=\"a.jpg\" width=\"370\" height=\"300\" align=\"left\">"));
    const ImageTags right = tagsForLayout(LayoutMode::ImageRight, page);
    EXPECT_EQ(right.content, QStringLiteral("<IMG src=\"a.jpg\" width=\"370\" height=\"300\" align=\"right\">"));
    const ImageTags centre =
        tagsForLayout(LayoutMode::ImageCentre, {QStringLiteral("<P>"), QStringLiteral("<IMG src=\"a.jpg\">")});
    EXPECT_EQ(centre.paragraphTag, QStringLiteral("<P align=\"center\">"));
    EXPECT_EQ(centre.content, QStringLiteral("<IMG src=\"a.jpg\" align=\"center\" width=\"740\" height=\"600\">"));
    EXPECT_EQ(tagsForLayout(LayoutMode::ImageLeft, {QStringLiteral("<P>"), QStringLiteral("just text")}).content, QString())
        << "a layout change empties content that holds no tag";
}

struct StateLoadLayoutCase {
    const char *name;
    QString paragraphTag;
    QString content;
    QList<LayoutMode> expected;
};

class StateLoadLayouts : public ::testing::TestWithParam<StateLoadLayoutCase> {};

TEST_P(StateLoadLayouts, Rule)
{
    const StateLoadLayoutCase &c = GetParam();
    EXPECT_EQ(imageLayoutsForTags({c.paragraphTag, c.content}), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StateLoadLayouts,
    ::testing::Values(
        StateLoadLayoutCase{"ImgAlignLeft", QStringLiteral("<P>"), QStringLiteral("<IMG src=\"a.png\" align=\"left\">"),
                            {LayoutMode::ImageLeft}},
        StateLoadLayoutCase{"ImgAlignRightWinsOverACentredParagraph", QStringLiteral("<P align=\"center\">"),
                            QStringLiteral("<IMG src=\"a.png\" ALIGN=\"RIGHT\">"), {LayoutMode::ImageRight}},
        StateLoadLayoutCase{"EveryQuotedWordRunsInOrder", QStringLiteral("<P>"),
                            QStringLiteral("<IMG src=\"a.png\" alt=\"right\" align=\"left\">"),
                            {LayoutMode::ImageLeft, LayoutMode::ImageRight}},
        StateLoadLayoutCase{"CentredParagraphCentresAnImgWithoutAlign", QStringLiteral("<P align=\"center\">"),
                            QStringLiteral("<IMG src=\"neko.png\" width=\"160\" height=\"150\" alt=\"ねこ\">"),
                            {LayoutMode::ImageCentre}},
        StateLoadLayoutCase{"PlainParagraphKeepsTheLayout", QStringLiteral("<P>"), QStringLiteral("<IMG src=\"a.png\">"), {}},
        StateLoadLayoutCase{"RightParagraphKeepsTheLayout", QStringLiteral("<P align=\"right\">"),
                            QStringLiteral("<IMG src=\"a.png\">"), {}},
        StateLoadLayoutCase{"CentredParagraphWithoutAPictureKeepsTheLayout", QStringLiteral("<P align=\"center\">"),
                            QStringLiteral("リンク"), {}}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(PictureTags, LoadedChosenDefaultAndSaved)
{
    EXPECT_EQ(pictureTag(QStringLiteral("a.jpg"), QStringLiteral("10"), QStringLiteral("20"), PicturePlace::Right, true),
              QStringLiteral("<IMG src=\"a.jpg\" width=\"10\" height=\"20\" vspace=\"4\" hspace=\"4\" align=\"right\">"));
    EXPECT_EQ(pictureTag(QStringLiteral("a.jpg"), QStringLiteral("10"), QStringLiteral("20"), picturePlaceForMode(0), false),
              QStringLiteral("<IMG src=\"a.jpg\" width=\"10\" height=\"20\" align=\"center\">"));
    EXPECT_EQ(picturePlaceForMode(2), PicturePlace::Left);
    EXPECT_EQ(picturePlaceForMode(3), PicturePlace::Right);
    EXPECT_EQ(defaultPictureTag(QStringLiteral("frog.bmp")), kDefaultImg);
    const QString tag = QStringLiteral("<IMG src=\"a\" width=\"740\" height=\"600\" align=\"left\">");
    EXPECT_EQ(pictureTagForSave(tag, true, QStringLiteral("320"), QStringLiteral("240")),
              QStringLiteral("<IMG src=\"a\" width=\"320\" height=\"240\" align=\"left\">"));
    EXPECT_EQ(pictureTagForSave(tag, false, QStringLiteral("320"), QStringLiteral("240")),
              QStringLiteral("<IMG src=\"a\"   align=\"left\">"));
}

struct PathCase {
    const char *name;
    QString path;
    QString folder;
    QString link;
    QString picture;
};

class ChosenFileNames : public ::testing::TestWithParam<PathCase> {};

TEST_P(ChosenFileNames, Rule)
{
    EXPECT_EQ(linkTargetForFile(GetParam().path, GetParam().folder), GetParam().link);
    EXPECT_EQ(pictureNameInFolder(GetParam().path, GetParam().folder), GetParam().picture);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChosenFileNames,
    ::testing::Values(
        PathCase{"InsideFolder", QStringLiteral("/b/f/x.html"), QStringLiteral("/b/f/"), QStringLiteral("x.html"),
                 QStringLiteral("x.html")},
        PathCase{"BelowFolderKeepsSubfolder", QStringLiteral("/b/f/img/x.jpg"), QStringLiteral("/b/f/"),
                 QStringLiteral("img/x.jpg"), QStringLiteral("img/x.jpg")},
        PathCase{"OutsideFolderKeepsFullPath", QStringLiteral("/home/a/x.pdf"), QStringLiteral("/b/f/"),
                 QStringLiteral("/home/a/x.pdf"), QStringLiteral("x.pdf")},
        PathCase{"FolderTextInsideOtherPath", QStringLiteral("/x/b/f/y.html"), QStringLiteral("/b/f/"),
                 QStringLiteral("/x/b/f/y.html"), QStringLiteral("y.html")},
        PathCase{"CaseMatters", QStringLiteral("/B/F/y.html"), QStringLiteral("/b/f/"), QStringLiteral("/B/F/y.html"),
                 QStringLiteral("y.html")}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(AlignmentTags, ButtonsWriteTheseTags)
{
    EXPECT_EQ(headingStartTag(1, QStringLiteral("center")), QStringLiteral("<H1 align=\"center\">"));
    EXPECT_EQ(headingStartTag(2, QStringLiteral("right")), QStringLiteral("<H2 align=\"right\">"));
    EXPECT_EQ(paragraphStartTag(textAlignForTable(QStringLiteral("right"))), QStringLiteral("<P align=\"left\">"))
        << "a table placed right keeps its paragraph left";
    EXPECT_EQ(paragraphStartTag(textAlignForTable(QStringLiteral("center"))), QStringLiteral("<P align=\"center\">"));
    EXPECT_EQ(alignAttribute(QStringLiteral("right")), QStringLiteral("align=\"right\""));
}

TEST(SelectionWrapping, OpeningAndClosingTexts)
{
    const QString s = QStringLiteral("かえる");
    EXPECT_EQ(wrapSelection(Wrapping::Red, s), QStringLiteral("<font color=\"#ff0000\">かえる</font>"));
    EXPECT_EQ(wrapSelection(Wrapping::Strong, s), QStringLiteral("<strong>かえる</strong>"));
    EXPECT_EQ(wrapSelection(Wrapping::Underline, s), QStringLiteral("<u>かえる</u>"));
    EXPECT_EQ(linkAroundSelection(s, QString()), QStringLiteral("<A href=\"\">かえる</A>"))
        << "an empty script still wraps the selection";
}

TEST(EditorNames, MemoFileAndSaveAsSuffix)
{
    EXPECT_EQ(memoFilePath(QStringLiteral("/b/f/1010_a.html"), QStringLiteral("/b/g/")), QStringLiteral("/b/f/Edit.txt"));
    EXPECT_EQ(memoFilePath(QStringLiteral("Sorvekエディター"), QStringLiteral("/b/g/")), QStringLiteral("/b/g/Edit.txt"));
    EXPECT_EQ(withDefaultPageSuffix(QStringLiteral("/b/new")), QStringLiteral("/b/new.html"));
    EXPECT_EQ(withDefaultPageSuffix(QStringLiteral("/b/new.htm")), QStringLiteral("/b/new.htm"));
    EXPECT_EQ(withDefaultPageSuffix(QStringLiteral("/b.d/new")), QStringLiteral("/b.d/new.html"));
    EXPECT_EQ(withDefaultPageSuffix(QString()), QString());
}

TEST(SizeFields, WholeNumbersOnly)
{
    EXPECT_EQ(sizeFieldValue(QStringLiteral("370")), 370);
    EXPECT_EQ(sizeFieldValue(QString()), 0);
    EXPECT_EQ(sizeFieldValue(QStringLiteral("50%")), 0);
    EXPECT_EQ(sizeFieldValue(QStringLiteral("12.5")), 0);
    EXPECT_EQ(sizeFieldValue(QStringLiteral("-3")), 0);
}

TEST(MemoText, LineBreaksBetweenPageAndField)
{
    EXPECT_EQ(memoTextForField(QStringLiteral("a\r\nb\rc\nd")), QStringLiteral("a\nb\nc\nd"));
    EXPECT_EQ(memoTextForPage(QStringLiteral("a\nb")), QStringLiteral("a\r\nb"));
}

} // namespace
