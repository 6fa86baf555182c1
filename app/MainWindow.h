#pragma once

#include <QMainWindow>

#include <string>

class GLWidget;
class QAction;
class QTimer;
class QToolBar;
class cFrameEditDock;
class cGame;
class cGameSettings;
class cInputHandler;
class cVisibilityDock;

/// The program's one window. It owns the game controller and the input handler, holds the OpenGL
/// view as its central widget and drives everything with one 21 ms timer whose every tick advances
/// the game by a fixed 20 ms, whatever time really passed.
///
/// In editor mode it also shows menus, a tool bar, a status bar and the "Visibility" and "Frames"
/// docks, opens an area at start and answers the editor's keys: Escape closes the window (or leaves
/// full screen), Return switches frame drawing, F4 starts the area again, F5 switches full screen
/// and P the level geometry.
class cMainWindow : public QMainWindow
{
    Q_OBJECT

public:
    /// editor: editor mode, fixed for the window's life; the game always passes false.
    explicit cMainWindow(bool editor);
    ~cMainWindow() override;

    /// Builds the controller and the view, shows the window and starts the tick. The desktop size
    /// (pixels) only shapes the editor's layout. False when the controller does not start: the window
    /// then stays up without a tick.
    bool Init(int desktopWidth, int desktopHeight);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    /// Whether the window state holds full screen.
    bool IsFullScreen() const;
    /// "Mirrowen" in the game; in the editor its name, the area file and the area's name.
    void UpdateTitle();

    /// Editor: plays that area file at once (a path on disk, or a name in the resources). When it
    /// does not load, a message box says so and the area played before is played again; false then.
    bool LoadArea(const std::string& file);
    /// Editor: writes the current frame sets to a file on disk. False, after a message box, without
    /// frame sets or when the file cannot be written.
    bool SaveFrameSetFile(const QString& path);
    /// Editor: areas cannot be saved; a message box says so, nothing is written, and the answer is
    /// false.
    bool SaveAreaFile(const QString& path);

    /// The tick length the game is advanced by, in milliseconds.
    static constexpr int kTickMs = 20;
    /// The tick timer's interval in milliseconds.
    static constexpr int kTimerIntervalMs = 21;

public slots:
    // The editor's actions.
    void about();
    void OpenFile();
    void LoadNextArea();
    void ToggleDebugOutput();
    void ToggleSupportLines();
    void SaveAs();
    /// Asks first, then writes the frame-set file beside the current area's file.
    void Save();
    /// Opens the controls dialog without waiting for it.
    void ConfigureInput();
    /// The editor's bars and docks go while full screen and come back after it.
    void ToggleFullScreen();
    /// The frames dock is shown exactly while frames are drawn.
    void ToggleFrameDrawing();
    /// Each flips its mute setting, shows it on its tool-bar icon, saves the settings and hands them
    /// to the game.
    void ToggleMusic();
    void ToggleAmbience();
    void ToggleSFX();
    /// One tick: advance the controller, act on its result, hand it the input, repaint.
    void Update();
    /// Full screen with frames, sky and background on and the level geometry off: the game's look.
    void EnterGameMode();
    void Reset();
    void InitiateLoF();
    void InitiateDay();
    void MorphGray();
    void MorphOrange();
    void ShakeFrames();

protected:
    /// Makes the controller; a test can hand in a scripted one.
    virtual cGame* CreateGame(bool gameMode);

    /// Keys go to the input handler, which the game reads once per tick.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    /// Editor: frame edits that are not saved are not dropped without asking.
    void closeEvent(QCloseEvent* event) override;
    /// The game's full-screen setting follows the window's state as the window system reports it.
    void changeEvent(QEvent* event) override;

private:
    void UpdateCursor();
    /// Tells the player, in one message box, of every player's file that could not be written since
    /// the last tick; the game waits meanwhile.
    void TellUnsavedFiles();
    /// Takes the controller's present area (after any change of area or mode): the view, the
    /// frames dock and the title follow it.
    void AttachArea();

    // Editor mode.
    /// The actions, menus, tool bar, status bar and docks, in that order.
    void CreateEditorUi();
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateDocks();
    QAction* NewAction(const char* text, const char* icon, const char* tip, void (cMainWindow::*slot)());
    /// Shows or hides the bars and docks; hidden, the frame editor selects nothing.
    void ShowEditorBars(bool shown);
    /// The sound actions show the muted icon of each muted sound.
    void ShowSoundIcons();
    /// Saves the window's settings after a sound toggle and hands them to the game.
    void ApplySoundSettings();
    /// Acts on the editor's keys; false for a key that must not reach the input handler (Escape).
    bool HandleEditorKey(int key);
    /// The frame-set file's text for the present frame sets; empty without frame sets.
    QByteArray FrameSetText() const;
    /// Before the present frame sets go: when they differ from their file, asks whether to save
    /// them. False when they must stay (the answer was Cancel, or saving failed).
    bool MayDropFrameEdits();

    GLWidget* view = nullptr;
    QTimer* timer = nullptr;
    cInputHandler* input = nullptr;
    cGame* game = nullptr;
    /// Editor only: the settings that the sound toggles flip; the game keeps its own copy.
    cGameSettings* settings = nullptr;
    bool editor;
    std::string areaFile;
    /// Editor: the frame sets as last read or written.
    QByteArray savedFrames;

    QToolBar* fileToolBar = nullptr;
    cFrameEditDock* frameDock = nullptr;
    cVisibilityDock* visibilityDock = nullptr;
    QAction* newAct = nullptr;
    QAction* openAct = nullptr;
    QAction* saveAct = nullptr;
    QAction* saveAsAct = nullptr;
    QAction* configureInputAct = nullptr;
    QAction* playAct = nullptr;
    QAction* resetAct = nullptr;
    QAction* frameToggleAct = nullptr;
    QAction* musicAct = nullptr;
    QAction* ambienceAct = nullptr;
    QAction* sfxAct = nullptr;
    QAction* quitAct = nullptr;
    QAction* nextAreaAct = nullptr;
    QAction* debugOutputAct = nullptr;
    QAction* supportLinesAct = nullptr;
    QAction* nightAct = nullptr;
    QAction* dayAct = nullptr;
    QAction* morphGrayAct = nullptr;
    QAction* morphOrangeAct = nullptr;
    QAction* shakeAct = nullptr;
    QAction* aboutAct = nullptr;
};
