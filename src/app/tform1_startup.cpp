// TForm1: start-up, the window's fixed layout, the two toggles, the notice panel, the start menu.
#include "app/tform1.h"

#include "app/pictures_ui.h"
#include "app/windowsize.h"
#include "commands/booktree.h"
#include "commands/textfile.h"
#include "commands/texthelpers.h"
#include "pagefiles/renamejournal.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QScreen>

namespace sorvek {

void TForm1::FormCreate()
{
    AnswerOpenMark = QStringLiteral("(");
    ChoiceMark = QStringLiteral("|");
    AnswerCloseMark = QStringLiteral(")");
    AlternativeMark = QStringLiteral("/");
    CaptionWidth = 20;
    HistoryName = QStringLiteral("history/history");
    kabeRightTag = 0;
    ButtonMargin = 2;
    const BookLocation location = bookLocationFromProgram(programFilePath_);
    BookFolder = location.folder;
    setGuardedBookFolder(BookFolder);
    ApplicationTitle = location.title;
    HelpFileName = QStringLiteral("_help.html");
    HelpURL = webAddresses().helpUrl(ApplicationTitle);
    setWindowTitle(ApplicationTitle);
}

void TForm1::FormShow()
{
    move(0, 0);
    IndexedFolder = QStringLiteral("xxx");
    BatchMode = 0;
    hyoushi->resize(0, hyoushi->height());
    if (!commandLineFiles_.isEmpty()) {
        resize(0, 0);
        ListBox1 = commandLineFiles_;
        BatchMode = 1;
        MakePagesFromFiles(BookFolder + QLatin1Char('/'));
        QApplication::processEvents();
        QApplication::beep();
        ShowNotice(QStringLiteral("終"), 1499);
        return;
    }
    const bool bookExisted = QFileInfo::exists(BookFolder);
    if (QDir::isAbsolutePath(BookFolder))
        QDir().mkpath(BookFolder);
    // Renames cut short anywhere in the book are brought to an end before anything is shown.
    JournalRecovery recovered;
    if (startupRead_.valid()) {
        StartupRead read = startupRead_.get();
        recovered = std::move(read.journals);
        startupRoot_ = std::move(read.root);
    } else {
        recovered = recoverRenameJournals(BookFolder);
    }
    if (!recovered.message.isEmpty() && services().prompt)
        services().prompt->information(this, recovered.message);
    FindMwex();
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int workWidth = screen ? screen->availableGeometry().width() : 1024;
    const QSize base = baseSizeForWorkArea(workWidth);
    BaseWidth = base.width();
    BaseHeight = base.height();
    resize(BaseWidth, BaseHeight);
    kabeBASE->resize(width(), height());
    LoadSideMenu();
    FormShowICHI();
    tellWhenNoBook(bookExisted);
}

void TForm1::tellWhenNoBook(bool bookExisted)
{
    const QString notice = bookFolderNotice(bookFolderProblem(BookFolder, bookExisted, PageCount()),
                                            bookLocationFromProgram(programFilePath_));
    if (notice.isEmpty() || !services_.prompt)
        return;
    // Once the window stands: the message box then sits over the empty book, not before it.
    QTimer::singleShot(0, this, [this, notice] { services_.prompt->information(this, notice); });
}

void TForm1::FormShowICHI()
{
    resize(BaseWidth, BaseHeight);
    // The page popup is built when a page button is right-clicked, for that page and folder.
    if (std::optional<ReadLevel> root = std::exchange(startupRoot_, std::nullopt);
        root && levels_.openReadLevel(std::move(*root), BookFolder, 0, CommandOrigin::localBookPage()))
        tellListingNotice();
    else
        OpenLevel(BookFolder, 0, true, CommandOrigin::localBookPage());
    // The column's top as the level has it before its buttons are laid out: the page's arrival
    // would otherwise lay the column out again and repaint it just before the page shows.
    applyBreadcrumb();
    CreatePageButtons();
    SnapshotShown = false;
    move(0, 0);
    FitBrowsers(false);
    ShowPage(true);
    // The folder's name as the page's arrival leaves it, drawn with the window's first paint
    // rather than in a repaint of its own just before the page's.
    Panel8->setText(folderName(levels_.topFolder()));
}

void TForm1::LoadSideMenu()
{
    const QString menuPath = BookFolder + QStringLiteral("/_index.html");
    hyoushiup->show();
    WebBrowser4->show();
    Panel6->show();
    placeLeftGroup();
    placeBitBtn1();
    if (QFileInfo(menuPath).isFile()) {
        migrateShiftJisPage(menuPath);
        RememberShown(QStringLiteral("Web4"), QUrl::fromLocalFile(menuPath).toString());
        WebBrowser4->Navigate(QUrl::fromLocalFile(menuPath), NavigationStart::localBookPage());
    } else {
        placeLeftGroup();
        Panel6->hide();
        placeBitBtn1();
    }
    SpeedButton7->show();
    kabeRight->move(kabeBASE->width(), kabeRight->y());
    kabeRight->resize(120, kabeRight->height());
    placeBitBtn1();
    AlignPanel::setAlign(kabeRight, Align::Right);
    SpeedButton6->show();
    SpeedButton10->hide();
    placeRightGroup();
    HighlightCurrent = true;
}

void TForm1::ShowNotice(const QString &text, int milliseconds)
{
    if (milliseconds > 1499) {
        fitNoticeText(text);
        Pmathub->move((kabeBrowser->width() - Pmathub->width()) / 2, (kabeBrowser->height() - Pmathub->height()) / 2);
        Pmathu->move(Pmathub->x() + 25, Pmathub->y() + 30);
        Pmathub->show();
        Pmathu->show();
        Pmathub->raise();
        Pmathu->raise();
        Pmathu->repaint();
    }
    Timer1->start(milliseconds);
}

// A notice is one line that fits its panel: a long one gets a smaller font, and when even that
// is not enough it loses its middle (folders of a path), never its start or its reason.
void TForm1::fitNoticeText(const QString &text)
{
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    QFont font = PmathuCaption->font();
    font.setPixelSize(27);
    const int room = PmathuCaption->width() - 2 * 8;
    while (font.pixelSize() > 14 && QFontMetrics(font).horizontalAdvance(line) > room)
        font.setPixelSize(font.pixelSize() - 1);
    PmathuCaption->setFont(font);
    PmathuCaption->setText(QFontMetrics(font).elidedText(line, Qt::ElideMiddle, room));
    PmathuCaption->setToolTip(line); // the whole notice, when its middle had to go
}

void TForm1::Timer1Timer()
{
    Timer1->stop();
    PmathuCaption->clear();
    Pmathu->hide();
    Pmathub->hide();
    if (BatchMode > 0) {
        setWindowTitle(QStringLiteral("終"));
        ListBox1.clear();
        ListBox3.clear();
        close();
        QCoreApplication::quit();  // the batch window was never shown, so closing it does not end the loop
    }
}

// Layout ---------------------------------------------------------------------------------------

void TForm1::placeLeftGroup()
{
    const bool open = hyoushi->width() > 0;
    SpeedButton9->setVisible(open);
    SpeedButton2->setVisible(!open);
    SpeedButton2->move(SpeedButton11->width() + 2, 0);
    SpeedButton9->move(SpeedButton11->width() + 2, 0);
    SpeedButton1->move(SpeedButton2->x() + SpeedButton2->width() + 2, 0);
    SpeedButton8->move(SpeedButton1->x() + SpeedButton1->width() + 2, 0);
}

void TForm1::placeRightGroup()
{
    SpeedButton6->move(kabedown->width() - 90, 0);
    SpeedButton10->move(kabedown->width() - 90, 0);
    SpeedButton7->move(SpeedButton6->x() + SpeedButton6->width() + 4, 0);
}

void TForm1::placeBitBtn1()
{
    BitBtn1->move(kabeBASE->width() - BitBtn1->width() - kabeRight->width() - hyoushi->width() - 12, BitBtn1->y());
}

void TForm1::FormResize()
{
    if (!kabeBASE)
        return;
    if (AlignPanel::alignOf(kabeBASE) == Align::None)
        kabeBASE->move((width() - kabeBASE->width()) / 2, (height() - kabeBASE->height()) / 2);
    SpeedButton11->move(1, SpeedButton11->y());
}

void TForm1::hyoushiResize()
{
    int left = 0;
    if (kabeBASE->width() < width())
        left = (width() - kabeBASE->width()) / 2;
    if (AlignPanel::alignOf(kabeBASE) == Align::None)
        kabeBASE->move(left, (height() - kabeBASE->height()) / 2);
    SpeedButton11->move(1, SpeedButton11->y());
}

void TForm1::kabedownResize()
{
    Image6->move((kabeBASE->width() - Panel8->width() - Panel7->width()) / 2 - Image6->width() - 5, 1);
    Panel8->move(Image6->x() + Image6->width(), 2);
    Panel7->move(Panel8->x() + Panel8->width(), 2);
    Image7->move(Panel7->x() + Panel7->width(), 1);
    Image10->move(Image7->x() + Image7->width(), 0);
    placeRightGroup();
}

void TForm1::kabeResize()
{
    for (BrowserControl *b : {WebBrowser1, WebBrowser2, WebBrowser3})
        b->resize(kabeBrowser->width() + 24, b->height());
    // The page fills its area as soon as the window grows (maximised for a presentation), not
    // only from the next page on.
    WebBrowser1->resize(WebBrowser1->width(), kabeBrowser->height() + 20);
}

void TForm1::kabeRightResize()
{
    kabeResize();
}

void TForm1::Panel6Resize()
{
    WebBrowser4->setGeometry(-2, -2, Panel6->width() + 20, Panel6->height() + 4);
}

void TForm1::Panel5Resize()
{
    SpeedButton17->setGeometry(0, 0, Panel5->width() * 2 / 3, Panel5->height());
    SpeedButton3->setGeometry(SpeedButton17->width() + 1, 0, Panel5->width() / 3 - 2, SpeedButton3->height());
}

void TForm1::Panel11MouseEnter()
{
    hyoushi->resize(hyoushi->width() <= 0 ? 136 : 0, hyoushi->height());
    placeBitBtn1();
    placeLeftGroup();
    placeRightGroup();
}

void TForm1::Panel12MouseEnter()
{
    if (kabeRight->width() < 2) {
        kabeRightTag = 0;
        AlignPanel::setAlign(kabeRight, Align::Right);
        kabeRight->resize(120, kabeRight->height());
        placeBitBtn1();
        SpeedButton6->show();
        SpeedButton10->hide();
    } else {
        kabeRightTag = 1;
        AlignPanel::setAlign(kabeRight, Align::None);
        kabeRight->resize(1, kabeRight->height());
        placeBitBtn1();
        kabeRight->move(kabeBASE->width(), kabeRight->y());
        kabeBASE->realign();
        SpeedButton6->hide();
        SpeedButton10->show();
    }
    placeRightGroup();
}

void TForm1::Panel1MouseDown(Qt::MouseButton button)
{
    RightButtonFlag = button == Qt::RightButton;
}

void TForm1::hTOPMouseDown(Qt::MouseButton button)
{
    RightButtonFlag = button == Qt::RightButton;
}

// The start menu --------------------------------------------------------------------------------

void TForm1::createStartMenu()
{
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    PopupMenu2->setToolTipsVisible(true);
    auto item = [this](const QString &name, const QString &caption, const QString &hint, const QString &symbol) {
        QAction *a = PopupMenu2->addAction(pictures::glyph(symbol, {16, 16}, Qt::darkBlue), caption);
        a->setObjectName(name);
        a->setToolTip(hint);
        return a;
    };
    HOME1 = item(QStringLiteral("HOME1"), QStringLiteral("HOME"), QStringLiteral("ホームに戻る"), QStringLiteral("⌂"));
    N2 = item(QStringLiteral("N2"), QStringLiteral("新規ページ作成"), QStringLiteral("エディターで新規ページを書く"), QStringLiteral("✎"));
    Paste2 = item(QStringLiteral("Paste2"), QStringLiteral("コピーのはりつけ"),
                  QStringLiteral("コピーしたファイルから新規ページを自動作成する"), QStringLiteral("貼"));
    N3 = item(QStringLiteral("N3"), QStringLiteral("メニュー編集"), QStringLiteral("画面左のメニューのページの作成・編集"), QStringLiteral("目"));
    LOGO1 = item(QStringLiteral("LOGO1"), QStringLiteral("LOGOのページ作成"), QStringLiteral("フォルダに入れたMWEXで作品を作る"),
                 QStringLiteral("亀"));
    Find1 = item(QStringLiteral("Find1"), QStringLiteral("検索"), QStringLiteral("開いているフォルダ内を検索する"), QStringLiteral("探"));
    N1 = item(QStringLiteral("N1"), QStringLiteral("情報ポケット"), QStringLiteral("情報ポケットのフォルダを開く"), QStringLiteral("袋"));
    Sorvek1 = item(QStringLiteral("Sorvek1"), QStringLiteral("Sorvekホームページ"), QStringLiteral("SorvekのWebページを開く"),
                   QStringLiteral("網"));
    N6 = item(QStringLiteral("N6"), QStringLiteral("印刷"), QString(), QStringLiteral("印"));
    PopupMenu2->addSeparator()->setObjectName(QStringLiteral("N5"));
    Exit1 = item(QStringLiteral("Exit1"), QStringLiteral("終了"), QStringLiteral("Sorvekを終了する"), QStringLiteral("✕"));
    connect(HOME1, &QAction::triggered, this, &TForm1::HOME1Click);
    connect(Find1, &QAction::triggered, this, &TForm1::Find1Click);
    connect(N1, &QAction::triggered, this, &TForm1::N1Click);
    connect(Sorvek1, &QAction::triggered, this, &TForm1::Sorvek1Click);
    connect(N2, &QAction::triggered, this, &TForm1::N2Click);
    connect(Paste2, &QAction::triggered, this, &TForm1::Paste2Click);
    connect(N3, &QAction::triggered, this, &TForm1::N3Click);
    connect(LOGO1, &QAction::triggered, this, &TForm1::LOGO1Click);
    connect(N6, &QAction::triggered, this, &TForm1::N6Click);
    connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
}

void TForm1::SpeedButton5Click()
{
    Paste2->setEnabled(services_.clipboard && services_.clipboard->hasAnyFormat());
    if (RightButtonFlag)
        return;
    N1->setText(QStringLiteral("情報ポケット「") + folderName(levels_.topFolder()) + QStringLiteral("/POCKET」"));
    const QPoint at = mapToGlobal(QPoint(kabeBASE->x() + 5, kabeBASE->y() + kabeBASE->height() - 215));
    PopupMenu2->popup(at);
}

void TForm1::Exit1Click()
{
    CloseProgram();
}

void TForm1::CloseProgram()
{
    const QString shown = windowTitle();
    setWindowTitle(QStringLiteral("終"));
    showNormal();
    if (!close())  // the memo question kept the program open: the caption names the page again
        setWindowTitle(shown);
}

} // namespace sorvek
