#include "audio/Sound.h"

#include "tests/audio/AudioFixture.h"

namespace {

class SoundTest : public AudioFixture
{
protected:
    void SetUp() override
    {
        AudioFixture::SetUp();
        ASSERT_TRUE(sound.Load(&audio, Path("wave/long.ogg"), 7, true));
    }
    // One game tick: the mixer first, then the sound's fade.
    void Tick(cSound& s, int ticks = 1)
    {
        for (int i = 0; i < ticks; ++i) {
            audio.Update();
            s.UpdateFade(20);
        }
    }

    cSound sound;
};

TEST_F(SoundTest, SecondPlayOnlyChangesTheMuteState)
{
    ASSERT_TRUE(sound.Play(1.0f, -1, false));
    FMOD_CHANNEL* channel = sound.GetChannel();
    Tick(sound, 3);
    EXPECT_FALSE(sound.Play(0.5f, -1, true));
    EXPECT_EQ(sound.GetChannel(), channel);
    EXPECT_TRUE(Muted(channel));
    EXPECT_EQ(sound.GetVolume(), 1.0f);
    EXPECT_EQ(ChannelsPlaying(), 1);
    EXPECT_FALSE(sound.Play(1.0f, -1, false));
    EXPECT_FALSE(Muted(channel));
}

TEST_F(SoundTest, PlayStartsHeardAtItsVolumeAndMuteState)
{
    ASSERT_TRUE(sound.Play(0.3f, 0, true));
    EXPECT_FLOAT_EQ(Volume(sound.GetChannel()), 0.3f);
    EXPECT_TRUE(Muted(sound.GetChannel()));
    EXPECT_EQ(sound.GetId(), 7);
    cSound empty;
    EXPECT_FALSE(empty.Play(1.0f, 0, false));
    EXPECT_FALSE(empty.IsPlaying());
    EXPECT_FALSE(empty.Stop());
}

TEST_F(SoundTest, FadeOutAndStopStepsDownAndStopsInTheTickReachingZero)
{
    ASSERT_TRUE(sound.Play(1.0f, -1, false));
    ASSERT_TRUE(sound.FadeOutAndStop(500));
    for (int tick = 1; tick < 25; ++tick) {
        Tick(sound);
        ASSERT_NEAR(sound.GetVolume(), 1.0f - 0.04f * tick, 1e-5f) << "tick " << tick;
        ASSERT_TRUE(sound.IsPlaying()) << "tick " << tick;
    }
    Tick(sound);
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_EQ(sound.GetChannel(), nullptr);
    EXPECT_EQ(ChannelsPlaying(), 0);
}

struct sNothingToFadeCase
{
    const char* name;
    float volume;        // below 0: never played
    unsigned int fadeMs;
};

class SoundNothingToFadeTest : public SoundTest, public ::testing::WithParamInterface<sNothingToFadeCase>
{
};

// With nothing to step the sound plays on silently, its stop waiting for the next fade down.
TEST_P(SoundNothingToFadeTest, FadeOutAndStopLeavesItSilentWithTheStopPending)
{
    const sNothingToFadeCase& c = GetParam();
    if (c.volume >= 0.0f) {
        ASSERT_TRUE(sound.Play(c.volume, -1, false));
    }
    EXPECT_TRUE(sound.FadeOutAndStop(c.fadeMs));
    Tick(sound, 10);
    EXPECT_EQ(sound.IsPlaying(), c.volume >= 0.0f);
    EXPECT_EQ(sound.GetVolume(), 0.0f);

    sound.Play(0.0f, -1, false);
    sound.FadeTo(1.0f, 100);
    Tick(sound, 10);
    sound.FadeTo(0.5f, 100);
    Tick(sound, 10);
    EXPECT_FALSE(sound.IsPlaying());
}

INSTANTIATE_TEST_SUITE_P(Cases, SoundNothingToFadeTest,
    ::testing::Values(sNothingToFadeCase{"NoDuration", 1.0f, 0},
                      sNothingToFadeCase{"AlreadySilent", 0.0f, 500},
                      sNothingToFadeCase{"NeverPlayed", -1.0f, 500}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SoundTest, AFadeUpKeepsAPendingStopForTheNextFadeDown)
{
    ASSERT_TRUE(sound.Play(1.0f, -1, false));
    sound.FadeOutAndStop(1000);
    Tick(sound, 10);
    sound.FadeTo(1.0f, 100);
    Tick(sound, 10);
    EXPECT_TRUE(sound.IsPlaying());
    sound.FadeTo(0.0f, 100);
    Tick(sound, 10);
    EXPECT_FALSE(sound.IsPlaying());
}

struct sFadeCase
{
    const char* name;
    float start;
    float target;
    unsigned int fadeMs;
    float reached;
    int ticks;  // ticks until the fade ends
};

class SoundFadeTest : public SoundTest, public ::testing::WithParamInterface<sFadeCase>
{
};

TEST_P(SoundFadeTest, FadesLinearlyToItsClampedTarget)
{
    const sFadeCase& c = GetParam();
    ASSERT_TRUE(sound.Play(c.start, -1, false));
    ASSERT_TRUE(sound.FadeTo(c.target, c.fadeMs));
    Tick(sound, c.ticks - 1);
    EXPECT_NE(sound.GetVolume(), c.reached);
    Tick(sound);
    EXPECT_FLOAT_EQ(sound.GetVolume(), c.reached);
    Tick(sound, 5);
    EXPECT_FLOAT_EQ(sound.GetVolume(), c.reached);
    EXPECT_TRUE(sound.IsPlaying());
}

INSTANTIATE_TEST_SUITE_P(Cases, SoundFadeTest,
    ::testing::Values(sFadeCase{"Up", 0.0f, 1.0f, 2000, 1.0f, 100},
                      sFadeCase{"AboveOneIsOne", 0.5f, 1.5f, 500, 1.0f, 25},
                      sFadeCase{"BelowZeroIsZero", 0.5f, -1.0f, 500, 0.0f, 25},
                      sFadeCase{"PartOfATick", 0.0f, 0.5f, 50, 0.5f, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SoundTest, FadePreparedBeforePlayStartsFromSilence)
{
    ASSERT_TRUE(sound.FadeTo(1.0f, 2000));
    ASSERT_TRUE(sound.Play(0.0f, -1, false));
    Tick(sound);
    EXPECT_NEAR(sound.GetVolume(), 0.01f, 1e-6f);
    Tick(sound, 99);
    EXPECT_FLOAT_EQ(sound.GetVolume(), 1.0f);
}

TEST_F(SoundTest, ZeroDurationSetsTheVolumeAndARunningFadeGoesOnFromIt)
{
    ASSERT_TRUE(sound.Play(0.0f, -1, false));
    sound.FadeTo(1.0f, 1000);  // 0.02 per tick
    Tick(sound, 5);
    ASSERT_TRUE(sound.FadeTo(0.5f, 0));
    EXPECT_FLOAT_EQ(sound.GetVolume(), 0.5f);
    Tick(sound);
    EXPECT_NEAR(sound.GetVolume(), 0.52f, 1e-5f);
}

TEST_F(SoundTest, SoundThatEndedByItselfPlaysAgain)
{
    cSound shortSound;
    ASSERT_TRUE(shortSound.Load(&audio, Path("wave/short.ogg"), 1, false));
    ASSERT_TRUE(shortSound.Play(1.0f, 0, false));
    Tick(shortSound, 5);
    EXPECT_FALSE(shortSound.IsPlaying());
    EXPECT_TRUE(shortSound.Play(1.0f, 0, false));
    EXPECT_TRUE(shortSound.IsPlaying());
}

TEST_F(SoundTest, SharedSoundOutlivesItsPlayers)
{
    FMOD_SOUND* effect = audio.CreateCachedSound(Path("wave/short.ogg"));
    auto* shared = new cSound;
    ASSERT_TRUE(shared->InitShared(&audio, effect, 61));
    ASSERT_TRUE(shared->Play(1.0f, -1, false));
    delete shared;
    EXPECT_EQ(ChannelsPlaying(), 0);
    EXPECT_TRUE(audio.PlayOneShot(effect, 1.0f, 0));
    EXPECT_EQ(FMOD_Sound_Release(effect), FMOD_OK);
}

TEST_F(SoundTest, DeletingAnOwnedSoundStopsIt)
{
    auto* owned = new cSound;
    ASSERT_TRUE(owned->Load(&audio, Path("wave/short.ogg"), 3, true));
    ASSERT_TRUE(owned->Play(1.0f, -1, false));
    EXPECT_EQ(ChannelsPlaying(), 1);
    delete owned;
    EXPECT_EQ(ChannelsPlaying(), 0);
    cSound missing;
    EXPECT_FALSE(missing.Load(&audio, Path("wave/none.ogg"), 3, true));
}

} // namespace
