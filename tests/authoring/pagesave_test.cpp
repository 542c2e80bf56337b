#include "authoring/pagesave.h"

#include "authoring/pagereader.h"
#include "pageedit_pages.h"
#include "testutil.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sorvek;

// Everything here is local to this file: test case types of other files may share names.
namespace {

const QString kCurrent = QStringLiteral("/book/1010_a.html");
const QString kChosen = QStringLiteral("/book/1050_new.html");

struct PlanCase {
    const char *name;
    EditorClosing closing;
    QString currentPagePath;
    EditSaveKind kind;
    QString path;
    bool quiz;
};

class PlanningTheSave : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanningTheSave, ChoosesTheFile)
{
    const EditSavePlan plan = planEditSave(GetParam().closing, GetParam().currentPagePath);
    EXPECT_EQ(plan.kind, GetParam().kind);
    EXPECT_EQ(plan.path, GetParam().path);
    EXPECT_EQ(plan.quizPage, GetParam().quiz);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PlanningTheSave,
    ::testing::Values(
        PlanCase{"closed_writes_nothing", {kEditClosed, {}, 0, {}}, kCurrent, EditSaveKind::Nothing, {}, false},
        PlanCase{"save_over_current_page", {kEditSaved, {}, 0, {}}, kCurrent, EditSaveKind::OverCurrentPage, kCurrent, false},
        PlanCase{"quiz_over_current_page", {kEditSavedAsQuiz, {}, 0, {}}, kCurrent, EditSaveKind::OverCurrentPage,
                 kCurrent, true},
        PlanCase{"confirmed_save_as", {kEditSaved, QStringLiteral("caption"), 1, kChosen}, kCurrent, EditSaveKind::SaveAs,
                 kChosen, false},
        PlanCase{"cancelled_save_as_writes_nothing", {kEditSaved, QStringLiteral("caption"), 0, kChosen}, kCurrent,
                 EditSaveKind::Nothing, {}, false},
        PlanCase{"save_as_without_a_name", {kEditSaved, QStringLiteral("caption"), 1, {}}, kCurrent, EditSaveKind::Nothing,
                 {}, false},
        PlanCase{"no_current_page", {kEditSaved, {}, 0, {}}, QString(), EditSaveKind::Nothing, {}, false}),
    [](const auto &row) { return std::string(row.param.name); });

class SavingPages : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        folder_ = dir_.path() + u'/';
        current_ = testutil::writePage(dir_.path(), QStringLiteral("1010_a.html"),
                                       pageedit::note(QStringLiteral("<H1>old</H1><P></P><P>(2)</P>")));
        original_ = testutil::readBytes(current_);
        const PageEditReading reading = readPageForEditing(PageEditRequest{{}, {}, current_}, {folder_, {}});
        ASSERT_TRUE(reading.ok());
        fields_ = reading.fields;
        fields_.Memo4 = QStringLiteral("new");
    }

    QTemporaryDir dir_;
    QString folder_;
    QString current_;
    QByteArray original_;
    PageEditFields fields_;
};

TEST_F(SavingPages, OverTheCurrentPage)
{
    const EditSaveOutcome outcome = saveEditedPage(fields_, {kEditSaved, {}, 0, {}}, current_, {});
    EXPECT_TRUE(outcome.saved());
    EXPECT_FALSE(outcome.reopenLevel());
    EXPECT_TRUE(outcome.goCommand.isEmpty());
    const QByteArray bytes = testutil::readBytes(current_);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes.endsWith("</HTML>\r\n"));
    EXPECT_TRUE(bytes.contains("<H1>new</H1>"));
    EXPECT_FALSE(bytes.contains("\r\r"));
}

TEST_F(SavingPages, UnderTheChosenNameLeavesTheOldFile)
{
    const QString chosen = folder_ + QStringLiteral("1050_new.html");
    const EditSaveOutcome outcome =
        saveEditedPage(fields_, {kEditSaved, QStringLiteral("new"), 1, chosen}, current_, {});
    EXPECT_TRUE(outcome.saved());
    EXPECT_TRUE(outcome.reopenLevel());
    EXPECT_EQ(outcome.goCommand, QStringLiteral("GO 1050_new"));
    EXPECT_EQ(testutil::readBytes(current_), original_);
    EXPECT_TRUE(testutil::readBytes(chosen).contains("<H1>new</H1>"));
}

TEST_F(SavingPages, ClosedOrUnconfirmedWritesNothing)
{
    EXPECT_FALSE(saveEditedPage(fields_, {kEditClosed, {}, 0, {}}, current_, {}).attempted());
    const EditSaveOutcome unconfirmed = saveEditedPage(fields_, {kEditSaved, QStringLiteral("new"), 0, {}}, current_, {});
    EXPECT_FALSE(unconfirmed.attempted());
    EXPECT_FALSE(unconfirmed.offerSaveAs());
    EXPECT_TRUE(unconfirmed.message().isEmpty());
    EXPECT_EQ(testutil::readBytes(current_), original_);
}

TEST_F(SavingPages, FailedWriteIsNeverASave)
{
    const QString chosen = folder_ + QStringLiteral("gone/1050_new.html");
    const EditSaveOutcome outcome =
        saveEditedPage(fields_, {kEditSaved, QStringLiteral("new"), 1, chosen}, current_, {});
    EXPECT_TRUE(outcome.attempted());
    EXPECT_FALSE(outcome.saved());
    EXPECT_FALSE(outcome.reopenLevel());
    EXPECT_TRUE(outcome.goCommand.isEmpty());
    EXPECT_TRUE(outcome.offerSaveAs());
    EXPECT_TRUE(outcome.message().contains(chosen));
    EXPECT_FALSE(QFile::exists(chosen));
}

TEST_F(SavingPages, ReadOnlyFolderKeepsThePage)
{
    if (!testutil::makeFolderReadOnly(dir_.path()))
        GTEST_SKIP() << "cannot make a folder read-only here";
    const EditSaveOutcome outcome = saveEditedPage(fields_, {kEditSaved, {}, 0, {}}, current_, {});
    testutil::restoreFolder(dir_.path());
    EXPECT_FALSE(outcome.saved());
    EXPECT_TRUE(outcome.offerSaveAs());
    EXPECT_EQ(testutil::readBytes(current_), original_);
}

TEST_F(SavingPages, ButtonSaveWritesAQuizPage)
{
    const EditSaveOutcome outcome = saveEditedPage(fields_, {kEditSavedAsQuiz, {}, 0, {}}, current_, {});
    EXPECT_TRUE(outcome.saved());
    EXPECT_EQ(outcome.quizError, QuizPageError::None);
    EXPECT_TRUE(testutil::readBytes(current_).contains("<!--beginSorvek//-->"));
    // Editing the quiz page shows the answer field again.
    const PageEditReading again = readPageForEditing(PageEditRequest{{}, {}, current_}, {folder_, {}});
    EXPECT_EQ(again.fields.Memo2, QStringLiteral("(2)"));
}

TEST_F(SavingPages, QuizWithoutBodyKeepsThePlainPage)
{
    fields_.bodyHead.clear();
    const EditSaveOutcome outcome = saveEditedPage(fields_, {kEditSavedAsQuiz, {}, 0, {}}, current_, {});
    EXPECT_TRUE(outcome.saved());
    EXPECT_EQ(outcome.quizError, QuizPageError::NoBodyStartTag);
    EXPECT_FALSE(outcome.message().isEmpty());
    const QByteArray bytes = testutil::readBytes(current_);
    EXPECT_TRUE(bytes.contains("<H1>new</H1>"));
    EXPECT_FALSE(bytes.contains("beginSorvek"));
}

struct RequestCase {
    const char *name;
    QString fileName; // relative to the folder, "" for the current page
    QString html;
    bool noCurrentPage;
    PageEditRefusal refusal;
};

class ReadingARequest : public ::testing::TestWithParam<RequestCase> {};

TEST_P(ReadingARequest, RefusesOrReads)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString current = testutil::writePage(dir.path(), QStringLiteral("1010_a.html"),
                                                pageedit::note(QStringLiteral("<H1>h</H1>")));
    testutil::writePage(dir.path(), QStringLiteral("plain.html"), QStringLiteral("<!doctype html public><HTML></HTML>"));
    const QString fileName = GetParam().fileName.isEmpty() || GetParam().fileName.contains(u':')
        ? GetParam().fileName
        : dir.path() + u'/' + GetParam().fileName;
    const PageEditRequest request{fileName, GetParam().html, GetParam().noCurrentPage ? QString() : current};
    const PageEditReading reading = readPageForEditing(request, {dir.path() + u'/', {}});
    EXPECT_EQ(reading.refusal, GetParam().refusal);
    EXPECT_EQ(reading.message().isEmpty(), GetParam().refusal != PageEditRefusal::Unreadable);
    if (reading.ok()) {
        EXPECT_EQ(reading.fields.Label5, fileName);
        EXPECT_EQ(reading.fields.Caption, fileName.isEmpty() ? current : fileName);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ReadingARequest,
    ::testing::Values(
        RequestCase{"current_page", {}, {}, false, PageEditRefusal::None},
        RequestCase{"named_page", QStringLiteral("1010_a.html"), {}, false, PageEditRefusal::None},
        RequestCase{"given_text_without_doctype", QStringLiteral("new.html"), QStringLiteral("<BODY>x</BODY>"), false,
                    PageEditRefusal::None},
        RequestCase{"web_page", QStringLiteral("http://example.org/a.html"), {}, false, PageEditRefusal::WebPage},
        RequestCase{"secure_web_page", QStringLiteral("https://example.org/a.html"), {}, false, PageEditRefusal::WebPage},
        RequestCase{"not_a_page", QStringLiteral("plain.html"), {}, false, PageEditRefusal::NotAPage},
        RequestCase{"missing_file", QStringLiteral("gone.html"), {}, false, PageEditRefusal::Unreadable},
        RequestCase{"no_page_in_level", {}, {}, true, PageEditRefusal::NoPage}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(ReadingARequest, CurrentPageReadsItsFields)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString current = testutil::writePage(dir.path(), QStringLiteral("a.html"), pageedit::note(QStringLiteral("<H1>h</H1>")));
    const PageEditReading reading = readPageForEditing(PageEditRequest{{}, {}, current}, {dir.path() + u'/', {}});
    EXPECT_EQ(reading.fields.Memo4, QStringLiteral("h"));
    EXPECT_TRUE(reading.fields.Label5.isEmpty());
}

} // namespace
