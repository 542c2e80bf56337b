#include "tools/tform6.h"

#include "tools/videorules.h"

#include <QAudioOutput>
#include <QCloseEvent>
#include <algorithm>
#include <climits>
#include <QCursor>
#include <QFileInfo>
#include <QMediaMetaData>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>

namespace sorvek {

namespace {
constexpr int controlBarHeight = 45;
// The window before a file has told its size; not any earlier video's size.
constexpr QSize idleSize(320, 240 + controlBarHeight);
// A medium without a picture size (sound only, or a video whose size comes with its first frame)
// gets the control bar at its full width and no picture yet.
constexpr QSize unknownVideoSize(320, 0);
}

TForm6::TForm6(IUserPrompt &prompt, QWidget *parent) : AlignPanel(QStringLiteral("Form6"), parent), prompt_(prompt)
{
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    resize(idleSize);

    Panel3 = makeControl<AlignPanel>(QStringLiteral("Panel3"), this, QStringLiteral("Panel3"));
    Panel3->resize(width(), controlBarHeight);
    Panel3->setAutoFillBackground(true);
    QPalette silver = Panel3->palette();
    silver.setColor(QPalette::Window, QColor(0xc0, 0xc0, 0xc0));
    Panel3->setPalette(silver);
    AlignPanel::setAlign(Panel3, Align::Bottom);
    createControlBar();

    Panel1 = makeControl<AlignPanel>(QStringLiteral("Panel1"), this, QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);
    QPalette black = Panel1->palette();
    black.setColor(QPalette::Window, Qt::black);
    Panel1->setPalette(black);
    AlignPanel::setAlign(Panel1, Align::Client);
    display_ = makeControl<QVideoWidget>(QStringLiteral("Display"), Panel1);
    // The picture fills its display rectangle, as the media control stretched it.
    display_->setAspectRatioMode(Qt::IgnoreAspectRatio);
    connect(Panel1, &AlignPanel::Resized, this, &TForm6::Panel1Resize);

    audio_ = new QAudioOutput(this);
    createPlayer();
    connect(display_->videoSink(), &QVideoSink::videoFrameChanged, this, &TForm6::firstFrame);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, &TForm6::Timer1Timer);
    openWatch_ = new QTimer(this);
    openWatch_->setSingleShot(true);
    connect(openWatch_, &QTimer::timeout, this, [this] {
        if (opening_)
            openFailed();
    });
}

TForm6::~TForm6()
{
    // The children outlive this part of the object: their last signals must not reach it.
    for (const QObject *sender : std::initializer_list<const QObject *>{MediaPlayer1, videoSink(), Panel1, TrackBar1, Timer1, openWatch_})
        disconnect(sender, nullptr, this, nullptr);
}

void TForm6::createPlayer()
{
    // A new player for each file: news that the old one still has queued (statuses of its file)
    // must not be taken for the new file's.
    delete MediaPlayer1;
    MediaPlayer1 = new QMediaPlayer(this);
    MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
    MediaPlayer1->setAudioOutput(audio_);
    MediaPlayer1->setVideoOutput(display_);
    connect(MediaPlayer1, &QMediaPlayer::mediaStatusChanged, this, &TForm6::mediaStatusChanged);
    connect(MediaPlayer1, &QMediaPlayer::errorOccurred, this, &TForm6::mediaError);
    connect(MediaPlayer1, &QMediaPlayer::durationChanged, this, [this](qint64 duration) {
        if (MediaPlayer1Tag == 1 && !opening_)
            MediaLengthText = mediaLengthText(duration);
    });
}

void TForm6::createControlBar()
{
    TrackBar1 = makeControl<QSlider>(QStringLiteral("TrackBar1"), Panel3, Qt::Horizontal);
    TrackBar1->setTickPosition(QSlider::NoTicks);
    TrackBar1->setFixedHeight(16);
    AlignPanel::setAlign(TrackBar1, Align::Top);
    connect(TrackBar1, &QSlider::valueChanged, this, &TForm6::TrackBar1Change);

    const auto button = [this](const QString &name, int left, int width) {
        auto *b = makeControl<SpeedButton>(name, Panel3, name);
        b->setGeometry(left, 18, width, 25);
        b->setAutoRaise(true);
        return b;
    };
    playbutton = button(QStringLiteral("playbutton"), 4, 28);
    playbutton->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    playbutton->installEventFilter(this);
    stopbutton = button(QStringLiteral("stopbutton"), 34, 28);
    stopbutton->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    returnbutton = button(QStringLiteral("returnbutton"), 64, 28);
    returnbutton->setIcon(style()->standardIcon(QStyle::SP_MediaSkipBackward));
    minus1 = button(QStringLiteral("minus1"), 98, 28);
    minus1->setText(QStringLiteral("-1"));
    plus1 = button(QStringLiteral("plus1"), 128, 28);
    plus1->setText(QStringLiteral("+1"));
    Label1 = makeControl<QLabel>(QStringLiteral("Label1"), Panel3);
    const int counterLeft = plus1->geometry().right() + 6;
    Label1->setGeometry(counterLeft, 18, Label1->fontMetrics().horizontalAdvance(QStringLiteral("00000 / 00000")) + 8, 25);
    Label1->setText(QStringLiteral("0000/0000"));

    connect(playbutton, &SpeedButton::Click, this, &TForm6::playbuttonClick);
    // The stop, rewind and frame buttons act on the release of any mouse button.
    connect(stopbutton, &SpeedButton::MouseUp, this, &TForm6::stopbuttonMouseUp);
    connect(returnbutton, &SpeedButton::MouseUp, this, &TForm6::returnbuttonMouseUp);
    connect(plus1, &SpeedButton::MouseUp, this, &TForm6::plus1MouseUp);
    connect(minus1, &SpeedButton::MouseUp, this, &TForm6::minus1MouseUp);
}

QVideoSink *TForm6::videoSink() const
{
    return display_->videoSink();
}

qint64 TForm6::Position() const
{
    return MediaPlayer1->position();
}

qint64 TForm6::length() const
{
    return lengthFromText(MediaLengthText);
}

void TForm6::Open(QPoint click, const QString &file)
{
    ClickX = click.x();
    ClickY = click.y();
    setWindowTitle(file);
    Tag = 1;
    // show() on a shown window sends no show event: the reset of a fresh show runs here instead.
    if (isVisible())
        FormShow();
    else
        show();
    playbuttonDblClick();
}

void TForm6::FormShow()
{
    Tag = 1;
    clearDisplay();
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

void TForm6::playbuttonDblClick()
{
    if (Tag == 1)
        open();
    else
        restart();
}

void TForm6::open()
{
    MediaPlayer1Tag = 1;
    const QUrl source = videoSourceUrl(Caption());
    if (source.isEmpty() || (source.isLocalFile() && !QFileInfo(source.toLocalFile()).isFile())) {
        openFailed();
        return;
    }
    opening_ = true;
    Timer1->stop();
    createPlayer();
    // GStreamer can wait for ever on a damaged file; a local file gets 10 s, a web address 30 s.
    openWatch_->start(source.isLocalFile() ? 10000 : 30000);
    MediaPlayer1->setSource(source);
}

// The medium has loaded: the rest of the open runs now (loading is asynchronous here).
void TForm6::opened()
{
    PlayingFlag = true;
    const QSize natural = MediaPlayer1->metaData().value(QMediaMetaData::Resolution).toSize();
    sizePending_ = !natural.isValid() || natural.isEmpty();
    applyVideoSize(sizePending_ ? unknownVideoSize : natural);
    frameTime_ = frameDuration(MediaPlayer1->metaData().value(QMediaMetaData::VideoFrameRate).toDouble());
    MediaPlayer1->setPosition(0);
    MediaLengthText = mediaLengthText(MediaPlayer1->duration());
    Timer1->start();
    PlayingFlag = true;
    MediaPlayer1->play();
    Tag = 0;
    restPointer();
}

void TForm6::applyVideoSize(QSize video)
{
    VideoHeight = video.height();
    VideoWidth = video.width();
    // The bar is never narrower than its buttons and counter.
    const QSize bar(Label1->geometry().right() + 4, Panel3->height());
    const VideoWindowPlacement placement = videoWindowPlacement(QPoint(ClickX, ClickY), video, bar);
    resize(placement.clientSize);
    // The click is taken as a screen position: the video is centred on it when the main window's
    // client area starts at the screen's corner.
    move(placement.topLeft);
    display_->setGeometry((placement.clientSize.width() - VideoWidth) / 2, 0, VideoWidth, VideoHeight);
}

void TForm6::firstFrame()
{
    if (!sizePending_ || !videoSink()->videoSize().isValid())
        return;
    sizePending_ = false;
    applyVideoSize(videoSink()->videoSize());
    restPointer();
}

void TForm6::openFailed()
{
    openWatch_->stop();
    opening_ = false;
    MediaPlayer1Tag = 0;
    prompt_.information(this, QStringLiteral("そのファイルは開けません"));
    close();
}

void TForm6::mediaStatusChanged(QMediaPlayer::MediaStatus status)
{
    if (!opening_)
        return;
    if (status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferedMedia) {
        opening_ = false;
        openWatch_->stop();
        opened();
    } else if (status == QMediaPlayer::InvalidMedia) {
        openFailed();
    }
}

void TForm6::mediaError(QMediaPlayer::Error error)
{
    // Errors after the open (of a restart, a seek, playing) are ignored.
    if (opening_ && error != QMediaPlayer::NoError)
        openFailed();
}

void TForm6::clearDisplay()
{
    // The last video neither plays on nor shows its frame behind the next one.
    MediaPlayer1->stop();
    if (videoSink()->videoFrame().isValid())
        videoSink()->setVideoFrame(QVideoFrame());
    const QSignalBlocker block(TrackBar1);
    TrackBar1->setMaximum(0);
    TrackBar1->setValue(0);
    Label1->setText(QStringLiteral("0000/0000"));
    resize(idleSize);
}

void TForm6::restart()
{
    Timer1->stop();
    PlayingFlag = true;
    MediaPlayer1->setPosition(0);
    Timer1->start();
    MediaPlayer1->play();
    restPointer();
}

void TForm6::restPointer()
{
    QCursor::setPos(pointerRestPosition(frameGeometry(), returnbutton->pos()));
}

void TForm6::playbuttonClick()
{
    Timer1->start();
    PlayingFlag = true;
    MediaPlayer1->play();
}

void TForm6::stop()
{
    // Pausing keeps the position, as the media control's stop did; a medium that has played to its
    // end has stopped already and keeps its end position.
    if (MediaPlayer1->playbackState() == QMediaPlayer::PlayingState)
        MediaPlayer1->pause();
}

void TForm6::seek(qint64 position)
{
    // Seeking stops playing; the paused player shows the frame at the new position.
    if (MediaPlayer1->playbackState() != QMediaPlayer::PausedState)
        MediaPlayer1->pause();
    MediaPlayer1->setPosition(position);
}

void TForm6::stopbuttonMouseUp()
{
    Timer1->start();
    PlayingFlag = false;
    stop();
}

void TForm6::returnbuttonMouseUp()
{
    Timer1->start();
    PlayingFlag = false;
    seek(0);
}

void TForm6::stepFrames(int frames)
{
    PlayingFlag = false;
    Timer1->start();
    seek(frameStepPosition(Position(), length(), frameTime_, frames));
}

void TForm6::plus1MouseUp()
{
    stepFrames(1);
}

void TForm6::minus1MouseUp()
{
    stepFrames(-1);
}

void TForm6::Timer1Timer()
{
    const qint64 total = length();
    {
        // The timer's own update of the bar is no user's move: it never seeks.
        const QSignalBlocker block(TrackBar1);
        TrackBar1->setMaximum(int(std::clamp<qint64>(total, 0, INT_MAX)));
        TrackBar1->setValue(int(std::clamp<qint64>(Position(), 0, INT_MAX)));
    }
    Label1->setText(positionText(Position(), total));
    // After a stop, rewind or frame step the bar is updated once; only playing keeps it running.
    if (!PlayingFlag)
        Timer1->stop();
}

void TForm6::TrackBar1Change(int position)
{
    if (PlayingFlag)
        return;
    Timer1->stop();
    Label1->setText(positionText(position, length()));
    seek(position);
}

void TForm6::Panel1Resize()
{
    display_->setGeometry(0, 0, Panel1->width(), Panel1->height());
}

void TForm6::FormClose()
{
    if (MediaPlayer1Tag == 1)
        stop();
    // A medium still loading is not played once the window is gone.
    opening_ = false;
    openWatch_->stop();
    Timer1->stop();
    setWindowTitle(QString());
}

void TForm6::showEvent(QShowEvent *event)
{
    AlignPanel::showEvent(event);
    // Coming back from the task bar is no new show of the window.
    if (!event->spontaneous())
        FormShow();
}

void TForm6::closeEvent(QCloseEvent *event)
{
    FormClose();
    AlignPanel::closeEvent(event);
}

bool TForm6::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == playbutton && event->type() == QEvent::MouseButtonDblClick
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        playbuttonDblClick();
        return true;
    }
    return AlignPanel::eventFilter(watched, event);
}

} // namespace sorvek
