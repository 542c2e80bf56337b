#pragma once
// The splash window shown while the program creates its windows: a borderless, maximised window on
// top whose black is see-through, so that only its picture at the top-left corner and a small red
// glyph show.
#include <QRegion>
#include <QWidget>

#include <optional>

class QLabel;
class QPainter;
class QPainterPath;

namespace sorvek {

class TForm8 : public QWidget {
    Q_OBJECT
public:
    explicit TForm8(QWidget *parent = nullptr);

    // The text "." at (x, y), the top of its line, added to path.
    void DrawRegionText(QPainterPath &path, int x, int y) const;
    // The outline of the glyph drawn at (x, y) in client coordinates.
    QRegion CreateTextRegion(int x, int y) const;
    // The window's own shape: its frame and the glyph at the client area's corner.
    void BuildWindowRegion();
    // The other windows repaint what lies under the glyph at once.
    void RedrawUnderlyingWindows();
    // Paints the glyph red at once.
    void FormPaint();
    void FormResize();
    // The window's erase: the same region work as a resize, unless moving or busy. Answers true.
    bool WMEraseBkgnd();
    // Start and end of a move or size loop: in between the window keeps the glyph's shape.
    void WMEnterSizeMove();
    void WMExitSizeMove();

    // What shows of the window: the non-black pixels of its picture and the glyph, cut to the window
    // region while one is given to the window.
    QRegion VisibleRegion() const;
    bool Moving() const { return moving_; }

    QLabel *Image2;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void regionWork(bool redrawUnderlying);
    void giveRegion(std::optional<QRegion> region);
    QRegion colourKeyRegion() const;

    std::optional<QRegion> windowRegion_; // the region built, not yet handed to the window
    std::optional<QRegion> givenRegion_;  // the region the window has (none: the whole window)
    bool busy_ = false;
    bool moving_ = false;
};

} // namespace sorvek
