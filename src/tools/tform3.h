#pragma once
// The file tool: a list of files chosen by the page-file tools of the main window, which the user
// moves to the trash, copies into the archive folder, or whose pictures get numbered names.
#include "platform/ports.h"

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace sorvek {

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(const PlatformServices &services, QWidget *parent = nullptr);

    QListWidget *ListBox1;
    QPushButton *BitBtn1;  // "ファイルの削除"
    QPushButton *BitBtn3;  // "書庫へコピー", in BitBtn1's place
    QPushButton *BitBtn2;  // "閉じる"
    QPushButton *BitBtn4;  // "画像ファイル名変換"
    QLineEdit *Edit1;      // base name of numbered pictures

    // The book folder, whose "書庫" receives the copies; set by the main window.
    QString BookFolder;
    // 0 closed with "閉じる", 1 copied, 2 deleted; other ways of closing leave it as it was.
    int FileToolResult = 0;

    // The caller's set-up: caption, which of delete and copy is offered, and the files.
    void Prepare(const QString &caption, bool deleting, const QStringList &files);
    QStringList Files() const;
    QStringList SelectedFiles() const;

    void FormShow();
    void FormClose();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void kataduke(const QString &target, bool deleting);

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void report(const QString &heading, const QStringList &failed);

    PlatformServices services_;
};

} // namespace sorvek
