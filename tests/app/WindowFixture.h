#pragma once

#include "ScriptedWindow.h"
#include "tests/support/UserFileFixture.h"

/// A game window driven by a scripted controller, over fresh per-user folders and the shipped
/// templates of the controls and the settings. Tests call Init themselves.
class WindowFixture : public UserFileFixture
{
protected:
    void SetUp() override
    {
        UserFileFixture::SetUp();
        UseShippedTemplate("Controls.xml");
        UseShippedTemplate("Settings.xml");
    }

    cScriptedWindow window;
};
