#pragma once

#include "screens/GameState.h"

#include "engine/FontManager.h"

/// The screen after the story's farewell: four centred white lines (thanks, the title, the makers,
/// "press any key") over flat lilac and the shared stars. Any key leads back to the title screen.
class cEndScreen : public cGameState
{
public:
    cEndScreen() = default;

    /// Keeps the shared assets (their stars) and the audio system; never fails.
    bool Init(cCommonResources* resources, cAudioSystem* audio, cGameSettings* settings) override;
    void Start() override { done = false; }
    void ApplySettings(cGameSettings* /*settings*/) override {}
    /// What `Update` answers.
    enum eResult
    {
        RESULT_NONE = 0,
        RESULT_DONE = 1, ///< from the tick after a key was pressed on
    };
    /// An `eResult` (the stars twinkle on).
    int Update(int dtMs) override;
    void Draw(bool flag) override;
    /// The scale that fits 356 x 337 units into the window, at least 1, and those units centred.
    void Resize(int newWidth, int newHeight) override;
    void HandleInput(cInputHandler* input) override;
    void Leave(int code) override;
    bool ShowMouseCursor() override { return false; }

private:
    bool done = false;
    cFontManager font;
};
