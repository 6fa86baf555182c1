#include "actors/StackSensor.h"

#include "actors/PlayerChar.h"
#include "actors/StackBox.h"
#include "engine/Animation.h"
#include "engine/PhysicsBody.h"
#include "engine/SharedAssets.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kSize = 4.0f;
/// The cells lie this far right of the box's corner, the bottom one this far up, one character
/// height apart.
constexpr float kCellX = 5.0f;
constexpr float kBottomCellY = 7.0f;
constexpr float kCellStep = 15.0f;
/// The indicator floats where the next character of the tower belongs.
constexpr float kIndicatorX = -3.0f;
constexpr float kIndicatorY = 9.0f;
/// A character whose centre stays this close to the cell's is jumping inside it, not leaving.
constexpr int kStayX = 6;
constexpr int kStayY = 1;
/// A character is in the cell once it reaches this far into it.
constexpr float kMinOverlap = 0.5f;

cPlayerChar* CharacterOf(const cPhysicsBody* body)
{
    cPhysicsActor* owner = body ? body->GetOwner() : nullptr;
    return owner && owner->GetKind() == KIND_CHARACTER ? dynamic_cast<cPlayerChar*>(owner) : nullptr;
}

} // namespace

StackSensor::StackSensor(cStackBox* owner, physics::World* world, float x, float y, ePosition cell)
    : box(owner), position(cell)
{
    SetKind(KIND_STACK_SENSOR);
    CreatePhysicsBody(kSize, kSize, BODY_SENSOR, 0.0f, 0.0f);
    const float cellY = y + kBottomCellY + kCellStep * static_cast<float>(cell);
    physicsBody->SetPosition(x + kCellX, cellY);
    if (world)
        physicsBody->CreateInWorld(world, x + kCellX, cellY, false);
}

cPlayerChar* StackSensor::GetOccupant() const
{
    return occupant && occupant->HasBody() ? occupant : nullptr;
}

bool StackSensor::ReleaseIfGone()
{
    if (!occupant || occupant->HasBody())
        return false;
    Free();
    return true;
}

void StackSensor::OnContactAdd(cPhysicsBody* other, const physics::ContactPoint*)
{
    Take(other);
}

void StackSensor::OnContactPersist(cPhysicsBody* other, const physics::ContactPoint*)
{
    Take(other);
}

bool StackSensor::Reaches(const cPhysicsBody& body) const
{
    const b2Vec2 cell = GetPosition();
    const b2Vec2 corner = body.GetPosition();
    const float dx = std::min(cell.x + kSize, corner.x + body.GetWidth()) - std::max(cell.x, corner.x);
    const float dy = std::min(cell.y + kSize, corner.y + body.GetHeight()) - std::max(cell.y, corner.y);
    return dx > kMinOverlap && dy > kMinOverlap;
}

void StackSensor::Take(cPhysicsBody* other)
{
    ReleaseIfGone();
    cPlayerChar* character = CharacterOf(other);
    if (!character)
        return;
    // The character below a cell rests with its head on the cell's floor: touching, not inside. One
    // that has slipped down out of the cell that way keeps touching it, and is let go here.
    const bool inside = Reaches(*other);
    if (character == occupant) {
        if (!inside)
            Free();
        return;
    }
    if (occupant || !inside)
        return;
    if (requiredId >= 0 && character->GetId() != requiredId)
        return;
    if (character->GetState() != PLAYER_STAND && character->GetState() != PLAYER_WALK)
        return;
    occupant = character;
    box->Check(character, position);
}

void StackSensor::OnContactRemove(cPhysicsBody* other)
{
    if (occupant && occupant->GetState() == PLAYER_DIE) {
        Free();
        return;
    }
    const cPlayerChar* character = CharacterOf(other);
    const b2Vec2 d = GetCenter() - other->GetCenter();
    if (character && character->IsActive() && std::abs(static_cast<int>(d.y)) < kStayY &&
        std::abs(static_cast<int>(d.x)) < kStayX)
        return;
    // A character moving inside the cell ends some of its points and begins others: it leaves
    // only once it no longer reaches into the cell.
    if (occupant && character && character->GetId() == occupant->GetId() && !Reaches(*other))
        Free();
}

void StackSensor::Free()
{
    occupant = nullptr;
    box->OnSensorFreed();
}

int StackSensor::Update(int dtMs)
{
    if (cAnimation* picture = CommonAnim(indicator))
        picture->Update(static_cast<unsigned>(dtMs));
    return 0;
}

void StackSensor::Draw()
{
    cAnimation* picture = CommonAnim(indicator);
    if (!GetOccupant() || !picture)
        return;
    const b2Vec2 at = GetPosition();
    picture->DrawF(at.x + kIndicatorX, at.y + kIndicatorY, 255, 255, 255, 255, 1);
}
