#include "platform/sound/DecodedSound.h"
#include "platform/sound/Mixer.h"

#include "tests/support/TestSounds.h"

#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kRate = 44100;

cDecodedSound Decode(const QByteArray& bytes)
{
    cDecodedSound sound;
    EXPECT_EQ(sound.DecodeOggVorbis(bytes.constData(), static_cast<std::size_t>(bytes.size())), FMOD_OK);
    return sound;
}

// Largest magnitude of one side (0 left, 1 right) of stereo frames, full scale 1.0.
float Peak(const std::vector<std::int16_t>& frames, int side)
{
    int peak = 0;
    for (std::size_t i = side; i < frames.size(); i += 2)
        peak = std::max(peak, std::abs(static_cast<int>(frames[i])));
    return static_cast<float>(peak) / 32768.0f;
}

// Largest jump between neighbouring samples of the left side, full scale 1.0.
float LargestStep(const std::vector<std::int16_t>& frames)
{
    int step = 0;
    for (std::size_t i = 2; i < frames.size(); i += 2)
        step = std::max(step, std::abs(frames[i] - frames[i - 2]));
    return static_cast<float>(step) / 32768.0f;
}

std::vector<std::int16_t> MixFrames(cMixer& mixer, int frames)
{
    std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2);
    mixer.Mix(out.data(), frames);
    return out;
}

TEST(MixerTest, ChannelSoundsAtItsVolumeOnBothSides)
{
    const cDecodedSound tone = Decode(testsounds::EncodeTone(250, 0.8f));
    cMixer mixer(4, kRate);
    mixer.Find(mixer.Start(&tone, false))->volume = 0.5f;
    const auto out = MixFrames(mixer, kRate / 5);
    EXPECT_NEAR(Peak(out, 0), 0.4f, 0.02f);
    EXPECT_NEAR(Peak(out, 1), 0.4f, 0.02f);
}

TEST(MixerTest, MutedAndPausedChannelsAddNothing)
{
    const cDecodedSound tone = Decode(testsounds::EncodeTone(250, 0.8f));
    cMixer mixer(4, kRate);
    mixer.Find(mixer.Start(&tone, false))->muted = true;
    mixer.Start(&tone, true);
    EXPECT_EQ(Peak(MixFrames(mixer, kRate / 5), 0), 0.0f);

    const std::uint64_t audible = mixer.Start(&tone, false);
    mixer.Find(audible)->volume = 0.5f;
    const auto out = MixFrames(mixer, kRate / 100);
    EXPECT_NEAR(Peak(out, 0), 0.4f, 0.02f);
}

TEST(MixerTest, SoundAtAnotherRateKeepsItsLengthAndLoudness)
{
    const cDecodedSound tone = Decode(testsounds::EncodeTone(100, 0.8f, 440.0, 1, 22050));
    cMixer mixer(4, kRate);
    const std::uint64_t play = mixer.Start(&tone, false);
    const auto out = MixFrames(mixer, kRate / 10 - 1);
    EXPECT_NEAR(Peak(out, 0), 0.8f, 0.03f);
    EXPECT_NE(mixer.Find(play)->sound, nullptr);
    MixFrames(mixer, 1);
    EXPECT_EQ(mixer.Find(play)->sound, nullptr);
}

TEST(MixerTest, OverloadIsClippedNotWrapped)
{
    const cDecodedSound tone = Decode(testsounds::EncodeTone(250, 0.8f));
    cMixer mixer(4, kRate);
    for (int i = 0; i < 3; ++i)
        mixer.Start(&tone, false);
    const auto out = MixFrames(mixer, kRate / 5);
    EXPECT_EQ(*std::max_element(out.begin(), out.end()), 32767);
    EXPECT_EQ(*std::min_element(out.begin(), out.end()), -32768);
}

// Two tones at 0.8 sum to 1.6: cut flat at full scale they would stay there for over a
// quarter of every cycle, 28 samples in a row. The mix is turned down instead, touching full
// scale only about the crests, and comes back up once the loud part is over; a sum that fits
// passes unchanged.
TEST(MixerTest, LoudSumIsTurnedDownToFullScaleInsteadOfCutFlatAndComesBack)
{
    const cDecodedSound tone = Decode(testsounds::EncodeTone(250, 0.8f));
    cMixer mixer(4, kRate);
    for (int i = 0; i < 2; ++i)
        mixer.Find(mixer.Start(&tone, false))->volume = 0.6f;
    EXPECT_NEAR(Peak(MixFrames(mixer, kRate / 5), 0), 0.96f, 0.02f);
    MixFrames(mixer, kRate / 10);

    mixer.Start(&tone, false);
    mixer.Start(&tone, false);
    const auto loud = MixFrames(mixer, kRate / 5);
    EXPECT_GT(Peak(loud, 0), 0.98f);
    int run = 0, longestRun = 0;
    for (std::size_t i = 0; i < loud.size(); i += 2) {
        run = std::abs(static_cast<int>(loud[i])) >= 32767 ? run + 1 : 0;
        longestRun = std::max(longestRun, run);
    }
    EXPECT_LE(longestRun, 6);

    MixFrames(mixer, kRate / 10);  // the loud tones end
    mixer.Find(mixer.Start(&tone, false))->volume = 0.5f;
    MixFrames(mixer, kRate / 10);
    EXPECT_NEAR(Peak(MixFrames(mixer, kRate / 25), 0), 0.4f, 0.02f) << "back at its own level";
}

// Every way a sounding channel can fall silent at once (paused, taken over by a new play,
// stopped with its sound freed straight after) fades out instead of jumping to silence, and a
// resumed one or one starting at a crest fades in. A sine at 0.8 moves by at most 0.05 from one
// sample to the next.
TEST(MixerTest, SoundsFallingSilentFadeOutInsteadOfClicking)
{
    auto tone = std::make_unique<cDecodedSound>(Decode(testsounds::EncodeTone(1000, 0.8f)));
    tone->SetLoopable(true);
    cMixer mixer(1, kRate);
    std::vector<std::int16_t> heard;
    const auto tick = [&] {
        const auto out = MixFrames(mixer, kRate / 50);
        heard.insert(heard.end(), out.begin(), out.end());
        return out;
    };
    tick();
    const std::uint64_t first = mixer.Start(tone.get(), false);
    mixer.Find(first)->position = std::uint64_t(kRate / 440 / 4) << 32;  // a quarter of a cycle in
    tick();
    mixer.Find(first)->paused = true;
    const auto pausing = tick();
    EXPECT_GT(Peak(pausing, 0), 0.0f);
    EXPECT_EQ(Peak(std::vector<std::int16_t>(pausing.begin() + kRate / 50, pausing.end()), 0), 0.0f);
    EXPECT_EQ(Peak(tick(), 0), 0.0f);
    mixer.Find(first)->paused = false;
    tick();
    mixer.Start(tone.get(), false);  // the only channel is taken over
    tick();
    mixer.StopSound(tone.get());
    tone.reset();
    EXPECT_GT(Peak(tick(), 0), 0.0f);  // the fade-out, taken from the sound before it went
    EXPECT_EQ(Peak(tick(), 0), 0.0f);
    EXPECT_LT(LargestStep(heard), 0.06f);
}

// One output frame steps over the whole sound more than twice: a loop must wrap within the sound
// (never more than one step past its end) and count every pass it made.
TEST(MixerTest, OneFrameSoundAtAHigherRateStaysWithinItsFramesAndCountsEveryPass)
{
    QFile file(QString(MIRROWEN_SOURCE_DIR) + "/tests/fuzz/damaged/ogg/valid_one_frame_96k.ogg");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    cDecodedSound blip = Decode(file.readAll());
    ASSERT_EQ(blip.GetFrames(), 1u);
    blip.SetLoopable(true);
    cMixer mixer(2, kRate);
    const std::uint64_t looping = mixer.Start(&blip, false);
    const std::uint64_t fourPasses = mixer.Start(&blip, false);
    mixer.Find(fourPasses)->loopCount = 3;
    for (int frame = 1; frame <= 100; ++frame) {
        MixFrames(mixer, 1);
        const sMixerChannel& channel = *mixer.Find(looping);
        ASSERT_LT(channel.position, (std::uint64_t(1) << 32) + channel.step) << "after " << frame << " frames";
        EXPECT_EQ(mixer.Find(fourPasses)->sound != nullptr, frame < 2) << "after " << frame << " frames";
    }
}

} // namespace
