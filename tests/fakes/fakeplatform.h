#pragma once
// Test doubles of the platform services: scripted answers, recorded calls.
#include "platform/ports.h"

#include <QStringList>

#include <deque>
#include <vector>

namespace fakes {

// Records each box's text and asker (one per message) and each question's Return answer.
class FakePrompt : public sorvek::IUserPrompt {
public:
    void information(QWidget *asker, const QString &text) override { record(asker, text); }
    void warning(QWidget *asker, const QString &text) override { record(asker, text); }
    bool question(QWidget *asker, const QString &text, sorvek::DefaultAnswer onReturn) override
    {
        record(asker, text);
        defaults.push_back(onReturn);
        if (answers.empty())
            return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    int choose(QWidget *asker, const QString &text, const QStringList &, int safeChoice) override
    {
        record(asker, text);
        if (choices.empty())
            return safeChoice;
        const int c = choices.front();
        choices.pop_front();
        return c;
    }
    QStringList messages;
    std::vector<QWidget *> askers;
    std::vector<sorvek::DefaultAnswer> defaults;
    std::deque<bool> answers;
    std::deque<int> choices;   // scripted button indexes for choose(); the safe one when empty

private:
    void record(QWidget *asker, const QString &text) { messages.append(text); askers.push_back(asker); }
};

class FakeFileDialogs : public sorvek::IFileDialogs {
public:
    QString openFile(const QString &, const QString &, const QString &) override { return next(); }
    QString saveFile(const QString &, const QString &, const QString &) override { return next(); }
    QString next()
    {
        if (answers.empty())
            return QString();
        const QString a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<QString> answers;
};

class FakeShell : public sorvek::IShell {
public:
    bool openWithDefault(const QString &p) override { return record(QStringLiteral("open ") + p); }
    bool openFolder(const QString &p) override { return record(QStringLiteral("folder ") + p); }
    bool openInImageEditor(const QString &p) override { return record(QStringLiteral("paint ") + p); }
    bool moveToTrash(const QString &p) override { return record(QStringLiteral("trash ") + p); }
    QString defaultProgramFor(const QString &) override { return QString(); }
    bool record(const QString &call)
    {
        calls.append(call);
        return true;
    }
    QStringList calls;
};

class FakeFolders : public sorvek::IStandardFolders {
public:
    QString documentsFolder() override { return documents; }
    QString desktopFolder() override { return desktop; }
    QString documents = QStringLiteral("/tmp/sorvek-test-docs");
    QString desktop = QStringLiteral("/tmp/sorvek-test-desktop");
};

class FakeProcesses : public sorvek::IProcessLauncher {
public:
    bool startDetached(const QString &program, const QStringList &arguments, const QString &) override
    {
        started.append(program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')));
        return true;
    }
    bool startAndWait(const QString &program, const QStringList &arguments, const QString &,
                      std::function<void(bool)> finished) override
    {
        waited.append(program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')));
        if (whileRunning)
            whileRunning(arguments);
        // The program ends at once unless a test keeps it running to end it later.
        if (keepRunning)
            pending = std::move(finished);
        else
            finished(starts);
        return true;
    }
    QStringList started, waited;
    std::function<void(bool)> pending;
    std::function<void(const QStringList &)> whileRunning;  // what the program does meanwhile
    bool keepRunning = true;
    bool starts = true;
};

class FakeSound : public sorvek::ISoundPlayer {
public:
    void playFile(const QString &path) override { played.append(path); }
    void stop() override { ++stops; }
    QStringList played;
    int stops = 0;
};

class FakeDownloader : public sorvek::IDownloader {
public:
    void download(const QString &url, const QString &target, std::function<void(qint64)>,
                  std::function<void(bool, const QString &)> finished) override
    {
        requests.append(url + QStringLiteral(" -> ") + target);
        pending = std::move(finished);
    }
    QStringList requests;
    std::function<void(bool, const QString &)> pending;
};

class FakeClipboard : public sorvek::IClipboard {
public:
    bool hasAnyFormat() override { return !files.isEmpty() || hasText; }
    QStringList copiedFiles() override { return files; }
    QStringList files;
    bool hasText = false;
};

// All fakes in one bundle, with the services view the forms take.
struct FakePlatform {
    FakePrompt prompt;
    FakeFileDialogs fileDialogs;
    FakeShell shell;
    FakeFolders folders;
    FakeProcesses processes;
    FakeSound sound;
    FakeDownloader downloader;
    FakeClipboard clipboard;
    sorvek::PlatformServices services()
    {
        return {&prompt, &fileDialogs, &shell, &folders, &processes, &sound, &downloader, &clipboard};
    }
};

} // namespace fakes
