// The exit tree in a real world: a character walking onto its foot and asking to enter is
// swallowed and let out again, hearts are eaten and counted with their faces and sounds, and the
// mouth's timed states run tick by tick.
#include "TreeWorld.h"

#include "engine/HintBubble.h"
#include "engine/PhysicsBody.h"
#include "tests/support/GlCanvas.h"
#include "tests/support/StdoutOf.h"

#include <gmock/gmock.h>

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

/// The exit stands to the right of where the character starts, its sensor on the ground.
constexpr float kExitX = 40.0f;
constexpr int kEnterEffect = 49;
constexpr int kOpenEffect = 42;
constexpr int kCloseEffect = 23;
constexpr int kReleaseEffect = 46;

class AreaExitTest : public TreeWorld
{
protected:
    void SetUp() override
    {
        PlaceOnGround("brown");
        MakeExit(kExitX, 0.0f);
        assets.sounds.Take();
    }

    /// Walks right until the character's centre has passed x (at most 100 ticks); on the tick it
    /// does, the player presses up.
    void WalkRightAndPressUpAt(float x)
    {
        for (int t = 0; t < 100 && character->GetCenter().x <= x; ++t)
            TreeTick([&] { character->Walk(1); });
        ASSERT_GT(character->GetCenter().x, x);
        exit->RequestEnter(character->GetId());
    }

    /// Ticks until the character sits inside the exit (its entering animation played out).
    void SwallowOnFoot()
    {
        WalkRightAndPressUpAt(kExitX + 3.0f);
        ASSERT_EQ(TreeTickUntilResult(200), -2);
        ASSERT_EQ(character->GetState(), PLAYER_IN_EXIT);
    }

    void ExpectFaces(int day)
    {
        EXPECT_EQ(exit->GetDayAnimationIndex(), day);
        EXPECT_EQ(exit->GetLoFAnimationIndex(), day + EXIT_ANIM_NIGHT_TWIN);
    }
};

struct sExitFile
{
    const char* file;
    int type;
    float indicatorY;
};

class ExitFileTest : public AreaExitTest, public ::testing::WithParamInterface<sExitFile>
{
};

TEST_P(ExitFileTest, GameFileGivesSensorMouthIndicatorAndFaces)
{
    MakeExit(kExitX, 0.0f, true, GetParam().file);
    EXPECT_EQ(exit->GetKind(), KIND_EXIT);
    EXPECT_EQ(exit->GetType(), GetParam().type);
    EXPECT_EQ(exit->GetAnimationCount(), 14);
    ASSERT_TRUE(exit->HasBody());
    EXPECT_EQ(exit->GetPhysicsBody()->GetType(), BODY_SENSOR);
    EXPECT_FLOAT_EQ(exit->GetWidth(), 16.0f);
    EXPECT_FLOAT_EQ(exit->GetHeight(), 1.0f);
    EXPECT_FLOAT_EQ(exit->GetPosition().x, kExitX);
    EXPECT_FLOAT_EQ(exit->GetMouthPosition().x, kExitX + 2.0f);
    EXPECT_FLOAT_EQ(exit->GetMouthPosition().y, 0.0f);
    ASSERT_NE(exit->GetScoreIndicator(), nullptr);
    EXPECT_FLOAT_EQ(exit->GetScoreIndicator()->GetPosition().x, kExitX + 1.0f);
    EXPECT_FLOAT_EQ(exit->GetScoreIndicator()->GetPosition().y, GetParam().indicatorY);
    EXPECT_EQ(exit->GetDestination(), "FrameSwitch");
    EXPECT_TRUE(exit->IsActivated());
    ExpectFaces(EXIT_ANIM_NEUTRAL);
    EXPECT_EQ(exit->GetMouthState(), MOUTH_NEUTRAL);
}

INSTANTIATE_TEST_SUITE_P(GameFiles, ExitFileTest,
                         ::testing::Values(sExitFile{"res/xml/actors/AreaExits/ExitTree.xml", 0, 36.0f},
                                           sExitFile{"res/xml/actors/AreaExits/ExitCave.xml", 1, 41.0f}));

TEST_F(AreaExitTest, CharacterWalkingOntoTheFootAndPressingUpIsSwallowedAndLetOutAgain)
{
    // Touching the tree opens its mouth.
    for (int t = 0; t < 100 && exit->GetMouthState() != MOUTH_OPEN; ++t)
        TreeTick([&] { character->Walk(1); });
    EXPECT_EQ(exit->GetMouthState(), MOUTH_OPEN);
    ExpectFaces(EXIT_ANIM_OPEN);
    EXPECT_THAT(assets.sounds.Take(), Contains(kOpenEffect));

    WalkRightAndPressUpAt(kExitX + 3.0f);
    TreeTick();
    EXPECT_EQ(character->GetState(), PLAYER_ENTER_EXIT);
    EXPECT_EQ(exit->GetSwallowedCount(), 1);
    EXPECT_FALSE(exit->IsRequestPending());
    EXPECT_THAT(assets.sounds.Take(), Contains(kEnterEffect + 0));

    // Its body leaves in its next update; the entering animation then plays out.
    EXPECT_EQ(TreeTickUntilResult(200), -2);
    EXPECT_EQ(character->GetState(), PLAYER_IN_EXIT);
    EXPECT_FALSE(character->HasBody());

    // Up again: out at the mouth, and the tree chews a while.
    character->LeaveExit();
    EXPECT_EQ(exit->GetSwallowedCount(), 0);
    ASSERT_TRUE(character->HasBody());
    EXPECT_EQ(character->GetState(), PLAYER_STAND);
    EXPECT_NEAR(character->GetPosition().x, exit->GetMouthPosition().x, 1e-3f);
    EXPECT_NEAR(character->GetPosition().y, exit->GetMouthPosition().y, 1e-3f);
    EXPECT_EQ(exit->GetMouthState(), MOUTH_CHEWING);
    EXPECT_EQ(exit->GetChewTime(), 800);
    EXPECT_THAT(assets.sounds.Take(), Contains(kReleaseEffect + 0));

    // Standing at the mouth opens it again as soon as the contact lasts; nobody asked to go in.
    TreeTick();
    TreeTick();
    EXPECT_EQ(exit->GetMouthState(), MOUTH_OPEN);
    EXPECT_EQ(exit->GetSwallowedCount(), 0);
    EXPECT_EQ(character->GetState(), PLAYER_STAND);
}

TEST_F(AreaExitTest, AreaCanBeLeftOnlyOnceTheLastSwallowHasBeenChewed)
{
    SwallowOnFoot();
    // Swallowing chews 850 ms (restarted when the body left); the mouth then rests with its sound.
    for (int t = 0; t < 100 && exit->GetMouthState() != MOUTH_NEUTRAL; ++t) {
        EXPECT_FALSE(exit->HoldsAtLeast(1));
        TreeTick();
    }
    EXPECT_TRUE(exit->HoldsAtLeast(1));
    EXPECT_FALSE(exit->HoldsAtLeast(2));
    EXPECT_THAT(assets.sounds.Take(), Contains(kCloseEffect));
    ExpectFaces(EXIT_ANIM_NEUTRAL);
}

TEST_F(AreaExitTest, LeavingWhenNotInsideAnExitDoesNothing)
{
    character->LeaveExit();
    exit->ReleaseCharacter(character->GetId());
    EXPECT_EQ(character->GetState(), PLAYER_STAND);
    EXPECT_EQ(exit->GetMouthState(), MOUTH_NEUTRAL);
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());
}

TEST_F(AreaExitTest, UpPressedBesideTheFootSwallowsNobodyAndWaitsUntilAContactEnds)
{
    // On the sensor, but with its centre short of the 6-unit band around the exit's centre.
    character->Init(&world, kExitX - 10.0f, 0.0f);
    TreeTick();
    TreeTick();
    ASSERT_EQ(exit->GetMouthState(), MOUTH_OPEN);
    exit->RequestEnter(character->GetId());
    for (int t = 0; t < 10; ++t)
        TreeTick();
    EXPECT_EQ(exit->GetSwallowedCount(), 0);
    EXPECT_TRUE(exit->IsRequestPending());

    // Walking back off the sensor ends the contact, and the request with it.
    for (int t = 0; t < 100 && exit->IsRequestPending(); ++t)
        TreeTick([&] { character->Walk(0); });
    EXPECT_FALSE(exit->IsRequestPending());
    EXPECT_EQ(exit->GetMouthState(), MOUTH_CHEWING);
    EXPECT_EQ(exit->GetChewTime(), 850);
}

TEST_F(AreaExitTest, RequestOfAnotherCharacterSwallowsNobodyAndALaterOneReplacesIt)
{
    // Standing still in the middle of the foot.
    character->Init(&world, kExitX + 2.0f, 0.0f);
    TreeTick();
    TreeTick();
    exit->RequestEnter(2);
    exit->RequestEnter(1);
    for (int t = 0; t < 5; ++t)
        TreeTick();
    EXPECT_EQ(exit->GetSwallowedCount(), 0);
    EXPECT_EQ(exit->GetRequestedId(), 1);
    exit->RequestEnter(character->GetId());
    TreeTick();
    EXPECT_EQ(exit->GetSwallowedCount(), 1);
}

TEST_F(AreaExitTest, DeactivatedExitNeitherOpensNorSwallowsNorTeaches)
{
    exit->SetActivated(false);
    exit->SetTutorial(true);
    WalkRightAndPressUpAt(kExitX + 3.0f);
    for (int t = 0; t < 10; ++t)
        TreeTick();
    EXPECT_EQ(exit->GetMouthState(), MOUTH_NEUTRAL);
    EXPECT_EQ(exit->GetSwallowedCount(), 0);
    EXPECT_EQ(exit->GetHintBubble(), nullptr);
    EXPECT_THAT(assets.sounds.Take(), Not(Contains(kOpenEffect)));
}

TEST_F(AreaExitTest, TutorialBubbleOpensOnTouchAndATouchWhileItShowsKeepsItUp)
{
    exit->SetTutorial(true);
    for (int t = 0; t < 100 && !exit->GetHintBubble(); ++t)
        TreeTick([&] { character->Walk(1); });
    ASSERT_NE(exit->GetHintBubble(), nullptr);
    EXPECT_EQ(exit->GetHintBubble()->GetContent(), 16);
    EXPECT_EQ(exit->GetHintBubble()->GetTimeLeft(), 7000);

    cHintBubble* first = exit->GetHintBubble();
    first->SetTimeLeft(1200);
    exit->ShowTutorialHint();
    EXPECT_EQ(exit->GetHintBubble(), first);
    EXPECT_EQ(first->GetTimeLeft(), 5000);
    first->SetTimeLeft(6000);
    exit->ShowTutorialHint();
    EXPECT_EQ(first->GetTimeLeft(), 6000);
}

TEST_F(AreaExitTest, TouchedAgainAfterItsTutorialBubbleClosedTheExitShowsANewOne)
{
    cGameInfoBubbles pictures;
    exit->SetTutorial(true);
    int ticks = 0;
    const auto tick = [&](int direction) {
        TreeTick([&] {
            if (direction >= 0)
                character->Walk(direction);
        });
        ++ticks;
    };
    while (ticks < 100 && !exit->GetHintBubble())
        tick(FACING_RIGHT);
    ASSERT_NE(exit->GetHintBubble(), nullptr);
    ticks = 0;
    // On past the exit, and wait there until the bubble has closed but not yet used up its time.
    while (ticks < 100 && character->GetPosition().x < kExitX + 30.0f)
        tick(FACING_RIGHT);
    while (ticks < 400 && !(exit->GetHintBubble()->IsClosing() && exit->GetHintBubble()->GetShownFrame() < 0))
        tick(-1);
    ASSERT_EQ(exit->GetHintBubble()->GetShownFrame(), -1);

    // Back onto the exit within the bubble's 7 s.
    while (ticks < 400 && exit->GetHintBubble() && exit->GetHintBubble()->IsClosing())
        tick(FACING_LEFT);
    ASSERT_LT(ticks * kTick, 7000);
    ASSERT_NE(exit->GetHintBubble(), nullptr);
    EXPECT_EQ(exit->GetHintBubble()->GetTimeLeft(), 7000);
    for (int t = 0; t < 10; ++t)
        tick(-1);

    // The bubble shows above the tree: the drawn exit differs from the same exit without it.
    constexpr int kSize = 96;
    const auto drawn = [&](const QString& picture) {
        const GlCanvas canvas(kSize, kSize);
        glTranslatef(0, -240, 0);
        exit->DrawDay(1.0f);
        canvas.Save(picture);
        std::vector<QRgb> pixels;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                pixels.push_back(canvas.Pixel(x, y).rgb());
        return pixels;
    };
    const std::vector<QRgb> withBubble = drawn("exit_tutorial_again.png");
    exit->DeleteHintBubble();
    const std::vector<QRgb> without = drawn("exit_without_bubble.png");
    int differing = 0;
    for (size_t i = 0; i < without.size(); ++i)
        differing += withBubble[i] != without[i] ? 1 : 0;
    EXPECT_GT(differing, 50);
}

// ---- hearts

TEST_F(AreaExitTest, HeartIsEatenCountedAndAnsweredWithAnExpressionThenTheRestingFace)
{
    exit->SetMaxScore(3);
    exit->OpenMouth(false);
    assets.sounds.Take();
    exit->EatHeart(1);
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(42, 20));
    int score = 0, positive = 0, negative = 0;
    exit->GetScoreInfo(&score, &positive, &negative);
    EXPECT_EQ(score, 1);
    EXPECT_EQ(positive, 1);
    EXPECT_EQ(negative, 0);
    EXPECT_EQ(exit->GetMouthState(), MOUTH_REACTING);

    // 200 ms of reaction (strictly more: the 11th update), then 2000 ms of happy chewing.
    for (int t = 0; t < 10; ++t)
        exit->Update(20);
    EXPECT_EQ(exit->GetMouthState(), MOUTH_REACTING);
    exit->Update(20);
    EXPECT_EQ(exit->GetMouthState(), MOUTH_EXPRESSION);
    ExpectFaces(EXIT_ANIM_HAPPY_CHEWER);
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(44));
    for (int t = 0; t < 100; ++t)
        exit->Update(20);
    EXPECT_EQ(exit->GetMouthState(), MOUTH_EXPRESSION);
    exit->Update(20);
    EXPECT_EQ(exit->GetMouthState(), MOUTH_NEUTRAL);
    ExpectFaces(EXIT_ANIM_SMILE);
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());
    EXPECT_TRUE(exit->HoldsAtLeast(0));
}

TEST_F(AreaExitTest, SecondHeartRestartsTheReactionAndChoosesTheExpression)
{
    exit->EatHeart(1);
    for (int t = 0; t < 5; ++t)
        exit->Update(20);
    exit->EatHeart(-1);
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(42, 20, 42, 21));
    for (int t = 0; t < 10; ++t)
        exit->Update(20);
    EXPECT_EQ(exit->GetMouthState(), MOUTH_REACTING);
    exit->Update(20);
    ExpectFaces(EXIT_ANIM_SULKY_CHEWER);
    EXPECT_EQ(exit->GetScore(), 0);
}

TEST_F(AreaExitTest, HeartEatenWhileChewingChangesTheScoreButNotTheFace)
{
    exit->OpenMouth(false);
    exit->CloseMouth(850, true);
    exit->EatHeart(1);
    EXPECT_EQ(exit->GetMouthState(), MOUTH_CHEWING);
    EXPECT_EQ(exit->GetScore(), 1);
    ExpectFaces(EXIT_ANIM_OPEN);
}

TEST_F(AreaExitTest, OtherExitsOnlyAddTheScore)
{
    exit->AddScore(-1);
    EXPECT_EQ(exit->GetScore(), -1);
    EXPECT_EQ(exit->GetMouthState(), MOUTH_NEUTRAL);
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());
}

struct sRestingFace
{
    int score;
    int face;
};

class RestingFaceTest : public AreaExitTest, public ::testing::WithParamInterface<sRestingFace>
{
};

TEST_P(RestingFaceTest, MouthClosesToTheFaceOfTheScore)
{
    exit->SetScore(GetParam().score);
    exit->OpenMouth(false);
    exit->CloseMouth(0, true);
    ExpectFaces(GetParam().face);
}

INSTANTIATE_TEST_SUITE_P(Scores, RestingFaceTest,
                         ::testing::Values(sRestingFace{5, EXIT_ANIM_SMILE}, sRestingFace{1, EXIT_ANIM_SMILE},
                                           sRestingFace{0, EXIT_ANIM_NEUTRAL}, sRestingFace{-1, EXIT_ANIM_NEUTRAL},
                                           sRestingFace{-2, EXIT_ANIM_SULK}, sRestingFace{-7, EXIT_ANIM_SULK}));

// ---- mouth

TEST_F(AreaExitTest, OpeningWhileChewingNeedsAgainAndIsSilent)
{
    exit->OpenMouth(false);
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(kOpenEffect));
    exit->OpenMouth(false);
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());
    exit->CloseMouth(500, true);
    exit->OpenMouth(false);
    EXPECT_EQ(exit->GetMouthState(), MOUTH_CHEWING);
    exit->OpenMouth(true);
    EXPECT_EQ(exit->GetMouthState(), MOUTH_OPEN);
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());
    // Chewing ends when its time is reached, with the closing sound.
    exit->CloseMouth(100, true);
    for (int t = 0; t < 4; ++t)
        exit->Update(20);
    EXPECT_EQ(exit->GetMouthState(), MOUTH_CHEWING);
    exit->Update(20);
    EXPECT_EQ(exit->GetMouthState(), MOUTH_NEUTRAL);
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(kCloseEffect));
}

TEST_F(AreaExitTest, ExitWithoutTypeOpensAndClosesSilentlyAndSulksWithTheOtherSound)
{
    MakeExit(kExitX, 0.0f, true, ":/treestest/silent_exit.xml");
    EXPECT_EQ(exit->GetType(), -1);
    exit->OpenMouth(false);
    exit->CloseMouth(0, true);
    exit->ShowExpression();
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(45));
    // Nothing was eaten yet: the early expression is the happy one.
    ExpectFaces(EXIT_ANIM_HAPPY_CHEWER);
}

TEST_F(AreaExitTest, ExitWithoutIndicatorOrFacesWorksWithWhatItHas)
{
    std::string out = StdoutOf([&] { MakeExit(kExitX, 0.0f, true, ":/treestest/bare_exit.xml"); });
    EXPECT_NE(out.find("Could not load animation for area exit"), std::string::npos);
    EXPECT_EQ(exit->GetAnimationCount(), 1);
    // The offset after the broken animation is never read.
    EXPECT_FLOAT_EQ(exit->GetMouthPosition().x, kExitX);
    EXPECT_EQ(exit->GetScoreIndicator(), nullptr);
    exit->EatHeart(1);
    exit->SetMaxScore(4);
    int score = 7, positive = 7, negative = 7;
    exit->GetScoreInfo(&score, &positive, &negative);
    EXPECT_EQ(score + positive + negative, 0);
    exit->OpenMouth(false);
    EXPECT_EQ(exit->GetDayAnimationIndex(), -1);
    exit->CloseMouth(0, true);
    EXPECT_EQ(exit->GetDayAnimationIndex(), EXIT_ANIM_NEUTRAL);
    EXPECT_EQ(exit->GetLoFAnimationIndex(), -1);
    exit->Update(20);
    exit->DrawLoF(1.0f);
}

TEST_F(AreaExitTest, TreeThatLoadsItselfLetsCharactersOutIntoItsWorld)
{
    // The scripted trees are made empty and read their file afterwards.
    exit = std::make_unique<cAreaExit>();
    EXPECT_FALSE(exit->HasBody());
    EXPECT_EQ(exit->GetKind(), KIND_EXIT);
    ASSERT_TRUE(exit->LoadFromXml(kExitFile, &world, kExitX, 0.0f));
    exit->SetActivated(true);
    exit->SetMouthAnimation(EXIT_ANIM_NEUTRAL, true);
    character->Init(&world, kExitX + 2.0f, 0.0f);
    TreeTick();
    exit->RequestEnter(character->GetId());
    ASSERT_EQ(TreeTickUntilResult(200), -2);
    character->LeaveExit();
    EXPECT_TRUE(character->HasBody());
    EXPECT_EQ(exit->GetSwallowedCount(), 0);
}

TEST_F(AreaExitTest, MissingFileIsReportedAndLeavesTheStartValues)
{
    std::string out = StdoutOf([&] { MakeExit(kExitX, 0.0f, true, "res/xml/actors/AreaExits/nothing.xml"); });
    EXPECT_NE(out.find("ERROR: Invalid XML resource file: :/res/xml/actors/AreaExits/nothing.xml"), std::string::npos);
    EXPECT_FALSE(exit->HasBody());
    EXPECT_EQ(exit->GetAnimationCount(), 0);
    EXPECT_EQ(exit->GetType(), -1);
}

} // namespace
