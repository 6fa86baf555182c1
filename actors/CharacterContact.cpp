#include "actors/CharacterContact.h"

#include "actors/CharacterSounds.h"
#include "actors/PlayerChar.h"
#include "audio/SoundLibrary.h"
#include "engine/PhysicsBody.h"

namespace {

/// Boxes that share less than this sideways only touch at their sides.
constexpr float kSideTolerance = 0.01f;
/// The other body counts as ground up to this far above the character's bottom: resting boxes
/// meet at the same height, and a fast landing may sink a little before it is told.
constexpr float kGroundReach = 2.0f;
/// A body that comes to rest on another may keep an upward speed of a few millionths (world
/// units/s) from the solver's rounding; that is no longer rising.
constexpr float kRestingSpeedNoise = 0.001f;
/// A body of type 6 pushes a character away at this speed (world units/s).
constexpr float kPushBack = 3.0f;

constexpr float kQuiet = 0.4f;
constexpr float kSoft = 0.2f;

} // namespace

cCharacterContact::cCharacterContact(cPlayerChar& self, const cPhysicsBody& other)
    : self(self), other(other), type(other.GetType())
{
}

void cCharacterContact::Begin()
{
    const int state = self.GetState();
    if (state == PLAYER_DIE || state == PLAYER_ENTER_EXIT || state == PLAYER_IN_EXIT || state == PLAYER_METAMORPHOSIS)
        return;
    if (Kills())
        return;
    if (OverlapsX() && (IsUnderFeet() || (self.IsDroppedThisTick() && type == BODY_PLATFORM)))
        LandOnIt();
    cPlayerChar* character = GetCharacter();
    if (character && IsAbove())
        character->IncCarried();
    if (type == BODY_PLATFORM && character) {
        // Told to the lower character: the upper one came down on it head first.
        if (self.GetState() != PLAYER_LAND && character->IsHeadJumping())
            self.OnHeadJumped();
        return;
    }
    if (type == BODY_BAT_SWITCHED) {
        const b2Vec2 away = -kPushBack * DirectionToOther();
        self.SetLinearVelocity(away.x, self.GetLinearVelocity().y);
    }
}

bool cCharacterContact::Kills()
{
    if (IsDeadly()) {
        if (type == BODY_DEADLY_2)
            PlaySoundEffect(SFX_DIE_WATER, kSoft);
        else
            PlaySoundEffect(SFX_DIE_SPIKES, kQuiet);
        self.Die(true);
        return true;
    }
    // A firefly lets go of its character above open ground; dropped into terrain, it is stuck.
    if (self.IsDroppedThisTick() && type == BODY_TERRAIN) {
        PlaySoundEffect(SFX_DIE_SPIKES, kSoft);
        self.Die(true);
        self.SetDroppedThisTick(false);
        return true;
    }
    return false;
}

void cCharacterContact::LandOnIt()
{
    if (self.IsHeadJumping()) {
        if (self.IsAncestorForm())
            self.Metamorphose();
        if (PopsUnderHeadJump())
            PlaySoundEffect(SFX_POP, kQuiet);
    }
    const int state = self.GetState();
    if (state == PLAYER_FALL || (state == PLAYER_JUMP && !IsRising()))
        self.Land();
}

void cCharacterContact::End()
{
    cPlayerChar* character = GetCharacter();
    if (character && IsAbove())
        character->DecCarried();
}

bool cCharacterContact::IsDeadly() const
{
    return type == BODY_DEADLY || type == BODY_DEADLY_2;
}

bool cCharacterContact::IsRising() const
{
    return self.GetLinearVelocity().y > kRestingSpeedNoise;
}

bool cCharacterContact::OverlapsX() const
{
    const b2Vec2 o = other.GetPosition();
    const b2Vec2 m = self.GetPosition();
    return o.x + other.GetWidth() > m.x + kSideTolerance && o.x + kSideTolerance < m.x + self.GetWidth();
}

bool cCharacterContact::IsUnderFeet() const
{
    return other.GetPosition().y + other.GetHeight() < self.GetPosition().y + kGroundReach;
}

cPlayerChar* cCharacterContact::GetCharacter() const
{
    cPhysicsActor* owner = other.GetOwner();
    if (!owner || owner->GetKind() != KIND_CHARACTER)
        return nullptr;
    return dynamic_cast<cPlayerChar*>(owner);
}

bool cCharacterContact::PopsUnderHeadJump() const
{
    const cPhysicsActor* owner = other.GetOwner();
    if (!owner)
        return true;
    const int kind = owner->GetKind();
    return kind == KIND_EMITTER_BOX || kind == KIND_RECEIVER_BOX || kind == KIND_FALLING_ROCK;
}

bool cCharacterContact::IsAbove() const
{
    return self.GetCenter().y > other.GetCenter().y;
}

b2Vec2 cCharacterContact::DirectionToOther() const
{
    b2Vec2 d = other.GetCenter() - self.GetCenter();
    d.Normalize();
    return d;
}
