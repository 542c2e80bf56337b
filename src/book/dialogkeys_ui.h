#pragma once
// The dialog keys of one window (Tab, Shift+Tab, Up, Down, Enter) go to that window's handler,
// whichever of its widgets holds the focus: a page button, the page itself, or none at all.
// Keys pressed in other windows pass untouched.
#include <QObject>

#include <functional>

class QWidget;

namespace sorvek {

class DialogKeys : public QObject {
    Q_OBJECT
public:
    // Watches the whole application from now on, for as long as this object lives.
    DialogKeys(QWidget *window, std::function<void(int key)> handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window_;
    std::function<void(int key)> handler_;
};

} // namespace sorvek
