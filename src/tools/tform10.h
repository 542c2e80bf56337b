#pragma once
// The side-menu dialog: the folders of the book's side menu as plain text, one name a line.
// "保存" accepts, "閉じる" and the close box reject.
#include "app/controls_ui.h"

#include <QDialog>

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

    void SpeedButton1MouseUp();
    void SpeedButton2MouseUp();
};

} // namespace sorvek
