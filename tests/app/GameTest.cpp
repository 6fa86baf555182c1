// The game controller's changes of mode, driven tick by tick through scripted screens and real
// areas of small files whose tick results are scripted.
#include "ScriptedScreens.h"
#include "tests/support/UserFileFixture.h"

#include "player/GameSettings.h"
#include "player/InputHandler.h"
#include "player/SaveGame.h"
#include "audio/Sound.h"
#include "platform/sound/DecodedSound.h"
#include "screens/MenuItem.h"
#include "world/Area0.h"
#include "world/AreaEnd.h"
#include "world/FrameEditor.h"
#include "world/ComicFrame.h"
#include "world/CommonResources.h"

#include "actors/AntlerAncestor.h"
#include "actors/RainbowSpirit.h"
#include "actors/SharedActors.h"

#include "tests/support/RecordingSoundLibrary.h"
#include "tests/support/StdoutOf.h"

#include <QGLWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::HasSubstr;

namespace
{
const char* const kMeadow = "gametest/Meadow.xml";
const char* const kBroken = "gametest/Broken.xml";
/// The meadow under the first area's other name.
const char* const kFirstAreaByOtherName = "gametest/res/Areas/003Area0.xml";

class GameTest : public UserFileFixture
{
protected:
    static void SetUpTestSuite() { context = new QGLWidget; }
    static void TearDownTestSuite()
    {
        delete context;
        context = nullptr;
    }

    void SetUp() override
    {
        UserFileFixture::SetUp();
        UseShippedTemplate("Saves/slot2.zvs");
        context->makeCurrent();
        output = StdoutOf([this] { ASSERT_TRUE(game.Init()); });
        script.log.clear();
    }

    int Tick()
    {
        int result = 0;
        output += StdoutOf([&] { result = game.Update(20); });
        game.HandleInput(&input);
        input.EndTick();
        return result;
    }
    /// Ticks until the mode differs from the present one; the ticks it took, at most limit.
    int TicksUntilModeChanges(int limit)
    {
        const eGameMode start = game.GetStateKind();
        int ticks = 0;
        while (game.GetStateKind() == start && ticks < limit)
        {
            Tick();
            ++ticks;
        }
        return ticks;
    }
    /// Plays the area past its 600 ms fade-in.
    void Play(const char* file)
    {
        output += StdoutOf([&] { game.LoadArea(file); });
        ASSERT_EQ(game.GetStateKind(), GAME_MODE_AREA);
        for (int i = 0; i < 40; ++i)
            Tick();
        script.log.clear();
    }
    /// The title screen answers 7: the slot is chosen and the area selection opens.
    void ChooseSlot(int slot)
    {
        script.slot = slot;
        script.answers["title"] = {cStartScreen::RESULT_RESUME_SLOT};
        Tick();
        script.log.clear();
    }

    static QGLWidget* context;
    sScript script;
    cScriptedController game{script};
    cInputHandler input;
    std::string output;
};

QGLWidget* GameTest::context = nullptr;
}

TEST(AreaFiles, ClassAndFrameSetFileFollowTheName)
{
    const struct
    {
        const char* file;
        eAreaKind kind;
        const char* frames;
    } rows[] = {
        {"res/Areas/Area0.xml", eAreaKind::First, "res/Areas/Area0_Frames.xml"},
        {"./game/res/Areas/Area0.xml", eAreaKind::First, "./game/res/Areas/Area0_Frames.xml"},
        {"res/Areas/003Area0.xml", eAreaKind::First, "res/Areas/003Area0_Frames.xml"},
        {"res/Areas/EndArea.xml", eAreaKind::Last, "res/Areas/EndArea_Frames.xml"},
        {"res/Areas/MyArea0.xml", eAreaKind::Plain, "res/Areas/MyArea0_Frames.xml"},
        {"res/Areas/Area0.xml.bak", eAreaKind::Plain, "res/Areas/Area0.xml_Frames.xml"},
        {"res/Areas/Islands.zvs", eAreaKind::Plain, "res/Areas/Islands_Frames.xml"},
        {"abc", eAreaKind::Plain, "_Frames.xml"},
    };
    // Loaded again after another area failed, only the one name is the first area.
    EXPECT_EQ(AreaKindFor("res/Areas/003Area0.xml", true), eAreaKind::Plain);
    EXPECT_EQ(AreaKindFor("./game/res/Areas/Area0.xml", true), eAreaKind::First);
    EXPECT_EQ(AreaKindFor("res/Areas/EndArea.xml", true), eAreaKind::Last);
    for (const auto& row : rows)
    {
        EXPECT_EQ(AreaKindFor(row.file), row.kind) << row.file;
        EXPECT_EQ(FrameSetFileFor(row.file), row.frames) << row.file;
    }
}

struct sTitleRow
{
    int answer;
    int tickResult;
    eGameMode mode;
    int slot;
    std::vector<std::string> log;
};

class GameTitle : public GameTest, public testing::WithParamInterface<sTitleRow>
{
};

TEST_P(GameTitle, AnswersLeadOnOrBackToTheWindow)
{
    EXPECT_EQ(game.GetStateKind(), GAME_MODE_START_SCREEN);
    script.answers["title"] = {GetParam().answer};
    EXPECT_EQ(Tick(), GetParam().tickResult);
    EXPECT_EQ(game.GetStateKind(), GetParam().mode);
    EXPECT_EQ(game.GetSaveSlot(), GetParam().slot);
    EXPECT_THAT(script.log, ElementsAreArray(GetParam().log));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GameTitle,
    testing::Values(sTitleRow{cStartScreen::RESULT_START_FIRST_AREA, cGame::RESULT_CHANGED, GAME_MODE_META_LEVEL, -1,
                              {"interlude res/Areas/Area0.xml 0 0"}},
                    sTitleRow{cStartScreen::RESULT_QUIT, cGame::RESULT_QUIT, GAME_MODE_START_SCREEN, -1, {}},
                    sTitleRow{cStartScreen::RESULT_TOGGLE_FULL_SCREEN, cGame::RESULT_TOGGLE_FULL_SCREEN,
                              GAME_MODE_START_SCREEN, -1, {}},
                    sTitleRow{cStartScreen::RESULT_RESUME_SLOT, cGame::RESULT_CHANGED, GAME_MODE_LEVEL_SELECTION, 2,
                              {"selection 2"}},
                    sTitleRow{cStartScreen::RESULT_NEW_GAME_ON_SLOT, cGame::RESULT_CHANGED, GAME_MODE_META_LEVEL, 2,
                              {"interlude res/Areas/Area0.xml 0 0"}}));

// The screens that may follow an area decode their music when they open, not while it plays.
TEST_F(GameTest, AnAreaGoneLeavesNoSoundBehindDecodedForTheScreensAfterIt)
{
    const int held = cDecodedSound::CountHeld();
    Play(kMeadow);
    game.DeleteArea();
    EXPECT_EQ(cDecodedSound::CountHeld(), held);
}

TEST_F(GameTest, FromASlotThroughAnAreaWithAPauseBackToTheSlotMenu)
{
    ChooseSlot(2);
    script.music = new cSound;
    script.answers["selection"] = {cLevelSelectionScreen::RESULT_START_AREA};
    EXPECT_EQ(Tick(), cGame::RESULT_CHANGED);
    EXPECT_EQ(game.GetStateKind(), GAME_MODE_META_LEVEL);

    // Leaving the interlude plays the area's first tick at once, with the pointer hidden.
    script.answers["interlude"] = {cMetaLevel::RESULT_NEXT_AREA};
    EXPECT_EQ(Tick(), cGame::RESULT_CHANGED);
    EXPECT_EQ(game.GetStateKind(), GAME_MODE_AREA);
    EXPECT_EQ(game.GetCurrentState(), nullptr);
    EXPECT_EQ(script.areaTicks, 1);
    EXPECT_FALSE(game.ShowMouseCursor());

    // Paused, the area stands still; continuing plays on in the same tick.
    ASSERT_TRUE(game.EnterPauseScreen(960, 544));
    EXPECT_TRUE(game.ShowMouseCursor());
    script.answers["pause"] = {cPauseScreen::RESULT_NONE, cPauseScreen::RESULT_CONTINUE};
    EXPECT_EQ(Tick(), cGame::RESULT_CHANGED);
    EXPECT_EQ(script.areaTicks, 1);
    EXPECT_EQ(Tick(), cGame::RESULT_CHANGED);
    EXPECT_EQ(game.GetStateKind(), GAME_MODE_AREA);
    EXPECT_EQ(game.GetPauseScreen(), nullptr);
    EXPECT_EQ(script.areaTicks, 2);
    EXPECT_FALSE(game.ShowMouseCursor());

    // Leaving through the exit: 600 ms of fade-out once, then the area is booked with the exit's score.
    script.exitScore = 7;
    script.areaThen = cArea::RESULT_LEAVING;
    EXPECT_EQ(TicksUntilModeChanges(100), 31);
    EXPECT_EQ(game.GetStateKind(), GAME_MODE_LEVEL_SELECTION);

    script.answers["selection"] = {cLevelSelectionScreen::RESULT_LEAVE_TO_SLOTS};
    Tick();
    EXPECT_EQ(game.GetStateKind(), GAME_MODE_START_SCREEN);
    EXPECT_THAT(script.log, ElementsAre("interlude gametest/Meadow.xml 0 0 with music", "area gametest/Meadow.xml",
                                        "selection 2 from area", "booked gametest/Meadow.xml 7", "music deleted",
                                        "title 3"));
}

struct sFrameRow
{
    int areaResult;
    bool shakes;
    int switchMs; ///< when set 1 shows; -1 never
};

class GameFrameActions : public GameTest, public testing::WithParamInterface<sFrameRow>
{
};

TEST_P(GameFrameActions, AreaResultsSwitchAndShakeTheFrames)
{
    Play(kMeadow);
    cFrameEditor* frames = game.GetFrameEditor();
    ASSERT_EQ(frames->GetFrameSetCount(), 2);
    script.answers["area"] = {GetParam().areaResult};
    bool shook = false;
    int switchedAt = -1;
    for (int ms = 20; ms <= 5000 && switchedAt < 0; ms += 20)
    {
        Tick();
        const cComicFrame& frame = *frames->GetFrameSet(frames->GetCurrentFrameSet()).front();
        shook = shook || frame.GetScreenPos() != frame.GetHomePos();
        if (frames->GetCurrentFrameSet() == 1)
            switchedAt = ms;
    }
    EXPECT_EQ(shook, GetParam().shakes);
    if (GetParam().switchMs < 0)
        EXPECT_EQ(switchedAt, -1);
    else
        EXPECT_NEAR(switchedAt, GetParam().switchMs, 60);
}

// A switch fades out for half its time; a shake first waits its delay, then switches in 500 ms.
INSTANTIATE_TEST_SUITE_P(Rows, GameFrameActions,
                         testing::Values(sFrameRow{cArea::RESULT_FRAME_SET, false, 500},
                                         sFrameRow{cArea0::RESULT_SHAKE_THEN_SWITCH, true, 4250},
                                         sFrameRow{cArea0::RESULT_SHAKE, true, -1},
                                         sFrameRow{cAreaEnd::RESULT_SHAKE_THEN_SWITCH, true, 1750}));

TEST_F(GameTest, TheTurnKeysTurnTheFramesForTheRainbowSpiritAlsoWhileItRidesATurn)
{
    Play(kMeadow);
    cFrameEditor* frames = game.GetFrameEditor();
    cCommonResources* store = game.GetCommonResources();
    struct sHandBack
    {
        cCommonResources* store;
        ~sHandBack() { store->ResetCharacters(); } // out of the area's world before it goes
    } handBack{store};
    physics::World* world = game.GetCurrentArea()->GetWorld();
    store->GetCharacter(1)->Init(world, 100.0f, -200.0f);
    gAntlerAncestor->Init(world, 150.0f, -200.0f);
    // The spirit falls past the middle of the one frame.
    gRainbowSpirit->Init(world, 200.0f, -150.0f);
    gRainbowSpirit->Fall();

    input.SetDefaultKeys();
    input.KeyPress(Qt::Key_A, true);
    for (cPlayerChar* notTheSpirit : {store->GetCharacter(1), static_cast<cPlayerChar*>(gAntlerAncestor)})
    {
        script.currentPlayer = notTheSpirit;
        Tick();
        EXPECT_EQ(frames->GetState(), kFramesIdle);
    }
    script.currentPlayer = gRainbowSpirit;
    Tick();
    EXPECT_EQ(frames->GetState(), kFramesRotating);
    EXPECT_EQ(frames->GetOrientation(), 3);
    EXPECT_FALSE(gRainbowSpirit->IsSpecialEnabled()) << "it rides the turn";
    input.KeyRelease(Qt::Key_A);

    // 100 ms after the frames stop it still rides, and the other key turns them back.
    while (frames->IsAnyFrameMoving())
        Tick();
    for (int i = 0; i < 5; ++i)
        Tick();
    ASSERT_FALSE(gRainbowSpirit->IsPresent());
    input.KeyPress(Qt::Key_S, true);
    Tick();
    EXPECT_EQ(frames->GetOrientation(), 0);
    EXPECT_TRUE(frames->IsAnyFrameMoving());
}

struct sStoryRow
{
    const char* area;
    int slot;
    std::vector<std::string> log;
    /// Records the slot file holds afterwards as "file completed unlocked score"; empty: no file.
    std::vector<std::string> records;
};

class GameStoryEnd : public GameTest, public testing::WithParamInterface<sStoryRow>
{
};

TEST_P(GameStoryEnd, FinishingAnAreaBooksItAndGoesOn)
{
    if (GetParam().slot >= 0)
        ChooseSlot(GetParam().slot);
    Play(GetParam().area);
    script.areaThen = cArea::RESULT_LEAVING;
    TicksUntilModeChanges(100);
    EXPECT_THAT(script.log, ElementsAreArray(GetParam().log));

    std::vector<std::string> records;
    cSaveGame slot;
    if (UserCopyExists("Saves/slot2.zvs") && slot.Load("Saves/slot2.zvs"))
        for (int i = 0; i < slot.GetAreaCount(); ++i)
        {
            const AreaStatus* a = slot.GetArea(i);
            records.push_back(a->name + " " + std::to_string(a->completed) + " " + std::to_string(a->unlocked) + " " +
                              std::to_string(a->score));
        }
    EXPECT_THAT(records, ElementsAreArray(GetParam().records));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GameStoryEnd,
    testing::Values(
        // The area selection books an ordinary area; the controller writes nothing of it.
        sStoryRow{"gametest/Meadow.xml",
                  2,
                  {"selection 2 from area", "booked gametest/Meadow.xml 7"},
                  {"res/Areas/Area0.xml 0 1 0"}},
        sStoryRow{"gametest/FamilyTrees.xml",
                  2,
                  {"interlude res/Areas/Islands.xml 3 1"},
                  {"res/Areas/Area0.xml 0 1 0", "gametest/FamilyTrees.xml 1 1 7", "res/Areas/Credits2.xml 0 1 0"}},
        // An exit that names a path instead of an area leads nowhere but back to the title.
        sStoryRow{"gametest/ExitToDisk.xml",
                  2,
                  {"title -1"},
                  {"res/Areas/Area0.xml 0 1 0", "gametest/ExitToDisk.xml 1 1 7", "res/Areas/Credits2.xml 0 1 0"}},
        sStoryRow{"gametest/LastArea.xml",
                  2,
                  {"title -1"},
                  {"res/Areas/Area0.xml 0 1 0", "gametest/LastArea.xml 1 1 7", "res/Areas/What_the_Heart.xml 0 1 0",
                   "res/Areas/Antler_Arc.xml 0 1 0", "res/Areas/Spelunking.xml 0 1 0"}},
        sStoryRow{"gametest/LastArea.xml", -1, {"title -1"}, {}}));

// The story's last two areas are booked by the controller, which keeps each area's best score but
// leaves the slot's total as it was: only the area selection computes it.
TEST_F(GameTest, TheStorysEndLeavesTheSlotsTotalAsItWas)
{
    WriteUserCopy("Saves/slot2.zvs",
                  "<ZORV_Save Area=\"res/Areas/Fortress.xml\" Score=\"7\"><Areas>"
                  "<Area name=\"res/Areas/Area0.xml\" completed=\"1\" unlocked=\"1\" score=\"2\"/>"
                  "<Area name=\"res/Areas/Fortress.xml\" completed=\"1\" unlocked=\"1\" score=\"5\"/>"
                  "</Areas></ZORV_Save>\n");
    ChooseSlot(2);
    const struct
    {
        const char* area;
        int hearts;
        int total;
    } plays[] = {
        {"gametest/FamilyTrees.xml", 1, 7}, {"gametest/LastArea.xml", 14, 7}, {"gametest/FamilyTrees.xml", 0, 7}};
    for (const auto& play : plays)
    {
        script.exitScore = play.hearts;
        Play(play.area);
        script.areaThen = cArea::RESULT_LEAVING;
        TicksUntilModeChanges(100);
        cSaveGame slot;
        ASSERT_TRUE(slot.Load("Saves/slot2.zvs")) << play.area;
        EXPECT_EQ(slot.GetScore(), play.total) << play.area << " with " << play.hearts;
    }
}

struct sPauseRow
{
    int answer;
    int tickResult;
    eGameMode mode;
    std::vector<std::string> log;
};

class GamePause : public GameTest, public testing::WithParamInterface<sPauseRow>
{
};

TEST_P(GamePause, AnswersOfThePauseScreen)
{
    Play(kMeadow);
    ASSERT_TRUE(game.EnterPauseScreen(960, 544));
    Tick();
    const int ticks = script.areaTicks;
    script.answers["pause"] = {GetParam().answer};
    EXPECT_EQ(Tick(), GetParam().tickResult);
    EXPECT_EQ(game.GetStateKind(), GetParam().mode);
    EXPECT_THAT(script.log, ElementsAreArray(GetParam().log));
    EXPECT_EQ(script.areaTicks, ticks + (GetParam().mode == GAME_MODE_AREA ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(Rows, GamePause,
                         testing::Values(sPauseRow{cPauseScreen::RESULT_NONE, cGame::RESULT_NONE, GAME_MODE_AREA_PAUSED, {}},
                                         sPauseRow{cPauseScreen::RESULT_CONTINUE, cGame::RESULT_CHANGED, GAME_MODE_AREA, {}},
                                         sPauseRow{cPauseScreen::RESULT_EXIT, cGame::RESULT_CHANGED,
                                                   GAME_MODE_START_SCREEN, {"title -1"}},
                                         sPauseRow{cPauseScreen::RESULT_TOGGLE_FULL_SCREEN,
                                                   cGame::RESULT_TOGGLE_FULL_SCREEN, GAME_MODE_AREA_PAUSED, {}},
                                         sPauseRow{cPauseScreen::RESULT_SELECT_AREA, cGame::RESULT_CHANGED,
                                                   GAME_MODE_LEVEL_SELECTION, {"selection -1 from area"}}));

struct sOptionsRow
{
    bool byMouse;
    int answer;
    bool applied;
};

class GameOptions : public GameTest, public testing::WithParamInterface<sOptionsRow>
{
};

TEST_P(GameOptions, ThePauseScreensOptionsReachTheAreaOnlyWhenTheyChangedASetting)
{
    Play(kMeadow);
    ASSERT_TRUE(game.EnterPauseScreen(960, 544));
    Tick();
    cRecordedEffects effects;
    // What the options screen flipped before it answered.
    game.GetSettings()->ToggleSFXMute();
    const sOptionsRow& row = GetParam();
    script.answers[row.byMouse ? "pause click" : "pause input"] = {row.answer};
    if (row.byMouse)
        game.MousePress(10, 10, 1, &input);
    else
        game.HandleInput(&input);
    EXPECT_EQ(effects.sounds.IsMuted(), row.applied);
}

// Each path reports full screen with its own code, and the other path's code means something else.
INSTANTIATE_TEST_SUITE_P(Rows, GameOptions,
                         testing::Values(sOptionsRow{false, cMenuItem::RESULT_MUSIC, true},
                                         sOptionsRow{false, cMenuItem::RESULT_EFFECTS, true},
                                         sOptionsRow{false, cMenuItem::RESULT_KEY_FULL_SCREEN, true},
                                         sOptionsRow{false, cMenuItem::RESULT_CLICK_FULL_SCREEN, false},
                                         sOptionsRow{false, cMenuItem::RESULT_NONE, false},
                                         sOptionsRow{true, cMenuItem::RESULT_MUSIC, true},
                                         sOptionsRow{true, cMenuItem::RESULT_EFFECTS, true},
                                         sOptionsRow{true, cMenuItem::RESULT_CLICK_FULL_SCREEN, true},
                                         sOptionsRow{true, cMenuItem::RESULT_KEY_FULL_SCREEN, false},
                                         sOptionsRow{true, cPauseScreen::CLICK_IGNORED, false}));

TEST_F(GameTest, BackPausesOnlyAnAreaThatRunsAndAPauseScreenThatFailsLeavesItRunning)
{
    input.SetDefaultKeys();
    Play(kMeadow);
    input.KeyPress(Qt::Key_Escape, true);
    EXPECT_EQ(game.HandleInput(&input), cGame::INPUT_PAUSE);

    script.failing = {"pause"};
    output += StdoutOf([&] { EXPECT_FALSE(game.EnterPauseScreen(960, 544)); });
    EXPECT_THAT(output, HasSubstr("ERROR:"));
    EXPECT_EQ(game.GetStateKind(), GAME_MODE_AREA);
    EXPECT_FALSE(game.GetCurrentArea()->IsPaused());

    script.failing.clear();
    ASSERT_TRUE(game.EnterPauseScreen(960, 544));
    EXPECT_EQ(game.HandleInput(&input), cGame::INPUT_NONE);

    // While the frames fade out, for another frame set or for the area's end, no pause opens: the
    // fade would stand still behind a menu that is not drawn. The area is left all the same.
    script.answers["pause"] = {cPauseScreen::RESULT_CONTINUE};
    Tick();
    ASSERT_EQ(game.GetStateKind(), GAME_MODE_AREA);
    for (int areaResult : {cArea::RESULT_FRAME_SET, cArea::RESULT_LEAVING})
    {
        script.answers["area"] = {areaResult};
        script.areaThen = areaResult == cArea::RESULT_LEAVING ? cArea::RESULT_LEAVING : cArea::RESULT_NONE;
        Tick();
        ASSERT_EQ(game.GetFrameEditor()->GetState(), kFramesFadingOut);
        EXPECT_FALSE(game.EnterPauseScreen(960, 544));
        EXPECT_EQ(game.GetStateKind(), GAME_MODE_AREA);
        EXPECT_GT(TicksUntilModeChanges(60), 20);
    }
    EXPECT_EQ(game.GetStateKind(), GAME_MODE_LEVEL_SELECTION);
}

struct sSelectionRow
{
    int answer;
    const char* selected;
    eGameMode mode;
    std::vector<std::string> log;
};

class GameSelection : public GameTest, public testing::WithParamInterface<sSelectionRow>
{
};

TEST_P(GameSelection, AnswersOfTheAreaSelection)
{
    ChooseSlot(2);
    script.selectedArea = GetParam().selected;
    script.answers["selection"] = {GetParam().answer};
    EXPECT_EQ(Tick(), cGame::RESULT_CHANGED);
    EXPECT_EQ(game.GetStateKind(), GetParam().mode);
    EXPECT_THAT(script.log, ElementsAreArray(GetParam().log));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GameSelection,
    testing::Values(sSelectionRow{cLevelSelectionScreen::RESULT_LEAVE_FROM_AREA, "", GAME_MODE_START_SCREEN,
                                  {"music deleted", "title -1"}},
                    sSelectionRow{cLevelSelectionScreen::RESULT_LEAVE_TO_SLOTS, "", GAME_MODE_START_SCREEN,
                                  {"music deleted", "title 3"}},
                    // Any other negative answer leaves too.
                    sSelectionRow{-5, "", GAME_MODE_START_SCREEN, {"music deleted", "title -1"}},
                    sSelectionRow{cLevelSelectionScreen::RESULT_START_AREA, "SPECIAL_Farewell", GAME_MODE_END_SCREEN,
                                  {"end"}},
                    sSelectionRow{cLevelSelectionScreen::RESULT_START_AREA, kMeadow, GAME_MODE_META_LEVEL,
                                  {"interlude gametest/Meadow.xml 0 0"}}));

TEST_F(GameTest, TheEndScreenLeadsBackToTheTitleOnAKey)
{
    game.ToEndScreen();
    Tick();
    EXPECT_FALSE(game.ShowMouseCursor());
    input.KeyPress(Qt::Key_A, true);
    game.HandleInput(&input);
    input.EndTick();
    EXPECT_EQ(Tick(), cGame::RESULT_CHANGED);
    EXPECT_EQ(game.GetStateKind(), GAME_MODE_START_SCREEN);
    EXPECT_THAT(script.log, ElementsAre("end", "title -1"));
}

struct sFallbackRow
{
    const char* name;
    const char* played;         ///< an area played before the interlude, or null
    std::set<std::string> failing;
    eGameMode mode;
    const char* areaFile;       ///< the area played afterwards
    std::vector<std::string> log;
};

class GameFallback : public GameTest, public testing::WithParamInterface<sFallbackRow>
{
};

TEST_P(GameFallback, AnAreaThatDoesNotLoadNeverLeavesTheInterludeHanging)
{
    if (GetParam().played)
        Play(GetParam().played);
    ASSERT_TRUE(game.ToMetaLevel(kBroken, nullptr, 0, 0));
    script.log.clear();
    game.areaKinds.clear();
    script.failing = GetParam().failing;
    script.answers["interlude"] = {cMetaLevel::RESULT_NEXT_AREA};
    EXPECT_EQ(Tick(), cGame::RESULT_CHANGED);
    EXPECT_EQ(game.GetStateKind(), GetParam().mode);
    EXPECT_EQ(game.GetAreaFile(), GetParam().areaFile);
    EXPECT_THAT(script.log, ElementsAreArray(GetParam().log));
    EXPECT_THAT(game.areaKinds, testing::Each(eAreaKind::Plain)) << "made after the interlude";
    EXPECT_THAT(output, HasSubstr("ERROR:"));
    EXPECT_EQ(game.GetCurrentState() == nullptr, GetParam().mode == GAME_MODE_AREA);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GameFallback,
    testing::Values(sFallbackRow{"PreviousArea",
                                 kMeadow,
                                 {kBroken},
                                 GAME_MODE_AREA,
                                 kMeadow,
                                 {"area gametest/Broken.xml", "area gametest/Meadow.xml"}},
                    // The first area under its other name is played again as a plain area.
                    sFallbackRow{"PreviousFirstAreaOfAnotherName", kFirstAreaByOtherName, {kBroken}, GAME_MODE_AREA,
                                 kFirstAreaByOtherName, {"area gametest/Broken.xml", "area gametest/res/Areas/003Area0.xml"}},
                    sFallbackRow{"NoPreviousArea", nullptr, {kBroken}, GAME_MODE_START_SCREEN, "",
                                 {"area gametest/Broken.xml", "title -1"}},
                    sFallbackRow{"PreviousFailsToo",
                                 kMeadow,
                                 {kBroken, kMeadow},
                                 GAME_MODE_START_SCREEN,
                                 kMeadow,
                                 {"area gametest/Broken.xml", "area gametest/Meadow.xml", "title -1"}}),
    [](const testing::TestParamInfo<sFallbackRow>& info) { return info.param.name; });

TEST_F(GameTest, AnAreaChosenOnTheSelectionThatDoesNotLoadGivesBackTheAreaPlayedBefore)
{
    ChooseSlot(2);
    Play(kMeadow);
    script.areaThen = 9;
    TicksUntilModeChanges(100);
    ASSERT_EQ(game.GetStateKind(), GAME_MODE_LEVEL_SELECTION);
    script.areaThen = 0;
    script.selectedArea = kBroken;
    script.answers["selection"] = {1};
    script.answers["interlude"] = {1};
    Tick();
    ASSERT_EQ(game.GetStateKind(), GAME_MODE_META_LEVEL);
    EXPECT_EQ(game.GetAreaFile(), kMeadow) << "nothing new has loaded yet";

    Tick();
    EXPECT_EQ(game.GetStateKind(), GAME_MODE_AREA);
    EXPECT_EQ(game.GetAreaFile(), kMeadow);
    EXPECT_THAT(script.log, ElementsAre("selection 2 from area", "booked gametest/Meadow.xml 7",
                                        "interlude gametest/Broken.xml 0 0", "area gametest/Broken.xml",
                                        "area gametest/Meadow.xml"));
    EXPECT_THAT(output, HasSubstr("ERROR: Area gametest/Broken.xml did not load; gametest/Meadow.xml is played"));
}

TEST_F(GameTest, ScreensThatDoNotOpenAreNeverCurrent)
{
    script.failing = {"selection", "interlude"};
    script.answers["title"] = {cStartScreen::RESULT_RESUME_SLOT, cStartScreen::RESULT_NEW_GAME_ON_SLOT};
    EXPECT_EQ(Tick(), cGame::RESULT_CHANGED);
    EXPECT_EQ(game.GetStateKind(), GAME_MODE_START_SCREEN);
    EXPECT_EQ(Tick(), cGame::RESULT_CHANGED);
    EXPECT_EQ(game.GetStateKind(), GAME_MODE_START_SCREEN);
    EXPECT_THAT(script.log,
                ElementsAre("selection 2", "title -1", "interlude res/Areas/Area0.xml 0 0", "title -1"));
    EXPECT_THAT(output, HasSubstr("ERROR: The area selection could not be opened."));

    // Without a title screen nothing can go on.
    script.failing = {"title"};
    EXPECT_EXIT(game.ToStartScreen(-1), testing::ExitedWithCode(1), "");
}
