#pragma once
// The side-menu dialog: the folders of the book's side menu as plain text, one name a line.
// "保存" saves through SaveMenu and accepts only when that worked; "閉じる" and the close box reject.
#include "app/controls_ui.h"

#include <QDialog>

#include <functional>

class QPlainTextEdit;

namespace sorvek {

class TForm10 : public QDialog {
    Q_OBJECT
public:
    explicit TForm10(QWidget *parent = nullptr);

    QLabel *Panel3;            // "HOME"
    QPlainTextEdit *Memo1;     // one folder name per line
    SpeedButton *SpeedButton1; // "保存"
    SpeedButton *SpeedButton2; // "閉じる"

    // Writes the names as typed; false keeps the dialog open with them (the writer has said what
    // failed). Unset, "保存" only accepts.
    std::function<bool(const QString &names)> SaveMenu;

    void SpeedButton1MouseUp();
    void SpeedButton2MouseUp();

public slots:
    void accept() override;
};

} // namespace sorvek
