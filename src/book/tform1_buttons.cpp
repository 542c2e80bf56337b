// TForm1: the page-button column, showing a page, and the bottom bar's page controls.
#include "app/tform1.h"

#include "book/pagebuttonface.h"
#include "book/pagebuttonlayout.h"
#include "book/pagelocation.h"
#include "commands/texthelpers.h"

#include <QFileInfo>

namespace sorvek {

namespace {

constexpr int kPanel7Width = 49;  // the page-number panel at its narrowest

QUrl urlOf(const QString &text)
{
    return isWebAddress(text) ? QUrl(text) : QUrl::fromLocalFile(urlToLocalPath(text));
}

} // namespace

void TForm1::attachPageButtons()
{
    PageButtons.attach(ScrollBox1, [this](PageButton *button) {
        connect(button, &PageButton::MouseDown, this,
                [this, button](Qt::MouseButton b, QPoint pos) { PageButtonMouseDown(button, b, pos); });
        connect(button, &PageButton::KeyPress, this, &TForm1::PageButtonKeyPress);
        connect(button, &PageButton::DialogKey, this, &TForm1::CMDialogKey);
        connect(button, &PageButton::Enter, this, [this, button] { PageButtonEnter(button); });
    });
}

void TForm1::RebuildPageButtons()
{
    kabeBrowser->show();
    PageButtons.clear();
    CreatePageButtons();
}

void TForm1::FitBrowsers(bool show)
{
    Image1->setVisible(show);
    kabeKR->resize(kabeKR->width(), 0);
    WebBrowser1->setGeometry(-2, kabeBrowser->y() - 2, kabeBrowser->width() + 24, kabeBrowser->height() + 20);
    WebBrowser2->resize(WebBrowser2->width(), 0);
    WebBrowser3->resize(WebBrowser3->width(), 0);
    SnapshotShown = show;
}

void TForm1::CreatePageButtons()
{
    // The buttons read the titles of the level as it is now, whenever they come into sight.
    PageButtons.reset(PageCount(), [titles = levels_.titleList(), folder = levels_.topFolder()](int i) {
        return PageButtonFace::forNewButton(titles.value(i), i, folder);
    });
}

void TForm1::RefreshPageButton(int i)
{
    if (const std::optional<PageButtonFace> face = refreshedPageButtonFace(levels_, i))
        PageButtons.refresh(i, *face);
}

void TForm1::placeButtons(bool shiftCurrent)
{
    PageButtons.placeCurrent(PageIndex(), HighlightCurrent, shiftCurrent);
}

void TForm1::fitPageButtons()
{
    PageButtons.fitWidth();
}

void TForm1::ShowPage(bool navigate)
{
    PreviousPageIndex = PageIndex();
    if (Form6 && !Form6->Caption().isEmpty())
        Form6->close();
    UpdateArchiveButton();
    kabeBrowser->show();
    PageStep = 0;
    if (PageCount() == 0) {
        const QString help = levels_.topFolder() + HelpFileName;
        if (QFileInfo(help).isFile()) {
            WebBrowser1->Navigate(QUrl::fromLocalFile(help), pageShowStart(true));
        } else {
            levels_.setTitlesStale(true);
            showPageNumber();
            WebBrowser1->Navigate(QUrl(webAddresses().newsUrl()), NavigationStart::web());
        }
        return;
    }
    levels_.wrapPageIndex();
    FitBrowsers(false);
    placeButtons(false);
    PageButton *current = PageButtons.value(PageIndex());  // brought into sight
    if (!navigate)
        return;
    runner_.resetPageCounter();
    const PageLocation location = locatePage(levels_.currentPageReference(), levels_.topFolder(), CurrentPagePath);
    CurrentPagePath = location.path;
    CurrentPageURL = location.url;
    if (current) {
        current->setFocus();
        placeButtons(true);
    }
    RememberShown(QStringLiteral("Web1"), CurrentPageURL);
    // The number goes with the button's highlight into one repaint of the window; the download's
    // end, which sets it too, then has nothing left to repaint before the page.
    showPageNumber();
    WebBrowser1->Navigate(urlOf(CurrentPageURL), pageShowStart(!location.web && QFileInfo(location.path).isFile()));
    setWindowTitle(CurrentPageURL);
}

void TForm1::PageButtonMouseDown(PageButton *button, Qt::MouseButton mouseButton, QPoint pos)
{
    // The page tools of the popup rename, move and delete files: the memo is stored first.
    if (mouseButton == Qt::RightButton && !CloseMemoForPageTool())
        return;
    LastLoadedURL.clear();
    WebBrowser1->Stop();
    const int oldIndex = PageIndex();
    const int tag = button->property("Tag").toInt();
    // Where the press was on the screen: showing the page moves the button it was on.
    const QPoint pressedAt = button->mapToGlobal(pos);
    PageDirection = tag < PreviousPageIndex ? -1 : (tag > PreviousPageIndex ? 1 : 0);
    SetPageIndex(tag);
    if (levels_.titlesStale()) {
        TiteleLoad(PageIndex());
        levels_.setTitlesStale(false);
    }
    if (mouseButton == Qt::RightButton) {
        HighlightCurrent = false;
        if (PageIndex() != oldIndex)
            ShowPage(true);
        FreePagePopup();
        BuildPagePopup();
        if (!pagePopup_ || pagePopup_->isEmpty()) {
            HighlightCurrent = true;
            ShowPage(true);
            return;
        }
        pagePopup_->popup(pressedAt);
        return;
    }
    HighlightCurrent = true;
    Image1->hide();
    RefreshPageButton(PageIndex());
    ShowPage(true);
}

void TForm1::PageButtonKeyPress(int key)
{
    if (key == Qt::Key_Escape)
        SetPageIndex(0);
    HighlightCurrent = true;
    ShowPage(true);
}

void TForm1::PageButtonEnter(PageButton *button)
{
    SetPageIndex(button->property("Tag").toInt());
}

void TForm1::CMDialogKey(int key)
{
    const int n = PageCount();
    if (n == 0)
        return;
    const int i = PageIndex();
    int to = i;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (PageButtons.live(i) && PageButtons.live(i)->hasFocus())
            ShowPage(true);
        return;
    case Qt::Key_Tab:
    case Qt::Key_Right:
    case Qt::Key_Down:
        to = i + 1;
        break;
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Up:
        to = i - 1;
        break;
    default:
        return;
    }
    if (to < 0 || to >= n)
        return;
    // By page index from wherever the focus is; the page is selected also while the window is
    // inactive and its focus-in comes later.
    SetPageIndex(to);
    if (PageButton *next = PageButtons.at(to))
        next->setFocus(to > i ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

bool TForm1::focusNextPrevChild(bool)
{
    // Qt's focus chain runs in the order the buttons were made as they came into sight: a focus
    // handed on without a dialog key (the engine passing it out of the page, a hidden button) goes
    // to the current page's button and never selects another page.
    PageButton *current = PageButtons.live(PageIndex());
    if (current && current->isVisible())
        current->setFocus(Qt::OtherFocusReason);
    return true;
}

void TForm1::WebBrowser1DownloadComplete()
{
    if (PageButtons.isEmpty())
        return;
    showPageNumber();
    if (PageButton *current = PageButtons.value(PageIndex()))
        current->setFocus();
}

void TForm1::showPageNumber()
{
    const QString text = pageNumberText(PageIndex(), PageCount());
    Panel7->setText(text);
    // The panel grows with the numbers of a large level rather than cutting them.
    const int wanted = std::max(kPanel7Width, Panel7->fontMetrics().horizontalAdvance(text) + 8);
    if (Panel7->width() != wanted) {
        Panel7->resize(wanted, Panel7->height());
        kabedownResize();
    }
}

void TForm1::Image10MouseDown(Qt::MouseButton button)
{
    if (button == Qt::RightButton) {
        GoHome();
        kabeRightResize();
        LoadSideMenu();
        return;
    }
    if (isWebAddress(windowTitle()))
        WebBrowser1->Refresh();
    else
        ShowPage(true);
}

void TForm1::Image6MouseUp(Qt::MouseButton)
{
    if (RightButtonFlag)
        WebBrowser1->GoBack();
    else
        RunCommand(QStringLiteral("BACK"));
}

void TForm1::Image7MouseUp(Qt::MouseButton)
{
    if (RightButtonFlag)
        WebBrowser1->GoForward();
    else
        RunCommand(QStringLiteral("NEXT"));
}

} // namespace sorvek
