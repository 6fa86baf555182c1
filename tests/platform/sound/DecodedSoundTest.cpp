// A long sound is decoded in stretches on several threads at once; whatever the file holds, the
// result must be the one a single pass gives, sample for sample, failures included.
#include "platform/sound/DecodedSound.h"

#include "tests/support/TestSounds.h"

#include <QDirIterator>
#include <QFile>

#include <tuple>

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
    EXPECT_EQ(std::make_tuple(many.GetChannels(), many.GetRate(), many.GetFrames()),
              std::make_tuple(one.GetChannels(), one.GetRate(), one.GetFrames()));
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
    int threaded = 0;
    QDirIterator it(":/res/wave", {"*.ogg"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        SCOPED_TRACE(path.toStdString());
        threaded += ExpectSameOnOneAndManyThreads(Bytes(path)) > 1;
    }
    // Most effects are too short to share out; the music, the ambiences and the longest effects are not.
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
    using testsounds::EncodeTone;
    // stretches 0: as many as the damage leaves
    const struct { const char* name; QByteArray bytes; std::size_t stretches; } cases[] = {
        {"cut short", music.left(music.size() * 3 / 5), 0},
        {"bytes flipped", flipped, 0},
        {"chained, 7 s", EncodeTone(3000, 0.5f, 440.0, 2, 44100, 1) + EncodeTone(4000, 0.4f, 330.0, 2, 44100, 2), 4},
        {"chained, mono then stereo",
         EncodeTone(3000, 0.5f, 440.0, 1, 44100, 1) + EncodeTone(3000, 0.5f, 440.0, 2, 44100, 2), 1},
        {"shorter than two stretches", EncodeTone(2900), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t stretches = ExpectSameOnOneAndManyThreads(c.bytes);
        EXPECT_TRUE(c.stretches == 0 || stretches == c.stretches) << stretches;
    }
}

} // namespace
