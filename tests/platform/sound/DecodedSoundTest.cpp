// A long sound is decoded in stretches on several threads at once; whatever the file holds, the
// result must be the one a single pass gives, sample for sample, failures included.
#include "platform/sound/DecodedSound.h"

#include "tests/fuzz/OneAndManyThreads.h"
#include "tests/support/TestSounds.h"

#include <QDirIterator>
#include <QFile>

#include <sched.h>

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
    std::size_t stretches = 0;
    EXPECT_EQ(onemany::Difference(bytes.constData(), std::size_t(bytes.size()), kThreads,
                                  cDecodedSound::kMinFramesPerStretch, &stretches), "");
    return stretches;
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

// The differential fuzzer's seeds and every input it found at fault, kept with it: each decodes in
// stretches of a few frames to what one pass gives.
TEST(DecodedSoundTest, EveryInputTheFuzzerKeptDecodesOnThreadsAsInOnePass)
{
    const QDir kept(MIRROWEN_SOURCE_DIR "/tests/fuzz/decodethreads");
    const QStringList inputs = kept.entryList(QDir::Files);
    EXPECT_GE(inputs.size(), 8);
    for (const QString& name : inputs) {
        const QByteArray bytes = Bytes(kept.filePath(name));
        EXPECT_EQ(onemany::Difference(bytes.constData(), std::size_t(bytes.size())), "") << name.toStdString();
    }
}

// Every link from its first sample, on one thread and on many; a link of another format is refused.
TEST(DecodedSoundTest, AChainedFileDecodesFromItsFirstLink)
{
    using testsounds::EncodeTone;
    const QByteArray chained = EncodeTone(1587, 0.5f, 440.0, 2, 44100, 1) + EncodeTone(1588, 0.4f, 330.0, 2, 44100, 2);
    const QByteArray mixed = EncodeTone(500, 0.5f, 440.0, 1, 44100, 1) + EncodeTone(500, 0.5f, 440.0, 2, 44100, 2);
    for (const unsigned threads : {1u, kThreads}) {
        cDecodedSound sound;
        EXPECT_EQ(sound.DecodeOggVorbis(mixed.constData(), std::size_t(mixed.size()), threads), FMOD_ERR_FORMAT);
        EXPECT_EQ(sound.DecodeOggVorbis(chained.constData(), std::size_t(chained.size()), threads), FMOD_OK);
        EXPECT_EQ(sound.GetFrames(), 69986u + 70030u) << threads << " threads";
    }
}

TEST(DecodedSoundTest, TakesAThreadForEachProcessorItMayRunOn)
{
    cpu_set_t allowed, one;
    ASSERT_EQ(sched_getaffinity(0, sizeof allowed, &allowed), 0);
    CPU_ZERO(&one);
    for (int cpu = 0; CPU_COUNT(&one) == 0; ++cpu)
        if (CPU_ISSET(cpu, &allowed))
            CPU_SET(cpu, &one);
    ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
    EXPECT_EQ(cDecodedSound::DefaultThreads(), 1u);
    ASSERT_EQ(sched_setaffinity(0, sizeof allowed, &allowed), 0);
    EXPECT_EQ(cDecodedSound::DefaultThreads(), unsigned(CPU_COUNT(&allowed)));
}

} // namespace
