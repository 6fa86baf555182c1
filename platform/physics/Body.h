#pragma once

#include <box2d/b2_math.h>

class b2Body;

namespace physics {

class Shape;
class World;
struct PolygonDef;

/// A rigid body of boxes. Made by `World::CreateBody`, owned by its world; `World::DestroyBody`
/// destroys it with its shapes. Positions are in world units, velocities in world units/s, masses in
/// density × square world units and impulses in mass × world units/s.
///
/// While the world steps (that is, inside a `ContactFilter`), operations that change the world
/// (`CreateShape`, `SetMassFromShapes`, `SetXForm`) are refused and do nothing.
class Body
{
public:
    ~Body();
    Body(const Body&) = delete;
    Body& operator=(const Body&) = delete;

    /// Adds a box. Shapes that start overlapping sleeping bodies wake them, so no contact is missed.
    /// A box made wholly outside the world's box freezes the body. Returns the shape, owned by this
    /// body; null while the world steps.
    Shape* CreateShape(const PolygonDef& def);

    /// Makes the body dynamic with the mass of its shapes when any of them has density; a body without
    /// density stays static and never moves under gravity or impulses.
    void SetMassFromShapes();

    /// The origin (the centre of the boxes), in world units.
    b2Vec2 GetPosition() const;

    /// The angle in radians.
    float GetAngle() const;

    /// Moves the body at once, waking it and every body its shapes now overlap. A move that takes a
    /// box wholly outside the world's box freezes the body there; a frozen body is not moved.
    void SetXForm(const b2Vec2& position, float angle);

    /// In world units/s.
    b2Vec2 GetLinearVelocity() const;
    void SetLinearVelocity(const b2Vec2& velocity);

    /// Changes the velocity by impulse / mass at once and wakes the body; impulse in mass × world
    /// units/s, point in world units. Does nothing to a static body.
    void ApplyImpulse(const b2Vec2& impulse, const b2Vec2& point);

    /// Density × area summed over the shapes; 0 for a static body.
    float GetMass() const;

    /// Whether the body is swept against other moving bodies (see `BodyDef::bullet`).
    bool IsBullet() const;

    /// True while a dynamic body sleeps; a static body never does.
    bool IsSleeping() const;

    /// The first shape, null without shapes; follow `Shape::GetNext`.
    Shape* GetShapeList() const { return m_shapes; }

    /// The caller's pointer for this body; not owned.
    void SetUserData(void* data) { m_userData = data; }
    void* GetUserData() const { return m_userData; }

    World* GetWorld() const { return m_world; }

private:
    friend class World;
    friend class ContactTracker;

    Body(World* world, float linearDamping);

    World* m_world;
    b2Body* m_body = nullptr;
    Shape* m_shapes = nullptr;
    void* m_userData = nullptr;
    /// In the 2.0 series' meaning (1/s); converted whenever the step length changes.
    float m_linearDamping;
    /// Set once `World::DestroyBody` was called; the body then only waits to be taken out.
    bool m_dying = false;
    /// Set once the body was found outside the world's box: it no longer moves or touches anything.
    bool m_frozen = false;
};

}  // namespace physics
