// The last area, "Family Trees", played from its real file through its real frames with a
// player's keys: hearts worth nothing and the pink heart still hovering start nothing; the antler
// sets the pink heart flying, the tree eats it, the camera comes 2 s later, the fireflies bring
// orange and gray, who take root 500 ms after the last of them, the tree comes down, the antler
// walks into it, the tree flies off and stops short as it should, and "The End" asks for a key
// only after 15 s. The pictures of the ending are saved for a person to look at.
#include "world/AreaEnd.h"

#include "app/Game.h"
#include "actors/AreaEndExitTree.h"
#include "actors/AreaEnterTree.h"
#include "actors/FireFly.h"
#include "actors/Heart.h"
#include "actors/PlayerChar.h"
#include "audio/AreaSoundPlayer.h"
#include "engine/PhysicsBody.h"

#include "tests/support/RecordingSoundLibrary.h"
#include "tests/world/ScriptedAreas.h"
#include "tests/world/StoryRoutes.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

constexpr int kTick = 20;
constexpr int kHeartEatenEffect = 80, kRootingEffect = 81;

/// What the run saw, by tick.
struct sEnding
{
    int heartFlies = -1, ending = -1, heartEaten = -1, marker = -1, rooted = -1, toTree = -1, theEnd = -1,
        treeStopped = -1, keyAccepted = -1, left = -1;
    std::vector<int> shakes;
    /// The ticks orange and gray came down, and the drop delay each one left.
    int drops[2] = {-1, -1};
    int dropDelays[2] = {-1, -1};
    /// The music's volume 3 s into the ending.
    float musicInTheEnding = -1.0f;
    /// Where the tree stood once it had come down.
    bool lowering = false;
    float loweredY = 0.0f;
};

class AreaEndTest : public ScriptedAreaFixture
{
protected:
    /// The real area file with a looping tune for the music and the ambience and a two-second one
    /// for each of the two themes.
    void LoadRealArea()
    {
        end = LoadScriptedArea<cAreaEnd>("res/Areas/EndArea.xml",
                                         "<Audio><ambience std=\"TONE\"/><music file=\"TONE\" loop=\"1\"/>"
                                         "<themes Custom2=\"TONE\" Custom3=\"TONE\"/></Audio>");
        ASSERT_TRUE(initialised) << output;
    }

    /// One game tick with the controller's answer to the camera's result.
    int Tick()
    {
        s_audio->Update();
        const int result = area->Update(kTick);
        cGame::ApplyAreaResult(result, *area, *frames);
        frames->Update(kTick);
        return result;
    }

    /// Plays the ending (at most three minutes). The player presses a key once the texts ask for
    /// one and the tree has flown out of the picture.
    sEnding Play(cRecordingSoundLibrary& effects)
    {
        sEnding run;
        cRoutePlayer toHeart(kLastAreaHeartRoute), toTree(kLastAreaTreeRoute);
        for (int t = 1; t <= 9000 && run.left < 0; ++t) {
            const int result = Tick();
            Observe(run, t, result, effects.Take());
            if (end->GetPhase() == cAreaEnd::PHASE_WAITING)
                toHeart.Play(*area);
            else if (end->GetPhase() == cAreaEnd::PHASE_TO_TREE)
                toTree.Play(*area);
            if (end->IsFinished() && run.treeStopped > 0)
                end->SetFinished(true);
        }
        return run;
    }

    void Observe(sEnding& run, int t, int result, const std::vector<int>& played)
    {
        for (const cHeart* heart : area->GetHearts())
            if (run.heartFlies < 0 && heart->GetValue() > 0 && heart->IsTravelling())
                run.heartFlies = t;
        if (run.ending < 0 && end->GetPhase() == cAreaEnd::PHASE_ENDING)
            run.ending = t;
        if (run.ending > 0 && t == run.ending + 3000 / kTick)
            run.musicInTheEnding = Volume(area->GetSoundPlayer()->GetMusicChannel());
        if (std::find(played.begin(), played.end(), kHeartEatenEffect) != played.end())
            run.heartEaten = t;
        if (result == cAreaEnd::RESULT_SHAKE_THEN_SWITCH)
            run.shakes.push_back(t);
        if (run.marker < 0 && end->GetCameraMarker())
            run.marker = t;
        for (int i : {0, 1}) {
            if (run.drops[i] < 0 && s_resources->GetCharacter(i + 1)->HasBody()) {
                run.drops[i] = t;
                run.dropDelays[i] = end->GetDropDelay();
            }
        }
        if (std::find(played.begin(), played.end(), kRootingEffect) != played.end()) {
            run.rooted = t;
            Paint("end_rooted.png");
        }
        if (run.toTree < 0 && end->GetPhase() == cAreaEnd::PHASE_TO_TREE)
            run.toTree = t;
        if (run.theEnd < 0 && end->GetHeartTree()->IsMoving())
            run.lowering = true;
        else if (run.lowering && run.loweredY == 0.0f)
            run.loweredY = end->GetHeartTree()->GetPosition().y;
        if (run.theEnd < 0 && end->GetPhase() == cAreaEnd::PHASE_THE_END)
            run.theEnd = t;
        if (run.theEnd > 0 && run.treeStopped < 0 && !end->GetHeartTree()->IsMoving()) {
            run.treeStopped = t;
            Paint("end_press_a_key.png");
        }
        if (run.keyAccepted < 0 && end->IsFinished()) {
            run.keyAccepted = t;
            Paint("end_the_end.png");
        }
        if (result == cArea::RESULT_LEAVING)
            run.left = t;
    }

    cAreaEnd* end = nullptr;
};

TEST_F(AreaEndTest, TheAntlerFeedsTheTreeTheFamilyTakesRootAndTheEndWaitsForAKey)
{
    LoadRealArea();
    ASSERT_EQ(area->GetExits().size(), 1u);
    cAreaEndExitTree* heartTree = end->GetHeartTree();
    ASSERT_TRUE(heartTree && heartTree->GetPlatform());
    EXPECT_EQ(heartTree->GetPlatform()->GetType(), BODY_SENSOR);
    EXPECT_EQ(end->GetExtraPlatform()->GetPosition(), b2Vec2(cAreaEnd::kExtraPlatformX, cAreaEnd::kExtraPlatformY));
    const cPlayerChar* antler = area->GetPlayers()[0];
    EXPECT_TRUE(antler->IsAncestorForm());
    EXPECT_FALSE(antler->GetMayMetamorphose());
    ASSERT_EQ(end->GetCarriers().size(), 2u);
    for (const FireFly* fireFly : end->GetCarriers())
        EXPECT_TRUE(fireFly->IsSpawned());

    // A heart worth nothing is eaten without a word; the pink one hovers untouched.
    area->AddHeartAtExit(60.0f, 20.0f, 0, true);
    for (int t = 0; t < 250; ++t)
        Tick();
    EXPECT_EQ(area->GetHearts().size(), 1u) << "the heart worth nothing was eaten";
    EXPECT_EQ(end->GetPhase(), cAreaEnd::PHASE_WAITING);
    Paint("end_waiting.png");

    cRecordedEffects recorded;
    const sEnding run = Play(recorded.sounds);

    // The ending starts in the tick the antler sets the pink heart flying; the camera comes 2 s
    // after the tree has eaten it, counted from that tick on, and asks for the shake only then.
    ASSERT_GT(run.heartFlies, 0);
    EXPECT_EQ(run.ending, run.heartFlies + 1) << "the contact of the step sets it flying";
    ASSERT_GT(run.heartEaten, run.ending);
    EXPECT_EQ(run.marker, run.heartEaten + 2000 / kTick - 1);
    EXPECT_THAT(run.shakes, ElementsAre(run.marker));
    EXPECT_EQ(run.musicInTheEnding, 1.0f) << "the music plays on under the themes";

    // Orange and gray come down one after the other; each re-arms the delay, and each takes root
    // 500 ms after coming down, the last one 500 ms after the last report.
    ASSERT_GT(run.drops[0], 0);
    ASSERT_GT(run.drops[1], 0);
    EXPECT_NE(run.drops[0], run.drops[1]);
    EXPECT_EQ(run.dropDelays[0], 500 - kTick);
    EXPECT_EQ(run.dropDelays[1], 500 - kTick);
    EXPECT_EQ(run.rooted, std::max(run.drops[0], run.drops[1]) + 500 / kTick - 1);
    for (int id : {1, 2}) {
        EXPECT_EQ(s_resources->GetCharacter(id)->GetAnimationIndex(), ANIM_SPECIAL) << "rooted for good";
        EXPECT_FALSE(s_resources->GetCharacter(id)->HasBody());
    }
    EXPECT_EQ(end->GetExtraPlatform()->GetType(), BODY_PLATFORM);

    // The tree came down 30 units, stopping less than one short, onto its now solid platform.
    ASSERT_GT(run.toTree, run.rooted);
    EXPECT_NEAR(run.loweredY, 105.0f - 29.1f, 0.01f);
    EXPECT_EQ(heartTree->GetPlatform()->GetType(), BODY_PLATFORM);

    // The antler went in; the tree flew off 350 units, stopping 0.95 short after 2327 steps.
    ASSERT_GT(run.theEnd, run.toTree);
    EXPECT_EQ(run.treeStopped - run.theEnd, 2327);
    const b2Vec2 flown = heartTree->GetPosition() - b2Vec2(250.0f, run.loweredY);
    EXPECT_NEAR(std::hypot(280.0f, 210.0f) - flown.Length(), 0.95f, 0.02f);

    // The key is accepted only 15 s into the texts; the area ends in the tick after it, with its
    // ambience fading out over the next 600 ms.
    ASSERT_GT(run.keyAccepted, 0);
    EXPECT_GT((run.keyAccepted - run.theEnd) * kTick, 15000);
    EXPECT_LE((run.keyAccepted - run.theEnd) * kTick, 15000 + 3 * kTick);
    ASSERT_GT(run.left, run.treeStopped);
    FMOD_CHANNEL* ambience = area->GetSoundPlayer()->GetDayChannel();
    const float fading = Volume(ambience);
    for (int t = 0; t < 10; ++t)
        EXPECT_EQ(Tick(), 9);
    EXPECT_LT(Volume(ambience), fading);
    EXPECT_GT(Volume(ambience), 0.0f);
}

struct sBrokenLastArea
{
    const char* label;
    QByteArray elements;
    const char* missing;
};

class AreaEndBrokenFileTest : public AreaFileFixture, public ::testing::WithParamInterface<sBrokenLastArea>
{
};

TEST_P(AreaEndBrokenFileTest, InitFailsWithoutEitherTreeAndTheAreaStaysSafe)
{
    tree = std::make_unique<testsounds::cTestResourceTree>(root);
    tree->Add("area.xml", AreaXml(GetParam().elements));
    ASSERT_TRUE(tree->Mount());
    area = std::make_unique<cAreaEnd>(tree->BarePath("area.xml").toStdString(), s_resources.get());
    output = StdoutOf([&] { EXPECT_FALSE(area->Init(s_audio.get(), false, false)); });
    EXPECT_THAT(output, HasSubstr("ERROR:"));
    EXPECT_THAT(output, HasSubstr(GetParam().missing));
    EXPECT_EQ(area->Update(kTick), cArea::RESULT_NONE);
}

INSTANTIATE_TEST_SUITE_P(
    Files, AreaEndBrokenFileTest,
    ::testing::Values(
        sBrokenLastArea{"NoEnterTree",
                        "<HeartTreeExit file=\"res/xml/actors/SpecialTrees/EndHeartTree.xml\" x=\"250\" y=\"105\"/>\n",
                        "AreaEnterTree"},
        sBrokenLastArea{"NoHeartTree",
                        "<AreaEnterTree file=\"res/xml/actors/AreaEnterTrees/EnterTree.xml\" x=\"20\" y=\"0\"/>\n"
                        "<AreaExitTree file=\"res/xml/actors/AreaExits/ExitTree.xml\" x=\"200\" y=\"0\"/>\n",
                        "HeartTreeExit"}),
    [](const ::testing::TestParamInfo<sBrokenLastArea>& info) { return info.param.label; });

} // namespace
