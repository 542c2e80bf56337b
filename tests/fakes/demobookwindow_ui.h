#pragma once
// A test fixture: the main window on a copy of the demo book, with fake browsers and services.
#include "app/tform1.h"

#include "fakes/fakebrowser_ui.h"
#include "fakes/fakeplatform.h"
#include "testutil.h"

#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace fakes {

class DemoBookWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(testutil::copyFolder(testutil::demoBookFolder(), dir.filePath(QStringLiteral("Book"))));
    }

    // Makes the main window; files named make it a command-line import.
    sorvek::TForm1 &makeForm(const QStringList &files = {}, sorvek::BrowserFactory browsers = fakeBrowsers())
    {
        form = std::make_unique<sorvek::TForm1>(platform.services(), std::move(browsers),
                                                dir.filePath(QStringLiteral("Book.bin")), files);
        return *form;
    }
    // Makes and shows the main window, which opens the book and shows its first page.
    sorvek::TForm1 &open()
    {
        makeForm();
        form->show();
        return *form;
    }

    static sorvek::BrowserFactory fakeBrowsers()
    {
        return [](QWidget *parent) -> sorvek::BrowserControl * { return new FakeBrowser(parent); };
    }
    static FakeBrowser *fake(sorvek::BrowserControl *b) { return static_cast<FakeBrowser *>(b); }
    FakeBrowser *page() const { return fake(form->WebBrowser1); }
    QString shownFile() const { return page()->location.toLocalFile(); }
    QString book(const QString &relative) const { return dir.filePath(QStringLiteral("Book/") + relative); }

    // A press and release in the middle of a widget.
    static void press(QWidget *w, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mousePress(w, b, {}, QPoint(w->width() / 2, w->height() / 2));
        QTest::mouseRelease(w, b, {}, QPoint(w->width() / 2, w->height() / 2));
    }
    // A right click on the page's button, then a click on the item with that caption in the menu
    // that opens; false when no menu opened or it has no such item.
    bool choosePageMenuItem(int page, const QString &caption)
    {
        press(form->PageButtons.at(page), Qt::RightButton);
        QMenu *menu = form->pagePopup_;
        if (!menu || !menu->isVisible())
            return false;
        for (QAction *action : menu->actions()) {
            if (action->text() == caption) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                return true;
            }
        }
        return false;
    }
    // A click on the start button, then on the item in the start menu that opens.
    bool chooseStartMenuItem(QAction *item)
    {
        press(form->SpeedButton11);
        if (!form->PopupMenu2->isVisible())
            return false;
        QTest::mouseClick(form->PopupMenu2, Qt::LeftButton, {}, form->PopupMenu2->actionGeometry(item).center());
        return true;
    }
    // Lets the actions that the link dispatcher queues after the navigation hook run.
    static void settle() { QTest::qWait(5); }

    QTemporaryDir dir;
    FakePlatform platform;
    std::unique_ptr<sorvek::TForm1> form;
};

} // namespace fakes
