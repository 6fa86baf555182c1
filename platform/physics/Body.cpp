#include "platform/physics/Body.h"

#include <box2d/b2_body.h>
#include <box2d/b2_fixture.h>
#include <box2d/b2_polygon_shape.h>
#include <box2d/b2_world.h>

#include "platform/physics/PolygonDef.h"
#include "platform/physics/Shape.h"
#include "platform/physics/Units.h"
#include "platform/physics/World.h"

namespace physics {

Body::Body(World* world, float linearDamping) : m_world(world), m_linearDamping(linearDamping)
{
}

Body::~Body()
{
    while (m_shapes) {
        Shape* next = m_shapes->m_next;
        delete m_shapes;
        m_shapes = next;
    }
}

Shape* Body::CreateShape(const PolygonDef& def)
{
    if (m_world->IsLocked() || m_dying)
        return nullptr;
    const float hx = b2Max(ToBox(def.halfSize.x) - kBoxInset, kMinBoxHalfExtent);
    const float hy = b2Max(ToBox(def.halfSize.y) - kBoxInset, kMinBoxHalfExtent);
    b2PolygonShape box;
    box.SetAsBox(hx, hy);

    b2FixtureDef fixtureDef;
    fixtureDef.shape = &box;
    // Box2D weighs the inset box; the density makes up for it, so the mass is the game's number.
    fixtureDef.density = def.density * (def.halfSize.x * def.halfSize.y) / (hx * hy);
    fixtureDef.friction = def.friction;
    fixtureDef.restitution = def.restitution;
    fixtureDef.isSensor = def.isSensor;
    b2Fixture* fixture = m_body->CreateFixture(&fixtureDef);

    m_shapes = new Shape(this, fixture, m_shapes);
    fixture->GetUserData().pointer = reinterpret_cast<uintptr_t>(m_shapes);
    if (!m_frozen && !m_world->IsInBox(*m_body, m_body->GetPosition())) {
        m_world->Freeze(*this);
        m_world->DeliverEvents();
    }
    if (!m_frozen)
        m_world->WakeBodiesTouching(fixture);
    return m_shapes;
}

void Body::SetMassFromShapes()
{
    if (m_world->IsLocked() || m_dying)
        return;
    bool hasDensity = false;
    for (const b2Fixture* fixture = m_body->GetFixtureList(); fixture; fixture = fixture->GetNext())
        hasDensity = hasDensity || fixture->GetDensity() > 0.0f;
    if (!hasDensity)
        return;
    if (m_body->GetType() == b2_dynamicBody) {
        m_body->ResetMassData();
        return;
    }
    m_body->SetType(b2_dynamicBody);
    m_world->m_moving.push_back(m_body);
}

b2Vec2 Body::GetPosition() const
{
    return ToWorld(m_body->GetPosition());
}

float Body::GetAngle() const
{
    return m_body->GetAngle();
}

void Body::SetXForm(const b2Vec2& position, float angle)
{
    if (m_world->IsLocked() || m_dying || m_frozen)
        return;
    m_body->SetTransform(ToBox(position), angle);
    if (!m_world->IsInBox(*m_body, m_body->GetPosition())) {
        m_world->Freeze(*this);
        m_world->DeliverEvents();
        return;
    }
    // Box2D 2.4 moves a body without waking anything; a body put down by hand must be noticed by
    // whatever it now touches, sleeping or not.
    m_body->SetAwake(true);
    for (const b2Fixture* fixture = m_body->GetFixtureList(); fixture; fixture = fixture->GetNext())
        m_world->WakeBodiesTouching(fixture);
}

b2Vec2 Body::GetLinearVelocity() const
{
    return ToWorld(m_body->GetLinearVelocity());
}

void Body::SetLinearVelocity(const b2Vec2& velocity)
{
    m_body->SetLinearVelocity(ToBox(velocity));
}

void Body::ApplyImpulse(const b2Vec2& impulse, const b2Vec2& point)
{
    m_body->ApplyLinearImpulse(ToBox(impulse), ToBox(point), true);
}

float Body::GetMass() const
{
    return m_body->GetMass();
}

bool Body::IsBullet() const
{
    return m_body->IsBullet();
}

bool Body::IsSleeping() const
{
    return m_body->GetType() == b2_dynamicBody && !m_body->IsAwake();
}

}  // namespace physics
