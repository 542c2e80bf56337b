// The editor window's tool column: alignment, style, attribute, layout, picture and closing groups.
#include "editor/tform2.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace sorvek {

namespace {

constexpr int kColumnWidth = 112;
constexpr int kGroupWidth = 108;
constexpr int kGroupTitle = 18;

SpeedButton *speedButton(const QString &name, QWidget *parent, const QString &caption, const QString &hint,
                         QRect geometry)
{
    auto *b = new SpeedButton(name, parent);
    b->setText(caption);
    b->setToolTip(hint);
    b->setGeometry(geometry);
    return b;
}

QGroupBox *group(const QString &name, const QString &title, QWidget *parent, int top, int height)
{
    auto *g = makeControl<QGroupBox>(name, parent);
    g->setTitle(title);
    g->setGeometry(2, top, kGroupWidth, height);
    return g;
}

QPushButton *bitBtn(const QString &name, const QString &caption, const QString &hint, QWidget *parent, QRect geometry)
{
    auto *b = makeControl<QPushButton>(name, parent);
    b->setText(caption);
    b->setToolTip(hint);
    b->setGeometry(geometry);
    // Enter in a field never closes the window behind the author's back.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

// Pads a caption with ideographic blanks to the width of the longest style caption.
QString padded(const QString &caption)
{
    return caption + QString(5 - caption.size(), QChar(0x3000));
}

} // namespace

void TForm2::createToolColumn(QWidget *root)
{
    auto *column = new AlignPanel(QStringLiteral("ToolColumn"), root);
    column->resize(kColumnWidth, column->height());
    AlignPanel::setAlign(column, Align::Right);
    int top = 2;
    top = createAlignmentGroup(column, top);
    top = createStyleGroup(column, top);
    top = createAttributeGroup(column, top);
    top = createLayoutGroup(column, top);
    top = createPictureGroup(column, top);
    createClosingButtons(column, top);
}

int TForm2::createAlignmentGroup(QWidget *column, int top)
{
    auto *g = group(QStringLiteral("GroupBoxAlign"), QStringLiteral("文字位置"), column, top, kGroupTitle + 3 * 24 + 4);
    const QString left = QStringLiteral("左"), centre = QStringLiteral("中"), right = QStringLiteral("右");
    int y = kGroupTitle;
    makeLabel(QStringLiteral("大"), g, {4, y + 3, 18, 16});
    SpeedButton4 = speedButton(QStringLiteral("SpeedButton4"), g, left, QStringLiteral("左よせ"), {22, y, 26, 22});
    SpeedButton5 = speedButton(QStringLiteral("SpeedButton5"), g, centre, QStringLiteral("中央"), {50, y, 26, 22});
    SpeedButton6 = speedButton(QStringLiteral("SpeedButton6"), g, right, QStringLiteral("右よせ"), {78, y, 26, 22});
    y += 24;
    makeLabel(QStringLiteral("小"), g, {4, y + 3, 18, 16});
    SpeedButton7 = speedButton(QStringLiteral("SpeedButton7"), g, left, QStringLiteral("左よせ"), {22, y, 26, 22});
    SpeedButton8 = speedButton(QStringLiteral("SpeedButton8"), g, centre, QStringLiteral("中央"), {50, y, 26, 22});
    SpeedButton9 = speedButton(QStringLiteral("SpeedButton9"), g, right, QStringLiteral("右よせ"), {78, y, 26, 22});
    y += 24;
    makeLabel(QStringLiteral("枠"), g, {4, y + 3, 18, 16});
    SpeedButton19 = speedButton(QStringLiteral("SpeedButton19"), g, left, QStringLiteral("枠文字左"), {22, y, 26, 22});
    SpeedButton20 = speedButton(QStringLiteral("SpeedButton20"), g, centre, QStringLiteral("枠文字中央"), {50, y, 26, 22});
    SpeedButton21 = speedButton(QStringLiteral("SpeedButton21"), g, right, QStringLiteral("枠文字右"), {78, y, 26, 22});
    connect(SpeedButton4, &SpeedButton::MouseUp, this, &TForm2::SpeedButton4MouseUp);
    connect(SpeedButton5, &SpeedButton::MouseUp, this, &TForm2::SpeedButton5MouseUp);
    connect(SpeedButton6, &SpeedButton::MouseUp, this, &TForm2::SpeedButton6MouseUp);
    connect(SpeedButton7, &SpeedButton::MouseUp, this, &TForm2::SpeedButton7MouseUp);
    connect(SpeedButton8, &SpeedButton::MouseUp, this, &TForm2::SpeedButton8MouseUp);
    connect(SpeedButton9, &SpeedButton::MouseUp, this, &TForm2::SpeedButton9MouseUp);
    connect(SpeedButton19, &SpeedButton::Click, this, &TForm2::SpeedButton19Click);
    connect(SpeedButton20, &SpeedButton::Click, this, &TForm2::SpeedButton20Click);
    connect(SpeedButton21, &SpeedButton::Click, this, &TForm2::SpeedButton21Click);
    return top + g->height() + 2;
}

int TForm2::createStyleGroup(QWidget *column, int top)
{
    GroupBox1 = group(QStringLiteral("GroupBox1"), QStringLiteral("文字サイズ"), column, top, kGroupTitle + 5 * 21 + 4);
    const struct {
        SpeedButton **button;
        const char *name;
        QString caption;
        void (TForm2::*handler)();
    } styles[] = {
        {&SpeedButton13, "SpeedButton13", QStringLiteral("表紙"), &TForm2::SpeedButton13MouseUp},
        {&SpeedButton18, "SpeedButton18", QStringLiteral("目次"), &TForm2::SpeedButton18MouseUp},
        {&SpeedButton14, "SpeedButton14", QStringLiteral("スクリーン"), &TForm2::SpeedButton14MouseUp},
        {&SpeedButton15, "SpeedButton15", QStringLiteral("ノート"), &TForm2::SpeedButton15MouseUp},
        {&SpeedButton16, "SpeedButton16", QStringLiteral("設定無し"), &TForm2::SpeedButton16MouseUp},
    };
    int y = kGroupTitle;
    for (const auto &s : styles) {
        *s.button = speedButton(QLatin1String(s.name), GroupBox1, padded(s.caption), QString(), {4, y, 100, 20});
        connect(*s.button, &SpeedButton::MouseUp, this, s.handler);
        y += 21;
    }
    return top + GroupBox1->height() + 2;
}

int TForm2::createAttributeGroup(QWidget *column, int top)
{
    auto *g = group(QStringLiteral("GroupBoxAttr"), QStringLiteral("属性"), column, top, kGroupTitle + 26);
    const int y = kGroupTitle;
    SpeedButton24 = speedButton(QStringLiteral("SpeedButton24"), g, QStringLiteral("赤"), QStringLiteral("選択文字を赤色"), {4, y, 24, 22});
    SpeedButton25 = speedButton(QStringLiteral("SpeedButton25"), g, QStringLiteral("強"), QStringLiteral("強選択文字を調"), {29, y, 24, 22});
    SpeedButton26 = speedButton(QStringLiteral("SpeedButton26"), g, QStringLiteral("下"), QStringLiteral("選択文字にアンダーライン"), {54, y, 24, 22});
    SpeedButton27 = speedButton(QStringLiteral("SpeedButton27"), g, QStringLiteral("消"), QStringLiteral("全ての文字削除"), {80, y, 24, 22});
    connect(SpeedButton24, &SpeedButton::Click, this, &TForm2::SpeedButton24Click);
    connect(SpeedButton25, &SpeedButton::Click, this, &TForm2::SpeedButton25Click);
    connect(SpeedButton26, &SpeedButton::Click, this, &TForm2::SpeedButton26Click);
    connect(SpeedButton27, &SpeedButton::Click, this, &TForm2::SpeedButton27Click);
    return top + g->height() + 2;
}

int TForm2::createLayoutGroup(QWidget *column, int top)
{
    auto *g = group(QStringLiteral("GroupBoxLayout"), QStringLiteral("配置"), column, top, kGroupTitle + 2 * 24 + 4);
    int y = kGroupTitle;
    SpeedButton3 = speedButton(QStringLiteral("SpeedButton3"), g, QStringLiteral("文字"),
                               QStringLiteral("左クリック：文字だけ配置／右クリック：枠無し文字の削除"), {4, y, 49, 22});
    SpeedButton23 = speedButton(QStringLiteral("SpeedButton23"), g, QStringLiteral("表"),
                                QStringLiteral("左クリック：表／右クリック：表内文字削除"), {55, y, 49, 22});
    y += 24;
    SpeedButton10 = speedButton(QStringLiteral("SpeedButton10"), g, QStringLiteral("左"),
                                QStringLiteral("左に画像、右に文字を配置"), {4, y, 32, 22});
    SpeedButton11 = speedButton(QStringLiteral("SpeedButton11"), g, QStringLiteral("中"),
                                QStringLiteral("中央に文字と画像を配置"), {38, y, 32, 22});
    SpeedButton12 = speedButton(QStringLiteral("SpeedButton12"), g, QStringLiteral("右"),
                                QStringLiteral("左に文字、右に画像を配置"), {72, y, 32, 22});
    connect(SpeedButton3, &SpeedButton::MouseUp, this, &TForm2::SpeedButton3MouseUp);
    connect(SpeedButton23, &SpeedButton::MouseUp, this, &TForm2::SpeedButton23MouseUp);
    connect(SpeedButton10, &SpeedButton::MouseUp, this, &TForm2::SpeedButton10MouseUp);
    connect(SpeedButton11, &SpeedButton::MouseUp, this, &TForm2::SpeedButton11MouseUp);
    connect(SpeedButton12, &SpeedButton::MouseUp, this, &TForm2::SpeedButton12MouseUp);
    return top + g->height() + 2;
}

int TForm2::createPictureGroup(QWidget *column, int top)
{
    GroupBox3 = group(QStringLiteral("GroupBox3"), QStringLiteral("画像"), column, top, kGroupTitle + 24 + 20 + 24 + 4);
    int y = kGroupTitle;
    SpeedButton1 = speedButton(QStringLiteral("SpeedButton1"), GroupBox3, QStringLiteral("画像"),
                               QStringLiteral("左クリック：画像の読み込み／右クリック：画像削除"), {4, y, 49, 22});
    SpeedButton2 = speedButton(QStringLiteral("SpeedButton2"), GroupBox3, QStringLiteral("ペイント"),
                               QStringLiteral("左クリックで修正／右クリックで新規作成"), {55, y, 49, 22});
    y += 24;
    ScrollBar1 = makeControl<QScrollBar>(QStringLiteral("ScrollBar1"), GroupBox3, Qt::Horizontal);
    ScrollBar1->setGeometry(4, y, 100, 16);
    ScrollBar1->setRange(16, BaseWidth);
    y += 20;
    makeLabel(QStringLiteral("横"), GroupBox3, {4, y + 3, 14, 16});
    GX = makeControl<QLineEdit>(QStringLiteral("GX"), GroupBox3);
    GX->setGeometry(18, y, 34, 22);
    makeLabel(QStringLiteral("縦"), GroupBox3, {56, y + 3, 14, 16});
    GY = makeControl<QLineEdit>(QStringLiteral("GY"), GroupBox3);
    GY->setGeometry(70, y, 34, 22);
    connect(SpeedButton1, &SpeedButton::MouseUp, this, &TForm2::SpeedButton1MouseUp);
    connect(SpeedButton2, &SpeedButton::MouseUp, this, &TForm2::SpeedButton2MouseUp);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TForm2::ScrollBar1Scroll);
    return top + GroupBox3->height() + 2;
}

int TForm2::createClosingButtons(QWidget *column, int top)
{
    auto *g = group(QStringLiteral("GroupBoxButton"), QStringLiteral("ボタン") + QChar(0x3000), column, top,
                    kGroupTitle + 2 * 28 + 32);
    const QStringList reminders{QStringLiteral("(正解|選１/選２/・・・)"), QStringLiteral("(正解１/正解２/・・・)")};
    int y = kGroupTitle;
    for (const QString &text : reminders) {
        auto *l = new QLabel(text, g);
        l->setGeometry(4, y, 100, 28);
        l->setWordWrap(true);
        l->setStyleSheet(QStringLiteral("color: gray;"));
        QFont small = l->font();
        small.setPixelSize(10);
        l->setFont(small);
        y += 28;
    }
    BitBtn3 = bitBtn(QStringLiteral("BitBtn3"), QStringLiteral("ボタン保存"), QStringLiteral("スクリプトを追加保存して終了"),
                     g, {4, y + 2, 100, 26});
    top += g->height() + 4;
    SpeedButton22 = speedButton(QStringLiteral("SpeedButton22"), column, QStringLiteral("メモ"), QStringLiteral("メモ"),
                                {4, top, 104, 24});
    top += 28;
    BitBtn1 = bitBtn(QStringLiteral("BitBtn1"), QStringLiteral("保存"), QStringLiteral("保存して終了"), column,
                     {4, top, 104, 28});
    top += 32;
    BitBtn2 = bitBtn(QStringLiteral("BitBtn2"), QStringLiteral("閉じる"), QStringLiteral("保存しないで終了"), column,
                     {4, top, 104, 28});
    return top + 32;
}

} // namespace sorvek
