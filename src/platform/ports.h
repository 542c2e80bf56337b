#pragma once
// Interfaces of the desktop services the program takes from its platform. The forms and the
// core call these; src/platform/qt/ implements them for Qt on Linux and tests/fakes/ replaces them.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class QObject;
class QWidget;

namespace sorvek {

// Message boxes. Every message the program shows goes through here, so tests answer them by script.
// Each box opens above the window that asks (asker), so that a question from an always-on-top
// tool is never hidden behind it; a null asker means the main window.
// Which answer Return gives: a question whose yes deletes, renames or drops text takes No.
enum class DefaultAnswer { Yes, No };

class IUserPrompt {
public:
    virtual ~IUserPrompt() = default;
    virtual void information(QWidget *asker, const QString &text) = 0;
    virtual void warning(QWidget *asker, const QString &text) = 0;
    // Yes / no question; true for yes.
    virtual bool question(QWidget *asker, const QString &text, DefaultAnswer onReturn) = 0;
    // A question with its own buttons, shown over the asking window (a widget, or nullptr for
    // the main window). Returns the index of the button pressed; safeChoice is the default
    // button and the answer when the box is closed any other way, or when nothing is shown.
    virtual int choose(QWidget *asker, const QString &text, const QStringList &buttons, int safeChoice)
    {
        (void)asker;
        (void)text;
        (void)buttons;
        return safeChoice;
    }
};

// File choosers (open and save-as), as paths; "" when the user cancelled.
class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    virtual QString openFile(const QString &title, const QString &folder, const QString &filter) = 0;
    virtual QString saveFile(const QString &title, const QString &suggestedPath, const QString &filter) = 0;
};

// The desktop's shell: default programs, the file manager, the image editor, the trash.
class IShell {
public:
    virtual ~IShell() = default;
    // Opens a file or address with the desktop's default program; false when nothing took it.
    virtual bool openWithDefault(const QString &pathOrUrl) = 0;
    virtual bool openFolder(const QString &folder) = 0;
    virtual bool openInImageEditor(const QString &path) = 0;
    virtual bool moveToTrash(const QString &path) = 0;
    // The desktop's default program for a MIME type (a .desktop name), "" when none.
    virtual QString defaultProgramFor(const QString &mimeType) = 0;
    // The same answer passed to done later on this thread, so that a slow desktop query holds
    // nothing up; no answer comes once context is gone.
    virtual void defaultProgramForLater(const QString &mimeType, QObject *context,
                                        std::function<void(const QString &)> done)
    {
        (void)context;
        done(defaultProgramFor(mimeType));
    }
};

// The standard folders of the signed-in user, created on demand by the caller.
class IStandardFolders {
public:
    virtual ~IStandardFolders() = default;
    virtual QString documentsFolder() = 0;
    virtual QString desktopFolder() = 0;
};

// Starting programs. The waiting variant calls back when the program has ended; the window that
// waits disables itself meanwhile and keeps repainting.
class IProcessLauncher {
public:
    virtual ~IProcessLauncher() = default;
    virtual bool startDetached(const QString &program, const QStringList &arguments, const QString &workingFolder) = 0;
    virtual bool startAndWait(const QString &program, const QStringList &arguments, const QString &workingFolder,
                              std::function<void(bool started)> finished) = 0;
};

// Sounds of pages and sound links; a new sound stops the one playing.
class ISoundPlayer {
public:
    virtual ~ISoundPlayer() = default;
    virtual void playFile(const QString &path) = 0;
    virtual void stop() = 0;
};

// Downloads into a file: the target is replaced only when the whole body arrived with success.
class IDownloader {
public:
    virtual ~IDownloader() = default;
    virtual void download(const QString &url, const QString &target, std::function<void(qint64 bytes)> progress,
                          std::function<void(bool ok, const QString &error)> finished) = 0;
};

// The clipboard's file list (copied files) and whether it holds anything.
class IClipboard {
public:
    virtual ~IClipboard() = default;
    virtual bool hasAnyFormat() = 0;
    virtual QStringList copiedFiles() = 0;
};

class IScreenCapture;  // platform/capture_ui.h: pictures are the widget layer's

// Everything above, handed to the forms by main() (real) or by a test (fakes).
struct PlatformServices {
    IUserPrompt *prompt = nullptr;
    IFileDialogs *fileDialogs = nullptr;
    IShell *shell = nullptr;
    IStandardFolders *folders = nullptr;
    IProcessLauncher *processes = nullptr;
    ISoundPlayer *sound = nullptr;
    IDownloader *downloader = nullptr;
    IClipboard *clipboard = nullptr;
    IScreenCapture *capture = nullptr;
};

} // namespace sorvek
