#include "world/AreaLook.h"

#include "world/Area.h"

#include "actors/BasicPlant.h"
#include "actors/Cloud.h"
#include "actors/FireFly.h"
#include "actors/GlowMushroom.h"
#include "actors/Mushroom.h"
#include "actors/NPCFly.h"
#include "actors/Platform.h"
#include "actors/PlayerChar.h"
#include "actors/StackBoxFrameConfig.h"
#include "audio/AreaSoundPlayer.h"
#include "audio/SoundLibrary.h"

namespace {

/// Every element of the list takes its Land-of-Fireflies look, or its day look.
template <typename T>
void AllToLoF(const std::vector<T*>& list)
{
    for (T* item : list)
        item->SwitchToLoF();
}

template <typename T>
void AllToDay(const std::vector<T*>& list)
{
    for (T* item : list)
        item->SwitchToDay();
}

/// The weight's change per tick: one second from one end to the other.
constexpr float kWeightStep = 0.02f;
constexpr unsigned int kCrossFadeMs = 1000;
/// The orange and the gray firefly's sound as a character turns into it.
constexpr int kFireFlyEffectBase = 12;
constexpr float kFireFlyVolume = 0.4f;

} // namespace

void cAreaLook::InitiateLoF()
{
    for (cPlayerChar* player : area.players) {
        if (player && (player->GetId() == 1 || player->GetId() == 2) && player->HasBody() &&
            !player->IsAncestorForm())
            TurnIntoFireFly(*player);
    }
    if (area.lofWeight >= 1.0f)
        return;
    area.lofSpeed = kWeightStep;
    if (area.soundPlayer)
        area.soundPlayer->CrossFadeToNight(kCrossFadeMs);
    ApplyLoFToEntities();
}

void cAreaLook::TurnIntoFireFly(cPlayerChar& character)
{
    const size_t k = static_cast<size_t>(character.GetId() - 1);
    FireFly* fireFly = k < area.fireFlies.size() ? area.fireFlies[k] : nullptr;
    // Without its firefly nothing could bring the character back: it stays.
    if (!fireFly)
        return;
    PlaySoundEffect(kFireFlyEffectBase + static_cast<int>(k), kFireFlyVolume);
    const b2Vec2 corner = character.GetPosition();
    fireFly->Spawn(area.world.get(), corner.x, corner.y);
    character.Reset();
}

void cAreaLook::InitiateDay()
{
    area.lofSpeed = -kWeightStep;
    if (area.soundPlayer)
        area.soundPlayer->CrossFadeToDay(kCrossFadeMs);
    ApplyDayToEntities();
}

void cAreaLook::ApplyLoFToEntities()
{
    for (Platform* platform : area.platforms)
        platform->SwitchToLoF();
    AllToLoF(area.mushrooms);
    AllToLoF(area.glowMushrooms);
    AllToLoF(area.plantsBack);
    AllToLoF(area.plantsFront);
    for (cCloud* cloud : area.clouds)
        cloud->SwitchToLoF();
    AllToLoF(area.npcFlies);
    AllToLoF(area.stackBoxes);
    AllToLoF(area.frameChangers);
}

void cAreaLook::ApplyDayToEntities()
{
    for (Platform* platform : area.platforms)
        platform->SwitchToDay();
    for (cCloud* cloud : area.clouds)
        cloud->SwitchToDay();
    AllToDay(area.mushrooms);
    AllToDay(area.glowMushrooms);
    AllToDay(area.plantsBack);
    AllToDay(area.plantsFront);
    AllToDay(area.npcFlies);
    AllToDay(area.stackBoxes);
    AllToDay(area.frameChangers);
}
