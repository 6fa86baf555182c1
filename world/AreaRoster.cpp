#include "world/AreaRoster.h"

#include "world/Area.h"

#include "actors/AreaExit.h"
#include "actors/PlayerChar.h"
#include "actors/StackBoxFrameConfig.h"
#include "audio/AreaSoundPlayer.h"
#include "audio/SoundLibrary.h"
#include "engine/Image.h"
#include "engine/PhysicsBody.h"

namespace {

/// Brown's switch sound; orange and gray follow it.
constexpr int kSwitchEffectBase = 54;
constexpr float kSwitchVolume = 0.4f;
/// An exit holding this many characters keeps control where it is: the area is about to end.
constexpr int kFullExit = 3;
/// The forms' themes fade in over this long and loop until the form turns back.
constexpr unsigned int kThemeFadeInMs = 500;
/// Index of the bat king among the characters.
constexpr int kGrayIndex = 2;
/// Brown, orange and gray.
constexpr int kCharacterCount = 3;

b2Vec2 HalfSize(const cPlayerChar& character)
{
    // The size of the body's description: neither character has a body in the world while one
    // turns into the other, so the actor's own size would read 0.
    const cPhysicsBody* body = character.GetPhysicsBody();
    return body ? b2Vec2(body->GetWidth() / 2.0f, body->GetHeight() / 2.0f) : b2Vec2(0.0f, 0.0f);
}

} // namespace

cPlayerChar* cAreaRoster::FindById(int id) const
{
    for (cPlayerChar* player : area.players) {
        if (player && player->GetId() == id)
            return player;
    }
    return nullptr;
}

cPlayerChar* cAreaRoster::At(int index) const
{
    return index >= 0 && index < Count() ? area.players[static_cast<size_t>(index)] : nullptr;
}

int cAreaRoster::Count() const
{
    return static_cast<int>(area.players.size());
}

bool cAreaRoster::CanSwitchPlayer() const
{
    if (area.currentPlayer < 0 || Count() < 2)
        return false;
    for (const cPlayerChar* player : area.players) {
        if (player && player->GetState() == PLAYER_METAMORPHOSIS)
            return false;
    }
    for (const cAreaExit* exit : area.exits) {
        if (exit->GetSwallowedCount() >= kFullExit)
            return false;
    }
    return true;
}

void cAreaRoster::SwitchPlayer(bool forward, bool reselect, bool skipInsideExit)
{
    if (!CanSwitchPlayer())
        return;
    const int old = area.currentPlayer;
    const int count = Count();
    int index = old;
    bool found = false;
    for (int step = 0; step < count && !found; ++step) {
        if (forward)
            index = index >= count - 1 ? 0 : index + 1;
        else
            index = index <= 0 ? count - 1 : index - 1;
        const cPlayerChar* candidate = At(index);
        found = candidate && candidate->IsPresent() &&
                !(skipInsideExit && candidate->GetState() == PLAYER_IN_EXIT);
    }
    if (!found)
        index = old;
    if (index == old && !reselect)
        return;
    cPlayerChar* previous = At(old);
    previous->Deselect();
    // The antler form alone has nobody to hand over to, and cannot be taken back out of an exit.
    if (index == old && previous->IsAncestorForm() && previous->GetId() == 0) {
        area.currentPlayer = -1;
    } else {
        area.currentPlayer = index;
        PlaySoundEffect(kSwitchEffectBase + index, kSwitchVolume);
        At(index)->Select();
    }
    if (area.currentPlayer == kGrayIndex && At(kGrayIndex)->IsAncestorForm())
        EnterBatLand();
}

void cAreaRoster::SwitchToPlayer(int index, bool dropIfInvalid)
{
    if (area.currentPlayer < 0 || Count() < 2)
        return;
    cPlayerChar* next = At(index);
    if (!next && !dropIfInvalid)
        return;
    if (cPlayerChar* previous = At(area.currentPlayer))
        previous->Deselect();
    if (!next) {
        area.currentPlayer = -1;
        return;
    }
    area.currentPlayer = index;
    next->Select();
    if (index == kGrayIndex && next->IsAncestorForm())
        EnterBatLand();
}

b2Vec2 cAreaRoster::PlacementCorner(int index, const cPlayerChar& old, const cPlayerChar& next)
{
    b2Vec2 offset(0.0f, 0.5f);
    if (index == 0)
        offset.Set(old.IsAncestorForm() ? -2.0f : 2.0f, 0.0f);
    else if (index == 1)
        offset.x += next.IsAncestorForm() ? -4.0f : 3.0f;
    return old.GetPosition() + HalfSize(old) - HalfSize(next) + offset;
}

void cAreaRoster::ReplacePlayer(int index, cPlayerChar* character)
{
    cPlayerChar* old = At(index);
    if (!old || !character)
        return;
    const b2Vec2 corner = PlacementCorner(index, *old, *character);
    old->Reset();
    character->Init(area.world.get(), corner.x, corner.y);
    area.players[static_cast<size_t>(index)] = character;
    if (area.soundPlayer)
        area.soundPlayer->PlaySound(index, -1, kThemeFadeInMs);
    // The character under control may be one that cannot be steered any more; find another.
    for (int i = 1; i < Count(); ++i) {
        const cPlayerChar* player = At(i);
        if (player && !player->IsPresent() && player->GetId() == area.currentPlayer)
            area.SwitchPlayer(true, true, true);
    }
    if (!character->IsAncestorForm())
        ArmStackBoxes(true);
}

void cAreaRoster::EnterBatLand()
{
    if (area.batLand)
        return;
    area.batLand = true;
    SetBatLandBodies(true);
    ArmStackBoxes(false);
}

void cAreaRoster::LeaveBatLand()
{
    area.batLand = false;
    SetBatLandBodies(false);
    ArmStackBoxes(true);
}

void cAreaRoster::ArmStackBoxes(bool arm)
{
    if (arm) {
        if (Count() < kCharacterCount)
            return;
        for (int i = 0; i < kCharacterCount; ++i) {
            if (At(i) && At(i)->IsAncestorForm())
                return;
        }
    }
    for (cStackBox* box : area.stackBoxes)
        box->SetArmed(arm);
    for (cStackBoxFrameConfig* box : area.frameChangers)
        box->SetArmed(arm);
}

void cAreaRoster::SetBatLandBodies(bool on)
{
    for (cPhysicsBody* body : area.bodies) {
        if (body->GetType() == BODY_BAT_KING_ONLY || body->GetType() == BODY_BAT_KING_PLATFORM)
            body->SetActive(on, area.world.get());
    }
}

bool cAreaRoster::Morph(cPlayerChar* character)
{
    if (!character)
        return false;
    if (!character->IsAncestorForm())
        character->Metamorphose();
    return true;
}

bool cAreaRoster::MorphOrange()
{
    return Morph(GetOrange());
}

bool cAreaRoster::MorphGray()
{
    // Without its picture the bat land could not be shown through the bubbles.
    if (!area.batlandPicture)
        return false;
    return Morph(GetGray());
}
