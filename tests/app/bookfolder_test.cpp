#include "app/bookfolder.h"

#include <gtest/gtest.h>

using namespace sorvek;

namespace {

struct BookCase {
    const char *name;
    const char *program;
    const char *folder;
    const char *title;
};

class BookFolderTest : public ::testing::TestWithParam<BookCase> {};

TEST_P(BookFolderTest, DerivesFolderAndTitle)
{
    const BookCase &c = GetParam();
    const BookLocation location = bookLocationFromProgram(QString::fromUtf8(c.program));
    EXPECT_EQ(location.folder, QString::fromUtf8(c.folder));
    EXPECT_EQ(location.title, QString::fromUtf8(c.title));
}

INSTANTIATE_TEST_SUITE_P(
    Names, BookFolderTest,
    ::testing::Values(
        BookCase{"PlainNameBesideProgram", "/opt/apps/Books.bin", "/opt/apps/Books", "Books"},
        BookCase{"DollarsEncodeThePath", "/opt/apps/$home$ann$Books.bin", "/home/ann/Books", "sorvek"},
        BookCase{"PercentBecomesSlash", "/opt/apps/%srv%share%Math.bin", "/srv/share/Math", "sorvek"},
        BookCase{"SemicolonDollarIsADriveLetter", "/opt/apps/D;$Books$Math.bin", "D:/Books/Math", "sorvek"},
        BookCase{"LoneSemicolonIsADriveLetter", "/opt/apps/D;Books.bin", "D:/Books", "sorvek"},
        BookCase{"TrailingDollarLosesOneSlash", "/opt/apps/$home$ann$.bin", "/home/ann", "sorvek"},
        BookCase{"JapaneseName", "/opt/apps/教材.bin", "/opt/apps/教材", "教材"},
        BookCase{"OnlyTheLastExtensionGoes", "/opt/apps/my.book.bin", "/opt/apps/my.book", "my.book"}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(WebAddresses, HelpNewsAndHomeKeepTheirFixedPaths)
{
    const WebAddresses web{QStringLiteral("https://example.test")};
    EXPECT_EQ(web.helpUrl(QStringLiteral("Books")), QStringLiteral("https://example.test/Books/HELP/help.html"));
    EXPECT_EQ(web.newsUrl(), QStringLiteral("https://example.test/sorvek/NEW/new.html"));
    EXPECT_EQ(web.homeUrl(), QStringLiteral("https://example.test/sorvek/index.html"));
}

} // namespace

#include "app/windowsize.h"

TEST(BaseSize, ChosenByWorkAreaWidth)
{
    EXPECT_EQ(sorvek::baseSizeForWorkArea(1920), QSize(1024, 742));
    EXPECT_EQ(sorvek::baseSizeForWorkArea(1024), QSize(1024, 742));
    EXPECT_EQ(sorvek::baseSizeForWorkArea(1023), QSize(800, 574));
}
