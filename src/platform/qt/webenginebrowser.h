#pragma once
// The browser control over Qt WebEngine.
#include "platform/browser_ui.h"

#include <QWebEnginePage>

class QWebEngineView;

namespace sorvek {

// Turns the engine's navigation requests into the before-navigate event with a cancel flag.
class SorvekPage : public QWebEnginePage {
    Q_OBJECT
public:
    using QWebEnginePage::QWebEnginePage;

signals:
    void navigationRequested(const QUrl &url, bool &cancel);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    // Links with target=_blank stay in the same view.
    QWebEnginePage *createWindow(WebWindowType type) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int, const QString &) override {}
};

class WebEngineBrowser : public BrowserControl {
    Q_OBJECT
public:
    explicit WebEngineBrowser(QWidget *parent = nullptr);

    void Navigate(const QUrl &url) override;
    void Refresh() override;
    void Stop() override;
    void GoBack() override;
    void GoForward() override;
    void PrintPreview() override;
    QUrl LocationURL() const override;
    void BodyHtml(std::function<void(const QString &)> done) override;
    void FindText(const QString &text, std::function<void(bool found)> done) override;
    void ScrollIntoView(bool top) override;
    void PrintTo(QPrinter *printer, std::function<void(bool ok)> done) override;

    QWebEngineView *view() const { return view_; }

private:
    void onLoadFinished(bool ok);

    QWebEngineView *view_;
    SorvekPage *page_;
};

} // namespace sorvek
