#include "book/dialogkeys_ui.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace sorvek {

namespace {

bool isDialogKey(const QKeyEvent &key)
{
    const Qt::KeyboardModifiers extra = key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (extra != Qt::NoModifier)
        return false;
    switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return !(key.modifiers() & Qt::ShiftModifier);
    default:
        return false;
    }
}

// Whether the widget is a page view or inside one: its drop-downs, text fields and scrolling
// take the arrow keys and Enter, which must never turn the page a student is answering.
bool insidePage(const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (widget->inherits("QWebEngineView"))
            return true;
    }
    return false;
}

} // namespace

DialogKeys::DialogKeys(QWidget *window, std::function<void(int key)> handler)
    : QObject(window), window_(window), handler_(std::move(handler))
{
    qApp->installEventFilter(this);
}

bool DialogKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    // The key reaches the focus widget first, then its parents: only a key for this window, and
    // never one that a disabled window (waiting for a program) would drop.
    const auto *target = static_cast<QWidget *>(watched);
    if (target->window() != window_ || !target->isEnabled())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (!isDialogKey(*key))
        return false;
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (!tab && insidePage(target))
        return false;
    const bool backwards = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
    handler_(key->key() == Qt::Key_Tab && backwards ? int(Qt::Key_Backtab) : key->key());
    return true;
}

} // namespace sorvek
