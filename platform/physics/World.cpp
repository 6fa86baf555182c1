#include "platform/physics/World.h"

#include <box2d/b2_body.h>
#include <box2d/b2_fixture.h>
#include <box2d/b2_world.h>

#include <algorithm>

#include "platform/physics/Body.h"
#include "platform/physics/BodyDef.h"
#include "platform/physics/ContactListener.h"
#include "platform/physics/Shape.h"
#include "platform/physics/Units.h"

namespace physics {

namespace {

class WakeCallback final : public b2QueryCallback
{
public:
    bool ReportFixture(b2Fixture* fixture) override
    {
        fixture->GetBody()->SetAwake(true);
        return true;
    }
};

/// The game's box of a shape at a transform, in Box2D units: Box2D's bounds of the inset polygon,
/// which take in its radius too, drawn back to the box the game made.
b2AABB GameBounds(const b2Fixture& fixture, const b2Transform& transform)
{
    b2AABB bounds;
    fixture.GetShape()->ComputeAABB(&bounds, transform, 0);
    const float excess = b2_polygonRadius - kBoxInset;
    bounds.lowerBound += b2Vec2(excess, excess);
    bounds.upperBound -= b2Vec2(excess, excess);
    return bounds;
}

}  // namespace

World::World(const WorldDef& def)
    : m_world(std::make_unique<b2World>(ToBox(def.gravity))), m_box{ToBox(def.box.lowerBound), ToBox(def.box.upperBound)}
{
    m_world->SetAllowSleeping(def.allowSleep);
    m_world->SetContactFilter(&m_tracker);
    m_world->SetContactListener(&m_tracker);
}

World::~World()
{
    // The Box2D bodies go with the Box2D world, telling nobody; the layer's halves go here.
    for (b2Body* body = m_world->GetBodyList(); body; body = body->GetNext())
        delete reinterpret_cast<Body*>(body->GetUserData().pointer);
}

Body* World::CreateBody(const BodyDef& def)
{
    if (IsLocked())
        return nullptr;
    Body* body = new Body(this, def.linearDamping);
    b2BodyDef boxDef;
    boxDef.type = b2_staticBody;
    boxDef.position = ToBox(def.position);
    boxDef.linearDamping = ConvertDamping(def.linearDamping, m_dampingStep);
    boxDef.allowSleep = def.allowSleep;
    boxDef.fixedRotation = def.fixedRotation;
    boxDef.bullet = def.bullet;
    boxDef.userData.pointer = reinterpret_cast<uintptr_t>(body);
    body->m_body = m_world->CreateBody(&boxDef);
    return body;
}

void World::DestroyBody(Body* body)
{
    if (!body || body->m_dying)
        return;
    body->m_dying = true;
    ForgetPoints(*body);
    m_doomed.push_back(body);
    if (!IsLocked())
        DeliverEvents();
}

void World::ForgetPoints(const Body& body)
{
    std::vector<ContactEvent> removes;
    m_tracker.Forget(body, removes);
    // Points of this body still waiting to be told as new were never told: nothing to remove.
    for (size_t i = m_nextEvent; i < m_events.size(); ++i) {
        if (m_events[i].kind != ContactEvent::Kind::Add || !m_events[i].Involves(&body))
            continue;
        const auto told = std::find_if(removes.begin(), removes.end(),
                                       [&](const ContactEvent& remove) { return remove.IsSamePoint(m_events[i]); });
        if (told != removes.end())
            removes.erase(told);
    }
    m_events.insert(m_events.end(), removes.begin(), removes.end());
}

void World::Freeze(Body& body)
{
    body.m_frozen = true;
    body.m_body->SetLinearVelocity(b2Vec2_zero);
    // Out of the broad phase, as the 2.0 series took a frozen body's proxies away: no contact is left
    // and none is made.
    body.m_body->SetEnabled(false);
    ForgetPoints(body);
}

void World::Step(float timeStep, int velocityIterations, int positionIterations)
{
    if (IsLocked() || m_delivering)
        return;
    ConvertDampingFor(timeStep);
    // The 2.0 series clamped the velocity before moving the bodies; clamping here keeps the step's
    // motion within the limit, and clamping again after it keeps what the game reads within it.
    LimitSpeeds();
    m_stepStarts.clear();
    for (const b2Body* body : m_moving)
        m_stepStarts.push_back(body->GetPosition());
    m_world->Step(timeStep, velocityIterations, positionIterations);
    LimitSpeeds();
    FreezeBodiesLeftOutside();
    m_tracker.Collect(*m_world, m_events);
    DeliverEvents();
}

bool World::IsLocked() const
{
    return m_world->IsLocked();
}

int World::GetBodyCount() const
{
    return m_world->GetBodyCount();
}

void World::LimitSpeeds()
{
    const float limit = ToBox(kMaxSpeed);
    for (b2Body* body : m_moving) {
        const b2Vec2 velocity = body->GetLinearVelocity();
        if (velocity.LengthSquared() > limit * limit)
            body->SetLinearVelocity((limit / velocity.Length()) * velocity);
    }
}

void World::FreezeBodiesLeftOutside()
{
    for (size_t i = 0; i < m_moving.size(); ++i) {
        Body* body = reinterpret_cast<Body*>(m_moving[i]->GetUserData().pointer);
        if (!body->m_frozen && !IsInBox(*m_moving[i], m_stepStarts[i]))
            Freeze(*body);
    }
}

bool World::IsInBox(const b2Body& body, const b2Vec2& from) const
{
    const b2Transform to = body.GetTransform();
    const b2Transform start(from, to.q);
    for (const b2Fixture* fixture = body.GetFixtureList(); fixture; fixture = fixture->GetNext()) {
        b2AABB swept;
        swept.Combine(GameBounds(*fixture, start), GameBounds(*fixture, to));
        // As the 2.0 series judged it: a box only touching the edge is out.
        const b2Vec2 d = b2Max(swept.lowerBound - m_box.upperBound, m_box.lowerBound - swept.upperBound);
        if (b2Max(d.x, d.y) >= 0.0f)
            return false;
    }
    return true;
}

void World::ConvertDampingFor(float timeStep)
{
    if (timeStep == m_dampingStep)
        return;
    m_dampingStep = timeStep;
    for (b2Body* body = m_world->GetBodyList(); body; body = body->GetNext()) {
        const Body* owner = reinterpret_cast<const Body*>(body->GetUserData().pointer);
        body->SetLinearDamping(ConvertDamping(owner->m_linearDamping, timeStep));
    }
}

void World::WakeBodiesTouching(const b2Fixture* fixture)
{
    WakeCallback wake;
    m_world->QueryAABB(&wake, fixture->GetAABB(0));
}

void World::DeliverEvents()
{
    if (m_delivering)
        return;
    m_delivering = true;
    // Handlers may destroy bodies, which appends to the list: index, and copy each event out.
    for (m_nextEvent = 0; m_nextEvent < m_events.size();) {
        const ContactEvent event = m_events[m_nextEvent++];
        if (!m_listener)
            continue;
        const bool gone = event.point.shape1->GetBody()->m_dying || event.point.shape2->GetBody()->m_dying;
        switch (event.kind) {
        case ContactEvent::Kind::Add:
            if (!gone)
                m_listener->Add(&event.point);
            break;
        case ContactEvent::Kind::Persist:
            if (!gone)
                m_listener->Persist(&event.point);
            break;
        case ContactEvent::Kind::Remove:
            m_listener->Remove(&event.point);
            break;
        }
    }
    m_events.clear();
    m_nextEvent = 0;
    m_delivering = false;
    for (Body* body : m_doomed) {
        m_moving.erase(std::remove(m_moving.begin(), m_moving.end(), body->m_body), m_moving.end());
        m_world->DestroyBody(body->m_body);
        delete body;
    }
    m_doomed.clear();
}

}  // namespace physics
