#pragma once

#include "engine/PhysicsBody.h"

#include <memory>
#include <optional>

/// The one body an actor file gives its actor. Every `body` element the reader takes replaces the
/// one before it, and the body is made once, from the last, after the whole file has been read.
/// Making a body for each element and destroying the one before would take time growing with the
/// square of their number: Box2D keeps every new body in a list until the world's next step and
/// searches that list whenever a body is destroyed.
class cFileBody
{
public:
    /// Keeps a box of that description with its lower-left corner at (x, y), in place of any kept
    /// before.
    void Keep(const sBodyAttributes& box, int type, float x, float y);
    /// A body of the description kept last, owned by owner (may be null), made in the world at its
    /// corner as a bullet, or without a world only placed there; null when nothing was kept.
    std::unique_ptr<cPhysicsBody> Make(physics::World* world, cPhysicsActor* owner) const;

private:
    struct sKept
    {
        sBodyAttributes box;
        int type;
        b2Vec2 corner;
    };
    std::optional<sKept> kept;
};
