#pragma once

#include <QString>

#include <box2d/b2_math.h>

#include <memory>
#include <vector>

class cAnimation;
class cFontManager;
class cGameSettings;
class cInputHandler;
class cLabel;
class cSetButton;
class QXmlStreamReader;

/// A colour of menu text, 0 to 255.
struct sMenuColour
{
    int r, g, b, a;
};

/// What a page hands to the entries it draws. Positions are window pixels, y up.
struct sMenuDrawing
{
    int originX = 0;
    int originY = 0;
    /// The page's scale; entries draw their text one step smaller.
    int scale = 1;
    const cFontManager* font = nullptr;
    int screenWidth = 0;
    int screenHeight = 0;
    /// The radius of the page's first circle: entries stand at percentages of it.
    float layoutRadius = 0;
    /// Drawn beside the current entry; may be null.
    cAnimation* cursor = nullptr;
    /// Marks every line with a red bar, to check the layout.
    bool outline = false;
};

/// One entry of a menu page, from a `menuitem` element: a line of text that reacts to the menu
/// keys and the mouse, possibly holding entries of its own (its sub-entries), pictures (check boxes,
/// button frames), labels and one key field. The named entries act: "SAVE", "DEFAULT" and
/// "CANCEL" on the controls page, "MUSIC", "SOUND EFFECTS", "FULL SCREEN" and "OK" on the sound
/// page. Results travel up as `eResult` codes.
///
/// Positions are window pixels, y up. Owns everything below it.
class cMenuItem
{
public:
    cMenuItem();
    virtual ~cMenuItem();
    cMenuItem(const cMenuItem&) = delete;
    cMenuItem& operator=(const cMenuItem&) = delete;

    /// Reads the `menuitem` element at the reader's position and everything inside it up to its
    /// own end tag (nested entries end at theirs): sub-entries, `buttonframe` (chip set 12 unless
    /// it names its `src`), `animation` (chip set 13 likewise), `setbutton` and `label`. What the
    /// entry held before is dropped, except its grayed flag and its key field. A key field shows
    /// the key that "Controls.xml" binds to the entry's action. An entry named "KEYBOARD" becomes
    /// the keyboard entry. Always true.
    bool LoadFromXml(QXmlStreamReader& reader);

    QString GetName() const { return name; }
    void SetName(const QString& text) { name = text; }
    int GetX() const { return x; }
    int GetY() const { return y; }
    bool IsToggle() const { return toggle == 1; }
    bool IsGrayed() const { return grayed; }
    int GetLayoutPosition() const { return layoutPosition; }
    int SubItemCount() const { return int(subItems.size()); }
    /// Sub-entry i, or null outside them.
    cMenuItem* SubItem(int i) const;
    cSetButton* GetSetButton() const { return setButton.get(); }
    /// The picture of that name among the entry's animations, or null.
    cAnimation* GetAnimation(const QString& animationName) const;
    int LabelCount() const { return int(labels.size()); }

    /// Where the title screen last placed the entry, for its mouse tests.
    void SetScreenPosition(float px, float py) { screenPosition.Set(px, py); }
    b2Vec2 GetScreenPosition() const { return screenPosition; }
    /// Where the last Draw put the name.
    b2Vec2 GetTextPosition() const { return textPosition; }

    /// The mouse, or the title screen's cursor, is on the entry; a key field lights with it.
    void SetHighlighted(bool flag);
    bool IsHighlighted() const { return highlighted; }
    void SetSelected(bool flag) { selected = flag; }
    bool IsSelected() const { return selected; }
    /// Where the check box was last drawn (its lower-left corner, offsets included).
    b2Vec2 GetBoxPosition() const { return boxPosition; }

    /// The current sub-entry's index; -1 when none is.
    int GetSelectedSubItem() const { return selectedSubItem; }
    bool HasSelectedSubItem() const { return selectedSubItem >= 0; }
    /// Makes sub-entry i current as a page opens: the selected flags of the sub-entries that are
    /// not toggles go, and i's is set unless it is a toggle.
    void SelectSubItem(int i);
    /// Not selected.
    void Deselect() { selected = false; }
    /// No sub-entry current and none selected, at any depth.
    void ClearSelection();
    /// ClearSelection, and every key field stops waiting.
    void ResetSelection();

    /// What the keys (HandleInput, Activate, MoveRight) and a click (MousePress) did. The two
    /// answers report the music and sound-effects entries alike and share nothing else: their
    /// other codes overlap in value, so each is read only as the answer of its own path.
    enum eResult
    {
        RESULT_NONE = 0,
        RESULT_MUSIC = 1,                ///< "MUSIC" confirmed, or its box clicked
        RESULT_EFFECTS = 7,              ///< "SOUND EFFECTS" confirmed, or its box clicked
        RESULT_KEY_DONE = 2,             ///< "SAVE", "DEFAULT", "CANCEL" or "OK" finished the entry
        RESULT_KEY_CONTROLLER_SAVED = 3, ///< "SAVE" in a "CONTROLLER" entry
        RESULT_KEY_SOUND_SAVED = 4,      ///< "SAVE" in a "SOUND" entry
        RESULT_KEY_RIGHT_ON_EFFECTS = 5, ///< right on "SOUND EFFECTS"
        RESULT_KEY_FULL_SCREEN = 6,      ///< "FULL SCREEN" confirmed
        RESULT_KEY_CAPTURED = 99,        ///< a key field took the key
        RESULT_CLICK_CHOSEN = 2,         ///< the entry was chosen
        RESULT_CLICK_FULL_SCREEN = 4,    ///< the full-screen box or name
        RESULT_CLICK_DONE = 5,           ///< "SAVE", "OK", "DEFAULT", or "CANCEL" once its parent took it
        RESULT_CLICK_CANCEL = 6,         ///< "CANCEL": its parent shows the bound keys again
        RESULT_CLICK_VOLUME_DOWN = 8,    ///< a volume control stepped down (no menu file has one)
        RESULT_CLICK_VOLUME_UP = 9,      ///< a volume control stepped up (no menu file has one)
    };
    /// One tick of menu keys (the menu table): an `eResult` of the keys. Every key plays the menu
    /// sound.
    int HandleInput(cInputHandler& input);
    /// Confirm on the current sub-entry: an `eResult` of the keys.
    int Activate(cInputHandler& input);
    /// Down and up follow the current sub-entry's link, else step (not past the ends; up from
    /// the first leaves the sub-entries). Left follows links only.
    void MoveDown();
    void MoveUp();
    void MoveLeft();
    /// Follows the right link; on the "SOUND" entry reports `RESULT_KEY_RIGHT_ON_EFFECTS` for
    /// "SOUND EFFECTS" instead.
    int MoveRight();
    /// While the current sub-entry's key field waits: takes the input handler's last key for it
    /// and returns true. Any key is taken, one that another field holds too: one key for two
    /// actions is the player's choice.
    bool CaptureKey(cInputHandler& input);

    /// Lights the entry, its check box and its key field under the pointer; every sub-entry too.
    void MouseMove(float px, float py);
    /// A left click: an `eResult` of the clicks. A sub-entry's `RESULT_CLICK_CANCEL` shows the
    /// bound keys again and goes on up as `RESULT_CLICK_DONE`.
    int MousePress(float px, float py, const QString& pageName, cInputHandler& input);

    /// Draws the entry as the index-th of its siblings, then its labels and sub-entries, and its
    /// button frames last, over the text. A selected entry is white, a grayed one grey; a selected
    /// or always-white entry has the drawing's cursor beside it, which its sub-entries never get;
    /// the check boxes, volume controls and "CONTROLLER" pictures show only while highlightBoxes
    /// is set.
    void Draw(const sMenuDrawing& drawing, sMenuColour colour, bool highlightBoxes, int index);
    /// "MUSIC" and "SOUND EFFECTS" tick their box while not muted, "FULL SCREEN" while full
    /// screen; applied through the "SOUND" entry to its sub-entries.
    void ApplySettings(const cGameSettings& settings);

    /// The entry named "KEYBOARD" that exists now, or null.
    static cMenuItem* KeyboardEntry() { return keyboardEntry; }
    /// A key field took a key that is neither saved nor reverted.
    static bool KeysChanged() { return keysChanged; }

private:
    void ReadAttributes(const QXmlStreamReader& reader);
    void ReadChild(QXmlStreamReader& reader);
    cMenuItem* Current() const { return SubItem(selectedSubItem); }
    /// Makes sub-entry i current: every sub-entry's selected flag goes, i's is set.
    void Choose(int i);
    /// Done with the sub-entries: none current, not selected.
    void Leave();
    int ActivateSave(cInputHandler& input);
    /// Shows the bound keys again in every field when keys were captured and not saved.
    void RevertKeys();
    void StopWaiting();
    void CommitKeys(cInputHandler& input);
    void RestoreDefaultKeys(cInputHandler& input);

    bool HoversBox(float px, float py) const;
    bool HoversLine(float px, float py) const;
    int PressSubItems(float px, float py, const QString& pageName, cInputHandler& input);
    /// A sound entry's volume control steps one frame down under its left half, up under its right.
    int PressVolumeControl(float px, float py);
    int PressBox();
    int PressLine(const QString& pageName, cInputHandler& input);

    /// The text colour of this entry given its parent's.
    sMenuColour TextColour(sMenuColour colour) const;
    void DrawLine(const sMenuDrawing& drawing, sMenuColour colour, cAnimation* cursor);
    void DrawBindingRow(const sMenuDrawing& drawing, sMenuColour colour, int index, cAnimation* cursor);
    /// What a highlighted entry shows besides its text: its check box or volume control, and a
    /// "CONTROLLER" entry's pictures.
    void DrawHighlightAnimations(const sMenuDrawing& drawing);
    /// Where a check box or volume control stands beside the line (its lower-left corner).
    b2Vec2 BesideLine(const sMenuDrawing& drawing, const cAnimation& picture) const;
    void DrawCheckBox(const sMenuDrawing& drawing);
    void DrawVolumeControl(const sMenuDrawing& drawing);
    /// -1 on the volume control's left half, 1 on its right half, else 0.
    int VolumeStepAt(float px, float py) const;
    void HoverVolumeControl(float px, float py);
    void DrawButtonFrames();
    /// The check box of a sound or full-screen entry; null for other entries.
    cAnimation* CheckBox() const;
    /// Where the entry's button frame starts, by its layout position.
    float FrameLeft() const;

    std::vector<std::unique_ptr<cMenuItem>> subItems;
    std::vector<std::unique_ptr<cAnimation>> buttonFrames;
    std::vector<std::unique_ptr<cAnimation>> animations;
    std::vector<std::unique_ptr<cLabel>> labels;
    std::unique_ptr<cSetButton> setButton;
    QString name;
    int x = 0, y = 0;
    b2Vec2 textPosition{-10, -10};
    b2Vec2 screenPosition{-10, -10};
    /// Where the check box was last drawn (its lower-left corner).
    b2Vec2 boxPosition{-10, -10};
    /// Where the volume control was last drawn (its lower-left corner).
    b2Vec2 volumePosition{-10, -10};
    int style = 1;
    bool selected = false;
    bool highlighted = false;
    bool boxHovered = false;
    bool volumeDownShown = false, volumeUpShown = false;
    int layoutPosition = 1;
    int selectedSubItem = -1;
    int size = 0;
    int alwaysWhite = 0;
    int linkRight = -1, linkDown = -1, linkLeft = -1, linkUp = -1;
    int screenWidth = 0;
    int textWidth = 0;
    int scale = 1;
    int toggle = 0;
    bool grayed = false;

    static cMenuItem* keyboardEntry;
    static bool keysChanged;
};
