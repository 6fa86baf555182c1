// The first area, "The Heart Tree", played from its real file through its real frames with a
// player's keys: brown comes out of the heart tree, feeds it every heart along the rock staircase
// (each pink one lets another character out, each green one nearing the tree puts the earthquake
// off), the tree leaps, the rocks fall, the platforms behind the cover stone appear, the theme
// plays, the exit wakes up, the tree rises, and the three characters leave through the exit. The
// pictures of the quake, the leap and the rising tree are saved for a person to look at. After the
// quake, a player running up the two planks needs no exact timing for the second jump. No step of
// the staircase rises more than two thirds of what brown's feet rise in a jump from standing.
#include "world/Area0.h"

#include "app/Game.h"
#include "actors/AreaExit.h"
#include "actors/FallingRock.h"
#include "actors/Heart.h"
#include "actors/Level0EnterTree.h"
#include "actors/PlayerChar.h"
#include "audio/Sound.h"
#include "engine/PhysicsBody.h"

#include "tests/support/RecordingSoundLibrary.h"
#include "tests/world/ScriptedAreas.h"
#include "tests/world/StoryRoutes.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>
#include <map>

using ::testing::Contains;
using ::testing::HasSubstr;

namespace {

constexpr int kTick = 20;
constexpr int kQuakeEffect = 78, kLeapEffect = 77, kFirstSwitchEffect = 3;

/// Where a character stands on the way up: the ground, the terrace before the cliff, or a rock by
/// its place in the area file.
constexpr int kGround = -1, kTerrace = -2;
struct sStep
{
    const char* onto;
    int from, to;
};
/// The staircase from the meadow over the cover stone to the post on the cliff, and the way back
/// onto it for whoever drops onto the terrace.
const sStep kStaircase[] = {{"the widest rock", kGround, 2}, {"the low rock", 2, 3},
                            {"the base rock", 3, 4},         {"the tall rock", 4, 5},
                            {"the slim rock", 5, 7},         {"the cover stone", 7, 6},
                            {"the post on the cliff", 6, 1}, {"the base rock from the terrace", kTerrace, 4}};

/// What the run saw, by tick.
struct sRun
{
    int quake = -1, lastEaten = -1, leap = -1, leapt = -1, cover = -1, left = -1;
    /// The tree's clock since the leap when the theme began, the exit woke up and the tree rose.
    int theme = -1, exitAwake = -1, rising = -1;
    int quakeResets = 0;
    /// The tick each character came out of the tree.
    std::map<int, int> out;
    std::vector<int> effectsAtQuake, effectsAtLeap;
};

class Area0Test : public ScriptedAreaFixture
{
protected:
    /// The real area file with a looping tune for the music and the ambience and a two-second one
    /// for the tree's theme.
    void LoadRealArea()
    {
        area0 = LoadScriptedArea<cArea0>("res/Areas/Area0.xml",
                                         "<Audio><ambience std=\"TONE\"/><music file=\"TONE\" loop=\"1\"/>"
                                         "<themes Custom1=\"TONE\"/></Audio>");
        ASSERT_TRUE(initialised) << output;
    }

    /// One game tick with the controller's answers to the area's results.
    int Tick()
    {
        s_audio->Update();
        const int result = area->Update(kTick);
        cGame::ApplyAreaResult(result, *area, *frames);
        frames->Update(kTick);
        return result;
    }

    /// Plays the area to its end (at most three minutes), taking note of what happens.
    sRun Play(cRecordingSoundLibrary& effects)
    {
        sRun run;
        cRoutePlayer hearts(kFirstAreaHeartRoute), toExit(kFirstAreaExitRoute);
        int countdown = 0;
        for (int t = 1; t <= 9000 && run.left < 0; ++t) {
            const int result = Tick();
            const std::vector<int> played = effects.Take();
            Observe(run, t, result, played, countdown);
            (area0->GetExits()[0]->IsActivated() ? toExit : hearts).Play(*area);
        }
        return run;
    }

    void Observe(sRun& run, int t, int result, const std::vector<int>& played, int& countdown)
    {
        for (int id = 0; id < 3; ++id)
            if (!run.out.count(id) && s_resources->GetCharacter(id)->HasBody())
                run.out[id] = t;
        if (area0->GetQuakeCountdown() > countdown)
            ++run.quakeResets;
        countdown = area0->GetQuakeCountdown();
        if (result == cArea0::RESULT_SHAKE) {
            EXPECT_EQ(run.quake, -1) << "one earthquake";
            run.quake = t;
            run.effectsAtQuake = played;
            Paint("area0_quake.png");
        }
        if (run.lastEaten < 0 && area->GetHearts().empty())
            run.lastEaten = t;
        if (run.leap < 0 && area0->GetHeartTree()->GetMouthState() == MOUTH_JUMPING) {
            run.leap = t;
            run.effectsAtLeap = played;
        }
        if (run.leap > 0 && t == run.leap + 20)
            Paint("area0_leap.png");
        if (result == cArea0::RESULT_SHAKE_THEN_SWITCH) {
            EXPECT_EQ(run.leapt, -1) << "one leap";
            run.leapt = t;
        }
        if (run.cover < 0 && area0->GetBodies()[5]->IsInWorld())
            run.cover = t;
        cSound* theme = area->GetSoundPlayer()->FindSound(cArea0::kThemeId);
        if (run.theme < 0 && theme && theme->IsPlaying())
            run.theme = area0->GetPhase2Clock();
        if (run.exitAwake < 0 && area0->GetExits()[0]->IsActivated())
            run.exitAwake = area0->GetPhase2Clock();
        if (run.rising < 0 && area0->GetHeartTree()->IsRising()) {
            run.rising = area0->GetPhase2Clock();
            risingTick = t;
        }
        if (t == risingTick + 250)
            Paint("area0_rising.png");
        if (result == cArea::RESULT_LEAVING)
            run.left = t;
    }

    void LetBrownOut()
    {
        for (int t = 0; t < 300 && !s_resources->GetCharacter(0)->HasBody(); ++t)
            Tick();
    }

    /// The tree leaps at once; ticks until the cover stone has fallen and the planks are there.
    void BringTheQuakeTerrain()
    {
        LetBrownOut();
        area0->GetHeartTree()->StartJump();
        for (int t = 0; t < 1000 && !area0->GetBodies()[6]->IsInWorld(); ++t)
            Tick();
        ASSERT_TRUE(area0->GetBodies()[6]->IsInWorld());
    }

    /// Brown runs right from the terrace with the key held all the way, jumps at takeoff, and
    /// jumps again `wait` ticks after landing on the lower plank. The top of what it stands on
    /// in the end; the lower plank's when it never got off it.
    float RunUpThePlanks(float takeoff, int wait)
    {
        cPlayerChar* brown = s_resources->GetCharacter(0);
        brown->Init(area->GetWorld(), kTerraceX, kTerraceTop);
        for (int t = 0; t < 25; ++t)
            Tick();
        const float lowerTop = PlankTop(5);
        int jumps = 0, landed = -1;
        for (int t = 0; t < 200; ++t) {
            Tick();
            const bool onLower = brown->CanJump() && std::fabs(brown->GetPosition().y - lowerTop) < 0.5f;
            if (jumps == 1 && landed < 0 && onLower)
                landed = t;
            if (jumps > 0 && t > landed + wait && brown->CanJump() && !onLower)
                return brown->GetPosition().y;
            brown->Walk(FACING_RIGHT);
            const bool jumpNow = jumps == 0 ? brown->GetPosition().x >= takeoff : landed >= 0 && t >= landed + wait;
            if (jumpNow && jumps < 2 && brown->CanJump()) {
                brown->Jump(false);
                ++jumps;
            }
        }
        return brown->GetPosition().y;
    }

    /// How high brown's feet rise in a jump from standing still on the ground at x.
    float StandingJumpHeight(float x)
    {
        cPlayerChar* brown = s_resources->GetCharacter(0);
        brown->Init(area->GetWorld(), x, kGroundTop);
        for (int t = 0; t < 25; ++t)
            Tick();
        const float standing = brown->GetPosition().y;
        brown->Jump(false);
        float top = standing;
        for (int t = 0; t < 60; ++t) {
            Tick();
            top = std::max(top, brown->GetPosition().y);
        }
        return top - standing;
    }

    float Top(int rock) const
    {
        if (rock < 0)
            return rock == kGround ? kGroundTop : kTerraceTop;
        const cFallingRock& r = *area0->GetRocks()[static_cast<size_t>(rock)];
        return r.GetPosition().y + static_cast<float>(r.GetBodyHeight());
    }

    float PlankTop(size_t body) const
    {
        const cPhysicsBody* plank = area0->GetBodies()[body];
        return plank->GetPosition().y + plank->GetHeight();
    }

    static constexpr float kTerraceX = 296.0f, kTerraceTop = -166.0f, kGroundTop = -180.0f, kMeadowX = 150.0f;
    cArea0* area0 = nullptr;
    int risingTick = -1;
};

TEST_F(Area0Test, ThePlayerFeedsTheTreeEveryHeartAndTheThreeLeaveThroughTheExitAfterTheLeap)
{
    LoadRealArea();
    ASSERT_EQ(area0->GetRocks().size(), 8u);
    EXPECT_EQ(area->GetHearts().size(), 12u);
    EXPECT_EQ(area->GetStars().size(), 300u) << "the file's 50 and the first area's own 250";
    // The platforms behind the cover stone are not there yet.
    const cPhysicsBody* stepA = area0->GetBodies()[5];
    const cPhysicsBody* stepB = area0->GetBodies()[6];
    ASSERT_TRUE(stepA->IsAddAfterQuake() && stepB->IsAddAfterQuake());
    EXPECT_FALSE(stepA->IsInWorld() || stepB->IsInWorld());

    cRecordedEffects recorded;
    const sRun run = Play(recorded.sounds);

    // Brown out first, in the 201st tick, and under control; each pink heart lets out one more.
    EXPECT_EQ(run.out.at(0), 201);
    ASSERT_EQ(run.out.size(), 3u) << "orange and gray came out too";
    EXPECT_LT(run.out.at(1), run.out.at(2));
    EXPECT_LT(run.out.at(2), run.leap);

    // Every green heart nearing the tree put the quake off again; it came 3 s after the last one.
    EXPECT_GE(run.quakeResets, 3);
    ASSERT_GT(run.quake, 0);
    EXPECT_THAT(run.effectsAtQuake, Contains(kQuakeEffect));
    EXPECT_FALSE(area0->AreHintsOn());

    // The leap 3.5 s after the last heart was eaten, counted from the quake on (the brisk player
    // ate them all before it), its picture for 800 ms, then the shake and the switch to the wide
    // frame set.
    ASSERT_GT(run.lastEaten, 0);
    const int countFrom = run.lastEaten > run.quake ? run.lastEaten + 1 : run.quake;
    EXPECT_EQ(run.leap, countFrom + 3500 / kTick - 1);
    EXPECT_THAT(run.effectsAtLeap, Contains(kLeapEffect));
    EXPECT_THAT(run.effectsAtLeap, Contains(kFirstSwitchEffect));
    EXPECT_EQ(run.leapt, run.leap + 800 / kTick - 1) << "its first 20 ms in the tick it begins";

    // The rocks fell within 4 s; the cover stone's fall brought the two platforms.
    ASSERT_GT(run.cover, run.leapt);
    EXPECT_LE(run.cover, run.leapt + 4000 / kTick + 50);
    EXPECT_TRUE(stepB->IsInWorld());
    for (const auto& rock : area0->GetRocks()) {
        if (rock->IsStaying())
            EXPECT_EQ(rock->GetPosition(), b2Vec2(412.0f, -126.0f));
        else
            EXPECT_LT(rock->GetPosition().y, -240.0f) << "fallen through the ground";
    }

    // Then the theme after 6 s, the exit after 8 s, the rise after 9.5 s of the area's own time
    // (the switch of frames holds it still for a while).
    EXPECT_EQ(run.theme, 6000 + kTick);
    EXPECT_EQ(run.exitAwake, 8000 + kTick);
    EXPECT_EQ(run.rising, 9500 + kTick);
    EXPECT_EQ(area0->GetPhase(), cArea0::PHASE_RISING);
    EXPECT_EQ(frames->GetCurrentFrameSet(), 1);

    // All three in the exit: the area is left, with the fixed counts for the selection.
    ASSERT_GT(run.left, 0) << "the area was not left";
    EXPECT_EQ(area0->GetExits()[0]->GetSwallowedCount(), 3);
    int score = -1, positive = -1, negative = -1;
    area->GetExitInfo(&score, &positive, &negative);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(positive, 2);
    EXPECT_EQ(negative, 10);
    EXPECT_EQ(area->Update(kTick), cArea::RESULT_LEAVING) << "and stays left";
}

TEST_F(Area0Test, AfterTheQuakeARunningJumpFromTheLowerPlankLandsOnTheUpperOneEarlyOrLate)
{
    LoadRealArea();
    BringTheQuakeTerrain();
    // Taking off from the terrace a few ticks early or late (the run covers about 2 units a tick),
    // and jumping again in any of the first 7 ticks on the lower plank, brown reaches the upper one.
    for (float takeoff = 306.0f; takeoff <= 320.0f; takeoff += 2.0f) {
        for (int wait = 0; wait < 7; ++wait)
            EXPECT_NEAR(RunUpThePlanks(takeoff, wait), PlankTop(6), 0.5f)
                << "taking off at " << takeoff << ", jumping again " << wait << " ticks after landing";
    }
}

TEST_F(Area0Test, EveryStepOfTheStaircaseRisesAtMostTwoThirdsOfAStandingJump)
{
    LoadRealArea();
    LetBrownOut();
    const float jump = StandingJumpHeight(kMeadowX);
    for (const sStep& step : kStaircase)
        EXPECT_LE(Top(step.to) - Top(step.from), jump * 2.0f / 3.0f)
            << "onto " << step.onto << ", brown's feet rising " << jump << " in a jump";
}

struct sBrokenFirstArea
{
    const char* label;
    QByteArray elements;
    const char* missing;
};

class Area0BrokenFileTest : public AreaFileFixture, public ::testing::WithParamInterface<sBrokenFirstArea>
{
};

TEST_P(Area0BrokenFileTest, InitFailsWithoutTheTreeOrTheExitAndTheAreaStaysSafe)
{
    tree = std::make_unique<testsounds::cTestResourceTree>(root);
    tree->Add("area.xml", AreaXml(GetParam().elements));
    ASSERT_TRUE(tree->Mount());
    auto* first = new cArea0(tree->BarePath("area.xml").toStdString(), s_resources.get());
    area.reset(first);
    output = StdoutOf([&] { EXPECT_FALSE(area->Init(s_audio.get(), false, false)); });
    EXPECT_THAT(output, HasSubstr("ERROR:"));
    EXPECT_THAT(output, HasSubstr(GetParam().missing));
    EXPECT_EQ(area->Update(kTick), cArea::RESULT_NONE);
    int score = -1, positive = -1, negative = -1;
    area->GetExitInfo(&score, &positive, &negative);
    EXPECT_EQ(score, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Area0BrokenFileTest,
    ::testing::Values(
        sBrokenFirstArea{"NoTree",
                         "<AreaExitTree file=\"res/xml/actors/AreaExits/ExitTree.xml\" x=\"200\" y=\"0\"/>\n"
                         "<ScoreHeart x=\"50\" y=\"5\" value=\"1\"/>\n",
                         "Level0EnterTree"},
        sBrokenFirstArea{"NoExit",
                         "<Level0EnterTree file=\"res/xml/actors/SpecialTrees/Level0EnterTree.xml\" x=\"0\" y=\"0\"/>\n",
                         "AreaExitTree"}),
    [](const ::testing::TestParamInfo<sBrokenFirstArea>& info) { return info.param.label; });

} // namespace
