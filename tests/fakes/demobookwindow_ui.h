#pragma once
// A test fixture: the main window on a copy of the demo book, with fake browsers and services.
#include "app/tform1.h"

#include "fakes/fakebrowser_ui.h"
#include "fakes/fakeplatform.h"
#include "testutil.h"

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
    // Lets the actions that the link dispatcher queues after the navigation hook run.
    static void settle() { QTest::qWait(5); }

    QTemporaryDir dir;
    FakePlatform platform;
    std::unique_ptr<sorvek::TForm1> form;
};

} // namespace fakes
