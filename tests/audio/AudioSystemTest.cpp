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
