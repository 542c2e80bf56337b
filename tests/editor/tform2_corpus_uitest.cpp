// Every page of the corpus (tests/editor/corpus and the demo book) opened in the real editor
// window from the main window (through the page button's right-click menu for the pages named
// "popup"), saved by a mouse click on 保存 (ボタン保存 for the pages named "quiz_save"), and the
// file compared byte for byte with the expected page. The expected page is what the page writer
// makes of the reader's fields, and reading and writing it again gives the same bytes. A page
// named "refused" is one the editor must not open: it stays as it was and the author is told.
#include "app/tform1.h"
#include "authoring/pagereader.h"
#include "authoring/pagesave.h"
#include "editor/tform2.h"
#include "fakes/fakebrowser_ui.h"
#include "fakes/fakeplatform.h"
#include "testutil.h"
#include "tools/tform4.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace sorvek;

namespace {

const QString kCorpus = QStringLiteral(SORVEK_SOURCE_DIR "/tests/editor/corpus");

// One book for the whole suite: the demo book with the corpus beside its pages. Every row saves
// only its own page, so the titles the LOOK links are made from stay as they are.
struct CorpusBook {
    CorpusBook()
    {
        const QString folder = dir.filePath(QStringLiteral("Book"));
        bool copied = testutil::copyFolder(testutil::demoBookFolder(), folder);
        for (const QFileInfo &file : QDir(kCorpus).entryInfoList(QDir::Files))
            copied = QFile::copy(file.filePath(), folder + u'/' + file.fileName()) && copied;
        EXPECT_TRUE(copied);
        const BrowserFactory browsers = [](QWidget *parent) -> BrowserControl * { return new fakes::FakeBrowser(parent); };
        form = std::make_unique<TForm1>(platform.services(), browsers, dir.filePath(QStringLiteral("Book.bin")), QStringList());
        editor = std::make_unique<TForm2>(platform.services(), form.get());
        search = std::make_unique<TForm4>(browsers, platform.prompt, form->IndexedFolder, form.get());
        form->SetEditor(editor.get());
        form->SetSearchWindow(search.get());
        form->show();
    }
    QString path(const QString &name) const { return dir.filePath(QStringLiteral("Book/") + name); }

    QTemporaryDir dir;
    fakes::FakePlatform platform;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TForm2> editor;
    std::unique_ptr<TForm4> search;
};

// The demo book's pages and the corpus pages, by file name.
std::vector<QString> corpusPages()
{
    std::vector<QString> names;
    for (const QString &folder : {testutil::demoBookFolder(), kCorpus}) {
        for (const QString &name : QDir(folder).entryList({QStringLiteral("1*.html"), QStringLiteral("2*.html")}, QDir::Files, QDir::Name))
            names.push_back(name);
    }
    return names;
}

QString expectedPath(const QString &name)
{
    return kCorpus + QStringLiteral("/expected/") + name;
}

// The bytes the page writer makes of what the reader reads in the file at path.
QByteArray writerBytes(CorpusBook &book, const QString &path, bool quiz)
{
    const PageEditReading reading = readPageForEditing(PageEditRequest{{}, {}, path}, {QFileInfo(path).path() + u'/', {}});
    EXPECT_TRUE(reading.ok());
    const LookTitleIndex index = reading.fields.lookFlag ? book.form->LookLinkIndex(path) : LookTitleIndex{};
    return QByteArray("\xEF\xBB\xBF") + composeSavedPage(reading.fields, quiz, AnswerMarks{}, index).text.toUtf8();
}

class EditorCorpus : public ::testing::TestWithParam<QString> {
protected:
    static void SetUpTestSuite() { book_ = new CorpusBook; }
    static void TearDownTestSuite()
    {
        delete book_;
        book_ = nullptr;
    }
    static CorpusBook *book_;
};

CorpusBook *EditorCorpus::book_ = nullptr;

TEST_P(EditorCorpus, SavingWithoutEditsWritesTheExpectedPage)
{
    const QString name = GetParam();
    const QString path = book_->path(name);
    const int index = book_->form->levels_.pageList().indexOf(name);
    ASSERT_GE(index, 0);
    book_->form->SetPageIndex(index);
    if (name.contains(QStringLiteral("refused"))) {
        book_->platform.prompt.messages.clear();
        book_->form->EditPageClick();
        EXPECT_FALSE(book_->editor->isVisible());
        EXPECT_EQ(testutil::readBytes(path), testutil::readBytes(kCorpus + u'/' + name));
        EXPECT_TRUE(book_->platform.prompt.messages.join(u' ').contains(QStringLiteral("文字コードが読み取れません")));
        return;
    }
    const bool quiz = name.contains(QStringLiteral("quiz_save"));
    const QByteArray fromReader = writerBytes(*book_, path, quiz);
    // The reader's LOOK index walk lets the window's focus select the button it lands on.
    book_->form->SetPageIndex(index);
    TForm2 *editor = book_->editor.get();
    QTimer::singleShot(0, editor, [editor, quiz] {
        ASSERT_TRUE(editor->isVisible());
        QTest::mouseClick(quiz ? editor->BitBtn3 : editor->BitBtn1, Qt::LeftButton);
    });
    if (name.contains(QStringLiteral("popup"))) {
        QWidget *button = book_->form->PageButtons.at(index);
        const QPoint middle(button->width() / 2, button->height() / 2);
        QTest::mousePress(button, Qt::RightButton, {}, middle);
        QTest::mouseRelease(button, Qt::RightButton, {}, middle);
        QMenu *menu = book_->form->pagePopup_;
        ASSERT_TRUE(menu && menu->isVisible());
        auto *notes = static_cast<fakes::FakeBrowser *>(book_->form->WebBrowser2);
        const qsizetype panels = notes->navigations.size();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().first()).center());
        static_cast<fakes::FakeBrowser *>(book_->form->WebBrowser1)->complete();
        EXPECT_GT(notes->navigations.size(), panels) << "the page written is scanned for its links when shown";
    } else {
        book_->form->EditPageClick();
    }
    const QByteArray saved = testutil::readBytes(path);
    EXPECT_EQ(saved, testutil::readBytes(expectedPath(name)));
    EXPECT_EQ(saved, fromReader) << "the window wrote something else than the reader's fields";
    EXPECT_EQ(writerBytes(*book_, path, quiz), saved) << "a page the editor wrote changes when saved again";
}

INSTANTIATE_TEST_SUITE_P(Pages, EditorCorpus, ::testing::ValuesIn(corpusPages()), [](const auto &row) {
    std::string name = row.param.toStdString();
    for (char &c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
});

} // namespace
