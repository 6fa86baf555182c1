#include "actors/Mushroom.h"

#include "audio/Sound.h"
#include "audio/SoundLibrary.h"

#include <cstdlib>

namespace {

constexpr int kSporeEffect = 61;
/// Spores last 6000 to 10999 ms; the next ones come 2000 to 6999 ms after them.
constexpr int kSporeMinMs = 6000;
constexpr int kPauseMinMs = 2000;
constexpr int kRandomRangeMs = 5000;
constexpr unsigned kSoundFadeMs = 2000;
/// How far a change of the mute setting steps the spore sound's fade.
constexpr unsigned kMuteUpdateMs = 10;

} // namespace

cMushroom::cMushroom(const QString& file, physics::World* world, int x, int y)
    : BasicPlant(file, world, x, y, TYPE_SILENT), nextSpores(std::rand() % kRandomRangeMs + kPauseMinMs)
{
    if (gSoundLibrary)
        sporeSound.reset(gSoundLibrary->MakeSound(kSporeEffect));
}

cMushroom::~cMushroom() = default;

int cMushroom::Update(int dtMs)
{
    BasicPlant::Update(dtMs);
    if (sporeSound)
        sporeSound->Update(static_cast<unsigned>(dtMs), EffectsMuted());
    int result = 1;
    if (state == STATE_EJECTING && IsCurrentFinished()) {
        state = STATE_SPORING;
        // The spore loop goes on from where the last spores left it.
        ShowAnimation(ANIM_SPORES);
        result = RESULT_SPORES_START;
    } else if (state == STATE_VANISHING && IsCurrentFinished()) {
        SetIdle();
        result = RESULT_SPORES_SPENT;
    }
    if (state == STATE_TOUCHED || !night)
        return result;
    // Spores that fly run their course even when another mushroom has shut this one's gate since:
    // two mushrooms that eject together would otherwise both spore for ever.
    if (sporeTimeLeft > 0) {
        sporeTimeLeft -= dtMs;
        if (sporeTimeLeft <= 0) {
            sporeTimeLeft = 0;
            StopSpores();
        }
    }
    if (!sporeGate)
        return result;
    if (sporeTimer > nextSpores) {
        const int duration = std::rand() % kRandomRangeMs + kSporeMinMs;
        StartSpores(duration);
        nextSpores = std::rand() % kRandomRangeMs + duration + kPauseMinMs;
        sporeTimer = 0;
    }
    sporeTimer += dtMs;
    return result;
}

void cMushroom::StartSpores(int durationMs)
{
    sporeTimeLeft = durationMs;
    ShowExact(ANIM_EJECT);
    if (sporeSound) {
        sporeSound->Play(0.0f, -1, EffectsMuted());
        sporeSound->FadeTo(1.0f, kSoundFadeMs);
    }
    state = STATE_EJECTING;
}

void cMushroom::StopSpores()
{
    ShowExact(ANIM_VANISH);
    if (sporeSound)
        sporeSound->FadeTo(0.0f, kSoundFadeMs);
    state = STATE_VANISHING;
}

void cMushroom::OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point)
{
    if (!IsSporing())
        BasicPlant::OnContactAdd(other, point);
}

void cMushroom::OnContactRemove(cPhysicsBody* other)
{
    if (!IsSporing())
        BasicPlant::OnContactRemove(other);
}

void cMushroom::SwitchToLoF()
{
    BasicPlant::SwitchToLoF();
    sporeGate = true;
}

void cMushroom::SwitchToDay()
{
    night = false;
    if (state == STATE_EJECTING || state == STATE_SPORING)
        StopSpores();
    else if (state != STATE_VANISHING)
        SetIdle();
}

void cMushroom::UpdateSoundMute(bool muted)
{
    if (sporeSound)
        sporeSound->Update(kMuteUpdateMs, muted);
}

bool cMushroom::EffectsMuted()
{
    return gSoundLibrary && gSoundLibrary->IsMuted();
}
