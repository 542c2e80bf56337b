#include "tools/tform4.h"

#include "commands/texthelpers.h"
#include "tools/searchrules.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QSplitter>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace sorvek {

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QString &hint)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    b->setAutoDefault(false); // Enter in the search field presses no button
    return b;
}

QString withTrailingSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace

TForm4::TForm4(BrowserFactory browsers, IUserPrompt &prompt, QString &indexedFolder, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , prompt_(prompt)
    , cache_(indexedFolder)
{
    setObjectName(QStringLiteral("Form4"));
    setModal(true); // Find; for the LOOK callers showAndClose holds other input back instead
    setSizeGripEnabled(true);
    createComponents(browsers);
    connect(&walkRunner_, &SliceRunner::sliceDone, this, &TForm4::walkSlice);
    connect(&walkRunner_, &SliceRunner::finished, this, &TForm4::walkFinished);
    connect(&searchRunner_, &SliceRunner::sliceDone, this,
            [this] { Label1->setText(QString::number(search_->matches().size())); });
    connect(&searchRunner_, &SliceRunner::finished, this, &TForm4::searchFinished);
}

TForm4::~TForm4() = default;

QWidget *TForm4::createButtonBar()
{
    Pup = new QWidget(this);
    Pup->setObjectName(QStringLiteral("Pup"));
    Pup->setFixedHeight(34);
    BitBtn5 = button(Pup, "BitBtn5", QStringLiteral("全部"), QString());
    Edit1 = new QLineEdit(Pup);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setToolTip(QStringLiteral("半角 / でOR検索"));
    BitBtn1 = button(Pup, "BitBtn1", QStringLiteral("本文検索"), QStringLiteral("ページのテキストを検索"));
    BitBtn4 = button(Pup, "BitBtn4", QStringLiteral("１つ前"), QStringLiteral("検索結果を取り消す"));
    BitBtn2 = button(Pup, "BitBtn2", QStringLiteral("一覧"), QStringLiteral("検索結果一覧からタブを作る"));
    BitBtn3 = button(Pup, "BitBtn3", QStringLiteral("戻る"), QStringLiteral("閉じる"));
    // Esc is the cancel button wherever the focus is: the preview's page keeps the keys it is given,
    // so the dialog's own Esc handling never hears it there.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &TForm4::BitBtn3Click, Qt::WindowShortcut);
    escape->setObjectName(QStringLiteral("EscapeKey"));
    Label1 = new QLabel(Pup);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont font = Label1->font();
    font.setPixelSize(16);
    Label1->setFont(font);
    auto *bar = new QHBoxLayout(Pup);
    bar->setContentsMargins(2, 2, 2, 2);
    for (QWidget *w : {static_cast<QWidget *>(BitBtn5), static_cast<QWidget *>(Edit1), static_cast<QWidget *>(BitBtn1),
                       static_cast<QWidget *>(BitBtn4), static_cast<QWidget *>(BitBtn2), static_cast<QWidget *>(BitBtn3)})
        bar->addWidget(w);
    bar->addWidget(Label1, 1);
    connect(BitBtn5, &QPushButton::clicked, this, &TForm4::BitBtn5Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm4::BitBtn1Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TForm4::BitBtn4Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm4::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm4::BitBtn3Click);
    return Pup;
}

void TForm4::createComponents(BrowserFactory &browsers)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetNoConstraint); // the window shrinks to its progress box
    layout->addWidget(createButtonBar());

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(4);
    WebBrowser1 = browsers(Splitter1);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    connect(WebBrowser1, &BrowserControl::BeforeNavigate2, this, &TForm4::WebBrowser1BeforeNavigate2);
    Panel4 = new QWidget(Splitter1);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    ResultTitles = new QListWidget(Panel4);
    ResultTitles->setObjectName(QStringLiteral("ResultTitles"));
    ResultTitles->setToolTip(QStringLiteral("検索結果"));
    ResultTitles->setCursor(Qt::PointingHandCursor);
    // Laid out a batch at a time from the event loop: sizing 50,000 titles at once froze the
    // window. Batches of about 5 ms: the whole list is laid out a moment after it fills.
    ResultTitles->setLayoutMode(QListView::Batched);
    ResultTitles->setBatchSize(1000);
    connect(ResultTitles, &QListWidget::itemClicked, this, &TForm4::ListBox2Click);
    ResultTitles->installEventFilter(this); // moving with the keys previews too
    auto *panel4Layout = new QVBoxLayout(Panel4);
    panel4Layout->setContentsMargins(0, 0, 0, 0);
    panel4Layout->addWidget(ResultTitles);
    Splitter1->addWidget(WebBrowser1);
    Splitter1->addWidget(Panel4);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setSizes({787, 120});
    layout->addWidget(Splitter1, 1);

    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(12);
    layout->addWidget(Panel2);

    // The progress box lies over the top left corner; while the index is built it is all there is.
    Panel11 = new QLabel(this);
    Panel11->setObjectName(QStringLiteral("Panel11"));
    Panel11->setGeometry(0, 0, 313, 34);
    Panel11->setFrameShape(QFrame::Panel);
    Panel11->setAlignment(Qt::AlignCenter);
    Panel11->setAutoFillBackground(true);
    Panel11->hide();
}

bool TForm4::Busy() const
{
    return walkRunner_.isRunning() || searchRunner_.isRunning();
}

void TForm4::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The activation runs once per use: switching to another window and back keeps the search.
    if (!event->spontaneous()) {
        FormShow();
        FormActivate();
    }
}

void TForm4::FormShow()
{
    resize(Panel11->width() - 2, Panel11->height());
    ListBox1.clear();
    ListBox2.clear();
    SearchBase = Edit2.isEmpty() ? BookFolder + u'/' : withTrailingSlash(Edit2);
}

void TForm4::FormActivate()
{
    Panel11->show();
    Panel11->raise();
    LastSearchText = Edit1->text();
    BitBtn1->setFocus();
    setResults({});
    ListBox1.clear();
    ListBox2.clear();
    if (cache_.holds(SearchBase)) {
        ListBox1 = cache_.saved().paths;
        ListBox2 = cache_.saved().titles;
        finishActivation();
        return;
    }
    walk_ = std::make_unique<TitleIndexWalk>(SearchBase);
    beeped_ = 0;
    Pup->setEnabled(false); // only Esc answers while the walk runs

    walkRunner_.start([this](QDeadlineTimer deadline) { return walk_->run(deadline); });
}

void TForm4::walkSlice()
{
    Panel11->setText(walk_->lastTitle());
    for (; beeped_ < walk_->unreadable().size(); ++beeped_)
        QApplication::beep();
}

void TForm4::walkFinished()
{
    Pup->setEnabled(true);
    cache_.store(SearchBase, walk_->found());
    ListBox1 = walk_->found().paths;
    ListBox2 = walk_->found().titles;
    walk_.reset();
    finishActivation();
}

void TForm4::finishActivation()
{
    // ListBox1/ListBox2 hold the saved index here; its order per mode is kept with it.
    if (!cache_.saved().isEmpty()) {
        Panel11->setText(QStringLiteral("ソート中!!"));
        Panel11->repaint();
    }
    const TitleList &index = cache_.sorted(Tag);
    ListBox1 = index.paths;
    ListBox2 = index.titles;
    setResults(index);
    Edit1->setFocus();
    if (!ResultPaths.isEmpty()) {
        ResultTitles->setCurrentRow(0);
        ListBox2Click();
    }
    if (Tag == SearchMode::LookTitle)
        RunSearch();
    Panel11->hide();
    // Client area on the main window's client area: frame positions are unknown before a first show.
    if (parentWidget())
        setGeometry(QRect(parentWidget()->window()->geometry().topLeft(), QSize(911, 600)));
    else
        resize(911, 600);
}

void TForm4::setResults(const TitleList &results)
{
    ResultPaths = results.paths;
    resultTitles_ = results.titles;
    ResultTitles->clear();
    ResultTitles->addItems(results.titles);
    Label1->setText(QString::number(results.size()));
}

void TForm4::setSearching(bool searching)
{
    for (QWidget *w : {static_cast<QWidget *>(BitBtn5), static_cast<QWidget *>(Edit1), static_cast<QWidget *>(BitBtn1),
                       static_cast<QWidget *>(BitBtn4), static_cast<QWidget *>(BitBtn2)})
        w->setEnabled(!searching);
}

void TForm4::RunSearch()
{
    const TitleList current{ResultPaths, resultTitles_};
    ListBox1 = current.paths; // the undo copy for "１つ前"
    ListBox2 = current.titles;
    search_ = std::make_unique<ResultSearch>(Tag, SearchBase, current, splitSearchTerms(Edit1->text()), Label2);
    if (Tag != SearchMode::BodyText) {
        search_->run(); // titles only: no page is read
        searchFinished();
        return;
    }
    setSearching(true);
    searchRunner_.start([this](QDeadlineTimer deadline) { return search_->run(deadline); });
}

void TForm4::searchFinished()
{
    setSearching(false);
    if (search_->failed()) {
        Label1->setText(QString::number(ResultPaths.size()));
        prompt_.warning(this, QStringLiteral("ページを読めないので検索を中止しました: ") + search_->error()
                        + QStringLiteral("。検索結果はそのままです。"));
        Edit1->setFocus();
        return;
    }
    setResults(search_->matches());
    if (!ResultPaths.isEmpty()) {
        ResultTitles->setCurrentRow(0);
        ListBox2Click();
    }
    Edit1->setFocus();
}

void TForm4::ListBox2Click()
{
    const int row = ResultTitles->currentRow();
    if (row < 0 || row >= ResultPaths.size())
        return;
    const QString path = SearchBase + ResultPaths.at(row);
    const QString url = fileUrl(path);
    setWindowTitle(url);
    emit PagePreviewed(path, url);
    WebBrowser1->Navigate(QUrl::fromLocalFile(path), NavigationStart::localBookPage()); // a result of the book's search
}

void TForm4::BitBtn5Click()
{
    Tag = SearchMode::BodyText;
    FormActivate();
}

void TForm4::BitBtn1Click()
{
    LastSearchText = Edit1->text();
    Tag = SearchMode::BodyText;
    RunSearch();
}

void TForm4::BitBtn4Click()
{
    setResults({ListBox1, ListBox2});
    Edit1->setText(LastSearchText);
    Edit1->setFocus();
}

void TForm4::BitBtn2Click()
{
    if (ResultPaths.isEmpty())
        reject();
    else
        accept();
}

void TForm4::BitBtn3Click()
{
    setWindowTitle(QString());
    reject();
}

void TForm4::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        BitBtn3Click(); // "戻る" is the window's cancel button
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TForm4::eventFilter(QObject *watched, QEvent *event)
{
    if (holdingInput_ && event->spontaneous() && holdsBack(watched, event))
        return true;
    static const int movingKeys[] = {Qt::Key_Up,       Qt::Key_Down, Qt::Key_PageUp,
                                     Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
    if (watched != ResultTitles || event->type() != QEvent::KeyPress || forwardingKey_
        || std::find(std::begin(movingKeys), std::end(movingKeys), static_cast<QKeyEvent *>(event)->key())
            == std::end(movingKeys))
        return QDialog::eventFilter(watched, event);
    // The list moves first; a result reached with the keys is previewed as a click would.
    const int before = ResultTitles->currentRow();
    forwardingKey_ = true;
    QCoreApplication::sendEvent(ResultTitles, event);
    forwardingKey_ = false;
    if (ResultTitles->currentRow() != before)
        ListBox2Click();
    return true;
}

void TForm4::WebBrowser1BeforeNavigate2(const QUrl &url, bool &cancel)
{
    // Command links are neither followed nor run in the preview.
    if (url.toString().contains(u'$'))
        cancel = true;
}

void TForm4::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TForm4::FormClose()
{
    // A walk cut short saves nothing: the index stays stale and the next use walks again.
    walkRunner_.cancel();
    walk_.reset();
    Pup->setEnabled(true);
    if (searchRunner_.isRunning()) {
        searchRunner_.cancel();
        search_.reset(); // no more pages are read for it
        setSearching(false);
    }
    Edit2.clear();
    if (!ResultPaths.isEmpty()) {
        ListBox1 = ResultPaths;
        ListBox2 = resultTitles_;
    }
    setResults({});
    Panel11->hide();
}

void TForm4::showAndClose()
{
    // Not modal while it walks: the keys of a window blocked by a modal one never reach the
    // program, and the keyboard often stays with the main window. Esc must stop the walk wherever
    // it is pressed; any other input for the other windows is held back here instead.
    const Qt::WindowModality modality = windowModality();
    setWindowModality(Qt::NonModal);
    holdingInput_ = true;
    qApp->installEventFilter(this);
    show();
    walkRunner_.wait();
    qApp->removeEventFilter(this);
    holdingInput_ = false;
    close();
    setWindowModality(modality);
}

bool TForm4::holdsBack(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            if (walkRunner_.isRunning())
                BitBtn3Click();
            return true;
        }
        break;
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Close:
        break;
    default:
        return false;
    }
    // This window's own input passes.
    if (auto *widget = qobject_cast<QWidget *>(watched))
        return widget->window() != this;
    return watched != static_cast<QObject *>(windowHandle());
}

LookResult TForm4::LookSearch(const QString &words, const QString &askingPage)
{
    Tag = SearchMode::LookTitle;
    Label2 = askingPage;
    Edit1->setText(words);
    showAndClose();
    return {ListBox1, ListBox2, Caption()};
}

LookTitleIndex TForm4::LinkTitleIndex(const QString &currentPagePath)
{
    Tag = SearchMode::TitleLength;
    showAndClose();
    return {BookFolder, currentPagePath, ListBox1, ListBox2};
}

} // namespace sorvek
