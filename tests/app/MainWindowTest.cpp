#include "ScriptedWindow.h"

#include "app/GLWidget.h"

#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <QTimer>

namespace
{
/// A window that has run its Init; its scripted controller starts with a clean record.
struct MainWindowTest : testing::Test
{
    void SetUp() override
    {
        ASSERT_TRUE(window.Init(1280, 800));
        game().calls.clear();
        game().resizes.clear();
    }
    cScriptedGame& game() { return *window.game; }
    GLWidget* view() { return static_cast<GLWidget*>(window.centralWidget()); }

    cScriptedWindow window;
};
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

TEST(MainWindowInit, ControllerThatDoesNotStartLeavesTheWindowUpWithoutATimer)
{
    cScriptedWindow window;
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
