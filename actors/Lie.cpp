#include "actors/Lie.h"

#include "engine/Animation.h"
#include "engine/PhysicsBody.h"
#include "engine/SharedAssets.h"

namespace {

constexpr float kBodySize = 16.0f;

} // namespace

cLie::cLie(physics::World* world, float x, float y)
{
    SetKind(KIND_NEVER_COLLIDES);
    CreatePhysicsBody(kBodySize, kBodySize, BODY_SENSOR, 0.0f, 0.0f);
    physicsBody->CreateInWorld(world, x, y, false);
    if (!gLieAnims.empty() && gLieAnims.front())
        animation = std::make_unique<cAnimation>(*gLieAnims.front());
}

cLie::~cLie() = default;

int cLie::Update(int dtMs)
{
    if (animation)
        animation->Update(static_cast<unsigned>(dtMs));
    return 0;
}

void cLie::Draw()
{
    if (!animation)
        return;
    const b2Vec2 corner = GetPosition();
    animation->Draw(corner.x, corner.y, 255, 255, 255, 255, 1);
}
