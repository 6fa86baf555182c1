#include "actors/StackBoxFrameConfig.h"

#include "actors/PlayerChar.h"
#include "audio/SoundLibrary.h"

namespace {

constexpr uint16_t kFrameChangerType = 8;
/// The look of a used one-time box.
constexpr size_t kUsedLook = 1;
enum eChangerEffect { SFX_FRAME_SWITCH = 6, SFX_INCOMPLETE = 14 };
constexpr float kSwitchVolume = 1.0f;
constexpr float kIncompleteVolume = 0.7f;

/// The antler and the spirit form solve the box by standing in its bottom cell.
bool SolvesAlone(const cPlayerChar* c)
{
    return c && c->IsAncestorForm() && (c->GetId() == 0 || c->GetId() == 1);
}

} // namespace

cStackBoxFrameConfig::cStackBoxFrameConfig(physics::World* world, float x, float y, int frameSet1, int frameSet2,
                                           bool once)
    : cStackBox(world, x, y, kFrameChangerType), frameSetA(frameSet1), frameSetB(frameSet2), nextFrameSet(frameSet1),
      oneTime(once)
{
}

int cStackBoxFrameConfig::Update(int dtMs)
{
    AdvanceCells(dtMs);
    if (!reportPending)
        return -1;
    reportPending = false;
    return nextFrameSet;
}

void cStackBoxFrameConfig::SetArmed(bool on)
{
    if (!locked)
        armed = on;
    if (!usable)
        armed = false;
}

void cStackBoxFrameConfig::Check(cPlayerChar*, int)
{
    if (!armed)
        return;
    if (SolvesAlone(At(StackSensor::BOTTOM))) {
        Solve();
        return;
    }
    UpdateIndicators();
    if (IsFull()) {
        if (HoldsAncestorForm())
            return;
        const int b = At(StackSensor::BOTTOM)->GetId();
        const int m = At(StackSensor::MIDDLE)->GetId();
        const int t = At(StackSensor::TOP)->GetId();
        if (b != m && m != t && b != t) {
            Solve();
            return;
        }
    }
    PlaySoundEffect(SFX_INCOMPLETE, kIncompleteVolume);
}

void cStackBoxFrameConfig::Solve()
{
    armed = false;
    if (oneTime) {
        usable = false;
        ShowLook(kUsedLook);
    }
    reportPending = true;
    nextFrameSet = nextFrameSet != frameSetA ? frameSetA : frameSetB;
    PlaySoundEffect(SFX_FRAME_SWITCH, kSwitchVolume);
}

void cStackBoxFrameConfig::OnSensorFreed()
{
    if (usable)
        armed = true;
}
