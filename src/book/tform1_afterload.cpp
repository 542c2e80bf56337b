// TForm1: what happens once the page browser has finished a document.
#include "app/tform1.h"

#include "app/pictures_ui.h"
#include "book/breadcrumb.h"
#include "book/linkpagescan.h"
#include "book/pagememo.h"
#include "book/pageslide.h"
#include "book/webcommandlist.h"
#include "print/resumerun.h"
#include "commands/textfile.h"
#include "commands/texthelpers.h"

#include <QFileInfo>

namespace sorvek {

void TForm1::WebBrowser1DocumentComplete(const QUrl &url)
{
    CurrentFolder = levels_.topFolder();
    Panel8->setText(folderName(CurrentFolder));
    WebBrowser1->setGeometry(WebBrowser1->x(), kabeBrowser->y() - 2, kabeBrowser->width() + 24, kabeBrowser->height() + 20);
    // The slide runs on a timer so that the window keeps painting while the page comes in.
    slideSteps_ = slidePositions(WebBrowser1->width(), PageDirection);
    PageDirection = 0;
    slideStep();
    const QString location = WebBrowser1->LocationURL().toString();
    if (needsPageWork(location, LastLoadedURL))
        pageWork(url);
    else if (!WebBrowser1->LocationURL().isLocalFile() && !isWebAddress(windowTitle()))
        setWindowTitle(location); // never a local address over a document that is not one
}

void TForm1::slideStep()
{
    if (slideSteps_.isEmpty()) {
        WebBrowser1->move(SlideRestingLeft, WebBrowser1->y());
        return;
    }
    WebBrowser1->move(slideSteps_.takeFirst(), WebBrowser1->y());
    if (!slideTimer_) {
        slideTimer_ = new QTimer(this);
        slideTimer_->setSingleShot(true);
        slideTimer_->setInterval(SlideStepMilliseconds);
        connect(slideTimer_, &QTimer::timeout, this, &TForm1::slideStep);
    }
    slideTimer_->start();
}

void TForm1::pageWork(const QUrl &url)
{
    const QString location = WebBrowser1->LocationURL().toString();
    LastLoadedURL = location;
    setWindowTitle(location);
    const QString localPath = urlToLocalPath(location);
    QString source;
    if (!localPath.isEmpty() && QFileInfo(localPath).isFile())
        source = readPageText(localPath).text;
    SyncPageMemo();
    PageSoundFile();
    if (BitBtn1->property("Tag").toInt() > 0 && !(resume_ && resume_->Tag() >= 1))
        Timer3->start();
    applyBreadcrumb();
    if (!linkScanRuns(HighlightCurrent, url.toString())) {
        HighlightCurrent = true;
        return;
    }
    HighlightCurrent = true;
    if (!source.isEmpty()) {
        linkScan(url, source);
        return;
    }
    WebBrowser1->BodyHtml([this, url](const QString &body) { linkScan(url, body); });
}

void TForm1::applyBreadcrumb()
{
    const Breadcrumb crumb = breadcrumbFor(levels_);
    Panel3->setVisible(crumb.visible);
    if (crumb.visible) {
        SpeedButton20->setIcon(pictures::imageList1(crumb.picture));
        Label1->setText(crumb.folderLabel);
    }
    if (crumb.hint)
        SpeedButton20->setToolTip(*crumb.hint);
}

void TForm1::linkScan(const QUrl &, const QString &source)
{
    const CommandOrigin origin = WebBrowser1->DocumentOrigin();
    const LinkScanResult scan =
        scanLoadedPage(source, WebBrowser1->LocationURL().toString(), CurrentFolder, origin);
    if (scan.openNotesPanel)
        WebBrowser2->Navigate(QUrl(CurrentPageURL), {origin});
    setWindowTitle(WebBrowser1->LocationURL().toString());
    // The resume photographs the pages of its own level: a link page is taken as it stands.
    if (resume_ && resume_->isRunning())
        return;
    HandleLinkPage(scan.linkPage);
}

void TForm1::HandleLinkPage(const LinkPageDecision &linkPage)
{
    // A web page's links lead only to the web: never into a file or a script of this machine.
    const LinkPageDecision decision = keepWebAddressesOfWebPage(linkPage);
    switch (decision.action) {
    case LinkPageDecision::Action::None:
        return;
    case LinkPageDecision::Action::Follow:
        PageStep = 1;
        if (!decision.caption.isEmpty())
            PageButtons.setCaption(PageIndex(), padCaption(decision.caption, 16));
        CurrentPageURL = decision.followUrl;
        RememberShown(QStringLiteral("Web1"), decision.followUrl);
        WebBrowser1->Navigate(isWebAddress(decision.followUrl) ? QUrl(decision.followUrl)
                                                              : QUrl::fromLocalFile(urlToLocalPath(decision.followUrl)),
                              {decision.origin});
        setWindowTitle(decision.followUrl);
        return;
    case LinkPageDecision::Action::RunCommands:
        PageStep = 1;
        RunLinkCommands(decision.commandList, decision.origin);
        return;
    case LinkPageDecision::Action::RefusedFromWebPage:
        ShowNotice(webRefusalNotice(decision.target), kWebRefusalNoticeMs);
        return;
    case LinkPageDecision::Action::NewLevel:
        openLinkLevel(levels_, decision);
        RebuildPageButtons();
        ShowPage(true);
        return;
    }
}

void TForm1::SyncPageMemo()
{
    if (!Form12)
        return;
    Form12->resize(799, 179);
    if (PageCount() == 0)
        return;
    Form12->SyncToMemoFile(pageMemoPath(levels_.topFolder(), levels_.currentPageReference()));
}

// Over the lower part of the page, its frame's lower edge on the bottom bar's upper edge, so that
// both the page's heading and the bar's buttons stay in sight. The client area is placed: the frame's
// size is unknown before a first show.
void TForm1::placeMemoWindow()
{
    const int lowerBorder = Form12->frameGeometry().bottom() - Form12->geometry().bottom();
    const int top = std::max(0, kabe->height() - Form12->height() - lowerBorder);
    Form12->setGeometry(QRect(kabe->mapToGlobal(QPoint(0, top)), Form12->size()));
}

void TForm1::textup(Qt::MouseButton)
{
    if (!Form12)
        return;
    switch (memoButtonAction(PageCount(), RightButtonFlag, Form12->Tag > 0)) {
    case MemoButtonAction::None:
        return;
    case MemoButtonAction::SyncAndShow:
        SyncPageMemo();
        placeMemoWindow();
        Form12->show();
        return;
    case MemoButtonAction::Close:
        Form12->close();
        return;
    }
}

void TForm1::WebBrowser2DocumentComplete()
{
    // One refresh; the refresh's own completion must not start another.
    if (refreshingNotes_) {
        refreshingNotes_ = false;
        return;
    }
    refreshingNotes_ = true;
    WebBrowser2->Refresh();
}

} // namespace sorvek
