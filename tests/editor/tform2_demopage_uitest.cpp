// The editor window as the author sees it: opened by the page editor on the demo book's picture
// page, and owned by a window with a style sheet, as the main window is. Checked on grabs.
#include "editor/tform2.h"

#include "editor/stylepreview.h"
#include "fakes/demobookwindow_ui.h"

#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QTextEdit>
#include <QTimer>

using namespace sorvek;

namespace {

const QColor kTeal(0x00, 0x80, 0x80);

// Where a child widget lies in a grab of the window.
QRect areaIn(const QWidget *window, const QWidget *child)
{
    return QRect(child->mapTo(window, QPoint(0, 0)), child->size());
}

// How many pixels of an area of a grab have exactly this colour.
int pixelsOf(const QImage &shot, const QRect &area, const QColor &colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += shot.pixelColor(x, y).rgb() == colour.rgb() ? 1 : 0;
    return count;
}

bool near(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) < 16 && qAbs(a.green() - b.green()) < 16 && qAbs(a.blue() - b.blue()) < 16;
}

class EditorOnDemoPageTest : public fakes::DemoBookWindowTest {};

TEST_F(EditorOnDemoPageTest, PicturePageShowsItsHeadingAndItsPictureCentred)
{
    makeForm();
    TForm2 editor(platform.services(), form.get());
    form->SetEditor(&editor);
    form->show();
    form->SetPageIndex(1);
    form->ShowPage(true);
    bool seen = false;
    QTimer::singleShot(0, &editor, [&] {
        seen = true;
        const QImage shot = editor.grab().toImage();

        // The H1 of page style 2: white text on teal.
        EXPECT_EQ(editor.Memo4->toPlainText(), QStringLiteral("どうぶつ"));
        const QRect heading = areaIn(&editor, editor.Memo4->viewport());
        EXPECT_GT(pixelsOf(shot, heading, kTeal), heading.width() * heading.height() / 2) << "H1 ground is not teal";
        EXPECT_GT(pixelsOf(shot, heading, Qt::white), 50) << "no white H1 text on the ground";

        // The centred picture paragraph: the centre layout, neko.png shown at its own size.
        EXPECT_EQ(editor.Panel6Tag, 1);
        EXPECT_FALSE(editor.SpeedButton11->autoRaise());
        EXPECT_TRUE(editor.Panel6->isVisible());
        EXPECT_EQ(editor.Gname->text(), QStringLiteral("neko.png"));
        EXPECT_FALSE(editor.Image1->pixmap().isNull());
        const QImage neko(book(QStringLiteral("neko.png")));
        ASSERT_FALSE(neko.isNull());
        EXPECT_EQ(editor.Image1->size(), neko.size());
        EXPECT_EQ(editor.GX->text(), QStringLiteral("160"));
        EXPECT_EQ(editor.GY->text(), QStringLiteral("150"));
        const QRect picture = areaIn(&editor, editor.Image1);
        for (const QPoint at : {QPoint(80, 75), QPoint(40, 110), QPoint(5, 5)})
            EXPECT_TRUE(near(shot.pixelColor(picture.topLeft() + at), neko.pixelColor(at)))
                << "picture pixel " << at.x() << "," << at.y();
        if (HasFailure()) {
            const QString where = QDir::temp().filePath(QStringLiteral("sorvek-editor-demopage.png"));
            shot.save(where);
            ADD_FAILURE() << "the editor as shown: " << where.toStdString();
        }
        QTest::mouseClick(editor.BitBtn2, Qt::LeftButton);
    });
    form->EditPageClick();
    EXPECT_TRUE(seen);
}

// The style preview under an owner with a style sheet: the grounds of the headings, the text
// memos and the grid's header row are what is painted.
struct OwnedStyleCase {
    const char *name;
    int style;
};

class StylePreviewUnderAStyledOwner : public ::testing::TestWithParam<OwnedStyleCase> {};

TEST_P(StylePreviewUnderAStyledOwner, PaintsTheGroundsOfTheStyle)
{
    QWidget owner;
    owner.setObjectName(QStringLiteral("Owner"));
    owner.setStyleSheet(QStringLiteral("#Owner { background: black; }"));
    fakes::FakePlatform platform;
    TForm2 editor(platform.services(), &owner);
    editor.ETAGHYO1Tag = 1; // the table layout shows the grid as well
    editor.GroupBox1Tag = GetParam().style;
    editor.show();
    QTest::qWait(5);
    const QImage shot = editor.grab().toImage();
    const stylepreview::StyleLook look = stylepreview::lookForStyle(GetParam().style);
    const auto expected = [&](const stylepreview::Colour &c) {
        return c.system == stylepreview::SystemColour::None ? QColor::fromRgb(c.rgb) : QPalette().color(QPalette::Button);
    };
    const auto ground = [&](QTextEdit *memo) {
        return shot.pixelColor(areaIn(&editor, memo->viewport()).center() + QPoint(0, 1));
    };
    EXPECT_EQ(ground(editor.Memo4).rgb(), expected(look.h1.ground).rgb()) << "Memo4";
    EXPECT_EQ(ground(editor.Memo2).rgb(), expected(look.body.ground).rgb()) << "Memo2";
    EXPECT_EQ(ground(editor.GridMemos[0]).rgb(), QColor(0xA6, 0xCA, 0xF0).rgb()) << "header cell Memo3";
    EXPECT_EQ(ground(editor.GridMemos[8]).rgb(), QColor(Qt::white).rgb()) << "cell Memo13";
}

INSTANTIATE_TEST_SUITE_P(Styles, StylePreviewUnderAStyledOwner,
                         ::testing::Values(OwnedStyleCase{"None", 0}, OwnedStyleCase{"Notebook", 1},
                                           OwnedStyleCase{"Screen", 2}, OwnedStyleCase{"Contents", 3},
                                           OwnedStyleCase{"Cover", 4}),
                         [](const auto &row) { return std::string(row.param.name); });

} // namespace
