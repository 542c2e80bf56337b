// The page menu of a right click on a page button, chosen with the mouse, on the demo book.
#include "fakes/demobookwindow_ui.h"

#include <QFile>
#include <QTimer>

using namespace sorvek;

namespace {

using PageMenuTest = fakes::DemoBookWindowTest;

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
        ASSERT_TRUE(choosePageMenuItem(row.page, row.item));
        QTest::qWait(10);
        row.check();
        form.reset();
    }
}

// Runs an action once the watched window has been asked to show, before it does anything else.
class WhenShown : public QObject {
public:
    WhenShown(QWidget *window, std::function<void()> action)
        : action_(std::move(action))
    {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            QTimer::singleShot(0, this, action_);
        return false;
    }

private:
    std::function<void()> action_;
};

TEST_F(PageMenuTest, LookAutoLinkCanBeCancelledAndThenLeavesThePageAsItWas)
{
    const QString name = QStringLiteral("1050_look.html");
    const QByteArray original = testutil::readBytes(testutil::writePage(
        book(QString()), name,
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<HTML><HEAD><TITLE>見る</TITLE>"
                       "</HEAD><BODY>\n<P><A href=\"/$LOOK きせつ\">きせつ</A>の まとめ</P>\n"
                       "<SCRIPT>var まとめ=1;</SCRIPT>\n</BODY></HTML>\n")));
    enum class EscTo { Nowhere, SearchWindow, MainWindow };
    struct Row {
        const char *name;
        EscTo esc;
    };
    for (const Row row : {Row{"Esc in the search window", EscTo::SearchWindow},
                          Row{"Esc where the keyboard stayed, in the main window", EscTo::MainWindow},
                          Row{"the walk runs to its end", EscTo::Nowhere}}) {
        SCOPED_TRACE(row.name);
        makeForm();
        auto search = std::make_unique<TForm4>(fakeBrowsers(), platform.prompt, form->IndexedFolder, form.get());
        form->SetSearchWindow(search.get());
        form->show();
        QTest::qWait(10);
        auto esc = std::make_unique<WhenShown>(search.get(), [this, &search, &row] {
            EXPECT_TRUE(search->isEnabled()); // its progress and Esc stay usable
            press(form->PageButtons.at(0));   // the other windows wait for the walk
            if (row.esc != EscTo::Nowhere)
                QTest::keyClick(row.esc == EscTo::SearchWindow ? search->windowHandle() : form->windowHandle(),
                                Qt::Key_Escape);
        });
        const int page = form->levels_.pageList().indexOf(name);
        ASSERT_TRUE(choosePageMenuItem(page, QStringLiteral("LOOK自動リンク")));
        EXPECT_EQ(form->PageIndex(), page);
        const QByteArray after = testutil::readBytes(book(name));
        if (row.esc != EscTo::Nowhere) {
            EXPECT_EQ(after, original);
            EXPECT_TRUE(form->PmathuCaption->text().contains(QStringLiteral("中止")));
        } else {
            EXPECT_TRUE(QString::fromUtf8(after).contains(QStringLiteral("<A href=\"/$LOOK まとめ\">まとめ</A>")));
            EXPECT_TRUE(QString::fromUtf8(after).contains(QStringLiteral("<SCRIPT>var まとめ=1;</SCRIPT>")));
        }
        esc.reset();
        search.reset();
        form.reset();
    }
}

} // namespace
