#pragma once
// A started audio system in silent mode and a small tree of test sounds under ":/audiotest/".
#include "audio/AudioSystem.h"

#include "tests/support/TestSounds.h"

#include <gtest/gtest.h>

#include <memory>

class AudioFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        testsounds::UseSilentSound();
        s_tree = std::make_unique<testsounds::cTestResourceTree>("audiotest");
        s_tree->Add("wave/short.ogg", testsounds::EncodeTone(100));   // five ticks
        s_tree->Add("wave/long.ogg", testsounds::EncodeTone(1000));
        s_tree->Add("wave/broken.ogg", QByteArray(2000, 'x'));
        ASSERT_TRUE(s_tree->Mount());
    }
    static void TearDownTestSuite() { s_tree.reset(); }

    void SetUp() override { ASSERT_TRUE(audio.Init()); }

    /// Resource path of a test file given relative to the tree, e.g. "wave/short.ogg".
    static QString Path(const QString& relative) { return s_tree->BarePath(relative); }

    int ChannelsPlaying() const
    {
        int count = -1;
        FMOD_System_GetChannelsPlaying(cAudioSystem::GetSystem(), &count);
        return count;
    }
    static float Volume(FMOD_CHANNEL* channel)
    {
        float volume = -1.0f;
        EXPECT_EQ(FMOD_Channel_GetVolume(channel, &volume), FMOD_OK);
        return volume;
    }
    static bool Muted(FMOD_CHANNEL* channel)
    {
        FMOD_BOOL muted = false;
        EXPECT_EQ(FMOD_Channel_GetMute(channel, &muted), FMOD_OK);
        return muted;
    }

    static inline std::unique_ptr<testsounds::cTestResourceTree> s_tree;
    cAudioSystem audio;
};
