#pragma once
// The embedded browser control the forms rely on: navigation with a cancellable before-navigate
// event, completion events, the location, reload, stop, history, print preview, and the text
// operations on the shown document. The document operations answer through callbacks because
// the engine answers asynchronously.
#include <QUrl>
#include <QWidget>

#include <functional>

class QPrinter;

namespace sorvek {

class BrowserControl : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    virtual void Navigate(const QUrl &url) = 0;
    virtual void Refresh() = 0;
    virtual void Stop() = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    // Opens the print preview of the shown document (the control's ExecWB print preview).
    virtual void PrintPreview() = 0;
    virtual QUrl LocationURL() const = 0;

    // The markup of the document's body ("" when there is no document or body).
    virtual void BodyHtml(std::function<void(const QString &)> done) = 0;
    // Finds text in the document and selects it; reports whether it was found.
    virtual void FindText(const QString &text, std::function<void(bool found)> done) = 0;
    // Scrolls the document to its top (true) or bottom (false).
    virtual void ScrollIntoView(bool top) = 0;
    // Prints the shown document on a printer the caller set up; calls back when done.
    virtual void PrintTo(QPrinter *printer, std::function<void(bool ok)> done) = 0;

signals:
    // Before every navigation, also those started by Navigate(); setting cancel stops it.
    void BeforeNavigate2(const QUrl &url, bool &cancel);
    void DocumentComplete(const QUrl &url);
    void DownloadComplete();
};

// Makes the browser controls of the forms (the real engine, or a recording fake in tests).
using BrowserFactory = std::function<BrowserControl *(QWidget *parent)>;

} // namespace sorvek
