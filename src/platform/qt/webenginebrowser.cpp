#include "platform/qt/webenginebrowser.h"

#include "commands/texthelpers.h"

#include <QAction>
#include <QChildEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonArray>
#include <QMenu>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace sorvek {

namespace {

NavigationTrail::Kind kindOf(QWebEnginePage::NavigationType type)
{
    switch (type) {
    case QWebEnginePage::NavigationTypeTyped:
        return NavigationTrail::Kind::Program;
    case QWebEnginePage::NavigationTypeRedirect:
        return NavigationTrail::Kind::Redirect;
    case QWebEnginePage::NavigationTypeBackForward:
        return NavigationTrail::Kind::History;
    case QWebEnginePage::NavigationTypeReload:
        return NavigationTrail::Kind::Reload;
    case QWebEnginePage::NavigationTypeLinkClicked:
    case QWebEnginePage::NavigationTypeFormSubmitted:
        return NavigationTrail::Kind::Document;
    default:
        return NavigationTrail::Kind::Other;
    }
}

// Refuses every drag and drop on the view and on the engine's widgets inside it: a dropped link
// would navigate the view on behalf of whatever it was dragged from.
class DropRefusal : public QObject {
public:
    using QObject::QObject;

    void watch(QWidget *widget)
    {
        widget->setAcceptDrops(false);
        widget->installEventFilter(this);
        for (QWidget *child : widget->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            watch(child);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::ChildAdded:
            if (auto *child = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child()))
                watch(child);
            return false;
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            event->ignore();
            static_cast<QDropEvent *>(event)->setDropAction(Qt::IgnoreAction);
            return true;
        default:
            return QObject::eventFilter(watched, event);
        }
    }
};

} // namespace

SorvekPage::SorvekPage(QObject *parent)
    : QWebEnginePage(parent)
{
    connect(this, &QWebEnginePage::loadingChanged, this, &SorvekPage::onLoadingChanged);
    // Links with target=_blank and window.open stay in this view, started by the document that
    // asked. Adopting the engine's new page instead would drop the shown document and its
    // history, leaving the view blank when the navigation is cancelled.
    connect(this, &QWebEnginePage::newWindowRequested, this, &SorvekPage::onNewWindowRequested);
}

void SorvekPage::onNewWindowRequested(QWebEngineNewWindowRequest &request)
{
    const QUrl url = request.requestedUrl();
    // The request names no frame: it gets the least trust of any document the page holds.
    const NavigationStart start{trail_.pageOrigin()};
    // A script's own document (blob:, data:) would replace the page under the address it had.
    const QString scheme = url.scheme();
    if (url.isEmpty() || scheme == u"blob" || scheme == u"data" || scheme == u"about" || scheme == u"javascript")
        return;
    if (start.origin.isWeb() && !isHttpAddress(url.toString())) {
        // Judged like a link of that document, which it would take only on the web.
        judgeUnopened(url, start);
        return;
    }
    load(url, start);
}

void SorvekPage::judgeUnopened(const QUrl &url, const NavigationStart &start)
{
    current_ = start;
    bool cancel = true;
    emit navigationRequested(url, cancel);
    current_ = NavigationStart::web();
}

void SorvekPage::load(const QUrl &url, const NavigationStart &start)
{
    trail_.programRequested(url, start);
    QWebEnginePage::load(url);
}

bool SorvekPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    current_ = trail_.startOf(url, kindOf(type), isMainFrame);
    bool cancel = false;
    emit navigationRequested(url, cancel);
    if (!cancel) {
        trail_.accepted(url, current_);
        // A document shown for the web reads no file of this machine and, being local, reaches
        // no web server either: set before it starts, so its document is made with it.
        if (isMainFrame) {
            const bool local = !current_.origin.isWeb();
            settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, local);
            settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, local);
        }
    }
    current_ = NavigationStart::web();
    return !cancel;
}

void SorvekPage::onLoadingChanged(const QWebEngineLoadingInfo &info)
{
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        return;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        trail_.loaded(info.url());
        loadedUrl_ = info.url();
        emit documentLoaded(info.url());
        return;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
    case QWebEngineLoadingInfo::LoadFailedStatus:
        trail_.ended(info.url());
        emit downloadEnded();
        // The engine hands nothing it cannot show to the desktop and ends such a load without
        // asking first: judged now as a link of the least trusted document of the page.
        if (isDesktopAddress(info.url().toString())) {
            judgeUnopened(info.url(), NavigationStart{trail_.pageOrigin()});
        }
        return;
    }
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
    // Book pages shown for the book are local files that load their pictures, scripts and variable
    // files beside them, and show pictures and frames from the web; each navigation sets the file
    // access of its document by its trust (SorvekPage), none until then. Nothing the engine does
    // not show itself goes to the desktop, and nothing dropped on the view navigates it.
    page_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    page_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    page_->settings()->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    page_->settings()->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    page_->settings()->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
    view_->setPage(page_);
    setAcceptDrops(false);
    (new DropRefusal(this))->watch(view_);
    // The engine's own menu would go back, reload, save or open links in windows of their own.
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_, &QWidget::customContextMenuRequested, this, &WebEngineBrowser::showContextMenu);
    connect(page_, &SorvekPage::navigationRequested, this, &WebEngineBrowser::BeforeNavigate2);
    connect(page_, &SorvekPage::documentLoaded, this, &WebEngineBrowser::onDocumentLoaded);
    connect(page_, &SorvekPage::downloadEnded, this, &WebEngineBrowser::DownloadComplete);
}

WebEngineBrowser::~WebEngineBrowser()
{
    *alive_ = false;
}

void WebEngineBrowser::showContextMenu(const QPoint &at)
{
    QMenu *menu = view_->createStandardContextMenu();
    const QList<QAction *> kept = {page_->action(QWebEnginePage::Copy), page_->action(QWebEnginePage::SelectAll)};
    for (QAction *action : menu->actions()) {
        if (!kept.contains(action))
            menu->removeAction(action);
    }
    if (menu->actions().isEmpty()) {
        delete menu; // a link or a picture offers nothing that is kept: no menu at all
        return;
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(view_->mapToGlobal(at));
}

void WebEngineBrowser::onDocumentLoaded()
{
    emit DownloadComplete();
    emit DocumentComplete(page_->loadedUrl());
}

void WebEngineBrowser::Navigate(const QUrl &url, const NavigationStart &start)
{
    view_->show();
    page_->load(url, start);
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
    return page_->loadedUrl();
}

void WebEngineBrowser::BodyHtml(std::function<void(const QString &)> done)
{
    page_->runJavaScript(QStringLiteral("document.body ? document.body.innerHTML : ''"),
                         [done, alive = alive_](const QVariant &v) {
                             if (*alive)
                                 done(v.toString());
                         });
}

void WebEngineBrowser::FindText(const QString &text, std::function<void(bool found)> done)
{
    // The document's own find starts over from the top once the selection is gone, selects the
    // match and scrolls it into view; the engine's find would move on to the next match.
    const QString quoted = QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact));
    page_->runJavaScript(QStringLiteral("(function(t){var s=window.getSelection();if(s)s.removeAllRanges();"
                                        "return t.length>0&&window.find(t,false,false,false,false,false,false);})(%1[0])")
                             .arg(quoted),
                         [done, alive = alive_](const QVariant &found) {
                             if (*alive)
                                 done(found.toBool());
                         });
}

void WebEngineBrowser::ScrollIntoView(bool top, std::function<void()> done)
{
    page_->runJavaScript(top ? QStringLiteral("window.scrollTo(0, 0);")
                             : QStringLiteral("window.scrollTo(0, document.documentElement.scrollHeight);"),
                         [done, alive = alive_](const QVariant &) {
                             if (*alive && done)
                                 done();
                         });
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
    // The engine draws every page as a picture at the printer's resolution, and the preview keeps
    // them all: at 1200 dpi an A4 page is over 500 MB, so a merged print of a few pages ran out of
    // memory and showed an empty preview. 300 dpi prints text and pictures sharply at 35 MB a page.
    printer.setResolution(300);
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
