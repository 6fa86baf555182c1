#pragma once

#include <QString>

#include <string>

class cArea;
class cAudioSystem;
class cCommonResources;
class cFrameEditor;
class cFrameManager;
class cGameSettings;
class cGameState;
class cInputHandler;
class cLevelSelectionScreen;
class cMetaLevel;
class cPauseScreen;
class cSound;
class cStartScreen;

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

/// Which class plays an area file: the scripted first and last areas have classes of their own.
enum class eAreaKind
{
    Plain,
    First,
    Last
};

/// The class for an area file, by the end of its name: "res/Areas/Area0.xml" and
/// "res/Areas/003Area0.xml" (with any prefix) are the first area, "res/Areas/EndArea.xml" the last.
/// An area loaded again after another failed to load (reload) is the first area only by the name
/// "res/Areas/Area0.xml".
eAreaKind AreaKindFor(const std::string& areaFile, bool reload = false);
/// The frame-set file beside an area file: the name without its last four characters (its
/// extension) followed by "_Frames.xml".
std::string FrameSetFileFor(const std::string& areaFile);

/// The game controller. Owned by the main window, which advances it once per tick and forwards
/// drawing, resizing and the mouse to it. It owns whatever its current mode uses (the current screen,
/// or the area, its frame manager and the pause screen) and, for the life of the program, the audio
/// system, the settings and the shared assets.
///
/// Every screen, pause screen and area comes from one of the New... operations, so that tests can
/// hand in their own; the per-tick and event operations are virtual so that the window and the view
/// can be driven by a scripted controller. Textures are made and deleted in the tick: the view's GL
/// context must be current whenever the controller is called.
class cGame
{
public:
    /// gameMode: true in the game, false in the editor.
    explicit cGame(bool gameMode);
    virtual ~cGame();
    cGame(const cGame&) = delete;
    cGame& operator=(const cGame&) = delete;

    /// Starts the audio system (without a sound device it runs silently), loads the shared assets
    /// and opens the title screen. False, with nothing current, when the shared assets do not load.
    virtual bool Init();
    /// Loads the per-user settings of that relative name into the controller's settings. False when
    /// they could not be read; the settings then hold what they held before.
    bool LoadSettings(const QString& fileName);
    /// Hands the settings to whatever is current (mute flags, full screen).
    void ApplySettings();
    /// The full-screen setting follows what the window is: stored, saved when it changed, and
    /// shown by the check boxes.
    void FollowFullScreen(bool fullScreen);

    // Changes of mode. Whatever cannot be opened is never made current: an "ERROR:" line says so
    // and the title screen opens instead. Without a title screen the game cannot go on: a message
    // box says so and the program ends with status 1.

    /// The title screen; subScreen -1 plain, 3 with the save-slot menu open.
    void ToStartScreen(int subScreen);
    /// The area selection for the chosen save slot. With finished set (and an area played before)
    /// the area is booked as finished in the slot with that score, and the result is whether
    /// booking worked; otherwise true unless the screen could not be opened.
    bool ToLevelSelection(bool fromArea, int score, bool finished);
    /// The interlude before an area file; it takes over music (may be null). positive and
    /// negative are the hearts brought along. False when it could not be opened.
    bool ToMetaLevel(const std::string& areaFile, cSound* music, int positive, int negative);
    /// The end screen; false when it could not be opened.
    bool ToEndScreen();
    /// Leaves whatever is current and starts an area: through its interlude in the game, at once
    /// in the editor. The score starts from 0.
    bool StartArea(const std::string& areaFile);
    /// Replaces the area by a new one of that file, with its frame manager, and plays it (mode 2,
    /// the interlude gone). When the file does not load, the area played before is loaded again and
    /// played, and the result is false; with no area before, or when that fails too, no area
    /// exists afterwards (the caller then opens the title screen).
    bool LoadArea(const std::string& areaFile);
    /// After an area: on to the exit's destination (the end screen for "SPECIAL_Farewell"), with
    /// the hearts brought along.
    void GoToNextArea(int positive, int negative);
    /// The area file chosen on the area selection (the end screen for "SPECIAL_Farewell"), whose
    /// music the interlude takes over. The area played before stays the one to fall back on until
    /// the chosen one has loaded.
    void StartSelectedArea(const std::string& selectedFile, cSound* music);
    /// Starts the current screen again, or loads the current area again.
    void Reset();
    /// Deletes the area, its frame manager and the pause screen.
    void DeleteArea();
    /// Deletes the area (in play) and the current screen.
    void LeaveState();

    /// What `Update` asks of the window.
    enum eResult
    {
        RESULT_NONE = 0,
        RESULT_CHANGED = 1,            ///< the mode or the area changed
        RESULT_TOGGLE_FULL_SCREEN = 4,
        RESULT_QUIT = -1,              ///< quit the program
    };
    /// What `HandleInput` asks of the window.
    enum eInputResult
    {
        INPUT_NONE = 0,
        INPUT_PAUSE = 1, ///< the player asks for the pause screen
    };

    /// Advances the game by dtMs milliseconds (the window always passes 20); an `eResult`.
    virtual int Update(int dtMs);
    /// Hands this tick's input actions to whatever is current; an `eInputResult`.
    virtual int HandleInput(cInputHandler* input);
    /// The frame manager's answer to an area's result: a frame set asked for, the first area's
    /// earthquake and leap, the last area's camera.
    static void ApplyAreaResult(int result, cArea& area, cFrameManager& frames);
    /// Opens the pause screen over the area, sized to the window (pixels). False when nothing is
    /// played, the frames are fading out or the pause screen cannot start; the game then goes on.
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
    /// The current screen outside play, else null. Borrowed.
    cGameState* GetCurrentState() const { return currentState; }
    /// The area being played (modes 2 and 3), else null. Borrowed.
    cArea* GetCurrentArea() const { return area; }
    /// The area's frame manager (modes 2 and 3), else null. Borrowed.
    cFrameEditor* GetFrameEditor() const { return frameManager; }
    /// The pause screen while paused, else null. Borrowed.
    cPauseScreen* GetPauseScreen() const { return pauseScreen; }
    /// The settings the controller passes on; made with the controller. Borrowed.
    cGameSettings* GetSettings() const { return settings; }
    /// The shared assets; null before Init. Borrowed.
    cCommonResources* GetCommonResources() const { return commonResources; }
    /// The file of the current or last successfully loaded area; empty before the first area.
    std::string GetAreaFile() const { return areaFile; }
    int GetScore() const { return score; }
    /// The save slot (0 to 4) chosen on the title screen; -1 while none is.
    int GetSaveSlot() const { return saveSlot; }

protected:
    // Where every screen and area comes from. Each returns a new object that the controller owns
    // and initialises.
    virtual cStartScreen* NewStartScreen(int subScreen);
    virtual cLevelSelectionScreen* NewLevelSelection(int slot, bool fromArea);
    virtual cMetaLevel* NewMetaLevel(cSound* music);
    virtual cGameState* NewEndScreen();
    virtual cPauseScreen* NewPauseScreen();
    /// The one place where an area file gets its class (`AreaKindFor` with reload).
    virtual cArea* NewArea(const std::string& areaFile, bool reload);

private:
    /// Makes it current in that mode after its Init; false (it is deleted) when Init fails.
    bool MakeCurrent(cGameState* state, eGameMode newMode, const char* what);
    /// The title screen after a screen or area that could not be opened.
    void FallBackToStartScreen();
    /// A new area of that file that has loaded, or null after an "ERROR:" line; reload as for
    /// `AreaKindFor`.
    cArea* LoadedArea(const std::string& file, bool reload);
    /// LoadArea, then the title screen when no area could be loaded.
    bool EnterArea(const std::string& file);

    // The tick's steps, one per mode. result is the current screen's answer; a step that returns
    // an int returns what Update has to return at once, or 0 to go on.
    int UpdateStartScreen(int result);
    void UpdateEndScreen(int result);
    void UpdateMetaLevel(int result);
    int UpdatePaused(int dtMs);
    void UpdateArea(int dtMs);
    void UpdateLevelSelection(int result);
    /// The area has been left through an exit and has faded out: book it and go on.
    void FinishArea();
    /// The slot's record of the last story areas, which the area selection never books.
    void SaveStoryProgress(const std::string& areaName, int areaScore);
    /// The settings changed in the pause screen's options reach the game. code is the options'
    /// answer (`cMenuItem::eResult`); fullScreenCode is how that path reports full screen
    /// (`RESULT_KEY_FULL_SCREEN` or `RESULT_CLICK_FULL_SCREEN`).
    void AfterOptions(int code, int fullScreenCode);
    /// The play keys of one tick.
    void HandlePlayInput(cInputHandler* input);

    cStartScreen* StartScreen() const;
    cLevelSelectionScreen* LevelSelection() const;
    cMetaLevel* MetaLevel() const;

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
