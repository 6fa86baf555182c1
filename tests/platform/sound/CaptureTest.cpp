// Proves the mix reaches the speakers: OpenAL Soft's wave back end writes what it would play
// into a file, which is read after the system has closed. The updates are driven here; only
// closing waits for the device to play out what it was given.
#include "platform/sound/Fmod.h"

#include "tests/support/TestSounds.h"
#include "tests/support/WaveCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int kRate = wavecapture::kRate;

class CaptureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        capturePath = wavecapture::Configure(dir);
        ASSERT_FALSE(capturePath.isEmpty());
    }

    QTemporaryDir dir;
    QString capturePath;
};

FMOD_CHANNEL* Play(FMOD_SYSTEM* system, FMOD_SOUND* sound, float volume, bool muted)
{
    FMOD_CHANNEL* channel = nullptr;
    EXPECT_EQ(FMOD_System_PlaySound(system, FMOD_CHANNEL_FREE, sound, true, &channel), FMOD_OK);
    FMOD_Channel_SetLoopCount(channel, 0);
    FMOD_Channel_SetVolume(channel, volume);
    FMOD_Channel_SetMute(channel, muted);
    FMOD_Channel_SetPaused(channel, false);
    return channel;
}

TEST_F(CaptureTest, EffectIsHeardAtItsVolumeAndAMutedOneAddsNothing)
{
    FMOD_SYSTEM* system = nullptr;
    ASSERT_EQ(FMOD_System_Create(&system), FMOD_OK);
    ASSERT_EQ(FMOD_System_Init(system, 64, FMOD_INIT_NORMAL, nullptr), FMOD_OK);
    const QByteArray bytes = testsounds::EncodeTone(300, 0.8f);
    FMOD_CREATESOUNDEXINFO info{};
    info.cbsize = sizeof info;
    info.length = static_cast<unsigned int>(bytes.size());
    FMOD_SOUND* effect = nullptr;
    ASSERT_EQ(FMOD_System_CreateSound(system, bytes.constData(), FMOD_OPENMEMORY | FMOD_SOFTWARE | FMOD_2D | FMOD_LOOP_NORMAL,
                                      &info, &effect), FMOD_OK);

    // Were the muted play heard, the mix would peak at 0.4 + 0.8.
    Play(system, effect, 0.5f, false);
    Play(system, effect, 1.0f, true);
    for (int tick = 0; tick < 25; ++tick)
        ASSERT_EQ(FMOD_System_Update(system), FMOD_OK);
    ASSERT_EQ(FMOD_System_Release(system), FMOD_OK);

    const std::vector<qint16> samples = wavecapture::ReadWav(capturePath);
    ASSERT_GT(samples.size(), std::size_t(2 * kRate * 3 / 10)) << "nothing captured in " << capturePath.toStdString();
    for (int side = 0; side < 2; ++side) {
        int peak = 0;
        std::size_t first = samples.size(), last = 0;
        for (std::size_t i = side; i < samples.size(); i += 2) {
            const int magnitude = std::abs(static_cast<int>(samples[i]));
            peak = std::max(peak, magnitude);
            if (magnitude > 0.2 * 32768) {
                first = std::min(first, i / 2);
                last = i / 2;
            }
        }
        EXPECT_NEAR(peak / 32768.0, 0.4, 0.03) << "side " << side;
        ASSERT_LT(first, last);
        EXPECT_NEAR(static_cast<double>(last - first) / kRate, 0.3, 0.01) << "side " << side;
    }
}

} // namespace
