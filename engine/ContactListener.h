#pragma once

#include "platform/physics/ContactListener.h"

/// Hands every contact point of a world to the actors owning the two bodies. Each owner hears of the
/// other body unless that body is a sensor (type 0): a sensor's owner hears of everything touching
/// it, nobody hears of a sensor, an ownerless body hears nothing. The first shape's owner hears
/// first; each owner gets the point told from its own side (normal pointing at its body).
///
/// Set on the world right after it is made; owned by the world's owner, deleted after the world.
class cContactListener : public physics::ContactListener
{
public:
    void Add(const physics::ContactPoint* point) override;
    void Persist(const physics::ContactPoint* point) override;
    void Remove(const physics::ContactPoint* point) override;
};
