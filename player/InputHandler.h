#pragma once

#include "engine/Controls.h"

#include <QString>

#include <string>
#include <vector>

class QXmlStreamWriter;

/// The actions a key can trigger. 10 to 12 are never bound nor set; 15 is bound by the defaults but
/// never set by a key.
enum eInputKey
{
    KEY_ANY = 0,        ///< every key press sets it
    KEY_CONFIRM = 1,
    KEY_BACK = 2,       ///< back, pause
    KEY_LEFT = 3,
    KEY_RIGHT = 4,
    KEY_UP = 5,         ///< enter an exit
    KEY_DOWN = 6,       ///< head-jump
    KEY_JUMP = 7,
    KEY_NEXT = 8,       ///< next character
    KEY_PREV = 9,       ///< previous character
    KEY_ROT_LEFT = 13,  ///< turn the frames left
    KEY_ROT_RIGHT = 14, ///< turn the frames right
    KEY_SPARE = 15,
    KEY_COUNT = 16
};

/// Turns Qt key events into per-tick action flags, in two binding tables of Qt key codes
/// (QKeyEvent::key): table 1 holds the play keys, which the player may rebind and which are kept in
/// the per-user "Controls.xml"; table 2 holds the fixed menu keys. Everything that reacts to keys reads
/// the flags once per tick; EndTick turns this tick's presses into held keys.
/// GUI thread only.
class cInputHandler
{
public:
    /// Stands for "no key" in an entry that was never bound; no key event carries it.
    static constexpr int NO_KEY = -1;

    /// No flags set, every binding NO_KEY.
    cInputHandler();

    /// Whether a key event can carry the code: from 0 (a key Qt cannot name) to Key_unknown.
    static bool IsKeyCode(int key);

    /// Drops every pressed and held flag of both tables and forgets the last key; bindings stay.
    void Clear();

    /// Reads the bindings from the controls file, starting from the defaults so that anything the
    /// file lacks is bound; on failure the defaults stand, with a message. Confirm and back of table 1
    /// (Return, Escape) and confirm of table 2 (Space) are forced in every case.
    void LoadConfig(const QString& fileName);
    /// Reads the bindings of the per-user controls file over the current ones, and table 2's arrow,
    /// jump and character keys. When the user copy is missing it is made from the template, holding
    /// the template's known elements in its order, each with the binding it left. False after the
    /// message when the user copy, or without one the template, cannot be opened for reading, or the
    /// copy cannot be made. A damaged file is read as far as it is sound and gives true. A binding to
    /// a code that no key carries leaves the action's binding as it was.
    bool ParseConfig(const QString& fileName);
    /// Writes table 1's nine bindable actions to the user copy, atomically. False after the message;
    /// the file on disk is then unchanged.
    bool SaveConfig(const QString& fileName) const;

    /// Table 1's actions 1 to 9 and 13 to 15, and table 2's 3 to 9, take their default keys.
    void SetDefaultKeys();
    /// True when table 1's nine bindable actions hold their defaults (confirm, back, spare and
    /// table 2 are not compared).
    bool HasDefaultKeys() const;

    int GetKey(eInputKey action) const;
    void SetKey(eInputKey action, int key);
    int GetKeyAlt(eInputKey action) const;

    /// A key went down: every action of both tables that it triggers is pressed this tick, and it
    /// becomes the last key. With ignoreVolumeKeys the volume keys change nothing at all.
    void KeyPress(int key, bool ignoreVolumeKeys);
    /// A key went up: every action of both tables that it triggers is no longer held. A press of
    /// this same tick still counts as pressed until EndTick, but never becomes held. Action 0 is
    /// among them for every key.
    void KeyRelease(int key);
    /// Ends the tick: this tick's presses become held. Action 0 stays held only while another action
    /// is held too.
    void EndTick();

    /// The actions of table 1 a key triggers (the order in which they are compared), action 0 last.
    std::vector<eInputKey> MapKey(int key) const;
    /// The same over table 2; table 1's confirm and back keys also trigger them here.
    std::vector<eInputKey> MapKeyAlt(int key) const;

    /// Table 1: held or pressed this tick.
    bool IsHeld(eInputKey action) const;
    /// Table 1: pressed since the last EndTick.
    bool WasPressed(eInputKey action) const;
    /// Table 1: held since an earlier tick.
    bool WasHeld(eInputKey action) const;
    bool IsHeldAlt(eInputKey action) const;
    bool WasPressedAlt(eInputKey action) const;
    bool WasHeldAlt(eInputKey action) const;

    /// The key of the last press that was not ignored; -1 after Clear.
    int GetLastKey() const;

    /// The action of a key button's name on the options screen ("LEFT", "UP(ENTER)", ...); exact
    /// comparison; any other name gives KEY_LEFT.
    static eInputKey ActionFromName(const std::string& name);
    /// Table 1's key of the action named as on the options screen.
    int GetKeyByName(const std::string& name) const;
    /// The text shown on a key button, in Latin-1 bytes for the bitmap font; "not found" for keys
    /// without a text.
    static std::string KeyName(int key);
    /// The key's name as the menus show it to the player: "?" for a key without a text.
    static QString ShownKeyName(int key);

private:
    static bool IsValidAction(int action);
    /// The actions whose binding in table is the key; with withPlayConfirmAndBack also confirm and
    /// back when the key is table 1's.
    std::vector<eInputKey> MapKeyIn(int key, const int* table, bool withPlayConfirmAndBack) const;
    /// The controls file's root with table 1's nine bindable actions.
    void WriteBindings(QXmlStreamWriter& xml) const;

    bool held[KEY_COUNT];
    bool pressed[KEY_COUNT];
    bool held2[KEY_COUNT];
    bool pressed2[KEY_COUNT];
    /// Released since the last EndTick, so this tick's press does not turn into a hold.
    bool released[KEY_COUNT];
    bool released2[KEY_COUNT];
    int key[KEY_COUNT];
    int key2[KEY_COUNT];
    int lastKey;
};
