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

TEST(WithHistoryScriptSource, OnlyTheFirstSourceValueChanges)
{
    struct Row {
        const char *name;
        QByteArray page;
        std::optional<QByteArray> expected;
    };
    const Row rows[] = {
        {"first source in any case", "<script src=\"h.txt\"></script>\r\n<SCRIPT SRC=\"o.js\">",
         QByteArray("<script src=\"new.txt\"></script>\r\n<SCRIPT SRC=\"o.js\">")},
        {"mixed line ends and no byte-order mark stay", "a\nb\r<SCRIPT SRC=\"h.txt\">\r\nc\n",
         QByteArray("a\nb\r<SCRIPT SRC=\"new.txt\">\r\nc\n")},
        {"byte-order mark and letters that grow in upper case", "\xEF\xBB\xBF\xC3\x9F<script src=\"a\">",
         QByteArray("\xEF\xBB\xBF\xC3\x9F<script src=\"new.txt\">")},
        {"no script source", "<HTML>history</HTML>", std::nullopt},
        {"unclosed value", "<script src=\"open", std::nullopt},
    };
    for (const Row &row : rows)
        EXPECT_EQ(withHistoryScriptSource(row.page, u"new.txt"_s), row.expected) << row.name;
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
    BookPageRunner runner;
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
