#pragma once

#include "engine/FontManager.h"
#include "screens/GameState.h"

#include <memory>
#include <string>
#include <vector>

class cFlyingHearts;
class cLevelContainer;
class cSaveGame;
class cSound;
class cTextButton;

/// The area selection of one save slot: one entry per area of the area order in a grid of six
/// columns, showing which areas are completed, unlocked or perfect and the hovered area's name and
/// score, with a "BACK" (from the title screen) or "EXIT" (after an area) button as one extra
/// stop before the first and after the last entry. Finishing an area is booked here
/// (`AreaFinished`), which plays the completing sequence and then unlocks the areas that follow,
/// one after another.
///
/// The music it starts outlives it: the controller hands it to the interlude (`GetMusic`) or
/// deletes it (`DeleteMusic`). Window pixels, origin at the lower-left corner.
class cLevelSelectionScreen : public cGameState
{
public:
    /// Update's result codes.
    enum eResult
    {
        RESULT_STAY = 0,
        RESULT_START_AREA = 1,
        RESULT_LEAVE_FROM_AREA = -1,  ///< on to the title screen
        RESULT_LEAVE_TO_SLOTS = -2,   ///< back to the title screen's save slots
    };

    /// Reads the area order and the slot's save ("Saves/slot<n>.zvs"); fromArea after an area.
    cLevelSelectionScreen(int slot, bool fromArea);
    ~cLevelSelectionScreen() override;

    /// Starts the music, once.
    bool Init(cCommonResources* resources, cAudioSystem* audio, cGameSettings* settings) override;
    void Start() override {}
    /// The music follows the music mute.
    void ApplySettings(cGameSettings* settings) override;
    /// Leaving wins over starting; otherwise the entries' sequences run, one at a time.
    int Update(int dtMs) override;
    void Draw(bool flag) override;
    void Resize(int w, int h) override;
    /// The arrows move between the unlocked entries and the button (from which right and down go
    /// to the first entry, locked or not), confirm starts an unlocked entry or presses the button,
    /// back leaves.
    void HandleInput(cInputHandler* input) override;
    void Leave(int code) override;
    bool ShowMouseCursor() override { return true; }
    void MousePress(int x, int y, int button, cInputHandler* input) override;
    void MouseMove(int x, int y) override;

    /// Books a finished area in the slot and writes it at once: the best score (a negative score
    /// counts as 0), completed, the total score, and on its first completion the current area and
    /// the unlocks, shown by the sequences. Hearts counts make hearts fly across. False, after the
    /// message, when the slot could not be written (a damaged slot is never written over).
    /// The four operations the controller calls are virtual so that its tests can script them.
    virtual bool AreaFinished(const std::string& fileName, int score, int pinkHearts, int greenHearts);
    /// The file of the selected entry, as the area order writes it; empty when none is selected.
    virtual std::string GetSelectedArea() const;
    /// Hands the music over; the screen keeps the pointer but never deletes it.
    virtual cSound* GetMusic() const { return music; }
    virtual void DeleteMusic();

    int GetSelected() const { return selected; }
    int GetEntryCount() const { return static_cast<int>(entries.size()); }
    const cLevelContainer& GetEntry(int i) const { return *entries[i]; }
    bool IsButtonHighlighted() const;
    const cFlyingHearts* GetHearts() const { return hearts.get(); }

private:
    void LoadAreaOrder();
    void ApplySaveGame();
    /// Reads the area order again and unlocks, animated, what finishing fileName unlocks.
    void UnlockSuccessors(const std::string& fileName);
    /// The entry of that area file, or null.
    cLevelContainer* FindEntry(const std::string& fileName) const;
    int TotalScore() const;

    /// The arrows; one per tick, right before left before up before down.
    void HandleDirection(cInputHandler* input);
    /// The entry at index when it is unlocked; a locked one is stepped over by step while the
    /// next stop stays within low to high. The unlocked entry reached, or -1 for the button
    /// (index outside the entries, or a locked entry where the stepping stopped).
    int Scan(int index, int step, int low, int high) const;
    void SelectEntry(int index);
    void SelectButton();
    void DeselectAll();
    bool IsUnlockedEntry(int index) const;

    std::unique_ptr<cSaveGame> saveGame;
    int slot;
    bool fromArea;
    std::vector<std::unique_ptr<cLevelContainer>> entries;
    int selected = 0;
    bool cursorMovedAfterUnlock = false;
    std::unique_ptr<cTextButton> textButton;
    cFontManager font;
    cSound* music = nullptr;
    bool leaveRequested = false;
    bool startRequested = false;
    std::unique_ptr<cFlyingHearts> hearts;
};
