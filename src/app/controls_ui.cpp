#include "app/controls_ui.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVariant>

#include <algorithm>

namespace sorvek {

namespace {
const char *const alignProperty = "sorvekAlign";
}

AlignPanel::AlignPanel(const QString &name, QWidget *parent) : QFrame(parent)
{
    setObjectName(name);
}

void AlignPanel::setAlign(QWidget *child, Align align)
{
    child->setProperty(alignProperty, static_cast<int>(align));
    if (auto *panel = qobject_cast<AlignPanel *>(child->parentWidget()))
        panel->realign();
}

Align AlignPanel::alignOf(const QWidget *child)
{
    return static_cast<Align>(child->property(alignProperty).toInt());
}

void AlignPanel::realign()
{
    if (aligning_)
        return;
    aligning_ = true;
    QRect rest = contentsRect();
    QList<QWidget *> children;
    for (QObject *o : QObject::children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (w && !w->isWindow() && !w->isHidden() && alignOf(w) != Align::None)
            children.append(w);
    }
    auto place = [&](Align which) {
        for (QWidget *w : children) {
            if (alignOf(w) != which)
                continue;
            switch (which) {
            case Align::Top:
                w->setGeometry(rest.left(), rest.top(), rest.width(), w->height());
                rest.setTop(rest.top() + w->height());
                break;
            case Align::Bottom:
                w->setGeometry(rest.left(), rest.bottom() + 1 - w->height(), rest.width(), w->height());
                rest.setBottom(rest.bottom() - w->height());
                break;
            case Align::Left:
                w->setGeometry(rest.left(), rest.top(), w->width(), rest.height());
                rest.setLeft(rest.left() + w->width());
                break;
            case Align::Right:
                w->setGeometry(rest.right() + 1 - w->width(), rest.top(), w->width(), rest.height());
                rest.setRight(rest.right() - w->width());
                break;
            case Align::Client:
                w->setGeometry(rest);
                break;
            case Align::None:
                break;
            }
        }
    };
    for (Align a : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client})
        place(a);
    aligning_ = false;
}

void AlignPanel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    realign();
    emit Resized();
}

void AlignPanel::childEvent(QChildEvent *event)
{
    QFrame::childEvent(event);
    if (event->added() && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
}

bool AlignPanel::eventFilter(QObject *watched, QEvent *event)
{
    // An aligned child that changes size or visibility moves its siblings, as the forms expect.
    const auto type = event->type();
    if ((type == QEvent::Resize || type == QEvent::Show || type == QEvent::Hide) && watched->parent() == this
        && alignOf(static_cast<QWidget *>(watched)) != Align::None)
        realign();
    return QFrame::eventFilter(watched, event);
}

SpeedButton::SpeedButton(const QString &name, QWidget *parent) : QToolButton(parent)
{
    setObjectName(name);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
}

void SpeedButton::mousePressEvent(QMouseEvent *event)
{
    emit MouseDown(event->button(), event->position().toPoint());
    QToolButton::mousePressEvent(event);
}

void SpeedButton::mouseReleaseEvent(QMouseEvent *event)
{
    const bool inside = rect().contains(event->position().toPoint());
    emit MouseUp(event->button(), event->position().toPoint());
    QToolButton::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && inside)
        emit Click();
}

ImageControl::ImageControl(const QString &name, QWidget *parent) : QLabel(parent)
{
    setObjectName(name);
}

void ImageControl::mousePressEvent(QMouseEvent *event)
{
    emit MouseDown(event->button(), event->position().toPoint());
}

void ImageControl::mouseReleaseEvent(QMouseEvent *event)
{
    emit MouseUp(event->button(), event->position().toPoint());
}

PageButton::PageButton(QWidget *parent) : QPushButton(parent)
{
    // Only a left press takes the focus (and so selects the page), as with native buttons.
    setFocusPolicy(Qt::TabFocus);
    setAutoDefault(false);
}

void PageButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        setFocus(Qt::MouseFocusReason);
    emit MouseDown(event->button(), event->position().toPoint());
}

void PageButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

void PageButton::keyPressEvent(QKeyEvent *event)
{
    // Tab, Up, Down and Enter belong to the window, wherever its focus is; the side arrows turn
    // pages only from a page button.
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Left:
        emit DialogKey(event->key());
        break;
    case Qt::Key_Space:
    case Qt::Key_Escape:
        emit KeyPress(event->key());
        break;
    default:
        QPushButton::keyPressEvent(event);
    }
}

void PageButton::focusInEvent(QFocusEvent *event)
{
    QPushButton::focusInEvent(event);
    emit Enter();
}

ButtonScrollBox::ButtonScrollBox(const QString &name, QWidget *parent) : QScrollArea(parent)
{
    setObjectName(name);
    setWidget(new QWidget);
}

void ButtonScrollBox::setContentHeight(int height)
{
    contentHeight_ = height;
    fitContents();
}

bool ButtonScrollBox::viewportEvent(QEvent *event)
{
    const bool handled = QScrollArea::viewportEvent(event);
    if (event->type() == QEvent::Resize)
        fitContents();
    return handled;
}

void ButtonScrollBox::fitContents()
{
    QWidget *contents = widget();
    if (!contents)
        return;
    const QSize visible = viewport()->size();
    const bool widthChanged = visible.width() != contents->width();
    contents->resize(visible.width(), std::max(contentHeight_, visible.height()));
    if (widthChanged)
        emit ContentsWidthChanged();
}

QLabel *makeLabel(const QString &text, QWidget *parent, QRect geometry)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(geometry);
    return l;
}

} // namespace sorvek
