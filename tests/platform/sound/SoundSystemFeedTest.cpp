// How the feeding thread keeps the output: a short way ahead, a new play in the very next block,
// longer after the output ran dry. The output here plays only when a test says so, and the
// feeding thread's own looks at it are the only clock.
#include "platform/sound/SoundSystem.h"

#include "platform/sound/DecodedSound.h"

#include "tests/support/TestSounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>

namespace {

constexpr int kBlock = cSoundSystem::kFramesPerBlock;
// An output that takes what it plays a block at a time: the mix runs four blocks ahead of it, a
// block more each time it runs dry.
constexpr int kShortest = 4 * kBlock;

class cHeldOutput : public cSoundOutput
{
public:
    int QueuedFrames() override
    {
        const std::lock_guard<std::mutex> lock(mutex);
        ++looks;
        changed.notify_all();
        return queued;
    }
    void Queue(const std::int16_t* frames, int frameCount) override
    {
        const std::lock_guard<std::mutex> lock(mutex);
        queued += frameCount;
        heard.insert(heard.end(), frames, frames + 2 * frameCount);
    }
    void Play(int frameCount)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        queued -= frameCount;
    }
    /// Whether the output comes to hold exactly that many frames and still holds them when the
    /// feeding thread has looked twice more, before it has looked a few thousand times.
    bool Settles(int frames)
    {
        std::unique_lock<std::mutex> lock(mutex);
        const long giveUp = looks + 4000;
        long settledSince = -1;
        changed.wait(lock, [&] {
            if (queued != frames)
                settledSince = -1;
            else if (settledSince < 0)
                settledSince = looks;
            return (settledSince >= 0 && looks >= settledSince + 2) || looks >= giveUp;
        });
        return queued == frames;
    }
    std::vector<std::int16_t> Heard()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        return heard;
    }
    int Queued()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        return queued;
    }

private:
    std::mutex mutex;
    std::condition_variable changed;
    int queued = 0;
    long looks = 0;
    std::vector<std::int16_t> heard;
};

class SoundSystemFeedTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto held = std::make_unique<cHeldOutput>();
        output = held.get();
        ASSERT_EQ(system.Init(64, std::move(held)), FMOD_OK);
        ASSERT_TRUE(output->Settles(kShortest));
    }

    cSoundSystem system;
    cHeldOutput* output = nullptr;
};

TEST_F(SoundSystemFeedTest, ANewPlayIsHeardFromTheNextBlockBehindWhatIsQueued)
{
    const QByteArray tone = testsounds::EncodeTone(300, 0.5f);
    FMOD_CREATESOUNDEXINFO info{};
    info.cbsize = sizeof info;
    info.length = static_cast<unsigned int>(tone.size());
    cDecodedSound* sound = nullptr;
    ASSERT_EQ(system.CreateSound(tone.constData(), FMOD_OPENMEMORY, &info, &sound), FMOD_OK);
    std::uint64_t play = 0;
    ASSERT_EQ(system.Play(sound, false, &play), FMOD_OK);
    EXPECT_TRUE(output->Settles(kShortest)) << "a full queue took more";

    output->Play(kBlock);
    ASSERT_TRUE(output->Settles(kShortest));
    const std::vector<std::int16_t> heard = output->Heard();
    ASSERT_EQ(heard.size(), std::size_t(2 * (kShortest + kBlock)));
    const auto firstSound = std::find_if(heard.begin(), heard.end(), [](std::int16_t s) { return s != 0; });
    EXPECT_EQ((firstSound - heard.begin()) / 2 / kBlock, kShortest / kBlock) << "not in the first block after the play";
}

TEST_F(SoundSystemFeedTest, AnUpdateMixesWhatTheFeedingLeftMissingOfATick)
{
    ASSERT_EQ(system.Update(), FMOD_OK);
    const int afterFirst = output->Queued();
    EXPECT_EQ(afterFirst, cSoundSystem::kFramesPerUpdate) << "the feeding's first blocks count towards the tick";
    ASSERT_EQ(system.Update(), FMOD_OK);
    EXPECT_EQ(output->Queued() - afterFirst, cSoundSystem::kFramesPerUpdate) << "without feeding, a whole tick";

    output->Play(output->Queued() - 1);
    ASSERT_TRUE(output->Settles(1 + kShortest));
    ASSERT_EQ(system.Update(), FMOD_OK);
    EXPECT_EQ(output->Queued(), 1 + cSoundSystem::kFramesPerUpdate);

    // Two ticks' worth of feeding, less a few frames, carries over two updates.
    for (int feeding = 0; feeding < 2; ++feeding) {
        output->Play(output->Queued() - 1);
        ASSERT_TRUE(output->Settles(1 + kShortest));
    }
    ASSERT_EQ(system.Update(), FMOD_OK);
    ASSERT_EQ(system.Update(), FMOD_OK);
    EXPECT_EQ(output->Queued(), 1 + kShortest + 2 * cSoundSystem::kFramesPerUpdate - 2 * kShortest);
}

TEST_F(SoundSystemFeedTest, AnOutputThatRanDryIsKeptFurtherAhead)
{
    output->Play(kShortest);
    EXPECT_TRUE(output->Settles(kShortest + kBlock));
    output->Play(kShortest);
    EXPECT_TRUE(output->Settles(kShortest + kBlock)) << "a short queue is no sign of running dry";
    EXPECT_EQ(system.Close(), FMOD_OK);
}

} // namespace
