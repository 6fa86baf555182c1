#pragma once

#include <memory>
#include <vector>

class cAnimation;
class cFontManager;
class cInputHandler;
class cSaveSlot;
class cTextButton;

/// The choice of one of the five game slots, opened by the title screen: in new-game mode from
/// "NEW GAME" and in resume mode from "RESUME". Before a new game replaces a slot that holds a game
/// or a damaged file it asks, with NO marked. It writes a slot's file only when it starts a new game
/// on it; otherwise it reports the choice through `Update`, and its owner reads the slot with
/// `GetSelectedSlot`.
///
/// Mouse positions are window pixels with y counted up from the bottom edge (the owners turn
/// them). Owned by the screen that opened it.
class cSaveSlotMenu
{
public:
    explicit cSaveSlotMenu(bool newGame);
    ~cSaveSlotMenu();
    cSaveSlotMenu(const cSaveSlotMenu&) = delete;
    cSaveSlotMenu& operator=(const cSaveSlotMenu&) = delete;

    /// The cursor on slot 0. The first call keeps the font (borrowed) and reads the five slots.
    /// Always true.
    bool Init(const cFontManager* font);
    /// P = max(1, min(w / 480, h / 320)), text scale P + 1.
    void Resize(int w, int h);
    /// What `Update` answers.
    enum eResult
    {
        RESULT_NONE = 0,
        RESULT_BACK = 2,     ///< on every call once BACK was chosen
        RESULT_RESUME = 7,   ///< a used slot was chosen to resume
        RESULT_NEW_GAME = 8, ///< a new game was started on the chosen slot (its file was just written)
    };
    /// An `eResult`.
    int Update(int dtMs);
    /// The slot of the last 7 or 8, 0 to 4.
    int GetSelectedSlot() const { return selected; }
    void HandleInput(cInputHandler* input);
    void MouseMove(int x, int y);
    void MousePress(int x, int y);
    /// The title, the five rows and BACK; the cursor may be null.
    void Draw(cAnimation* cursor, bool flag);

    int SlotCount() const { return int(rows.size()); }
    const cSaveSlot* Slot(int i) const;
    int GetCursor() const { return cursor; }
    bool IsQuestionOpen() const { return questionOpen; }
    const cTextButton* GetBackButton() const { return backButton.get(); }
    /// Where row i stands (its lower-left corner of text).
    int RowX() const;
    int RowY(int i) const;

private:
    bool ValidSlot(int i) const { return i >= 0 && i < SlotCount(); }
    void Confirm();
    void Step(int direction);
    /// Chooses a row, reading its file anew: asks first when a new game would replace a game or a
    /// damaged file.
    void Choose();
    void PressChoice(cSaveSlot& slot);

    int width = 0, height = 0;
    int textScale = 1;
    int baseScale = 1;
    std::vector<std::unique_ptr<cSaveSlot>> rows;
    int selected = 0;
    const cFontManager* font = nullptr;
    int cursor = 0;
    bool chosen = false;
    bool back = false;
    std::unique_ptr<cTextButton> backButton;
    bool newGameMode;
    bool questionOpen = false;
};
