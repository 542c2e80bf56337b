// The editor window offscreen, with fake services, on real pictures in a temporary folder.
#include "editor/tform2.h"

#include "authoring/pageeditfields.h"
#include "authoring/pagesave.h"
#include "fakes/fakeplatform.h"
#include "testutil.h"

#include <QGroupBox>
#include <QImage>
#include <QImageReader>
#include <QInputMethodEvent>
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <memory>

using namespace sorvek;

namespace {

// File dialogs that also remember where they were opened.
class RecordingDialogs : public fakes::FakeFileDialogs {
public:
    QString openFile(const QString &title, const QString &folder, const QString &filter) override
    {
        opened.append(folder);
        return FakeFileDialogs::openFile(title, folder, filter);
    }
    QString saveFile(const QString &title, const QString &suggestedPath, const QString &filter) override
    {
        suggested.append(suggestedPath);
        return FakeFileDialogs::saveFile(title, suggestedPath, filter);
    }
    QStringList opened, suggested;
};

class EditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = dir.path() + QLatin1Char('/');
        PlatformServices services = platform.services();
        services.fileDialogs = &dialogs;
        form = std::make_unique<TForm2>(services);
        form->Folder = folder;
        form->PaintProgram.clear();
        form->setWindowTitle(folder + QStringLiteral("1010_frog.html"));
    }

    TForm2 &show()
    {
        form->show();
        QTest::qWait(5);
        return *form;
    }

    QString picture(const QString &name, QSize size, const char *format = "PNG")
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::green);
        const QString path = QDir(dir.path()).filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(image.save(path, format));
        return path;
    }

    static void click(QWidget *w, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(w, button, {}, QPoint(w->width() / 2, w->height() / 2));
    }

    static void select(QTextEdit *memo, int from, int to)
    {
        QTextCursor c = memo->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        memo->setTextCursor(c);
    }

    QTemporaryDir dir;
    QString folder;
    fakes::FakePlatform platform;
    RecordingDialogs dialogs;
    std::unique_ptr<TForm2> form;
};

// ---- Layout modes -----------------------------------------------------------------------------

struct LayoutCase {
    const char *name;
    QString edit7;
    int tableTag;
    int panel6Tag;
    const char *raised;
    int panel7Height;
    bool pictureShown;
    bool gridShown;
};

class LayoutModes : public EditorWindowTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(LayoutModes, StateLoadChoosesTheLayout)
{
    const LayoutCase &c = GetParam();
    picture(QStringLiteral("a.png"), {320, 240});
    form->Edit7 = c.edit7;
    form->ETAGSRC1 = QStringLiteral("<P>");
    form->ETAGHYO1Tag = c.tableTag;
    TForm2 &f = show();
    EXPECT_EQ(f.Panel6Tag, c.panel6Tag);
    const QStringList layoutButtons{QStringLiteral("SpeedButton3"), QStringLiteral("SpeedButton23"),
                                    QStringLiteral("SpeedButton10"), QStringLiteral("SpeedButton11"),
                                    QStringLiteral("SpeedButton12")};
    for (const QString &name : layoutButtons)
        EXPECT_EQ(f.findChild<SpeedButton *>(name)->autoRaise(), name != QLatin1String(c.raised)) << name.toStdString();
    EXPECT_EQ(f.Panel7->height(), c.panel7Height);
    EXPECT_EQ(f.Panel6->isVisible(), c.pictureShown);
    EXPECT_EQ(f.Panel16->isVisible(), c.gridShown);
    EXPECT_EQ(f.GroupBox3->isEnabled(), c.panel6Tag > 0);
    const QRect memo2 = f.Panel4->geometry();
    if (c.panel6Tag == 2) {
        EXPECT_EQ(f.Panel6->x(), 0);
    }
    if (c.panel6Tag == 3) {
        EXPECT_EQ(f.Panel6->geometry().right() + 1, f.Panel6->parentWidget()->width());
    }
    if (c.pictureShown) {
        EXPECT_FALSE(memo2.intersects(f.Panel6->geometry())) << "the text fills what the picture leaves";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LayoutModes,
    ::testing::Values(
        LayoutCase{"TextOnly", QString(), 0, 0, "SpeedButton3", 400, false, false},
        LayoutCase{"Table", QString(), 1, 0, "SpeedButton23", 80, false, true},
        LayoutCase{"ImageCentre", QStringLiteral("<IMG src=\"a.png\" width=\"320\" height=\"240\" align=\"center\">"), 0,
                   1, "SpeedButton11", 200, true, false},
        LayoutCase{"ImageLeft", QStringLiteral("<IMG src=\"a.png\" width=\"320\" height=\"240\" align=\"left\">"), 0, 2,
                   "SpeedButton10", 250, true, false},
        LayoutCase{"ImageRight", QStringLiteral("<IMG SRC=\"a.png\" align=\"RIGHT\">"), 0, 3, "SpeedButton12", 250, true,
                   false},
        LayoutCase{"PictureWithTableCellsIsTable", QStringLiteral("<IMG src=\"a.png\" align=\"left\">"), 1, 0,
                   "SpeedButton23", 80, false, true}),
    [](const auto &row) { return std::string(row.param.name); });

// The first row of the table is the framed text: in the table layout it stays in sight above the
// grid, below both headings, and the text paragraph keeps room below the grid.
TEST_F(EditorWindowTest, TableLayoutKeepsHeadingsAndFramedTextInSight)
{
    form->ETAGHYO1Tag = 1;
    TForm2 &f = show();
    ASSERT_TRUE(f.Panel16->isVisible());
    const QRect panel7(QPoint(0, 0), f.Panel7->size());
    for (QTextEdit *memo : {f.Memo4, f.Memo5, f.Memo1}) {
        const QRect shown(memo->mapTo(f.Panel7, QPoint(0, 0)), memo->size());
        EXPECT_TRUE(memo->isVisible()) << memo->objectName().toStdString();
        EXPECT_TRUE(panel7.contains(shown)) << memo->objectName().toStdString();
    }
    EXPECT_EQ(f.Panel7->height(), 80);
    EXPECT_GE(f.Memo1->height(), 20);
    EXPECT_GE(f.Panel16->height() / 14, 24) << "a grid row holds a line of text";
    QTextEdit *cell = f.findChild<QTextEdit *>(QStringLiteral("Memo13"));
    cell->setPlainText(QStringLiteral("春"));
    QTest::qWait(5);
    EXPECT_GE(cell->viewport()->width(), cell->width() - 4) << "no scroll bar takes the narrow cells' room";
    EXPECT_GE(f.Panel4->height(), 60);
    EXPECT_LE(f.Panel4->geometry().bottom(), f.Panel4->parentWidget()->height());
}

TEST_F(EditorWindowTest, ImageLayoutsWriteTheirTags)
{
    picture(QStringLiteral("a.png"), {320, 240});
    form->ETAGSRC1 = QStringLiteral("<P>");
    form->Edit7 = QStringLiteral("<IMG src=\"a.png\" width=\"320\" height=\"240\" align=\"center\">");
    TForm2 &f = show();
    EXPECT_EQ(f.Panel6Tag, 1);
    EXPECT_EQ(f.ETAGSRC1, QStringLiteral("<P>")) << "showing a layout leaves the tags as the page gave them";
    EXPECT_EQ(f.Edit7, QStringLiteral("<IMG src=\"a.png\" width=\"320\" height=\"240\" align=\"center\">"));
    click(f.SpeedButton11);
    EXPECT_EQ(f.ETAGSRC1, QStringLiteral("<P align=\"center\">"));
    EXPECT_EQ(f.Edit7, QStringLiteral("<IMG src=\"a.png\" width=\"740\" height=\"600\" align=\"center\">"));
    EXPECT_EQ(f.GX->text(), QStringLiteral("320")) << "the fields keep the real size until saving";
    click(f.SpeedButton10);
    EXPECT_EQ(f.Panel6Tag, 2);
    EXPECT_EQ(f.ETAGSRC1, QStringLiteral("<P>"));
    EXPECT_TRUE(f.Edit7.contains(QStringLiteral("align=\"left\"")));
    click(f.SpeedButton3);
    EXPECT_EQ(f.Panel6Tag, 0);
    EXPECT_TRUE(f.Edit7.isEmpty());
    EXPECT_TRUE(f.Gname->text().isEmpty());
    click(f.SpeedButton12);
    EXPECT_EQ(f.Panel6Tag, 3);
    EXPECT_EQ(f.Gname->text(), QStringLiteral("a.png")) << "an image layout brings the picture back";
}

TEST_F(EditorWindowTest, StateLoadRaisesEveryAlignmentTheTagMentions)
{
    form->ETAGH1 = QStringLiteral("<H1 class=\"left\" align=\"center\">");
    form->ETAGHYO1 = QStringLiteral("align=\"right\"");
    TForm2 &f = show();
    EXPECT_FALSE(f.SpeedButton4->autoRaise());
    EXPECT_FALSE(f.SpeedButton5->autoRaise());
    EXPECT_TRUE(f.SpeedButton6->autoRaise());
    EXPECT_EQ(f.Memo4->document()->defaultTextOption().alignment(), Qt::AlignHCenter);
    EXPECT_FALSE(f.SpeedButton7->autoRaise()) << "no alignment: left is the default";
    EXPECT_EQ(f.SpeedButton7Tag, 0);
    EXPECT_FALSE(f.SpeedButton21->autoRaise());
    EXPECT_EQ(f.Memo1->document()->defaultTextOption().alignment(), Qt::AlignLeft) << "a table placed right keeps text left";
}

TEST_F(EditorWindowTest, PlainLinkParagraphSurvivesTheStateLoad)
{
    form->Edit2->setText(QStringLiteral("next.html"));
    form->Edit3->setText(QStringLiteral("つぎへ"));
    form->Edit7 = QStringLiteral("つぎへ");
    TForm2 &f = show();
    EXPECT_EQ(f.Panel6Tag, 0);
    EXPECT_EQ(f.Edit2->text(), QStringLiteral("next.html"));
    EXPECT_EQ(f.Edit3->text(), QStringLiteral("つぎへ"));
}

// ---- Grid and style ---------------------------------------------------------------------------

TEST_F(EditorWindowTest, GridCellsFollowThe596By508Example)
{
    TForm2 &f = show();
    AlignPanel::setAlign(f.Panel16, Align::None);
    f.Panel16->setVisible(true);
    f.Panel16->resize(596, 508);
    EXPECT_EQ(f.Memo(3)->geometry(), QRect(0, 0, 74, 36));
    EXPECT_EQ(f.Memo(7)->geometry(), QRect(148, 0, 59, 36));
    EXPECT_EQ(f.Memo(12)->geometry(), QRect(443, 0, 153, 36));
    EXPECT_EQ(f.Memo(68)->geometry(), QRect(443, 252, 153, 36));
    EXPECT_EQ(f.Memo(71)->geometry(), QRect(148, 288, 448, 36));
    EXPECT_EQ(f.Memo(81)->geometry(), QRect(0, 432, 596, 76));
}

TEST_F(EditorWindowTest, CoverStyleKeepsTheGridFontOfThePreviousStyle)
{
    TForm2 &f = show();
    click(f.SpeedButton18);
    EXPECT_EQ(f.GroupBox1Tag, 3);
    EXPECT_EQ(f.Memo(40)->font().pointSize(), 16);
    click(f.SpeedButton13);
    EXPECT_EQ(f.GroupBox1Tag, 4);
    EXPECT_EQ(f.Memo4->font().pointSize(), 26);
    EXPECT_EQ(f.Memo(40)->font().pointSize(), 16);
    EXPECT_FALSE(f.SpeedButton13->autoRaise());
    EXPECT_TRUE(f.SpeedButton18->autoRaise());
}

// ---- Closing ----------------------------------------------------------------------------------

TEST_F(EditorWindowTest, SaveOfAnUntouchedPageClosesAtOnce)
{
    form->Edit1->setText(QStringLiteral("かえる"));
    TForm2 &f = show();
    click(f.BitBtn1);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(f.EditResult, 1);
    EXPECT_EQ(f.BitBtn1Tag, 0);
    EXPECT_TRUE(dialogs.suggested.isEmpty());
    EXPECT_EQ(f.Tag, 0);
}

TEST_F(EditorWindowTest, ChangedCaptionAsksForANameAndCancelKeepsEditing)
{
    form->Edit1->setText(QStringLiteral("かえる"));
    TForm2 &f = show();
    f.Edit1->setText(QStringLiteral("かえる2"));
    EXPECT_EQ(f.Label5, QStringLiteral("かえる2"));
    click(f.BitBtn1);
    ASSERT_EQ(dialogs.suggested.size(), 1);
    EXPECT_EQ(dialogs.suggested[0], folder + QStringLiteral("1010_frog.html"));
    EXPECT_TRUE(f.isVisible()) << "a cancelled save dialog keeps the window open";
    EXPECT_EQ(f.EditResult, 1);
    f.close();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Rejected);
    EXPECT_EQ(f.EditResult, 1);
    EXPECT_EQ(f.BitBtn1Tag, 0);
}

TEST_F(EditorWindowTest, ConfirmedSaveAsNameGetsTheHtmlExtension)
{
    form->Label5 = folder + QStringLiteral("new.html");
    dialogs.answers.push_back(folder + QStringLiteral("1020_toad"));
    TForm2 &f = show();
    click(f.BitBtn3);
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(f.EditResult, 2);
    EXPECT_EQ(f.BitBtn1Tag, 1);
    EXPECT_EQ(f.SaveDialog1FileName, folder + QStringLiteral("1020_toad.html"));
    const EditorClosing closing = f.ClosingResult();
    EXPECT_EQ(closing.editResult, 2);
    EXPECT_EQ(closing.bitBtn1Tag, 1);
    EXPECT_EQ(closing.saveDialogFileName, f.SaveDialog1FileName);
}

TEST_F(EditorWindowTest, CloseButtonSavesNothingAndClosesTheMemo)
{
    int memoClosed = 0;
    form->CloseMemo = [&] { ++memoClosed; };
    form->EditResult = 2;
    TForm2 &f = show();
    click(f.BitBtn2);
    EXPECT_EQ(f.result(), QDialog::Rejected);
    EXPECT_EQ(f.EditResult, 0);
    EXPECT_EQ(memoClosed, 1);
    EXPECT_EQ(f.GXTag, 0);
    EXPECT_EQ(f.Image1Tag, 0);
}

TEST_F(EditorWindowTest, QuizSaveDropsAPictureWhoseFileIsGone)
{
    const QString path = picture(QStringLiteral("a.png"), {320, 240});
    form->ETAGSRC1 = QStringLiteral("<P>");
    form->Edit7 = QStringLiteral("<IMG src=\"a.png\" width=\"320\" height=\"240\" align=\"left\">");
    form->Edit2->setText(QStringLiteral("x.html"));
    TForm2 &f = show();
    QFile::remove(path);
    click(f.BitBtn3);
    EXPECT_EQ(f.EditResult, 2);
    EXPECT_TRUE(f.Edit7.isEmpty());
    EXPECT_TRUE(f.ETAGSRC1.isEmpty());
    EXPECT_TRUE(f.Gname->text().isEmpty());
    EXPECT_EQ(f.Edit2->text(), QStringLiteral("x.html")) << "the link stays";
}

TEST_F(EditorWindowTest, SaveWritesTheSizeFieldsIntoThePicture)
{
    picture(QStringLiteral("a.png"), {320, 240});
    form->ETAGSRC1 = QStringLiteral("<P>");
    form->Edit7 = QStringLiteral("<IMG src=\"a.png\" width=\"320\" height=\"240\" align=\"left\">");
    TForm2 &f = show();
    f.ScrollBar1->setValue(160);
    EXPECT_EQ(f.GY->text(), QStringLiteral("120"));
    click(f.BitBtn1);
    EXPECT_EQ(f.Edit7, QStringLiteral("<IMG src=\"a.png\" width=\"160\" height=\"120\" align=\"left\">"));
}

TEST_F(EditorWindowTest, SizeFieldsTakeWholeNumbersOnly)
{
    TForm2 &f = show();
    click(f.SpeedButton11);
    f.GX->clear();
    QTest::keyClicks(f.GX, QStringLiteral("12a.5-"));
    EXPECT_EQ(f.GX->text(), QStringLiteral("125"));
}

// ---- Pictures ---------------------------------------------------------------------------------

TEST_F(EditorWindowTest, ChoosingATakenNameAsksAndNoKeepsTheFolderFile)
{
    const QString inFolder = picture(QStringLiteral("frog.png"), {10, 10});
    const QByteArray before = testutil::readBytes(inFolder);
    const QString elsewhere = picture(QStringLiteral("other/frog.png"), {64, 48});
    dialogs.answers.push_back(elsewhere);
    platform.prompt.answers.push_back(false);
    TForm2 &f = show();
    click(f.SpeedButton11);
    click(f.SpeedButton1);
    ASSERT_EQ(platform.prompt.messages.size(), 1);
    EXPECT_TRUE(platform.prompt.messages[0].contains(QStringLiteral("frog.png")));
    EXPECT_EQ(testutil::readBytes(inFolder), before);
    EXPECT_NE(f.Gname->text(), QStringLiteral("frog.png"));
}

TEST_F(EditorWindowTest, ChoosingATakenNameAndYesReplacesIt)
{
    const QString inFolder = picture(QStringLiteral("frog.png"), {10, 10});
    const QString elsewhere = picture(QStringLiteral("other/frog.png"), {64, 48});
    dialogs.answers.push_back(elsewhere);
    platform.prompt.answers.push_back(true);
    TForm2 &f = show();
    click(f.SpeedButton11);
    click(f.SpeedButton1);
    EXPECT_EQ(testutil::readBytes(inFolder), testutil::readBytes(elsewhere));
    EXPECT_EQ(f.Gname->text(), QStringLiteral("frog.png"));
    EXPECT_EQ(f.SpeedButton17Tag, 2);
    EXPECT_TRUE(f.Edit7.startsWith(QStringLiteral("<IMG src=\"frog.png\"")));
    EXPECT_EQ(f.GX->text(), QStringLiteral("64"));
    EXPECT_EQ(f.Panel6Tag, 1);
}

TEST_F(EditorWindowTest, ChoosingAPictureOfTheFolderCopiesNothingAndAsksNothing)
{
    const QString inFolder = picture(QStringLiteral("frog.png"), {40, 30});
    dialogs.answers.push_back(inFolder);
    TForm2 &f = show();
    click(f.SpeedButton11);
    click(f.SpeedButton1);
    EXPECT_TRUE(platform.prompt.messages.isEmpty());
    EXPECT_EQ(f.Gname->text(), QStringLiteral("frog.png"));
    EXPECT_EQ(f.GX->text(), QStringLiteral("40"));
    EXPECT_EQ(dialogs.opened.value(0), folder);
}

TEST_F(EditorWindowTest, UnreadablePictureNeverStopsTheEditor)
{
    const QString broken = testutil::writeBytes(dir.path(), QStringLiteral("other/broken.jpg"), "not a picture");
    dialogs.answers.push_back(broken);
    TForm2 &f = show();
    click(f.SpeedButton11);
    click(f.SpeedButton1);
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("broken.jpg")));
    EXPECT_EQ(f.Gname->text(), QStringLiteral("broken.jpg"));
    EXPECT_EQ(f.Image1Tag, 0);
    EXPECT_FALSE(platform.prompt.messages.isEmpty());
    click(f.BitBtn1);
    EXPECT_EQ(f.EditResult, 1);
    EXPECT_FALSE(f.Edit7.contains(QStringLiteral("width="))) << "no size is written for a picture of unknown size";
    EXPECT_TRUE(f.Edit7.contains(QStringLiteral("src=\"broken.jpg\"")));
}

TEST_F(EditorWindowTest, UnreadablePictureOfThePageOpensTheEditor)
{
    testutil::writeBytes(dir.path(), QStringLiteral("b.jpg"), "garbage");
    form->ETAGSRC1 = QStringLiteral("<P>");
    form->Edit7 = QStringLiteral("<IMG src=\"b.jpg\" width=\"0\" height=\"\" align=\"left\">");
    form->GX->setText(QStringLiteral("0"));
    form->GXTag = 1;
    TForm2 &f = show();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.Panel6Tag, 2);
    EXPECT_EQ(f.Image1Tag, 0);
    f.ScrollBar1->setValue(100);
    EXPECT_EQ(f.GX->text(), QStringLiteral("100"));
}

TEST_F(EditorWindowTest, RightClickOnPictureButtonAsksThenTrashes)
{
    picture(QStringLiteral("a.png"), {320, 240});
    form->ETAGSRC1 = QStringLiteral("<P>");
    form->Edit7 = QStringLiteral("<IMG src=\"a.png\" align=\"center\">");
    form->Edit2->setText(QStringLiteral("x.html"));
    platform.prompt.answers = {false, true};
    TForm2 &f = show();
    click(f.SpeedButton1, Qt::RightButton);
    EXPECT_TRUE(platform.shell.calls.isEmpty()) << "a refused question leaves everything";
    EXPECT_EQ(f.Gname->text(), QStringLiteral("a.png"));
    click(f.SpeedButton1, Qt::RightButton);
    EXPECT_EQ(platform.shell.calls, QStringList{QStringLiteral("trash ") + folder + QStringLiteral("a.png")});
    EXPECT_TRUE(f.Gname->text().isEmpty());
    EXPECT_TRUE(f.Edit2->text().isEmpty());
    EXPECT_TRUE(dialogs.opened.isEmpty());
}

TEST_F(EditorWindowTest, RightClickWithoutPictureFileOpensTheDialog)
{
    form->Edit7 = QStringLiteral("<IMG src=\"gone.png\" align=\"center\">");
    TForm2 &f = show();
    click(f.SpeedButton1, Qt::RightButton);
    EXPECT_EQ(dialogs.opened.size(), 1);
    EXPECT_TRUE(platform.shell.calls.isEmpty());
}

struct PaintCase {
    const char *name;
    const char *layoutButton;
    QSize white;
};

class PaintNewPicture : public EditorWindowTest, public ::testing::WithParamInterface<PaintCase> {};

TEST_P(PaintNewPicture, WritesAWhitePictureAndWaitsForPaint)
{
    TForm2 &f = show();
    f.PaintProgram = QStringLiteral("mypaint");
    click(f.findChild<SpeedButton *>(QLatin1String(GetParam().layoutButton)));
    click(f.SpeedButton2);
    const QString path = folder + QStringLiteral("frog.bmp");
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(QImageReader(path).size(), GetParam().white);
    EXPECT_EQ(platform.processes.waited, QStringList{QStringLiteral("mypaint ") + path});
    EXPECT_TRUE(f.Edit7.contains(QStringLiteral("src=\"frog.bmp\"")));
    EXPECT_FALSE(f.isEnabled()) << "disabled while the drawing program runs";
    f.close();
    EXPECT_TRUE(f.isVisible()) << "the window stays while waiting";
    QImage drawn(100, 50, QImage::Format_RGB32);
    drawn.fill(Qt::red);
    drawn.save(path, "BMP");
    platform.processes.pending(true);
    EXPECT_TRUE(f.isEnabled());
    EXPECT_EQ(f.GX->text(), QStringLiteral("100"));
    EXPECT_EQ(f.GY->text(), QStringLiteral("50"));
    EXPECT_EQ(f.Gname->text(), QStringLiteral("frog.bmp"));
}

INSTANTIATE_TEST_SUITE_P(Cases, PaintNewPicture,
                         ::testing::Values(PaintCase{"Centre", "SpeedButton11", QSize(600, 400)},
                                           PaintCase{"Left", "SpeedButton10", QSize(280, 340)},
                                           PaintCase{"Right", "SpeedButton12", QSize(280, 340)}),
                         [](const auto &row) { return std::string(row.param.name); });

TEST_F(EditorWindowTest, PaintOnAMissingPngWritesNothingAndSaysWhenNoProgramDraws)
{
    form->Edit7 = QStringLiteral("<IMG src=\"gone.png\" align=\"center\">");
    TForm2 &f = show();
    f.Gname->setText(QStringLiteral("gone.png"));
    click(f.SpeedButton2);
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("gone.png")));
    // No program for pictures on this desktop: the author is told, and the window is not held.
    EXPECT_TRUE(platform.shell.calls.isEmpty());
    EXPECT_TRUE(platform.prompt.messages.join(u' ').contains(QStringLiteral("画像を編集するプログラムが見つかりません")));
    EXPECT_TRUE(f.isEnabled());
}

TEST_F(EditorWindowTest, PaintThatFailsToStartNeverLeavesTheWindowDisabled)
{
    TForm2 &f = show();
    f.PaintProgram = QStringLiteral("no-such-paint");
    click(f.SpeedButton11);
    click(f.SpeedButton2);
    platform.processes.pending(false);
    EXPECT_TRUE(f.isEnabled());
    EXPECT_EQ(f.GX->text(), QStringLiteral("600")) << "the white picture is loaded";
}

// ---- Keyboard ---------------------------------------------------------------------------------

struct KeyCase {
    const char *name;
    int typed; // into 本文 first: 1 text typed, 2 text the input method still composes
    std::deque<bool> answers;
    const char *target;
    Qt::Key key;
    bool closed;
    int editResult;
    const char *focusAfter;
};

class EditorKeyboard : public EditorWindowTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(EditorKeyboard, KeysActAsTheAuthorExpects)
{
    const KeyCase &c = GetParam();
    TForm2 &f = show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    if (c.typed == 1)
        QTest::keyClicks(f.Memo2, QStringLiteral("abc"));
    QInputMethodEvent composing(QStringLiteral("か"), {});
    if (c.typed == 2)
        QApplication::sendEvent(f.Memo2, &composing);
    platform.prompt.answers = c.answers;
    auto *target = f.findChild<QWidget *>(QLatin1String(c.target));
    target->setFocus();
    QTest::keyClick(target, c.key);
    EXPECT_EQ(!f.isVisible(), c.closed);
    EXPECT_EQ(f.EditResult, c.editResult);
    EXPECT_EQ(platform.prompt.messages.size(), qsizetype(c.typed == 1 && c.key == Qt::Key_Escape));
    if (c.focusAfter) {
        EXPECT_EQ(f.focusWidget(), f.findChild<QWidget *>(QLatin1String(c.focusAfter)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, EditorKeyboard,
    ::testing::Values(KeyCase{"EscWithoutChangesCloses", 0, {}, "Memo2", Qt::Key_Escape, true, 0, nullptr},
                      KeyCase{"EscWithChangesAsksAndStays", 1, {false}, "Memo2", Qt::Key_Escape, false, 0, nullptr},
                      KeyCase{"EscWithChangesConfirmedCloses", 1, {true}, "Memo2", Qt::Key_Escape, true, 0, nullptr},
                      KeyCase{"EscWhileComposingIsNoClose", 2, {}, "Memo2", Qt::Key_Escape, false, 0, nullptr},
                      KeyCase{"SpaceOnSaveSaves", 0, {}, "BitBtn1", Qt::Key_Space, true, 1, nullptr},
                      KeyCase{"EnterOnCloseCloses", 0, {}, "BitBtn2", Qt::Key_Return, true, 0, nullptr},
                      KeyCase{"TabFromHintGoesToTheHeading", 0, {}, "Edit6", Qt::Key_Tab, false, 0, "Memo4"}),
    [](const auto &row) { return std::string(row.param.name); });

// ---- Editing commands -------------------------------------------------------------------------

TEST_F(EditorWindowTest, CaptionIsCopiedIntoTheHeadingUntilAHeadingIsEntered)
{
    TForm2 &f = show();
    EXPECT_EQ(f.Edit1Tag, 0);
    f.Edit1->setText(QStringLiteral("かえる"));
    EXPECT_EQ(f.Memo4->toPlainText(), QStringLiteral("かえる"));
    EXPECT_EQ(f.Label5, QStringLiteral("かえる"));
    f.Memo5Enter();
    f.Edit1->setText(QStringLiteral("とかげ"));
    EXPECT_EQ(f.Memo4->toPlainText(), QStringLiteral("かえる"));
    EXPECT_EQ(f.Label5, QStringLiteral("とかげ"));
}

TEST_F(EditorWindowTest, FillingBeforeShowTriggersNoCopying)
{
    form->Edit1->setText(QStringLiteral("かえる"));
    EXPECT_TRUE(form->Memo4->toPlainText().isEmpty());
    EXPECT_TRUE(form->Label5.isEmpty());
}

TEST_F(EditorWindowTest, FocusMarksTheMemoThatWrappingChanges)
{
    TForm2 &f = show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.Memo4->setPlainText(QStringLiteral("あいう"));
    f.Memo(20)->setPlainText(QStringLiteral("えお"));
    f.Memo(20)->setFocus();
    select(f.Memo(20), 0, 2);
    select(f.Memo4, 0, 2);
    click(f.SpeedButton25);
    EXPECT_EQ(f.Memo4->toPlainText(), QStringLiteral("あいう")) << "focus in a grid cell wraps nothing";
    f.Memo4->setFocus();
    EXPECT_EQ(f.Memo4Tag, 1);
    select(f.Memo4, 0, 2);
    click(f.SpeedButton25);
    EXPECT_EQ(f.Memo4->toPlainText(), QStringLiteral("<strong>あい</strong>う"));
    f.Memo2->setFocus();
    EXPECT_EQ(f.Memo4Tag, 0);
    EXPECT_EQ(f.Memo2Tag, 1);
}

TEST_F(EditorWindowTest, LinkButtonLinksTheFirstSelectionOnly)
{
    TForm2 &f = show();
    f.Memo5->setPlainText(QStringLiteral("かえる"));
    f.Memo2->setPlainText(QStringLiteral("とかげ"));
    select(f.Memo5, 0, 3);
    select(f.Memo2, 0, 3);
    f.Edit4->setText(QStringLiteral("/$NEXT"));
    click(f.SpeedButton17);
    EXPECT_EQ(f.Memo5->toPlainText(), QStringLiteral("<A href=\"/$NEXT\">かえる</A>"));
    EXPECT_EQ(f.Memo2->toPlainText(), QStringLiteral("とかげ"));
}

TEST_F(EditorWindowTest, RightClickOnLinkButtonCollapsesSelectionsOrDropsTheLink)
{
    TForm2 &f = show();
    f.Edit2->setText(QStringLiteral("x.html"));
    f.Edit3->setText(QStringLiteral("x"));
    f.Memo5->setPlainText(QStringLiteral("かえる"));
    f.Memo2->setPlainText(QStringLiteral("とかげ"));
    select(f.Memo5, 0, 3);
    select(f.Memo2, 0, 3);
    click(f.SpeedButton17, Qt::RightButton);
    EXPECT_FALSE(f.Memo5->textCursor().hasSelection());
    EXPECT_FALSE(f.Memo2->textCursor().hasSelection());
    EXPECT_EQ(f.Edit2->text(), QStringLiteral("x.html"));
    click(f.SpeedButton17, Qt::RightButton);
    EXPECT_TRUE(f.Edit2->text().isEmpty());
    EXPECT_TRUE(f.Edit3->text().isEmpty());
}

TEST_F(EditorWindowTest, LinkFileInsideIsRelativeAndOutsideIsFull)
{
    TForm2 &f = show();
    dialogs.answers = {folder + QStringLiteral("sub/a.html"), QStringLiteral("/elsewhere/b.pdf")};
    click(f.SpeedButton17);
    EXPECT_EQ(f.Edit2->text(), QStringLiteral("sub/a.html"));
    EXPECT_EQ(f.Edit3->text(), QStringLiteral("sub/a.html"));
    click(f.SpeedButton17);
    EXPECT_EQ(f.Edit2->text(), QStringLiteral("/elsewhere/b.pdf"));
}

TEST_F(EditorWindowTest, AlignmentButtonsWriteTheHiddenTags)
{
    TForm2 &f = show();
    click(f.SpeedButton21);
    EXPECT_EQ(f.ETAGHYO1, QStringLiteral("align=\"right\""));
    EXPECT_EQ(f.ETAGP1, QStringLiteral("<P align=\"left\">"));
    EXPECT_EQ(f.Memo(30)->document()->defaultTextOption().alignment(), Qt::AlignLeft);
    click(f.SpeedButton20);
    EXPECT_EQ(f.Memo(30)->document()->defaultTextOption().alignment(), Qt::AlignHCenter);
    click(f.SpeedButton9);
    EXPECT_EQ(f.ETAGH2, QStringLiteral("<H2 align=\"right\">"));
    EXPECT_FALSE(f.SpeedButton9->autoRaise());
    EXPECT_TRUE(f.SpeedButton7->autoRaise());
}

TEST_F(EditorWindowTest, RightClickOnTextButtonClearsOnlyTheUnframedText)
{
    form->ETAGHYO1Tag = 1;
    TForm2 &f = show();
    f.Edit1->setText(QStringLiteral("題"));
    for (int n : {4, 5, 2, 1, 40})
        f.Memo(n)->setPlainText(QStringLiteral("文"));
    click(f.SpeedButton3, Qt::RightButton);
    EXPECT_TRUE(f.Memo4->toPlainText().isEmpty());
    EXPECT_TRUE(f.Memo5->toPlainText().isEmpty());
    EXPECT_TRUE(f.Memo2->toPlainText().isEmpty());
    EXPECT_EQ(f.Memo1->toPlainText(), QStringLiteral("文"));
    EXPECT_EQ(f.Memo(40)->toPlainText(), QStringLiteral("文"));
    EXPECT_EQ(f.Edit1->text(), QStringLiteral("題"));
    EXPECT_FALSE(f.SpeedButton23->autoRaise()) << "the layout stays";
    click(f.SpeedButton23, Qt::RightButton);
    EXPECT_TRUE(f.Memo1->toPlainText().isEmpty());
    EXPECT_TRUE(f.Memo(40)->toPlainText().isEmpty());
}

TEST_F(EditorWindowTest, MemoButtonOpensEditTxtOfThePageFolder)
{
    QStringList opened;
    form->OpenMemo = [&](const QString &path) { opened.append(path); };
    TForm2 &f = show();
    click(f.SpeedButton22);
    EXPECT_EQ(opened, QStringList{folder + QStringLiteral("Edit.txt")});
}

TEST_F(EditorWindowTest, FieldsRoundTripThroughThePageEditorsFields)
{
    PageEditFields in;
    in.Caption = folder + QStringLiteral("1010_frog.html");
    in.Edit1 = QStringLiteral("かえる");
    in.Memo4 = QStringLiteral("一行目\r\n二行目");
    in.cells[0] = QStringLiteral("枠");
    in.cells[77] = QStringLiteral("最後\r\nの行");
    in.ETAGHYO1 = QStringLiteral("align=\"center\"");
    in.ETAGHYO1Tag = 1;
    in.Edit7 = QStringLiteral("<IMG src=\"a.png\">");
    in.GX = QStringLiteral("37");
    in.GY = QStringLiteral("30");
    in.pictureSizeRead = true;
    in.ETAGP1 = QStringLiteral("<P>");
    in.Memo2 = QStringLiteral("本\u00a0文\u2028次");
    form->FillFromPage(in);
    EXPECT_EQ(form->windowTitle(), in.Caption);
    EXPECT_EQ(form->GXTag, 1);
    EXPECT_EQ(form->Memo(81)->toPlainText(), QStringLiteral("最後\nの行"));
    PageEditFields out;
    form->ReadIntoPage(out);
    EXPECT_EQ(out.Memo4, in.Memo4);
    EXPECT_EQ(out.cells, in.cells);
    EXPECT_EQ(out.Edit1, in.Edit1);
    EXPECT_EQ(out.ETAGHYO1, in.ETAGHYO1);
    EXPECT_EQ(out.Edit7, in.Edit7);
    EXPECT_EQ(out.GX, in.GX);
    EXPECT_EQ(out.Memo2, in.Memo2) << "an untouched memo gives back the page's own text";
    form->Memo2->moveCursor(QTextCursor::End);
    form->Memo2->insertPlainText(QStringLiteral("x"));
    form->ReadIntoPage(out);
    EXPECT_EQ(out.Memo2, QStringLiteral("本\u00a0文\r\n次x")) << "an edited memo keeps its non-breaking space";
}

} // namespace
