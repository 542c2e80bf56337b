#pragma once
// A browser control that records what the forms ask of it and lets a test fire its events.
#include "platform/browser_ui.h"

#include <QStringList>

namespace fakes {

class FakeBrowser : public sorvek::BrowserControl {
    Q_OBJECT
public:
    using BrowserControl::BrowserControl;

    void Navigate(const QUrl &url) override
    {
        bool cancel = false;
        emit BeforeNavigate2(url, cancel);
        navigations.append(url.toString());
        if (!cancel)
            location = url;
    }
    void Refresh() override { ++refreshes; }
    void Stop() override { ++stops; }
    void GoBack() override { ++backs; }
    void GoForward() override { ++forwards; }
    void PrintPreview() override { ++previews; }
    QUrl LocationURL() const override { return location; }
    void BodyHtml(std::function<void(const QString &)> done) override { done(body); }
    void FindText(const QString &text, std::function<void(bool)> done) override
    {
        finds.append(text);
        done(body.contains(text));
    }
    void ScrollIntoView(bool top) override { scrolls.append(top ? QStringLiteral("top") : QStringLiteral("bottom")); }
    void PrintTo(QPrinter *, std::function<void(bool)> done) override { done(true); }

    // Ends the current navigation as the engine would.
    void complete()
    {
        emit DownloadComplete();
        emit DocumentComplete(location);
    }

    QStringList navigations, finds, scrolls;
    QUrl location;
    QString body;
    int refreshes = 0, stops = 0, backs = 0, forwards = 0, previews = 0;
};

} // namespace fakes
