// While the game's thread is busy (decoding a piece of music, loading an area), the system's own
// thread keeps its output fed with the mix. Here the game's thread never updates at all, and the
// output plays whatever it is given at once, so the mix is fed as fast as it is made.
#include "platform/sound/SoundSystem.h"

#include "platform/sound/DecodedSound.h"

#include "tests/support/TestSounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>

namespace {

class cInstantOutput : public cSoundOutput
{
public:
    int QueuedFrames() override { return 0; }
    void Queue(const std::int16_t* frames, int frameCount) override
    {
        const std::lock_guard<std::mutex> lock(mutex);
        played.insert(played.end(), frames, frames + 2 * frameCount);
        grown.notify_all();
    }
    /// The first second of what was played from the first sound on; empty when it never comes
    /// (the deadline only keeps a broken feed from hanging the run).
    std::vector<std::int16_t> SecondOfSound()
    {
        std::unique_lock<std::mutex> lock(mutex);
        auto first = played.end();
        const auto heard = [&] {
            first = std::find_if(played.begin(), played.end(), [](std::int16_t s) { return s != 0; });
            return played.end() - first >= 2 * cSoundSystem::kOutputRate;
        };
        if (!grown.wait_for(lock, std::chrono::minutes(1), heard))
            return {};
        return {first, first + 2 * cSoundSystem::kOutputRate};
    }

private:
    std::mutex mutex;
    std::condition_variable grown;
    std::vector<std::int16_t> played;
};

TEST(SoundSystemTest, WithoutUpdatesTheOutputIsFedWithTheMixAndNeverRunsDry)
{
    auto output = std::make_unique<cInstantOutput>();
    cInstantOutput* heard = output.get();
    cSoundSystem system;
    ASSERT_EQ(system.Init(64, std::move(output)), FMOD_OK);
    const QByteArray tone = testsounds::EncodeTone(300, 0.5f);
    FMOD_CREATESOUNDEXINFO info{};
    info.cbsize = sizeof info;
    info.length = static_cast<unsigned int>(tone.size());
    cDecodedSound* sound = nullptr;
    ASSERT_EQ(system.CreateSound(tone.constData(), FMOD_OPENMEMORY | FMOD_LOOP_NORMAL, &info, &sound), FMOD_OK);
    std::uint64_t play = 0;
    ASSERT_EQ(system.Play(sound, false, &play), FMOD_OK);

    const std::vector<std::int16_t> second = heard->SecondOfSound();
    ASSERT_FALSE(second.empty()) << "the mix stopped without updates";
    // A 440 Hz tone has a peak near 0.5 in every 5 ms.
    constexpr int kWindow = 2 * (cSoundSystem::kOutputRate / 200);
    for (std::size_t at = 0; at + kWindow <= second.size(); at += kWindow) {
        const auto peak = std::max_element(second.begin() + at, second.begin() + at + kWindow,
                                           [](std::int16_t a, std::int16_t b) { return std::abs(a) < std::abs(b); });
        ASSERT_GT(std::abs(*peak), 0.4 * 32768) << "silent at frame " << at / 2;
    }
    EXPECT_EQ(system.Close(), FMOD_OK);
}

} // namespace
