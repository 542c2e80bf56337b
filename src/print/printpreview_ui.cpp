#include "print/printpreview_ui.h"

#include "platform/browser_ui.h"

namespace sorvek {

PrintPreviewHandshake::PrintPreviewHandshake(BrowserControl *browser, QObject *parent)
    : QObject(parent), browser_(browser)
{
    connect(browser_, &BrowserControl::DocumentComplete, this, &PrintPreviewHandshake::WebBrowser3DocumentComplete);
}

void PrintPreviewHandshake::start(const QString &documentPath, bool zeroHeight)
{
    Tag = 1;
    if (zeroHeight)
        browser_->resize(browser_->width(), 0);
    browser_->Navigate(QUrl::fromLocalFile(documentPath), NavigationStart::localBookPage()); // made from the book's pages
}

void PrintPreviewHandshake::WebBrowser3DocumentComplete()
{
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
    emit previewOpening();
    browser_->PrintPreview();
    emit previewClosed();
}

} // namespace sorvek
