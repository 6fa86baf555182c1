// The whole game in its window, played by key presses as a player would make them: from the title
// screen to a new game on a fresh slot, through the interlude into the first area, a pause,
// the area finished, the slot file on disk, the next area from the area selection with the pause
// and how-to-play over it, and back to the title screen. Pictures are saved for people to look at.
//
// While the game has no first area of its own, the small area gametest/Meadow.xml stands in for
// it (mounted where the game looks for "res/Areas/Area0.xml"), and is played as an ordinary area.
#include "Mapping.h"
#include "UserFileFixture.h"
#include "ViewPicture.h"

#include "actors/PlayerChar.h"
#include "app/GLWidget.h"
#include "app/Game.h"
#include "app/MainWindow.h"
#include "app/SaveGame.h"
#include "screens/PauseScreen.h"
#include "world/Area.h"

#include "tests/support/StdoutOf.h"
#include "tests/support/TestSounds.h"

#include <QFile>
#include <QKeyEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace
{
class cGameWindow : public cMainWindow
{
public:
    cGameWindow()
        : cMainWindow(false)
    {
    }
    cGame* game = nullptr;

protected:
    cGame* CreateGame(bool gameMode) override { return game = new cGame(gameMode); }
};

class GameEndToEndTest : public UserFileFixture
{
protected:
    void SetUp() override
    {
        UserFileFixture::SetUp();
        for (const char* file : {"Controls.xml", "Settings.xml", "Saves/slot0.zvs", "Saves/slot1.zvs",
                                 "Saves/slot2.zvs", "Saves/slot3.zvs", "Saves/slot4.zvs"})
            UseShippedTemplate(file);
        StandInForTheFirstArea();
        output += StdoutOf([this] { ASSERT_TRUE(window.Init(1280, 800)); });
        view = static_cast<GLWidget*>(window.centralWidget());
        ShowMapped(&window, view);
        // The test ticks the game itself, and the window takes keys only while it is active.
        window.findChild<QTimer*>()->stop();
        window.activateWindow();
        while (!window.isActiveWindow())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }

    void StandInForTheFirstArea()
    {
        if (QFile::exists(":/res/Areas/Area0.xml"))
            return;
        firstArea = std::make_unique<testsounds::cTestResourceTree>("res/Areas");
        for (const char* name : {"Area0.xml", "Area0_Frames.xml"})
        {
            QFile file(QString(":/gametest/") + QString(name).replace("Area0", "Meadow"));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            firstArea->Add(name, file.readAll());
        }
        ASSERT_TRUE(firstArea->Mount());
    }

    void Tick(int ticks = 1)
    {
        output += StdoutOf([&] {
            for (int i = 0; i < ticks; ++i)
                window.Update();
        });
    }
    void Send(QEvent::Type type, int key)
    {
        QKeyEvent event(type, key, Qt::NoModifier);
        QCoreApplication::sendEvent(view, &event);
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

    /// The player's hands in the first area: each character in turn walks right to the exit tree
    /// and asks to be let in, and the player switches to the next, until the area is left.
    bool PlayToTheExit()
    {
        bool walking = false;
        for (int t = 0; t < 3000 && IsPlaying(); ++t)
        {
            cArea* area = window.game->GetCurrentArea();
            cPlayerChar* player = area ? area->GetCurrentPlayer() : nullptr;
            // Inside the tree a character has no body; a walking key would take it out again.
            const bool out = player && player->HasBody();
            const bool atExit = out && player->GetPosition().x >= 196.0f;
            const bool walk = out && !atExit;
            if (walk != walking)
                Send(walk ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_Right);
            walking = walk;
            // Once inside, the next character that has come out is taken over.
            const int key = atExit ? Qt::Key_Up : (!out && t % 10 == 0 ? Qt::Key_D : 0);
            if (key)
                Send(QEvent::KeyPress, key);
            Tick();
            if (key)
                Send(QEvent::KeyRelease, key);
        }
        Send(QEvent::KeyRelease, Qt::Key_Right);
        return !IsPlaying();
    }
    bool IsPlaying() const { return Mode() == GAME_MODE_AREA || Mode() == GAME_MODE_AREA_PAUSED; }

    std::unique_ptr<testsounds::cTestResourceTree> firstArea;
    cGameWindow window;
    GLWidget* view = nullptr;
    std::string output;
};
}

TEST_F(GameEndToEndTest, ANewGameFromTheTitleToTheFirstAreaFinishedAndBack)
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

    // Paused, the area stands still; RETURN on CONTINUE plays on.
    Tick(60);
    Press(Qt::Key_Escape);
    ASSERT_EQ(Mode(), GAME_MODE_AREA_PAUSED);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    Press(Qt::Key_Return);
    EXPECT_EQ(Mode(), GAME_MODE_AREA);
    EXPECT_EQ(window.cursor().shape(), Qt::BlankCursor);

    ASSERT_TRUE(PlayToTheExit()) << output;
    ASSERT_EQ(Mode(), GAME_MODE_LEVEL_SELECTION);
    cSaveGame slot;
    ASSERT_TRUE(slot.Load("Saves/slot0.zvs"));
    const AreaStatus* first = slot.GetArea(slot.FindArea("res/Areas/Area0.xml"));
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->completed);
    EXPECT_EQ(first->score, 2);
    const AreaStatus* next = slot.GetArea(slot.FindArea("res/Areas/FrameSwitch.xml"));
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->unlocked);
    EXPECT_FALSE(next->completed);

    // On to the next area, which the selection has just unlocked and chosen; its pause and
    // how-to-play pages over it.
    Tick(200);
    SaveViewPicture(view, "game-selection");
    Press(Qt::Key_Return);
    ASSERT_TRUE(TickUntil(GAME_MODE_META_LEVEL, 50)) << output;
    Press(Qt::Key_Space);
    ASSERT_TRUE(TickUntil(GAME_MODE_AREA, 50)) << output;
    EXPECT_EQ(window.game->GetAreaFile(), "res/Areas/FrameSwitch.xml");
    Tick(150);
    SaveViewPicture(view, "game-area");
    Press(Qt::Key_Escape);
    SaveViewPicture(view, "game-pause");
    for (int key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
        Press(key);
    ASSERT_EQ(window.game->GetPauseScreen()->GetSubScreen(), cPauseScreen::SUB_HOW_TO_PLAY);
    SaveViewPicture(view, "game-how-to-play");
    Press(Qt::Key_Escape);

    // EXIT: back to the title screen.
    Press(Qt::Key_Down);
    Press(Qt::Key_Return);
    EXPECT_EQ(Mode(), GAME_MODE_START_SCREEN);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);

    // The story's farewell leads to the end screen, and any key back to the title screen.
    view->makeCurrent();
    ASSERT_TRUE(window.game->ToEndScreen());
    view->AttachCurrentArea();
    Tick(5);
    SaveViewPicture(view, "game-end");
    Press(Qt::Key_A);
    EXPECT_EQ(Mode(), GAME_MODE_START_SCREEN);
}
