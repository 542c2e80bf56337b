// TForm1: presentation mode, the file watch, shutdown and the home-page item.
#include "app/tform1.h"

#include "app/filestamp.h"
#include "commands/texthelpers.h"
#include "tools/maskzones.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>

namespace sorvek {

void TForm1::SetToolWindows(TForm11 *mask, TForm12 *memo)
{
    Form11 = mask;
    Form12 = memo;
    if (!Form11)
        return;
    Form11->PageCount = [this] { return PageCount(); };
    Form11->PageIndex = [this] { return PageIndex(); };
    Form11->RunCommand = [this](const QString &command) { RunCommand(command); };
    Form11->BlankScreenShown = [this] { return Panel4Tag > 0; };
    Form11->InputBlocked = [this] { return !isEnabled() || QApplication::activeModalWidget() != nullptr; };
    Form11->ShowBlankScreen = [this] {
        AlignPanel::setAlign(Panel4, Align::Client);
        Panel4->show();
        Panel4->raise();
        Panel4Tag = 1;
    };
    Form11->HideBlankScreen = [this] {
        Panel4->hide();
        Panel4Tag = 0;
    };
}

void TForm1::SpeedButton1MouseDown(Qt::MouseButton button)
{
    AlignPanel::setAlign(Panel4, Align::Client);
    Panel4->hide();
    Panel4Tag = 0;
    if (button == Qt::RightButton) {
        AlignPanel::setAlign(kabeBASE, Align::None);
        kabeBASE->resize(BaseWidth, BaseHeight);
        showNormal();
        FormResize();
        if (Form11)
            Form11->close();
        Timer2->stop();
    } else {
        AlignPanel::setAlign(kabeBASE, Align::Client);
        showMaximized();
        Timer2->start(1000);
    }
    if (Form11)
        Form11->Tag = 0;
}

void TForm1::Timer2Timer()
{
    Timer2->stop();
    QPalette black = Panel4->palette();
    black.setColor(QPalette::Window, Qt::black);
    Panel4->setPalette(black);
    if (!Form11 || Form11->Tag != 0)
        return;
    Form11->Tag = 1;
    placeMaskHole();
    Form11->show();
}

// The hole shows the whole content (side menu, page, button column, bottom bar), wherever the
// window stands on the screen: it follows the window while the mask is up.
void TForm1::placeMaskHole()
{
    if (!Form11 || !kabeBASE)
        return;
    MaskPanels panels;
    panels.kabeBASE = QRect(kabeBASE->mapToGlobal(QPoint(0, 0)), kabeBASE->size());
    panels.kabe = kabe->geometry();
    panels.hyoushiupWidth = hyoushiup->width();
    panels.kabeRightWidth = kabeRight->width();
    panels.kabedownHeight = kabedown->height();
    Form11->SetPageArea(maskHoleRect(panels));
}

void TForm1::moveEvent(QMoveEvent *event)
{
    AlignPanel::moveEvent(event);
    if (Form11 && Form11->isVisible())
        placeMaskHole();
}

void TForm1::FormMouseDown(Qt::MouseButton button, int y)
{
    if (button == Qt::RightButton) {
        showNormal();
        return;
    }
    showMaximized();
    if (Form11)
        Form11->Tag = 0;
    Timer2->start(1000);
    AlignPanel::setAlign(Panel4, Align::Client);
    Panel4->hide();
    Panel4Tag = 0;
    if (y > height() / 2)
        RunCommand(PageIndex() < PageCount() - 1 ? QStringLiteral("NEXT") : QStringLiteral("TOP"));
    else if (PageIndex() > 0)
        RunCommand(QStringLiteral("BACK"));
}

void TForm1::mousePressEvent(QMouseEvent *event)
{
    // Only the window's own black surface turns pages: a press that a panel, a picture or the
    // blank screen left unhandled comes up here too, and is not meant for it.
    const QPoint at = event->position().toPoint();
    if (childAt(at)) {
        event->ignore();
        return;
    }
    FormMouseDown(event->button(), at.y());
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Panel4 && event->type() == QEvent::MouseButtonRelease)
        Panel4MouseUp();
    return AlignPanel::eventFilter(watched, event);
}

void TForm1::Panel4MouseUp()
{
    Panel4->hide();
    Panel4Tag = 0;
    if (Form11)
        Form11->Tag = 0;
}

void TForm1::Panel4Resize()
{
    Image4->move((Panel4->width() - Image4->width()) / 2, (Panel4->height() - Image4->height()) / 2);
}

void TForm1::RememberShown(const QString &which, const QString &url)
{
    const QString path = urlToLocalPath(url);
    Timer5->stop();
    const FileStampResult stamp = fileStamp(path);
    StampLatency = stamp.latencyMs;
    if (!stamp.stamp.isEmpty()) {
        if (which == QLatin1String("Web1")) {
            ShownPagePath = path;
            ShownPageStamp = stamp.stamp;
        } else {
            ShownMenuPath = path;
            ShownMenuStamp = stamp.stamp;
        }
    }
    Timer5->start();
}

void TForm1::Timer5Timer()
{
    Timer5->stop();
    const QString pagePath = urlToLocalPath(windowTitle());
    const FileStampResult page = fileStamp(pagePath);
    if (!page.stamp.isEmpty() && pagePath == ShownPagePath && page.stamp != ShownPageStamp) {
        WebBrowser1->Refresh();
        ShownPageStamp = page.stamp;
    }
    const QString menuPath = BookFolder + QStringLiteral("/_index.html");
    const FileStampResult menu = fileStamp(menuPath);
    StampLatency = menu.latencyMs;
    if (!menu.stamp.isEmpty() && menuPath == ShownMenuPath && menu.stamp != ShownMenuStamp) {
        WebBrowser4->Refresh();
        ShownMenuStamp = menu.stamp;
    }
    Timer5->setInterval(watchInterval(StampLatency));
    Timer5->start();
}

bool TForm1::FormCloseQuery()
{
    // The memo is stored before anything else goes; a memo that cannot be stored keeps the
    // program open, as its window says.
    if (Form12 && Form12->Tag > 0 && !Form12->close())
        return false;
    showNormal();
    return true;
}

void TForm1::FormClose()
{
    PageButtons.clear();
    levels_.clear();
    Timer5->stop();
    QApplication::beep();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (BatchMode == 0 && !FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    // The program ends with its main window: a window of its own left open would keep it running.
    if (Form11)
        Form11->close();
    if (Form6)
        Form6->close();
    event->accept();
}

void TForm1::Sorvek1Click()
{
    PageDirection = 0;
    WebBrowser1->Navigate(QUrl(webAddresses().homeUrl()), NavigationStart::web());
}

} // namespace sorvek
