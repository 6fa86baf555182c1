#include "actors/GlowMushroom.h"

#include "audio/SoundLibrary.h"

namespace {

constexpr float kVolume = 0.35f;
/// The file type of the large glow mushroom.
constexpr int kLargeType = 1;
constexpr int kFoldEffect = 37, kSmallFoldEffect = 57;
constexpr int kUnfoldEffect = 38, kSmallUnfoldEffect = 58;

} // namespace

cGlowMushroom::cGlowMushroom(const QString& file, physics::World* world, int x, int y, int hideTimeMs)
    : BasicPlant(file, world, x, y, TYPE_SILENT), hideTime(hideTimeMs)
{
}

int cGlowMushroom::Effect(int large, int small) const
{
    return GetType() == kLargeType ? large : small;
}

int cGlowMushroom::Update(int dtMs)
{
    BasicPlant::Update(dtMs);
    if (state == STATE_RETREATING && IsCurrentFinished()) {
        state = STATE_HIDDEN;
        ShowExact(ANIM_HIDDEN);
    } else if (state == STATE_HIDDEN) {
        hiddenTimer += dtMs;
        if (hiddenTimer > hideTime) {
            state = STATE_REAPPEARING;
            ShowExact(ANIM_REAPPEAR);
            hiddenTimer = 0;
            PlaySoundEffect(Effect(kUnfoldEffect, kSmallUnfoldEffect), kVolume);
        }
    } else if (state == STATE_REAPPEARING && IsCurrentFinished()) {
        SetIdle();
    }
    return 1;
}

void cGlowMushroom::OnContactAdd(cPhysicsBody*, const physics::ContactPoint*)
{
    if (state == STATE_HIDDEN || state == STATE_REAPPEARING || !night)
        return;
    state = STATE_RETREATING;
    ShowExact(ANIM_RETREAT);
    PlaySoundEffect(Effect(kFoldEffect, kSmallFoldEffect), kVolume);
}

void cGlowMushroom::SwitchToDay()
{
    night = false;
    if (state == STATE_RETREATING || state == STATE_HIDDEN) {
        state = STATE_REAPPEARING;
        ShowExact(ANIM_REAPPEAR);
    } else {
        SetIdle();
    }
}
