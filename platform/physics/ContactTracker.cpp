#include "platform/physics/ContactTracker.h"

#include <box2d/b2_collision.h>
#include <box2d/b2_contact.h>
#include <box2d/b2_fixture.h>
#include <box2d/b2_polygon_shape.h>
#include <box2d/b2_world.h>

#include <cmath>
#include <functional>
#include <utility>

#include "platform/physics/Body.h"
#include "platform/physics/ContactFilter.h"
#include "platform/physics/Shape.h"
#include "platform/physics/Units.h"

namespace physics {

namespace {

Shape* ShapeOf(b2Fixture* fixture)
{
    return reinterpret_cast<Shape*>(fixture->GetUserData().pointer);
}

/// How far a moving box's bottom may lie below a still box's top and still count as level with
/// it, in Box2D length units: resting boxes sink one b2_linearSlop into each other, and the
/// lowest step an area builds, one world unit, is many times as high.
constexpr float kLevelTolerance = 2.0f * b2_linearSlop;

b2AABB BoundsOf(b2Fixture* fixture)
{
    b2AABB bounds;
    fixture->GetShape()->ComputeAABB(&bounds, fixture->GetBody()->GetTransform(), 0);
    return bounds;
}

/// A box sliding along the top of one still box meets the next one, laid level beside it, at its
/// side first; Box2D then pushes it back from that side, and a character walking over a floor
/// of two boxes stops dead at the joint. Only a box whose bottom lies level with or above the
/// other's top is let through, so a step of any real height still stops it.
bool MeetsSideOfLevelBox(b2Contact* contact)
{
    b2Fixture* moving = contact->GetFixtureA();
    b2Fixture* still = contact->GetFixtureB();
    if (moving->GetBody()->GetType() == b2_staticBody)
        std::swap(moving, still);
    if (moving->GetBody()->GetType() != b2_dynamicBody || still->GetBody()->GetType() != b2_staticBody)
        return false;
    b2WorldManifold manifold;
    contact->GetWorldManifold(&manifold);
    if (std::fabs(manifold.normal.x) <= std::fabs(manifold.normal.y))
        return false;
    return BoundsOf(moving).lowerBound.y >= BoundsOf(still).upperBound.y - kLevelTolerance;
}

}  // namespace

bool ContactEvent::Involves(const Body* body) const
{
    return point.shape1->GetBody() == body || point.shape2->GetBody() == body;
}

bool ContactEvent::IsSamePoint(const ContactEvent& other) const
{
    const bool sameOrder = point.shape1 == other.point.shape1 && point.shape2 == other.point.shape2;
    const bool swapped = point.shape1 == other.point.shape2 && point.shape2 == other.point.shape1;
    return id == other.id && (sameOrder || swapped);
}

bool ContactTracker::IsDying(const Shape* shape)
{
    return shape->GetBody()->m_dying;
}

size_t ContactTracker::KeyHash::operator()(const Key& key) const
{
    const size_t low = std::hash<const void*>()(key.low);
    return low ^ (std::hash<const void*>()(key.high) + 0x9e3779b97f4a7c15ull + (low << 6) + (low >> 2));
}

bool ContactTracker::ShouldCollide(b2Fixture* fixtureA, b2Fixture* fixtureB)
{
    return !m_filter || m_filter->CanEverCollide(ShapeOf(fixtureA), ShapeOf(fixtureB));
}

ContactTracker::Pair* ContactTracker::Judge(b2Fixture* fixtureA, b2Fixture* fixtureB)
{
    // A body on its way out is past judging: it must leave no pair behind.
    Shape* shapeA = ShapeOf(fixtureA);
    Shape* shapeB = ShapeOf(fixtureB);
    if (IsDying(shapeA) || IsDying(shapeB))
        return nullptr;
    const Key key = shapeA < shapeB ? Key{shapeA, shapeB} : Key{shapeB, shapeA};
    auto found = m_pairs.find(key);
    if (found != m_pairs.end())
        return &found->second;
    Pair& pair = m_pairs[key];
    pair.accepted = !m_filter || m_filter->ShouldCollide(shapeA, shapeB);
    return &pair;
}

void ContactTracker::PreSolve(b2Contact* contact, const b2Manifold* /*oldManifold*/)
{
    const Pair* pair = Judge(contact->GetFixtureA(), contact->GetFixtureB());
    // Box2D enables every contact again before each update, so the answer is applied every step.
    contact->SetEnabled(pair && pair->accepted && !MeetsSideOfLevelBox(contact));
}

void ContactTracker::Collect(b2World& world, std::vector<ContactEvent>& events)
{
    ++m_collectCount;
    for (b2Contact* contact = world.GetContactList(); contact; contact = contact->GetNext()) {
        b2Fixture* fixtureA = contact->GetFixtureA();
        b2Fixture* fixtureB = contact->GetFixtureB();
        b2Manifold manifold;
        if (fixtureA->IsSensor() || fixtureB->IsSensor()) {
            // Box2D gives sensors no points, and does not look at contacts whose bodies all sleep
            // or stand still: collide them here, every step.
            b2CollidePolygons(&manifold, &ShapeOf(fixtureA)->Polygon(), fixtureA->GetBody()->GetTransform(),
                              &ShapeOf(fixtureB)->Polygon(), fixtureB->GetBody()->GetTransform());
        } else if (contact->IsTouching()) {
            manifold = *contact->GetManifold();
        } else {
            continue;
        }
        if (manifold.pointCount == 0)
            continue;
        Pair* pair = Judge(fixtureA, fixtureB);
        if (!pair)
            continue;
        pair->seenInCollect = m_collectCount;
        if (pair->accepted)
            Report(*pair, fixtureA, fixtureB, manifold, events);
    }
    for (auto it = m_pairs.begin(); it != m_pairs.end();) {
        if (it->second.seenInCollect == m_collectCount) {
            ++it;
            continue;
        }
        RemoveAll(it->second, events);
        it = m_pairs.erase(it);
    }
}

void ContactTracker::Report(Pair& pair, b2Fixture* fixtureA, b2Fixture* fixtureB, const b2Manifold& manifold,
                            std::vector<ContactEvent>& events)
{
    b2WorldManifold worldManifold;
    worldManifold.Initialize(&manifold, fixtureA->GetBody()->GetTransform(), fixtureA->GetShape()->m_radius,
                             fixtureB->GetBody()->GetTransform(), fixtureB->GetShape()->m_radius);
    Pair previous = pair;
    pair.pointCount = manifold.pointCount;
    for (int i = 0; i < manifold.pointCount; ++i) {
        ContactPoint& point = pair.points[i];
        point.shape1 = ShapeOf(fixtureA);
        point.shape2 = ShapeOf(fixtureB);
        point.position = ToWorld(worldManifold.points[i]);
        // Box2D's normal points from A to B; the point is told to A.
        point.normal = -worldManifold.normal;
        point.separation = BoxGapToWorld(worldManifold.separations[i]);
        pair.ids[i] = manifold.points[i].id.key;

        ContactEvent::Kind kind = ContactEvent::Kind::Add;
        for (int j = 0; j < previous.pointCount; ++j) {
            if (previous.ids[j] == pair.ids[i]) {
                kind = ContactEvent::Kind::Persist;
                previous.ids[j] = previous.ids[--previous.pointCount];
                previous.points[j] = previous.points[previous.pointCount];
                break;
            }
        }
        events.push_back({kind, point, pair.ids[i]});
    }
    RemoveAll(previous, events);
}

void ContactTracker::RemoveAll(const Pair& pair, std::vector<ContactEvent>& events)
{
    for (int i = 0; i < pair.pointCount; ++i)
        events.push_back({ContactEvent::Kind::Remove, pair.points[i], pair.ids[i]});
}

void ContactTracker::Forget(const Body& body, std::vector<ContactEvent>& events)
{
    for (auto it = m_pairs.begin(); it != m_pairs.end();) {
        if (it->first.low->GetBody() != &body && it->first.high->GetBody() != &body) {
            ++it;
            continue;
        }
        RemoveAll(it->second, events);
        it = m_pairs.erase(it);
    }
}

}  // namespace physics
