// The page-order dialog offscreen: position shown 1-based, move, close and reset of the numbering.
#include "tools/tform5.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

class PageOrderDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.Prepare(3, 12);
        form.show();
    }
    TForm5 form;
};

TEST_F(PageOrderDialogTest, OpensOnTheCurrentPageAndFollowsTheBar)
{
    EXPECT_EQ(form.Memo1->text(), u"4"_s);
    EXPECT_EQ(form.ScrollBar1->value(), 3);
    EXPECT_EQ(form.ScrollBar1->minimum(), 0);
    EXPECT_EQ(form.ScrollBar1->maximum(), 11);
    form.ScrollBar1->setValue(form.ScrollBar1->maximum());
    EXPECT_EQ(form.Memo1->text(), u"12"_s);
    EXPECT_TRUE(form.Memo1->isReadOnly());
    form.Prepare(12344, 12345);  // five digits, kept whole
    EXPECT_EQ(form.Memo1->text(), u"12345"_s);
}

TEST_F(PageOrderDialogTest, MoveAcceptsAndCloseRejects)
{
    QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
    EXPECT_EQ(form.result(), int(QDialog::Accepted));
    EXPECT_EQ(form.Tag, 0);
    form.show();
    QTest::mouseClick(form.BitBtn2, Qt::LeftButton);
    EXPECT_EQ(form.result(), int(QDialog::Rejected));
    EXPECT_EQ(form.Tag, 0);
}

TEST_F(PageOrderDialogTest, EnterMovesEscapeLeaves)
{
    QTest::keyClick(&form, Qt::Key_Return);
    EXPECT_EQ(form.result(), int(QDialog::Accepted));
    form.show();
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_EQ(form.result(), int(QDialog::Rejected));
}

TEST_F(PageOrderDialogTest, ResetClosesAtOnceWithTagOneUntilShownAgain)
{
    QTest::mouseClick(form.SpeedButton1, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), int(QDialog::Rejected));
    EXPECT_EQ(form.Tag, 1);
    form.show();
    EXPECT_EQ(form.Tag, 0);
}
