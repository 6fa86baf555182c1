#include "platform/sound/Fmod.h"

#include "tests/support/TestSounds.h"

#include <gtest/gtest.h>

namespace {

class FmodTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        testsounds::UseSilentSound();
        ASSERT_EQ(FMOD_System_Create(&system), FMOD_OK);
        ASSERT_EQ(FMOD_System_Init(system, channels, FMOD_INIT_NORMAL, nullptr), FMOD_OK);
    }
    void TearDown() override
    {
        if (system) {
            EXPECT_EQ(FMOD_System_Release(system), FMOD_OK);
        }
    }

    FMOD_SOUND* MakeTone(int lengthMs, FMOD_MODE mode, int rate = 44100, int channelCount = 1)
    {
        const QByteArray bytes = testsounds::EncodeTone(lengthMs, 0.5f, 440.0, channelCount, rate);
        FMOD_CREATESOUNDEXINFO info{};
        info.cbsize = sizeof info;
        info.length = static_cast<unsigned int>(bytes.size());
        FMOD_SOUND* sound = nullptr;
        EXPECT_EQ(FMOD_System_CreateSound(system, bytes.constData(), mode, &info, &sound), FMOD_OK);
        return sound;
    }
    FMOD_CHANNEL* Play(FMOD_SOUND* sound, bool paused = false)
    {
        FMOD_CHANNEL* channel = nullptr;
        EXPECT_EQ(FMOD_System_PlaySound(system, FMOD_CHANNEL_FREE, sound, paused, &channel), FMOD_OK);
        return channel;
    }
    static bool IsPlaying(FMOD_CHANNEL* channel)
    {
        FMOD_BOOL playing = true;
        EXPECT_EQ(FMOD_Channel_IsPlaying(channel, &playing), FMOD_OK);
        return playing;
    }
    // Updates until the channel stops (at most limit times); the number of updates it took.
    int UpdatesUntilEnd(FMOD_CHANNEL* channel, int limit = 500)
    {
        for (int updates = 1; updates <= limit; ++updates) {
            FMOD_System_Update(system);
            if (!IsPlaying(channel))
                return updates;
        }
        return -1;
    }

    static constexpr FMOD_MODE kLoopable = FMOD_OPENMEMORY | FMOD_SOFTWARE | FMOD_2D | FMOD_LOOP_NORMAL;
    static constexpr FMOD_MODE kOnce = FMOD_OPENMEMORY | FMOD_SOFTWARE | FMOD_2D;
    int channels = 64;
    FMOD_SYSTEM* system = nullptr;
};

TEST_F(FmodTest, ReportsAVersionTheGameAccepts)
{
    unsigned int version = 0;
    ASSERT_EQ(FMOD_System_GetVersion(system, &version), FMOD_OK);
    EXPECT_GE(version, 0x44003u);
}

TEST_F(FmodTest, RefusesWhatItCannotDecode)
{
    const QByteArray garbage(4000, 'x');
    FMOD_CREATESOUNDEXINFO info{};
    info.cbsize = sizeof info;
    info.length = static_cast<unsigned int>(garbage.size());
    FMOD_SOUND* sound = nullptr;
    EXPECT_EQ(FMOD_System_CreateSound(system, garbage.constData(), kLoopable, &info, &sound), FMOD_ERR_FORMAT);
    EXPECT_EQ(sound, nullptr);

    const QByteArray tone = testsounds::EncodeTone(50);
    info.length = static_cast<unsigned int>(tone.size());
    EXPECT_EQ(FMOD_System_CreateSound(system, tone.constData(), FMOD_LOOP_NORMAL, &info, &sound), FMOD_ERR_UNSUPPORTED);
    info.cbsize = 136;
    EXPECT_EQ(FMOD_System_CreateSound(system, tone.constData(), kLoopable, &info, &sound), FMOD_ERR_INVALID_PARAM);
    // A truncated file is not a sound either.
    info.cbsize = sizeof info;
    info.length = 100;
    EXPECT_NE(FMOD_System_CreateSound(system, tone.constData(), kLoopable, &info, &sound), FMOD_OK);
}

struct sOneShotCase
{
    const char* name;
    int lengthMs;
    int rate;
    int channels;
    int updates;  // 20 ms updates until the sound has ended
};

class FmodOneShotTest : public FmodTest, public ::testing::WithParamInterface<sOneShotCase>
{
};

TEST_P(FmodOneShotTest, PlaysForItsLengthInTwentyMillisecondUpdates)
{
    const sOneShotCase& c = GetParam();
    FMOD_CHANNEL* channel = Play(MakeTone(c.lengthMs, kLoopable, c.rate, c.channels));
    ASSERT_EQ(FMOD_Channel_SetLoopCount(channel, 0), FMOD_OK);
    EXPECT_EQ(UpdatesUntilEnd(channel), c.updates);
}

INSTANTIATE_TEST_SUITE_P(Lengths, FmodOneShotTest,
    ::testing::Values(sOneShotCase{"OneTick", 20, 44100, 1, 1},
                      sOneShotCase{"FiveTicks", 100, 44100, 1, 5},
                      sOneShotCase{"PartOfASixthTick", 110, 44100, 1, 6},
                      sOneShotCase{"Stereo", 100, 44100, 2, 5},
                      sOneShotCase{"HalfRate", 100, 22050, 1, 5},
                      sOneShotCase{"DoubleRate", 100, 88200, 2, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FmodTest, LoopCountDecidesHowOftenALoopableSoundPlays)
{
    FMOD_SOUND* loopable = MakeTone(100, kLoopable);
    FMOD_CHANNEL* endless = Play(loopable);  // no count given: repeats until stopped
    FMOD_CHANNEL* twice = Play(loopable);
    ASSERT_EQ(FMOD_Channel_SetLoopCount(twice, 1), FMOD_OK);
    EXPECT_EQ(UpdatesUntilEnd(twice), 10);
    EXPECT_TRUE(IsPlaying(endless));
    ASSERT_EQ(FMOD_Channel_Stop(endless), FMOD_OK);
    EXPECT_FALSE(IsPlaying(endless));

    // A sound made without looping plays once whatever its channel is told.
    FMOD_CHANNEL* once = Play(MakeTone(100, kOnce));
    ASSERT_EQ(FMOD_Channel_SetLoopCount(once, -1), FMOD_OK);
    EXPECT_EQ(UpdatesUntilEnd(once), 5);
}

TEST_F(FmodTest, PausedChannelKeepsItsPlace)
{
    FMOD_CHANNEL* channel = Play(MakeTone(100, kOnce), true);
    for (int i = 0; i < 20; ++i)
        FMOD_System_Update(system);
    EXPECT_TRUE(IsPlaying(channel));
    ASSERT_EQ(FMOD_Channel_SetPaused(channel, false), FMOD_OK);
    EXPECT_EQ(UpdatesUntilEnd(channel), 5);
}

TEST_F(FmodTest, VolumeIsClampedAndMuteKeepsIt)
{
    FMOD_CHANNEL* channel = Play(MakeTone(100, kLoopable));
    float volume = 0.0f;
    ASSERT_EQ(FMOD_Channel_GetVolume(channel, &volume), FMOD_OK);
    EXPECT_EQ(volume, 1.0f);  // a new play starts at full volume

    FMOD_Channel_SetVolume(channel, 1.04f);
    FMOD_Channel_GetVolume(channel, &volume);
    EXPECT_EQ(volume, 1.0f);
    FMOD_Channel_SetVolume(channel, -0.02f);
    FMOD_Channel_GetVolume(channel, &volume);
    EXPECT_EQ(volume, 0.0f);

    FMOD_Channel_SetVolume(channel, 0.3f);
    FMOD_BOOL muted = true;
    FMOD_Channel_GetMute(channel, &muted);
    EXPECT_FALSE(muted);
    ASSERT_EQ(FMOD_Channel_SetMute(channel, true), FMOD_OK);
    FMOD_Channel_GetMute(channel, &muted);
    FMOD_Channel_GetVolume(channel, &volume);
    EXPECT_TRUE(muted);
    EXPECT_FLOAT_EQ(volume, 0.3f);
}

TEST_F(FmodTest, ReleasingASoundStopsEveryChannelPlayingIt)
{
    FMOD_SOUND* sound = MakeTone(100, kLoopable);
    FMOD_SOUND* other = MakeTone(100, kLoopable);
    FMOD_CHANNEL* first = Play(sound);
    FMOD_CHANNEL* second = Play(sound);
    FMOD_CHANNEL* unrelated = Play(other);
    ASSERT_EQ(FMOD_Sound_Release(sound), FMOD_OK);
    EXPECT_FALSE(IsPlaying(first));
    EXPECT_FALSE(IsPlaying(second));
    EXPECT_TRUE(IsPlaying(unrelated));
    EXPECT_EQ(FMOD_Sound_Release(sound), FMOD_ERR_INVALID_HANDLE);
    FMOD_CHANNEL* channel = nullptr;
    EXPECT_EQ(FMOD_System_PlaySound(system, FMOD_CHANNEL_FREE, sound, false, &channel), FMOD_ERR_INVALID_HANDLE);
}

TEST_F(FmodTest, EndedChannelAnswersUntilItsChannelIsReused)
{
    FMOD_SOUND* sound = MakeTone(20, kOnce);
    FMOD_CHANNEL* ended = Play(sound);
    FMOD_System_Update(system);
    ASSERT_FALSE(IsPlaying(ended));
    EXPECT_EQ(FMOD_Channel_Stop(ended), FMOD_OK);
    EXPECT_EQ(FMOD_Channel_SetVolume(ended, 0.5f), FMOD_OK);

    // The other channels are handed out first; then the ended one is reused.
    for (int i = 1; i < channels; ++i)
        Play(sound, true);
    FMOD_CHANNEL* reusing = Play(sound, true);
    EXPECT_NE(reusing, ended);
    EXPECT_FALSE(IsPlaying(ended));
    EXPECT_EQ(FMOD_Channel_Stop(ended), FMOD_ERR_INVALID_HANDLE);
    EXPECT_TRUE(IsPlaying(reusing));
}

TEST_F(FmodTest, AFullMixerGivesTheOldestPlayAway)
{
    FMOD_SOUND* sound = MakeTone(100, kLoopable);
    std::vector<FMOD_CHANNEL*> plays;
    for (int i = 0; i < channels; ++i)
        plays.push_back(Play(sound));
    FMOD_CHANNEL* newest = Play(sound);
    EXPECT_FALSE(IsPlaying(plays[0]));
    EXPECT_TRUE(IsPlaying(plays[1]));
    EXPECT_TRUE(IsPlaying(newest));
    int playing = 0;
    FMOD_System_GetChannelsPlaying(system, &playing);
    EXPECT_EQ(playing, channels);
}

TEST_F(FmodTest, HandlesOfAGoneSystemAreRefusedNotFollowed)
{
    FMOD_CHANNEL* channel = Play(MakeTone(100, kLoopable));
    ASSERT_EQ(FMOD_System_Close(system), FMOD_OK);
    EXPECT_FALSE(IsPlaying(channel));
    EXPECT_EQ(FMOD_Channel_SetVolume(channel, 0.5f), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(FMOD_System_Update(system), FMOD_ERR_UNINITIALIZED);
    ASSERT_EQ(FMOD_System_Release(system), FMOD_OK);
    EXPECT_EQ(FMOD_System_Update(system), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(FMOD_System_Close(system), FMOD_ERR_INVALID_HANDLE);
    system = nullptr;
    EXPECT_EQ(FMOD_System_Update(nullptr), FMOD_ERR_INVALID_PARAM);
}

} // namespace
