#pragma once

class cAudioSystem;
class cCommonResources;
class cGameSettings;
class cInputHandler;

/// Base of every full-window screen that is not play itself: the title screen, the area selection,
/// the interlude between areas and the end screen. The controller holds at most one current state,
/// drives it only through these operations (once per tick, and on every resize, key tick and mouse
/// event) and deletes it through the virtual destructor.
///
/// A state borrows the audio system, the shared assets, the settings and the input handler; it
/// never deletes them.
class cGameState
{
public:
    cGameState() = default;
    virtual ~cGameState() = default;
    cGameState(const cGameState&) = delete;
    cGameState& operator=(const cGameState&) = delete;

    /// Builds the screen. False when it is unusable; the controller then never makes it current.
    virtual bool Init(cCommonResources* resources, cAudioSystem* audio, cGameSettings* settings) = 0;
    /// Starts or restarts the screen (the controller's reset).
    virtual void Start() = 0;
    /// Applies the mute flags and the other settings.
    virtual void ApplySettings(cGameSettings* settings) = 0;
    /// One tick of dtMs milliseconds (always 20). Returns the screen's result code for the
    /// controller; 0 means nothing happened.
    virtual int Update(int dtMs) = 0;
    /// Paints the whole window. The controller passes false.
    virtual void Draw(bool flag) = 0;
    /// The window's new size in pixels.
    virtual void Resize(int width, int height) = 0;
    /// This tick's input actions, handed over after `Update`.
    virtual void HandleInput(cInputHandler* input) = 0;
    /// The controller passes 0 and deletes the state right after.
    virtual void Leave(int code) = 0;
    /// Whether the mouse pointer is visible while this state is current.
    virtual bool ShowMouseCursor() = 0;
    /// A mouse press in widget pixels (y counted from the top); button 1 left, 2 right, 0 other.
    virtual void MousePress(int /*x*/, int /*y*/, int /*button*/, cInputHandler* /*input*/) {}
    /// The mouse moved to widget pixels (y counted from the top).
    virtual void MouseMove(int /*x*/, int /*y*/) {}

protected:
    /// Set by the interlude once `InitWithArea` has built it.
    bool initialised = false;
    /// Stored by the screens from `Init`; borrowed.
    cCommonResources* commonResources = nullptr;
    cAudioSystem* audioSystem = nullptr;
    /// The window in pixels; -1 until the first `Resize`.
    int width = -1;
    int height = -1;
    /// Where the screen's centred picture starts, in pixels.
    int offsetX = 0;
    int offsetY = 0;
    /// Whole window pixels per virtual-screen unit.
    int scale = 1;
};
