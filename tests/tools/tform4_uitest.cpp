// The search window on a real folder tree: building and reusing the index, the body-text search
// with its undo step, the results handed back, the LOOK callers and the preview.
#include "tools/tform4.h"

#include "fakes/fakebrowser_ui.h"
#include "fakes/fakeplatform.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

class SearchWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.BookFolder = dir.path();
        add(u"1010_b.html"_s, u"バナナ"_s, u"<P>黄色い<B>果物</B></P>"_s);
        add(u"1020_a.html"_s, u"りんご#赤"_s, u"<P>赤い果物</P><!-- 葉 -->"_s);
        add(u"sub/1010_c.html"_s, u"葉"_s, u"<P>緑の葉</P>"_s);
        add(u"sub/1020_d.html"_s, u"根?ヒント"_s, u"<P>土の中</P>"_s);
    }

    void add(const QString &path, const QString &title, const QString &body)
    {
        testutil::writePage(dir.path(), path,
                            u"<HTML><HEAD><TITLE>"_s + title + u"</TITLE></HEAD><BODY>"_s + body + u"</BODY></HTML>"_s);
    }
    fakes::FakeBrowser *preview() const { return static_cast<fakes::FakeBrowser *>(form.WebBrowser1); }
    QStringList shownTitles() const
    {
        QStringList titles;
        for (int k = 0; k < form.ResultTitles->count(); ++k)
            titles.append(form.ResultTitles->item(k)->text());
        return titles;
    }
    // The Find menu's use: the whole tree below the book, body-text mode.
    void openForFind(const QString &folder = QString())
    {
        form.Edit2 = folder;
        form.Tag = SearchMode::BodyText;
        form.Edit1->clear();
        form.show();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !form.Busy(); }, 10000));
    }
    void search(const QString &terms)
    {
        form.Edit1->setText(terms);
        QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([this] { return !form.Busy(); }, 10000));
    }

    QTemporaryDir dir;
    QString indexedFolder = u"xxx"_s;
    fakes::FakePrompt prompt;
    TForm4 form{[](QWidget *parent) { return new fakes::FakeBrowser(parent); }, prompt, indexedFolder};
};

TEST_F(SearchWindowTest, FindListsTheTreeByTitleAndPreviewsTheFirst)
{
    QSignalSpy previewed(&form, &TForm4::PagePreviewed);
    openForFind();
    EXPECT_EQ(form.SearchBase, dir.path() + u'/');
    EXPECT_EQ(indexedFolder, form.SearchBase);
    // By UTF-16 code unit: hiragana, katakana, then kanji.
    EXPECT_EQ(shownTitles(), (QStringList{u"りんご#赤"_s, u"バナナ"_s, u"根?ヒント"_s, u"葉"_s}));
    EXPECT_EQ(form.ResultPaths.first(), u"1020_a.html"_s);
    EXPECT_EQ(form.Label1->text(), u"4"_s);
    EXPECT_EQ(form.size(), QSize(911, 600));
    EXPECT_FALSE(form.Panel11->isVisible());
    const QString first = dir.filePath(u"1020_a.html"_s);
    ASSERT_EQ(previewed.size(), 1);
    EXPECT_EQ(previewed.at(0).at(0).toString(), first);
    EXPECT_EQ(form.Caption(), QUrl::fromLocalFile(first).toString());
    EXPECT_EQ(preview()->location, QUrl::fromLocalFile(first));
}

TEST_F(SearchWindowTest, BodySearchNarrowsAndOneStepBackRestores)
{
    openForFind();
    search(u"果物"_s);
    EXPECT_EQ(shownTitles(), (QStringList{u"りんご#赤"_s, u"バナナ"_s}));
    search(u"黄色"_s);
    EXPECT_EQ(shownTitles(), QStringList{u"バナナ"_s});
    form.Edit1->setText(u"something else"_s);
    QTest::mouseClick(form.BitBtn4, Qt::LeftButton);
    QTest::mouseClick(form.BitBtn4, Qt::LeftButton); // only one step is held
    EXPECT_EQ(shownTitles(), (QStringList{u"りんご#赤"_s, u"バナナ"_s}));
    EXPECT_EQ(form.Edit1->text(), u"黄色"_s);
    EXPECT_EQ(form.Label1->text(), u"2"_s);
}

TEST_F(SearchWindowTest, SlashSearchesEitherTermAndCommentsDoNotCount)
{
    openForFind();
    search(u"葉/土"_s); // 葉 also stands in a comment of りんご
    EXPECT_EQ(shownTitles(), (QStringList{u"根?ヒント"_s, u"葉"_s}));
}

TEST_F(SearchWindowTest, ListAcceptsResultsAndHandsThemBack)
{
    openForFind(dir.filePath(u"sub"_s));
    EXPECT_EQ(form.SearchBase, dir.filePath(u"sub/"_s));
    search(u"緑"_s);
    QTest::mouseClick(form.BitBtn2, Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.ListBox1, QStringList{u"1010_c.html"_s});
    EXPECT_EQ(form.ListBox2, QStringList{u"葉"_s});
    EXPECT_TRUE(form.Edit2.isEmpty());
    EXPECT_EQ(form.Caption(), QUrl::fromLocalFile(dir.filePath(u"sub/1010_c.html"_s)).toString());
}

TEST_F(SearchWindowTest, NoResultListCancelsAndBackClearsTheCaption)
{
    openForFind();
    search(u"見つからない"_s);
    EXPECT_EQ(form.Label1->text(), u"0"_s);
    QTest::mouseClick(form.BitBtn2, Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(form.ListBox1.size(), 4); // the undo copy stays
    openForFind();
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_TRUE(form.Caption().isEmpty());
}

TEST_F(SearchWindowTest, SavedIndexIsReusedUntilMarkedStale)
{
    openForFind();
    form.close();
    add(u"1030_new.html"_s, u"新しい"_s, QString());
    openForFind();
    EXPECT_EQ(form.ResultPaths.size(), 4);
    form.close();
    indexedFolder = u"xxx"_s;
    openForFind();
    EXPECT_EQ(form.ResultPaths.size(), 5);
}

TEST_F(SearchWindowTest, EscDuringTheWalkSavesNoIndex)
{
    form.show(); // the walk runs from the next turn of the event loop
    EXPECT_TRUE(form.Busy());
    EXPECT_TRUE(form.Panel11->isVisible());
    EXPECT_EQ(form.size(), QSize(311, 34)); // the progress box is all there is
    EXPECT_FALSE(form.Pup->isEnabled());
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Busy());
    EXPECT_EQ(indexedFolder, u"xxx"_s);
    EXPECT_TRUE(form.ListBox1.isEmpty());
    openForFind();
    EXPECT_EQ(form.ResultPaths.size(), 4);
}

TEST_F(SearchWindowTest, EscDuringTheBodySearchStopsItAndKeepsTheResults)
{
    for (int k = 0; k < 200; ++k)
        add(QStringLiteral("many/%1_p.html").arg(2000 + k), QStringLiteral("頁%1").arg(k), u"<P>果物</P>"_s);
    openForFind();
    form.Edit1->setText(u"果物"_s);
    QTest::mouseClick(form.BitBtn1, Qt::LeftButton); // the pages are read from the next turn on
    EXPECT_TRUE(form.Busy());
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Busy());
    EXPECT_EQ(form.ListBox1.size(), 204); // the index shown before the search
    openForFind();
    search(u"黄色"_s);
    EXPECT_EQ(shownTitles(), QStringList{u"バナナ"_s});
}

TEST_F(SearchWindowTest, UnreadablePageStopsTheSearchAndKeepsTheResults)
{
    openForFind();
    QFile::remove(dir.filePath(u"sub/1010_c.html"_s));
    search(u"果物"_s);
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages.first().contains(u"1010_c.html"_s));
    EXPECT_EQ(shownTitles().size(), 4);
    EXPECT_FALSE(form.Busy());
    EXPECT_TRUE(form.BitBtn1->isEnabled());
}

TEST_F(SearchWindowTest, LookFindsTitleWordsButNeverTheAskingPage)
{
    add(u"1030_e.html"_s, u"\"g.png\"赤?色"_s, QString());
    const QString asking = dir.filePath(u"1030_e.html"_s).toUpper();
    const LookResult r = form.LookSearch(u"赤"_s, asking);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(r.pages, QStringList{u"1020_a.html"_s});
    EXPECT_EQ(r.titles, QStringList{u"りんご#赤"_s});
    EXPECT_EQ(r.shownUrl, QUrl::fromLocalFile(dir.filePath(u"1020_a.html"_s)).toString());
    EXPECT_EQ(indexedFolder, dir.path() + u'/');
}

TEST_F(SearchWindowTest, LookWithoutMatchGivesTheWholeIndex)
{
    const LookResult r = form.LookSearch(u"ない"_s, QString());
    EXPECT_EQ(r.pages.size(), 4);
    EXPECT_EQ(r.shownUrl, QUrl::fromLocalFile(dir.filePath(r.pages.first())).toString());
}

TEST_F(SearchWindowTest, LinkIndexIsTheWholeBookByTitleLength)
{
    openForFind(dir.filePath(u"sub"_s)); // a caller's folder is dropped on every close
    form.close();
    const LookTitleIndex index = form.LinkTitleIndex(dir.filePath(u"1010_b.html"_s));
    EXPECT_EQ(index.bookFolder, dir.path());
    EXPECT_EQ(index.currentPagePath, dir.filePath(u"1010_b.html"_s));
    // Keys 1 (赤, the second line), 1, 3 and 6 (no "#": counted whole); the two of length 1 in
    // the order the partition leaves them.
    EXPECT_EQ(index.titles, (QStringList{u"りんご#赤"_s, u"葉"_s, u"バナナ"_s, u"根?ヒント"_s}));
    EXPECT_EQ(index.relativePaths.at(1), u"sub/1010_c.html"_s);
}

TEST_F(SearchWindowTest, PreviewRefusesCommandLinks)
{
    openForFind();
    preview()->Navigate(QUrl(u"file:///$NEXT"_s));
    EXPECT_EQ(preview()->location, QUrl::fromLocalFile(dir.filePath(u"1020_a.html"_s)));
}

TEST_F(SearchWindowTest, ClickPreviewsTheResultAndAllShowsTheIndexAgain)
{
    openForFind();
    search(u"果物"_s);
    QListWidgetItem *second = form.ResultTitles->item(1);
    QTest::mouseClick(form.ResultTitles->viewport(), Qt::LeftButton, {},
                      form.ResultTitles->visualItemRect(second).center());
    EXPECT_EQ(form.Caption(), QUrl::fromLocalFile(dir.filePath(u"1010_b.html"_s)).toString());
    QTest::mouseClick(form.BitBtn5, Qt::LeftButton);
    EXPECT_EQ(form.ResultPaths.size(), 4);
}

TEST_F(SearchWindowTest, ArrowKeysOnTheResultsPreviewLikeAClick)
{
    struct Row {
        const char *name;
        Qt::Key key;
        int row; // the result previewed afterwards
    };
    const Row rows[] = {
        {"down", Qt::Key_Down, 1}, {"end", Qt::Key_End, 3},  {"up at the end", Qt::Key_Up, 2},
        {"home", Qt::Key_Home, 0}, {"up at the top stays", Qt::Key_Up, 0},
    };
    openForFind();
    form.ResultTitles->setFocus();
    for (const Row &row : rows) {
        QTest::keyClick(form.ResultTitles, row.key);
        EXPECT_EQ(form.ResultTitles->currentRow(), row.row) << row.name;
        EXPECT_EQ(preview()->location, QUrl::fromLocalFile(form.SearchBase + form.ResultPaths.value(row.row))) << row.name;
        EXPECT_EQ(form.Caption(), preview()->location.toString()) << row.name;
    }
    EXPECT_TRUE(form.isVisible()); // the keys only move; Esc is still the window's
    QTest::keyClick(form.ResultTitles, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
}

} // namespace
