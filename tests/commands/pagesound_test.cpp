#include "commands/pagesound.h"

#include "commands/wavfile.h"
#include "testutil.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace sorvek;

namespace {

struct SoundFileCase {
    const char *name;
    QString url;
    QString topFolder;
    int depth;
    QString expected;
};

class PageSoundFileOf : public ::testing::TestWithParam<SoundFileCase> {};

TEST_P(PageSoundFileOf, IsThePageNameWithWavInTheLevelFolder)
{
    const SoundFileCase &c = GetParam();
    EXPECT_EQ(pageSoundFile(c.url, c.topFolder, c.depth, QStringLiteral("/book")), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PageSoundFileOf,
    ::testing::Values(
        SoundFileCase{"RootLevelUsesTheBookFolder", QStringLiteral("file:///book/1010_page.html"),
                      QStringLiteral("/book/"), 1, QStringLiteral("/book/1010_page.wav")},
        SoundFileCase{"DeeperLevelUsesItsFolder", QStringLiteral("file:///book/sub/a.html"),
                      QStringLiteral("/book/sub/"), 2, QStringLiteral("/book/sub/a.wav")},
        SoundFileCase{"PageFromElsewhereIsLookedUpInTheTopFolder", QStringLiteral("file:///other/place/b.html"),
                      QStringLiteral("/book/found/"), 3, QStringLiteral("/book/found/b.wav")},
        SoundFileCase{"EncodedNameIsDecoded", QStringLiteral("file:///book/my%20page.html"), QStringLiteral("/book/"),
                      1, QStringLiteral("/book/my page.wav")},
        SoundFileCase{"FolderUrlCountsAsIndex", QStringLiteral("file:///book/"), QStringLiteral("/book/"), 1,
                      QStringLiteral("/book/index.wav")},
        SoundFileCase{"EmptyRegisterCountsAsIndex", QString(), QStringLiteral("/book/"), 0,
                      QStringLiteral("/book/index.wav")},
        SoundFileCase{"NameWithoutExtensionGetsOne", QStringLiteral("file:///book/readme"), QStringLiteral("/book/"),
                      1, QStringLiteral("/book/readme.wav")},
        SoundFileCase{"LastExtensionIsReplaced", QStringLiteral("file:///book/a.b.htm"), QStringLiteral("/book/"), 1,
                      QStringLiteral("/book/a.b.wav")},
        SoundFileCase{"WebPageTakesItsLastSegment", QStringLiteral("https://example.org/x/news.html"),
                      QStringLiteral("/book/sub/"), 2, QStringLiteral("/book/sub/news.wav")}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(EmptyRecordingFile, IsThe58BytesOfTheTable)
{
    EXPECT_EQ(emptyRecordingFile().toHex(),
              QByteArray("52494646320000005741564566" "6d7420120000000100010022560000225600000100080000"
                         "0066616374040000000000000064617461" "00000000"));
    EXPECT_EQ(emptyRecordingFile().size(), 58);
}

quint32 u32(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 u16(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

struct HeaderCase {
    const char *name;
    PcmFormat format;
    quint32 data;
    quint16 tag;
    quint32 bytesPerSecond;
    quint16 blockAlign;
    quint32 riffSize;
};

class WavHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(WavHeader, DescribesTheSamples)
{
    const HeaderCase &c = GetParam();
    const QByteArray h = wavHeader(c.format, c.data);
    ASSERT_EQ(h.size(), 44);
    EXPECT_EQ(h.left(4), QByteArray("RIFF"));
    EXPECT_EQ(u32(h, 4), c.riffSize);
    EXPECT_EQ(h.mid(8, 8), QByteArray("WAVEfmt "));
    EXPECT_EQ(u32(h, 16), 16u);
    EXPECT_EQ(u16(h, 20), c.tag);
    EXPECT_EQ(u16(h, 22), quint16(c.format.channels));
    EXPECT_EQ(u32(h, 24), quint32(c.format.sampleRate));
    EXPECT_EQ(u32(h, 28), c.bytesPerSecond);
    EXPECT_EQ(u16(h, 32), c.blockAlign);
    EXPECT_EQ(u16(h, 34), quint16(c.format.bitsPerSample));
    EXPECT_EQ(h.mid(36, 4), QByteArray("data"));
    EXPECT_EQ(u32(h, 40), std::min(c.data, kMaxWavDataBytes));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, WavHeader,
    ::testing::Values(HeaderCase{"Mono16Bit", {22050, 1, 16, false}, 1000, 1, 44100, 2, 1036},
                      HeaderCase{"Mono8BitOddDataIsPadded", {8000, 1, 8, false}, 3, 1, 8000, 1, 40},
                      HeaderCase{"FloatSamples", {44100, 2, 32, true}, 8, 3, 352800, 8, 44},
                      HeaderCase{"HugeDataIsCapped", {22050, 1, 16, false}, 0xFFFFFFFFu, 1, 44100, 2,
                                 36u + kMaxWavDataBytes}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(WavFile, AddsThePadByteOfAnOddDataChunk)
{
    const QByteArray file = wavFile({8000, 1, 8, false}, QByteArray("abc"));
    EXPECT_EQ(file.size(), 44 + 4);
    EXPECT_EQ(file.mid(44), QByteArray("abc\0", 4));
    EXPECT_EQ(u32(file, 4), quint32(file.size() - 8));
}

// Recording ------------------------------------------------------------------------------------

TEST(PrepareRecording, WritesTheEmptyRecordingForAMissingFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.wav"));
    const RecordingStart start = prepareRecording(path);
    EXPECT_TRUE(start.ok);
    EXPECT_TRUE(start.createdEmpty);
    EXPECT_EQ(testutil::readBytes(path), emptyRecordingFile());
}

TEST(PrepareRecording, LeavesAnExistingRecordingAlone)
{
    QTemporaryDir dir;
    const QString path = testutil::writeBytes(dir.path(), QStringLiteral("a.wav"), QByteArray(2048, 'x'));
    const RecordingStart start = prepareRecording(path);
    EXPECT_TRUE(start.ok);
    EXPECT_FALSE(start.createdEmpty);
    EXPECT_EQ(testutil::readBytes(path), QByteArray(2048, 'x'));
}

TEST(PrepareRecording, FileThatCannotBeCreatedStopsTheRecording)
{
    QTemporaryDir dir;
    const RecordingStart start = prepareRecording(dir.filePath(QStringLiteral("missing/a.wav")));
    EXPECT_FALSE(start.ok);
    EXPECT_FALSE(start.error.isEmpty());
}

struct KeepCase {
    const char *name;
    int bytes; // -1: no file
    bool kept;
};

class KeepRecording : public ::testing::TestWithParam<KeepCase> {};

TEST_P(KeepRecording, RemovesRecordingsShorterThan1024Bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.wav"));
    if (GetParam().bytes >= 0)
        testutil::writeBytes(dir.path(), QStringLiteral("a.wav"), QByteArray(GetParam().bytes, 'x'));
    EXPECT_EQ(keepRecording(path), GetParam().kept);
    EXPECT_EQ(QFileInfo::exists(path), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Threshold, KeepRecording,
                         ::testing::Values(KeepCase{"RecorderClosedWithoutRecording", 58, false},
                                           KeepCase{"JustShort", 1023, false}, KeepCase{"Exactly1024", 1024, true},
                                           KeepCase{"TwoKilobytes", 2048, true}, KeepCase{"NoFile", -1, false}),
                         [](const auto &row) { return std::string(row.param.name); });

struct ButtonCase {
    const char *name;
    bool right;
    bool exists;
    PlayButtonAction action;
};

class PlayButton : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(PlayButton, LeftPlaysRightRecycles)
{
    EXPECT_EQ(playButtonAction(GetParam().right, GetParam().exists), GetParam().action);
}

INSTANTIATE_TEST_SUITE_P(Rules, PlayButton,
                         ::testing::Values(ButtonCase{"LeftPlays", false, true, PlayButtonAction::Play},
                                           ButtonCase{"RightRecycles", true, true, PlayButtonAction::Recycle},
                                           ButtonCase{"LeftWithoutFileDoesNothing", false, false,
                                                      PlayButtonAction::Nothing},
                                           ButtonCase{"RightWithoutFileDoesNothing", true, false,
                                                      PlayButtonAction::Nothing}),
                         [](const auto &row) { return std::string(row.param.name); });

} // namespace
