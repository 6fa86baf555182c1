#pragma once

// Part of the world (see World.h): keeps the 2.0 series' contact semantics on top of Box2D 2.4.
#include <box2d/b2_world_callbacks.h>

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/physics/ContactPoint.h"

class b2World;
struct b2Manifold;

namespace physics {

class Body;
class ContactFilter;
class Shape;

/// A contact point waiting to be told to the listener.
struct ContactEvent
{
    enum class Kind { Add, Persist, Remove };
    Kind kind;
    ContactPoint point;
    /// Box2D's feature key of the point, unique within its pair of shapes.
    uint32_t id;

    bool Involves(const Body* body) const;
    bool IsSamePoint(const ContactEvent& other) const;
};

/// Holds, per pair of touching shapes, the game filter's answer from first touch until they part,
/// and the points told last step. Box2D asks its own filter whenever boxes come near and again and
/// again; it lets sensors touch without points and skips sleeping bodies. This class answers Box2D
/// with the game filter's early test, applies the held answer to each touching contact before the
/// solver sees it, and after the step turns the touching pairs into Add, Persist and Remove.
class ContactTracker final : public b2ContactFilter, public b2ContactListener
{
public:
    void SetFilter(ContactFilter* filter) { m_filter = filter; }

    /// Box2D's early pair test: the game filter's `CanEverCollide`.
    bool ShouldCollide(b2Fixture* fixtureA, b2Fixture* fixtureB) override;

    /// Judges a solid pair at its first touch and keeps rejected pairs out of the solver.
    void PreSolve(b2Contact* contact, const b2Manifold* oldManifold) override;

    /// After a step: appends the points of every touching pair the filter let through.
    void Collect(b2World& world, std::vector<ContactEvent>& events);

    /// Before a body goes: appends a `Remove` for each of its points and forgets its pairs.
    void Forget(const Body& body, std::vector<ContactEvent>& events);

private:
    struct Pair
    {
        bool accepted = false;
        int pointCount = 0;
        ContactPoint points[b2_maxManifoldPoints];
        uint32_t ids[b2_maxManifoldPoints] = {};
        uint32_t seenInCollect = 0;
    };
    struct Key
    {
        const Shape* low;
        const Shape* high;
        bool operator==(const Key& other) const { return low == other.low && high == other.high; }
    };
    struct KeyHash
    {
        size_t operator()(const Key& key) const;
    };

    Pair* Judge(b2Fixture* fixtureA, b2Fixture* fixtureB);
    void Report(Pair& pair, b2Fixture* fixtureA, b2Fixture* fixtureB, const b2Manifold& manifold,
                std::vector<ContactEvent>& events);
    static void RemoveAll(const Pair& pair, std::vector<ContactEvent>& events);
    static bool IsDying(const Shape* shape);

    ContactFilter* m_filter = nullptr;
    std::unordered_map<Key, Pair, KeyHash> m_pairs;
    uint32_t m_collectCount = 0;
};

}  // namespace physics
