#include "tests/audio/AudioFixture.h"

#include <string>
#include <vector>

namespace {

using AudioSystemTest = AudioFixture;

TEST(ToResourcePathTest, PutsTheResourcePrefixOnlyWhereThereIsNone)
{
    EXPECT_EQ(ToResourcePath("res/wave/SFX/Jump.ogg"), ":/res/wave/SFX/Jump.ogg");
    EXPECT_EQ(ToResourcePath(":/res/wave/SFX/Jump.ogg"), ":/res/wave/SFX/Jump.ogg");
    EXPECT_EQ(ToResourcePath("qrc:/res/a.ogg"), "qrc:/res/a.ogg");
    EXPECT_EQ(ToResourcePath("res:\\a.ogg"), ":/res:\\a.ogg");
}

TEST(CheckFmodResultTest, PrintsTheFailureWithItsContext)
{
    testing::internal::CaptureStdout();
    EXPECT_FALSE(CheckFmodResult(FMOD_OK, "quiet"));
    EXPECT_TRUE(CheckFmodResult(FMOD_ERR_FORMAT, "CreateCachedSound"));
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, "FMOD ERROR! (" + std::to_string(FMOD_ERR_FORMAT) + ") " + FMOD_ErrorString(FMOD_ERR_FORMAT)
                           + " CreateCachedSound\n");
}

TEST_F(AudioSystemTest, ResourcePathsWithAndWithoutPrefixOpenTheSameSound)
{
    FMOD_SOUND* bare = audio.CreateCachedSound(Path("wave/short.ogg"));
    FMOD_SOUND* prefixed = audio.CreateCachedSound(":/" + Path("wave/short.ogg"));
    ASSERT_NE(bare, nullptr);
    ASSERT_NE(prefixed, nullptr);
    EXPECT_TRUE(audio.PlayOneShot(bare, 1.0f, 0));
    EXPECT_TRUE(audio.PlayOneShot(prefixed, 1.0f, 0));
    EXPECT_EQ(FMOD_Sound_Release(bare), FMOD_OK);
    EXPECT_EQ(FMOD_Sound_Release(prefixed), FMOD_OK);
}

TEST_F(AudioSystemTest, MissingResourceIsQuietUndecodableOneIsReported)
{
    testing::internal::CaptureStdout();
    EXPECT_EQ(audio.CreateCachedSound(Path("wave/none.ogg")), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    testing::internal::CaptureStdout();
    EXPECT_EQ(audio.CreateCachedSound(Path("wave/broken.ogg")), nullptr);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed.rfind("FMOD ERROR!", 0), 0u) << printed;
    EXPECT_NE(printed.find("CreateCachedSound"), std::string::npos) << printed;
}

/// Ticks until the sound played once has ended; -1 when it never starts.
int TicksPlayed(cAudioSystem& audio, FMOD_SOUND* sound)
{
    FMOD_CHANNEL* channel = nullptr;
    if (!audio.PlaySound(sound, &channel, false))
        return -1;
    FMOD_Channel_SetLoopCount(channel, 0);
    int ticks = 0;
    while (audio.IsPlaying(channel) && ticks < 1000) {
        audio.Update();
        ++ticks;
    }
    return ticks;
}

TEST_F(AudioSystemTest, SoundsMadeSideBySideOrAheadAreTheSoundsMadeOneAfterAnother)
{
    const std::vector<QString> files = {Path("wave/short.ogg"), Path("wave/broken.ogg"), Path("wave/none.ogg"),
                                        Path("wave/long.ogg"), Path("wave/broken.ogg")};
    std::vector<FMOD_SOUND*> alone;
    testing::internal::CaptureStdout();
    for (const QString& file : files)
        alone.push_back(audio.CreateCachedSound(file));
    const std::string aloneLines = testing::internal::GetCapturedStdout();
    testing::internal::CaptureStdout();
    const std::vector<FMOD_SOUND*> together = audio.CreateCachedSounds(files);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), aloneLines);
    ASSERT_EQ(together.size(), files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i].toStdString());
        ASSERT_EQ(together[i] == nullptr, alone[i] == nullptr);
        if (alone[i]) {
            EXPECT_EQ(TicksPlayed(audio, together[i]), TicksPlayed(audio, alone[i]));
        }
    }

    // Made ahead: nothing is said until the sound is taken, and then what would have been said.
    testing::internal::CaptureStdout();
    audio.MakeAhead(Path("wave/broken.ogg"), true);
    audio.MakeAhead(Path("wave/short.ogg"), true);
    audio.MakeAhead(Path("wave/long.ogg"), true);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    testing::internal::CaptureStdout();
    EXPECT_EQ(audio.CreateCachedSound(Path("wave/broken.ogg")), nullptr);
    FMOD_SOUND* ahead = audio.CreateCachedSound(Path("wave/short.ogg"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), aloneLines.substr(0, aloneLines.find('\n') + 1));
    EXPECT_EQ(TicksPlayed(audio, ahead), TicksPlayed(audio, alone[0]));
    // The long one is never taken: shutting down releases it with the system.
    audio.Shutdown();
}

TEST_F(AudioSystemTest, OneShotPlaysItsLoopCountOnAChannelNobodyKeeps)
{
    FMOD_SOUND* once = audio.CreateCachedSound(Path("wave/short.ogg"));
    ASSERT_TRUE(audio.PlayOneShot(once, 0.5f, 0));
    ASSERT_TRUE(audio.PlayOneShot(once, 0.5f, -1));
    EXPECT_EQ(ChannelsPlaying(), 2);
    for (int tick = 0; tick < 5; ++tick)
        ASSERT_TRUE(audio.Update());
    EXPECT_EQ(ChannelsPlaying(), 1);

    // A sound made not to loop plays once whatever it is asked.
    FMOD_SOUND* never = audio.CreateCachedSound(Path("wave/short.ogg"), false);
    ASSERT_TRUE(audio.PlayOneShot(never, 0.5f, -1));
    for (int tick = 0; tick < 5; ++tick)
        audio.Update();
    EXPECT_EQ(ChannelsPlaying(), 1);
    FMOD_Sound_Release(once);
    FMOD_Sound_Release(never);
    EXPECT_FALSE(audio.PlayOneShot(nullptr, 1.0f, 0));
}

TEST(AudioSystemInitTest, StartsSilentlyWithoutADeviceAndSaysSo)
{
    testsounds::UseSilentSound();
    cAudioSystem audio;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(audio.Init());
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("silently"), std::string::npos) << printed;
    EXPECT_NE(printed.find("Audio system initialized\n"), std::string::npos) << printed;
    EXPECT_TRUE(audio.Update());
}

TEST_F(AudioSystemTest, ShutdownTwiceIsHarmless)
{
    ASSERT_NE(cAudioSystem::GetSystem(), nullptr);
    testing::internal::CaptureStdout();
    audio.Shutdown();
    audio.Shutdown();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(cAudioSystem::GetSystem(), nullptr);
}

} // namespace
