#pragma once
// The video player's rules: where its window goes, what its position label reads, how far a frame
// step moves, and which medium its caption names. Positions and lengths are in milliseconds.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QUrl>

namespace sorvek {

// The player's window: its top-left corner (screen coordinates) and its client size.
struct VideoWindowPlacement {
    QPoint topLeft;
    QSize clientSize;
};

// The window is centred on the click (half sizes with the fraction dropped) but never starts left of
// or above the screen's corner; the client area holds the video and the control bar below it.
// A video narrower than the control bar's least width gets a window of that width, so that no
// control is cut off; the video is then centred in it.
VideoWindowPlacement videoWindowPlacement(QPoint click, QSize video, QSize controlBar);

// Where the pointer rests after the player opens: the window's left plus the rewind button's left,
// the window's bottom less the rewind button's top, which lies on the control bar.
QPoint pointerRestPosition(const QRect &windowFrame, QPoint returnButtonPos);

// The media length as the player keeps it: at least five digits, with leading zeros.
QString mediaLengthText(qint64 length);
// The length read back from that text; 0 when it holds none.
qint64 lengthFromText(const QString &mediaLengthText);
// The position label: position and length with at least three digits each, "056 / 1234".
QString positionText(qint64 position, qint64 length);

// One frame's time for a frame rate; 33 ms (30 frames a second) when the rate is unknown.
qint64 frameDuration(double framesPerSecond);
// The position `frames` frames on (negative: back), kept inside the medium. A length of 0 or less
// is unknown and sets no upper bound.
qint64 frameStepPosition(qint64 position, qint64 length, qint64 frameTime, int frames);

// The medium a caption names: a web address as it is, a file URL, or a local path (book text may
// separate its folders with "\"). Empty text names nothing.
QUrl videoSourceUrl(const QString &caption);

} // namespace sorvek
