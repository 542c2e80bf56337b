// The file tool offscreen: selection on showing, delete to the trash after a confirmation, copy
// into the archive, closing, and picture numbering with the pages that name the pictures.
#include "tools/tform3.h"

#include "fakes/fakeplatform.h"
#include "testutil.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

class FileToolTest : public ::testing::Test {
protected:
    void open(bool deleting, const QStringList &names)
    {
        QStringList files;
        for (const QString &name : names)
            files.append(testutil::writeBytes(dir.path(), name, name.toUtf8()));
        form.BookFolder = dir.path();
        form.Prepare(u"HTMLファイルとリンクファイルを削除"_s, deleting, files);
        form.show();
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    void click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

    QTemporaryDir dir;
    fakes::FakePlatform platform;
    TForm3 form{platform.services()};
};

} // namespace

TEST_F(FileToolTest, EveryEntryOfALongListIsSelectedAndDeleted)
{
    QStringList names;
    for (int i = 0; i < 300; ++i)
        names.append(u"f%1.jpg"_s.arg(i));
    open(true, names);
    EXPECT_EQ(form.SelectedFiles().size(), 300);
    EXPECT_TRUE(form.BitBtn1->isVisible());
    EXPECT_FALSE(form.BitBtn3->isVisible());
    EXPECT_EQ(form.windowTitle(), u"HTMLファイルとリンクファイルを削除"_s);
    platform.prompt.answers = {true};
    click(form.BitBtn1);
    EXPECT_EQ(platform.shell.calls.size(), 300);
    ASSERT_EQ(platform.prompt.messages.size(), 1);
    EXPECT_TRUE(platform.prompt.messages.first().endsWith(u"…ほか 285 個"_s));
}

TEST_F(FileToolTest, DeleteAsksThenMovesTheSelectedFilesToTheTrash)
{
    open(true, {u"a.html"_s, u"a.jpg"_s, u"keep.png"_s});
    form.ListBox1->item(2)->setSelected(false);
    platform.prompt.answers = {true};
    click(form.BitBtn1);
    EXPECT_EQ(platform.shell.calls, (QStringList{u"trash "_s + path(u"a.html"_s), u"trash "_s + path(u"a.jpg"_s)}));
    EXPECT_EQ(form.FileToolResult, 2);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.ListBox1->count(), 0);
}

TEST_F(FileToolTest, DeleteRefusedAtTheConfirmationTouchesNothing)
{
    open(true, {u"a.html"_s});
    platform.prompt.answers = {false};
    click(form.BitBtn1);
    EXPECT_EQ(platform.prompt.messages.size(), 1);
    EXPECT_EQ(platform.prompt.askers, std::vector<QWidget *>{&form});  // above the on-top tool
    EXPECT_EQ(platform.prompt.defaults, std::vector{DefaultAnswer::No});
    EXPECT_TRUE(platform.shell.calls.isEmpty());
    EXPECT_EQ(form.FileToolResult, 2);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(FileToolTest, NothingSelectedClosesWithTheResultAndNoQuestion)
{
    open(true, {u"a.html"_s});
    form.ListBox1->clearSelection();
    click(form.BitBtn1);
    EXPECT_TRUE(platform.prompt.messages.isEmpty());
    EXPECT_TRUE(platform.shell.calls.isEmpty());
    EXPECT_EQ(form.FileToolResult, 2);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(FileToolTest, CopyPutsTheFilesIntoTheArchiveWithoutPrefixes)
{
    open(false, {u"1010_a.html"_s, u"1010_a.wav"_s, u"0010_.txt"_s});
    EXPECT_TRUE(form.BitBtn3->isVisible());
    EXPECT_FALSE(form.BitBtn1->isVisible());
    click(form.BitBtn3);
    EXPECT_EQ(testutil::readBytes(path(u"書庫/a.html"_s)), QByteArray("1010_a.html"));
    EXPECT_EQ(testutil::readBytes(path(u"書庫/a.wav"_s)), QByteArray("1010_a.wav"));
    EXPECT_EQ(testutil::readBytes(path(u"書庫/0010_.txt"_s)), QByteArray("0010_.txt"));
    EXPECT_TRUE(QFileInfo::exists(path(u"1010_a.html"_s)));
    EXPECT_EQ(form.FileToolResult, 1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(platform.prompt.messages.isEmpty());
}

TEST_F(FileToolTest, CopyThatFailsIsReported)
{
    open(false, {u"a.html"_s});
    testutil::writeBytes(dir.path(), u"書庫"_s, "a file where the archive should be");
    click(form.BitBtn3);
    ASSERT_EQ(platform.prompt.messages.size(), 1);
    EXPECT_TRUE(platform.prompt.messages.first().contains(path(u"a.html"_s)));
}

TEST_F(FileToolTest, CloseButtonGivesZeroAndTheCloseBoxKeepsThePreviousResult)
{
    open(true, {u"a.html"_s});
    form.FileToolResult = 2;
    form.close();
    EXPECT_EQ(form.FileToolResult, 2);
    EXPECT_EQ(form.ListBox1->count(), 0);
    open(true, {u"a.html"_s});
    click(form.BitBtn2);
    EXPECT_EQ(form.FileToolResult, 0);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), int(QDialog::Accepted));
}

TEST_F(FileToolTest, NumberingWithoutPicturesWarnsAndAsksNothing)
{
    open(true, {u"a.html"_s, u"a.txt"_s});
    click(form.BitBtn4);
    EXPECT_EQ(platform.prompt.messages, QStringList{u"対象とする画像ファイルが見つかりません。"_s});
    EXPECT_TRUE(form.isVisible());
}

TEST_F(FileToolTest, NumberingWithNoPictureSelectedAsksAndRenamesNothing)
{
    open(true, {u"a.html"_s, u"photo.jpg"_s});
    form.ListBox1->clearSelection();
    platform.prompt.answers = {true};
    click(form.BitBtn4);
    EXPECT_EQ(platform.prompt.messages, QStringList{u"画像ファイル名を pic+数字に書き換えていいですか"_s});
    EXPECT_EQ(platform.prompt.askers, std::vector<QWidget *>{&form});
    EXPECT_EQ(platform.prompt.defaults, std::vector{DefaultAnswer::No});
    EXPECT_TRUE(QFileInfo::exists(path(u"photo.jpg"_s)));
}

TEST_F(FileToolTest, NumberingRenamesSelectedPicturesAndTheirReferences)
{
    open(true, {u"pic0.jpg"_s, u"shot.PNG"_s});
    const QString page = testutil::writePage(dir.path(), u"p.html"_s, uR"(<IMG src="PIC0.JPG"><IMG src="shot.PNG">)"_s);
    form.ListBox1->addItem(page);
    form.ListBox1->selectAll();
    form.Edit1->setText(u" pic "_s);
    platform.prompt.answers = {true};
    click(form.BitBtn4);
    EXPECT_EQ(form.Files(), (QStringList{path(u"pic1.jpg"_s), path(u"pic0.PNG"_s), page}));
    EXPECT_EQ(form.SelectedFiles(), QStringList{page});
    EXPECT_EQ(testutil::readBytes(path(u"pic1.jpg"_s)), QByteArray("pic0.jpg"));
    EXPECT_EQ(testutil::readBytes(page), u"\uFEFF<IMG src=\"pic1.jpg\"><IMG src=\"pic0.PNG\">"_s.toUtf8());
    EXPECT_TRUE(form.isVisible());
}
