#pragma once

#include "actors/StackBox.h"

/// A stack box that, when solved, asks the area for another frame set instead of a
/// metamorphosis: a tower of the three different characters, or the antler or the spirit form
/// standing in its bottom cell alone, switches between its two frame sets (the first time to the
/// second one). It is armed again whenever a character leaves one of its cells, unless it is a
/// one-time box that has been used; that one shows its used look for good.
///
/// In the Land of Fireflies it is locked: the area's arming and disarming leave it as it is.
/// Frame-set indices are those of the area's frame-set file.
class cStackBoxFrameConfig : public cStackBox
{
public:
    /// A box of type 8 at (x, y) whose current frame set is frameSet1.
    cStackBoxFrameConfig(physics::World* world, float x, float y, int frameSet1, int frameSet2, bool oneTime);

    /// The frame set to switch to once after it was solved, else -1.
    int Update(int dtMs) override;
    /// Refused while locked; a used one-time box stays disarmed.
    void SetArmed(bool on) override;
    void Check(cPlayerChar* character, int position) override;
    /// Armed again while it can still be used.
    void OnSensorFreed() override;
    void Lock() override { locked = true; }
    void Unlock() override { locked = false; }
    void SwitchToLoF() override { Lock(); }
    void SwitchToDay() override { Unlock(); }

    bool IsLocked() const { return locked; }
    bool IsUsable() const { return usable; }

private:
    /// Disarms, uses up a one-time box, and switches to the other frame set with its sound.
    void Solve();

    int frameSetA;
    int frameSetB;
    int nextFrameSet;
    bool reportPending = false;
    bool locked = false;
    bool oneTime;
    bool usable = true;
};
