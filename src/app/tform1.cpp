#include "app/tform1.h"

#include "app/pictures_ui.h"
#include "book/dialogkeys_ui.h"
#include "commands/booktree.h"

#include <QResizeEvent>
#include <QShowEvent>

namespace sorvek {

namespace {

// Colours through the palette: a style sheet here would switch every window the form owns
// (the editor included) to the style-sheet style, which stops palettes reaching children.
void fill(QWidget *w, const QColor &ground, const QColor &text = Qt::black)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, ground);
    p.setColor(QPalette::WindowText, text);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void largeText(QWidget *w, bool bold)
{
    QFont f = w->font();
    f.setPixelSize(27);
    f.setBold(bold);
    w->setFont(f);
}

AlignPanel *panel(const QString &name, QWidget *parent, Align align = Align::None)
{
    auto *p = new AlignPanel(name, parent);
    p->setAutoFillBackground(true);
    QPalette face = p->palette();
    face.setColor(QPalette::Window, QColor(0xf0, 0xf0, 0xf0));  // the button-face grey of panels
    p->setPalette(face);
    AlignPanel::setAlign(p, align);
    return p;
}

SpeedButton *speedButton(const QString &name, QWidget *parent, const QString &hint, QSize size = {25, 25})
{
    auto *b = new SpeedButton(name, parent);
    b->setToolTip(hint);
    b->resize(size);
    return b;
}

QLabel *silverPanel(const QString &name, QWidget *parent, QSize size)
{
    auto *l = makeControl<QLabel>(name, parent);
    l->resize(size);
    l->setAlignment(Qt::AlignCenter);
    l->setEnabled(false);
    fill(l, QColor(0xc0, 0xc0, 0xc0));
    return l;
}

} // namespace

TForm1::TForm1(const PlatformServices &services, BrowserFactory browsers, const QString &programFilePath,
               const QStringList &commandLineFiles, QWidget *parent)
    : AlignPanel(QStringLiteral("Form1"), parent), services_(services), browserFactory_(std::move(browsers)),
      programFilePath_(programFilePath), commandLineFiles_(commandLineFiles)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(1045, 771);
    fill(this, Qt::black);
    QFont f(QStringLiteral("Noto Sans CJK JP"));
    f.setPixelSize(12);
    setFont(f);
    createComponents();
    // The window's own dialog-key handling: the page buttons move by page index, never along
    // Qt's focus chain (the buttons are made as they come into sight).
    new DialogKeys(this, [this](int key) { CMDialogKey(key); });
    FormCreate();
}

TForm1::~TForm1()
{
    // The column's contents shrink while the children go; the buttons are gone by then.
    disconnect(ScrollBox1, nullptr, this, nullptr);
    if (guardedBookFolder() == BookFolder)
        setGuardedBookFolder(QString());
}

void TForm1::createComponents()
{
    kabeBASE = panel(QStringLiteral("kabeBASE"), this);
    createSideMenu();
    createButtonColumn();
    createPageArea();
    createBottomBar();

    Panel4 = panel(QStringLiteral("Panel4"), this);
    fill(Panel4, Qt::black);
    Image4 = makeControl<QLabel>(QStringLiteral("Image4"), Panel4);
    Image4->resize(243, 240);
    Image4->setPixmap(pictures::glyph(QStringLiteral("S"), {243, 240}, QColor(0x30, 0x30, 0x30)));
    connect(Panel4, &AlignPanel::Resized, this, &TForm1::Panel4Resize);
    Panel4->installEventFilter(this);
    Panel4->hide();

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Timer5 = new QTimer(this);
    Timer5->setInterval(4000);
    connect(Timer5, &QTimer::timeout, this, &TForm1::Timer5Timer);
    Timer5->start();
    Timer3 = new QTimer(this);
    Timer3->setInterval(400);
    connect(Timer3, &QTimer::timeout, this, &TForm1::Timer3Timer);
    Timer3->start();
    Timer2 = new QTimer(this);
    Timer2->setSingleShot(true);
    connect(Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
    createStartMenu();
    createPrinting();
}

void TForm1::createSideMenu()
{
    hyoushi = panel(QStringLiteral("hyoushi"), kabeBASE, Align::Left);
    hyoushi->resize(0, hyoushi->height());
    connect(hyoushi, &AlignPanel::Resized, this, &TForm1::hyoushiResize);
    hyoushiup = panel(QStringLiteral("hyoushiup"), hyoushi, Align::Client);
    Panel5 = panel(QStringLiteral("Panel5"), hyoushiup, Align::Top);
    Panel5->resize(Panel5->width(), 33);
    Panel5->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    connect(Panel5, &AlignPanel::Resized, this, &TForm1::Panel5Resize);
    SpeedButton17 = speedButton(QStringLiteral("SpeedButton17"), Panel5, QStringLiteral("表紙のページに戻る/右：読み直し"));
    SpeedButton17->setText(QStringLiteral("HOME"));
    connect(SpeedButton17, &SpeedButton::MouseDown, this, &TForm1::hTOPMouseDown);
    connect(SpeedButton17, &SpeedButton::MouseUp, this, &TForm1::modoruMouseUp);
    SpeedButton3 = speedButton(QStringLiteral("SpeedButton3"), Panel5, QStringLiteral("書庫を開く"));
    SpeedButton3->setIcon(pictures::glyph(QStringLiteral("書"), {20, 20}, QColor(0x8b, 0x45, 0x13)));
    connect(SpeedButton3, &SpeedButton::MouseUp, this, &TForm1::SpeedButton11MouseUp);
    Panel6 = panel(QStringLiteral("Panel6"), hyoushiup, Align::Client);
    connect(Panel6, &AlignPanel::Resized, this, &TForm1::Panel6Resize);
    WebBrowser4 = browserFactory_(Panel6);
    WebBrowser4->setObjectName(QStringLiteral("WebBrowser4"));
    WebBrowser4->setFocusPolicy(Qt::NoFocus);
    connect(WebBrowser4, &BrowserControl::BeforeNavigate2, this, &TForm1::WebBrowser4BeforeNavigate2);
}

void TForm1::createButtonColumn()
{
    kabeRight = panel(QStringLiteral("kabeRight"), kabeBASE, Align::Right);
    kabeRight->resize(120, kabeRight->height());
    connect(kabeRight, &AlignPanel::Resized, this, &TForm1::kabeRightResize);
    Panel3 = panel(QStringLiteral("Panel3"), kabeRight, Align::Top);
    Panel3->resize(Panel3->width(), 41);
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2 = panel(QStringLiteral("Panel2"), Panel3, Align::Client);
    Panel1 = panel(QStringLiteral("Panel1"), Panel3, Align::Bottom);
    Panel1->resize(Panel1->width(), 17);
    SpeedButton20 = speedButton(QStringLiteral("SpeedButton20"), Panel2, QString(), {34, 24});
    AlignPanel::setAlign(SpeedButton20, Align::Left);
    connect(SpeedButton20, &SpeedButton::MouseUp, this, &TForm1::SpeedButton20MouseUp);
    Label1 = makeControl<QLabel>(QStringLiteral("Label1"), Panel1);
    AlignPanel::setAlign(Label1, Align::Client);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setToolTip(QStringLiteral("ページがあるフォルダ名"));
    ScrollBox1 = new ButtonScrollBox(QStringLiteral("ScrollBox1"), kabeRight);
    AlignPanel::setAlign(ScrollBox1, Align::Client);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(ScrollBox1, &ButtonScrollBox::ContentsWidthChanged, this, &TForm1::fitPageButtons);
    attachPageButtons();
    fill(ScrollBox1->viewport(), QColor(0xa6, 0xca, 0xf0));
    fill(ScrollBox1->widget(), QColor(0xa6, 0xca, 0xf0));
    ScrollBox1->widget()->setObjectName(QStringLiteral("ScrollBox1Contents"));
}

void TForm1::createPageArea()
{
    kabe = panel(QStringLiteral("kabe"), kabeBASE, Align::Client);
    connect(kabe, &AlignPanel::Resized, this, &TForm1::kabeResize);
    Image1 = new ImageControl(QStringLiteral("Image1"), kabe);
    connect(Image1, &ImageControl::MouseDown, this, [this](Qt::MouseButton, QPoint pos) { Image1Click(pos); });
    Image1->setScaledContents(true);
    Image1->setCursor(Qt::SizeAllCursor);
    Image1->hide();
    kabeBrowser = panel(QStringLiteral("kabeBrowser"), kabe, Align::Client);
    fill(kabeBrowser, QColor(0xc0, 0xc0, 0xc0));
    WebBrowser1 = browserFactory_(kabeBrowser);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    connect(WebBrowser1, &BrowserControl::BeforeNavigate2, this, &TForm1::WebBrowser1BeforeNavigate2);
    connect(WebBrowser1, &BrowserControl::DownloadComplete, this, &TForm1::WebBrowser1DownloadComplete);
    connect(WebBrowser1, &BrowserControl::DocumentComplete, this, &TForm1::WebBrowser1DocumentComplete);

    Pmathub = makeControl<QFrame>(QStringLiteral("Pmathub"), kabeBrowser);
    Pmathub->setGeometry(0, 0, 650, 168);
    Pmathub->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    fill(Pmathub, QColor(0x00, 0x80, 0x00));
    Pmathub->hide();
    Pmathu = makeControl<QFrame>(QStringLiteral("Pmathu"), kabeBrowser);
    Pmathu->setGeometry(25, 30, 600, 113);
    Pmathu->setCursor(Qt::WaitCursor);
    fill(Pmathu, QColor(0x00, 0xff, 0x00));
    PmathuCaption = makeControl<QLabel>(QStringLiteral("PmathuCaption"), Pmathu);
    // The text keeps clear of "Now loading・・・" above it and of the picture at its left.
    PmathuCaption->setGeometry(88, 40, 508, 70);
    PmathuCaption->setAlignment(Qt::AlignCenter);
    fill(PmathuCaption, QColor(0x00, 0xff, 0x00), Qt::blue);
    largeText(PmathuCaption, false);
    Label2 = makeControl<QLabel>(QStringLiteral("Label2"), Pmathu);
    Label2->setText(QStringLiteral("Now loading・・・"));
    largeText(Label2, true);
    Label2->setGeometry(90, 4, 500, 36);
    auto *noticePicture = makeControl<QLabel>(QStringLiteral("NoticePicture"), Pmathu);
    noticePicture->setGeometry(8, 20, 73, 73);
    noticePicture->setPixmap(pictures::glyph(QStringLiteral("待"), {73, 73}, Qt::darkBlue));
    Pmathu->hide();

    BitBtn1 = new SpeedButton(QStringLiteral("BitBtn1"), kabeBrowser);
    BitBtn1->resize(25, 25);
    BitBtn1->setAutoRaise(false);
    BitBtn1->setIcon(pictures::glyph(QStringLiteral("♪"), {20, 20}, Qt::darkGreen));
    BitBtn1->setToolTip(QStringLiteral("ページ録音の再生"));
    connect(BitBtn1, &SpeedButton::MouseUp, this, &TForm1::hSAISEIMouseUp);
    BitBtn1->hide();

    kabeKR = panel(QStringLiteral("kabeKR"), kabeBrowser);
    kabeKR->resize(kabeKR->width(), 0);
    Panel9 = panel(QStringLiteral("Panel9"), kabeKR);
    WebBrowser2 = browserFactory_(Panel9);
    WebBrowser2->setObjectName(QStringLiteral("WebBrowser2"));
    connect(WebBrowser2, &BrowserControl::BeforeNavigate2, this, &TForm1::WebBrowser1BeforeNavigate2);
    connect(WebBrowser2, &BrowserControl::DocumentComplete, this, &TForm1::WebBrowser2DocumentComplete);
    WebBrowser3 = browserFactory_(kabeBrowser);
    WebBrowser3->setObjectName(QStringLiteral("WebBrowser3"));
    WebBrowser3->resize(WebBrowser3->width(), 0);
}

void TForm1::createBottomBar()
{
    kabedown = panel(QStringLiteral("kabedown"), kabeBASE, Align::Bottom);
    kabedown->resize(kabedown->width(), 25);
    connect(kabedown, &AlignPanel::Resized, this, &TForm1::kabedownResize);
    Image5 = makeControl<QLabel>(QStringLiteral("Image5"), kabedown);
    AlignPanel::setAlign(Image5, Align::Client);
    Image5->setScaledContents(true);
    Image5->setPixmap(pictures::bottomBar({200, 25}));

    SpeedButton11 = speedButton(QStringLiteral("SpeedButton11"), kabedown, QStringLiteral("スタートボタン"), {52, 25});
    SpeedButton11->setIcon(pictures::startButton({50, 23}));
    SpeedButton11->setIconSize({50, 23});
    connect(SpeedButton11, &SpeedButton::Click, this, &TForm1::SpeedButton5Click);
    connect(SpeedButton11, &SpeedButton::MouseDown, this, &TForm1::Panel1MouseDown);
    SpeedButton2 = speedButton(QStringLiteral("SpeedButton2"), kabedown, QStringLiteral("メニュー"));
    SpeedButton2->setIcon(pictures::glyph(QStringLiteral("▶"), {20, 20}, Qt::white));
    SpeedButton9 = speedButton(QStringLiteral("SpeedButton9"), kabedown, QStringLiteral("メニューを閉じる"));
    SpeedButton9->setIcon(pictures::glyph(QStringLiteral("◀"), {20, 20}, Qt::white));
    connect(SpeedButton2, &SpeedButton::Click, this, &TForm1::Panel11MouseEnter);
    connect(SpeedButton9, &SpeedButton::Click, this, &TForm1::Panel11MouseEnter);
    SpeedButton1 = speedButton(QStringLiteral("SpeedButton1"), kabedown, QStringLiteral("プレゼンテーションモード"));
    SpeedButton1->setIcon(pictures::glyph(QStringLiteral("■"), {20, 20}, QColor(0xff, 0xa0, 0x40)));
    connect(SpeedButton1, &SpeedButton::MouseDown, this, &TForm1::SpeedButton1MouseDown);
    SpeedButton8 = speedButton(QStringLiteral("SpeedButton8"), kabedown, QStringLiteral("拡大"));
    SpeedButton8->setIcon(pictures::glyph(QStringLiteral("＋"), {20, 20}, Qt::white));
    connect(SpeedButton8, &SpeedButton::Click, this, &TForm1::SpeedButton8Click);

    Image6 = new ImageControl(QStringLiteral("Image6"), kabedown);
    Image6->resize(120, 23);
    Image6->setToolTip(QStringLiteral("左：前ボタン　右：戻る"));
    Image6->setPixmap(pictures::arrow({120, 23}, false));
    connect(Image6, &ImageControl::MouseDown, this, &TForm1::Panel1MouseDown);
    connect(Image6, &ImageControl::MouseUp, this, &TForm1::Image6MouseUp);
    Panel8 = silverPanel(QStringLiteral("Panel8"), kabedown, {86, 20});
    Panel7 = silverPanel(QStringLiteral("Panel7"), kabedown, {49, 20});
    Image7 = new ImageControl(QStringLiteral("Image7"), kabedown);
    Image7->resize(120, 23);
    Image7->setToolTip(QStringLiteral("左：次ボタン　右：進む"));
    Image7->setPixmap(pictures::arrow({120, 23}, true));
    connect(Image7, &ImageControl::MouseDown, this, &TForm1::Panel1MouseDown);
    connect(Image7, &ImageControl::MouseUp, this, &TForm1::Image7MouseUp);
    Image10 = new ImageControl(QStringLiteral("Image10"), kabedown);
    Image10->resize(25, 25);
    Image10->setToolTip(QStringLiteral("左：再表示／右：HOME"));
    Image10->setPixmap(pictures::reload({25, 25}));
    connect(Image10, &ImageControl::MouseDown, this, &TForm1::Image10MouseDown);

    SpeedButton10 = speedButton(QStringLiteral("SpeedButton10"), kabedown, QStringLiteral("ボタン"));
    SpeedButton10->setIcon(pictures::glyph(QStringLiteral("◀"), {20, 20}, QColor(0xa6, 0xca, 0xf0)));
    SpeedButton6 = speedButton(QStringLiteral("SpeedButton6"), kabedown, QStringLiteral("ボタンを閉じる"));
    SpeedButton6->setIcon(pictures::glyph(QStringLiteral("▶"), {20, 20}, QColor(0xa6, 0xca, 0xf0)));
    connect(SpeedButton10, &SpeedButton::Click, this, &TForm1::Panel12MouseEnter);
    connect(SpeedButton6, &SpeedButton::Click, this, &TForm1::Panel12MouseEnter);
    SpeedButton7 = speedButton(QStringLiteral("SpeedButton7"), kabedown, QStringLiteral("脚注メモ"), {49, 25});
    SpeedButton7->setText(QStringLiteral("メモ"));
    connect(SpeedButton7, &SpeedButton::MouseDown, this, &TForm1::Panel1MouseDown);
    connect(SpeedButton7, &SpeedButton::MouseUp, this, &TForm1::textup);
    for (QWidget *w : kabedown->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        w->raise();
    Image5->lower();
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    AlignPanel::resizeEvent(event);
    FormResize();
    if (Form11 && Form11->isVisible())
        placeMaskHole();
}

void TForm1::showEvent(QShowEvent *event)
{
    AlignPanel::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

} // namespace sorvek
