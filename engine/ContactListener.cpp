#include "engine/ContactListener.h"

#include "engine/PhysicsBody.h"
#include "platform/physics/ContactPoint.h"

namespace {

/// Calls tell(receiver, other, point) for each side that should hear, the first shape's side first.
template <typename Tell>
void Route(const physics::ContactPoint* point, Tell tell)
{
    cPhysicsBody* first = cPhysicsBody::FromShape(point->shape1);
    cPhysicsBody* second = cPhysicsBody::FromShape(point->shape2);
    // A body the game did not make has nobody to tell and cannot be told about.
    if (!first || !second)
        return;
    if (second->GetType() != BODY_SENSOR)
        tell(first, second, point);
    if (first->GetType() != BODY_SENSOR) {
        const physics::ContactPoint reversed = point->Reversed();
        tell(second, first, &reversed);
    }
}

}  // namespace

void cContactListener::Add(const physics::ContactPoint* point)
{
    Route(point, [](cPhysicsBody* receiver, cPhysicsBody* other, const physics::ContactPoint* told) {
        receiver->DispatchContactAdd(other, told);
    });
}

void cContactListener::Persist(const physics::ContactPoint* point)
{
    Route(point, [](cPhysicsBody* receiver, cPhysicsBody* other, const physics::ContactPoint* told) {
        receiver->DispatchContactPersist(other, told);
    });
}

void cContactListener::Remove(const physics::ContactPoint* point)
{
    Route(point, [](cPhysicsBody* receiver, cPhysicsBody* other, const physics::ContactPoint*) {
        receiver->DispatchContactRemove(other);
    });
}
