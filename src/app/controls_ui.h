#pragma once
// Small widgets that give the forms the behaviour they rely on: panels that align
// their children to an edge or the rest of the area and report their resizes, buttons and
// pictures that report which mouse button was pressed and released.
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>

namespace sorvek {

enum class Align { None, Top, Bottom, Left, Right, Client };

// A panel that lays out its aligned children: top and bottom first, then left and right, then
// the client child in the rest, each group in creation order. Unaligned children keep their geometry.
class AlignPanel : public QFrame {
    Q_OBJECT
public:
    explicit AlignPanel(const QString &name, QWidget *parent = nullptr);

    static void setAlign(QWidget *child, Align align);
    static Align alignOf(const QWidget *child);
    void realign();

signals:
    void Resized();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void childEvent(QChildEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool aligning_ = false;
};

// A flat button reporting presses and releases of any mouse button; Click is the left button only.
class SpeedButton : public QToolButton {
    Q_OBJECT
public:
    explicit SpeedButton(const QString &name, QWidget *parent = nullptr);

signals:
    void MouseDown(Qt::MouseButton button, QPoint pos);
    void MouseUp(Qt::MouseButton button, QPoint pos);
    void Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// A picture that reports mouse presses and releases.
class ImageControl : public QLabel {
    Q_OBJECT
public:
    explicit ImageControl(const QString &name, QWidget *parent = nullptr);

signals:
    void MouseDown(Qt::MouseButton button, QPoint pos);
    void MouseUp(Qt::MouseButton button, QPoint pos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// A page button of the column: reports presses of any mouse button, the keys it receives and
// when it gets the focus. Tab and the arrows go to the form's dialog-key handling.
class PageButton : public QPushButton {
    Q_OBJECT
public:
    explicit PageButton(QWidget *parent = nullptr);

signals:
    void MouseDown(Qt::MouseButton button, QPoint pos);
    void KeyPress(int key);
    void DialogKey(int key);
    void Enter();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
};

// The page-button column's scroll box. Its contents span the visible width and at least the
// visible height, so the scroll bar shows only while the buttons do not fit; a change of that
// width is reported so the form can widen or narrow its buttons (anchored left and right).
class ButtonScrollBox : public QScrollArea {
    Q_OBJECT
public:
    explicit ButtonScrollBox(const QString &name, QWidget *parent = nullptr);

    // Height of all buttons together; the contents are fitted again at once.
    void setContentHeight(int height);

signals:
    void ContentsWidthChanged();

protected:
    bool viewportEvent(QEvent *event) override;

private:
    void fitContents();

    int contentHeight_ = 0;
};

// A plain text label at a fixed place.
QLabel *makeLabel(const QString &text, QWidget *parent, QRect geometry);

// Makes a child widget with an object name, a parent and a geometry in one line.
template <typename W, typename... Args>
W *makeControl(const QString &name, QWidget *parent, Args &&...args)
{
    auto *w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(name);
    return w;
}

} // namespace sorvek
