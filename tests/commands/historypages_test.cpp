#include "commands/historypages.h"

#include "commands/commandrunner.h"
#include "commands/textfile.h"
#include "fakes/fakecommandhost.h"
#include "testutil.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

const QString kHistoryPage = u"<HTML><HEAD>\n<script src=\"history/history.txt\"></script>\n"
                             u"<SCRIPT SRC=\"other.js\"></SCRIPT></HEAD></HTML>\n"_s;

TEST(HistoryScriptSource, RelativeAtRootFullBelow)
{
    EXPECT_EQ(historyScriptSource(u"/book"_s, u"/book/"_s, u"history/x"_s), u"history/x.txt"_s);
    EXPECT_EQ(historyScriptSource(u"/book"_s, u"/book/unit1/"_s, u"history/x"_s), u"/book/history/x.txt"_s);
}

TEST(WithHistoryScriptSource, ReplacesOnlyFirstSourceInAnyCase)
{
    const std::optional<QString> text = withHistoryScriptSource(kHistoryPage, u"history/NAME.txt"_s);
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->contains(u"<script src=\"history/NAME.txt\"></script>"_s));
    EXPECT_TRUE(text->contains(u"<SCRIPT SRC=\"other.js\">"_s));
}

TEST(WithHistoryScriptSource, PageWithoutScriptSourceIsLeftAlone)
{
    EXPECT_FALSE(withHistoryScriptSource(u"<HTML>history</HTML>"_s, u"x"_s));
    EXPECT_FALSE(withHistoryScriptSource(u"<script src=\"open"_s, u"x"_s));
}

TEST(WithHistoryScriptSource, PositionsSurviveLettersThatGrowInUpperCase)
{
    const std::optional<QString> text = withHistoryScriptSource(u"ßß<script src=\"a.txt\">"_s, u"b.txt"_s);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, u"ßß<script src=\"b.txt\">"_s);
}

class HisCommand : public testing::Test {
protected:
    HisCommand()
        : host(book.path())
        , runner(host)
    {
    }
    QString pageText(const QString &relative) const
    {
        return readPageText(book.path() + u'/' + relative).text;
    }
    QTemporaryDir book;
    FakeCommandHost host;
    CommandRunner runner;
};

TEST_F(HisCommand, RootLevelPointsHistoryPagesRelative)
{
    testutil::writePage(book.path(), u"1000_History.html"_s, kHistoryPage);
    testutil::writePage(book.path(), u"1010_a.html"_s, kHistoryPage);
    host.setRoot({u"1000_History.html"_s, u"1010_a.html"_s});
    runner.runCommand(u"HIS a/b"_s);
    EXPECT_EQ(host.history, u"history/a_b"_s);
    EXPECT_TRUE(QFileInfo(book.path() + u"/history"_s).isDir());
    EXPECT_TRUE(pageText(u"1000_History.html"_s).contains(u"src=\"history/a_b.txt\""_s));
    EXPECT_TRUE(pageText(u"1010_a.html"_s).contains(u"src=\"history/history.txt\""_s)); // no history page
    const QByteArray bytes = testutil::readBytes(book.path() + u"/1000_History.html"_s);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes.contains("\r\n"));
}

TEST_F(HisCommand, SubfolderPointsHistoryPagesByFullPath)
{
    testutil::writePage(book.path(), u"unit/HISTORY.htm"_s, kHistoryPage);
    host.setRoot({});
    host.pushLevel({u"HISTORY.htm"_s}, {u"H"_s}, 0, book.path() + u"/unit/"_s);
    runner.runCommand(u"HIS"_s);
    EXPECT_EQ(host.history, u"history/NAME"_s);
    EXPECT_TRUE(pageText(u"unit/HISTORY.htm"_s).contains(u"src=\""_s + book.path() + u"/history/NAME.txt\""_s));
}

TEST_F(HisCommand, HisjsThenWritesTheNewHistoryFile)
{
    host.setRoot({});
    runner.runCommand(u"HIS quiz1"_s);
    runner.runCommand(u"HISJS sDAT[1]=+1"_s);
    EXPECT_EQ(testutil::readBytes(book.path() + u"/history/quiz1.txt"_s), QByteArray("sDAT[1]=+1\r\n"));
}

} // namespace
