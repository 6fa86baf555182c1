#include "WindowFixture.h"

#include "app/GLWidget.h"

#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include "player/InputHandler.h"
#include "engine/AllocationTracker.h"
#include "player/GameSettings.h"
#include "player/SaveGame.h"
#include "tests/support/StdoutOf.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTimer>

namespace
{
/// A window that has run its Init; its scripted controller starts with a clean record.
struct MainWindowTest : WindowFixture
{
    void SetUp() override
    {
        WindowFixture::SetUp();
        ASSERT_TRUE(window.Init(1280, 800));
        game().calls.clear();
        game().resizes.clear();
    }
    cScriptedGame& game() { return *window.game; }
    GLWidget* view() { return static_cast<GLWidget*>(window.centralWidget()); }
    /// A key event as Qt delivers it: to the view, which leaves it to the window.
    void SendKey(QEvent::Type type, int key, bool autoRepeat = false)
    {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
        QCoreApplication::sendEvent(view(), &event);
    }
};

using MainWindowInit = WindowFixture;
}

TEST_F(MainWindowTest, InitShowsTheTitledWindowWithTheViewAndStartsThe21MsTimer)
{
    EXPECT_EQ(window.windowTitle(), "Mirrowen");
    EXPECT_TRUE(game().madeForGame);
    EXPECT_TRUE(window.isVisible());
    ASSERT_NE(view(), nullptr);
    EXPECT_EQ(view()->minimumSize(), QSize(700, 440));
    EXPECT_GE(window.sizeHint().width(), 700);
    EXPECT_GE(window.sizeHint().height(), 440);

    const QList<QTimer*> timers = window.findChildren<QTimer*>();
    ASSERT_EQ(timers.size(), 1);
    EXPECT_EQ(timers.front()->interval(), 21);
    EXPECT_EQ(timers.front()->timerType(), Qt::PreciseTimer);
    EXPECT_TRUE(timers.front()->isActive());
}

TEST_F(MainWindowInit, ControllerThatDoesNotStartLeavesTheWindowUpWithoutATimer)
{
    window.gameStarts = false;
    EXPECT_FALSE(window.Init(1280, 800));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.findChildren<QTimer*>().isEmpty());
}

TEST_F(MainWindowTest, OneTickAdvancesByTwentyMillisecondsThenHandsOverTheInput)
{
    window.Update();
    EXPECT_THAT(game().calls, testing::ElementsAre("Update 20", "HandleInput"));
}

TEST_F(MainWindowTest, QuitEndsTheProcessWithStatusZeroWithoutDestroyingAnything)
{
    EXPECT_EXIT(
        {
            game().updateResults = {-1};
            window.Update();
            std::fprintf(stderr, "the tick went on\n");
        },
        testing::ExitedWithCode(0), testing::Not(testing::HasSubstr("the tick went on")));
}

TEST_F(MainWindowTest, ChangeReattachesTheAreaAndHidesThePointerWhenTheControllerSaysSo)
{
    game().showCursor = false;
    game().updateResults = {1};
    window.Update();
    EXPECT_EQ(window.cursor().shape(), Qt::BlankCursor);
    // Attaching the area sends the controller the view's size.
    ASSERT_EQ(game().resizes.size(), 1u);
    EXPECT_EQ(game().resizes.back(), view()->size());
    EXPECT_EQ(window.windowTitle(), "Mirrowen");

    game().showCursor = true;
    game().updateResults = {1};
    window.Update();
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainWindowTest, ToggleFullScreenResizesTheControllerInTheSameTick)
{
    game().updateResults = {4};
    window.Update();
    EXPECT_TRUE(window.IsFullScreen());
    ASSERT_FALSE(game().resizes.empty());
    EXPECT_EQ(game().resizes.back(), window.size());

    game().resizes.clear();
    game().updateResults = {4};
    window.Update();
    EXPECT_FALSE(window.IsFullScreen());
    ASSERT_FALSE(game().resizes.empty());
    EXPECT_EQ(game().resizes.back(), window.size());
}

/// Codes the window does not know change nothing.
class MainWindowOtherResults : public MainWindowTest, public testing::WithParamInterface<int>
{
};

TEST_P(MainWindowOtherResults, ChangeNothing)
{
    game().showCursor = false;
    game().updateResults = {GetParam()};
    window.Update();
    EXPECT_FALSE(window.IsFullScreen());
    EXPECT_TRUE(game().resizes.empty());
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
}

INSTANTIATE_TEST_SUITE_P(Codes, MainWindowOtherResults, testing::Values(0, 2, 3, 5, 9, -2));

TEST_F(MainWindowTest, PauseRequestOpensThePauseScreenAtTheWindowSize)
{
    window.Update();
    EXPECT_TRUE(game().pauseRequests.empty());

    game().inputResult = 1;
    window.Update();
    ASSERT_EQ(game().pauseRequests.size(), 1u);
    EXPECT_EQ(game().pauseRequests.front(), window.size());
}

TEST_F(MainWindowInit, MakesTheUserFoldersAndReadsTheShippedControlsAsDefault)
{
    customControls = true;
    ASSERT_TRUE(window.Init(1280, 800));
    EXPECT_TRUE(QDir(cUserFile::DataFolder()).exists("Saves"));
    EXPECT_TRUE(UserCopyExists("Controls.xml"));
    EXPECT_TRUE(UserCopyExists("Settings.xml"));
    EXPECT_FALSE(customControls);
    EXPECT_FALSE(window.IsFullScreen());
}

TEST_F(MainWindowInit, ReboundKeysMarkTheControlsAsCustom)
{
    QByteArray controls = ShippedTemplate("Controls.xml");
    controls.replace("<JUMP Standard=\"32\"/>", "<JUMP Standard=\"88\"/>");
    WriteUserCopy("Controls.xml", controls);
    customControls = false;
    ASSERT_TRUE(window.Init(1280, 800));
    EXPECT_TRUE(customControls);
}

TEST_F(MainWindowInit, FilesThatCouldNotBeSavedAreToldInOneMessageOnceAndTheGameGoesOn)
{
    MakeDataFolderImpossible();
    ASSERT_TRUE(window.Init(1280, 800));
    EXPECT_EQ(StdoutOf([&] { window.Update(); }).find("could not save"), std::string::npos)
        << "the first copies of the templates held nothing of the player's";
    // A new game and the settings saved in one tick.
    cSaveGame slot;
    slot.NewGame("Saves/slot3.zvs");
    EXPECT_FALSE(slot.Save());
    EXPECT_FALSE(window.game->GetSettings()->Save());
    const std::string told = StdoutOf([&] { window.Update(); });
    const std::string expected = ("Mirrowen: Mirrowen could not save:\n" + UserPath("Saves/slot3.zvs") + "\n" +
                                  UserPath("Settings.xml") + "\n\n").toStdString();
    EXPECT_NE(told.find(expected), std::string::npos) << told;
    EXPECT_EQ(told.find("could not save", told.find("could not save") + 1), std::string::npos) << "one message";
    EXPECT_TRUE(window.findChildren<QTimer*>().front()->isActive());
    EXPECT_EQ(StdoutOf([&] { window.Update(); }).find("could not save"), std::string::npos) << "told once";
}

TEST_F(MainWindowInit, StoredFullScreenOpensTheWindowFullScreen)
{
    QByteArray settings = ShippedTemplate("Settings.xml");
    settings.replace("FullScreen=\"0\"", "FullScreen=\"1\"");
    WriteUserCopy("Settings.xml", settings);
    ASSERT_TRUE(window.Init(1280, 800));
    EXPECT_TRUE(window.IsFullScreen());
}

TEST_F(MainWindowTest, KeysArePressedThenHeldUntilReleasedAndRepeatedWhileHeld)
{
    QApplication::setActiveWindow(&window);
    bool pressed = false;
    bool held = false;
    game().onHandleInput = [&] {
        pressed = game().input->WasPressed(KEY_JUMP);
        held = game().input->IsHeld(KEY_JUMP);
    };

    SendKey(QEvent::KeyPress, Qt::Key_Space);
    window.Update();
    EXPECT_TRUE(pressed);
    EXPECT_TRUE(held);

    window.Update();
    EXPECT_FALSE(pressed);
    EXPECT_TRUE(held);

    // X repeats a held key as release and press pairs: each pair is a press again, and the key stays
    // held through it.
    SendKey(QEvent::KeyRelease, Qt::Key_Space, true);
    SendKey(QEvent::KeyPress, Qt::Key_Space, true);
    window.Update();
    EXPECT_TRUE(pressed);
    EXPECT_TRUE(held);

    SendKey(QEvent::KeyRelease, Qt::Key_Space);
    window.Update();
    EXPECT_FALSE(held);
}

TEST_F(MainWindowTest, InactiveWindowDropsHeldKeysBeforeTheControllerRuns)
{
    QApplication::setActiveWindow(&window);
    window.Update(); // hands the controller the input handler
    cInputHandler* input = game().input;
    ASSERT_NE(input, nullptr);
    bool heldAtUpdate = false;
    game().onUpdate = [&] { heldAtUpdate = input->IsHeld(KEY_LEFT); };

    SendKey(QEvent::KeyPress, Qt::Key_Left);
    window.Update();
    EXPECT_TRUE(heldAtUpdate);
    window.Update();
    EXPECT_TRUE(heldAtUpdate);

    QApplication::setActiveWindow(nullptr);
    window.Update();
    EXPECT_FALSE(heldAtUpdate);
}

TEST_F(MainWindowInit, DestroyingTheWindowReportsWhatIsStillAllocated)
{
    auto* closing = new cScriptedWindow;
    ASSERT_TRUE(closing->Init(1280, 800));
    char* leaked = new ("LeakedHere.cpp", 12) char;

    testing::internal::CaptureStdout();
    delete closing;
    const std::string printed = testing::internal::GetCapturedStdout();
    delete leaked;

    EXPECT_THAT(printed, testing::HasSubstr("\n memory leak found: LeakedHere.cpp \n line 12 \n"));
}
