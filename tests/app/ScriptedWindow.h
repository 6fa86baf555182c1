#pragma once

#include "ScriptedGame.h"

#include "app/MainWindow.h"

/// The game's window (editor mode off) driven by a scripted controller.
class cScriptedWindow : public cMainWindow
{
public:
    cScriptedWindow()
        : cMainWindow(false)
    {
    }
    /// Made by Init; owned by the window.
    cScriptedGame* game = nullptr;
    /// What the controller's Init will return.
    bool gameStarts = true;

protected:
    cGame* CreateGame(bool gameMode) override
    {
        game = new cScriptedGame(gameMode);
        game->initResult = gameStarts;
        return game;
    }
};
