#include "tools/tform8.h"

#include "app/pictures_ui.h"
#include "tools/splashshape.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include <utility>

namespace sorvek {

namespace {

// The picture of the blank-screen panel, which the splash shows too.
QPixmap splashPicture()
{
    return pictures::glyph(QStringLiteral("S"), {243, 240}, QColor(0x30, 0x30, 0x30));
}

// The pixels of image that are not of the key colour, as runs along its rows.
QRegion regionNotOf(const QImage &image, QRgb key)
{
    QList<QRect> runs;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width();) {
            if ((row[x] & 0xFFFFFF) == (key & 0xFFFFFF)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < image.width() && (row[x] & 0xFFFFFF) != (key & 0xFFFFFF))
                ++x;
            runs.append(QRect(start, y, x - start, 1));
        }
    }
    QRegion region;
    region.setRects(runs.constData(), int(runs.size()));
    return region;
}

} // namespace

TForm8::TForm8(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form8"));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    QFont glyphFont(QStringLiteral("ＭＳ Ｐゴシック"));
    glyphFont.setPixelSize(12);
    setFont(glyphFont);

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(splashPicture());
    Image2->setGeometry(0, 0, 243, 240);
    Image2->setAttribute(Qt::WA_TranslucentBackground);

    // Maximised, also where no window manager maximises it: the screen's work area.
    setGeometry(screen()->availableGeometry());
    setWindowState(Qt::WindowMaximized);
}

void TForm8::DrawRegionText(QPainterPath &path, int x, int y) const
{
    // (x, y) is the top of the text's line, as the glyph was placed; the path wants the baseline.
    path.addText(QPointF(x, y + QFontMetrics(font()).ascent()), font(), QStringLiteral("."));
}

QRegion TForm8::CreateTextRegion(int x, int y) const
{
    QPainterPath path;
    DrawRegionText(path, x, y);
    const QRect box = path.boundingRect().toAlignedRect();
    if (box.isEmpty())
        return {};
    // The outline filled without smoothing: a pixel is in the region or not.
    QImage outline(box.size(), QImage::Format_RGB32);
    outline.fill(Qt::black);
    QPainter painter(&outline);
    painter.translate(-box.topLeft());
    painter.fillPath(path, Qt::white);
    painter.end();
    return regionNotOf(outline, qRgb(0, 0, 0)).translated(box.topLeft());
}

void TForm8::BuildWindowRegion()
{
    const SplashFrame frame = splashFrame(frameGeometry().size(), size());
    QRegion region;
    for (const QRect &strip : frame.strips)
        region += strip;
    region += CreateTextRegion(frame.border, frame.top);
    // Built in window coordinates; the window's shape is given in client coordinates.
    windowRegion_ = region.translated(-frame.border, -frame.top);
}

void TForm8::giveRegion(std::optional<QRegion> region)
{
    givenRegion_ = std::move(region);
    const QRegion visible = VisibleRegion();
    if (visible != mask())
        setMask(visible);
}

QRegion TForm8::colourKeyRegion() const
{
    // Black is the key colour: what the picture shows over black, less its black, and the glyph.
    QImage shown(Image2->size(), QImage::Format_RGB32);
    shown.fill(Qt::black);
    QPainter painter(&shown);
    painter.drawPixmap(0, 0, Image2->pixmap());
    painter.end();
    return regionNotOf(shown, qRgb(0, 0, 0)).translated(Image2->pos()) + CreateTextRegion(0, 0);
}

QRegion TForm8::VisibleRegion() const
{
    const QRegion key = colourKeyRegion();
    return givenRegion_ ? key.intersected(*givenRegion_) : key;
}

void TForm8::RedrawUnderlyingWindows()
{
    const QRegion glyph = CreateTextRegion(0, 0).translated(mapToGlobal(QPoint(0, 0)));
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window == this || !window->isVisible())
            continue;
        const QRegion under = glyph.translated(-window->mapToGlobal(QPoint(0, 0))).intersected(window->rect());
        if (!under.isEmpty())
            window->repaint(under);
    }
}

void TForm8::FormPaint()
{
    repaint(CreateTextRegion(0, 0));
}

void TForm8::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setClipRegion(CreateTextRegion(0, 0));
    painter.fillRect(rect(), QColor(255, 0, 0));
}

void TForm8::regionWork(bool redrawUnderlying)
{
    busy_ = true;
    BuildWindowRegion();
    giveRegion(std::exchange(windowRegion_, std::nullopt));
    if (redrawUnderlying) {
        RedrawUnderlyingWindows();
        giveRegion(std::nullopt);
        FormPaint();
    }
    busy_ = false;
}

void TForm8::FormResize()
{
    // A resize that arrives while the region work runs is ignored.
    if (busy_)
        return;
    regionWork(!moving_);
}

bool TForm8::WMEraseBkgnd()
{
    if (!moving_ && !busy_)
        regionWork(true);
    return true;
}

void TForm8::WMEnterSizeMove()
{
    moving_ = true;
    BuildWindowRegion();
    giveRegion(std::exchange(windowRegion_, std::nullopt));
}

void TForm8::WMExitSizeMove()
{
    RedrawUnderlyingWindows();
    giveRegion(std::nullopt);
    FormPaint();
    moving_ = false;
}

void TForm8::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TForm8::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    WMEraseBkgnd();
}

} // namespace sorvek
