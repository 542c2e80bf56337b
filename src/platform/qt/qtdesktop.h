#pragma once
// The desktop services over Qt on Linux: message boxes, file choosers, the shell, the standard
// folders and the clipboard.
#include "platform/ports.h"

class QWidget;

namespace sorvek {

class QtUserPrompt : public IUserPrompt {
public:
    explicit QtUserPrompt(QWidget *mainWindow = nullptr) : mainWindow_(mainWindow) {}
    void setParent(QWidget *mainWindow) { mainWindow_ = mainWindow; }
    void information(QWidget *asker, const QString &text) override;
    void warning(QWidget *asker, const QString &text) override;
    bool question(QWidget *asker, const QString &text, DefaultAnswer onReturn) override;
    int choose(QWidget *asker, const QString &text, const QStringList &buttons, int safeChoice) override;

private:
    int ask(QWidget *asker, int icon, const QString &text, int buttons, int defaultButton);
    QWidget *mainWindow_;
};

class QtFileDialogs : public IFileDialogs {
public:
    QString openFile(const QString &title, const QString &folder, const QString &filter) override;
    QString saveFile(const QString &title, const QString &suggestedPath, const QString &filter) override;
};

class QtShell : public IShell {
public:
    bool openWithDefault(const QString &pathOrUrl) override;
    bool openFolder(const QString &folder) override;
    bool openInImageEditor(const QString &path) override;
    bool moveToTrash(const QString &path) override;
    QString defaultProgramFor(const QString &mimeType) override;
    void defaultProgramForLater(const QString &mimeType, QObject *context,
                                std::function<void(const QString &)> done) override;
};

class QtStandardFolders : public IStandardFolders {
public:
    QString documentsFolder() override;
    QString desktopFolder() override;
};

class QtClipboard : public IClipboard {
public:
    bool hasAnyFormat() override;
    QStringList copiedFiles() override;
};

} // namespace sorvek
