#pragma once
// Programs, sounds and downloads over Qt: QProcess, Qt Multimedia and QNetworkAccessManager.
#include "platform/ports.h"

#include <QObject>

class QMediaPlayer;
class QAudioOutput;
class QNetworkAccessManager;

namespace sorvek {

class QtProcessLauncher : public IProcessLauncher {
public:
    bool startDetached(const QString &program, const QStringList &arguments, const QString &workingFolder) override;
    bool startAndWait(const QString &program, const QStringList &arguments, const QString &workingFolder,
                      std::function<void(bool started)> finished) override;
};

class QtSoundPlayer : public ISoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    void playFile(const QString &path) override;
    void stop() override;

private:
    QAudioOutput *output_ = nullptr;
    QMediaPlayer *player_ = nullptr;
};

class QtDownloader : public IDownloader {
public:
    QtDownloader();
    ~QtDownloader() override;
    void download(const QString &url, const QString &target, std::function<void(qint64 bytes)> progress,
                  std::function<void(bool ok, const QString &error)> finished) override;

private:
    QNetworkAccessManager *network_;
};

} // namespace sorvek
