#include "tools/tform10.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace sorvek {

TForm10::TForm10(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Form10"));
    Panel3 = new QLabel(QStringLiteral("HOME"), this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setAlignment(Qt::AlignCenter);
    Panel3->setFrameShape(QFrame::Panel);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFrameShape(QFrame::NoFrame);
    QFont font = Memo1->font();
    font.setPixelSize(15);
    Memo1->setFont(font);
    SpeedButton1 = new SpeedButton(QStringLiteral("SpeedButton1"), this);
    SpeedButton1->setText(QStringLiteral("保存"));
    SpeedButton2 = new SpeedButton(QStringLiteral("SpeedButton2"), this);
    SpeedButton2->setText(QStringLiteral("閉じる"));
    auto *bar = new QHBoxLayout;
    bar->addStretch();
    bar->addWidget(SpeedButton1);
    bar->addWidget(SpeedButton2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addWidget(Panel3);
    layout->addWidget(Memo1, 1);
    layout->addLayout(bar);
    resize(260, 420);
    // Both buttons act on the release of any mouse button.
    connect(SpeedButton1, &SpeedButton::MouseUp, this, &TForm10::SpeedButton1MouseUp);
    connect(SpeedButton2, &SpeedButton::MouseUp, this, &TForm10::SpeedButton2MouseUp);
}

void TForm10::SpeedButton1MouseUp()
{
    accept();
}

void TForm10::accept()
{
    if (SaveMenu && !SaveMenu(Memo1->toPlainText()))
        return;
    QDialog::accept();
}

void TForm10::SpeedButton2MouseUp()
{
    reject();
}

} // namespace sorvek
