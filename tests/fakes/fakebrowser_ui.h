#pragma once
// A browser control that records what the forms ask of it and lets a test fire its events.
#include "platform/browser_ui.h"

#include <QStringList>
#include <QTimer>

namespace fakes {

class FakeBrowser : public sorvek::BrowserControl {
    Q_OBJECT
public:
    using BrowserControl::BrowserControl;

    void Navigate(const QUrl &url, const sorvek::NavigationStart &start) override { ask(url, start); }
    // A link of the shown book page.
    void Navigate(const QUrl &url) { ask(url, sorvek::NavigationStart::localBookPage()); }
    void Refresh() override { ++refreshes; }
    void Stop() override { ++stops; }
    void GoBack() override { ++backs; }
    void GoForward() override { ++forwards; }
    void PrintPreview() override { ++previews; }
    QUrl LocationURL() const override { return location; }
    sorvek::NavigationStart CurrentNavigation() const override { return current; }
    sorvek::CommandOrigin DocumentOrigin() const override { return origin; }
    void BodyHtml(std::function<void(const QString &)> done) override { done(body); }
    void FindText(const QString &text, std::function<void(bool)> done) override
    {
        finds.append(text);
        done(body.contains(text));
    }
    void ScrollIntoView(bool top, std::function<void()> done = {}) override
    {
        scrolls.append(top ? QStringLiteral("top") : QStringLiteral("bottom"));
        if (done)
            done();
    }
    void PrintTo(QPrinter *, std::function<void(bool)> done) override { done(true); }

    void ask(const QUrl &url, sorvek::NavigationStart start)
    {
        if (!url.isLocalFile())
            start.origin = sorvek::CommandOrigin::WebPage;
        current = start;
        bool cancel = false;
        emit BeforeNavigate2(url, cancel);
        navigations.append(url.toString());
        if (!cancel) {
            location = url;
            origin = start.origin;
            return;
        }
        // The engine ends a refused navigation's download once the hook has returned.
        if (start.mainFrame)
            QTimer::singleShot(0, this, &FakeBrowser::DownloadComplete);
    }

    // Ends the current navigation as the engine would.
    void complete()
    {
        emit DownloadComplete();
        emit DocumentComplete(location);
    }

    QStringList navigations, finds, scrolls;
    QUrl location;
    sorvek::CommandOrigin origin = sorvek::CommandOrigin::WebPage;
    sorvek::NavigationStart current = sorvek::NavigationStart::web();
    QString body;
    int refreshes = 0, stops = 0, backs = 0, forwards = 0, previews = 0;
};

} // namespace fakes
