#include "commands/commandtext.h"

#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

struct TokenCase {
    const char *name;
    const char16_t *text;
    QStringList tokens;
};

class TokenizeCommand : public testing::TestWithParam<TokenCase> {};

TEST_P(TokenizeCommand, SplitsAtBlanksAndQuotes)
{
    EXPECT_EQ(tokenizeCommand(QString::fromUtf16(GetParam().text)), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, TokenizeCommand,
    testing::Values(
        TokenCase{"Plain", u"JS vars.txt a=1", {u"JS"_s, u"vars.txt"_s, u"a=1"_s}},
        TokenCase{"RunsOfBlanksCountAsOne", u"  COPY   a  b ", {u"COPY"_s, u"a"_s, u"b"_s}},
        TokenCase{"QuotedKeepsBlanks", u"JS v.txt \"s='a b'\"", {u"JS"_s, u"v.txt"_s, u"s='a b'"_s}},
        TokenCase{"QuotedFirstToken", u"\"my tool.exe\" x", {u"my tool.exe"_s, u"x"_s}},
        TokenCase{"EmptyPairIsEmptyToken", u"a \"\" b", {u"a"_s, u""_s, u"b"_s}},
        TokenCase{"UnclosedQuoteIsDroppedRestSplit", u"a \"b c", {u"a"_s, u"b"_s, u"c"_s}},
        TokenCase{"UnclosedAfterWellFormedKeepsIt", u"\"x y\" \"z", {u"x y"_s, u"z"_s}},
        TokenCase{"Empty", u"", {}}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(PrepareCommand, TakesWordArgumentsAndArgumentText)
{
    const PreparedCommand c = prepareCommand(u"COPY a.txt DESKTOP\\a.txt"_s, u"/home/ann/Desktop"_s);
    EXPECT_EQ(c.word, u"COPY"_s);
    EXPECT_EQ(c.first, u"a.txt"_s);
    EXPECT_EQ(c.second, u"/home/ann/Desktop\\a.txt"_s);
    EXPECT_EQ(c.argumentText, u"a.txt /home/ann/Desktop\\a.txt"_s);
}

TEST(PrepareCommand, LeadingDollarInArgumentTextBecomesSeparators)
{
    EXPECT_EQ(prepareCommand(u"DIR $$srv$share"_s, {}).argumentText, u"//srv/share"_s);
    EXPECT_EQ(prepareCommand(u"DIR a$b"_s, {}).argumentText, u"a$b"_s);
}

TEST(PrepareCommand, WordIsWholeTextWithoutTokens)
{
    const PreparedCommand c = prepareCommand(u"   "_s, {});
    EXPECT_EQ(c.word, u"   "_s);
    EXPECT_TRUE(c.first.isEmpty());
    EXPECT_EQ(c.argumentText, u"  "_s);
}

TEST(ExtensionOf, FromLastDotWithoutSeparatorAfterIt)
{
    EXPECT_EQ(extensionOf(u"talk.wave"_s), u".wave"_s);
    EXPECT_EQ(extensionOf(u".talk"_s), u".talk"_s);
    EXPECT_EQ(extensionOf(u"talk"_s), u""_s);
    EXPECT_EQ(extensionOf(u"a.b/talk"_s), u""_s);
    EXPECT_EQ(extensionOf(u"a.b\\talk"_s), u""_s);
}

struct PathCase {
    const char *name;
    QString (*rule)(const QString &, const CommandFolders &);
    const char16_t *text;
    const char16_t *path;
};

class PathRules : public testing::TestWithParam<PathCase> {};

TEST_P(PathRules, Resolve)
{
    const CommandFolders folders{u"/books/Sorvek"_s, u"/books/Sorvek/unit1/"_s};
    EXPECT_EQ(GetParam().rule(QString::fromUtf16(GetParam().text), folders),
              QString::fromUtf16(GetParam().path));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathRules,
    testing::Values(
        PathCase{"BookOrFolderDotIsBook", bookOrFolderPath, u".talk", u"/books/Sorvek/talk"},
        PathCase{"BookOrFolderPlainIsTop", bookOrFolderPath, u"talk", u"/books/Sorvek/unit1/talk"},
        PathCase{"BookOrFolderBackslashes", bookOrFolderPath, u"pics\\a.bmp", u"/books/Sorvek/unit1/pics/a.bmp"},
        PathCase{"BookOrFolderAbsoluteStillBelowTop", bookOrFolderPath, u"/x", u"/books/Sorvek/unit1//x"},
        PathCase{"FullAbsoluteStays", fullBookOrFolderPath, u"/home/ann/Desktop\\a.txt", u"/home/ann/Desktop/a.txt"},
        PathCase{"FullUrlStays", fullBookOrFolderPath, u"http://x/a.txt", u"http://x/a.txt"},
        PathCase{"FullDriveLetterStays", fullBookOrFolderPath, u"C:\\a.txt", u"C:/a.txt"},
        PathCase{"FullDotIsBook", fullBookOrFolderPath, u".data\\a.txt", u"/books/Sorvek/data/a.txt"},
        PathCase{"FullPlainIsTop", fullBookOrFolderPath, u"a.txt", u"/books/Sorvek/unit1/a.txt"},
        PathCase{"LevelUncNamesNothingHere", levelFolderPath, u"//srv/share", u"//srv/share"},
        PathCase{"LevelAbsoluteStays", levelFolderPath, u"/media/usb/book", u"/media/usb/book"},
        PathCase{"LevelDotIsBesideBook", levelFolderPath, u".Other", u"/books/Other"},
        PathCase{"LevelPlainIsTop", levelFolderPath, u"pics", u"/books/Sorvek/unit1/pics"}),
    [](const auto &row) { return std::string(row.param.name); });

struct MatchCase {
    const char *name;
    const char16_t *name_;
    int index;
};

class FindPageByName : public testing::TestWithParam<MatchCase> {};

TEST_P(FindPageByName, MatchesStemOrUnderscoreSuffix)
{
    const QStringList pages = {u"1000_pineapple.html"_s, u"1010_apple.html"_s, u"1020_.html"_s,
                               u"sub/1030_pear.html"_s, u"http://x/y/1040_fig.htm"_s};
    EXPECT_EQ(findPageByName(pages, QString::fromUtf16(GetParam().name_)), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FindPageByName,
    testing::Values(MatchCase{"WholeStem", u"1010_apple", 1},
                    MatchCase{"AfterUnderscore", u"apple", 1},
                    MatchCase{"PineappleIsNoApple", u"neapple", -1},
                    MatchCase{"CaseMatters", u"Apple", -1},
                    MatchCase{"EmptyNameFindsStemEndingInUnderscore", u"", 2},
                    MatchCase{"SubfolderEntry", u"pear", 3},
                    MatchCase{"WebEntry", u"fig", 4},
                    MatchCase{"ExtensionIsNotPartOfStem", u"apple.html", -1}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(DownloadAddress, WebAddressesOnlyWithHttpAddedWithoutScheme)
{
    const struct {
        const char16_t *text;
        const char16_t *address; // "none": refused
    } rows[] = {
        {u"example.com\\a.txt", u"http://example.com/a.txt"},
        {u"https://example.com/a.txt", u"https://example.com/a.txt"},
        {u"HTTP://example.com/a.txt", u"HTTP://example.com/a.txt"},
        {u"localhost:8080/a", u"http://localhost:8080/a"},
        {u"file:///etc/passwd", u"none"},
        {u"file:/etc/passwd", u"none"},
        {u"FILE:\\etc\\passwd", u"none"},
        {u"ftp://example.com/a", u"none"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(downloadAddress(QString::fromUtf16(row.text)).value_or(u"none"_s), QString::fromUtf16(row.address))
            << QString::fromUtf16(row.text).toStdString();
}

TEST(BlankPicture, IsACompleteWhiteBitmap)
{
    const QByteArray bytes = blankPictureBytes();
    ASSERT_EQ(bytes.size(), 921654);
    EXPECT_EQ(bytes.left(37).toHex().toUpper(),
              QByteArray("424D36100E0000000000360000002800000080020000E0010000010018000000000000100E"));
    EXPECT_EQ(bytes.mid(37, 17), QByteArray(17, '\0')); // rest of the image size, resolution, colours
    EXPECT_EQ(bytes.mid(54), QByteArray(921600, char(0xFF)));
}

} // namespace
