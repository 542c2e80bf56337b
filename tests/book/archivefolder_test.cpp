#include "book/archivefolder.h"
#include "testutil.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

struct ArchiveCase {
    const char *name;
    QStringList files;     // below the archive folder; "" makes no archive folder at all
    QString topBelowBook;  // the top folder, relative to the book folder
    bool visible;
    QString hint;
    bool clickOpens;
};

} // namespace

class ArchiveButtonTest : public ::testing::TestWithParam<ArchiveCase> {};

TEST_P(ArchiveButtonTest, ShowsAndOpensArchive)
{
    const ArchiveCase &c = GetParam();
    QTemporaryDir dir;
    const QString book = dir.path();
    for (const QString &f : c.files) {
        if (!f.isEmpty())
            testutil::writeBytes(book, QStringLiteral("書庫/") + f, "x");
    }
    const ArchiveFolder archive(book);
    const QString top = book + QLatin1Char('/') + c.topBelowBook;
    const ArchiveFolder::ButtonState state = archive.buttonState(top);
    EXPECT_EQ(state.visible, c.visible);
    EXPECT_EQ(state.hint, c.hint);
    EXPECT_EQ(archive.clickOpens(top), c.clickOpens);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ArchiveButtonTest,
    ::testing::Values(
        ArchiveCase{"NoArchiveFolder", {}, QString(), false, QString(), false},
        ArchiveCase{"TwoPagesCounted", {u"a.html"_s, u"b.HTML"_s, u"c.txt"_s}, QString(), true,
                    QStringLiteral("書庫2ページを開く"), true},
        ArchiveCase{"HtmOnlyButtonHiddenClickAccepted", {u"a.htm"_s}, QString(), false, QString(), true},
        ArchiveCase{"HiddenAndLongerExtensionsCounted", {u".x.html"_s, u"y.html_"_s, u"z.htmlx"_s}, QString(), true,
                    QStringLiteral("書庫3ページを開く"), true},
        ArchiveCase{"InsideArchiveHidden", {u"a.html"_s}, QStringLiteral("書庫/"), false, QString(), false},
        ArchiveCase{"BelowArchiveHiddenButClickOpens", {u"a.html"_s, u"sub/b.html"_s}, QStringLiteral("書庫/sub/"), false,
                    QString(), true},
        ArchiveCase{"OtherFolderShows", {u"a.html"_s}, QStringLiteral("sub/"), true, QStringLiteral("書庫1ページを開く"),
                    true}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(ArchiveFolder, PathIsInsideBookFolder)
{
    EXPECT_EQ(ArchiveFolder(QStringLiteral("/home/ann/Books")).path(), QStringLiteral("/home/ann/Books/書庫"));
}
