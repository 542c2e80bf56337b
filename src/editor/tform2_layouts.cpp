// The editor window's state load at show, its five layouts, the grid and the style preview.
#include "editor/tform2.h"

#include "commands/texthelpers.h"
#include "editor/editorgeometry.h"
#include "editor/editortext.h"
#include "editor/stylepreview.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextEdit>

namespace sorvek {

namespace {

using editortext::LayoutMode;

// Aligned siblings move at once, also while the window is not shown yet (no resize events then).
void relayoutAround(QWidget *child)
{
    if (auto *parent = qobject_cast<AlignPanel *>(child->parentWidget()))
        parent->realign();
}

QColor lookColour(const stylepreview::Colour &colour, const QPalette &system)
{
    switch (colour.system) {
    case stylepreview::SystemColour::ScrollBar:
        return system.color(QPalette::Midlight);
    case stylepreview::SystemColour::ButtonFace:
        return system.color(QPalette::Button);
    case stylepreview::SystemColour::None:
        break;
    }
    return QColor::fromRgb(colour.rgb);
}

} // namespace

void TForm2::applyLook(QTextEdit *memo, const stylepreview::FieldLook &look, const QPalette &system)
{
    QFont f = memo->font();
    f.setPointSize(look.pointSize);
    memo->setFont(f);
    QPalette pal = memo->palette();
    pal.setColor(QPalette::Base, lookColour(look.ground, system));
    pal.setColor(QPalette::Text, lookColour(look.text, system));
    setMemoPalette(memo, pal);
}

QString TForm2::SetTagAttribute(const QString &tag, const QString &attr)
{
    return editortext::setTagAttribute(tag, attr);
}

QString TForm2::GetTagSrc(const QString &tag)
{
    return editortext::tagSrc(tag);
}

QString TForm2::DefaultImageName() const
{
    return editortext::defaultImageName(windowTitle());
}

void TForm2::FormShow()
{
    TAIHI1.clear();
    TAIHI2.clear();
    TAIHI3.clear();
    TAIHI4.clear();
    TAIHI5.clear();
    pictureEdited_ = false;
    const QString src = GetTagSrc(Edit7);
    pictureAtOpen_ = !src.isEmpty() && !pictureFileGone(src) && !isWebAddress(src) ? src : QString();
    alignMemos({Memo4, Memo5, Memo1, Memo2}, Qt::AlignLeft);
    LoadTagState();
    FormResize();
}

void TForm2::LoadTagState()
{
    Tag = 1;
    Edit1Tag = !Edit1->text().isEmpty() || !Memo4->toPlainText().isEmpty() ? 1 : 0;
    for (SpeedButton *b : {SpeedButton4, SpeedButton5, SpeedButton6, SpeedButton7, SpeedButton8, SpeedButton9,
                           SpeedButton19, SpeedButton20, SpeedButton21, SpeedButton10, SpeedButton11, SpeedButton12,
                           SpeedButton3, SpeedButton23})
        b->setAutoRaise(true);
    Edit1->setFocus();
    SpeedButton4Tag = applyStoredAlignment(ETAGH1, {SpeedButton4, SpeedButton5, SpeedButton6}, {Memo4}, false);
    SpeedButton7Tag = applyStoredAlignment(ETAGH2, {SpeedButton7, SpeedButton8, SpeedButton9}, {Memo5}, false);
    SpeedButton19Tag =
        applyStoredAlignment(ETAGHYO1, {SpeedButton19, SpeedButton20, SpeedButton21}, {Memo1, Memo2}, true);
    // The state load shows what the tags say and leaves them as they are: the layouts would
    // otherwise write their own sizes and alignment into a picture, or empty a paragraph that
    // holds a link in its text, that the author never touched.
    const editortext::ImageTags tags{ETAGSRC1, Edit7};
    const QString target = Edit2->text();
    const QString text = Edit3->text();
    showLayoutForTags(tags);
    ETAGSRC1 = tags.paragraphTag;
    Edit7 = tags.content;
    Edit2->setText(target);
    Edit3->setText(text);
}

void TForm2::showLayoutForTags(const editortext::ImageTags &tags)
{
    const QString src = GetTagSrc(tags.content);
    if (!src.isEmpty()) {
        LoadImage(inFolder(src));
    } else {
        ClearImage();
        SetLayoutTextOnly();
    }
    for (LayoutMode layout : editortext::imageLayoutsForTags(tags)) {
        if (layout == LayoutMode::ImageLeft)
            SetLayoutImageLeft();
        else if (layout == LayoutMode::ImageCentre)
            SetLayoutImageCentre();
        else if (layout == LayoutMode::ImageRight)
            SetLayoutImageRight();
    }
    if (ETAGHYO1Tag > 0)
        SetLayoutTable();
}

bool TForm2::applyStoredAlignment(const QString &tag, const QList<SpeedButton *> &buttons,
                                  const QList<QTextEdit *> &memos, bool rightKeepsLeft)
{
    const editortext::TagAlignment found = editortext::tagAlignment(tag);
    if (found.left) {
        buttons[0]->setAutoRaise(false);
        alignMemos(memos, Qt::AlignLeft);
    }
    if (found.center) {
        buttons[1]->setAutoRaise(false);
        alignMemos(memos, Qt::AlignHCenter);
    }
    if (found.right) {
        buttons[2]->setAutoRaise(false);
        alignMemos(memos, rightKeepsLeft ? Qt::AlignLeft : Qt::AlignRight);
    }
    if (!found.any())
        buttons[0]->setAutoRaise(false);
    return found.any();
}

void TForm2::alignMemos(const QList<QTextEdit *> &memos, Qt::Alignment alignment)
{
    for (QTextEdit *m : memos) {
        QTextOption option = m->document()->defaultTextOption();
        option.setAlignment(alignment);
        m->document()->setDefaultTextOption(option);
    }
}

void TForm2::raiseOne(const QList<SpeedButton *> &group, SpeedButton *raised)
{
    for (SpeedButton *b : group)
        b->setAutoRaise(b != raised);
}

void TForm2::showLayout(int panelMode, SpeedButton *raised, int panel7Height)
{
    Panel6Tag = panelMode;
    raiseOne({SpeedButton10, SpeedButton11, SpeedButton12, SpeedButton3, SpeedButton23}, raised);
    const bool image = panelMode > 0;
    GroupBox3->setEnabled(image);
    SpeedButton1->setEnabled(image);
    SpeedButton2->setEnabled(image);
    // The table layout's 80-pixel strip holds one line of each heading and of the framed text
    // (the table's first row) instead of the 120-pixel heading block.
    const bool table = raised == SpeedButton23;
    if (auto *headings = qobject_cast<AlignPanel *>(Memo4->parentWidget())) {
        Memo4->resize(Memo4->width(), table ? 24 : 44);
        headings->resize(headings->width(), table ? 52 : 120);
        headings->realign();
    }
    Panel7->resize(Panel7->width(), panel7Height);
    Panel7->realign();
    relayoutAround(Panel7);
    Panel16->setVisible(raised == SpeedButton23);
    if (image)
        AlignPanel::setAlign(Panel6, panelMode == 1 ? Align::Top : (panelMode == 2 ? Align::Left : Align::Right));
    Panel6->setVisible(image);
    relayoutAround(Panel6);
}

void TForm2::applyImageTags(LayoutMode mode)
{
    const editortext::ImageTags tags = editortext::tagsForLayout(mode, {ETAGSRC1, Edit7});
    ETAGSRC1 = tags.paragraphTag;
    Edit7 = tags.content;
}

void TForm2::SetLayoutTextOnly()
{
    showLayout(0, SpeedButton3, 400);
    applyImageTags(LayoutMode::TextOnly);
}

void TForm2::SetLayoutTable()
{
    showLayout(0, SpeedButton23, 80);
}

void TForm2::SetLayoutImageCentre()
{
    showLayout(1, SpeedButton11, 200);
    SizeImagePanel(1);
    applyImageTags(LayoutMode::ImageCentre);
}

void TForm2::SetLayoutImageLeft()
{
    showLayout(2, SpeedButton10, 250);
    SizeImagePanel(2);
    applyImageTags(LayoutMode::ImageLeft);
}

void TForm2::SetLayoutImageRight()
{
    showLayout(3, SpeedButton12, 250);
    SizeImagePanel(3);
    applyImageTags(LayoutMode::ImageRight);
}

void TForm2::SizeImagePanel(int mode)
{
    editorgeometry::ImagePanelInput in;
    in.keepFieldSize = GXTag > 0;
    in.fieldWidth = editortext::sizeFieldValue(GX->text());
    in.fieldHeight = editortext::sizeFieldValue(GY->text());
    in.pictureSizeKnown = Image1Tag > 0;
    in.mode = mode;
    in.currentPanel = PanelImage1->size();
    in.outerWidth = Panel6->width();
    const editorgeometry::ImagePanelPlacement out = editorgeometry::placeImagePanel(in);
    PanelImage1->setGeometry(out.panel);
    if (out.outerHeight >= 0)
        Panel6->resize(Panel6->width(), out.outerHeight);
    if (out.outerWidth >= 0)
        Panel6->resize(out.outerWidth, Panel6->height());
    relayoutAround(Panel6);
    GX->setText(QString::number(out.width));
    GY->setText(QString::number(out.height));
    ImageAspect = out.aspect;
    setScrollBar(out.width);
}

void TForm2::setScrollBar(int position)
{
    // Only the author's scrolling resizes the picture; setting the position here must not.
    const QSignalBlocker quiet(ScrollBar1);
    ScrollBar1->setRange(16, BaseWidth);
    ScrollBar1->setVisible(true);
    ScrollBar1->setValue(position);
}

void TForm2::Panel16Resize()
{
    const QList<QRect> cells = editorgeometry::tableGridCells(Panel16->size());
    for (int i = 0; i < editorgeometry::kGridCellCount; ++i)
        GridMemos[static_cast<size_t>(i)]->setGeometry(cells[i]);
}

void TForm2::SpeedButton13MouseUp()
{
    GroupBox1Tag = 4;
    FormResize();
}

void TForm2::SpeedButton18MouseUp()
{
    GroupBox1Tag = 3;
    FormResize();
}

void TForm2::SpeedButton14MouseUp()
{
    GroupBox1Tag = 2;
    FormResize();
}

void TForm2::SpeedButton15MouseUp()
{
    GroupBox1Tag = 1;
    FormResize();
}

void TForm2::SpeedButton16MouseUp()
{
    GroupBox1Tag = 0;
    FormResize();
}

void TForm2::FormResize()
{
    if (built_)
        applyStylePreview();
}

void TForm2::applyStylePreview()
{
    const stylepreview::StyleLook look = stylepreview::lookForStyle(GroupBox1Tag);
    const QPalette system;
    applyLook(Memo4, look.h1, system);
    QPalette rule = Panel10->palette();
    rule.setColor(QPalette::Window, lookColour(look.rule, system));
    Panel10->setPalette(rule);
    applyLook(Memo5, look.h2, system);
    applyLook(Memo1, look.body, system);
    applyLook(Memo2, look.body, system);
    if (look.gridSize) {
        for (QTextEdit *cell : GridMemos) {
            QFont f = cell->font();
            f.setPointSize(*look.gridSize);
            cell->setFont(f);
        }
    }
    const QList<SpeedButton *> buttons{SpeedButton16, SpeedButton15, SpeedButton14, SpeedButton18, SpeedButton13};
    const bool known = GroupBox1Tag >= 0 && GroupBox1Tag < buttons.size();
    raiseOne(buttons, buttons[known ? GroupBox1Tag : 0]);
}

QString TForm2::inFolder(const QString &name) const
{
    return linkedFileInFolder(Folder, name);
}

} // namespace sorvek
