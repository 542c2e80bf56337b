// The side-menu page: splitting it around its menu region, the dialog's text, and saving.
#include "pagefiles/sidemenu.h"
#include "testutil.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

struct SplitCase {
    const char *name;
    QString text;
    bool isNew;
    QString head;
    QString region;
    QString tail;
};

class SideMenuSplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SideMenuSplitTest, SplitsAroundTheMenuRegion)
{
    const SplitCase &c = GetParam();
    const SideMenuParts parts = splitSideMenu(c.text);
    EXPECT_EQ(parts.isNew, c.isNew);
    if (!c.isNew) {
        EXPECT_EQ(parts.head, c.head);
        EXPECT_EQ(parts.tail, c.tail);
    }
    EXPECT_EQ(parts.region, c.region);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SideMenuSplitTest,
    ::testing::Values(
        SplitCase{"EmptyPageIsNew", QString(), true, {}, {}, {}},
        SplitCase{"BothMarkers", u"<P>top</P><!--MENU_IN-->\r\n<P>m</P>\r\n<!--MENU_OUT-->\r\n<P>end</P>"_s, false,
                  u"<P>top</P><!--MENU_IN-->"_s, u"\r\n<P>m</P>\r\n"_s, u"<!--MENU_OUT-->\r\n<P>end</P>"_s},
        SplitCase{"BodyWithoutMarkersIsWrapped", u"<HTML><body bgcolor=\"red\">\r\n<P>x</P>\r\n</Body></HTML>"_s, false,
                  u"<HTML><body bgcolor=\"red\">\r<!--MENU_IN-->\r"_s, u"\r\n<P>x</P>\r\n"_s,
                  u"<!--MENU_OUT-->\r</Body></HTML>"_s},
        SplitCase{"BodyWithoutEndTagKeepsItsText", u"<HTML><BODY>\r\nmenu\r\n</HTML>"_s, false,
                  u"<HTML><BODY>\r<!--MENU_IN-->\r"_s, u"\r\nmenu\r\n"_s, u"<!--MENU_OUT-->\r</HTML>"_s},
        SplitCase{"StartWithoutEndKeepsTheRestAsTail", u"<BODY><!--MENU_IN-->\r\n<P>a</P></BODY>"_s, false,
                  u"<BODY><!--MENU_IN-->"_s, QString(), u"\r\n<P>a</P></BODY>"_s},
        SplitCase{"EndWithoutStartAndNoBodyAfterIsNew", u"<BODY><P>a</P><!--MENU_OUT--></BODY>"_s, true, {}, {}, {}},
        SplitCase{"NoBodyIsNew", u"<HTML><P>a</P></HTML>"_s, true, {}, {}, {}}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(SideMenuDialog, NamesOfDirLinksOnePerLineWithTheirBlank)
{
    const QString region = u"<P><A href=\"/$DIR Folder1\">Folder1</A></P>\r\n<P><A href=\"/$DIR 理科\">理科</A></P>\r\n"_s;
    EXPECT_EQ(sideMenuDialogText(region), u" Folder1\n 理科\n"_s);
    EXPECT_EQ(sideMenuDialogText(u"<P>plain</P>\r\n"_s), u"<P>plain</P>\r\n"_s);
}

TEST(SideMenuDialog, EntriesFromNonEmptyTrimmedLines)
{
    EXPECT_EQ(sideMenuEntries(u" Folder1\n\n   \n\tFolder2 \r\n"_s),
              u"<P><A href=\"/$DIR Folder1\">Folder1</A></P>\r<P><A href=\"/$DIR Folder2\">Folder2</A></P>\r"_s);
    // Only blanks and control characters are trimmed; an ideographic space is part of the name.
    EXPECT_EQ(sideMenuEntries(u"\u3000算数"_s), u"<P><A href=\"/$DIR \u3000算数\">\u3000算数</A></P>\r"_s);
    EXPECT_TRUE(sideMenuEntries(u" \n\r\n"_s).isEmpty());
}

class SideMenuFileTest : public ::testing::Test {
protected:
    QString path() const { return sideMenuPath(dir.path()); }
    QByteArray bytes() const { return testutil::readBytes(path()); }
    void save(const QString &dialogText)
    {
        const SideMenuRead read = readSideMenu(path());
        ASSERT_TRUE(read.ok);
        ASSERT_TRUE(saveSideMenu(path(), read.parts, dialogText).ok);
    }
    QTemporaryDir dir;
};

TEST_F(SideMenuFileTest, NewFileFromTheTemplate)
{
    save(u"Folder1\nFolder2\n"_s);
    const QByteArray expected = QByteArray("\xEF\xBB\xBF")
                                + "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
                                  "<META http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
                                  "<META http-equiv=\"Content-Style-Type\" content=\"text/css\">\r\n<TITLE></TITLE>\r\n"
                                  "</HEAD>\r\n<BODY bgcolor=\"#ece9d7\" style=\"font-size : 8pt;\">\r\n<!--MENU_IN-->\r\n"
                                  "<P><A href=\"/$DIR Folder1\">Folder1</A></P>\r\n"
                                  "<P><A href=\"/$DIR Folder2\">Folder2</A></P>\r\n"
                                  "<!--MENU_OUT-->\r\n</BODY>\r\n</HTML>\r\n";
    EXPECT_EQ(bytes(), expected);
}

TEST_F(SideMenuFileTest, ReopenedListsTheNamesAndSavesTheSameEntries)
{
    save(u"Folder1\nFolder2"_s);
    const QByteArray first = bytes();
    const SideMenuRead read = readSideMenu(path());
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(sideMenuDialogText(read.parts.region), u" Folder1\n Folder2\n"_s);
    save(sideMenuDialogText(read.parts.region));
    // The head now ends right at the marker: the first entry follows on its line.
    EXPECT_EQ(bytes(), QByteArray(first).replace("<!--MENU_IN-->\r\n", "<!--MENU_IN-->"));
}

TEST_F(SideMenuFileTest, ContentOutsideTheMarkersSurvivesAndEmptyDialogKeepsMarkers)
{
    testutil::writePage(dir.path(), u"_index.html"_s,
                        u"<BODY>\n<H1>本</H1><!--MENU_IN--><P>old</P><!--MENU_OUT--><P>足</P>\n</BODY>"_s);
    save(QString());
    EXPECT_EQ(bytes(), QByteArray("\xEF\xBB\xBF") + u"<BODY>\r\n<H1>本</H1><!--MENU_IN--><!--MENU_OUT--><P>足</P>\r\n</BODY>\r\n"_s.toUtf8());
}

TEST_F(SideMenuFileTest, HandWrittenBodyBecomesEntriesInsideMarkers)
{
    testutil::writePage(dir.path(), u"_index.html"_s, u"<HTML><BODY>\n<B>a</B>\n\nb\n</BODY></HTML>"_s);
    const SideMenuRead read = readSideMenu(path());
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(sideMenuDialogText(read.parts.region), u"\r\n<B>a</B>\r\n\r\nb\r\n"_s);
    save(sideMenuDialogText(read.parts.region));
    EXPECT_EQ(bytes(), QByteArray("\xEF\xBB\xBF")
                           + "<HTML><BODY>\r\n<!--MENU_IN-->\r\n<P><A href=\"/$DIR <B>a</B>\"><B>a</B></A></P>\r\n"
                             "<P><A href=\"/$DIR b\">b</A></P>\r\n<!--MENU_OUT-->\r\n</BODY></HTML>\r\n");
}

TEST_F(SideMenuFileTest, UnreadablePageIsAnErrorNotANewPage)
{
    QDir(dir.path()).mkdir(u"_index.html"_s);
    const SideMenuRead read = readSideMenu(path());
    EXPECT_FALSE(read.ok);
    EXPECT_FALSE(read.error.isEmpty());
}
