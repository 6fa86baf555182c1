#pragma once

#include <QString>

#include <string>

class cArea;
class cAudioSystem;
class cCommonResources;
class cFrameEditor;
class cGameSettings;
class cGameState;
class cInputHandler;
class cPauseScreen;

/// What the game is doing; decides what `cGame` advances, draws and hands the input to.
enum eGameMode
{
    GAME_MODE_NONE = 0,            ///< before `Init`: nothing is current
    GAME_MODE_START_SCREEN = 1,    ///< the title screen
    GAME_MODE_AREA = 2,            ///< playing an area through its frame manager; no game state
    GAME_MODE_AREA_PAUSED = 3,     ///< as 2, with the pause screen over it
    GAME_MODE_LEVEL_SELECTION = 4, ///< the area selection
    GAME_MODE_META_LEVEL = 5,      ///< the interlude before an area
    GAME_MODE_END_SCREEN = 6       ///< the end screen
};

/// The game controller. Owned by the main window, which advances it once per tick and forwards
/// drawing, resizing and the mouse to it. It owns whatever its current mode uses (the current screen,
/// or the area, its frame manager and the pause screen) and, for the life of the program, the audio
/// system, the settings and the shared assets.
///
/// The per-tick and event operations are virtual so that the window and the view can be driven by a
/// scripted controller in tests.
class cGame
{
public:
    /// gameMode: true in the game, false in the editor.
    explicit cGame(bool gameMode);
    virtual ~cGame();
    cGame(const cGame&) = delete;
    cGame& operator=(const cGame&) = delete;

    /// Starts what the controller stands on. True when the game can run.
    virtual bool Init();
    /// Loads the per-user settings of that relative name into the controller's settings, made on the
    /// first call. False when they could not be read; the settings then hold what they held before.
    bool LoadSettings(const QString& fileName);
    /// Hands the settings to whatever is current (mute flags, full screen).
    void ApplySettings();

    /// Advances the game by dtMs milliseconds (the window always passes 20).
    /// Returns -1 to quit the program, 1 when the mode or the area changed, 4 to toggle full screen,
    /// 0 for nothing the window has to do.
    virtual int Update(int dtMs);
    /// Hands this tick's input actions to whatever is current. Returns 1 when the player asks for the
    /// pause screen, else 0.
    virtual int HandleInput(cInputHandler* input);
    /// Opens the pause screen over the area, sized to the window (pixels). False when nothing is
    /// played or the pause screen cannot start; the game then goes on.
    virtual bool EnterPauseScreen(int width, int height);

    /// Has the current screen paint itself (outside play).
    virtual void DrawState();
    /// Paints the pause screen over the area while the game is paused.
    virtual void DrawPauseScreen();
    /// The view's new size in pixels, passed on to the current screen, the pause screen and the
    /// frame manager.
    virtual void Resize(int width, int height);
    /// Mouse position in widget pixels (origin top left, y down).
    virtual void MouseMove(int x, int y);
    /// A mouse press in widget pixels; button is 1 for the left, 2 for the right, 0 for any other.
    virtual void MousePress(int x, int y, int button, cInputHandler* input);
    /// Whether the mouse pointer should be visible in the current mode.
    virtual bool ShowMouseCursor();

    eGameMode GetStateKind() const { return mode; }
    /// The area being played (modes 2 and 3), else null. Borrowed.
    cArea* GetCurrentArea() const { return area; }
    /// The area's frame manager (modes 2 and 3), else null. Borrowed.
    cFrameEditor* GetFrameEditor() const { return frameManager; }
    /// Null before LoadSettings. Borrowed.
    cGameSettings* GetSettings() const { return settings; }
    /// The file of the current or last successfully loaded area; empty before the first area.
    std::string GetAreaFile() const { return areaFile; }
    int GetScore() const { return score; }

private:
    eGameMode mode = GAME_MODE_NONE;
    bool changed = false;
    cAudioSystem* audioSystem = nullptr;
    cGameSettings* settings = nullptr;
    cCommonResources* commonResources = nullptr;
    cGameState* currentState = nullptr;
    cPauseScreen* pauseScreen = nullptr;
    cArea* area = nullptr;
    std::string areaFile;
    cFrameEditor* frameManager = nullptr;
    int saveSlot = -1;
    int score = 0;
    bool gameMode;
};
