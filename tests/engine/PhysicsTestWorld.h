#pragma once

// A game world for the physics tests of engine/: the layer's world with the game's contact listener
// and filter, terrain without owners and actors that record what they hear.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/ContactFilter.h"
#include "engine/ContactListener.h"
#include "engine/PhysicsActor.h"
#include "engine/PhysicsBody.h"
#include "platform/physics/ContactPoint.h"
#include "platform/physics/Settings.h"
#include "platform/physics/World.h"

/// An actor that records every contact it hears and, when asked from a handler, leaves the world in
/// its next update.
class cRecordingActor : public cPhysicsActor
{
public:
    enum What { Added, Persisted, Removed };
    struct Heard
    {
        What what;
        cPhysicsBody* other;
        physics::ContactPoint point;
        int order;
    };

    explicit cRecordingActor(int kind, bool batKing = false) : batKing(batKing) { SetKind(kind); }

    int Update(int) override
    {
        if (leaveRequested)
            RemoveFromWorld();
        leaveRequested = false;
        return 0;
    }
    void OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point) override
    {
        Hear(Added, other, point);
        leaveRequested = leaveRequested || leaveOnContact;
    }
    void OnContactPersist(cPhysicsBody* other, const physics::ContactPoint* point) override
    {
        Hear(Persisted, other, point);
    }
    void OnContactRemove(cPhysicsBody* other) override { Hear(Removed, other, nullptr); }
    bool IsBatKing() const override { return batKing; }

    int Count(What what, const cPhysicsBody* other = nullptr) const
    {
        int count = 0;
        for (const Heard& h : heard)
            count += h.what == what && (!other || h.other == other) ? 1 : 0;
        return count;
    }
    float Bottom() const { return GetPosition().y; }
    float Top() const { return GetPosition().y + physicsBody->GetHeight(); }

    std::vector<Heard> heard;
    bool batKing;
    bool leaveOnContact = false;
    bool leaveRequested = false;

private:
    void Hear(What what, cPhysicsBody* other, const physics::ContactPoint* point)
    {
        static int told = 0;
        heard.push_back({what, other, point ? *point : physics::ContactPoint(), told++});
    }
};

class PhysicsTestWorld : public ::testing::Test
{
protected:
    PhysicsTestWorld()
    {
        world.SetContactListener(&listener);
        world.SetContactFilter(&filter);
    }
    ~PhysicsTestWorld() override
    {
        actors.clear();
        for (std::unique_ptr<cPhysicsBody>& body : terrain)
            body->Destroy();
    }

    /// Ownerless terrain with its lower-left corner at (x, y).
    cPhysicsBody* AddTerrain(float x, float y, float w, float h, int type = BODY_TERRAIN)
    {
        terrain.push_back(std::make_unique<cPhysicsBody>(w, h, type, 0.0f, 0.5f, nullptr, false));
        terrain.back()->CreateInWorld(&world, x, y, false);
        return terrain.back().get();
    }

    cRecordingActor* AddActor(int kind, float x, float y, float w, float h, int type, float density,
                              bool batKing = false)
    {
        actors.push_back(std::make_unique<cRecordingActor>(kind, batKing));
        cRecordingActor* actor = actors.back().get();
        actor->CreatePhysicsBody(w, h, type, density, 0.5f);
        actor->GetPhysicsBody()->SetPosition(x, y);
        actor->AddToWorld(&world);
        return actor;
    }

    /// An 11 × 15 character, a one-way platform for the others as the game's characters are.
    cRecordingActor* AddCharacter(float x, float y, bool batKing = false)
    {
        return AddActor(KIND_CHARACTER, x, y, 11.0f, 15.0f, BODY_PLATFORM, 1.0f, batKing);
    }

    void Step(int steps = 1)
    {
        for (int i = 0; i < steps; ++i)
            world.Step(physics::kGameTimeStep, physics::kGameVelocityIterations, physics::kGamePositionIterations);
    }

    physics::World world;
    cContactListener listener;
    cContactFilter filter;
    std::vector<std::unique_ptr<cPhysicsBody>> terrain;
    std::vector<std::unique_ptr<cRecordingActor>> actors;
};
