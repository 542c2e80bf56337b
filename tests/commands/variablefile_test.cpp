#include "commands/variablefile.h"

#include "commands/commandrunner.h"
#include "fakes/fakecommandhost.h"
#include "testutil.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

struct NumberCase {
    const char *name;
    double value;
    const char16_t *text;
};

class FormatVariableNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(FormatVariableNumber, ShortestGeneralForm)
{
    EXPECT_EQ(formatVariableNumber(GetParam().value), QString::fromUtf16(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, FormatVariableNumber,
    testing::Values(NumberCase{"Integer", 3, u"3"}, NumberCase{"NegativeHalf", -0.5, u"-0.5"},
                    NumberCase{"Zero", 0, u"0"}, NumberCase{"FifteenDigitsRound", 0.1 + 0.2, u"0.3"},
                    NumberCase{"LargeStaysFixed", 123456789012345.0, u"123456789012345"},
                    NumberCase{"TooLargeIsScientific", 1e20, u"1E20"},
                    NumberCase{"SmallStaysFixed", 0.00001, u"0.00001"},
                    NumberCase{"TooSmallIsScientific", -1.5e-7, u"-1.5E-7"},
                    NumberCase{"Fraction", 12.25, u"12.25"}),
    [](const auto &row) { return std::string(row.param.name); });

struct AssignCase {
    const char *name;
    QStringList lines;
    const char16_t *assignment;
    QStringList result;
};

class AssignVariable : public testing::TestWithParam<AssignCase> {};

TEST_P(AssignVariable, UpdatesTable)
{
    EXPECT_EQ(assignVariable(GetParam().lines, QString::fromUtf16(GetParam().assignment)), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Assignments, AssignVariable,
    testing::Values(
        AssignCase{"SignedNumberAdds", {u"sDAT[1]=2"_s}, u"sDAT[1]=+1", {u"sDAT[1]=3"_s}},
        AssignCase{"NegativeResult", {u"x=0.5"_s}, u"x=-1", {u"x=-0.5"_s}},
        AssignCase{"MissingKeyAppendsAsWritten", {u"a=1"_s}, u"sDAT[1]=+1", {u"a=1"_s, u"sDAT[1]=+1"_s}},
        AssignCase{"EveryEqualKeyIsSet", {u"x=1"_s, u"y=0"_s, u"x=2"_s}, u"x=5", {u"x=5"_s, u"y=0"_s, u"x=5"_s}},
        AssignCase{"EveryEqualKeyAddsToItsOwnValue", {u"x=1"_s, u"x=2"_s}, u"x=+1", {u"x=2"_s, u"x=3"_s}},
        AssignCase{"NotANumberIsStoredAsWritten", {u"s=1"_s}, u"s=a-b", {u"s=a-b"_s}},
        AssignCase{"StoredNotANumberIsReplaced", {u"s=abc"_s}, u"s=+1", {u"s=+1"_s}},
        AssignCase{"DoubleQuoteSuppressesAdding", {u"t=1"_s}, u"t=\"a+b\"", {u"t=\"a+b\""_s}},
        AssignCase{"KeysCompareExactly", {u"X=1"_s, u" x=1"_s}, u"x=2", {u"X=1"_s, u" x=1"_s, u"x=2"_s}},
        AssignCase{"BareLineWritten", {}, u"hello", {u"hello"_s}},
        AssignCase{"BareLineDroppedByNextWrite", {u"hello"_s}, u"a=1", {u"a=1"_s}},
        AssignCase{"LineStartingWithEqualsDropped", {u"=5"_s, u"a=1"_s}, u"a=2", {u"a=2"_s}},
        AssignCase{"KeyEqualToValueIsBare", {}, u"same=same", {u"same"_s}},
        AssignCase{"EmptyAssignmentAddsEmptyLine", {u"a=1"_s}, u"", {u"a=1"_s, u""_s}},
        AssignCase{"ValueMayHoldEquals", {u"a=1"_s}, u"a=b=c", {u"a=b=c"_s}}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(HistoryNames, FromArgumentAndToPath)
{
    EXPECT_EQ(historyNameFor(QString()), u"history/NAME"_s);
    EXPECT_EQ(historyNameFor(u"a/b"_s), u"history/a_b"_s);
    EXPECT_EQ(historyFilePath(u"/book"_s, defaultHistoryName()), u"/book/history/history.txt"_s);
    EXPECT_EQ(historyFilePath(u"/book"_s, QString()), u"/book/history/history.txt"_s);
    EXPECT_EQ(historyFilePath(u"/book"_s, u"history/a_b"_s), u"/book/history/a_b.txt"_s);
}

class WriteVariableFile : public testing::Test {
protected:
    QTemporaryDir book;
    QString path() const { return book.path() + u"/vars.txt"_s; }
};

TEST_F(WriteVariableFile, WritesCodePageWithCrLfAndMakesHistoryFolder)
{
    testutil::writeBytes(book.path(), u"vars.txt"_s, QStringEncoder("windows-31j").encode(u"名前=1\r\n"_s));
    const VariableWriteResult r = writeVariable(book.path(), path(), u"名前=+2"_s);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(testutil::readBytes(path()), QByteArray(QStringEncoder("windows-31j").encode(u"名前=3\r\n"_s)));
    EXPECT_TRUE(QFileInfo(book.path() + u"/history"_s).isDir());
}

TEST_F(WriteVariableFile, ApostrophesBecomeDoubleQuotes)
{
    writeVariable(book.path(), path(), u"name='Ann'"_s);
    EXPECT_EQ(testutil::readBytes(path()), QByteArray("name=\"Ann\"\r\n"));
}

TEST_F(WriteVariableFile, MissingFileIsCreatedWithTheAssignment)
{
    writeVariable(book.path(), path(), u"sDAT[1]=+1"_s);
    EXPECT_EQ(testutil::readBytes(path()), QByteArray("sDAT[1]=+1\r\n"));
}

TEST_F(WriteVariableFile, DelDeletesTheFile)
{
    testutil::writeBytes(book.path(), u"vars.txt"_s, "x=1\r\n");
    const VariableWriteResult r = writeVariable(book.path(), path(), u"x=DEL"_s);
    EXPECT_EQ(r.outcome, VariableWriteResult::Outcome::Deleted);
    EXPECT_FALSE(QFileInfo::exists(path()));
}

TEST_F(WriteVariableFile, UnreadableFileIsLeftAloneAndReported)
{
    testutil::writeBytes(book.path(), u"vars.txt"_s, "x=1\r\n");
    QFile(path()).setPermissions(QFileDevice::WriteOwner);
    if (QFile(path()).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running as a user who reads every file";
    const VariableWriteResult r = writeVariable(book.path(), path(), u"y=2"_s);
    QFile(path()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(r.outcome, VariableWriteResult::Outcome::ReadFailed);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(testutil::readBytes(path()), QByteArray("x=1\r\n"));
}

TEST_F(WriteVariableFile, FolderInPlaceOfFileIsReadFailure)
{
    QDir(book.path()).mkdir(u"vars.txt"_s); // exists, but no file can be read or written there
    const VariableWriteResult r = writeVariable(book.path(), path(), u"y=2"_s);
    EXPECT_EQ(r.outcome, VariableWriteResult::Outcome::ReadFailed);
    EXPECT_TRUE(r.error.contains(u"(フォルダです)"_s)) << r.error.toStdString();
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

TEST_F(WriteVariableFile, SumTooLargeIsReportedAndLeavesTheFile)
{
    testutil::writeBytes(book.path(), u"vars.txt"_s, "x=1e308\r\n");
    const VariableWriteResult r = writeVariable(book.path(), path(), u"x=+1e308"_s);
    EXPECT_EQ(r.outcome, VariableWriteResult::Outcome::BadNumber);
    EXPECT_EQ(testutil::readBytes(path()), QByteArray("x=1e308\r\n"));
}

TEST_F(WriteVariableFile, WriteIntoMissingFolderIsReported)
{
    const VariableWriteResult r = writeVariable(book.path(), book.path() + u"/none/vars.txt"_s, u"y=2"_s);
    EXPECT_EQ(r.outcome, VariableWriteResult::Outcome::WriteFailed);
    EXPECT_FALSE(r.error.isEmpty());
}

// Through the runner: JS, HISJS and their notices.
class VariableCommands : public testing::Test {
protected:
    VariableCommands()
        : host(book.path())
        , runner(host)
    {
        host.setRoot({u"1000_a.html"_s});
    }
    QTemporaryDir book;
    FakeCommandHost host;
    BookPageRunner runner;
};

TEST_F(VariableCommands, JsWritesIntoTopFolder)
{
    runner.runCommand(u"JS vars.txt x=5"_s);
    EXPECT_EQ(testutil::readBytes(book.path() + u"/vars.txt"_s), QByteArray("x=5\r\n"));
}

TEST_F(VariableCommands, JsQuotedAssignmentKeepsBlanks)
{
    runner.runCommand(u"JS vars.txt \"s='a b'\""_s);
    EXPECT_EQ(testutil::readBytes(book.path() + u"/vars.txt"_s), QByteArray("s=\"a b\"\r\n"));
}

TEST_F(VariableCommands, HisjsDelDeletesHistoryAndShowsPage)
{
    runner.runCommand(u"HISJS x=1"_s);
    ASSERT_TRUE(QFileInfo::exists(book.path() + u"/history/history.txt"_s));
    runner.runCommand(u"HISJS x=DEL"_s);
    EXPECT_FALSE(QFileInfo::exists(book.path() + u"/history/history.txt"_s));
    EXPECT_EQ(host.calls.last(), u"showPage(true)"_s);
}

TEST_F(VariableCommands, HisjsWithoutAssignmentAddsEmptyLine)
{
    runner.runCommand(u"HISJS a=1"_s);
    runner.runCommand(u"HISJS"_s);
    EXPECT_EQ(testutil::readBytes(book.path() + u"/history/history.txt"_s), QByteArray("a=1\r\n\r\n"));
}

TEST_F(VariableCommands, FailedWriteIsReported)
{
    runner.runCommand(u"JS none/vars.txt x=5"_s);
    ASSERT_FALSE(host.calls.isEmpty());
    EXPECT_TRUE(host.calls.last().startsWith(u"notice:"_s));
}

TEST_F(VariableCommands, UnmappableCharactersBecomeQuestionMarksToldOnce)
{
    runner.runCommand(u"JS vars.txt n='\U0001F600'"_s);
    runner.runCommand(u"JS vars.txt m='caf\u00e9'"_s);
    EXPECT_EQ(testutil::readBytes(book.path() + u"/vars.txt"_s), QByteArray("n=\"?\"\r\nm=\"caf?\"\r\n"));
    EXPECT_EQ(host.calls.filter(u"notice:"_s).size(), 1);
}

} // namespace
