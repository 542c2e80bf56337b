#pragma once
// The slide that brings a newly loaded page in from the side of the turn.
#include <QList>

namespace sorvek {

// Pause between two moves of the slide.
inline constexpr int SlideStepMilliseconds = 40;
// The page browser's left edge once the slide is over (it overlaps its panel's border).
inline constexpr int SlideRestingLeft = -2;

// The six left positions of a browser of the given width: a later page (direction > 0) comes
// from the right (W, 5W/6 ... W/6), an earlier one (direction < 0) from the left (-W ... W/6 - W,
// each a sixth of the width further); no slide (empty) for direction 0.
QList<int> slidePositions(int width, int direction);

} // namespace sorvek
