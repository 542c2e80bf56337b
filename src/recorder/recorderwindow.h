#pragma once
// The page recorder's window: "録音" starts recording from the default microphone, "停止" ends it
// and writes the WAV file named on the command line (safely: the old file stays until the new one
// is complete). Closing the window while recording saves what was recorded.
#include "commands/wavfile.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QWidget>

class QAudioSource;
class QIODevice;
class QLabel;
class QPushButton;
class QTimer;

namespace sorvek {

class RecorderWindow : public QWidget {
    Q_OBJECT
public:
    explicit RecorderWindow(const QString &path, QWidget *parent = nullptr);
    ~RecorderWindow() override;

    bool isRecording() const { return input_ != nullptr; }

    void startRecording();
    // Stops and writes the file; false (with the reason shown) when the file could not be written.
    bool stopRecording();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void readAvailable();
    void showState();
    bool save();

    QString path_;
    QAudioFormat format_;
    QAudioSource *source_ = nullptr;
    QIODevice *input_ = nullptr;
    QByteArray samples_;
    bool unsaved_ = false;
    QLabel *state_;
    QPushButton *record_;
    QPushButton *stop_;
    QTimer *clock_;
};

// The WAV description of an audio format.
PcmFormat pcmFormatOf(const QAudioFormat &format);

} // namespace sorvek
