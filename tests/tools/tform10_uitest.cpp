// The side-menu dialog offscreen: save and close on the release of any mouse button.
#include "tools/tform10.h"

#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

class SideMenuDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.setWindowTitle(u"/book/_index.html"_s);
        form.Memo1->setPlainText(u" Folder1\n Folder2\n"_s);
        form.show();
    }
    TForm10 form;
};

TEST_F(SideMenuDialogTest, SaveWithTheRightButtonAccepts)
{
    EXPECT_EQ(form.Panel3->text(), u"HOME"_s);
    QTest::mouseClick(form.SpeedButton1, Qt::RightButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), int(QDialog::Accepted));
    EXPECT_EQ(form.Memo1->toPlainText(), u" Folder1\n Folder2\n"_s);
}

TEST_F(SideMenuDialogTest, CloseAndTheCloseBoxReject)
{
    QTest::mouseClick(form.SpeedButton2, Qt::LeftButton);
    EXPECT_EQ(form.result(), int(QDialog::Rejected));
    form.show();
    form.close();
    EXPECT_EQ(form.result(), int(QDialog::Rejected));
}
