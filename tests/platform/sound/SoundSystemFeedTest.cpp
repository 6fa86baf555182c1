// This output plays only when told to; the feeding thread's looks at it are the clock.
#include "platform/sound/SoundSystem.h"
#include "platform/sound/DecodedSound.h"
#include "tests/support/TestSounds.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <condition_variable>

namespace {

constexpr int kBlock = cSoundSystem::kFramesPerBlock;
constexpr int kTick = cSoundSystem::kFramesPerUpdate;
constexpr int kAhead = 4 * kBlock;  // the output's own piece of a block, and three blocks more

struct sHeldOutput : cSoundOutput
{
    int QueuedFrames() override
    {
        const std::lock_guard<std::mutex> lock(mutex);
        ++looks;
        looked.notify_all();
        return queued;
    }
    void Queue(const std::int16_t* frames, int frameCount) override
    {
        const std::lock_guard<std::mutex> lock(mutex);
        queued += frameCount;
        heard.insert(heard.end(), frames, frames + 2 * frameCount);
    }
    /// Plays frames; then whether it holds held frames for some looks running, before thousands.
    bool PlayAndHold(int frames, int held)
    {
        std::unique_lock<std::mutex> lock(mutex);
        queued -= frames;
        int running = 0;
        const long giveUp = looks + 4000;
        looked.wait(lock, [&] { return (running = queued == held ? running + 1 : 0) > 3 || looks > giveUp; });
        return queued == held;
    }

    std::mutex mutex;
    std::condition_variable looked;
    int queued = 0;
    long looks = 0;
    std::vector<std::int16_t> heard;
};

TEST(SoundSystemFeedTest, KeepsAShortQueueWithANewPlayInTheNextBlockAndUpdatesMakeUpEachTick)
{
    auto owned = std::make_unique<sHeldOutput>();
    sHeldOutput& output = *owned;
    cSoundSystem system;
    ASSERT_EQ(system.Init(64, std::move(owned)), FMOD_OK);
    ASSERT_TRUE(output.PlayAndHold(0, kAhead));
    const QByteArray tone = testsounds::EncodeTone(300);
    FMOD_CREATESOUNDEXINFO info{sizeof info, static_cast<unsigned int>(tone.size())};
    cDecodedSound* sound = nullptr;
    std::uint64_t play = 0;
    ASSERT_TRUE(system.CreateSound(tone.constData(), FMOD_OPENMEMORY, &info, &sound) == FMOD_OK && system.Play(sound, false, &play) == FMOD_OK);
    ASSERT_TRUE(output.PlayAndHold(kBlock, kAhead));
    const auto first = std::find_if(output.heard.begin(), output.heard.end(), [](std::int16_t s) { return s != 0; });
    EXPECT_EQ((first - output.heard.begin()) / 2, kAhead + 1) << "not from the first block after the play";

    // Feedings of a target's worth before two updates, and what those updates mix.
    for (const auto& [feedings, mixed] : {std::pair{0, 2 * kTick - kAhead - kBlock}, {1, 2 * kTick - kAhead}, {2, 2 * kTick - 2 * kAhead}}) {
        for (int feeding = 0; feeding < feedings; ++feeding)
            ASSERT_TRUE(output.PlayAndHold(output.queued - 1, 1 + kAhead));
        const int before = output.queued;
        ASSERT_TRUE(system.Update() == FMOD_OK && system.Update() == FMOD_OK);
        EXPECT_EQ(output.queued - before, mixed) << feedings << " feedings";
    }
    EXPECT_TRUE(output.PlayAndHold(output.queued, kAhead + kBlock)) << "ran dry, yet kept as short";
}

} // namespace
