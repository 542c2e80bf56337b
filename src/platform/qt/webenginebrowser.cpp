#include "platform/qt/webenginebrowser.h"

#include <QEventLoop>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QVBoxLayout>
#include <QWebEngineFindTextResult>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace sorvek {

bool SorvekPage::acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame)
{
    if (!isMainFrame)
        return true;
    bool cancel = false;
    emit navigationRequested(url, cancel);
    return !cancel;
}

QWebEnginePage *SorvekPage::createWindow(WebWindowType)
{
    return this;
}

WebEngineBrowser::WebEngineBrowser(QWidget *parent)
    : BrowserControl(parent), view_(new QWebEngineView(this)), page_(new SorvekPage(view_))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    // The engine starts a renderer process for every page shown, even an empty one: the view
    // shows from the first navigation on.
    view_->hide();
    // Book pages are local files that load their pictures, scripts and variable files beside them.
    page_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    page_->settings()->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    view_->setPage(page_);
    connect(page_, &SorvekPage::navigationRequested, this, &WebEngineBrowser::BeforeNavigate2);
    connect(page_, &QWebEnginePage::loadFinished, this, &WebEngineBrowser::onLoadFinished);
}

void WebEngineBrowser::onLoadFinished(bool)
{
    emit DownloadComplete();
    emit DocumentComplete(page_->url());
}

void WebEngineBrowser::Navigate(const QUrl &url)
{
    view_->show();
    page_->load(url);
}

void WebEngineBrowser::Refresh()
{
    page_->triggerAction(QWebEnginePage::Reload);
}

void WebEngineBrowser::Stop()
{
    page_->triggerAction(QWebEnginePage::Stop);
}

void WebEngineBrowser::GoBack()
{
    page_->triggerAction(QWebEnginePage::Back);
}

void WebEngineBrowser::GoForward()
{
    page_->triggerAction(QWebEnginePage::Forward);
}

QUrl WebEngineBrowser::LocationURL() const
{
    return page_->url();
}

void WebEngineBrowser::BodyHtml(std::function<void(const QString &)> done)
{
    page_->runJavaScript(QStringLiteral("document.body ? document.body.innerHTML : ''"),
                         [done](const QVariant &v) { done(v.toString()); });
}

void WebEngineBrowser::FindText(const QString &text, std::function<void(bool found)> done)
{
    page_->findText(text, {}, [done](const QWebEngineFindTextResult &r) { done(r.numberOfMatches() > 0); });
}

void WebEngineBrowser::ScrollIntoView(bool top)
{
    page_->runJavaScript(top ? QStringLiteral("window.scrollTo(0, 0);")
                             : QStringLiteral("window.scrollTo(0, document.documentElement.scrollHeight);"));
}

void WebEngineBrowser::PrintTo(QPrinter *printer, std::function<void(bool ok)> done)
{
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(view_, &QWebEngineView::printFinished, this, [connection, done](bool ok) {
        disconnect(*connection);
        done(ok);
    });
    view_->print(printer);
}

void WebEngineBrowser::PrintPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, window());
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *target) {
        // The preview paints synchronously: wait here until the engine has printed.
        QEventLoop loop;
        PrintTo(target, [&loop](bool) { loop.quit(); });
        loop.exec();
    });
    preview.exec();
}

} // namespace sorvek
