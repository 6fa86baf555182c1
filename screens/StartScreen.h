#pragma once

#include "engine/FontManager.h"
#include "screens/GameState.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class cAnimation;
class cCircle;
class cCloud;
class cCreditsScreen;
class cMenuItem;
class cOptionsScreen;
class cPlayerChar;
class cSaveSlotMenu;
class cSound;

/// The title screen, the first screen after start-up and the one the game comes back to: a
/// lilac sky with the shared stars and drifting clouds, the title badge in its ring, the five
/// figures on their rock, the menu music, and one row of entries along the bottom edge: "NEW
/// GAME", "RESUME", "OPTIONS", "CREDITS", "EXIT". The options, the credits and the save-slot
/// menu open over it. The controller reads its choices from `Update`.
class cStartScreen : public cGameState
{
public:
    /// Which sub-screen is open.
    enum eSubState
    {
        SUB_NONE = 0,
        SUB_OPTIONS = 1,
        SUB_CREDITS = 2,
        SUB_SAVE_SLOTS = 3,
    };

    /// openWith SUB_SAVE_SLOTS opens the save-slot menu (to resume) as soon as the screen is built;
    /// any other value shows the row with NEW GAME chosen.
    explicit cStartScreen(int openWith);

    ~cStartScreen() override;

    /// Loads the row, the pictures and the ring, makes the clouds, readies the figures and starts
    /// the menu music. False, after an "ERROR:" line, when a description file cannot be read. A
    /// second call restarts the screen instead.
    bool Init(cCommonResources* resources, cAudioSystem* audio, cGameSettings* settings) override;
    /// NEW GAME chosen, the figures readied, the music faded in anew over two seconds.
    void Start() override;
    void ApplySettings(cGameSettings* settings) override;
    /// What `Update` answers.
    enum eResult
    {
        RESULT_NONE = 0,
        RESULT_START_FIRST_AREA = 1,
        RESULT_QUIT = 2,               ///< on every tick once EXIT was chosen
        RESULT_TOGGLE_FULL_SCREEN = 4, ///< once after the options toggled full screen
        RESULT_RESUME_SLOT = 7,        ///< the save-slot menu resumes a slot
        RESULT_NEW_GAME_ON_SLOT = 8,   ///< the save-slot menu started a new game on one
    };
    /// An `eResult`.
    int Update(int dtMs) override;
    void Draw(bool flag) override;
    void Resize(int width, int height) override;
    void HandleInput(cInputHandler* input) override;
    /// The menu music fades out over half a second; the fade plays on after the screen is gone.
    void Leave(int code) override;
    bool ShowMouseCursor() override { return true; }
    void MousePress(int x, int y, int button, cInputHandler* input) override;
    void MouseMove(int x, int y) override;

    /// The slot chosen in the save-slot menu, read by the controller after 7 or 8; -1 without one.
    virtual int GetSelectedSlot() const;

    int GetSubState() const { return subState; }
    int GetSelected() const { return selected; }
    int ItemCount() const { return int(items.size()); }
    const cMenuItem* Item(int i) const;
    int GetPictureScale() const { return pictureScale; }
    int GetBaseScale() const { return scale; }
    int GetTextScale() const { return textScale; }
    int GetOffsetX() const { return offsetX; }
    int GetOffsetY() const { return offsetY; }
    const cSound* GetMusic() const { return menuMusic.get(); }
    cOptionsScreen* GetOptions() const { return options.get(); }
    cSaveSlotMenu* GetSaveSlots() const { return saveSlots.get(); }
    const std::vector<cCloud*> Clouds() const;

private:
    bool LoadMenuRow();
    bool LoadAnimations();
    void LoadCircles();
    void MakeClouds();
    void ReadyCharacters();
    /// A new menu music object, playing at the volume.
    void StartMusic(float volume);
    void OpenOptions();
    void OpenCredits();
    void OpenSaveSlots(bool newGame);
    void RunEntry(const QString& name);
    /// The figures, the clouds and the stars take one tick.
    void AdvanceScenery(int dtMs, bool stars);
    /// The menu's answer; the figures stand still behind it.
    int UpdateSaveSlots(int dtMs);
    /// Toggles, applies and saves the setting behind the options' answer to a key or a click
    /// (`cMenuItem::eResult`).
    void ApplyOptionsCode(int code);
    /// The same for a click, which also reports the full-screen box on the console.
    void ApplyClickedOptionsCode(int code);
    void DrawScene();
    void DrawMenuRow();
    QStringList EntryNames() const;
    cAnimation* Picture(int i) const;
    bool HitsItem(const cMenuItem& item, int x, int y, int height) const;

    std::vector<cAnimation*> animations;
    std::vector<std::unique_ptr<cMenuItem>> items;
    std::vector<std::unique_ptr<cCloud>> clouds;
    std::vector<cPlayerChar*> characters;
    std::vector<std::unique_ptr<cCircle>> circles;
    std::unique_ptr<cFontManager> font;
    bool openSlots = false;
    bool exitChosen = false;
    bool fullScreenToggled = false;
    bool leaving = false;
    std::unique_ptr<cSound> menuMusic;
    cGameSettings* settings = nullptr;
    int pictureScale = 1;
    int textScale = 1;
    int selected = 0;
    std::unique_ptr<cOptionsScreen> options;
    std::unique_ptr<cCreditsScreen> credits;
    std::unique_ptr<cSaveSlotMenu> saveSlots;
    int subState = SUB_NONE;
};
