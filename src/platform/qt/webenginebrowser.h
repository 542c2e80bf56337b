#pragma once
// The browser control over Qt WebEngine.
#include "platform/browser_ui.h"
#include "platform/navigationtrail.h"

#include <QWebEnginePage>

#include <memory>

class QWebEngineLoadingInfo;
class QWebEngineNewWindowRequest;
class QWebEngineView;

namespace sorvek {

// Turns the engine's navigation requests, of every frame, into the before-navigate event with a
// cancel flag, and keeps the trust of each navigation from who started it.
class SorvekPage : public QWebEnginePage {
    Q_OBJECT
public:
    explicit SorvekPage(QObject *parent = nullptr);

    void load(const QUrl &url, const NavigationStart &start);
    // Valid while navigationRequested is emitted.
    const NavigationStart &currentNavigation() const { return current_; }
    CommandOrigin documentOrigin() const { return trail_.documentOrigin(); }
    // The address of the last document that loaded.
    QUrl loadedUrl() const { return loadedUrl_; }

signals:
    void navigationRequested(const QUrl &url, bool &cancel);
    void documentLoaded(const QUrl &url);
    // A download of the current document ended without a document: stopped, failed or refused.
    void downloadEnded();

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int, const QString &) override {}

private:
    void onLoadingChanged(const QWebEngineLoadingInfo &info);
    void onNewWindowRequested(QWebEngineNewWindowRequest &request);
    // Asks the before-navigate event about an address the page will not open itself.
    void judgeUnopened(const QUrl &url, const NavigationStart &start);

    NavigationTrail trail_;
    NavigationStart current_ = NavigationStart::web();
    QUrl loadedUrl_;
};

class WebEngineBrowser : public BrowserControl {
    Q_OBJECT
public:
    explicit WebEngineBrowser(QWidget *parent = nullptr);
    ~WebEngineBrowser() override;

    void Navigate(const QUrl &url, const NavigationStart &start) override;
    void Refresh() override;
    void Stop() override;
    void GoBack() override;
    void GoForward() override;
    void PrintPreview() override;
    QUrl LocationURL() const override;
    NavigationStart CurrentNavigation() const override { return page_->currentNavigation(); }
    CommandOrigin DocumentOrigin() const override { return page_->documentOrigin(); }
    void BodyHtml(std::function<void(const QString &)> done) override;
    void FindText(const QString &text, std::function<void(bool found)> done) override;
    void ScrollIntoView(bool top, std::function<void()> done = {}) override;
    void PrintTo(QPrinter *printer, std::function<void(bool ok)> done) override;

    QWebEngineView *view() const { return view_; }

private:
    void onDocumentLoaded();
    void showContextMenu(const QPoint &at);

    QWebEngineView *view_;
    SorvekPage *page_;
    // Cleared first when the control goes: the engine answers pending scripts while its page is
    // destroyed, after the forms that asked are gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace sorvek
