#pragma once

#include <box2d/b2_math.h>

class cArea;
class cPlayerChar;

/// The characters of an area and which one the player steers: switching control between them, an
/// ancestor form taking a plain character's place and handing it back, and the bat land that
/// comes with the bat king.
///
/// A delegate of `cArea` that keeps nothing of its own: it works on the area's `players` (index 0
/// brown, 1 orange, 2 gray, or the form standing in for one), `currentPlayer`, `batLand` and
/// terrain bodies, so one can be made wherever it is needed and dropped again. The characters and
/// forms are borrowed from the shared assets. Positions are world units (a character's lower-left
/// corner); sound effects are played by number through the shared library.
class cAreaRoster
{
public:
    explicit cAreaRoster(cArea& area) : area(area) {}

    /// The first character whose id is 0, 1 or 2 (brown, orange, gray): the plain one, or the form
    /// standing in for it. Null when the area has none.
    cPlayerChar* GetBrown() const { return FindById(0); }
    cPlayerChar* GetOrange() const { return FindById(1); }
    cPlayerChar* GetGray() const { return FindById(2); }

    /// False while nobody is under control, with fewer than two characters, while any character
    /// changes form, and while any exit holds three or more characters.
    bool CanSwitchPlayer() const;
    /// Hands control to the next (forward) or previous present character, skipping those inside
    /// an exit when skipInsideExit is set; plays the new character's switch sound (54 + index).
    /// When nobody else qualifies nothing happens, unless reselect is set: then the current one is
    /// deselected and selected again, and a lone antler form leaves nobody under control. Control
    /// reaching the bat king starts the bat land. The area's virtual `SwitchPlayer` comes here.
    void SwitchPlayer(bool forward, bool reselect, bool skipInsideExit);
    /// Hands control to the character at index without a sound, when somebody is under control and
    /// there are two characters or more. An index out of range with dropIfInvalid leaves nobody
    /// under control; without it, nothing happens.
    void SwitchToPlayer(int index, bool dropIfInvalid);
    /// Puts character (borrowed) in the place of the one at index: the old one leaves the world
    /// (`Reset`), the new one enters it with its centre on the old centre (up to a small offset that
    /// keeps the two looks apart), and area sound index (the form's theme) starts looping with a
    /// 500 ms fade-in; a plain character coming back arms the stack boxes. An index out of range or
    /// a null character is refused.
    void ReplacePlayer(int index, cPlayerChar* character);

    /// Puts the bat king's terrain (body types 4 and 5) into the world and disarms the stack boxes;
    /// nothing when already on.
    void EnterBatLand();
    /// Takes that terrain out of the world again and arms the stack boxes.
    void LeaveBatLand();
    /// Arms or disarms every stack box and frame changer. Arming needs the three characters, none
    /// of them in its ancestor form: a tower is checked only while nobody has changed.
    void ArmStackBoxes(bool arm);

    /// Starts the orange (or gray) character turning into its ancestor form. False when there is no
    /// such character (for gray also when the area has no bat-land picture); true, without
    /// anything happening, when it is the form already.
    bool MorphOrange();
    bool MorphGray();

private:
    cPlayerChar* FindById(int id) const;
    /// The character at index, null out of range.
    cPlayerChar* At(int index) const;
    int Count() const;
    /// Where the new character's corner goes so that its centre lies on the old one's, shifted by
    /// the offset that index and the two kinds of character give.
    static b2Vec2 PlacementCorner(int index, const cPlayerChar& old, const cPlayerChar& next);
    /// Starts the turn when the character exists and is not the form yet.
    static bool Morph(cPlayerChar* character);
    /// Puts the bat king's terrain into the world or takes it out.
    void SetBatLandBodies(bool on);

    cArea& area;
};
