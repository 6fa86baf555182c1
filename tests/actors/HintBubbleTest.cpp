// The hint bubble's phases, counted in 20 ms ticks, and its ownership by an entity.
#include "ActorTestAssets.h"

#include "engine/Entity.h"
#include "engine/HintBubble.h"

#include <gtest/gtest.h>

namespace {

constexpr int kTick = 20;

class HintBubbleTest : public ::testing::Test
{
protected:
    /// Ticks until the bubble reports done (at most limit); the phases seen on the way, by tick.
    struct sLife
    {
        int doneAt = -1;
        std::vector<int> frames;
        std::vector<bool> content;
    };
    static sLife Live(cHintBubble& bubble, int limit)
    {
        sLife life;
        for (int tick = 1; tick <= limit; ++tick) {
            if (bubble.Update(kTick) == cHintBubble::RESULT_DONE) {
                life.doneAt = tick;
                break;
            }
            life.frames.push_back(bubble.GetShownFrame());
            life.content.push_back(bubble.IsShowingContent());
        }
        return life;
    }
    /// The first tick (from 1) at which the recorded value equals v; 0 when never.
    template <typename T>
    static int FirstTick(const std::vector<T>& seen, T v)
    {
        for (size_t i = 0; i < seen.size(); ++i)
            if (seen[i] == v)
                return static_cast<int>(i) + 1;
        return 0;
    }

    cActorTestAssets assets;
};

} // namespace

TEST_F(HintBubbleTest, TimedBubbleOpensShowsClosesAndIsDoneWhenItsTimeIsUsed)
{
    cHintBubble bubble(cActorTestAssets::kLoopingContent, 3000);
    EXPECT_EQ(bubble.GetShownFrame(), -1);
    const sLife life = Live(bubble, 400);

    // Opening: six frames of 50 ms, stepped one per tick at most, end in the 15th tick; the
    // steady frame with the content follows in the 16th.
    EXPECT_EQ(FirstTick(life.frames, 2), 16);
    EXPECT_EQ(FirstTick(life.content, true), 16);
    for (int tick = 1; tick < 16; ++tick)
        EXPECT_EQ(life.frames[tick - 1], 0) << tick;
    // Closing once a third of the time is left: after about 2000 ms.
    EXPECT_EQ(FirstTick(life.frames, 1), 101);
    EXPECT_FALSE(life.content[100]);
    // Done when the 3000 ms are used up.
    EXPECT_EQ(life.doneAt, 150);
}

TEST_F(HintBubbleTest, EndlessBubbleStaysUntilHiddenAndThenShowsNothing)
{
    cHintBubble bubble(cActorTestAssets::kLoopingContent, 0);
    const sLife open = Live(bubble, 1000);
    EXPECT_EQ(open.doneAt, -1);
    EXPECT_EQ(open.frames.back(), 2);
    EXPECT_TRUE(bubble.IsOpen());

    bubble.Hide();
    EXPECT_FALSE(bubble.IsOpen());
    const sLife closing = Live(bubble, 1000);
    EXPECT_EQ(closing.doneAt, -1);
    // The closing frame plays its 300 ms, then nothing is left to draw.
    EXPECT_EQ(FirstTick(closing.frames, -1), 16);
    EXPECT_EQ(closing.frames.back(), -1);
    EXPECT_FALSE(bubble.IsShowingContent());
}

TEST_F(HintBubbleTest, HideStartsTheLastSecondOnlyOnce)
{
    cHintBubble bubble(cActorTestAssets::kLoopingContent, 3000);
    Live(bubble, 20);
    bubble.Hide();
    EXPECT_EQ(bubble.GetTimeLeft(), 1000);
    EXPECT_EQ(bubble.GetShownFrame(), 1);
    Live(bubble, 10);
    EXPECT_EQ(bubble.GetTimeLeft(), 800);
    bubble.Hide();
    EXPECT_EQ(bubble.GetTimeLeft(), 800);
    EXPECT_EQ(Live(bubble, 100).doneAt, 41);
}

TEST_F(HintBubbleTest, HidingBeforeTheFirstUpdateClosesAtOnce)
{
    cHintBubble bubble(cActorTestAssets::kLoopingContent, 3000);
    bubble.Hide();
    EXPECT_EQ(bubble.GetShownFrame(), 1);
    EXPECT_EQ(Live(bubble, 100).doneAt, 51);
}

TEST_F(HintBubbleTest, ContentThatPlaysOnceClosesTheBubble)
{
    cHintBubble bubble(cActorTestAssets::kOnceContent, 3000);
    const sLife life = Live(bubble, 400);
    // Shown and played from tick 16 for its 400 ms, then the closing second.
    EXPECT_EQ(FirstTick(life.frames, 1), 15 + cActorTestAssets::kOnceMs / kTick);
    EXPECT_EQ(life.doneAt, FirstTick(life.frames, 1) + 1000 / kTick + 1);
}

TEST_F(HintBubbleTest, UpdateLongerThanTheTimeLeftIsDoneAtOnce)
{
    cHintBubble shortBubble(cActorTestAssets::kLoopingContent, 10);
    EXPECT_EQ(shortBubble.Update(kTick), cHintBubble::RESULT_DONE);
    EXPECT_EQ(shortBubble.GetTimeLeft(), 0);

    cHintBubble exact(cActorTestAssets::kLoopingContent, kTick);
    EXPECT_EQ(exact.Update(kTick), cHintBubble::RESULT_NONE);
}

TEST_F(HintBubbleTest, ReopenStartsAgainWithTheContentGivenAtConstruction)
{
    cHintBubble bubble(cActorTestAssets::kLoopingContent, 3000);
    Live(bubble, 20);
    bubble.SetContent(cActorTestAssets::kOnceContent);
    EXPECT_EQ(bubble.GetContent(), cActorTestAssets::kLoopingContent);
    // The content that plays once would close the bubble by tick 40.
    EXPECT_EQ(FirstTick(Live(bubble, 40).frames, 1), 20);

    bubble.Reopen();
    EXPECT_TRUE(bubble.IsOpen());
    EXPECT_EQ(bubble.GetShownFrame(), 0);
    EXPECT_EQ(bubble.GetTimeLeft(), 3000);
    const sLife again = Live(bubble, 400);
    EXPECT_EQ(FirstTick(again.content, true), 16);
    EXPECT_EQ(again.doneAt, 150);
}

TEST_F(HintBubbleTest, SetContentWaitsForTheSteadyFrame)
{
    cHintBubble bubble(cActorTestAssets::kLoopingContent, 3000);
    bubble.SetContent(cActorTestAssets::kOnceContent);
    const sLife life = Live(bubble, 400);
    EXPECT_EQ(life.doneAt, 150);
}

TEST_F(HintBubbleTest, MissingPicturesShowNothingInsteadOfFailing)
{
    cHintBubble bubble(99, 3000);
    const sLife life = Live(bubble, 400);
    EXPECT_EQ(FirstTick(life.content, true), 0);
    EXPECT_EQ(life.doneAt, 150);
}

namespace {

class cWatchedBubble : public cHintBubble
{
public:
    explicit cWatchedBubble(int& deletions) : cHintBubble(cActorTestAssets::kLoopingContent, 0), deletions(deletions)
    {
    }
    ~cWatchedBubble() override { ++deletions; }

private:
    int& deletions;
};

} // namespace

TEST(EntityBubbleTest, EntityDeletesItsBubbleWhenReplacedAndWithItself)
{
    int deletions = 0;
    {
        cEntity entity;
        EXPECT_EQ(entity.GetHintBubble(), nullptr);
        entity.SetHintBubble(new cWatchedBubble(deletions));
        auto* second = new cWatchedBubble(deletions);
        entity.SetHintBubble(second);
        EXPECT_EQ(deletions, 1);
        EXPECT_EQ(entity.GetHintBubble(), second);
    }
    EXPECT_EQ(deletions, 2);

    cEntity entity;
    entity.SetHintBubble(new cWatchedBubble(deletions));
    entity.DeleteHintBubble();
    EXPECT_EQ(deletions, 3);
    EXPECT_EQ(entity.GetHintBubble(), nullptr);
}
