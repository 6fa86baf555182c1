// The meadow test area, with every plant, mushroom, flier and water of an area, ticked as the game
// ticks it and walked through by the brown character: grass rustles by its kind when brushed from
// the right, a spore mushroom's spores draw the fliers in and keep the other mushroom shut, a glow
// mushroom folds away at night and comes straight back at daybreak, the pool drowns a character
// that then comes out of the enter tree again, and the whole meadow lives through 3000 ticks by
// day and by night and is drawn in both looks.
#include "world/Area.h"
#include "world/AreaLook.h"

#include "actors/AreaEnterTree.h"
#include "actors/BasicPlant.h"
#include "actors/FireFly.h"
#include "actors/GlowMushroom.h"
#include "actors/Lie.h"
#include "actors/Mushroom.h"
#include "actors/NPCFly.h"
#include "actors/PlayerChar.h"
#include "actors/WaterArea.h"
#include "actors/WaterBubbles.h"
#include "actors/WaterFallSparkle.h"
#include "audio/Sound.h"
#include "engine/Animation.h"

#include "tests/support/GlCanvas.h"
#include "tests/support/RecordingSoundLibrary.h"
#include "tests/world/AreaFiles.h"
#include "tests/world/FrameSwitchRoute.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

namespace {

constexpr int kTick = 20;
constexpr int kSize = 512;
constexpr int kWorldRow = 240;
/// Where the meadow's things stand (see naturetest/Nature.xml).
constexpr float kGround = -200.0f;
constexpr float kPoolLeft = 250.0f;
/// The glow mushroom on the ledge, which nobody touches, in texture pixels.
constexpr int kLedgeGlowX = 370, kLedgeGlowRow = -130 + 240;

/// Pixels of the 16 x 16 box from (x, y) in the glow colours of the night palette.
int GlowingPixels(const GlCanvas& canvas, int x, int y)
{
    int count = 0;
    for (int dx = 0; dx < 16; ++dx) {
        for (int dy = 0; dy < 16; ++dy) {
            const QColor c = canvas.Pixel(x + dx, y + dy);
            count += c.green() > 200 && c.blue() > 150 && c.red() < 200 ? 1 : 0;
        }
    }
    return count;
}

/// The meadow with a lie in it, which no area file makes.
class cMeadow : public cArea
{
public:
    using cArea::cArea;
    void MakeLie(float x, float y) { lie = std::make_unique<cLie>(world.get(), x, y); }
};

class AreaNatureTest : public AreaFileFixture
{
protected:
    /// The meadow with its three characters out of the enter tree, standing, brown in control.
    cMeadow& LoadMeadow()
    {
        auto meadow = std::make_unique<cMeadow>(":/naturetest/Nature.xml", s_resources.get());
        cMeadow& ref = *meadow;
        area = std::move(meadow);
        output = StdoutOf([this] { initialised = area->Init(s_audio.get(), false, false); });
        EXPECT_TRUE(initialised) << output;
        for (int t = 0; t < 600 && !AllStanding(); ++t)
            Update();
        EXPECT_TRUE(AllStanding());
        return ref;
    }
    bool AllStanding() const
    {
        for (int id = 0; id < 3; ++id) {
            const cPlayerChar* c = Character(id);
            if (!c->HasBody() || c->GetState() != PLAYER_STAND)
                return false;
        }
        return true;
    }
    cPlayerChar* Character(int id) const { return s_resources->GetCharacter(id); }
    cPlayerChar* Brown() const { return Character(0); }

    /// The audio system's update, then the area's, as the game runs them.
    int Update()
    {
        s_audio->Update();
        return area->Update(kTick);
    }
    /// One tick with brown walking that way (0 left, 1 right).
    void WalkTick(int direction)
    {
        Update();
        Brown()->Walk(direction);
    }
    /// Night falls: the fireflies take orange and gray, the plants and fliers switch, and the
    /// weight has a second to rise.
    void Nightfall()
    {
        cAreaLook(*area).InitiateLoF();
        for (int t = 0; t < 60; ++t)
            Update();
    }
};

TEST_F(AreaNatureTest, PlantsBrushedFromTheRightRustleByTheirKindAndBendLeftOnce)
{
    LoadMeadow();
    // From right of the grass to left of the wool grass: grass three times, then flower, reed,
    // wool grass, each brushed on its right half.
    Brown()->SetPosition(172.0f, kGround);
    std::map<const BasicPlant*, int> bentWith;
    cRecordedEffects effects;
    for (int t = 0; t < 300 && Brown()->GetPosition().x > 56.0f; ++t) {
        WalkTick(FACING_LEFT);
        for (const auto* list : {&area->GetPlantsBack(), &area->GetPlantsFront()}) {
            for (const BasicPlant* plant : *list) {
                if (plant->GetState() == BasicPlant::STATE_TOUCHED && !bentWith.count(plant))
                    bentWith[plant] = plant->GetAnimationIndex();
            }
        }
    }
    ASSERT_LE(Brown()->GetPosition().x, 56.0f) << DescribePlace(*Brown());
    std::vector<int> rustles;
    for (const cRecordingSoundLibrary::sPlayed& p : effects.sounds.played) {
        if (p.id == 10 || p.id == 11 || p.id == 75) {
            rustles.push_back(p.id);
            EXPECT_FLOAT_EQ(p.volume, 0.2f);
        }
    }
    EXPECT_EQ(rustles, (std::vector<int>{75, 75, 75, 11, 10})) << "one rustle per plant; the flower is silent";
    // Wool grass, reed, flower behind; three grass clumps in front; the reed by the pool untouched.
    EXPECT_EQ(bentWith.size(), 6u);
    for (const auto& [plant, animation] : bentWith)
        EXPECT_EQ(animation, BasicPlant::ANIM_TOUCHED_RIGHT) << plant->GetPosition().x;
}

TEST_F(AreaNatureTest, SporeMushroomsDrawTheFliersInAndShutEachOtherUntilTheirSporesAreSpent)
{
    LoadMeadow();
    const std::vector<cMushroom*>& mushrooms = area->GetMushrooms();
    ASSERT_EQ(mushrooms.size(), 2u);
    // By day no mushroom spores.
    for (int t = 0; t < 400; ++t) {
        Update();
        for (const cMushroom* m : mushrooms)
            ASSERT_LT(m->GetState(), cMushroom::STATE_EJECTING) << "tick " << t;
    }
    Nightfall();
    for (const cMushroom* m : mushrooms)
        EXPECT_TRUE(m->HasSporeGate()) << "night opens every gate";

    // Each mushroom's cycle tick by tick, over several cycles. A mushroom that had not begun to
    // eject when another's spores flew stays shut until those are spent.
    struct sCycle
    {
        int state = BasicPlant::STATE_IDLE;
        int ejectAt = -1;
        bool shut = false;
    };
    std::array<sCycle, 2> cycles;
    int sporesSeen = 0, spentSeen = 0;
    const int kTicks = 60000 / kTick;
    for (int t = 0; t < kTicks; ++t) {
        Update();
        for (size_t i = 0; i < 2; ++i) {
            const cMushroom& m = *mushrooms[i];
            sCycle& cycle = cycles[i];
            const int was = std::exchange(cycle.state, m.GetState());
            const b2Vec2 point = m.GetPosition() + b2Vec2(0.0f, 15.0f);
            if (cycle.shut) {
                ASSERT_LT(m.GetState(), cMushroom::STATE_EJECTING) << "tick " << t;
            }
            if (was != cMushroom::STATE_EJECTING && cycle.state == cMushroom::STATE_EJECTING) {
                cycle.ejectAt = t;
                EXPECT_TRUE(m.GetSporeSound()->IsPlaying());
            }
            if (was == cMushroom::STATE_EJECTING && cycle.state == cMushroom::STATE_SPORING) {
                ++sporesSeen;
                EXPECT_EQ(t - cycle.ejectAt, 360 / kTick) << "the eject plays 3 x 120 ms";
                sCycle& other = cycles[1 - i];
                EXPECT_FALSE(mushrooms[1 - i]->HasSporeGate());
                other.shut = other.state < cMushroom::STATE_EJECTING;
                for (const FireFly* fireFly : area->GetFireFlies()) {
                    EXPECT_EQ(fireFly->GetState(), FireFly::STATE_FLY_TO_POINT) << "the carriers come too";
                    EXPECT_EQ(fireFly->GetTarget(), point);
                }
                for (const NPCFly* fly : area->GetNPCFlies()) {
                    const auto& kept = fly->GetPendingPoints();
                    EXPECT_TRUE(fly->GetTarget() == point || std::count(kept.begin(), kept.end(), point) == 1)
                        << "every flier heads for the spores or keeps them for later";
                }
            }
            if (was == cMushroom::STATE_SPORING && cycle.state == cMushroom::STATE_VANISHING) {
                const int ms = (t - cycle.ejectAt) * kTick;
                EXPECT_GE(ms, 6000);
                EXPECT_LE(ms, 11000);
            }
            if (was == cMushroom::STATE_VANISHING && cycle.state == BasicPlant::STATE_IDLE) {
                ++spentSeen;
                for (sCycle& c : cycles)
                    c.shut = false;
                for (const cMushroom* any : mushrooms)
                    EXPECT_TRUE(any->HasSporeGate()) << "every gate opens again";
                const bool otherSporing = mushrooms[1 - i]->GetState() >= cMushroom::STATE_EJECTING;
                for (const FireFly* fireFly : area->GetFireFlies())
                    EXPECT_EQ(fireFly->GetState(), FireFly::STATE_FOLLOWING) << "back to the antler form";
                for (const NPCFly* fly : area->GetNPCFlies()) {
                    if (!otherSporing) {
                        EXPECT_EQ(fly->GetState(), NPCFly::STATE_WANDERING) << "nothing sporing: back to wandering";
                    }
                }
            }
        }
    }
    EXPECT_GE(sporesSeen, 4) << "a minute of night sees several spore clouds";
    EXPECT_GE(spentSeen, sporesSeen - 2) << "spores end: none flies for ever";
    for (const cMushroom* m : mushrooms)
        EXPECT_LE(m->GetSporeTimeLeft(), 11000);
}

TEST_F(AreaNatureTest, TheFliersCircleTheSporesAndTheSporeSoundFadesInAndOut)
{
    LoadMeadow();
    Nightfall();
    const cMushroom* sporing = nullptr;
    for (int t = 0; t < 1000 && !sporing; ++t) {
        Update();
        for (const cMushroom* m : area->GetMushrooms()) {
            if (m->GetState() == cMushroom::STATE_SPORING)
                sporing = m;
        }
    }
    ASSERT_TRUE(sporing);
    // Six seconds of spores at least: every flier reaches them within the first four and circles.
    int circling = 0;
    for (int t = 0; t < 4000 / kTick; ++t) {
        Update();
        circling = 0;
        for (const NPCFly* fly : area->GetNPCFlies())
            circling += fly->GetState() == NPCFly::STATE_CIRCLING ? 1 : 0;
    }
    EXPECT_EQ(circling, 4);
    EXPECT_EQ(sporing->GetState(), cMushroom::STATE_SPORING);
    EXPECT_NEAR(sporing->GetSporeSound()->GetVolume(), 1.0f, 0.01f) << "faded in over 2 s";
    for (int t = 0; t < 8000 / kTick && sporing->GetState() == cMushroom::STATE_SPORING; ++t)
        Update();
    ASSERT_EQ(sporing->GetState(), cMushroom::STATE_VANISHING);
    for (int t = 0; t < 2000 / kTick; ++t)
        Update();
    EXPECT_FLOAT_EQ(sporing->GetSporeSound()->GetVolume(), 0.0f) << "faded out over 2 s";
}

// The spore sound is a sound effect: their mute reaches it every tick, the area's sound settings
// do not. The spore loop is taken up where the last spores left it.
TEST_F(AreaNatureTest, ASporeMushroomSoundsAsAnEffectAndTakesItsLoopUpWhereItStopped)
{
    LoadMeadow();
    Nightfall();
    cMushroom* mushroom = area->GetMushrooms().front();
    const auto sporesStart = [&] {
        for (int t = 0; t < 60000 / kTick && mushroom->GetState() != cMushroom::STATE_SPORING; ++t)
            Update();
        return mushroom->GetState() == cMushroom::STATE_SPORING;
    };
    ASSERT_TRUE(sporesStart());
    const auto muted = [mushroom] {
        FMOD_BOOL on = 0;
        return FMOD_Channel_GetMute(mushroom->GetSporeSound()->GetChannel(), &on) == FMOD_OK && on;
    };
    gSoundLibrary->SetMuted(true);
    Update();
    EXPECT_TRUE(muted());
    area->SetMushroomsFlag(false);
    EXPECT_FALSE(muted()) << "until the next tick";
    gSoundLibrary->SetMuted(false);
    Update();
    area->ApplySoundSettings(false, true);
    EXPECT_FALSE(muted());

    // Daybreak ends the spores with the loop past its first frame.
    const cAnimation* loop = mushroom->GetAnimation(cMushroom::ANIM_SPORES);
    for (int t = 0; t < 100 && loop->GetCurrentFrame() == 0; ++t)
        Update();
    const int stoppedAt = loop->GetCurrentFrame();
    ASSERT_NE(stoppedAt, 0);
    cAreaLook(*area).InitiateDay();
    Update();
    Nightfall();
    ASSERT_TRUE(sporesStart());
    EXPECT_EQ(loop->GetCurrentFrame(), stoppedAt);
}

TEST_F(AreaNatureTest, AGlowMushroomFoldsAwayAtNightForItsHideTimeAndDaybreakBringsItBack)
{
    LoadMeadow();
    cGlowMushroom* glow = area->GetGlowMushrooms().front();
    cRecordedEffects effects;
    // By day brushing it does nothing.
    Brown()->SetPosition(228.0f, kGround);
    for (int t = 0; t < 40; ++t) {
        WalkTick(FACING_LEFT);
        ASSERT_LT(glow->GetState(), cGlowMushroom::STATE_RETREATING);
    }
    Nightfall();
    ASSERT_TRUE(glow->IsNight());
    ASSERT_EQ(glow->GetAnimationIndex(), BasicPlant::ANIM_STAND + BasicPlant::ANIM_NIGHT) << "glowing";
    effects.sounds.Take();

    // At night it folds away at a touch, with the large mushroom's sound.
    Brown()->SetPosition(228.0f, kGround);
    int t = 0;
    for (; t < 40 && glow->GetState() != cGlowMushroom::STATE_RETREATING; ++t)
        WalkTick(FACING_LEFT);
    ASSERT_EQ(glow->GetState(), cGlowMushroom::STATE_RETREATING);
    EXPECT_EQ(effects.sounds.played.back().id, 37);
    EXPECT_FLOAT_EQ(effects.sounds.played.back().volume, 0.35f);
    int hiddenAt = -1, backAt = -1;
    for (t = 0; t < 400 && backAt < 0; ++t) {
        Update();
        if (hiddenAt < 0 && glow->GetState() == cGlowMushroom::STATE_HIDDEN)
            hiddenAt = t;
        if (glow->GetState() == cGlowMushroom::STATE_REAPPEARING) {
            backAt = t;
            EXPECT_EQ(glow->GetAnimationIndex(), cGlowMushroom::ANIM_REAPPEAR);
            EXPECT_EQ(effects.sounds.played.back().id, 38);
        }
    }
    ASSERT_GE(hiddenAt, 0);
    ASSERT_GE(backAt, 0);
    EXPECT_EQ(backAt - hiddenAt, 3000 / kTick + 1) << "hidden once longer than its hide time";
    for (t = 0; t < 100 && glow->GetState() != BasicPlant::STATE_IDLE; ++t)
        Update();
    EXPECT_EQ(glow->GetState(), BasicPlant::STATE_IDLE);

    // Hidden once more, daybreak brings it straight back, and by day it stands.
    Brown()->SetPosition(240.0f, kGround);
    for (t = 0; t < 60 && glow->GetState() != cGlowMushroom::STATE_HIDDEN; ++t)
        WalkTick(FACING_LEFT);
    ASSERT_EQ(glow->GetState(), cGlowMushroom::STATE_HIDDEN);
    cAreaLook(*area).InitiateDay();
    EXPECT_EQ(glow->GetState(), cGlowMushroom::STATE_REAPPEARING);
    EXPECT_EQ(glow->GetAnimationIndex(), cGlowMushroom::ANIM_REAPPEAR);
    for (t = 0; t < 100 && glow->GetState() != BasicPlant::STATE_IDLE; ++t)
        Update();
    EXPECT_EQ(glow->GetAnimationIndex(), BasicPlant::ANIM_STAND);
}

// Walking over a glow mushroom touches it several times (the points where the bodies meet change
// as the character moves on), and each touch folds it with its sound.
TEST_F(AreaNatureTest, EachTouchOfAGlowMushroomFoldsItWithItsSound)
{
    LoadMeadow();
    cGlowMushroom* glow = area->GetGlowMushrooms().front();
    cRecordedEffects effects;
    Nightfall();
    const auto folds = [&] {
        const std::vector<int> played = effects.sounds.Take();
        return std::count(played.begin(), played.end(), 37);
    };
    folds();
    Brown()->SetPosition(228.0f, kGround);
    for (const int direction : {FACING_LEFT, FACING_RIGHT}) {
        bool folded = false;
        for (int t = 0; t < 60; ++t) {
            WalkTick(direction);
            folded = folded || glow->GetState() == cGlowMushroom::STATE_RETREATING;
        }
        EXPECT_TRUE(folded);
        EXPECT_GT(folds(), 1) << "walking " << (direction == FACING_LEFT ? "left" : "right");
        for (int t = 0; t < 400 && glow->GetState() != BasicPlant::STATE_IDLE; ++t)
            Update();
        ASSERT_EQ(glow->GetState(), BasicPlant::STATE_IDLE);
    }
}

TEST_F(AreaNatureTest, ThePoolSplashesDrownsACharacterTwentyUnitsDownAndItComesBack)
{
    LoadMeadow();
    const WaterArea* pool = area->GetWaterAreas().front();
    ASSERT_FALSE(pool->GetSplash(0)->IsVisible()) << "no splash before anyone dives";
    const b2Vec2 mouth = area->GetEnterTree()->GetMouthPosition();
    cRecordedEffects effects;
    Brown()->SetPosition(kPoolLeft - 14.0f, kGround);
    float entered = NAN;
    for (int t = 0; t < 300 && Brown()->GetState() != PLAYER_DIE; ++t) {
        WalkTick(FACING_RIGHT);
        if (std::isnan(entered) && pool->GetSplash(0)->IsVisible())
            entered = pool->GetSplashPoint(0).x;
    }
    ASSERT_EQ(Brown()->GetState(), PLAYER_DIE) << DescribePlace(*Brown());
    EXPECT_GT(entered, kPoolLeft - 12.0f) << "the splash stands where brown went in";
    const std::vector<int> played = effects.sounds.Take();
    EXPECT_EQ(std::count(played.begin(), played.end(), 41), 1) << "drowned";
    EXPECT_EQ(std::count(played.begin(), played.end(), 40), 0);
    const float depth = kGround - Brown()->GetPosition().y;
    EXPECT_NEAR(depth, WaterArea::kSafeDepth, 2.0f) << "sank 20 units before it drowned";

    for (int t = 0; t < 600 && !(Brown()->HasBody() && Brown()->GetState() == PLAYER_STAND); ++t)
        Update();
    ASSERT_TRUE(Brown()->HasBody());
    EXPECT_NEAR(Brown()->GetPosition().x, mouth.x, 16.0f) << "out of the enter tree again";
    EXPECT_EQ(area->GetCurrentPlayerIndex(), 0);
}

TEST_F(AreaNatureTest, WhatCannotBeBuiltIsRefusedWithALineAndTheAreaPlaysOn)
{
    cMeadow& meadow = LoadMeadow();
    const std::string said = StdoutOf([&meadow] {
        meadow.AddBasicPlant("res/xml/actors/plants/missing.xml", 20, -200);
        meadow.AddMushroom("res/xml/actors/plants/missing.xml", 30, -200);
        meadow.AddWaterArea(40, -200, 30, 20, 53, 193, 230, 127);   // too shallow to drown in
        meadow.AddWaterFallSparkles(50, -200, 0, 40);
        meadow.AddWaterBubbles(60, -200, 3);
        meadow.AddNPCFly(0, 70, -200, -5, 10);
    });
    for (const char* line : {"Invalid XML resource file", "too small to drown in", "waterfall at (50, -200)",
                             "no water bubbles of size 3", "zone width of -5"})
        EXPECT_NE(said.find(line), std::string::npos) << line << " in:" << said;
    EXPECT_FALSE(area->GetPlantsBack().back()->HasBody());
    EXPECT_FALSE(area->GetWaterAreas().back()->HasBody());
    EXPECT_EQ(area->GetSparkles().size(), 5u) << "the meadow's own waterfall only";
    EXPECT_EQ(area->GetBubbles().back()->GetAnimation(), nullptr);
    const std::string later = StdoutOf([this] {
        for (int t = 0; t < 300; ++t)
            Update();
        cAreaLook(*area).InitiateLoF();
        for (int t = 0; t < 300; ++t)
            Update();
        GlCanvas canvas(kSize, kSize);
        area->Draw(true, true);
    });
    EXPECT_EQ(later.find("ERROR"), std::string::npos) << "nothing more said while it plays: " << later;
}

TEST_F(AreaNatureTest, TheMeadowLivesThroughThreeThousandTicksByDayAndNightAndIsDrawnInBothLooks)
{
    cMeadow& meadow = LoadMeadow();
    meadow.MakeLie(30.0f, -120.0f);
    EXPECT_EQ(area->GetPlantsBack().size(), 4u);
    EXPECT_EQ(area->GetPlantsFront().size(), 4u);
    EXPECT_EQ(area->GetMushrooms().size(), 2u);
    EXPECT_EQ(area->GetGlowMushrooms().size(), 2u);
    EXPECT_EQ(area->GetNPCFlies().size(), 4u);
    EXPECT_EQ(area->GetWaterAreas().size(), 1u);
    EXPECT_EQ(area->GetSparkles().size(), 5u);
    EXPECT_EQ(area->GetBubbles().size(), 2u);
    EXPECT_EQ(output.find("NOTE:"), std::string::npos) << output;

    GlCanvas canvas(kSize, kSize);
    // Brown keeps walking into the pool, drowning and coming back; at half time night falls.
    for (int t = 0; t < 1500; ++t)
        WalkTick(FACING_RIGHT);
    canvas.Bind();
    area->Draw(true, true);
    canvas.Save("meadow-day.png");
    const QColor dayWater = canvas.Pixel(300, static_cast<int>(kGround) + kWorldRow - 10);
    const int dayGlow = GlowingPixels(canvas, kLedgeGlowX, kLedgeGlowRow);

    cAreaLook(*area).InitiateLoF();
    for (int t = 0; t < 1500; ++t)
        WalkTick(FACING_RIGHT);
    EXPECT_FLOAT_EQ(area->GetDayNightBlend(), 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    area->Draw(true, true);
    canvas.Save("meadow-night.png");
    const int nightGlow = GlowingPixels(canvas, kLedgeGlowX, kLedgeGlowRow);

    EXPECT_GT(dayWater.blue(), dayWater.red() + 40) << "the pool is blue";
    EXPECT_EQ(dayGlow, 0);
    EXPECT_GT(nightGlow, 10) << "the glow mushroom glows at night";
    for (const NPCFly* fly : area->GetNPCFlies())
        EXPECT_FALSE(fly->HasCreatureLook());
}

} // namespace
