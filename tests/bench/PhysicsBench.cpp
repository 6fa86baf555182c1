// What one step of an area costs: 300 boxes of terrain with 20 characters walking and jumping, once
// through the physics layer with the game's filter and listener, once in bare Box2D 2.4 with the
// bodies the layer would make there (inset boxes, converted damping) and a category filter that
// keeps the characters apart as the game's filter does for walkers. The layer should cost no more
// on top than Box2D's own step.
#include <box2d/box2d.h>

#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/ContactFilter.h"
#include "engine/ContactListener.h"
#include "engine/PhysicsActor.h"
#include "engine/PhysicsBody.h"
#include "platform/physics/Settings.h"
#include "platform/physics/Units.h"
#include "platform/physics/World.h"

namespace {

constexpr int kBoxes = 300;
constexpr int kCharacters = 20;
constexpr float kTile = 16.0f;
constexpr float kCharacterWidth = 11.0f;
constexpr float kCharacterHeight = 15.0f;
constexpr float kWalkSpeed = 60.0f;
constexpr float kJumpSpeed = 150.0f;

/// A ground of 32 tiles and rows of blocks above it, 300 boxes in all; (x, y) is the lower-left corner.
std::vector<b2Vec2> AreaBoxes()
{
    std::vector<b2Vec2> boxes;
    for (int i = 0; i < 32; ++i)
        boxes.emplace_back(i * kTile, -kTile);
    for (int i = 0; static_cast<int>(boxes.size()) < kBoxes; ++i) {
        const int row = 1 + i / 24;
        boxes.emplace_back((i % 24) * 21.0f + (row % 2) * 8.0f, row * 36.0f);
    }
    return boxes;
}

/// Walks one way for two seconds, then the other, and jumps every 30 steps when not falling.
b2Vec2 Steer(int character, int step, const b2Vec2& velocity)
{
    const float direction = ((step / 44 + character) % 2 == 0) ? 1.0f : -1.0f;
    const bool jump = (step + character * 7) % 30 == 0 && velocity.y > -1.0f && velocity.y < 1.0f;
    return b2Vec2(direction * kWalkSpeed, jump ? kJumpSpeed : velocity.y);
}

class cWalker : public cPhysicsActor
{
public:
    cWalker() { SetKind(KIND_CHARACTER); }
    int Update(int) override { return 0; }
};

void BM_LayerStep(benchmark::State& state)
{
    physics::World world;
    cContactListener listener;
    cContactFilter filter;
    world.SetContactListener(&listener);
    world.SetContactFilter(&filter);
    std::vector<std::unique_ptr<cPhysicsBody>> terrain;
    for (const b2Vec2& box : AreaBoxes()) {
        terrain.push_back(std::make_unique<cPhysicsBody>(kTile, kTile, BODY_TERRAIN, 0.0f, 0.5f, nullptr, false));
        terrain.back()->CreateInWorld(&world, box.x, box.y, false);
    }
    std::vector<std::unique_ptr<cWalker>> walkers;
    for (int i = 0; i < kCharacters; ++i) {
        walkers.push_back(std::make_unique<cWalker>());
        walkers.back()->CreatePhysicsBody(kCharacterWidth, kCharacterHeight, BODY_PLATFORM, 1.0f, 0.5f);
        walkers.back()->SetPosition(10.0f + 24.0f * i, 0.0f);
        walkers.back()->AddToWorld(&world);
    }

    int step = 0;
    for (auto _ : state) {
        for (int i = 0; i < kCharacters; ++i) {
            const b2Vec2 v = Steer(i, step, walkers[i]->GetLinearVelocity());
            walkers[i]->SetLinearVelocity(v.x, v.y);
        }
        world.Step(physics::kGameTimeStep, physics::kGameVelocityIterations, physics::kGamePositionIterations);
        ++step;
    }
    walkers.clear();
    for (std::unique_ptr<cPhysicsBody>& body : terrain)
        body->Destroy();
}
BENCHMARK(BM_LayerStep);

void BM_BareBox2DStep(benchmark::State& state)
{
    constexpr float scale = 1.0f / physics::kWorldUnitsPerBoxUnit;
    b2World world(b2Vec2(0.0f, physics::kGameGravityY * scale));
    for (const b2Vec2& box : AreaBoxes()) {
        b2BodyDef bodyDef;
        bodyDef.position.Set((box.x + kTile / 2.0f) * scale, (box.y + kTile / 2.0f) * scale);
        b2PolygonShape shape;
        shape.SetAsBox(kTile / 2.0f * scale - physics::kBoxInset, kTile / 2.0f * scale - physics::kBoxInset);
        b2FixtureDef fixtureDef;
        fixtureDef.shape = &shape;
        fixtureDef.friction = 0.5f;
        fixtureDef.filter.categoryBits = 1;
        fixtureDef.filter.maskBits = 2;
        world.CreateBody(&bodyDef)->CreateFixture(&fixtureDef);
    }
    std::vector<b2Body*> walkers;
    for (int i = 0; i < kCharacters; ++i) {
        b2BodyDef bodyDef;
        bodyDef.type = b2_dynamicBody;
        bodyDef.fixedRotation = true;
        bodyDef.linearDamping = physics::ConvertDamping(1.5f, physics::kGameTimeStep);
        bodyDef.position.Set((10.0f + 24.0f * i + kCharacterWidth / 2.0f) * scale, kCharacterHeight / 2.0f * scale);
        b2PolygonShape shape;
        shape.SetAsBox(kCharacterWidth / 2.0f * scale - physics::kBoxInset,
                       kCharacterHeight / 2.0f * scale - physics::kBoxInset);
        b2FixtureDef fixtureDef;
        fixtureDef.shape = &shape;
        fixtureDef.density = 1.0f;
        fixtureDef.friction = 0.5f;
        fixtureDef.filter.categoryBits = 2;
        fixtureDef.filter.maskBits = 1;
        walkers.push_back(world.CreateBody(&bodyDef));
        walkers.back()->CreateFixture(&fixtureDef);
    }

    int step = 0;
    for (auto _ : state) {
        for (int i = 0; i < kCharacters; ++i)
            walkers[i]->SetLinearVelocity(scale * Steer(i, step, (1.0f / scale) * walkers[i]->GetLinearVelocity()));
        world.Step(physics::kGameTimeStep, physics::kGameVelocityIterations, physics::kGamePositionIterations);
        ++step;
    }
}
BENCHMARK(BM_BareBox2DStep);

}  // namespace
