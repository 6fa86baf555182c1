#pragma once

#include "actors/TriggerBox.h"

/// A tutorial box of an area: an invisible sensor that, when a character it accepts steps in,
/// opens a hint bubble (a picture of the shared info-bubble list) at a fixed offset from the box
/// for a display time. Stepping in again while the bubble shows keeps it up a while longer.
///
/// The area makes one per `InfoTriggerBox` of its file, updates it every tick and draws its
/// bubble; the box owns the bubble (the one every entity may hold). World units, milliseconds.
class cInfoTriggerBox : public cTriggerBox
{
public:
    /// A w × h sensor with its lower-left corner at (x, y), in world; the bubble will stand at the
    /// offset (truncated) from that corner. isSuperBeing is taken for the file's sake and changes
    /// nothing.
    cInfoTriggerBox(physics::World* world, float x, float y, float w, float h, float offsetX, float offsetY,
                    bool oneTime, int infoAnimIndex, int requiredId, bool isSuperBeing, int displayTime);

    /// An accepted entry while enabled: an open bubble with 2000 ms or more to go is left alone, one
    /// with less gets half the display time; without an open bubble a new one opens, replacing one
    /// that is closing. A one-time box decides whether it accepts before this entry is counted, so
    /// its first entry opens the bubble.
    void OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point) override;
    /// Advances the bubble and lets it go once it is done. Always 1.
    int Update(int dtMs) override;

    /// The bubble at the offset from the box; the box itself is invisible.
    void Draw();
    /// `cTriggerBox::SetEnabled`; switching off also closes the bubble.
    bool SetEnabled(bool on);
    /// The picture the next bubble shows.
    void SetInfoValue(int index) { infoAnimIndex = index; }
    int GetInfoValue() const { return infoAnimIndex; }
    int GetDisplayTime() const { return displayTime; }

private:
    int infoAnimIndex;
    int displayTime;
    int offsetX;
    int offsetY;
};
