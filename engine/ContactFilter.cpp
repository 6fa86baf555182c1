#include "engine/ContactFilter.h"

#include <cmath>
#include <optional>

#include "engine/PhysicsActor.h"
#include "engine/PhysicsBody.h"

namespace {

bool IsCharacter(const cPhysicsBody* body)
{
    return body->GetOwner() && body->GetOwner()->GetKind() == KIND_CHARACTER;
}

bool NeverCollides(const cPhysicsBody* body)
{
    return body->GetOwner() && body->GetOwner()->GetKind() == KIND_NEVER_COLLIDES;
}

bool IsOneWay(int type)
{
    return type == BODY_PLATFORM || type == BODY_BAT_KING_PLATFORM;
}

/// The answer for a character against a body of type 4 or 6, which depends on its pass-through test.
std::optional<bool> BatBodyRule(const cPhysicsBody* character, const cPhysicsBody* other)
{
    const bool passes = character->GetOwner()->IsBatKing();
    if (other->GetType() == BODY_BAT_KING_ONLY)
        return passes;
    if (other->GetType() == BODY_BAT_SWITCHED)
        return !passes && !other->IsActive();
    return std::nullopt;
}

/// Type 5 carries only characters that pass the test.
bool RefusedByBatPlatform(const cPhysicsBody* character, const cPhysicsBody* other)
{
    return other->GetType() == BODY_BAT_KING_PLATFORM && !character->GetOwner()->IsBatKing();
}

}  // namespace

bool cContactFilter::CanEverCollide(physics::Shape* shape1, physics::Shape* shape2)
{
    const cPhysicsBody* a = cPhysicsBody::FromShape(shape1);
    const cPhysicsBody* b = cPhysicsBody::FromShape(shape2);
    if (!a || !b || NeverCollides(a) || NeverCollides(b))
        return false;
    return IsCharacter(a) || IsCharacter(b);
}

bool cContactFilter::ShouldCollide(physics::Shape* shape1, physics::Shape* shape2)
{
    return CanEverCollide(shape1, shape2)
        && ShouldCollideBodies(cPhysicsBody::FromShape(shape1), cPhysicsBody::FromShape(shape2));
}

bool cContactFilter::ShouldCollideBodies(const cPhysicsBody* a, const cPhysicsBody* b) const
{
    const bool aIsCharacter = IsCharacter(a);
    const bool bIsCharacter = IsCharacter(b);
    if (aIsCharacter) {
        if (const std::optional<bool> answer = BatBodyRule(a, b))
            return *answer;
    }
    if (bIsCharacter) {
        if (const std::optional<bool> answer = BatBodyRule(b, a))
            return *answer;
    }
    if ((aIsCharacter && RefusedByBatPlatform(a, b)) || (bIsCharacter && RefusedByBatPlatform(b, a)))
        return false;
    if (aIsCharacter && bIsCharacter)
        return ShouldCollideCharacters(a, b);
    if (aIsCharacter && IsOneWay(b->GetType()))
        return ShouldCollideWithPlatform(b, a->GetOwner());
    if (!bIsCharacter)
        return true;
    if (IsOneWay(a->GetType()))
        return ShouldCollideWithPlatform(a, b->GetOwner());
    return true;
}

bool cContactFilter::ShouldCollideWithPlatform(const cPhysicsBody* platform, const cPhysicsActor* character) const
{
    const b2Vec2 v = character->GetLinearVelocity();
    const b2Vec2 corner = character->GetPosition();
    const float characterWidth = character->GetWidth();
    const b2Vec2 platformCorner = platform->GetPosition();
    const float top = platformCorner.y + platform->GetHeight();
    const float gap = corner.y - top;
    const float characterRight = corner.x + characterWidth;
    const float platformRight = platformCorner.x + platform->GetWidth();

    if (v.x == 0.0f && v.y == 0.0f && std::fabs(gap) < 0.03f)
        return true;  // standing on it
    if (v.y > 0.00001f)
        return false;  // rising through it from below
    if (-0.00001f < v.y && v.y < 0.00001f && std::fabs(gap) > 0.01f)
        return false;  // neither falling nor at the top
    if (v.x == 0.0f && v.y < -10.0f
        && (characterRight <= platformCorner.x + 0.01f || platformRight <= corner.x + 0.01f))
        return false;  // falling straight down beside it
    if (gap >= 0.0f || v.y >= 0.0f)
        return true;
    // The bottom is already below the top: trace back to where it crossed the top's height, and
    // refuse a character that came from beyond either end.
    const float sinceCrossing = gap / v.y;
    const float leftAtCrossing = corner.x - v.x * sinceCrossing;
    if (v.x < 0.0f && leftAtCrossing > platformRight + 2.0f)
        return false;
    if (v.x > 0.0f && platformCorner.x > leftAtCrossing + characterWidth + 2.0f)
        return false;
    return true;
}

bool cContactFilter::ShouldCollideCharacters(const cPhysicsBody* a, const cPhysicsBody* b) const
{
    const b2Vec2 va = a->GetLinearVelocity();
    const b2Vec2 vb = b->GetLinearVelocity();
    if (va.y > 0.00001f || vb.y > 0.00001f)
        return false;
    if (!ShouldCollideWithPlatform(a, b->GetOwner()) && !ShouldCollideWithPlatform(b, a->GetOwner()))
        return false;
    const bool aIsUpper = a->GetPosition().y >= b->GetPosition().y;
    const cPhysicsBody* upper = aIsUpper ? a : b;
    const cPhysicsBody* lower = aIsUpper ? b : a;
    if (std::fabs(va.x) > 0.0f && std::fabs(vb.x) > 0.0f)
        return false;  // two characters walking pass through each other
    const float gap = std::fabs(upper->GetPosition().y - (lower->GetPosition().y + lower->GetHeight()));
    if (upper->GetLinearVelocity().y < -0.5f)
        return gap <= 4.5f;
    return gap <= 0.01f;
}
