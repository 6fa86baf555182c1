// The whole game in its window, played by key presses as a player makes them, with pictures saved
// for people to look at: a new game from the title screen on a fresh slot into the first area,
// its pause, how-to-play and continue, out to the area selection and back; and an area played
// to its exit from a saved game, its result read back from the slot file on disk. The area
// finished is the next area after the first, reached from the area selection: the first area's
// script takes minutes to play. And the full-screen check box against a window manager that
// refuses, grants late or ends full screen on its own.
#include "ViewPicture.h"
#include "tests/support/ShownWindowFixture.h"

#include "actors/AreaExit.h"
#include "actors/Level0EnterTree.h"
#include "actors/PlayerChar.h"
#include "app/GLWidget.h"
#include "engine/Animation.h"
#include "app/Game.h"
#include "app/MainWindow.h"
#include "player/GameSettings.h"
#include "player/SaveGame.h"
#include "screens/Menu.h"
#include "screens/MenuItem.h"
#include "screens/OptionsScreen.h"
#include "screens/PauseScreen.h"
#include "screens/StartScreen.h"
#include "world/Area.h"
#include "world/Area0.h"
#include "world/AreaEnd.h"

#include "tests/support/StdoutOf.h"
#include "tests/world/StoryRoutes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <set>

namespace
{
/// The game, with a player who looks at the tick's outcome before handing over the keys, as a
/// player at the keyboard reacts to the picture.
class cPlayedGame : public cGame
{
public:
    using cGame::cGame;
    std::function<void()> beforeInput;
    int HandleInput(cInputHandler* input) override
    {
        if (beforeInput)
            beforeInput();
        return cGame::HandleInput(input);
    }
};

class GameEndToEndTest : public ShownWindowFixture<cPlayedGame, false>
{
protected:
    void SetUp() override
    {
        ShownWindowFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(ShowWindow({"Controls.xml", "Settings.xml", "Saves/slot0.zvs", "Saves/slot1.zvs",
                                            "Saves/slot2.zvs", "Saves/slot3.zvs", "Saves/slot4.zvs"}));
    }

    /// A key pressed and let go within one tick, then that tick and the next (a menu answers the
    /// tick after its key).
    void Press(int key)
    {
        Send(QEvent::KeyPress, key);
        Tick();
        Send(QEvent::KeyRelease, key);
        Tick();
    }
    eGameMode Mode() const { return window.game->GetStateKind(); }
    /// Ticks until the mode is that one; false after limit ticks.
    bool TickUntil(eGameMode mode, int limit)
    {
        for (int i = 0; i < limit && Mode() != mode; ++i)
            Tick();
        return Mode() == mode;
    }

    /// Keys held now, by Qt key code.
    void Hold(int key, bool down)
    {
        if (down == (held.count(key) > 0))
            return;
        Send(down ? QEvent::KeyPress : QEvent::KeyRelease, key);
        if (down)
            held.insert(key);
        else
            held.erase(key);
    }
    /// Down for this tick only: let go before the next tick's keys.
    void Tap(int key)
    {
        Hold(key, true);
        tapped.insert(key);
    }

    /// The player's hands: each character in turn along the way, by the keys, into the exit
    /// tree; from inside it, on to the next character. Until the area is left.
    bool PlayToTheExit(const std::vector<sWaypoint>& route)
    {
        return PlayAlong([&route] { return &route; });
    }
    /// The same along whichever way wayNow gives in each tick (none: the hands rest); a new way
    /// starts every character from its beginning. watch looks at every tick before the keys.
    bool PlayAlong(const std::function<const std::vector<sWaypoint>*()>& wayNow,
                   const std::function<void()>& watch = {})
    {
        std::array<size_t, 3> progress{};
        const std::vector<sWaypoint>* lastWay = nullptr;
        int ticks = 0;
        window.game->beforeInput = [&] {
            for (int key : tapped)
                Hold(key, false);
            tapped.clear();
            if (!IsPlaying())
                return;
            if (watch)
                watch();
            int positive = 0, negative = 0;
            window.game->GetCurrentArea()->GetExitInfo(&exitScore, &positive, &negative);
            const std::vector<sWaypoint>* route = wayNow();
            if (route != lastWay)
                progress = {};
            lastWay = route;
            cPlayerChar* player = window.game->GetCurrentArea()->GetCurrentPlayer();
            const bool out = player && player->HasBody();
            size_t* next = out && route ? &progress[static_cast<size_t>(player->GetId())] : nullptr;
            if (next && *next < route->size() && HasReached(*player, (*route)[*next]))
                ++*next;
            const sSteering steering =
                next && *next < route->size() ? SteeringTowards(*player, (*route)[*next]) : sSteering{};
            Hold(Qt::Key_Left, steering.walk == FACING_LEFT);
            Hold(Qt::Key_Right, steering.walk == FACING_RIGHT);
            if (steering.jump)
                Tap(Qt::Key_Space);
            // At the end of the way, into the tree; from inside it (no body), on to the next one.
            if (next && *next == route->size())
                Tap(Qt::Key_Up);
            else if (route && !out && ticks % 10 == 0)
                Tap(Qt::Key_D);
        };
        for (; ticks < 6000 && IsPlaying(); ++ticks)
            Tick();
        window.game->beforeInput = nullptr;
        for (int key : std::set<int>(held))
            Hold(key, false);
        return !IsPlaying();
    }
    bool IsPlaying() const { return Mode() == GAME_MODE_AREA || Mode() == GAME_MODE_AREA_PAUSED; }

    std::set<int> held, tapped;
    /// What the exit reported in the last tick of play.
    int exitScore = 0;
};
}

TEST_F(GameEndToEndTest, ANewGameFromTheTitleIntoTheFirstAreaWithItsPauseAndBack)
{
    Tick(10);
    ASSERT_EQ(Mode(), GAME_MODE_START_SCREEN);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    SaveViewPicture(view, "game-title");

    // NEW GAME, then the first slot, which is empty: the interlude before the first area.
    Press(Qt::Key_Return);
    Press(Qt::Key_Return);
    ASSERT_TRUE(TickUntil(GAME_MODE_META_LEVEL, 50)) << output;
    EXPECT_EQ(window.game->GetSaveSlot(), 0);
    Tick(25);
    SaveViewPicture(view, "game-interlude");
    Press(Qt::Key_Space);
    ASSERT_TRUE(TickUntil(GAME_MODE_AREA, 50)) << output;
    EXPECT_EQ(window.game->GetAreaFile(), "res/Areas/Area0.xml");
    EXPECT_EQ(window.cursor().shape(), Qt::BlankCursor);
    Tick(250);
    SaveViewPicture(view, "game-first-area");

    // Paused, with the pointer; HOW TO PLAY shows the keys; back on CONTINUE, play goes on.
    Press(Qt::Key_Escape);
    ASSERT_EQ(Mode(), GAME_MODE_AREA_PAUSED);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    SaveViewPicture(view, "game-pause");
    for (int key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
        Press(key);
    ASSERT_EQ(window.game->GetPauseScreen()->GetSubScreen(), cPauseScreen::SUB_HOW_TO_PLAY);
    SaveViewPicture(view, "game-how-to-play");
    for (int key : {Qt::Key_Escape, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Return})
        Press(key);
    EXPECT_EQ(Mode(), GAME_MODE_AREA);
    EXPECT_EQ(window.cursor().shape(), Qt::BlankCursor);

    // EXIT AND SELECT AREA: the new slot has the first area open; EXIT leads to the title screen.
    Press(Qt::Key_Escape);
    Press(Qt::Key_Down);
    Press(Qt::Key_Return);
    ASSERT_EQ(Mode(), GAME_MODE_LEVEL_SELECTION);
    cSaveGame slot;
    ASSERT_TRUE(slot.Load("Saves/slot0.zvs"));
    ASSERT_EQ(slot.GetAreaCount(), 1);
    EXPECT_TRUE(slot.GetArea(0)->unlocked);
    EXPECT_FALSE(slot.GetArea(0)->completed);
    Press(Qt::Key_Escape);
    ASSERT_TRUE(TickUntil(GAME_MODE_START_SCREEN, 50));
}

TEST_F(GameEndToEndTest, AnAreaPlayedToItsExitFromASavedGameIsRecordedInTheSlot)
{
    WriteUserCopy("Saves/slot1.zvs",
                  "<ZORV_Save Area=\"res/Areas/FrameSwitch.xml\" Score=\"2\"><Areas>"
                  "<Area name=\"res/Areas/Area0.xml\" completed=\"1\" unlocked=\"1\" score=\"2\"/>"
                  "<Area name=\"res/Areas/FrameSwitch.xml\" completed=\"0\" unlocked=\"1\" score=\"0\"/>"
                  "</Areas></ZORV_Save>\n");
    // RESUME, the second slot, then the second area of the selection.
    Tick(10);
    Press(Qt::Key_Right);
    Press(Qt::Key_Return);
    Press(Qt::Key_Down);
    Press(Qt::Key_Return);
    ASSERT_TRUE(TickUntil(GAME_MODE_LEVEL_SELECTION, 50)) << output;
    EXPECT_EQ(window.game->GetSaveSlot(), 1);
    Press(Qt::Key_Right);
    Press(Qt::Key_Return);
    ASSERT_TRUE(TickUntil(GAME_MODE_META_LEVEL, 50)) << output;
    Press(Qt::Key_Space);
    ASSERT_TRUE(TickUntil(GAME_MODE_AREA, 50)) << output;
    EXPECT_EQ(window.game->GetAreaFile(), "res/Areas/FrameSwitch.xml");
    Tick(150);
    SaveViewPicture(view, "game-area");

    // The usual way, through every heart.
    ASSERT_TRUE(PlayToTheExit(kFrameSwitchRoute)) << output;
    ASSERT_EQ(Mode(), GAME_MODE_LEVEL_SELECTION);
    cSaveGame slot;
    ASSERT_TRUE(slot.Load("Saves/slot1.zvs"));
    const AreaStatus* played = slot.GetArea(slot.FindArea("res/Areas/FrameSwitch.xml"));
    ASSERT_NE(played, nullptr);
    EXPECT_TRUE(played->completed);
    EXPECT_GT(exitScore, 0);
    EXPECT_EQ(played->score, exitScore);
    const AreaStatus* next = slot.GetArea(slot.FindArea("res/Areas/IntoTheWild.xml"));
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->unlocked);
    EXPECT_FALSE(next->completed);
    Tick(200);
    SaveViewPicture(view, "game-selection");

    // The story's farewell leads to the end screen, and any key back to the title screen.
    view->makeCurrent();
    ASSERT_TRUE(window.game->ToEndScreen());
    view->AttachCurrentArea();
    Tick(5);
    SaveViewPicture(view, "game-end");
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    Press(Qt::Key_A);
    EXPECT_EQ(Mode(), GAME_MODE_START_SCREEN);
}

TEST_F(GameEndToEndTest, ANewGamePlaysTheFirstAreaToItsExitAndOnToTheSelection)
{
    Tick(10);
    Press(Qt::Key_Return);
    Press(Qt::Key_Return);
    ASSERT_TRUE(TickUntil(GAME_MODE_META_LEVEL, 50)) << output;
    Press(Qt::Key_Space);
    ASSERT_TRUE(TickUntil(GAME_MODE_AREA, 50)) << output;
    auto* first = dynamic_cast<cArea0*>(window.game->GetCurrentArea());
    ASSERT_NE(first, nullptr) << "the first area runs its script";

    // Brown feeds the tree every heart; once the exit wakes up, all three climb to it. The quake,
    // the leap and the rising tree are pictured as they happen.
    int phase = -1, leapingFor = 0, risingFor = 0;
    const auto watch = [&] {
        if (first->GetPhase() != phase && first->GetPhase() == cArea0::PHASE_QUAKE)
            SaveViewPicture(view, "game-first-area-quake");
        if (first->GetHeartTree()->GetMouthState() == MOUTH_JUMPING && ++leapingFor == 20)
            SaveViewPicture(view, "game-first-area-leap");
        if (first->GetPhase() == cArea0::PHASE_RISING && ++risingFor == 300)
            SaveViewPicture(view, "game-first-area-rising");
        phase = first->GetPhase();
    };
    const auto way = [&] {
        return first->GetExits()[0]->IsActivated() ? &kFirstAreaExitRoute : &kFirstAreaHeartRoute;
    };
    ASSERT_TRUE(PlayAlong(way, watch)) << output;
    EXPECT_GE(leapingFor, 20);
    EXPECT_GE(risingFor, 300);

    // Left through the exit with nothing scored: the selection books the area and opens the next.
    ASSERT_EQ(Mode(), GAME_MODE_LEVEL_SELECTION);
    cSaveGame slot;
    ASSERT_TRUE(slot.Load("Saves/slot0.zvs"));
    const AreaStatus* played = slot.GetArea(slot.FindArea("res/Areas/Area0.xml"));
    ASSERT_NE(played, nullptr);
    EXPECT_TRUE(played->completed);
    const AreaStatus* next = slot.GetArea(slot.FindArea("res/Areas/FrameSwitch.xml"));
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->unlocked);
}

TEST_F(GameEndToEndTest, TheLastAreaThroughTheCreditsToTheTitleUnlocksThePostGameAreas)
{
    WriteUserCopy("Saves/slot2.zvs",
                  "<ZORV_Save Area=\"res/Areas/EndArea.xml\" Score=\"30\"><Areas>"
                  "<Area name=\"res/Areas/Area0.xml\" completed=\"1\" unlocked=\"1\" score=\"2\"/>"
                  "<Area name=\"res/Areas/EndArea.xml\" completed=\"0\" unlocked=\"1\" score=\"0\"/>"
                  "</Areas></ZORV_Save>\n");
    // RESUME the third slot, then from its selection into the last area.
    Tick(10);
    Press(Qt::Key_Right);
    Press(Qt::Key_Return);
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    Press(Qt::Key_Return);
    ASSERT_TRUE(TickUntil(GAME_MODE_LEVEL_SELECTION, 50)) << output;
    ASSERT_EQ(window.game->GetSaveSlot(), 2);
    view->makeCurrent();
    ASSERT_TRUE(window.game->StartArea("res/Areas/EndArea.xml"));
    view->AttachCurrentArea();
    Press(Qt::Key_Space);
    ASSERT_TRUE(TickUntil(GAME_MODE_AREA, 50)) << output;
    auto* last = dynamic_cast<cAreaEnd*>(window.game->GetCurrentArea());
    ASSERT_NE(last, nullptr) << "the last area runs its ending";

    // The antler to the heart, then, once the family is together, into the tree; a key once
    // "The End" and its prompt have faded in.
    bool endPictured = false;
    const auto watch = [&] {
        if (!endPictured && last->GetPromptAlpha() == 255) {
            SaveViewPicture(view, "game-the-end");
            endPictured = true;
            Tap(Qt::Key_A);
        }
    };
    const auto way = [&]() -> const std::vector<sWaypoint>* {
        if (last->GetPhase() == cAreaEnd::PHASE_WAITING)
            return &kLastAreaHeartRoute;
        return last->GetPhase() == cAreaEnd::PHASE_TO_TREE ? &kLastAreaTreeRoute : nullptr;
    };
    ASSERT_TRUE(PlayAlong(way, watch)) << output;
    EXPECT_TRUE(endPictured);

    // Through the exit's destination, the credits, after the interlude.
    ASSERT_EQ(Mode(), GAME_MODE_META_LEVEL);
    Press(Qt::Key_Space);
    ASSERT_TRUE(TickUntil(GAME_MODE_AREA, 50)) << output;
    EXPECT_EQ(window.game->GetAreaFile(), "res/Areas/Credits2.xml");
    Tick(150);
    SaveViewPicture(view, "game-credits");
    ASSERT_TRUE(PlayToTheExit(kCreditsRoute)) << output;

    // The title screen, with both story areas booked and the post-game areas open.
    EXPECT_EQ(Mode(), GAME_MODE_START_SCREEN);
    cSaveGame slot;
    ASSERT_TRUE(slot.Load("Saves/slot2.zvs"));
    for (const char* file : {"res/Areas/EndArea.xml", "res/Areas/Credits2.xml"}) {
        const AreaStatus* booked = slot.GetArea(slot.FindArea(file));
        ASSERT_NE(booked, nullptr) << file;
        EXPECT_TRUE(booked->completed) << file;
    }
    for (const char* file : {"res/Areas/What_the_Heart.xml", "res/Areas/Antler_Arc.xml", "res/Areas/Spelunking.xml"}) {
        const AreaStatus* opened = slot.GetArea(slot.FindArea(file));
        ASSERT_NE(opened, nullptr) << file;
        EXPECT_TRUE(opened->unlocked) << file;
    }
}

TEST_F(GameEndToEndTest, TheFullScreenBoxAndTheSettingsFileShowWhatTheWindowIsNotWhatWasAsked)
{
    // OPTIONS, its page SOUND/GRAPHICS, down to FULL SCREEN.
    Tick();
    for (int key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Return, Qt::Key_Right, Qt::Key_Return, Qt::Key_Down,
                    Qt::Key_Down})
        Press(key);
    auto* title = dynamic_cast<cStartScreen*>(window.game->GetCurrentState());
    ASSERT_TRUE(title && title->GetOptions());
    const cMenuItem* sound = title->GetOptions()->Page(2)->Item(0);
    const cMenuItem* fullScreen = sound->SubItem(sound->GetSelectedSubItem());
    ASSERT_TRUE(fullScreen && fullScreen->GetName() == "FULL SCREEN");
    const cAnimation* box = fullScreen->GetAnimation(QStringLiteral("checkbox_FullScreen"));
    ASSERT_NE(box, nullptr);
    const auto expectShown = [&](bool on, const char* when) {
        EXPECT_EQ(window.IsFullScreen(), on) << when;
        EXPECT_EQ(box->GetCurrentFrame(), on ? 1 : 0) << when;
        EXPECT_EQ(window.game->GetSettings()->IsFullScreen(), on) << when;
        EXPECT_TRUE(ReadUserCopy("Settings.xml").contains(on ? "FullScreen=\"1\"" : "FullScreen=\"0\"")) << when;
    };
    expectShown(false, "at first");

    Press(Qt::Key_Return);
    Tick();
    expectShown(true, "asked for and granted");

    // The window manager's answers arrive as state changes of the window, whenever it likes.
    window.setWindowState(window.windowState() & ~Qt::WindowFullScreen);
    expectShown(false, "refused after the request");
    window.setWindowState(window.windowState() | Qt::WindowFullScreen);
    expectShown(true, "granted late");

    Press(Qt::Key_Return);
    Tick();
    expectShown(false, "left by the box");
}
