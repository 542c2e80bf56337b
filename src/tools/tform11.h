#pragma once
// The presentation mask: a black frameless cover over the whole screen with a hole over the main
// window's content (side menu, page, page-button column, bottom bar). Presses on the black
// surround turn pages or blank the screen; presses in the hole are not the mask's (the hole is no
// part of the window) and reach the main window.
#include <QRect>
#include <QWidget>

#include <functional>

namespace sorvek {

class TForm11 : public QWidget {
    Q_OBJECT
public:
    explicit TForm11(QWidget *parent = nullptr);

    // The main window's side, set by whoever wires the windows: the top level's page count and
    // current index, the link command runner, and the blank-screen panel (Panel4).
    std::function<int()> PageCount;
    std::function<int()> PageIndex;
    std::function<void(const QString &)> RunCommand;
    std::function<bool()> BlankScreenShown; // Panel4.Tag > 0
    std::function<void()> ShowBlankScreen;  // Panel4 fills the window, black, visible, Tag 1
    std::function<void()> HideBlankScreen;  // Panel4 fills the window, hidden, Tag 0
    std::function<bool()> InputBlocked;     // the main window is busy or a window is modal over it

    // 1 while the presentation timer has shown the mask; the main window reads and writes it.
    int Tag = 0;

    // The hole in screen coordinates (see maskHoleRect); it stays there when the mask moves.
    void SetPageArea(const QRect &screenRect);
    QRect PageArea() const { return pageArea_; }

    void FormResize();
    void FormMouseDown(Qt::MouseButton button, int y);
    void FormMouseMove() {}
    void FormClose();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void run(const QString &command);

    QRect pageArea_;
};

} // namespace sorvek
