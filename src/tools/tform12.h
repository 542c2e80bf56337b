#pragma once
// The footnote memo window: edits one plain text file, named by its caption, and stores the text
// back when it closes. A memo is never lost: when it cannot be stored the window stays open with
// its text, says why, and lets the user choose to drop it.
#include "app/filestamp.h"
#include "platform/ports.h"

#include <QPlainTextEdit>
#include <QWidget>

namespace sorvek {

class TForm12 : public QWidget {
    Q_OBJECT
public:
    explicit TForm12(IUserPrompt &prompt, QWidget *parent = nullptr);

    QPlainTextEdit *Memo1;
    // 1 while the window is shown, 0 once it has closed; callers test it.
    int Tag = 0;

    // The memo file's full path.
    QString Caption() const { return windowTitle(); }
    // Opening by a caller: the window edits path, with the file's text ("" when it is missing).
    // A memo still shown is stored first; false (nothing changed) when it could not be and the
    // user kept it. The caller sizes and shows the window.
    bool LoadFile(const QString &path);
    // The main window's SyncPageMemo on this window: follow memoPath, the memo file of the page
    // just shown. The shown memo is stored before the switch; when it cannot be, the user is
    // asked whether to drop it, and without that the window stays on its own file.
    void SyncToMemoFile(const QString &memoPath);

    void FormShow();
    // Stores the memo of a shown window; false (the window stays open) when that failed and the
    // user chose to keep the text.
    bool FormClose();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void showFile(const QString &path, const QString &text, bool readable, const QString &error);
    bool keepFile() const;
    // Stores the memo; on failure asks whether to drop it. True when it may be left.
    bool storeOrDrop(const QString &dropQuestion);
    // Before a store: the memo file as it was when shown, or what the user chose when another
    // program changed it since (write over it, keep both with the memo under a free name beside
    // it, or stay as it is).
    enum class DiskCheck { Write, Beside, Stay };
    DiskCheck checkFileOnDisk();
    bool storeBeside();

    IUserPrompt &prompt_;
    bool fileUnread_ = false; // the file exists but could not be read: its text is unknown
    bool fileExisted_ = false; // the file was there when it was shown
    QString shownText_;        // the text as read from the file
    FileState fileAtOpen_;     // the file as it was when shown
};

} // namespace sorvek
