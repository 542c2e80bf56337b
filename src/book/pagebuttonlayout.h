#pragma once
// Geometry of the page-button column: the buttons share the column's height, but never get
// lower than 28 px; when they do not fit, the column scrolls.
#include <QRect>
#include <QString>

namespace sorvek {

class PageButtonLayout
{
public:
    static constexpr int ButtonMargin = 2;
    static constexpr int MinimumPitch = 28;

    // n pages in a scroll box of boxWidth x boxHeight pixels.
    PageButtonLayout(int n, int boxWidth, int boxHeight);

    int pitch() const { return pitch_; }
    int count() const { return n_; }
    // Height of all buttons together; more than the box height means the column scrolls.
    int contentHeight() const { return n_ * pitch_; }
    bool scrolls() const { return contentHeight() > boxHeight_; }

    // Button i in its normal place, and shifted left and narrowed to mark the current page.
    QRect buttonRect(int i) const;
    QRect highlightedRect(int i) const;

private:
    int n_;
    int boxWidth_;
    int boxHeight_;
    int pitch_;
};

// The page-number display: "i / n" with the page counted from 1.
QString pageNumberText(int index, int count);

} // namespace sorvek
