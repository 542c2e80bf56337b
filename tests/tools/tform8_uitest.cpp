// The splash window offscreen: its shape (only the picture and the red glyph show), the glyph's
// paint, the glyph shape while it is moved, and resizes that arrive during the region work.
#include "tools/tform8.h"

#include <QLabel>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvek;

namespace {

// A pixel of the splash picture that is not black.
QPoint somePicturePixel(const TForm8 &splash)
{
    QImage shown(splash.Image2->size(), QImage::Format_RGB32);
    shown.fill(Qt::black);
    QPainter painter(&shown);
    painter.drawPixmap(0, 0, splash.Image2->pixmap());
    painter.end();
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) == QColor(0x30, 0x30, 0x30).rgb())
                return splash.Image2->pos() + QPoint(x, y);
    return {-1, -1};
}

class SplashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        splash.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
        glyph = splash.CreateTextRegion(0, 0);
        ASSERT_FALSE(glyph.isEmpty());
    }

    TForm8 splash;
    QRegion glyph;
};

TEST_F(SplashTest, BorderlessMaximisedOnTop)
{
    EXPECT_EQ(splash.objectName(), QStringLiteral("Form8"));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(splash.windowState() & Qt::WindowMaximized);
    EXPECT_GT(splash.width(), 243);
    EXPECT_EQ(splash.Image2->geometry(), QRect(0, 0, 243, 240));
}

TEST_F(SplashTest, OnlyThePictureAndTheGlyphShow)
{
    const QRegion shape = splash.mask();
    const QPoint picture = somePicturePixel(splash);
    ASSERT_NE(picture, QPoint(-1, -1));
    EXPECT_TRUE(shape.contains(picture)) << "the picture shows";
    EXPECT_EQ(shape.intersected(glyph), glyph) << "the glyph shows";
    EXPECT_LT(glyph.boundingRect().bottom(), 16) << "the glyph is at the corner";
    EXPECT_LT(glyph.boundingRect().right(), 8) << "the glyph is at the corner";
    EXPECT_FALSE(shape.contains(QPoint(242, 239))) << "the picture's black corner is see-through";
    EXPECT_FALSE(shape.contains(QPoint(splash.width() - 5, splash.height() - 5))) << "the black window is see-through";
    EXPECT_FALSE(shape.contains(QPoint(splash.width() / 2 + 130, 120))) << "beside the picture is see-through";
}

TEST_F(SplashTest, GlyphIsPaintedRed)
{
    const QImage shown = splash.grab().toImage();
    for (const QRect &r : glyph)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                EXPECT_EQ(QColor(shown.pixel(x, y)), QColor(255, 0, 0)) << "glyph pixel " << x << "," << y;
    const QRect around = glyph.boundingRect().adjusted(-1, -1, 1, 1);
    EXPECT_EQ(QColor(shown.pixel(around.bottomRight())), QColor(Qt::black)) << "only the glyph is red";
    EXPECT_EQ(QColor(shown.pixel(somePicturePixel(splash))), QColor(0x30, 0x30, 0x30));
    EXPECT_EQ(QColor(shown.pixel(splash.width() - 5, splash.height() - 5)), QColor(Qt::black));
}

TEST_F(SplashTest, KeepsTheGlyphShapeWhileMoved)
{
    const QRegion full = splash.mask();
    splash.WMEnterSizeMove();
    EXPECT_TRUE(splash.Moving());
    EXPECT_EQ(splash.mask(), glyph) << "only the glyph while moved";

    // A resize during the move keeps the glyph shape.
    splash.resize(splash.width() - 10, splash.height() - 10);
    EXPECT_EQ(splash.mask(), glyph);

    splash.WMExitSizeMove();
    EXPECT_FALSE(splash.Moving());
    EXPECT_EQ(splash.mask(), full) << "the full window shows again";
}

TEST_F(SplashTest, ResizeGivesTheFullShapeBack)
{
    const QRegion full = splash.mask();
    splash.resize(600, 400);
    EXPECT_EQ(splash.mask(), full);
    EXPECT_TRUE(splash.WMEraseBkgnd());
    EXPECT_EQ(splash.mask(), full);
}

// A window below the splash that asks the splash for its region work again while repainting the
// glyph's area (as a resize arriving in the middle of that work would).
class Underneath : public QWidget {
public:
    explicit Underneath(TForm8 &splash) : splash_(splash) { setGeometry(0, 0, 100, 100); }
    int paints = 0;
    bool reenter = false;

protected:
    void paintEvent(QPaintEvent *) override
    {
        ++paints;
        if (reenter)
            splash_.FormResize();
    }

private:
    TForm8 &splash_;
};

TEST_F(SplashTest, ResizeDuringTheRegionWorkIsIgnored)
{
    Underneath below(splash);
    below.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&below));
    const QRegion full = splash.mask();
    below.paints = 0;
    below.reenter = true;
    splash.FormResize();
    below.reenter = false;
    EXPECT_EQ(below.paints, 1) << "the glyph's area below was repainted once, without re-entering";
    EXPECT_EQ(splash.mask(), full);
}

} // namespace
