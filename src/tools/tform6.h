#pragma once
// The video player: plays the video file named by its caption in a window centred on the click
// that opened it, with a position bar, play, stop, rewind and one-frame steps.
#include "app/controls_ui.h"
#include "platform/ports.h"

#include <QMediaPlayer>

class QAudioOutput;
class QSlider;
class QTimer;
class QVideoSink;
class QVideoWidget;

namespace sorvek {

class TForm6 : public AlignPanel {
    Q_OBJECT
public:
    explicit TForm6(IUserPrompt &prompt, QWidget *parent = nullptr);
    ~TForm6() override;

    // Written by the caller before it shows the window: the click in the main window's client
    // coordinates, and 1 in Tag when the file named by the caption still has to be opened.
    int ClickX = 0;
    int ClickY = 0;
    int Tag = 0;
    // The natural size of the opened video.
    int VideoWidth = 0;
    int VideoHeight = 0;
    // True while playing was started by opening, the play button or a restart; while it is false,
    // moving the track bar seeks.
    bool PlayingFlag = false;
    // The media length (ms) with at least five digits; the length is read back from it.
    QString MediaLengthText;
    // 1 after a successful open, 0 after a failed one (then closing sends no stop).
    int MediaPlayer1Tag = 0;

    // The file to play; "" while the window is closed.
    QString Caption() const { return windowTitle(); }

    // The main window's request to play file, opened centred on click (main window client
    // coordinates): the window shows, or when already shown starts over as a fresh show would.
    void Open(QPoint click, const QString &file);

    void FormShow();
    void playbuttonDblClick();
    void playbuttonClick();
    void stopbuttonMouseUp();
    void returnbuttonMouseUp();
    void plus1MouseUp();
    void minus1MouseUp();
    void Timer1Timer();
    void TrackBar1Change(int position);
    void Panel1Resize();
    void FormClose();

    // The video output: the frames shown go through its sink.
    QVideoSink *videoSink() const;
    // The player's position in ms.
    qint64 Position() const;

    AlignPanel *Panel1;
    QVideoWidget *display_; // the part of Panel1 the picture is drawn in (the display rectangle)
    QMediaPlayer *MediaPlayer1 = nullptr;
    AlignPanel *Panel3;
    QSlider *TrackBar1;
    SpeedButton *playbutton;
    SpeedButton *stopbutton;
    SpeedButton *returnbutton;
    SpeedButton *plus1;
    SpeedButton *minus1;
    QLabel *Label1;
    QTimer *Timer1;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createPlayer();
    void createControlBar();
    void open();
    void opened();
    void openFailed();
    void applyVideoSize(QSize video);
    void clearDisplay(); // counter, bar and size of no video, before the next one opens
    void restart();
    void stepFrames(int frames);
    void seek(qint64 position);
    void stop();
    void restPointer();
    qint64 length() const;
    void mediaStatusChanged(QMediaPlayer::MediaStatus status);
    void mediaError(QMediaPlayer::Error error);
    void firstFrame();

    IUserPrompt &prompt_;
    QAudioOutput *audio_;
    bool opening_ = false;   // an open waits for the medium to load
    QTimer *openWatch_;      // a medium that never finishes loading counts as one that cannot be opened
    bool sizePending_ = false; // the medium told no picture size: the first frame will
    qint64 frameTime_ = 33;
};

} // namespace sorvek
