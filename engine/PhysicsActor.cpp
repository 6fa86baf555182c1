#include "engine/PhysicsActor.h"

#include "engine/PhysicsBody.h"

cPhysicsActor::~cPhysicsActor()
{
    RemoveFromWorld();
    delete physicsBody;
}

void cPhysicsActor::ReplaceBody(std::unique_ptr<cPhysicsBody> body)
{
    if (!body)
        return;
    RemoveFromWorld();
    delete physicsBody;
    physicsBody = body.release();
}

void cPhysicsActor::OnContactAdd(cPhysicsBody*, const physics::ContactPoint*)
{
}

void cPhysicsActor::OnContactRemove(cPhysicsBody*)
{
}

void cPhysicsActor::OnContactPersist(cPhysicsBody*, const physics::ContactPoint*)
{
}

void cPhysicsActor::DebugDraw(float r, float g, float b)
{
    if (HasBody())
        physicsBody->DebugDraw(r, g, b);
}

b2Vec2 cPhysicsActor::GetPosition() const
{
    return physicsBody ? physicsBody->GetPosition() : b2Vec2(0.0f, 0.0f);
}

void cPhysicsActor::SetPosition(float x, float y)
{
    if (physicsBody)
        physicsBody->SetPosition(x, y);
}

b2Vec2 cPhysicsActor::GetCenter() const
{
    return physicsBody ? physicsBody->GetCenter() : b2Vec2(0.0f, 0.0f);
}

float cPhysicsActor::GetHeight() const
{
    return HasBody() ? physicsBody->GetHeight() : 0.0f;
}

float cPhysicsActor::GetWidth() const
{
    return HasBody() ? physicsBody->GetWidth() : 0.0f;
}

b2Vec2 cPhysicsActor::GetLinearVelocity() const
{
    return HasBody() ? physicsBody->GetLinearVelocity() : b2Vec2(0.0f, 0.0f);
}

void cPhysicsActor::SetLinearVelocity(float vx, float vy)
{
    if (HasBody())
        physicsBody->SetLinearVelocity(vx, vy);
}

bool cPhysicsActor::HasBody() const
{
    return physicsBody && physicsBody->IsInWorld();
}

void cPhysicsActor::AddToWorld(physics::World* world)
{
    if (physicsBody)
        physicsBody->CreateAtStoredPos(world, false);
}

bool cPhysicsActor::CreatePhysicsBody(float w, float h, int type, float density, float friction)
{
    if (physicsBody)
        return false;
    physicsBody = new cPhysicsBody(w, h, type, density, friction, this, false);
    return true;
}

void cPhysicsActor::RemoveFromWorld()
{
    if (physicsBody)
        physicsBody->Destroy();
}

bool cPhysicsActor::IsBatKing() const
{
    return false;
}
