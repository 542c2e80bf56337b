#pragma once
// The page-order dialog: asks for the new position of the current page, or for taking the
// number prefixes off the page files ("順番の初期化", which sets Tag to 1).
#include "app/controls_ui.h"

#include <QDialog>

class QLineEdit;
class QScrollBar;

namespace sorvek {

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget *parent = nullptr);

    QScrollBar *ScrollBar1;   // the page's 0-based position
    QLineEdit *Memo1;         // the position shown 1-based
    SpeedButton *SpeedButton1;
    QPushButton *BitBtn1;     // " 移 動"
    QPushButton *BitBtn2;     // "閉じる"
    int Tag = 0;              // 1: the numbering is to be reset

    // The caller's set-up: the current page index and the number of pages of the level.
    void Prepare(int pageIndex, int pageCount);

    void FormShow();
    void ScrollBar1Change(int position);
    void BitBtn1Click();
    void BitBtn2Click();
    void SpeedButton1Click();

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace sorvek
