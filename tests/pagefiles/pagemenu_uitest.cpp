// The page menu of a right click on a page button, chosen with the mouse, on the demo book.
#include "fakes/demobookwindow_ui.h"

#include <QFile>

using namespace sorvek;

namespace {

class PageMenuTest : public fakes::DemoBookWindowTest {
protected:
    // Right-clicks the page's button and clicks the item with the caption in the menu that opens.
    bool choose(int page, const QString &caption)
    {
        press(form->PageButtons.at(page), Qt::RightButton);
        if (!form->pagePopup_ || !form->pagePopup_->isVisible())
            return false;
        for (QAction *action : form->pagePopup_->actions()) {
            if (action->text() == caption) {
                QTest::mouseClick(form->pagePopup_, Qt::LeftButton, {},
                                  form->pagePopup_->actionGeometry(action).center());
                return true;
            }
        }
        return false;
    }
};

TEST_F(PageMenuTest, ItemsDoWhatTheySayOrSayWhyNot)
{
    struct Row {
        const char *name;
        int page;
        QString item;
        std::function<void()> before;
        std::function<void()> check;
    };
    const QString shortcut = QStringLiteral("Word.lnk");
    const Row rows[] = {
        {"mark on a page with a picture glyph says why and keeps the page", 1, QStringLiteral("〆マークをつける"),
         [] {},
         [this] {
             const QString page = QString::fromUtf8(testutil::readBytes(book(QStringLiteral("1010_どうぶつ.html"))));
             EXPECT_TRUE(page.contains(QStringLiteral("<TITLE>\"neko.png\"どうぶつ")));
             ASSERT_EQ(platform.prompt.messages.size(), 1);
             EXPECT_TRUE(platform.prompt.messages.at(0).contains(QStringLiteral("neko.png")));
         }},
        {"mark on a plain page marks it", 3, QStringLiteral("〆マークをつける"), [] {},
         [this] {
             EXPECT_TRUE(form->levels_.title(3).startsWith(QStringLiteral("\"!\"")));
             EXPECT_TRUE(platform.prompt.messages.isEmpty());
         }},
        {"a shortcut that is a program starts with the page file", 2, shortcut,
         [this, shortcut] {
             testutil::writeBytes(book(QString()), shortcut, "#!/bin/sh\n");
             QFile(book(shortcut)).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
         },
         [this, shortcut] {
             EXPECT_EQ(platform.processes.started,
                       QStringList{book(shortcut) + u' ' + book(QStringLiteral("1020_リンク.html"))});
         }},
        {"a shortcut nothing can start is opened by the desktop", 2, shortcut,
         [this, shortcut] { testutil::writeBytes(book(QString()), shortcut, "L"); },
         [this, shortcut] {
             EXPECT_TRUE(platform.processes.started.isEmpty());
             EXPECT_EQ(platform.shell.calls, QStringList{QStringLiteral("open ") + book(shortcut)});
         }},
        {"recording without the recorder program says so", 2, QStringLiteral("ページに録音"),
         [this] {
             platform.processes.keepRunning = false;
             platform.processes.starts = false;
         },
         [this] {
             EXPECT_TRUE(form->PmathuCaption->text().contains(QStringLiteral("録音のプログラムを起動できません")));
             EXPECT_FALSE(QFile::exists(book(QStringLiteral("1020_リンク.wav"))));
         }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(dir.isValid());
        QDir(book(QString())).removeRecursively();
        ASSERT_TRUE(testutil::copyFolder(testutil::demoBookFolder(), book(QString())));
        platform = fakes::FakePlatform();
        row.before();
        open();
        QTest::qWait(10);
        ASSERT_TRUE(choose(row.page, row.item));
        QTest::qWait(10);
        row.check();
        form.reset();
    }
}

} // namespace
