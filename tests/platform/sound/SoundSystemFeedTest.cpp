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

/// Holds what it is given until its device goes; every look at it is told to the test through a state
/// that outlives it.
struct sLosingOutput : cSoundOutput
{
    struct sState
    {
        std::mutex mutex;
        std::condition_variable changed;
        bool connected = true, dropped = false;
        long looks = 0;
        int queued = 0;
    };
    explicit sLosingOutput(sState& watched) : state(watched) {}
    template <typename F>
    auto Look(F read)
    {
        const std::lock_guard<std::mutex> lock(state.mutex);
        ++state.looks;
        state.changed.notify_all();
        return read();
    }
    ~sLosingOutput() override { Look([&] { return state.dropped = true; }); }
    int QueuedFrames() override { return Look([&] { return state.queued; }); }
    bool IsConnected() override { return Look([&] { return state.connected; }); }
    void Queue(const std::int16_t*, int frameCount) override
    {
        const std::lock_guard<std::mutex> lock(state.mutex);
        state.queued += frameCount;
    }
    sState& state;
};

TEST(SoundSystemFeedTest, RefusedRealTimeKeepsALongerQueueAndALostDeviceLeavesTheSilentPace)
{
    sLosingOutput::sState state;
    cSoundSystem system;
    ASSERT_EQ(system.Init(64, std::make_unique<sLosingOutput>(state), false), FMOD_OK);
    {
        std::unique_lock<std::mutex> lock(state.mutex);
        state.changed.wait(lock, [&] { return state.looks > 8; });
        EXPECT_EQ(state.queued, 7 * kBlock) << "the output's own piece of a block, and six blocks more";
        state.connected = false;
        const long giveUp = state.looks + 4000;
        state.changed.wait(lock, [&] { return state.dropped || state.looks > giveUp; });
        ASSERT_TRUE(state.dropped) << "still fed after its device was lost";
    }
    // A play of exactly five ticks then ends in the fifth update: nothing is mixed ahead any more.
    const QByteArray tone = testsounds::EncodeTone(100);
    FMOD_CREATESOUNDEXINFO info{sizeof info, static_cast<unsigned int>(tone.size())};
    cDecodedSound* sound = nullptr;
    std::uint64_t play = 0;
    ASSERT_TRUE(system.CreateSound(tone.constData(), FMOD_OPENMEMORY, &info, &sound) == FMOD_OK && system.Play(sound, false, &play) == FMOD_OK);
    for (int update = 1; update <= 5; ++update) {
        ASSERT_EQ(system.Update(), FMOD_OK);
        EXPECT_EQ(system.CountPlaying(), update < 5 ? 1 : 0) << "after update " << update;
    }
}

} // namespace
