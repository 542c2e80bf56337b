#include "print/printpreview_ui.h"

#include "platform/browser_ui.h"

#include <utility>

namespace sorvek {

PrintPreviewHandshake::PrintPreviewHandshake(BrowserControl *browser, QObject *parent)
    : QObject(parent), browser_(browser)
{
    connect(browser_, &BrowserControl::DocumentComplete, this, &PrintPreviewHandshake::WebBrowser3DocumentComplete);
}

void PrintPreviewHandshake::start(const QString &documentPath, bool zeroHeight)
{
    // The preview paints from the print browser for seconds: a document asked for meanwhile
    // waits, so that no load replaces the one being printed.
    if (previewing_) {
        queued_ = {documentPath, zeroHeight};
        return;
    }
    Tag = 1;
    document_ = documentPath;
    if (zeroHeight)
        browser_->resize(browser_->width(), 0);
    browser_->Navigate(QUrl::fromLocalFile(documentPath), NavigationStart::localBookPage()); // made from the book's pages
}

void PrintPreviewHandshake::WebBrowser3DocumentComplete(const QUrl &url)
{
    if (!url.isLocalFile() || url.toLocalFile() != document_)
        return;
    // The engine reloads asynchronously: the preview waits for the reloaded document, so it
    // never prints a page that is still loading.
    if (Tag == 1) {
        Tag = 2;
        browser_->Refresh();
        return;
    }
    if (Tag != 2)
        return;
    Tag = 0;
    previewing_ = true;
    emit previewOpening();
    browser_->PrintPreview();
    emit previewClosed();
    previewing_ = false;
    if (const auto next = std::exchange(queued_, std::nullopt))
        start(next->first, next->second);
}

} // namespace sorvek
