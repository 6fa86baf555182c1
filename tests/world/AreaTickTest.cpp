// The real area FrameSwitch ticked as the game ticks it, with a player's keys on the character under
// control: the characters come out of the enter tree one after another, each walks the way to the
// exit and asks to go in, control passes on as each is swallowed, and once all three are inside
// the area fades its sound out and reports that it is being left; a character that dies leaves a
// green heart behind and comes out of the enter tree again.
#include "TestArea.h"

#include "actors/AreaEnterTree.h"
#include "actors/AreaExit.h"
#include "actors/EmitterBox.h"
#include "actors/Heart.h"
#include "actors/PlayerChar.h"
#include "actors/WaterArea.h"
#include "audio/AreaSoundPlayer.h"

#include "tests/world/AreaFiles.h"
#include "tests/world/FrameSwitchRoute.h"

#include <QFile>

#include <array>

namespace {

constexpr int kTick = 20;
/// Two minutes of play; the whole way takes the three characters well under one.
constexpr int kTickLimit = 6000;

class AreaTickTest : public AreaFileFixture
{
protected:
    /// The real area as the game has it, with a looping tune for music so its fade can be heard.
    void LoadRealAreaWithMusic()
    {
        QFile file(":/res/Areas/FrameSwitch.xml");
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray xml = file.readAll();
        xml.replace("</ZORV_AREA_SAVE_FILE>",
                    "<Audio><music file=\"" + Bare("long.ogg") + "\" loop=\"1\"/></Audio>\n</ZORV_AREA_SAVE_FILE>");
        LoadBytes(xml);
        ASSERT_TRUE(initialised) << output;
        ASSERT_TRUE(area->GetSoundPlayer()->IsMusicPlaying()) << output;
    }

    /// One game tick: the area's update, then the keys of the player.
    int Tick(cRoutePlayer& player)
    {
        const int result = Update();
        player.Play(*area);
        return result;
    }

    /// The audio system's update, then the area's, as the game runs them.
    int Update()
    {
        s_audio->Update();
        return area->Update(kTick);
    }

    cPlayerChar* Character(int id) const { return s_resources->GetCharacter(id); }

    float MusicVolume() const
    {
        float volume = -1.0f;
        FMOD_Channel_GetVolume(area->GetSoundPlayer()->GetMusicChannel(), &volume);
        return volume;
    }
};

TEST_F(AreaTickTest, TheCharactersWalkIntoTheExitOneAfterAnotherAndTheAreaIsLeftOnceAllAreInside)
{
    LoadRealAreaWithMusic();
    const b2Vec2 mouth = area->GetEnterTree()->GetMouthPosition();
    std::array<int, 3> cameOut{-1, -1, -1}, wentIn{-1, -1, -1};
    int leaving = -1;
    cRoutePlayer player;
    for (int t = 0; t < kTickLimit && leaving < 0; ++t) {
        const int result = Tick(player);
        for (int id = 0; id < 3; ++id) {
            cPlayerChar* c = Character(id);
            if (cameOut[id] < 0 && c->HasBody()) {
                cameOut[id] = t;
                EXPECT_NEAR(c->GetPosition().x, mouth.x, 16.0f) << id << " comes out at the tree's mouth";
            }
            if (wentIn[id] < 0 && c->GetState() == PLAYER_IN_EXIT)
                wentIn[id] = t;
        }
        if (result == cArea::RESULT_LEAVING)
            leaving = t;
        else
            ASSERT_EQ(result, cArea::RESULT_NONE) << "tick " << t;
    }
    for (int id = 0; id < 3; ++id) {
        EXPECT_GE(cameOut[id], 0) << id;
        EXPECT_GE(wentIn[id], 0) << id << " stuck at " << DescribePlace(*Character(id));
    }
    EXPECT_LT(cameOut[0], cameOut[1]);
    EXPECT_LT(cameOut[1], cameOut[2]);
    EXPECT_LT(wentIn[0], wentIn[1]) << "control passes on in roster order";
    EXPECT_LT(wentIn[1], wentIn[2]);
    ASSERT_GT(leaving, wentIn[2]) << "left only once all three are inside";
    EXPECT_EQ(area->GetExits()[0]->GetSwallowedCount(), 3);

    // From now on the area only fades its sound out over 600 ms and keeps reporting that it is left.
    EXPECT_EQ(area->GetSoundPlayer()->GetState(), AREA_SOUND_FADE_OUT_ALL);
    EXPECT_GT(MusicVolume(), 0.9f);
    for (int t = 0; t < 600 / kTick; ++t)
        EXPECT_EQ(Update(), cArea::RESULT_LEAVING);
    EXPECT_FLOAT_EQ(MusicVolume(), 0.0f);
    EXPECT_TRUE(area->IsFinishing());
    area->SetPaused(true);
    EXPECT_EQ(area->Update(kTick), cArea::RESULT_LEAVING) << "also while paused";
}

TEST_F(AreaTickTest, ACharacterThatDiesLeavesAGreenHeartAndComesOutOfTheEnterTreeAgain)
{
    LoadRealAreaWithMusic();
    cPlayerChar* brown = Character(0);
    cPlayerChar* orange = Character(1);
    const b2Vec2 mouth = area->GetEnterTree()->GetMouthPosition();
    // Everyone out and standing; then brown walks into the thorns of the bottom floor.
    for (int t = 0; t < 400 && !(Character(2)->HasBody() && Character(2)->CanJump()); ++t)
        Update();
    ASSERT_EQ(area->GetCurrentPlayerIndex(), 0);
    const size_t hearts = area->GetHearts().size();
    // Straight on along the floor, without a leap over the thorns.
    cRoutePlayer intoTheThorns({{260.0f, -200.0f}});
    for (int t = 0; t < 400 && brown->GetState() != PLAYER_DIE; ++t)
        Tick(intoTheThorns);
    ASSERT_EQ(brown->GetState(), PLAYER_DIE) << DescribePlace(*brown);

    // The next tick reports the death: a green heart flies from brown to the exit.
    Update();
    ASSERT_EQ(area->GetHearts().size(), hearts + 1);
    const cHeart* green = area->GetHearts().back();
    EXPECT_EQ(green->GetValue(), -1);
    EXPECT_TRUE(green->IsTravelling());
    cAreaExit* exit = area->GetExits()[0];
    int score = 0, positive = 0, negative = 0;
    exit->GetScoreInfo(&score, &positive, &negative);
    EXPECT_EQ(negative, 0);

    // Once the death animation is over brown is queued again, and orange, standing by, mourns.
    int queuedAt = -1;
    for (int t = 0; t < 400 && queuedAt < 0; ++t) {
        Update();
        if (area->GetEnterTree()->IsQueued(0, false))
            queuedAt = t;
    }
    ASSERT_GE(queuedAt, 0);
    EXPECT_EQ(orange->GetAnimationIndex(), ANIM_IDLE_YAWN);
    for (int t = 0; t < 400 && !brown->HasBody(); ++t)
        Update();
    ASSERT_TRUE(brown->HasBody());
    EXPECT_NEAR(brown->GetPosition().x, mouth.x, 16.0f);
    EXPECT_EQ(area->GetCurrentPlayerIndex(), 0) << "death does not move control";

    // The green heart has reached the exit, which ate it: one negative heart on its score.
    for (int t = 0; t < 600 && area->GetHearts().size() > hearts; ++t)
        Update();
    ASSERT_EQ(area->GetHearts().size(), hearts) << "eaten and removed";
    exit->GetScoreInfo(&score, &positive, &negative);
    EXPECT_EQ(negative, 1);
    EXPECT_EQ(score, -1);
}

TEST_F(AreaTickTest, TheKeysCanSelectACharacterInsideTheExitWhichTheTickPassesOver)
{
    LoadRealAreaWithMusic();
    cRoutePlayer player;
    for (int t = 0; t < kTickLimit && Character(0)->GetState() != PLAYER_IN_EXIT; ++t)
        Tick(player);
    ASSERT_EQ(Character(0)->GetState(), PLAYER_IN_EXIT);
    Update();
    ASSERT_EQ(area->GetCurrentPlayerIndex(), 1) << "the tick passed control on";

    // Previous from orange: brown, inside the tree, shown in its mouth.
    area->SwitchPlayer(false, false, false);
    EXPECT_EQ(area->GetCurrentPlayerIndex(), 0);
    EXPECT_TRUE(Character(0)->IsActive());
    EXPECT_EQ(Character(0)->GetAnimationIndex(), ANIM_APPEAR_IN_MOUTH);
    area->SwitchPlayer(true, false, false);
    EXPECT_EQ(area->GetCurrentPlayerIndex(), 1);
}

/// What the tick updated, in its order: each cLogged notes its letter.
std::string gUpdated;
template <typename Actor, char kLetter>
struct cLogged : Actor
{
    using Actor::Actor;
    int Update(int dtMs) override { return gUpdated += kLetter, Actor::Update(dtMs); }
};

TEST(AreaTickOrder, EmittersComeBeforeTheWater)
{
    cTestArea area;
    area.waterAreas.push_back(new cLogged<WaterArea, 'w'>(0, 0, 10, 10, 53, 193, 230, 127));
    area.emitterBoxes.push_back(new cLogged<cEmitterBox, 'e'>());
    area.Update(kTick);
    EXPECT_EQ(gUpdated, "ew");
}

} // namespace
