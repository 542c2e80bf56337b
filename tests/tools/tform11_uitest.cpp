// The presentation mask offscreen: its click zones, the blank screen and the hole over the page.
#include "tools/tform11.h"

#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvek;

namespace {

class MaskWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.PageCount = [this] { return count; };
        form.PageIndex = [this] { return index; };
        form.RunCommand = [this](const QString &command) { commands.append(command); };
        form.BlankScreenShown = [this] { return blank; };
        form.ShowBlankScreen = [this] { blank = true; ++blankShows; };
        form.HideBlankScreen = [this] { blank = false; ++blankHides; };
        form.Tag = 1;
        form.show();
        QTest::qWait(10);
    }

    void press(int y, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(&form, button, {}, QPoint(5, y));
    }

    TForm11 form;
    int count = 5;
    int index = 2;
    bool blank = false;
    int blankShows = 0;
    int blankHides = 0;
    QStringList commands;
};

TEST_F(MaskWindowTest, CoversScreenInBlack)
{
    EXPECT_EQ(form.objectName(), QStringLiteral("Form11"));
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form.cursor().shape(), Qt::SizeVerCursor);
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(form.geometry(), form.screen()->geometry());
}

TEST_F(MaskWindowTest, BottomTwentyPixelsOnlyFromTwentyUp)
{
    const int h = form.height();
    press(h - 20);
    EXPECT_EQ(commands, QStringList{QStringLiteral("NEXT")});
    press(h - 19);
    EXPECT_EQ(commands, QStringList{QStringLiteral("NEXT")});
}

TEST_F(MaskWindowTest, LastPageGoesToTopFirstPageStays)
{
    index = 4;
    press(form.height() - 100);
    index = 0;
    press(100);
    EXPECT_EQ(commands, QStringList{QStringLiteral("TOP")});
    index = 3;
    press(100);
    EXPECT_EQ(commands, (QStringList{QStringLiteral("TOP"), QStringLiteral("BACK")}));
}

TEST_F(MaskWindowTest, TopStripBlanksAndAnyPressUnblanks)
{
    press(5);
    EXPECT_EQ(blankShows, 1);
    EXPECT_TRUE(blank);
    press(form.height() - 100, Qt::RightButton);
    EXPECT_EQ(blankHides, 1);
    EXPECT_TRUE(form.isVisible()); // the right press only took the blank screen away
    EXPECT_TRUE(commands.isEmpty());
}

TEST_F(MaskWindowTest, RightButtonClosesToTinyWindow)
{
    press(form.height() - 100, Qt::RightButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.size(), QSize(10, 10));
    EXPECT_TRUE(commands.isEmpty());

    form.show(); // the next presentation shows it over the whole screen again
    QTest::qWait(10);
    EXPECT_EQ(form.geometry(), form.screen()->geometry());
}

TEST_F(MaskWindowTest, HoleIsNoPartOfTheWindow)
{
    const QPoint origin = form.mapToGlobal(QPoint(0, 0));
    const QRect page(origin + QPoint(100, 60), QSize(600, 400));
    form.SetPageArea(page);
    const QRegion region = form.mask();
    const QPoint inHole = form.mapFromGlobal(page.center());
    EXPECT_FALSE(region.contains(inHole));
    EXPECT_FALSE(region.contains(form.mapFromGlobal(page.topLeft())));
    EXPECT_FALSE(region.contains(form.mapFromGlobal(page.bottomRight())));
    EXPECT_TRUE(region.contains(form.mapFromGlobal(page.topLeft() - QPoint(1, 1))));
    EXPECT_TRUE(region.contains(form.mapFromGlobal(page.bottomRight() + QPoint(1, 1))));
    EXPECT_TRUE(region.contains(QPoint(5, form.height() - 20)));

    // The hole stays over the page when the mask's size changes.
    form.resize(form.width() - 50, form.height() - 50);
    EXPECT_FALSE(form.mask().contains(form.mapFromGlobal(page.center())));
    EXPECT_TRUE(form.mask().contains(QPoint(5, 5)));
}

} // namespace
