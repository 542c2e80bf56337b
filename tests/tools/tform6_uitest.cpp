// The video player offscreen on a real (tiny, uncompressed) video: opening at the click, frames
// reaching the video sink, stop, seeking, frame steps, restart and files that cannot be opened.
#include "tools/tform6.h"

#include "fakes/fakeplatform.h"
#include "testutil.h"
#include "tools/tinyavi.h"
#include "tools/videorules.h"
#include "commands/wavfile.h"

#include <QCursor>
#include <QMediaPlayer>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace sorvek;

namespace {

// 64 x 48 pixels, 10 frames a second: frame i starts at i * 100 ms.
constexpr int fps = 10;
constexpr int frameCount = 40;

class VideoPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        video = testutil::writeBytes(dir.path(), QStringLiteral("動画/clip 1.avi"), tinyavi::make(64, 48, fps, frameCount));
        QObject::connect(form.videoSink(), &QVideoSink::videoFrameChanged, &form,
                         [this](const QVideoFrame &frame) { frames.append(frame); });
    }

    void open(const QString &file, QPoint click = QPoint(500, 400)) { form.Open(click, file); }

    bool openAndWaitForPlaying(QPoint click = QPoint(500, 400))
    {
        open(video, click);
        return QTest::qWaitFor([this] { return form.Tag == 0 && !frames.isEmpty(); }, 5000);
    }

    QMediaPlayer::PlaybackState state() const { return form.MediaPlayer1->playbackState(); }

    // Waits for a frame that starts at ms and tells whether it shows that frame's colour.
    bool showsFrameAt(qint64 ms)
    {
        const auto shown = [this, ms] {
            return !frames.isEmpty() && frames.constLast().startTime() / 1000 == ms;
        };
        if (!QTest::qWaitFor(shown, 5000))
            return false;
        const QImage image = frames.constLast().toImage();
        const tinyavi::Colour want = tinyavi::colourOfFrame(int(ms * fps / 1000));
        const QColor got = image.pixelColor(image.width() / 2, image.height() / 2);
        return std::abs(got.red() - want.r) < 12 && std::abs(got.green() - want.g) < 12
               && std::abs(got.blue() - want.b) < 12;
    }

    void stopPlaying()
    {
        QTest::mouseClick(form.stopbutton, Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([this] { return state() != QMediaPlayer::PlayingState; }, 2000));
    }

    QTemporaryDir dir;
    QString video;
    fakes::FakePrompt prompt;
    QList<QVideoFrame> frames;
    TForm6 form{prompt};
};

TEST_F(VideoPlayerTest, OpensCentredOnTheClickAndPlaysFramesThroughTheSink)
{
    ASSERT_TRUE(openAndWaitForPlaying(QPoint(500, 400)));
    EXPECT_EQ(form.VideoWidth, 64);
    EXPECT_EQ(form.VideoHeight, 48);
    const int bar = form.Label1->geometry().right() + 4;  // narrower videos are centred in it
    EXPECT_EQ(form.size(), QSize(bar, 48 + 45));
    EXPECT_EQ(form.pos(), QPoint(500 - bar / 2, 400 - 24));
    EXPECT_EQ(form.display_->geometry(), QRect((bar - 64) / 2, 0, 64, 48));
    EXPECT_EQ(form.MediaLengthText, QStringLiteral("04000"));
    EXPECT_EQ(form.MediaPlayer1Tag, 1);
    EXPECT_TRUE(form.PlayingFlag);
    EXPECT_EQ(QCursor::pos(), pointerRestPosition(form.frameGeometry(), form.returnbutton->pos()));
    EXPECT_TRUE(prompt.messages.isEmpty());

    // Several different frames arrive while it plays, and the bar and label follow.
    ASSERT_TRUE(QTest::qWaitFor([this] { return frames.size() >= 4; }, 5000));
    EXPECT_EQ(frames.constFirst().size(), QSize(64, 48));
    EXPECT_NE(frames.at(0).toImage().pixelColor(32, 24), frames.at(3).toImage().pixelColor(32, 24));
    QTest::qWait(30);
    EXPECT_EQ(form.TrackBar1->maximum(), 4000);
    EXPECT_TRUE(form.Label1->text().endsWith(QStringLiteral(" / 4000"))) << form.Label1->text().toStdString();
}

TEST_F(VideoPlayerTest, ClickNearTheCornerPlacesTheWindowAtZero)
{
    ASSERT_TRUE(openAndWaitForPlaying(QPoint(10, 20)));
    EXPECT_EQ(form.pos(), QPoint(0, 0));
}

TEST_F(VideoPlayerTest, TrackBarSeeksOnlyAfterStop)
{
    ASSERT_TRUE(openAndWaitForPlaying());
    form.TrackBar1->setValue(3000);
    EXPECT_LT(form.Position(), 3000) << "moving the bar while playing must not seek";
    EXPECT_EQ(state(), QMediaPlayer::PlayingState);

    stopPlaying();
    EXPECT_FALSE(form.PlayingFlag);
    const qint64 stoppedAt = form.Position();
    QTest::qWait(300);
    EXPECT_EQ(form.Position(), stoppedAt) << "stop keeps the position";
    EXPECT_FALSE(form.Timer1->isActive()) << "the display timer runs on only while playing";

    form.TrackBar1->setValue(2500);
    EXPECT_EQ(form.Position(), 2500);
    EXPECT_EQ(form.Label1->text(), QStringLiteral("2500 / 4000"));
    EXPECT_TRUE(showsFrameAt(2500));
}

TEST_F(VideoPlayerTest, FrameStepsMoveOneFrameAndShowIt)
{
    ASSERT_TRUE(openAndWaitForPlaying());
    stopPlaying();
    form.TrackBar1->setValue(1000);
    ASSERT_TRUE(showsFrameAt(1000));

    QTest::mouseClick(form.plus1, Qt::LeftButton);
    EXPECT_EQ(form.Position(), 1100);
    EXPECT_TRUE(showsFrameAt(1100));

    QTest::mouseClick(form.minus1, Qt::RightButton); // any mouse button
    QTest::mouseClick(form.minus1, Qt::LeftButton);
    EXPECT_EQ(form.Position(), 900);
    EXPECT_TRUE(showsFrameAt(900));
    QTest::qWait(30);
    EXPECT_EQ(form.Label1->text(), QStringLiteral("900 / 4000"));
    EXPECT_EQ(form.TrackBar1->value(), 900);

    QTest::mouseClick(form.returnbutton, Qt::LeftButton);
    EXPECT_EQ(form.Position(), 0);
    QTest::mouseClick(form.minus1, Qt::LeftButton);
    EXPECT_EQ(form.Position(), 0) << "no step before the start";
    EXPECT_TRUE(showsFrameAt(0));
    EXPECT_NE(state(), QMediaPlayer::PlayingState);
}

TEST_F(VideoPlayerTest, PlayButtonPlaysOnAndDoubleClickStartsAgain)
{
    ASSERT_TRUE(openAndWaitForPlaying());
    stopPlaying();
    form.TrackBar1->setValue(2000);

    QTest::mouseClick(form.playbutton, Qt::LeftButton);
    EXPECT_TRUE(form.PlayingFlag);
    ASSERT_TRUE(QTest::qWaitFor([this] { return form.Position() > 2000; }, 3000));

    QTest::mouseDClick(form.playbutton, Qt::LeftButton);
    EXPECT_TRUE(form.PlayingFlag);
    EXPECT_LT(form.Position(), 1000) << "a double-click starts from the beginning";
    EXPECT_EQ(form.Tag, 0) << "a restart opens nothing";
    EXPECT_TRUE(QTest::qWaitFor([this] { return state() == QMediaPlayer::PlayingState; }, 2000));
}

TEST_F(VideoPlayerTest, ClosingStopsAndForgetsTheFile)
{
    ASSERT_TRUE(openAndWaitForPlaying());
    form.close();
    EXPECT_TRUE(form.Caption().isEmpty());
    EXPECT_NE(state(), QMediaPlayer::PlayingState);
    EXPECT_FALSE(form.Timer1->isActive());

    // The same file opens again.
    frames.clear();
    ASSERT_TRUE(openAndWaitForPlaying());
    EXPECT_EQ(state(), QMediaPlayer::PlayingState);
}

TEST_F(VideoPlayerTest, ClosedWhileLoadingNeverPlays)
{
    open(video);
    form.close();
    QTest::qWait(500);
    EXPECT_NE(state(), QMediaPlayer::PlayingState);
    EXPECT_EQ(form.Tag, 1);
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(VideoPlayerTest, SoundOnlyFileOpensThePlayerBar)
{
    const QString sound = testutil::writeBytes(dir.path(), QStringLiteral("voice.avi"),
                                               wavFile({8000, 1, 16, false}, QByteArray(16000, '\0')));
    open(sound, QPoint(500, 400));
    ASSERT_TRUE(QTest::qWaitFor([this] { return form.Tag == 0; }, 5000));
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_GE(form.width(), 200); // the bar with its buttons and counter can be used
    EXPECT_EQ(form.height(), 45);
    EXPECT_EQ(form.MediaLengthText, QStringLiteral("01000"));
}

// Closed or still shown, the failed open leaves no trace of the video before it.
TEST_F(VideoPlayerTest, FailedNextOpenKeepsNothingOfThePreviousVideo)
{
    for (const bool closeFirst : {true, false}) {
        ASSERT_TRUE(openAndWaitForPlaying());
        QTest::qWait(150);
        ASSERT_NE(form.Label1->text(), QStringLiteral("0000/0000"));
        if (closeFirst)
            form.close();
        open(dir.filePath(QStringLiteral("none.avi")));
        EXPECT_EQ(form.Label1->text(), QStringLiteral("0000/0000")) << closeFirst;
        EXPECT_EQ(form.TrackBar1->value(), 0) << closeFirst;
        EXPECT_NE(form.height(), 48 + 45) << closeFirst;
        EXPECT_FALSE(form.videoSink()->videoFrame().isValid()) << closeFirst;
        EXPECT_NE(state(), QMediaPlayer::PlayingState) << closeFirst;
        EXPECT_EQ(prompt.messages.back(), QStringLiteral("そのファイルは開けません"));
        EXPECT_EQ(prompt.askers.back(), &form);
    }
}


struct UnopenableCase {
    const char *name;
    const char *file; // relative to the test folder; "" names nothing
    QByteArray bytes; // written when not empty
};

class UnopenableVideoTest : public VideoPlayerTest, public ::testing::WithParamInterface<UnopenableCase> {};

TEST_P(UnopenableVideoTest, SaysSoAndCloses)
{
    const UnopenableCase &c = GetParam();
    QString file = c.file[0] ? dir.filePath(QString::fromUtf8(c.file)) : QString();
    if (!c.bytes.isEmpty())
        file = testutil::writeBytes(dir.path(), QString::fromUtf8(c.file), c.bytes);
    open(file);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !prompt.messages.isEmpty(); }, 15000));
    EXPECT_EQ(prompt.messages, QStringList{QStringLiteral("そのファイルは開けません")});
    EXPECT_EQ(form.MediaPlayer1Tag, 0);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.Caption().isEmpty());
    EXPECT_NE(state(), QMediaPlayer::PlayingState);
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnopenableVideoTest,
    ::testing::Values(UnopenableCase{"MissingFile", "none.avi", {}},
                      UnopenableCase{"NotAVideo", "text.avi", QByteArray("this is no video at all\r\n").repeated(40)},
                      UnopenableCase{"BrokenHeader", "cut.avi", tinyavi::make(64, 48, 10, 2).left(60)},
                      UnopenableCase{"NothingNamed", "", {}}),
    [](const auto &row) { return std::string(row.param.name); });

} // namespace
