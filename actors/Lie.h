#pragma once

#include "engine/PhysicsActor.h"

#include <memory>

namespace physics {
class World;
}
class cAnimation;

/// The lie: a small violet imp an area may hold one of. It plays the first of the shared lie
/// animations where its body stands and touches nothing (kind 12).
class cLie : public cPhysicsActor
{
public:
    /// A 16 x 16 sensor body in world with its lower-left corner at (x, y), showing its own copy of
    /// the shared idle animation (none while the shared list is empty).
    cLie(physics::World* world, float x, float y);
    ~cLie() override;

    /// Advances the animation; returns 0.
    int Update(int dtMs) override;
    /// The animation at the body's position, white, opaque.
    void Draw();

    const cAnimation* GetAnimation() const { return animation.get(); }

private:
    std::unique_ptr<cAnimation> animation;
};
