#include "platform/qt/qtservices.h"

#include "commands/booktree.h"
#include "commands/textfile.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QSaveFile>
#include <QUrl>

#include <cerrno>
#include <memory>

namespace sorvek {

bool QtProcessLauncher::startDetached(const QString &program, const QStringList &arguments,
                                      const QString &workingFolder)
{
    return QProcess::startDetached(program, arguments, workingFolder);
}

bool QtProcessLauncher::startAndWait(const QString &program, const QStringList &arguments,
                                     const QString &workingFolder, std::function<void(bool started)> finished)
{
    auto *process = new QProcess;
    process->setWorkingDirectory(workingFolder);
    QObject::connect(process, &QProcess::finished, process, [process, finished](int, QProcess::ExitStatus) {
        process->deleteLater();
        finished(true);
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, finished](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        process->deleteLater();
        finished(false);
    });
    process->start(program, arguments);
    return true;
}

QtSoundPlayer::QtSoundPlayer() = default;

QtSoundPlayer::~QtSoundPlayer()
{
    delete player_;
    delete output_;
}

void QtSoundPlayer::playFile(const QString &path)
{
    // Only a regular file: a pipe or a device named as a sound would hold the media framework.
    if (!QFileInfo(path).isFile())
        return;
    // Made at the first sound: the media framework takes tens of milliseconds to start.
    if (!player_) {
        output_ = new QAudioOutput;
        player_ = new QMediaPlayer;
        player_->setAudioOutput(output_);
    }
    player_->stop();
    player_->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    player_->play();
}

void QtSoundPlayer::stop()
{
    if (player_)
        player_->stop();
}

namespace {

// Why a download failed, in the user's words rather than the network layer's English.
QString downloadErrorInWords(QNetworkReply::NetworkError error, int status)
{
    switch (error) {
    case QNetworkReply::NoError:
        return QStringLiteral("サーバーが %1 を返しました").arg(status);
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("サーバーが見つかりません");
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("サーバーにつながりません");
    case QNetworkReply::TimeoutError:
        return QStringLiteral("時間切れです");
    case QNetworkReply::ContentNotFoundError:
        return QStringLiteral("ファイルがサーバーにありません");
    case QNetworkReply::ContentAccessDenied:
    case QNetworkReply::AuthenticationRequiredError:
        return QStringLiteral("サーバーが許可しません");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("安全な接続を結べません");
    case QNetworkReply::ProtocolUnknownError:
        return QStringLiteral("この種類のアドレスからは取れません");
    default:
        return status != 0 ? QStringLiteral("サーバーが %1 を返しました").arg(status)
                           : QStringLiteral("ダウンロードできません");
    }
}

} // namespace

QtDownloader::QtDownloader() : network_(new QNetworkAccessManager) {}

QtDownloader::~QtDownloader()
{
    delete network_;
}

void QtDownloader::download(const QString &url, const QString &target, std::function<void(qint64 bytes)> progress,
                            std::function<void(bool ok, const QString &error)> finished)
{
    if (!mayWriteInBook(target)) {
        finished(false, target + QStringLiteral(" (リンクの先がブックのフォルダの外です)"));
        return;
    }
    // Unbuffered, and any short write remembered: the old file stays unless every byte was stored.
    auto file = std::make_shared<QSaveFile>(target);
    errno = 0;
    if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        finished(false, describeWriteFailure(target, errno, file->errorString()));
        return;
    }
    auto writeError = std::make_shared<QString>();
    const auto store = [file, writeError, target](const QByteArray &piece) {
        errno = 0;
        if (writeError->isEmpty() && file->write(piece) != piece.size())
            *writeError = describeWriteFailure(target, errno, file->errorString());
        return writeError->isEmpty();
    };
    QNetworkRequest request{QUrl(url)};
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Vorpane"));
    QNetworkReply *reply = network_->get(request);
    auto total = std::make_shared<qint64>(0);
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, total, progress, store] {
        const QByteArray piece = reply->readAll();
        if (store(piece))
            *total += piece.size();
        progress(*total);
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, file, finished, store, writeError] {
        reply->deleteLater();
        store(reply->readAll());
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const bool success = reply->error() == QNetworkReply::NoError && (status == 0 || (status >= 200 && status < 300));
        if (!success || !writeError->isEmpty() || !file->flush()) {
            file->cancelWriting();
            finished(false, success ? (writeError->isEmpty() ? fileErrorInWords(*file) : *writeError)
                                    : downloadErrorInWords(reply->error(), status));
            return;
        }
        // The old file stays unless the whole body was stored.
        if (!file->commit()) {
            finished(false, describeFileFailure(file->fileName(), *file));
            return;
        }
        finished(true, QString());
    });
}

} // namespace sorvek
