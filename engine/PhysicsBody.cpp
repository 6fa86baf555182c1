#include "engine/PhysicsBody.h"

#include <cmath>

#include "engine/Drawing.h"
#include "engine/PhysicsActor.h"
#include "engine/XmlAttributes.h"
#include "platform/physics/Body.h"
#include "platform/physics/BodyDef.h"
#include "platform/physics/PolygonDef.h"
#include "platform/physics/Shape.h"
#include "platform/physics/World.h"

namespace {

/// Every body of the game loses this much of its speed per second (1/s).
constexpr float kLinearDamping = 1.5f;

/// World point (x, y) lies at pixel (x, y + 240) of the world texture.
constexpr float kWorldToTextureY = 240.0f;

}  // namespace

sBodyAttributes sBodyAttributes::Read(const QXmlStreamAttributes& attributes, bool decimalSize)
{
    sBodyAttributes body;
    if (decimalSize) {
        body.width = FloatAttributeWithin(attributes, "w", 0.0f, 0.0f, kMaxSize);
        body.height = FloatAttributeWithin(attributes, "h", 0.0f, 0.0f, kMaxSize);
    } else {
        body.width = static_cast<float>(IntAttributeWithin(attributes, "w", 0, 0, kMaxSize));
        body.height = static_cast<float>(IntAttributeWithin(attributes, "h", 0, 0, kMaxSize));
    }
    body.density = FloatAttributeWithin(attributes, "density", 0.0f, 0.0f, kMaxDensity);
    body.friction = FloatAttributeWithin(attributes, "friction", 0.0f, 0.0f, kMaxFriction);
    return body;
}

cPhysicsBody::cPhysicsBody(float w, float h, int bodyType, float bodyDensity, float bodyFriction,
                           cPhysicsActor* bodyOwner, bool quakeMark)
    : width(w), height(h), density(bodyDensity), friction(bodyFriction), type(bodyType), addAfterQuake(quakeMark),
      owner(bodyOwner)
{
}

cPhysicsBody::~cPhysicsBody() = default;

void cPhysicsBody::CreateInWorld(physics::World* newWorld, float x, float y, bool bullet)
{
    if (body)
        Destroy();

    physics::BodyDef bodyDef;
    bodyDef.position.Set(x + HalfWidth(), y + HalfHeight());
    bodyDef.linearDamping = kLinearDamping;
    bodyDef.allowSleep = type != BODY_BAT_KING_ONLY && type != BODY_BAT_KING_PLATFORM;
    // No body of the game ever turns.
    bodyDef.fixedRotation = true;
    bodyDef.bullet = bullet;
    body = newWorld->CreateBody(bodyDef);
    if (!body) {
        // The world refuses while it steps; stay out of it, at the asked place.
        storedPosition.Set(x, y);
        return;
    }
    world = newWorld;
    body->SetUserData(this);

    physics::PolygonDef shapeDef;
    shapeDef.SetAsBox(HalfWidth(), HalfHeight());
    shapeDef.density = density;
    shapeDef.friction = friction;
    shapeDef.restitution = 0.0f;
    shapeDef.isSensor = type == BODY_SENSOR;
    body->CreateShape(shapeDef);
    if (density > 0.0f)
        body->SetMassFromShapes();
}

void cPhysicsBody::CreateAtStoredPos(physics::World* newWorld, bool bullet)
{
    CreateInWorld(newWorld, storedPosition.x, storedPosition.y, bullet);
}

int cPhysicsBody::Destroy()
{
    storedPosition = GetPosition();
    if (!world || !body)
        return 1;
    world->DestroyBody(body);
    world = nullptr;
    body = nullptr;
    return 0;
}

void cPhysicsBody::SetType(int newType)
{
    if (newType != BODY_SENSOR && type != BODY_SENSOR)
        return;
    if (body) {
        for (physics::Shape* shape = body->GetShapeList(); shape; shape = shape->GetNext())
            shape->SetSensor(newType == BODY_SENSOR);
    }
    type = newType;
}

b2Vec2 cPhysicsBody::GetPosition() const
{
    if (!body)
        return storedPosition;
    return body->GetPosition() - b2Vec2(HalfWidth(), HalfHeight());
}

b2Vec2 cPhysicsBody::GetCenter() const
{
    if (!body)
        return storedPosition + b2Vec2(HalfWidth(), HalfHeight());
    return body->GetPosition();
}

void cPhysicsBody::SetPosition(float x, float y)
{
    storedPosition.Set(x, y);
    if (body)
        body->SetXForm(b2Vec2(x + HalfWidth(), y + HalfHeight()), 0.0f);
}

void cPhysicsBody::SetCenter(float cx, float cy)
{
    storedPosition.Set(cx - HalfWidth(), cy - HalfHeight());
    if (body)
        body->SetXForm(b2Vec2(cx, cy), 0.0f);
}

b2Vec2 cPhysicsBody::GetLinearVelocity() const
{
    return body ? body->GetLinearVelocity() : b2Vec2(0.0f, 0.0f);
}

void cPhysicsBody::SetLinearVelocity(float vx, float vy)
{
    if (body)
        body->SetLinearVelocity(b2Vec2(vx, vy));
}

void cPhysicsBody::ApplyImpulse(float ix, float iy)
{
    // At the centre, so the push never turns the body.
    if (body)
        body->ApplyImpulse(b2Vec2(ix, iy), body->GetPosition());
}

float cPhysicsBody::GetMass() const
{
    return body ? body->GetMass() : 0.0f;
}

void cPhysicsBody::SetActive(bool newActive, physics::World* newWorld)
{
    if (type != BODY_BAT_SWITCHED) {
        if (!newActive && IsInWorld())
            Destroy();
        else if (newActive && !IsInWorld())
            CreateAtStoredPos(newWorld, true);  // re-activated bodies are bullets
    }
    active = newActive;
}

bool cPhysicsBody::IsNear(float x, float y, float margin) const
{
    const b2Vec2 center = GetCenter();
    return std::fabs(y - center.y) < height / 2.0f + margin && std::fabs(x - center.x) < width / 2.0f + margin;
}

void cPhysicsBody::DebugDraw(float r, float g, float b) const
{
    const b2Vec2 corner = GetPosition();
    const float y = corner.y + kWorldToTextureY;
    DrawRectOutline(corner.x, y, width, height, r, g, b, 255.0f);
    if (type == BODY_DEADLY)
        DrawFilledRect(corner.x + 1.0f, y + 1.0f, width - 2.0f, height - 2.0f, 255.0f, 0.0f, 0.0f, 70.0f);
    else if (type == BODY_DEADLY_2)
        DrawFilledRect(corner.x + 1.0f, y + 1.0f, width - 2.0f, height - 2.0f, 255.0f, 0.0f, 128.0f, 70.0f);
}

cPhysicsBody* cPhysicsBody::FromShape(const physics::Shape* shape)
{
    return static_cast<cPhysicsBody*>(shape->GetBody()->GetUserData());
}

void cPhysicsBody::DispatchContactAdd(cPhysicsBody* other, const physics::ContactPoint* point)
{
    if (owner)
        owner->OnContactAdd(other, point);
}

void cPhysicsBody::DispatchContactPersist(cPhysicsBody* other, const physics::ContactPoint* point)
{
    if (owner)
        owner->OnContactPersist(other, point);
}

void cPhysicsBody::DispatchContactRemove(cPhysicsBody* other)
{
    if (owner)
        owner->OnContactRemove(other);
}

int BodyTypeFromFile(int fileType)
{
    switch (fileType) {
    case 1:
        return BODY_PLATFORM;
    case 2:
        return BODY_DEADLY;
    case 3:
        return BODY_BAT_KING_ONLY;
    case 4:
        return BODY_BAT_KING_PLATFORM;
    case 5:
        return BODY_BAT_SWITCHED;
    case 6:
        return BODY_DEADLY_2;
    case 7:
        return BODY_SENSOR;
    default:
        return BODY_TERRAIN;
    }
}
