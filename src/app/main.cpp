// The program: creates the platform services and the windows, then runs the event loop.
#include "app/bookfolder.h"
#include "app/tform1.h"
#include "commands/booktree.h"
#include "platform/qt/qtplatform.h"
#include "tools/tform8.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <functional>
#include <future>
#include <memory>
#include <utility>

#include <unistd.h>

namespace {

// Runs an action once, before the first key or mouse press reaches any window.
class FirstInput : public QObject {
public:
    explicit FirstInput(std::function<void()> action) : action_(std::move(action)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (action_ && (type == QEvent::KeyPress || type == QEvent::MouseButtonPress || type == QEvent::ShortcutOverride)) {
            QCoreApplication::instance()->removeEventFilter(this);
            std::exchange(action_, nullptr)();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

// Qt's own dialogs and buttons (file choosers, Yes / No, Cancel) speak Japanese, as the program
// does, whatever the machine's language; without the translations installed they stay English.
void installQtJapanese(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

} // namespace

int main(int argc, char **argv)
{
    // Chromium refuses to run as root with its sandbox on.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // The page, the side menu and the notes panel show local files of one book: one renderer
    // process serves them all instead of one each. Every web site still gets its own.
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--process-per-site"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --process-per-site").trimmed());
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    installQtJapanese(app);

    using namespace sorvek;
    const QStringList files = QCoreApplication::arguments().mid(1);
    // While the splash, the engine and the windows are made, a thread of its own ends unfinished
    // renames and reads the book's first level, titles and all: a large book opens no later.
    std::future<StartupRead> startupRead;
    if (files.isEmpty()) {
        const QString book = bookLocationFromProgram(QCoreApplication::applicationFilePath()).folder;
        setGuardedBookFolder(book);  // the repairs write through the guard, as the window's own do
        startupRead = std::async(std::launch::async, readBookAtStartup, book);
    }
    // The splash shows while the windows are made; a command-line import shows no window at all.
    auto *splash = files.isEmpty() ? new TForm8 : nullptr;
    if (splash) {
        splash->show();
        splash->repaint();
        QCoreApplication::processEvents();
    }
    QtPlatform platform;
    TForm1 form1(platform.services(), QtPlatform::browsers(), QCoreApplication::applicationFilePath(), files);
    platform.prompt.setParent(&form1);
    if (startupRead.valid())
        form1.SetStartupRead(std::move(startupRead));
    // The tool windows are made once the event loop runs, while the engine loads the first page:
    // they start the media framework and more, and nobody sees them before the page.
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TForm3> form3;
    std::unique_ptr<TForm4> form4;
    std::unique_ptr<TForm5> form5;
    std::unique_ptr<TForm6> form6;
    std::unique_ptr<TForm10> form10;
    std::unique_ptr<TForm11> form11;
    std::unique_ptr<TForm12> form12;
    // The editor is made when a page is first edited.
    form1.MakeEditor = [&] {
        if (form2)
            return;
        form2 = std::make_unique<TForm2>(platform.services(), &form1);
        form1.SetEditor(form2.get());
    };
    QTimer::singleShot(0, &form1, [&] {
        form3 = std::make_unique<TForm3>(platform.services(), &form1);
        form4 = std::make_unique<TForm4>(QtPlatform::browsers(), platform.prompt, form1.IndexedFolder, &form1);
        form5 = std::make_unique<TForm5>(&form1);
        form10 = std::make_unique<TForm10>(&form1);
        form11 = std::make_unique<TForm11>();
        form12 = std::make_unique<TForm12>(platform.prompt);
        form1.SetFileTools(form3.get(), form5.get(), form10.get());
        form1.SetSearchWindow(form4.get());
        form1.SetToolWindows(form11.get(), form12.get());
    });
    // The video player starts the media framework, which takes longer than all the others: it is
    // made a while after the first page shows, or at the first key or click if that comes sooner.
    const auto makePlayer = [&] {
        if (form6)
            return;
        form6 = std::make_unique<TForm6>(platform.prompt);
        form1.SetVideoPlayer(form6.get());
    };
    // A video that a page opens by itself (a link page followed at once) may come sooner still.
    form1.MakeVideoPlayer = makePlayer;
    FirstInput firstInput(makePlayer);
    app.installEventFilter(&firstInput);
    QObject::connect(
        form1.WebBrowser1, &BrowserControl::DocumentComplete, &form1,
        [&] { QTimer::singleShot(500, &form1, makePlayer); }, Qt::SingleShotConnection);
    QTimer::singleShot(3000, &form1, makePlayer);  // when no page comes
    QApplication::setApplicationName(form1.ApplicationTitle);
    delete splash;
    if (files.isEmpty())
        form1.show();
    else
        form1.FormShow();  // a batch import ends the program without a window
    return QApplication::exec();
}
