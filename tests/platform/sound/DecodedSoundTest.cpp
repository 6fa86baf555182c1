// A long sound is decoded in stretches on several threads at once; whatever the file holds, the
// result must be the one a single pass gives, sample for sample, failures included.
#include "platform/sound/DecodedSound.h"

#include "tests/support/TestSounds.h"

#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

namespace {

constexpr unsigned kThreads = 8;

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// Decodes the bytes in one pass and on kThreads threads and compares the two; answers how many
/// stretches the threaded decode took.
std::size_t ExpectSameOnOneAndManyThreads(const QByteArray& bytes)
{
    cDecodedSound one, many;
    const FMOD_RESULT oneResult = one.DecodeOggVorbis(bytes.constData(), std::size_t(bytes.size()), 1);
    EXPECT_EQ(one.GetStretches(), 1u);
    EXPECT_EQ(many.DecodeOggVorbis(bytes.constData(), std::size_t(bytes.size()), kThreads), oneResult);
    EXPECT_EQ(many.GetChannels(), one.GetChannels());
    EXPECT_EQ(many.GetRate(), one.GetRate());
    EXPECT_EQ(many.GetFrames(), one.GetFrames());
    if (many.GetFrames() != one.GetFrames())
        return many.GetStretches();
    std::size_t differing = 0;
    for (std::size_t frame = 0; frame < one.GetFrames(); ++frame)
        for (int channel = 0; channel < one.GetChannels(); ++channel)
            differing += one.Sample(frame, channel) != many.Sample(frame, channel);
    EXPECT_EQ(differing, 0u);
    return many.GetStretches();
}

TEST(DecodedSoundTest, EveryPieceOfTheGameDecodesOnManyThreadsToTheSamplesOfOnePass)
{
    int pieces = 0;
    int threaded = 0;
    QDirIterator it(":/res/wave", {"*.ogg"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        SCOPED_TRACE(path.toStdString());
        const std::size_t stretches = ExpectSameOnOneAndManyThreads(Bytes(path));
        ++pieces;
        threaded += stretches > 1;
    }
    // Most effects are too short to share out; the music, the ambiences and the longest effects are not.
    EXPECT_GT(pieces, 100);
    EXPECT_EQ(threaded, 23);
}

// Each stretch meets what a single pass meets, or the decode falls back to one pass.
TEST(DecodedSoundTest, DamagedChainedAndShortFilesDecodeAsInOnePass)
{
    const QByteArray music = Bytes(":/res/wave/Music/Meadow.ogg");
    ASSERT_FALSE(music.isEmpty());
    QByteArray flipped = music;
    for (int at = music.size() / 3; at < music.size(); at += music.size() / 7)
        flipped[at] = char(~flipped[at]);
    QByteArray twoFormats = testsounds::EncodeTone(3000, 0.5f, 440.0, 1, 44100, 1);
    twoFormats += testsounds::EncodeTone(3000, 0.5f, 440.0, 2, 44100, 2);
    const struct
    {
        const char* name;
        QByteArray bytes;
        std::size_t stretches;  // 0: as many as the damage leaves
    } cases[] = {
        {"cut short", music.left(music.size() * 3 / 5), 0},
        {"bytes flipped", flipped, 0},
        {"chained", testsounds::EncodeTone(3000, 0.5f, 440.0, 2, 44100, 1) +
                        testsounds::EncodeTone(4000, 0.4f, 330.0, 2, 44100, 2), kThreads / 2},
        {"chained, mono then stereo", twoFormats, 1},
        {"shorter than a thread's share", testsounds::EncodeTone(1400), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t stretches = ExpectSameOnOneAndManyThreads(c.bytes);
        if (c.stretches) {
            EXPECT_EQ(stretches, c.stretches);
        }
    }
}

} // namespace
