#pragma once

#include <memory>
#include <vector>

#include "platform/physics/ContactTracker.h"
#include "platform/physics/WorldDef.h"

class b2Body;
class b2World;
class b2Fixture;

namespace physics {

class Body;
class ContactFilter;
class ContactListener;
struct BodyDef;

/// A world of boxes that behaves as the Box2D 2.0 series did, over Box2D 2.4: world units
/// throughout, speeds limited to `kMaxSpeed`, 2.0 damping, boxes that rest edge to edge, a filter
/// judged once per touch, Add / Persist / Remove for every contact point (sensors included)
/// after each step, and bodies frozen outside the world's box (`WorldDef::box`).
///
/// The world owns its bodies. Destroying the world destroys the bodies left in it without telling
/// anybody: destroy their owners first.
class World
{
public:
    explicit World(const WorldDef& def = WorldDef());
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    /// Makes a static body without shapes, owned by the world. Null while the world steps.
    Body* CreateBody(const BodyDef& def);

    /// Takes a body out with its shapes. Every point it had is told as `Remove` first (from inside
    /// this call), so the other bodies' owners learn it is gone. Called while the world steps or tells
    /// its points, the body is taken out once that is over. The pointer is invalid afterwards.
    void DestroyBody(Body* body);

    /// Not owned; null to unset. See `ContactListener` and `ContactFilter` for when they are called.
    void SetContactListener(ContactListener* listener) { m_listener = listener; }
    void SetContactFilter(ContactFilter* filter) { m_tracker.SetFilter(filter); }

    /// Advances the world by timeStep seconds, then tells the listener every contact point. Refused
    /// from inside a listener or filter.
    void Step(float timeStep, int velocityIterations, int positionIterations);

    /// True while Box2D solves a step (the filter runs then); changes to the world are refused.
    bool IsLocked() const;

    /// Bodies in the world, those waiting to be taken out included.
    int GetBodyCount() const;

private:
    friend class Body;

    void LimitSpeeds();
    /// Freezes each moving body whose box lay outside the world's box at both ends of the step;
    /// m_stepStarts holds where each of m_moving started it.
    void FreezeBodiesLeftOutside();
    /// Whether every shape of body, swept from its origin at from (Box2D units) to where it is now,
    /// overlaps the world's box.
    bool IsInBox(const b2Body& body, const b2Vec2& from) const;
    /// Stops body for good, takes it out of every contact and tells its points as `Remove`
    /// (queued; the caller delivers them).
    void Freeze(Body& body);
    /// Queues a `Remove` for every point of body told so far; its points still waiting to be told
    /// as new are dropped instead.
    void ForgetPoints(const Body& body);
    void ConvertDampingFor(float timeStep);
    void WakeBodiesTouching(const b2Fixture* fixture);
    void DeliverEvents();

    std::unique_ptr<b2World> m_world;
    /// The world's box, in Box2D length units.
    b2AABB m_box;
    /// The dynamic bodies: the few that move among many static ones.
    std::vector<b2Body*> m_moving;
    /// Where each of m_moving stood as the step began, in Box2D length units.
    std::vector<b2Vec2> m_stepStarts;
    ContactTracker m_tracker;
    ContactListener* m_listener = nullptr;
    std::vector<ContactEvent> m_events;
    /// The next event to tell while telling them.
    size_t m_nextEvent = 0;
    std::vector<Body*> m_doomed;
    bool m_delivering = false;
    /// The step length the bodies' damping was last converted for, in seconds.
    float m_dampingStep = kGameTimeStep;
};

}  // namespace physics
