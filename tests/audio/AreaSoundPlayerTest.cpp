#include "audio/AreaSoundPlayer.h"

#include "audio/Sound.h"

#include "tests/audio/AudioFixture.h"

namespace {

class AreaSoundPlayerTest : public AudioFixture
{
protected:
    // One game tick: the audio system first, then the area's player.
    void Tick(int ticks = 1)
    {
        for (int i = 0; i < ticks; ++i) {
            audio.Update();
            player.Update(20);
        }
    }
    void LoadDayAndNight() { ASSERT_TRUE(player.LoadAmbience(Path("wave/long.ogg"), Path("wave/long.ogg"))); }
    bool Playing(FMOD_CHANNEL* channel) { return audio.IsPlaying(channel); }

    cAreaSoundPlayer player{&audio};
};

TEST_F(AreaSoundPlayerTest, StartFadesAmbienceAndMusicInOverHalfASecond)
{
    LoadDayAndNight();
    ASSERT_TRUE(player.LoadMusic(Path("wave/long.ogg"), true, 0));
    ASSERT_TRUE(player.Start(false, false));
    EXPECT_EQ(player.GetState(), AREA_SOUND_FADE_IN_ALL);
    EXPECT_EQ(Volume(player.GetDayChannel()), 0.0f);
    EXPECT_EQ(Volume(player.GetMusicChannel()), 1.0f);  // until the first tick
    for (int tick = 1; tick <= 25; ++tick) {
        Tick();
        ASSERT_NEAR(Volume(player.GetDayChannel()), 0.04f * tick, 1e-5f) << tick;
        ASSERT_NEAR(Volume(player.GetMusicChannel()), 0.04f * tick, 1e-5f) << tick;
        ASSERT_EQ(player.GetState(), AREA_SOUND_FADE_IN_ALL) << tick;
    }
    Tick();  // 1.04, taken as 1
    EXPECT_EQ(Volume(player.GetDayChannel()), 1.0f);
    EXPECT_EQ(player.GetState(), AREA_SOUND_STEADY);
    EXPECT_TRUE(player.IsAmbiencePlaying());
    EXPECT_TRUE(player.IsMusicPlaying());
    EXPECT_EQ(player.GetNightChannel(), nullptr);
}

TEST_F(AreaSoundPlayerTest, DelayedMusicStartsAtFullVolumeWhenItsDelayRunsOut)
{
    LoadDayAndNight();
    ASSERT_TRUE(player.LoadMusic(Path("wave/long.ogg"), true, 4500));
    player.Start(false, false);
    Tick(224);
    EXPECT_FALSE(player.IsMusicPlaying());
    EXPECT_EQ(Volume(player.GetDayChannel()), 1.0f);
    Tick();
    ASSERT_TRUE(player.IsMusicPlaying());
    EXPECT_EQ(Volume(player.GetMusicChannel()), 1.0f);
}

TEST_F(AreaSoundPlayerTest, MusicWithoutLoopPlaysOnce)
{
    ASSERT_TRUE(player.LoadMusic(Path("wave/short.ogg"), false, 0));
    player.Start(false, false);
    Tick(5);
    EXPECT_FALSE(player.IsMusicPlaying());
}

TEST_F(AreaSoundPlayerTest, CrossFadeToNightRampsTheDayDownAndStopsIt)
{
    LoadDayAndNight();
    player.Start(false, false);
    Tick(26);
    FMOD_CHANNEL* day = player.GetDayChannel();
    player.CrossFadeToNight(1000);
    EXPECT_EQ(Volume(player.GetNightChannel()), 1.0f);
    for (int tick = 1; tick < 50; ++tick) {
        Tick();
        ASSERT_NEAR(Volume(day), 1.0f - 0.02f * (tick - 1), 1e-5f) << tick;
        ASSERT_TRUE(Playing(day)) << tick;
    }
    Tick();  // the tick reaching 1000 ms stops the day ambience...
    EXPECT_FALSE(Playing(day));
    EXPECT_EQ(player.GetState(), AREA_SOUND_CROSS_FADE_TO_NIGHT);
    Tick();  // ...and the state ends one tick later
    EXPECT_EQ(player.GetState(), AREA_SOUND_STEADY);
    EXPECT_EQ(Volume(player.GetNightChannel()), 1.0f);

    // Night is active now: the ambience fades act on the night ambience.
    player.FadeOutAmbience(100);
    Tick(6);
    EXPECT_EQ(Volume(player.GetNightChannel()), 0.0f);
    EXPECT_TRUE(player.IsAmbiencePlaying());
    EXPECT_EQ(player.GetState(), AREA_SOUND_STEADY);
}

TEST_F(AreaSoundPlayerTest, OneFileNamedForDayAndNightMakesTwoSoundsEachReleasedOnce)
{
    testing::internal::CaptureStdout();
    {
        cAreaSoundPlayer shared(&audio);
        ASSERT_TRUE(shared.LoadAmbience(Path("wave/long.ogg"), ":/" + Path("wave/long.ogg")));
        EXPECT_NE(shared.GetNightAmbience(), shared.GetDayAmbience());
        EXPECT_NE(shared.GetNightAmbience(), nullptr);
        shared.Start(false, false);
        shared.CrossFadeToNight(1000);
        EXPECT_TRUE(Playing(shared.GetDayChannel()) && Playing(shared.GetNightChannel()));
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(AreaSoundPlayerTest, CrossFadeWithoutNightAmbienceLeavesSilence)
{
    ASSERT_TRUE(player.LoadAmbience(Path("wave/long.ogg"), ""));
    player.Start(false, false);
    Tick(26);
    player.CrossFadeToNight(1000);
    Tick(51);
    EXPECT_FALSE(player.IsAmbiencePlaying());
    EXPECT_EQ(ChannelsPlaying(), 0);
    player.FadeInAmbience(100);
    Tick(6);
    EXPECT_EQ(ChannelsPlaying(), 0);
}

// Replacing a stored channel while it sounded left that play running unattended for good.
TEST_F(AreaSoundPlayerTest, ReversedCrossFadeLeavesNoOrphanedChannel)
{
    LoadDayAndNight();
    player.Start(false, false);
    Tick(26);
    FMOD_CHANNEL* firstDay = player.GetDayChannel();
    player.CrossFadeToNight(1000);
    Tick(20);
    player.CrossFadeToDay(1000);
    EXPECT_FALSE(Playing(firstDay));
    EXPECT_EQ(ChannelsPlaying(), 2);  // the new day and the fading night
    EXPECT_EQ(Volume(player.GetDayChannel()), 1.0f);
    Tick(51);
    EXPECT_EQ(player.GetState(), AREA_SOUND_STEADY);
    EXPECT_EQ(ChannelsPlaying(), 1);
    EXPECT_TRUE(Playing(player.GetDayChannel()));

    player.CrossFadeToNight(1000);
    Tick(10);
    player.CrossFadeToNight(1000);  // again, half-way: the first night play goes
    EXPECT_EQ(ChannelsPlaying(), 2);
}

TEST_F(AreaSoundPlayerTest, ZeroDurationCrossFadeSwitchesAtOnce)
{
    LoadDayAndNight();
    player.Start(false, false);
    Tick(26);
    player.CrossFadeToNight(0);
    Tick();
    EXPECT_EQ(player.GetState(), AREA_SOUND_STEADY);
    EXPECT_EQ(ChannelsPlaying(), 1);
    EXPECT_TRUE(Playing(player.GetNightChannel()));
}

TEST_F(AreaSoundPlayerTest, FadeOutAllIsFinal)
{
    LoadDayAndNight();
    ASSERT_TRUE(player.LoadMusic(Path("wave/long.ogg"), true, 0));
    ASSERT_TRUE(player.AddSound(Path("wave/long.ogg"), 0));
    player.Start(false, false);
    Tick(26);
    player.PlaySound(0, -1, 0);
    player.FadeOutAll(600);
    Tick(15);
    EXPECT_NEAR(Volume(player.GetMusicChannel()), 0.5f, 1e-5f);
    EXPECT_NEAR(player.FindSound(0)->GetVolume(), 0.5f, 1e-5f);
    Tick(100);
    EXPECT_EQ(player.GetState(), AREA_SOUND_FADE_OUT_ALL);
    EXPECT_EQ(Volume(player.GetMusicChannel()), 0.0f);
    EXPECT_EQ(Volume(player.GetDayChannel()), 0.0f);
    EXPECT_EQ(player.FindSound(0)->GetVolume(), 0.0f);
}

TEST_F(AreaSoundPlayerTest, FadeOutMusicLeavesTheAmbience)
{
    LoadDayAndNight();
    ASSERT_TRUE(player.LoadMusic(Path("wave/long.ogg"), true, 0));
    player.Start(false, false);
    Tick(26);
    player.FadeOutMusic(200);
    Tick(11);
    EXPECT_EQ(player.GetState(), AREA_SOUND_STEADY);
    EXPECT_EQ(Volume(player.GetMusicChannel()), 0.0f);
    EXPECT_TRUE(player.IsMusicPlaying());  // silent, still playing
    EXPECT_EQ(Volume(player.GetDayChannel()), 1.0f);
}

TEST_F(AreaSoundPlayerTest, SoundsAreFoundByIdAndNotRestarted)
{
    ASSERT_TRUE(player.AddSound(Path("wave/long.ogg"), 1));
    EXPECT_FALSE(player.AddSound(Path("wave/none.ogg"), 2));
    EXPECT_EQ(player.FindSound(2), nullptr);
    EXPECT_FALSE(player.PlaySound(2, -1, 0));
    player.Start(false, false);

    ASSERT_TRUE(player.PlaySound(1, -1, 0));
    FMOD_CHANNEL* channel = player.FindSound(1)->GetChannel();
    EXPECT_FALSE(player.PlaySound(1, -1, 0));
    EXPECT_EQ(player.FindSound(1)->GetChannel(), channel);

    player.FindSound(1)->SetVolume(0.5f);
    EXPECT_TRUE(player.PlaySound(1, -1, 500));  // no restart: a fade from 0.5 up to 1
    EXPECT_EQ(player.FindSound(1)->GetChannel(), channel);
    player.FadeInAmbience(0);  // keeps the state machine off the sounds' volumes
    Tick();
    EXPECT_NEAR(player.FindSound(1)->GetVolume(), 0.52f, 1e-5f);
    EXPECT_TRUE(player.IsAnySoundPlaying());
}

TEST_F(AreaSoundPlayerTest, ThemeFadesInFromSilence)
{
    ASSERT_TRUE(player.AddSound(Path("wave/long.ogg"), 2));
    player.Start(false, false);
    Tick(26);
    ASSERT_TRUE(player.PlaySound(2, -1, 500));
    EXPECT_EQ(player.FindSound(2)->GetVolume(), 0.0f);
    Tick(25);
    EXPECT_FLOAT_EQ(player.FindSound(2)->GetVolume(), 1.0f);
}

TEST_F(AreaSoundPlayerTest, StopSoundFadesOutEverySoundWithTheIdOverOneAndAHalfSeconds)
{
    ASSERT_TRUE(player.AddSound(Path("wave/long.ogg"), 0));
    ASSERT_TRUE(player.AddSound(Path("wave/long.ogg"), 0));  // found second: never played
    player.Start(false, false);
    Tick(26);
    ASSERT_TRUE(player.PlaySound(0, -1, 0));
    FMOD_CHANNEL* theme = player.FindSound(0)->GetChannel();
    player.StopSound(0);
    Tick(74);
    EXPECT_TRUE(Playing(theme));
    EXPECT_NEAR(Volume(theme), 0.0133f, 1e-3f);
    Tick();
    EXPECT_FALSE(Playing(theme));
    EXPECT_FALSE(player.IsAnySoundPlaying());
}

TEST_F(AreaSoundPlayerTest, MuteFlagsReachEveryChannelOfTheirKind)
{
    LoadDayAndNight();
    ASSERT_TRUE(player.LoadMusic(Path("wave/long.ogg"), true, 0));
    ASSERT_TRUE(player.AddSound(Path("wave/long.ogg"), 1));
    player.Start(true, false);
    EXPECT_TRUE(Muted(player.GetMusicChannel()));
    EXPECT_FALSE(Muted(player.GetDayChannel()));
    player.PlaySound(1, -1, 0);
    EXPECT_TRUE(Muted(player.FindSound(1)->GetChannel()));

    player.UnmuteMusic();
    EXPECT_FALSE(Muted(player.GetMusicChannel()));
    EXPECT_FALSE(Muted(player.FindSound(1)->GetChannel()));

    player.CrossFadeToNight(1000);
    player.MuteAmbience();
    EXPECT_TRUE(Muted(player.GetDayChannel()));
    EXPECT_TRUE(Muted(player.GetNightChannel()));
    player.CrossFadeToDay(1000);  // a new day play keeps the setting
    EXPECT_TRUE(Muted(player.GetDayChannel()));
    player.UnmuteAmbience();
    EXPECT_FALSE(Muted(player.GetDayChannel()));
    EXPECT_FALSE(Muted(player.GetNightChannel()));
}

TEST_F(AreaSoundPlayerTest, PauseHoldsTheChosenKinds)
{
    ASSERT_TRUE(player.LoadMusic(Path("wave/short.ogg"), false, 0));
    ASSERT_TRUE(player.AddSound(Path("wave/long.ogg"), 42));
    ASSERT_TRUE(player.LoadAmbience(Path("wave/long.ogg"), Path("wave/short.ogg")));
    player.Start(false, false);
    player.CrossFadeToNight(1000);
    ASSERT_EQ(FMOD_Channel_SetLoopCount(player.GetNightChannel(), 0), FMOD_OK);
    EXPECT_TRUE(player.Pause(true, true, true));  // sound never played: skipped
    Tick(10);
    EXPECT_TRUE(player.IsMusicPlaying());  // five ticks long, held
    EXPECT_FALSE(Playing(player.GetNightChannel())) << "the ambience held is the day one";
    ASSERT_EQ(FMOD_Channel_SetPaused(player.GetMusicChannel(), false), FMOD_OK);
    Tick(5);
    EXPECT_FALSE(player.IsMusicPlaying());

}

TEST_F(AreaSoundPlayerTest, MissingFilesMakeLoadingFailAndAreSkipped)
{
    EXPECT_FALSE(player.LoadAmbience(Path("wave/none.ogg"), ""));
    EXPECT_FALSE(player.LoadAmbience(Path("wave/long.ogg"), Path("wave/none.ogg")));
    EXPECT_FALSE(player.LoadMusic(Path("wave/none.ogg"), true, 0));
    EXPECT_TRUE(player.Start(false, false));
    Tick(30);
    player.CrossFadeToNight(100);
    Tick(10);
    EXPECT_FALSE(player.IsMusicPlaying());
    EXPECT_FALSE(player.IsAmbiencePlaying());
}

} // namespace
