// Quarter turns of the frames with the game's rainbow spirit in a real area, tick by tick in the
// game's order (the area, then its frames, then the player's keys): the spirit on the ground stays
// where it is; in the air it rides the turn on the screen and is put down in the frame now under
// it, or dies over a gap.
//
// The layout, in virtual units: frame A (100 x 100 at (160, 2)) shows the world around the spirit,
// whose corner at world (40, 18) lies at screen (200, 60). B and C (60 x 60 at (144, 167) and
// (144, 107)) show the world far to the right. A left turn brings B to (149, 40) and C to (209, 40),
// so that they cover the riding spirit's 18 x 17 picture equally; a right turn leaves it over no
// frame at all.
#include "TestArea.h"

#include "tests/support/RecordingSoundLibrary.h"
#include "tests/world/AreaFiles.h"

#include "actors/RainbowSpirit.h"
#include "actors/SharedActors.h"
#include "engine/PhysicsBody.h"
#include "world/ComicFrame.h"
#include "world/FrameEditor.h"

#include <memory>

namespace {

constexpr int kTick = 20;
constexpr int kGlideTicks = 14;
constexpr int kSfxDieSpikes = 40;
const QPointF kRidingPlace(200, 60);

class QuarterTurnTest : public AreaFileFixture
{
protected:
    QuarterTurnTest()
    {
        store->ResetCharacters();
        tested = std::make_unique<cTestArea>(store);
        tested->AddPhysicsBody(-200.0f, -10.0f, 700.0f, 10.0f, BODY_TERRAIN, 0);
        spirit->Init(tested->GetWorld(), 40.0f, 0.0f);
        tested->players.push_back(spirit);
        tested->currentPlayer = 0;

        frames = std::make_unique<cFrameEditor>(tested.get());
        frames->AddFrameSet();
        frames->AddFrame(0, 160, 2, 0, 212, 100, 100, 1, true, false); // A: world x 0..99, y -40..59
        frames->AddFrame(0, 144, 167, 300, 212, 60, 60, 1, true, false); // B: world x 300..359
        frames->AddFrame(0, 144, 107, 400, 212, 60, 60, 1, true, false); // C: world x 400..459
        frames->AddFrameSet();
        frames->AddFrame(1, 10, 10, 0, 0, 50, 50, 1, true, false);
        Ticks(5);
    }
    ~QuarterTurnTest() override
    {
        frames.reset();
        store->ResetCharacters();
        tested.reset();
    }

    /// One tick of the game: the area, then its frames.
    void Tick()
    {
        tested->Update(kTick);
        frames->Update(kTick);
    }
    void Ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            Tick();
    }
    /// Ticks until the frames stop gliding; how many it took.
    int GlideToTheEnd()
    {
        int ticks = 0;
        do {
            Tick();
            ++ticks;
        } while (frames->IsAnyFrameMoving() && ticks < 100);
        return ticks;
    }
    /// The spirit in the middle of a jump with its corner at world (40, 18), where frame A shows it
    /// at kRidingPlace.
    void JumpToTheRidingPlace()
    {
        spirit->Jump(false);
        Tick();
        spirit->SetPosition(40.0f, 18.0f);
        ASSERT_TRUE(spirit->IsSpecialAirborne());
    }
    QPointF Place(int frame) const { return frames->GetFrameSet(0)[frame]->GetScreenPos(); }

    cCommonResources* const store = s_resources.get();
    cRainbowSpirit* const spirit = gRainbowSpirit;
    cRecordedEffects effects;
    std::unique_ptr<cTestArea> tested;
    std::unique_ptr<cFrameEditor> frames;
};

TEST_F(QuarterTurnTest, OnTheGroundTheSpiritStaysAndTheTurnEndsSixtyMillisecondsAfterTheFramesStop)
{
    ASSERT_EQ(spirit->GetState(), PLAYER_STAND);
    const b2Vec2 before = spirit->GetPosition();
    ASSERT_TRUE(frames->CanRotate());
    frames->RotateLeft();
    ASSERT_EQ(effects.sounds.played.size(), 1u);
    EXPECT_GE(effects.sounds.played[0].id, 31);
    EXPECT_LE(effects.sounds.played[0].id, 36);
    EXPECT_FLOAT_EQ(effects.sounds.played[0].volume, 1.0f);
    EXPECT_EQ(frames->GetState(), kFramesRotating);
    EXPECT_EQ(frames->GetOrientation(), 3);
    EXPECT_TRUE(spirit->IsTurnStarted());
    EXPECT_EQ(spirit->GetLastTurn(), cRainbowSpirit::TURN_LEFT);
    EXPECT_FALSE(spirit->IsPresent()) << "no walking while the frames turn";
    EXPECT_TRUE(spirit->IsSpecialEnabled()) << "on the ground it is not lifted";

    Tick();
    EXPECT_FALSE(frames->CanRotate()) << "the frames glide";
    EXPECT_EQ(GlideToTheEnd(), kGlideTicks - 1);
    EXPECT_EQ(Place(0), QPointF(274, 56));
    EXPECT_EQ(Place(1), QPointF(149, 40));
    EXPECT_EQ(Place(2), QPointF(209, 40));

    // 20 and 40 ms after the stop: the turn is over for the spirit, but turns and switches wait.
    Tick();
    EXPECT_TRUE(spirit->HasStayedAfterTurn());
    EXPECT_FALSE(spirit->IsTurnStarted());
    EXPECT_TRUE(spirit->IsPresent());
    frames->SwitchToFrameSet(1, 1000);
    Tick();
    EXPECT_FALSE(spirit->HasStayedAfterTurn()) << "told for one tick";
    EXPECT_FALSE(frames->CanRotate());
    frames->RotateRight();
    EXPECT_EQ(frames->GetState(), kFramesRotating);
    EXPECT_EQ(frames->GetCurrentFrameSet(), 0);
    EXPECT_EQ(frames->GetOrientation(), 3);

    Tick();
    EXPECT_EQ(frames->GetState(), kFramesIdle) << "60 ms after the frames stopped";
    EXPECT_TRUE(frames->CanRotate());
    EXPECT_NEAR(spirit->GetPosition().x, before.x, 0.1f);
    EXPECT_NEAR(spirit->GetPosition().y, before.y, 0.1f);
    EXPECT_EQ(spirit->GetState(), PLAYER_STAND);
}

TEST_F(QuarterTurnTest, InTheAirOverAGapTheSpiritFluttersScaredThenDies)
{
    JumpToTheRidingPlace();
    frames->RotateRight();
    EXPECT_FALSE(spirit->IsSpecialEnabled());
    EXPECT_EQ(frames->GetPlayerScreenPos(), kRidingPlace);
    EXPECT_EQ(frames->GetPlayerScaleClass(), 1);
    EXPECT_EQ(GlideToTheEnd(), kGlideTicks);
    effects.sounds.Take();

    for (int ms = 20; ms <= 560; ms += 20) {
        if (ms == 100)
            frames->SwitchToFrameSet(1, 1000); // would leave the spirit on the screen for good
        Tick();
        SCOPED_TRACE(std::to_string(ms) + " ms after the frames stopped");
        EXPECT_EQ(spirit->GetAnimationIndex() == ANIM_SPECIAL_2, ms >= 320 && ms < 560);
        EXPECT_EQ(spirit->GetState() == PLAYER_DIE, ms >= 560);
        EXPECT_EQ(frames->GetState(), ms < 560 ? kFramesRotating : kFramesIdle);
    }
    EXPECT_EQ(frames->GetCurrentFrameSet(), 0);
    EXPECT_EQ(effects.sounds.Take(), std::vector<int>{kSfxDieSpikes});
    EXPECT_FALSE(spirit->IsSpecialEnabled()) << "it dies on the screen";
    for (int t = 0; t < 100 && !spirit->IsSpecialEnabled(); ++t)
        Tick();
    EXPECT_TRUE(spirit->IsSpecialEnabled());
    EXPECT_FALSE(spirit->IsActive()) << "gone for good";
}

TEST_F(QuarterTurnTest, CoveredEquallyByTwoFramesTheSpiritComesDownInTheEarlierOne)
{
    JumpToTheRidingPlace();
    frames->RotateLeft();
    GlideToTheEnd();
    for (int ms = 20; ms <= 540; ms += 20) {
        Tick();
        ASSERT_FALSE(spirit->IsSpecialEnabled()) << ms;
        ASSERT_NE(spirit->GetAnimationIndex(), ANIM_SPECIAL_2) << "a frame lies under it: no fear";
    }
    Tick();
    EXPECT_TRUE(spirit->IsSpecialEnabled());
    EXPECT_TRUE(spirit->IsPlacedAfterTurn());
    EXPECT_TRUE(spirit->IsPresent());
    EXPECT_EQ(frames->GetState(), kFramesIdle);
    // B shows world x from 300 and y from -0.5, C x from 400: the riding place is 51 units into
    // B's panel and 20 units up.
    EXPECT_NEAR(spirit->GetPosition().x, 300 + 51 * 59 / 60.0f, 0.5f);
    EXPECT_NEAR(spirit->GetPosition().y, 19.5f, 0.5f);
}

// Double-size panels: D (50 x 50 of the world at scale 2, at (160, 2)) shows the spirit's corner at
// world (20, 18) at screen (200, 18); a left turn brings E (30 x 30 of world x 300..329 at scale 2)
// from (104, 100) to (216, 0). The spirit rides at double size, 36 x 34: E lies under 20 x 34 of
// that picture, more than its quarter, though under only 2 x 17 of the picture at single size.
TEST_F(QuarterTurnTest, LiftedFromADoubleSizePanelTheSpiritRidesAtDoubleSizeAndComesDownWhereItsPictureLies)
{
    frames = std::make_unique<cFrameEditor>(tested.get());
    frames->AddFrameSet();
    frames->AddFrame(0, 160, 2, 0, 212, 50, 50, 2, true, false);
    frames->AddFrame(0, 104, 100, 300, 212, 30, 30, 2, true, false);
    spirit->Jump(false);
    Tick();
    spirit->SetPosition(20.0f, 18.0f);
    ASSERT_TRUE(spirit->IsSpecialAirborne());
    frames->RotateLeft();
    EXPECT_EQ(frames->GetPlayerScreenPos(), QPointF(200, 18));
    EXPECT_EQ(frames->GetPlayerScaleClass(), 2);
    EXPECT_EQ(GlideToTheEnd(), kGlideTicks);
    ASSERT_EQ(Place(1), QPointF(216, 0));

    Ticks(27);
    ASSERT_FALSE(spirit->IsSpecialEnabled()) << "still riding";
    EXPECT_NE(spirit->GetAnimationIndex(), ANIM_SPECIAL_2) << "a panel lies under it: no fear";
    Tick();
    EXPECT_TRUE(spirit->IsPlacedAfterTurn());
    EXPECT_NE(spirit->GetState(), PLAYER_DIE);
    // 16 screen units left of E's edge are 7.7 world units left of its window, 18 units down
    // are 9 up from its bottom at 29.5: the picture stays where it rode.
    EXPECT_NEAR(spirit->GetPosition().x, 300 - 16 * 29 / 60.0f, 0.5f);
    EXPECT_NEAR(spirit->GetPosition().y, 38.5f, 0.5f);
}

TEST_F(QuarterTurnTest, ASecondTurnWhileTheSpiritRidesKeepsItsPlaceAndPutsItDownAfterThat)
{
    JumpToTheRidingPlace();
    frames->RotateRight();
    GlideToTheEnd();
    Ticks(5);
    frames->RotateLeft();
    EXPECT_EQ(frames->GetOrientation(), 0);
    EXPECT_TRUE(frames->IsAnyFrameMoving()) << "accepted 100 ms after the stop";
    EXPECT_EQ(frames->GetPlayerScreenPos(), kRidingPlace);
    EXPECT_EQ(GlideToTheEnd(), kGlideTicks);
    EXPECT_EQ(Place(0), QPointF(160, 2)) << "back home";

    Ticks(27);
    EXPECT_FALSE(spirit->IsSpecialEnabled()) << "still riding 540 ms after the second stop";
    Tick();
    EXPECT_TRUE(spirit->IsSpecialEnabled());
    EXPECT_NE(spirit->GetState(), PLAYER_DIE);
    // Frame A is under it again: it comes down where it was lifted.
    EXPECT_NEAR(spirit->GetPosition().x, 40.0f, 1.0f);
    EXPECT_NEAR(spirit->GetPosition().y, 18.0f, 1.0f);
}

TEST_F(QuarterTurnTest, ATurnDuringAShakeBeforeASwitchEndsTheSwitch)
{
    frames->ShakeThenSwitch(1000, 5, 5, 100, true);
    Ticks(10);
    frames->RotateLeft();
    EXPECT_EQ(frames->GetState(), kFramesRotating);
    Ticks(100);
    EXPECT_EQ(frames->GetState(), kFramesIdle);
    EXPECT_EQ(frames->GetCurrentFrameSet(), 0);
    // The shake ended with the turn: it does not pull the frames back home.
    EXPECT_EQ(Place(0), QPointF(274, 56));
    EXPECT_EQ(Place(1), QPointF(149, 40));
}

} // namespace
