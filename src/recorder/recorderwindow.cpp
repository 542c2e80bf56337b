#include "recorder/recorderwindow.h"

#include "commands/textfile.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMediaDevices>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace sorvek {

namespace {

// The page recordings' own format when the microphone offers it.
QAudioFormat wantedFormat()
{
    QAudioFormat format;
    format.setSampleRate(22050);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

} // namespace

PcmFormat pcmFormatOf(const QAudioFormat &format)
{
    return {format.sampleRate(), format.channelCount(), format.bytesPerSample() * 8,
            format.sampleFormat() == QAudioFormat::Float};
}

RecorderWindow::RecorderWindow(const QString &path, QWidget *parent)
    : QWidget(parent), path_(path), state_(new QLabel(this)),
      record_(new QPushButton(QStringLiteral("録音"), this)), stop_(new QPushButton(QStringLiteral("停止"), this)),
      clock_(new QTimer(this))
{
    setWindowTitle(QStringLiteral("録音 - ") + QFileInfo(path).fileName());
    record_->setObjectName(QStringLiteral("RecordButton"));
    stop_->setObjectName(QStringLiteral("StopButton"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(record_);
    buttons->addWidget(stop_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(state_);
    layout->addLayout(buttons);
    connect(record_, &QPushButton::clicked, this, &RecorderWindow::startRecording);
    connect(stop_, &QPushButton::clicked, this, &RecorderWindow::stopRecording);
    clock_->setInterval(200);
    connect(clock_, &QTimer::timeout, this, &RecorderWindow::showState);
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    format_ = device.isFormatSupported(wantedFormat()) ? wantedFormat() : device.preferredFormat();
    showState();
}

RecorderWindow::~RecorderWindow()
{
    if (source_)
        source_->stop();
}

void RecorderWindow::startRecording()
{
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    if (device.isNull() || isRecording())
        return;
    delete source_;
    source_ = new QAudioSource(device, format_, this);
    samples_.clear();
    input_ = source_->start();
    if (!input_) {
        QMessageBox::warning(this, windowTitle(), QStringLiteral("録音を始められません。マイクの設定を確かめてください。"));
        return;
    }
    unsaved_ = true;
    connect(input_, &QIODevice::readyRead, this, &RecorderWindow::readAvailable);
    clock_->start();
    showState();
}

void RecorderWindow::readAvailable()
{
    if (!input_)
        return;
    samples_ += input_->readAll();
    // A WAV file cannot describe more: stop and keep what fits.
    if (quint64(samples_.size()) >= kMaxWavDataBytes)
        stopRecording();
}

bool RecorderWindow::stopRecording()
{
    if (QIODevice *input = std::exchange(input_, nullptr)) {
        samples_ += input->readAll();
        source_->stop();
        clock_->stop();
    }
    const bool saved = !unsaved_ || save();
    showState();
    return saved;
}

bool RecorderWindow::save()
{
    const WriteResult written = writeBytesSafely(path_, wavFile(pcmFormatOf(format_), samples_));
    if (!written) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("録音を保存できません: ") + written.error
                                 + QStringLiteral("。録音はまだ残っています。「停止」でもう一度保存します。"));
        return false;
    }
    unsaved_ = false;
    return true;
}

void RecorderWindow::showState()
{
    const bool hasDevice = !QMediaDevices::defaultAudioInput().isNull();
    record_->setEnabled(hasDevice && !isRecording());
    stop_->setEnabled(isRecording() || unsaved_);
    const int bytesPerSecond = qMax(1, format_.bytesForDuration(1000000));
    const qint64 seconds = samples_.size() / bytesPerSecond;
    const QString time = QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (!hasDevice)
        state_->setText(QStringLiteral("録音できる機器がありません。"));
    else if (isRecording())
        state_->setText(QStringLiteral("録音中 ") + time);
    else if (unsaved_)
        state_->setText(QStringLiteral("保存されていません ") + time);
    else if (!samples_.isEmpty())
        state_->setText(QStringLiteral("保存しました ") + time);
    else
        state_->setText(QStringLiteral("「録音」を押すと録音を始めます。"));
}

void RecorderWindow::closeEvent(QCloseEvent *event)
{
    // Closing while recording keeps the recording; a file that cannot be written keeps the window.
    if (!stopRecording()) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace sorvek
