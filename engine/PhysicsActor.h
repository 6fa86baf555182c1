#pragma once

#include <box2d/b2_math.h>

#include <memory>

#include "engine/Entity.h"

namespace physics {
class World;
struct ContactPoint;
}
class cPhysicsBody;

/// An entity with one box in the physics: it owns one `cPhysicsBody` (none until
/// `CreatePhysicsBody`) and hears the contacts of that body's world.
///
/// Contact handlers run after the world's step; still, they only record what happened: bodies are
/// created, destroyed or moved in the actor's next `Update`, which is where the game expects it.
class cPhysicsActor : public cEntity
{
public:
    cPhysicsActor() = default;
    /// Takes the body out of its world and deletes it.
    ~cPhysicsActor() override;

    /// Another body began to touch this actor's body at a new point. Empty by default.
    virtual void OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point);
    /// A point with the other body ended (also when either body left the world). Empty by default.
    virtual void OnContactRemove(cPhysicsBody* other);
    /// A point with the other body lasts; told every step, also while the bodies sleep. Empty by default.
    virtual void OnContactPersist(cPhysicsBody* other, const physics::ContactPoint* point);
    /// Advances the actor by elapsedMs; the result is an event code its area interprets.
    virtual int Update(int elapsedMs) = 0;

    /// Debug outline of the body in colour (r, g, b), 0 to 255, when it is in a world.
    virtual void DebugDraw(float r, float g, float b);

    /// The body's minimum corner, in world units; (0, 0) without a body.
    virtual b2Vec2 GetPosition() const;
    /// Moves the minimum corner; nothing without a body.
    virtual void SetPosition(float x, float y);
    /// The body's centre; (0, 0) without a body.
    virtual b2Vec2 GetCenter() const;
    /// 0 unless `HasBody`.
    virtual float GetHeight() const;
    virtual float GetWidth() const;
    /// In world units/s; zero unless `HasBody`.
    virtual b2Vec2 GetLinearVelocity() const;
    /// Nothing unless `HasBody`.
    virtual void SetLinearVelocity(float vx, float vy);
    /// A body exists and is in a world.
    virtual bool HasBody() const;
    /// Puts the body (made by `CreatePhysicsBody` before) into the world at its stored corner.
    virtual void AddToWorld(physics::World* world);
    /// Makes the body description (w × h world units, `ePhysicsBodyType`, density in mass per square
    /// world unit, friction); false, keeping the old one, when a body exists already.
    virtual bool CreatePhysicsBody(float w, float h, int type, float density, float friction);
    /// Takes the body out of its world, keeping its description and last corner.
    virtual void RemoveFromWorld();
    /// The pass-through test the contact filter asks of characters against body types 4, 5 and 6:
    /// true only for the bat-king form. False for every other actor.
    virtual bool IsBatKing() const;

    /// The owned body; null before `CreatePhysicsBody`.
    cPhysicsBody* GetPhysicsBody() const { return physicsBody; }

protected:
    /// Takes body (when there is one) in place of the body held, which leaves its world and is deleted.
    void ReplaceBody(std::unique_ptr<cPhysicsBody> body);

    cPhysicsBody* physicsBody = nullptr;
};
