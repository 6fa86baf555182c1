// The player character: its files, its movement in a real world through the physics layer, and its
// state machine tick by tick with the effects it plays.
#include "CharacterWorld.h"

#include "actors/CharacterMotion.h"
#include "engine/Animation.h"
#include "engine/HintBubble.h"
#include "tests/support/StdoutOf.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PlayerCharTest : public CharacterWorld
{
};

// ---- character files

struct sCharacterFile
{
    const char* name;
    int id;
    int switchInfo;
    float w, h, density;
    int animations;
};

class CharacterFileTest : public CharacterWorld, public ::testing::WithParamInterface<sCharacterFile>
{
};

TEST_P(CharacterFileTest, FileGivesIdHintBodyAndAnimations)
{
    const sCharacterFile& f = GetParam();
    character = Load(f.name);
    EXPECT_EQ(character->GetKind(), KIND_CHARACTER);
    EXPECT_EQ(character->GetId(), f.id);
    EXPECT_EQ(character->GetSwitchInfoIndex(), f.switchInfo);
    EXPECT_EQ(character->GetBubbleContent(), f.switchInfo);
    EXPECT_EQ(character->GetBubbleTime(), 3000);
    EXPECT_EQ(character->GetAnimationCount(), f.animations);
    // Being head-jumped on shows one frame in every file: the land state waits for it.
    ASSERT_NE(character->GetAnimation(ANIM_HEAD_JUMPED_ON), nullptr);
    EXPECT_EQ(character->GetAnimation(ANIM_HEAD_JUMPED_ON)->GetNumFrames(), 1);
    EXPECT_EQ(character->GetAnimation(f.animations), nullptr);

    character->Init(&world, 10.0f, 20.0f);
    ASSERT_TRUE(character->HasBody());
    EXPECT_EQ(character->GetPhysicsBody()->GetType(), BODY_PLATFORM);
    EXPECT_FLOAT_EQ(character->GetWidth(), f.w);
    EXPECT_FLOAT_EQ(character->GetHeight(), f.h);
    EXPECT_NEAR(character->GetPhysicsBody()->GetMass(), f.w * f.h * f.density, 0.05f);
    EXPECT_FALSE(character->IsBatKing());
    EXPECT_NEAR(character->GetPosition().x, 10.0f, 1e-4f);
    EXPECT_NEAR(character->GetPosition().y, 20.0f, 1e-4f);
    EXPECT_EQ(character->GetDrawOrder(), 20);
}

INSTANTIATE_TEST_SUITE_P(GameFiles, CharacterFileTest,
                         ::testing::Values(sCharacterFile{"brown", 0, 3, 11, 15, 0.7f, 24},
                                           sCharacterFile{"orange", 1, 4, 11, 15, 0.7f, 25},
                                           sCharacterFile{"gray", 2, 5, 11, 15, 0.7f, 25},
                                           sCharacterFile{"antler", 0, 3, 13, 17, 0.509f, 25},
                                           sCharacterFile{"spirit", 1, 4, 18, 17, 0.38f, 26},
                                           sCharacterFile{"batking", 2, 5, 11, 15, 0.7f, 24}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlayerCharTest, CharacterWhoseFileDoesNotOpenIsRefusedCleanly)
{
    cPlayerChar c;
    bool loaded = true;
    EXPECT_NE(StdoutOf([&] { loaded = c.LoadFromXml("res/xml/PlayerCharacters/nobody.xml"); })
                  .find("ERROR: Invalid XML resource file: res/xml/PlayerCharacters/nobody.xml"),
              std::string::npos);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(c.GetAnimationCount(), 0);
    EXPECT_EQ(c.GetPhysicsBody(), nullptr);

    EXPECT_NE(StdoutOf([&] { c.Init(&world, 0.0f, 0.0f); }).find("ERROR:"), std::string::npos);
    EXPECT_FALSE(c.HasBody());
    EXPECT_EQ(world.GetBodyCount(), 0);
    c.Walk(FACING_RIGHT);
    c.Jump(true);
    EXPECT_EQ(c.Update(kTick), cPlayerChar::RESULT_NONE);
    EXPECT_FALSE(c.IsActive());
    EXPECT_EQ(c.GetAnimationIndex(), -1);

    // A character that loaded before and is loaded again from a bad path keeps nothing either.
    character = Load("brown");
    StdoutOf([&] { EXPECT_FALSE(character->LoadFromXml(":/res/xml/PlayerCharacters/nobody.xml")); });
    EXPECT_EQ(character->GetPhysicsBody(), nullptr);
    EXPECT_EQ(character->GetAnimationCount(), 0);
}

TEST_F(PlayerCharTest, BodyWithoutAreaIsRefused)
{
    cPlayerChar c;
    bool loaded = false;
    EXPECT_NE(StdoutOf([&] { loaded = c.LoadFromXml(":/actorstest/flat.xml"); }).find("ERROR:"), std::string::npos);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(c.GetId(), 2);
    EXPECT_EQ(c.GetPhysicsBody(), nullptr);
    StdoutOf([&] { c.Init(&world, 0.0f, 0.0f); });
    EXPECT_EQ(world.GetBodyCount(), 0);
}

TEST_F(PlayerCharTest, AnimationsTheFileLacksAreRefusedAndNeverHoldTheStateUp)
{
    character = std::make_unique<cPlayerChar>();
    StdoutOf([&] { EXPECT_TRUE(character->LoadFromXml("actorstest/short.xml")); });
    // The broken element is dropped: the stand animations keep positions 0 to 2.
    EXPECT_EQ(character->GetAnimationCount(), 3);
    EXPECT_EQ(character->GetAnimation(ANIM_STAND_RIGHT)->GetName(), "stand right");

    AddTerrain(-200.0f, -10.0f, 400.0f, 10.0f);
    character->Init(&world, 0.0f, 0.0f);
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_STAND);
    const std::string out = StdoutOf([&] { character->Die(true); });
    EXPECT_NE(out.find("ERROR:"), std::string::npos);
    EXPECT_EQ(character->GetAnimationIndex(), -1);
    EXPECT_EQ(Tick(), 10);
    EXPECT_EQ(Tick(), -1);
    EXPECT_EQ(Tick(), 0);
}

// ---- movement in the world

TEST_F(PlayerCharTest, StandsOnTheGroundStillAndUpright)
{
    PlaceOnGround();
    EXPECT_TRUE(character->IsActive());
    EXPECT_TRUE(character->IsPresent());
    for (int t = 0; t < 100; ++t)
        EXPECT_EQ(Tick(), 0);
    EXPECT_EQ(character->GetState(), PLAYER_STAND);
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_STAND);
    EXPECT_NEAR(character->GetPosition().y, 0.0f, 0.03f);
    EXPECT_EQ(character->GetPosition().x, 0.0f);
    EXPECT_EQ(Angle(), 0.0f);
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());
}

struct sWalk
{
    int direction;
    float sign;
    int walkAnimation;
    int standAnimation;
};

class WalkTest : public CharacterWorld, public ::testing::WithParamInterface<sWalk>
{
};

TEST_P(WalkTest, WalksAtTheSpeedItsPushesGiveAndStandsWhenReleased)
{
    const sWalk& w = GetParam();
    PlaceOnGround();
    const auto walk = [&] { character->Walk(w.direction); };
    Tick(walk);
    EXPECT_EQ(character->GetState(), PLAYER_WALK);
    EXPECT_EQ(character->GetAnimationIndex(), w.walkAnimation);
    EXPECT_EQ(character->GetFacing(), w.direction);

    float fastest = 0.0f;
    for (int t = 0; t < 20; ++t) {
        Tick(walk);
        fastest = std::max(fastest, std::fabs(character->GetLinearVelocity().x));
    }
    EXPECT_FLOAT_EQ(fastest, kMaxWalkSpeed);

    // Each tick starts at 60, loses 5.2 and is then damped through the step by 1.5/s.
    const float cruise = (kMaxWalkSpeed - kHorizontalSlowdown) * (1.0f - 1.5f / 22.0f);
    const float x0 = character->GetPosition().x;
    constexpr int kTicks = 44;
    for (int t = 0; t < kTicks; ++t)
        Tick(walk);
    // Speeds are in the world's time: one step of 1/22 s per tick.
    const float speed = (character->GetPosition().x - x0) / (kTicks * physics::kGameTimeStep);
    EXPECT_NEAR(speed, w.sign * cruise, 1.0f);
    EXPECT_EQ(character->GetState(), PLAYER_WALK);
    EXPECT_NEAR(character->GetPosition().y, 0.0f, 0.03f);
    EXPECT_EQ(Angle(), 0.0f);

    // Released: 5.2 slower each tick (and damped), standing on the tick the speed reaches 0.
    int ticks = 0;
    while (character->GetState() == PLAYER_WALK && ticks < 20) {
        const float before = std::fabs(character->GetLinearVelocity().x);
        Tick();
        ++ticks;
        EXPECT_LE(std::fabs(character->GetLinearVelocity().x), std::max(0.0f, before - kHorizontalSlowdown) + 0.01f);
    }
    EXPECT_EQ(ticks, 9);
    EXPECT_EQ(character->GetState(), PLAYER_STAND);
    EXPECT_EQ(character->GetAnimationIndex(), w.standAnimation);
    EXPECT_EQ(character->GetFacing(), FACING_NONE);
    const float x1 = character->GetPosition().x;
    Tick();
    EXPECT_EQ(character->GetPosition().x, x1);
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Directions, WalkTest,
                         ::testing::Values(sWalk{FACING_LEFT, -1.0f, ANIM_WALK_LEFT, ANIM_STAND_LEFT},
                                           sWalk{FACING_RIGHT, 1.0f, ANIM_WALK_RIGHT, ANIM_STAND_RIGHT}));

/// The highest the body's bottom rises above its start under the jump's push, the game's gravity
/// and damping, stepped as the world steps (1/22 s, velocity first, then position).
float ExpectedJumpHeight(float mass)
{
    const float h = 1.0f / 22.0f;
    float v = kJumpImpulse / mass;
    float y = -kJumpTakeOffDrop;
    float top = y;
    while (v > 0.0f) {
        v = (v - 200.0f * h) * (1.0f - 1.5f * h);
        y += h * v;
        top = std::max(top, y);
    }
    return top;
}

TEST_F(PlayerCharTest, JumpsToTheHeightOfItsPushFallsAndLands)
{
    PlaceOnGround();
    Tick([&] { character->Jump(false); });
    EXPECT_EQ(character->GetState(), PLAYER_JUMP);
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_JUMP);
    ASSERT_EQ(assets.sounds.played.size(), 1u);
    EXPECT_EQ(assets.sounds.played[0].id, 0);
    EXPECT_FLOAT_EQ(assets.sounds.played[0].volume, 0.4f);
    EXPECT_EQ(assets.sounds.played[0].loopCount, 0);
    assets.sounds.Take();

    float top = 0.0f;
    std::vector<int> states{PLAYER_JUMP};
    for (int t = 0; t < 80; ++t) {
        // Pressing jump in the air does nothing.
        const bool wasFalling = character->GetState() == PLAYER_FALL;
        Tick([&] {
            if (character->GetState() == PLAYER_JUMP || character->GetState() == PLAYER_FALL)
                character->Jump(false);
        });
        top = std::max(top, character->GetPosition().y);
        if (character->GetState() != states.back())
            states.push_back(character->GetState());
        if (wasFalling && character->GetPosition().y > 1.0f) {
            EXPECT_LE(character->GetLinearVelocity().y, kSlowestFallSpeed + 0.01f);
        }
        EXPECT_EQ(Angle(), 0.0f);
    }
    EXPECT_NEAR(top, ExpectedJumpHeight(character->GetPhysicsBody()->GetMass()), 2.0f);
    EXPECT_THAT(states, ElementsAre(PLAYER_JUMP, PLAYER_FALL, PLAYER_LAND, PLAYER_STAND));
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(1));
    EXPECT_NEAR(character->GetPosition().y, 0.0f, 0.03f);
    EXPECT_EQ(character->GetDrawOrder(), 0);
}

TEST_F(PlayerCharTest, FallsFromAHeightAtLeastFiftyUnitsPerSecondAndLandsFacingNowhere)
{
    AddTerrain(-200.0f, -10.0f, 400.0f, 10.0f);
    character = Load("brown");
    character->Init(&world, 0.0f, 60.0f);
    EXPECT_EQ(character->GetDrawOrder(), 60);
    int ticks = 0;
    while (character->GetState() != PLAYER_FALL && ticks++ < 20)
        Tick();
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_FALL);
    // It starts falling the tick its speed passes -5: after two steps of gravity.
    EXPECT_EQ(ticks, 2);
    // From the tick after the fall starts, until the ground stops it.
    while (character->GetState() == PLAYER_FALL && ticks++ < 100) {
        Tick();
        if (character->GetPosition().y > 1.0f) {
            EXPECT_LE(character->GetLinearVelocity().y, kSlowestFallSpeed + 0.01f);
        }
    }
    EXPECT_EQ(character->GetState(), PLAYER_LAND);
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_LAND);
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(1));
    EXPECT_EQ(character->GetDrawOrder(), 0);
    // The landing plays its three frames of 60 ms, then the character stands.
    for (ticks = 0; character->GetState() == PLAYER_LAND && ticks < 50; ++ticks)
        Tick();
    EXPECT_EQ(ticks, 9);
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_STAND);
}

TEST_F(PlayerCharTest, FallingSidewaysHoldsTheFallAnimationAtItsFirstFrame)
{
    AddTerrain(-200.0f, -400.0f, 400.0f, 10.0f);
    character = Load("brown");
    character->Init(&world, 0.0f, 0.0f);
    std::vector<int> frames;
    for (int t = 0; t < 20; ++t) {
        Tick([&] { character->Walk(FACING_LEFT); });
        if (character->GetState() == PLAYER_FALL)
            frames.push_back(character->GetAnimation(ANIM_FALL_LEFT)->GetCurrentFrame());
    }
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_FALL_LEFT);
    // Set again every tick, the looping fall animation of two frames of 120 ms shows its first.
    ASSERT_GT(frames.size(), 10u);
    EXPECT_EQ(std::count(frames.begin(), frames.end(), 0), static_cast<long>(frames.size()));
}

TEST_F(PlayerCharTest, HeadJumpSpinsLandsWithoutALandingSoundAndStandsAgain)
{
    PlaceOnGround();
    Tick([&] { character->HeadJump(); });  // on the ground: nothing
    EXPECT_FALSE(character->IsHeadJumping());

    Tick([&] { character->Jump(true); });
    EXPECT_TRUE(character->IsHeadJumping());
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_HEAD_JUMP);
    int ticks = 0;
    while (character->GetState() != PLAYER_LAND && ticks++ < 100) {
        Tick();
        EXPECT_EQ(character->GetAnimationIndex(), ANIM_HEAD_JUMP);
    }
    EXPECT_EQ(character->GetState(), PLAYER_LAND);
    // The jump, and the pop of a head-jump landing on plain terrain at both its points.
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(0, 5, 5));
    while (character->GetState() == PLAYER_LAND && ticks++ < 200)
        Tick();
    EXPECT_EQ(character->GetState(), PLAYER_STAND);
    EXPECT_FALSE(character->IsHeadJumping());

    // A head-jump may also start later in the jump.
    Tick([&] { character->Jump(false); });
    Tick();
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_JUMP);
    Tick([&] { character->HeadJump(); });
    EXPECT_TRUE(character->IsHeadJumping());
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_HEAD_JUMP);
}

TEST_F(PlayerCharTest, WalkingInTheAirPushesWithoutLeavingTheJump)
{
    PlaceOnGround();
    Tick([&] { character->Jump(false); });
    Tick([&] { character->Walk(FACING_RIGHT); });
    EXPECT_EQ(character->GetState(), PLAYER_JUMP);
    EXPECT_GT(character->GetLinearVelocity().x, 0.0f);
    Tick();
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_JUMP_RIGHT);
}

// ---- leaving the world and the results

TEST_F(PlayerCharTest, BodyLeavesTheWorldAtTheNextUpdate)
{
    PlaceOnGround();
    Tick();
    const b2Vec2 at = character->GetPosition();
    character->Die(false);
    EXPECT_TRUE(character->HasBody());
    EXPECT_EQ(world.GetBodyCount(), 2);
    character->Update(kTick);
    EXPECT_FALSE(character->HasBody());
    EXPECT_EQ(world.GetBodyCount(), 1);
    EXPECT_EQ(character->GetPosition(), at);
    Step();
}

TEST_F(PlayerCharTest, DyingWithRespawnReportsOnceThenTheEndOfTheAnimation)
{
    PlaceOnGround();
    character->Die(true);
    character->Die(true);
    EXPECT_EQ(character->GetState(), PLAYER_DIE);
    EXPECT_FALSE(character->IsPresent());
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_DIE);
    EXPECT_EQ(Tick(), 10);
    // Ten frames of 70 ms.
    EXPECT_EQ(TickUntilResult(100), std::make_pair(34, -1));
    EXPECT_FALSE(character->IsActive());
    EXPECT_EQ(TickUntilResult(50).second, 0);
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());
}

TEST_F(PlayerCharTest, DyingWithoutRespawnReportsOnlyTheEnd)
{
    PlaceOnGround();
    character->Die(false);
    EXPECT_EQ(TickUntilResult(100), std::make_pair(35, -1));
}

struct sMetamorphosis
{
    const char* name;
    bool form;
    int sound;
    int result;
};

class MetamorphosisTest : public CharacterWorld, public ::testing::WithParamInterface<sMetamorphosis>
{
};

TEST_P(MetamorphosisTest, TurnsWithItsSoundAndReportsWhichFormItBecomes)
{
    const sMetamorphosis& m = GetParam();
    PlaceOnGround(m.name, m.form);
    character->SetMayMetamorphose(false);
    character->Metamorphose();
    EXPECT_EQ(character->GetState(), PLAYER_STAND);

    character->SetMayMetamorphose(true);
    Tick([&] { character->Walk(FACING_RIGHT); });
    character->Metamorphose();
    EXPECT_EQ(character->GetState(), PLAYER_METAMORPHOSIS);
    EXPECT_EQ(character->GetLinearVelocity(), b2Vec2(0.0f, 0.0f));
    EXPECT_FALSE(character->IsPresent());
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(m.sound));
    character->Metamorphose();
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());
    // Fourteen frames of 90 ms.
    EXPECT_EQ(TickUntilResult(100), std::make_pair(63, m.result));
    EXPECT_FALSE(character->HasBody());
    EXPECT_EQ(Tick(), 0);
}

INSTANTIATE_TEST_SUITE_P(Characters, MetamorphosisTest,
                         ::testing::Values(sMetamorphosis{"brown", false, 59, 1},
                                           sMetamorphosis{"orange", false, 59, 6},
                                           sMetamorphosis{"gray", false, 59, 8},
                                           sMetamorphosis{"antler", true, 60, 4},
                                           sMetamorphosis{"spirit", true, 60, 7},
                                           sMetamorphosis{"batking", true, 60, 9}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlayerCharTest, EnteringAnExitEndsInsideItWithoutABodyToJumpWith)
{
    PlaceOnGround("gray");
    character->EnterExit(nullptr);
    EXPECT_EQ(character->GetState(), PLAYER_ENTER_EXIT);
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(51));
    character->Metamorphose();
    EXPECT_EQ(character->GetState(), PLAYER_ENTER_EXIT);
    // Eight frames of 70 ms.
    EXPECT_EQ(TickUntilResult(100), std::make_pair(28, -2));
    EXPECT_EQ(character->GetState(), PLAYER_IN_EXIT);
    EXPECT_TRUE(character->IsPresent());
    EXPECT_FALSE(character->IsActive());
    EXPECT_EQ(Tick(), 0);

    character->SetActive(true);
    character->Jump(false);
    EXPECT_EQ(character->GetState(), PLAYER_IN_EXIT);
    EXPECT_EQ(Tick(), 0);
    EXPECT_EQ(character->GetState(), PLAYER_IN_EXIT);
    // Only jumps, falls and changes of form hold a walk back; in play the tree lets it out first.
    character->Walk(FACING_LEFT);
    EXPECT_EQ(character->GetState(), PLAYER_WALK);
}

TEST_F(PlayerCharTest, ResetTakesTheCharacterOutForANewArea)
{
    PlaceOnGround();
    character->IncCarried();
    character->SetHintBubble(new cHintBubble(3, 3000));
    character->SetDroppedThisTick(true);
    character->SetMayMetamorphose(false);
    character->Die(true);
    character->Reset();
    EXPECT_FALSE(character->HasBody());
    EXPECT_EQ(world.GetBodyCount(), 1);
    EXPECT_EQ(character->GetPosition(), b2Vec2(0.0f, 0.0f));
    EXPECT_EQ(character->GetAnimationIndex(), -1);
    EXPECT_EQ(character->GetState(), PLAYER_STAND);
    EXPECT_FALSE(character->IsActive());
    EXPECT_FALSE(character->IsPresent());
    EXPECT_EQ(character->GetCarried(), 0);
    EXPECT_EQ(character->GetHintBubble(), nullptr);
    EXPECT_FALSE(character->IsDroppedThisTick());
    EXPECT_TRUE(character->GetMayMetamorphose());
    EXPECT_EQ(character->Update(kTick), cPlayerChar::RESULT_NONE);

    // The death asked for before the reset is not reported in the next area.
    character->Init(&world, 0.0f, 0.0f);
    EXPECT_EQ(Tick(), 0);
    EXPECT_EQ(character->GetState(), PLAYER_STAND);
}

// ---- idling

TEST_F(PlayerCharTest, IdlesAfterFiveToEightSecondsAndNotWhileCarrying)
{
    PlaceOnGround();
    int ticks = 0;
    const auto idling = [&] { return character->GetAnimationIndex() >= ANIM_IDLE_YAWN; };
    while (!idling() && ticks++ < 500)
        Tick();
    EXPECT_GE(ticks * kTick, 5000);
    EXPECT_LE(ticks * kTick, 8000 + kTick);

    // Back to standing once it has played; then ten to thirteen seconds until the next one.
    while (idling() && ticks++ < 1000)
        Tick();
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_STAND);
    character->IncCarried();
    for (int t = 0; t < 700; ++t)
        Tick();
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_STAND);
    character->DecCarried();
    Tick();
    EXPECT_TRUE(idling());
}

TEST(IdleTimer, WaitsAndPicksAreRandModuloTheirRanges)
{
    cIdleTimer timer;
    for (const unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
        std::srand(seed);
        const int r = std::rand();
        std::srand(seed);
        timer.WaitAfterStanding();
        EXPECT_EQ(timer.GetTimeLeft(), r % 3000 + 5000) << seed;
        std::srand(seed);
        timer.WaitAfterIdle();
        EXPECT_EQ(timer.GetTimeLeft(), r % 3000 + 10000) << seed;
        std::srand(seed);
        EXPECT_EQ(cIdleTimer::PickIdle(), r % 100 < 33 ? 0 : r % 100 < 66 ? 1 : 2) << seed;
    }
    std::srand(1);
}

struct sIdleVoice
{
    const char* name;
    bool form;
    int sound;
    float volume;
};

class IdleVoiceTest : public CharacterWorld, public ::testing::WithParamInterface<sIdleVoice>
{
};

TEST_P(IdleVoiceTest, YawnMakesTheCharactersVoiceHeard)
{
    const sIdleVoice& v = GetParam();
    character = Load(v.name, v.form);
    character->SetAnimation(ANIM_IDLE_BLINK, true);
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());
    character->SetAnimation(ANIM_IDLE_YAWN, true);
    ASSERT_EQ(assets.sounds.played.size(), 1u);
    EXPECT_EQ(assets.sounds.played[0].id, v.sound);
    EXPECT_FLOAT_EQ(assets.sounds.played[0].volume, v.volume);
}

INSTANTIATE_TEST_SUITE_P(Characters, IdleVoiceTest,
                         ::testing::Values(sIdleVoice{"brown", false, 26, 1.0f},
                                           sIdleVoice{"antler", true, 25, 0.4f},
                                           sIdleVoice{"orange", false, 4, 0.4f},
                                           sIdleVoice{"spirit", true, 18, 1.0f},
                                           sIdleVoice{"gray", false, 8, 1.0f},
                                           sIdleVoice{"batking", true, 8, 1.0f}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlayerCharTest, PlainCharacterTurnedIntoATreeStaysOne)
{
    character = Load("orange");
    character->SetAnimation(ANIM_SPECIAL, true);
    character->SetAnimation(ANIM_STAND, true);
    EXPECT_EQ(character->GetAnimationIndex(), ANIM_SPECIAL);
    EXPECT_FALSE(character->IsBatKing());

    auto form = Load("batking", true);
    form->SetAnimation(ANIM_SPECIAL - 1, true);
    form->SetAnimation(ANIM_STAND, true);
    EXPECT_EQ(form->GetAnimationIndex(), ANIM_STAND);
    EXPECT_TRUE(form->IsBatKing());
}

TEST_F(PlayerCharTest, HintBubbleRunsWithTheCharacterAndIsDeletedWhenDone)
{
    PlaceOnGround();
    character->SetHintBubble(new cHintBubble(3, 3000));
    for (int t = 0; t < 149; ++t)
        Tick();
    ASSERT_NE(character->GetHintBubble(), nullptr);
    Tick();
    EXPECT_EQ(character->GetHintBubble(), nullptr);
}

} // namespace
