#include "editor/tform2.h"

#include "authoring/pageeditfields.h"
#include "authoring/pagewriter.h"
#include "editor/editorgeometry.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextEdit>

#include <limits>

namespace sorvek {

namespace {

const QSize kClientSize(926, 715);
const QColor kNavy(0x00, 0x00, 0x80);
const QColor kFrameBlue(0x00, 0x00, 0xFF);
const QColor kHeaderCell(0xA6, 0xCA, 0xF0);
// Thirteen rows of 28 pixels and the closing row, leaving the text paragraph about 100 pixels
// below the grid in the table layout.
constexpr int kGridHeight = 400;

AlignPanel *panel(const QString &name, QWidget *parent, Align align, int extent = 0)
{
    auto *p = new AlignPanel(name, parent);
    if (align == Align::Top || align == Align::Bottom)
        p->resize(p->width(), extent);
    else if (align == Align::Left || align == Align::Right)
        p->resize(extent, p->height());
    AlignPanel::setAlign(p, align);
    return p;
}

void fillGround(QWidget *w, const QColor &colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

QTextEdit *memo(const QString &name, QWidget *parent, const QString &hint = QString())
{
    auto *m = makeControl<QTextEdit>(name, parent);
    m->setAcceptRichText(false);
    m->setTabChangesFocus(true);
    m->setToolTip(hint);
    return m;
}

QLineEdit *edit(const QString &name, QWidget *parent, const QString &hint, QRect geometry)
{
    auto *e = makeControl<QLineEdit>(name, parent);
    // A title or link of any length is kept whole (the default limit is 32,767 characters).
    e->setMaxLength(std::numeric_limits<int>::max());
    e->setToolTip(hint);
    e->setGeometry(geometry);
    return e;
}

} // namespace

TForm2::TForm2(const PlatformServices &services, QWidget *parent)
    : QDialog(parent), services_(services)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Sorvekエディター"));
    // Modal to the main window only: the memo window, a window of its own, stays usable beside it.
    setWindowModality(Qt::WindowModal);
    setFixedSize(kClientSize);
    QFont f(QStringLiteral("Noto Sans CJK JP"));
    f.setPixelSize(12);
    setFont(f);
    PaintProgram = qEnvironmentVariable("SORVEK_PAINT");
    createComponents();
    connectHandlers();
    built_ = true;
}

TForm2::~TForm2() = default;

QTextEdit *TForm2::Memo(int number) const
{
    switch (number) {
    case 1:
        return Memo1;
    case 2:
        return Memo2;
    case 3:
        return GridMemos[0];
    case 4:
        return Memo4;
    case 5:
        return Memo5;
    default:
        return number >= 6 && number <= 81 ? GridMemos[number - 5] : nullptr;
    }
}

void TForm2::createComponents()
{
    auto *root = new AlignPanel(QStringLiteral("Form2Client"), this);
    root->setGeometry(QRect(QPoint(0, 0), kClientSize));
    createTopStrip(root);
    createToolColumn(root);
    createMainArea(root);
    // The keyboard goes through the fields in reading order, then the buttons.
    QList<QWidget *> order{Edit1, Edit5, Edit6, Memo4, Memo5, Memo1};
    for (QTextEdit *cell : GridMemos)
        order.append(cell);
    order.append({Memo2, Edit2, Edit3, Edit4, GX, GY, BitBtn3, BitBtn1, BitBtn2});
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void TForm2::createTopStrip(QWidget *root)
{
    auto *strip = panel(QStringLiteral("TopStrip"), root, Align::Top, 26);
    makeLabel(QStringLiteral("ボタン上の文字"), strip, {4, 5, 86, 16});
    Edit1 = edit(QStringLiteral("Edit1"), strip, QStringLiteral("見出し２が無ければLOOKで検索"), {92, 2, 200, 22});
    makeLabel(QStringLiteral("ボタン下の文字"), strip, {304, 5, 86, 16});
    Edit5 = edit(QStringLiteral("Edit5"), strip, QStringLiteral("優先してLOOKで検索"), {392, 2, 200, 22});
    makeLabel(QStringLiteral("ボタンのヒント"), strip, {604, 5, 86, 16});
    Edit6 = edit(QStringLiteral("Edit6"), strip, QStringLiteral("カーソルが入るとヒントを表示"), {692, 2, 226, 22});
}

void TForm2::createMainArea(QWidget *root)
{
    auto *main = panel(QStringLiteral("MainArea"), root, Align::Client);
    createPanel7(main);
    createLinkStrip(main);
    auto *navy = panel(QStringLiteral("NavyGround"), main, Align::Client);
    fillGround(navy, kNavy);
    createPictureArea(navy);
    createGrid(navy);
    Panel4 = panel(QStringLiteral("Panel4"), navy, Align::Client);
    Memo2 = memo(QStringLiteral("Memo2"), Panel4, QStringLiteral("枠無し"));
    AlignPanel::setAlign(Memo2, Align::Client);
}

void TForm2::createPanel7(QWidget *parent)
{
    Panel7 = panel(QStringLiteral("Panel7"), parent, Align::Top, 400);
    auto *headings = panel(QStringLiteral("HeadingBlock"), Panel7, Align::Top, 120);
    Memo4 = memo(QStringLiteral("Memo4"), headings, QStringLiteral("大見出し"));
    Memo4->resize(Memo4->width(), 44);
    // The larger styles fill the 44 pixels with one line: a scroll bar would hide half of it.
    Memo4->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    AlignPanel::setAlign(Memo4, Align::Top);
    Panel10 = panel(QStringLiteral("Panel10"), headings, Align::Top, 4);
    Panel10->setAutoFillBackground(true);
    Memo5 = memo(QStringLiteral("Memo5"), headings, QStringLiteral("小見出し"));
    AlignPanel::setAlign(Memo5, Align::Client);
    auto *frame = panel(QStringLiteral("Memo1Frame"), Panel7, Align::Client);
    fillGround(frame, kFrameBlue);
    frame->setContentsMargins(3, 3, 3, 3);
    Memo1 = memo(QStringLiteral("Memo1"), frame, QStringLiteral("外枠あり"));
    AlignPanel::setAlign(Memo1, Align::Client);
}

void TForm2::createPictureArea(QWidget *parent)
{
    Panel6 = panel(QStringLiteral("Panel6"), parent, Align::Top, 400);
    PanelImage1 = new AlignPanel(QStringLiteral("PanelImage1"), Panel6);
    PanelImage1->setGeometry(0, 0, 600, 400);
    Image1 = new ImageControl(QStringLiteral("Image1"), PanelImage1);
    Image1->setScaledContents(true);
    AlignPanel::setAlign(Image1, Align::Client);
    Gname = makeControl<QLabel>(QStringLiteral("Gname"), Panel6);
    Gname->setGeometry(2, 2, 300, 16);
    Gname->setStyleSheet(QStringLiteral("color: white;"));
    Gname->raise();
    Panel6->hide();
}

void TForm2::createGrid(QWidget *parent)
{
    Panel16 = panel(QStringLiteral("Panel16"), parent, Align::Top, kGridHeight);
    for (int i = 0; i < editorgeometry::kGridCellCount; ++i) {
        const int number = i == 0 ? 3 : i + 5;
        QTextEdit *cell = memo(QStringLiteral("Memo") + QString::number(number), Panel16);
        QPalette pal = cell->palette();
        pal.setColor(QPalette::Base, i < 8 ? kHeaderCell : QColor(Qt::white));
        setMemoPalette(cell, pal);
        // The cells are one or two lines high: a scroll bar would take a third of a narrow cell.
        cell->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        GridMemos[static_cast<size_t>(i)] = cell;
    }
    Panel16->hide();
}

void TForm2::setMemoPalette(QTextEdit *memo, const QPalette &palette)
{
    memo->setPalette(palette);
    // The viewport paints the ground. Under a style sheet (the main window, our owner, has one)
    // a palette no longer passes from the memo to its viewport, so the viewport gets it too.
    memo->viewport()->setPalette(palette);
}

void TForm2::createLinkStrip(QWidget *parent)
{
    auto *strip = panel(QStringLiteral("LinkStrip"), parent, Align::Bottom, 20);
    SpeedButton17 = new SpeedButton(QStringLiteral("SpeedButton17"), strip);
    SpeedButton17->setText(QStringLiteral("リンク"));
    SpeedButton17->setToolTip(QStringLiteral("左クリック：リンク設定・選択文字へのスクリプト挿入／右クリック：リンク解除"));
    SpeedButton17->setGeometry(0, 0, 60, 20);
    Edit2 = edit(QStringLiteral("Edit2"), strip, QStringLiteral("リンクファイル名"), {62, 0, 250, 20});
    Edit3 = edit(QStringLiteral("Edit3"), strip, QStringLiteral("リンク文字"), {314, 0, 250, 20});
    Edit4 = edit(QStringLiteral("Edit4"), strip, QStringLiteral("スクリプト"), {566, 0, 246, 20});
}

void TForm2::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
        composing_ = false;
        pageAtShow_ = pageAsShown();
    }
}

void TForm2::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TForm2::closeEvent(QCloseEvent *event)
{
    // While the drawing program runs the window stays, as it stays disabled.
    if (waitingForPaint_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

QString TForm2::pageAsShown() const
{
    PageEditFields fields;
    ReadIntoPage(fields);
    return writeEditedPage(fields);
}

void TForm2::keyPressEvent(QKeyEvent *event)
{
    // Esc cancels the input method's text first; with changes it asks before throwing them away.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (composing_) {
            event->accept();
            return;
        }
        if (Tag > 0 && (KeptEdits || pageAsShown() != pageAtShow_)
            && !services_.prompt->question(this, QStringLiteral("変更を保存しないで閉じますか？"), DefaultAnswer::No)) {
            event->accept();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void TForm2::done(int result)
{
    if (waitingForPaint_)
        return;
    FormClose();
    QDialog::done(result);
}

bool TForm2::mouseUpInside(QObject *watched, QEvent *event) const
{
    if (event->type() != QEvent::MouseButtonRelease)
        return false;
    auto *w = static_cast<QWidget *>(watched);
    return w->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint());
}

bool TForm2::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::InputMethod)
        composing_ = !static_cast<QInputMethodEvent *>(event)->preeditString().isEmpty();
    if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
        // Switching windows (a message box, the memo window) is no change of field, as before.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        const bool in = type == QEvent::FocusIn;
        if (watched == Memo4)
            in ? Memo4Enter() : Memo4Exit();
        else if (watched == Memo5)
            in ? Memo5Enter() : Memo5Exit();
        else if (watched == Memo1)
            in ? Memo1Enter() : Memo1Exit();
        else if (watched == Memo2)
            in ? Memo2Enter() : Memo2Exit();
    } else if (watched == SpeedButton17 && type == QEvent::Enter) {
        SpeedButton17MouseEnter();
    } else if (watched == Image1 && type == QEvent::MouseButtonDblClick) {
        Image1DblClick();
        return true;
    } else if ((watched == BitBtn1 || watched == BitBtn2 || watched == BitBtn3) && type == QEvent::KeyPress
               && (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Return
                   || static_cast<QKeyEvent *>(event)->key() == Qt::Key_Enter)) {
        // Enter on a focused closing button activates it, as Space does; Enter in a field does not.
        static_cast<QPushButton *>(watched)->click();
        return true;
    } else if ((watched == BitBtn1 || watched == BitBtn2) && mouseUpInside(watched, event)) {
        // The button is released before the handler runs, as a mouse-up handler sees it.
        static_cast<QPushButton *>(watched)->setDown(false);
        watched == BitBtn1 ? BitBtn1MouseUp() : BitBtn2MouseUp();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm2::connectHandlers()
{
    for (QTextEdit *m : {Memo4, Memo5, Memo1, Memo2})
        m->installEventFilter(this);
    // The input method's text is watched in every field, for Esc.
    for (QTextEdit *m : GridMemos)
        m->installEventFilter(this);
    for (QLineEdit *e : {Edit1, Edit5, Edit6, Edit2, Edit3, Edit4, GX, GY})
        e->installEventFilter(this);
    SpeedButton17->installEventFilter(this);
    Image1->installEventFilter(this);
    BitBtn1->installEventFilter(this);
    BitBtn2->installEventFilter(this);
    BitBtn3->installEventFilter(this);
    GX->setValidator(new QIntValidator(0, 99999, GX));
    GY->setValidator(new QIntValidator(0, 99999, GY));
    connect(Edit1, &QLineEdit::textChanged, this, &TForm2::Edit1Change);
    for (QLineEdit *size : {GX, GY})
        connect(size, &QLineEdit::textEdited, this, [this] { pictureEdited_ = true; });
    connect(Panel16, &AlignPanel::Resized, this, &TForm2::Panel16Resize);
    for (SpeedButton *b : {SpeedButton1, SpeedButton3, SpeedButton17, SpeedButton23})
        connect(b, &SpeedButton::MouseDown, this, &TForm2::SpeedButton1MouseDown);
    connect(SpeedButton2, &SpeedButton::MouseDown, this, &TForm2::SpeedButton2MouseDown);
    connect(SpeedButton17, &SpeedButton::MouseUp, this, &TForm2::SpeedButton17MouseUp);
    connect(SpeedButton22, &SpeedButton::MouseUp, this, &TForm2::SpeedButton22MouseUp);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm2::BitBtn3Click);
    // The mouse acts on release (the event filter); Space or Enter on a focused button clicks it.
    connect(BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1MouseUp);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm2::BitBtn2MouseUp);
}

} // namespace sorvek
