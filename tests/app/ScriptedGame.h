#pragma once

#include "app/Game.h"

#include <QPoint>
#include <QSize>

#include <deque>
#include <functional>
#include <string>
#include <vector>

/// A controller whose tick results are given by the test, and which records what the window and the
/// view ask of it, in order.
class cScriptedGame : public cGame
{
public:
    explicit cScriptedGame(bool gameMode = true)
        : cGame(gameMode)
        , madeForGame(gameMode)
    {
    }

    /// The game-mode flag it was made with.
    const bool madeForGame;
    /// What Init returns.
    bool initResult = true;
    /// Results for the next calls of Update, first to last; 0 once they run out.
    std::deque<int> updateResults;
    /// What HandleInput returns.
    int inputResult = 0;
    /// What ShowMouseCursor returns.
    bool showCursor = true;
    /// Called when the view asks the state to draw; may issue GL calls.
    void (*drawState)() = nullptr;
    /// Run inside Update and HandleInput, to look at what the controller sees there.
    std::function<void()> onUpdate;
    std::function<void()> onHandleInput;
    /// The input handler last passed to HandleInput; null before the first tick.
    cInputHandler* input = nullptr;

    std::vector<std::string> calls;
    std::vector<QSize> resizes;
    std::vector<QSize> pauseRequests;
    std::vector<QPoint> moves;
    struct Press
    {
        QPoint at;
        int button;
    };
    std::vector<Press> presses;

    bool Init() override { return initResult; }
    int Update(int dtMs) override
    {
        calls.push_back("Update " + std::to_string(dtMs));
        if (onUpdate)
            onUpdate();
        if (updateResults.empty())
            return 0;
        const int result = updateResults.front();
        updateResults.pop_front();
        return result;
    }
    int HandleInput(cInputHandler* handler) override
    {
        calls.push_back("HandleInput");
        input = handler;
        if (onHandleInput)
            onHandleInput();
        return inputResult;
    }
    bool EnterPauseScreen(int width, int height) override
    {
        pauseRequests.emplace_back(width, height);
        return true;
    }
    void DrawState() override
    {
        calls.push_back("DrawState");
        if (drawState)
            drawState();
    }
    void Resize(int width, int height) override { resizes.emplace_back(width, height); }
    void MouseMove(int x, int y) override { moves.emplace_back(x, y); }
    void MousePress(int x, int y, int button, cInputHandler*) override
    {
        presses.push_back({QPoint(x, y), button});
    }
    bool ShowMouseCursor() override { return showCursor; }
};
