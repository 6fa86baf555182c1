#include "app/Game.h"

#include "app/GameSettings.h"

cGame::cGame(bool gameMode)
    : gameMode(gameMode)
{
}

cGame::~cGame()
{
    delete settings;
}

bool cGame::Init()
{
    // Nothing is started yet: the controller stays in mode 0, where every tick is a no-op, and the
    // window runs its loop all the same.
    return true;
}

bool cGame::LoadSettings(const QString& fileName)
{
    if (!settings)
        settings = new cGameSettings;
    return settings->Load(fileName);
}

void cGame::ApplySettings()
{
    // Nothing is current yet that settings apply to.
}

int cGame::Update(int /*dtMs*/)
{
    // Mode 0 has nothing to advance and nothing to report.
    return 0;
}

int cGame::HandleInput(cInputHandler* /*input*/)
{
    return 0;
}

bool cGame::EnterPauseScreen(int /*width*/, int /*height*/)
{
    // Only an area being played can be paused.
    return false;
}

void cGame::DrawState()
{
}

void cGame::DrawPauseScreen()
{
}

void cGame::Resize(int /*width*/, int /*height*/)
{
}

void cGame::MouseMove(int /*x*/, int /*y*/)
{
}

void cGame::MousePress(int /*x*/, int /*y*/, int /*button*/, cInputHandler* /*input*/)
{
}

bool cGame::ShowMouseCursor()
{
    // With no screen current nothing asks for the pointer to be hidden.
    return true;
}
