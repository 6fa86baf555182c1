#pragma once

#include <vector>

#include "platform/physics/Body.h"
#include "platform/physics/BodyDef.h"
#include "platform/physics/ContactFilter.h"
#include "platform/physics/ContactListener.h"
#include "platform/physics/ContactPoint.h"
#include "platform/physics/PolygonDef.h"
#include "platform/physics/Shape.h"
#include "platform/physics/Settings.h"
#include "platform/physics/World.h"

namespace testing_physics {

struct BoxOptions
{
    float density = 0.0f;
    bool sensor = false;
    float damping = 1.5f;
    bool fixedRotation = true;
    bool allowSleep = true;
    bool bullet = false;
};

/// A w × h box with its lower-left corner at (x, y), in world units.
inline physics::Body* AddBox(physics::World& world, float x, float y, float w, float h,
                             const BoxOptions& options = BoxOptions())
{
    physics::BodyDef bodyDef;
    bodyDef.position.Set(x + w / 2.0f, y + h / 2.0f);
    bodyDef.linearDamping = options.damping;
    bodyDef.fixedRotation = options.fixedRotation;
    bodyDef.allowSleep = options.allowSleep;
    bodyDef.bullet = options.bullet;
    physics::Body* body = world.CreateBody(bodyDef);
    physics::PolygonDef shapeDef;
    shapeDef.SetAsBox(w / 2.0f, h / 2.0f);
    shapeDef.density = options.density;
    shapeDef.isSensor = options.sensor;
    body->CreateShape(shapeDef);
    body->SetMassFromShapes();
    return body;
}

inline physics::Body* AddDynamicBox(physics::World& world, float x, float y, float w, float h)
{
    BoxOptions options;
    options.density = 1.0f;
    return AddBox(world, x, y, w, h, options);
}

inline void StepGame(physics::World& world, int steps = 1)
{
    for (int i = 0; i < steps; ++i)
        world.Step(physics::kGameTimeStep, physics::kGameVelocityIterations, physics::kGamePositionIterations);
}

/// Remembers every point told, in order.
class RecordingListener : public physics::ContactListener
{
public:
    enum Kind { Added, Persisted, Removed };
    struct Told
    {
        Kind kind;
        physics::ContactPoint point;
    };

    void Add(const physics::ContactPoint* point) override { told.push_back({Added, *point}); }
    void Persist(const physics::ContactPoint* point) override { told.push_back({Persisted, *point}); }
    void Remove(const physics::ContactPoint* point) override { told.push_back({Removed, *point}); }

    int Count(Kind kind) const
    {
        int count = 0;
        for (const Told& t : told)
            count += t.kind == kind ? 1 : 0;
        return count;
    }
    bool Involves(const Told& t, const physics::Body* body) const
    {
        return t.point.shape1->GetBody() == body || t.point.shape2->GetBody() == body;
    }

    std::vector<Told> told;
};

}  // namespace testing_physics
