#include "tools/tform5.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace sorvek {

TForm5::TForm5(QWidget *parent)
    : QDialog(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("順番の変更"));
    ScrollBar1 = new QScrollBar(Qt::Vertical, this);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setMinimum(0);
    Memo1 = new QLineEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setAlignment(Qt::AlignRight);
    QFont font = Memo1->font();
    font.setPixelSize(16);
    Memo1->setFont(font);
    SpeedButton1 = new SpeedButton(QStringLiteral("SpeedButton1"), this);
    SpeedButton1->setText(QStringLiteral("順番の初期化"));
    SpeedButton1->setToolTip(QStringLiteral("ファイル名につけた数字を削除する"));
    BitBtn1 = new QPushButton(QStringLiteral(" 移 動"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setToolTip(QStringLiteral("移動して終える"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("閉じる"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setToolTip(QStringLiteral("移動しないで終える"));
    BitBtn2->setAutoDefault(false);
    auto *layout = new QGridLayout(this);
    layout->addWidget(ScrollBar1, 0, 0, 4, 1);
    layout->addWidget(Memo1, 0, 1);
    layout->addWidget(SpeedButton1, 1, 1);
    layout->addWidget(BitBtn1, 2, 1);
    layout->addWidget(BitBtn2, 3, 1);
    resize(200, 160);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TForm5::ScrollBar1Change);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm5::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm5::BitBtn2Click);
    connect(SpeedButton1, &SpeedButton::Click, this, &TForm5::SpeedButton1Click);
}

void TForm5::Prepare(int pageIndex, int pageCount)
{
    Memo1->setText(QString::number(pageIndex + 1));
    // Wide enough for the last page's number, however many pages the level holds.
    const QMargins margins = Memo1->textMargins() + Memo1->contentsMargins();
    Memo1->setMinimumWidth(Memo1->fontMetrics().horizontalAdvance(QString::number(std::max(pageCount, 1)) + u'0')
                           + margins.left() + margins.right());
    ScrollBar1->setMaximum(std::max(0, pageCount - 1));
    ScrollBar1->setValue(pageIndex);
}

void TForm5::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TForm5::FormShow()
{
    Tag = 0;
}

void TForm5::ScrollBar1Change(int position)
{
    Memo1->setText(QString::number(position + 1));
}

void TForm5::BitBtn1Click()
{
    accept();
}

void TForm5::BitBtn2Click()
{
    reject();
}

void TForm5::SpeedButton1Click()
{
    Tag = 1;
    reject();
}

} // namespace sorvek
