#include "engine/FileBody.h"

void cFileBody::Keep(const sBodyAttributes& box, int type, float x, float y)
{
    kept = sKept{box, type, b2Vec2(x, y)};
}

std::unique_ptr<cPhysicsBody> cFileBody::Make(physics::World* world, cPhysicsActor* owner) const
{
    if (!kept)
        return nullptr;
    const sBodyAttributes& box = kept->box;
    auto body = std::make_unique<cPhysicsBody>(box.width, box.height, kept->type, box.density, box.friction, owner,
                                               false);
    if (world)
        body->CreateInWorld(world, kept->corner.x, kept->corner.y, true);
    else
        body->SetPosition(kept->corner.x, kept->corner.y);
    return body;
}
