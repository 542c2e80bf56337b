#pragma once
// The print preview through the hidden print browser (WebBrowser3): a print operation loads its
// document there, and once the document has loaded it is reloaded (the file was just rewritten
// under the same name) and its print preview opens.
#include <QObject>
#include <QString>
#include <QUrl>

#include <optional>
#include <utility>

namespace sorvek {

class BrowserControl;

class PrintPreviewHandshake : public QObject {
    Q_OBJECT
public:
    // browser is the print browser; the handshake listens to its completed documents.
    explicit PrintPreviewHandshake(BrowserControl *browser, QObject *parent = nullptr);

    // Sets the print-pending flag and loads documentPath into the print browser; zeroHeight
    // first sets the browser's height to 0 (the merge and the resume do, the worksheet does not).
    void start(const QString &documentPath, bool zeroHeight);

    // The print-pending flag: 1 while a preview waits for its document, 2 while the document is
    // being reloaded, 0 when nothing is pending.
    int Tag = 0;

    // The print browser's completed document (connected by the constructor). Only the document
    // the preview waits for counts: a fresh browser's first completion may be of its empty page.
    void WebBrowser3DocumentComplete(const QUrl &url);

signals:
    // Around the modal preview, so the window can pause its file watch.
    void previewOpening();
    void previewClosed();

private:
    BrowserControl *browser_;
    QString document_;
    bool previewing_ = false;
    std::optional<std::pair<QString, bool>> queued_;
};

} // namespace sorvek
