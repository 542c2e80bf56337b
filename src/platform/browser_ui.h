#pragma once
// The embedded browser control the forms rely on: navigation with a cancellable before-navigate
// event, completion events, the location, reload, stop, history, print preview, and the text
// operations on the shown document. The document operations answer through callbacks because
// the engine answers asynchronously.
#include "commands/linkdispatcher.h"

#include <QUrl>
#include <QWidget>

#include <functional>

class QPrinter;

namespace sorvek {

class BrowserControl : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // start says who asks: the program shows a page on behalf of a level or a document of
    // the given trust. The shown document takes no more trust than that.
    virtual void Navigate(const QUrl &url, const NavigationStart &start) = 0;
    virtual void Refresh() = 0;
    virtual void Stop() = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    // Opens the print preview of the shown document (the control's ExecWB print preview).
    virtual void PrintPreview() = 0;
    // The address of the document last loaded (not of one still loading or stopped).
    virtual QUrl LocationURL() const = 0;
    // Who started the navigation that BeforeNavigate2 is asking about (valid during the event).
    virtual NavigationStart CurrentNavigation() const = 0;
    // The trust of the shown document: what its own links and its link-page handling may do.
    virtual CommandOrigin DocumentOrigin() const = 0;

    // The markup of the document's body ("" when there is no document or body).
    virtual void BodyHtml(std::function<void(const QString &)> done) = 0;
    // Finds the first occurrence of text in the document (a fresh search every time), selects
    // it and scrolls to it; reports whether it was found.
    virtual void FindText(const QString &text, std::function<void(bool found)> done) = 0;
    // Scrolls the document to its top (true) or bottom (false); done runs once it has.
    virtual void ScrollIntoView(bool top, std::function<void()> done = {}) = 0;
    // Prints the shown document on a printer the caller set up; calls back when done.
    virtual void PrintTo(QPrinter *printer, std::function<void(bool ok)> done) = 0;

signals:
    // Before every navigation, also those started by Navigate() and those of frames; setting
    // cancel stops it.
    void BeforeNavigate2(const QUrl &url, bool &cancel);
    // Only for documents that loaded: a cancelled, stopped or failed navigation sends none.
    void DocumentComplete(const QUrl &url);
    // Whenever a download of the current document ends, also a cancelled, stopped or failed one.
    void DownloadComplete();
};

// Makes the browser controls of the forms (the real engine, or a recording fake in tests).
using BrowserFactory = std::function<BrowserControl *(QWidget *parent)>;

} // namespace sorvek
