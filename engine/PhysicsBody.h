#pragma once

#include <box2d/b2_math.h>

namespace physics {
class Body;
class Shape;
class World;
struct ContactPoint;
}
class cPhysicsActor;
class QXmlStreamAttributes;

/// How a body takes part in the game's collisions (the contact filter reads it).
enum ePhysicsBodyType
{
    BODY_SENSOR = 0,           ///< detects, never pushes; never reported to other owners
    BODY_TERRAIN = 1,
    BODY_PLATFORM = 2,         ///< one-way platform: passed from below
    BODY_DEADLY = 3,           ///< terrain that kills a character
    BODY_BAT_KING_ONLY = 4,    ///< solid only for a character whose pass-through test holds; never sleeps
    BODY_BAT_KING_PLATFORM = 5,///< one-way platform for such a character only; never sleeps
    BODY_BAT_SWITCHED = 6,     ///< solid for characters only while inactive; stays in the world when deactivated
    BODY_DEADLY_2 = 7,         ///< second killing terrain kind
};

/// The `type` of a `body` element of the area and rock files as an `ePhysicsBodyType`: 1 one-way
/// platform, 2 and 6 killing terrain (3 and 7), 3 and 4 the bat king's bodies (4 and 5), 5 the
/// bubble-switched body (6), 7 sensor (0); 0 and every other value plain terrain (1).
int BodyTypeFromFile(int fileType);

/// The box a `body` element of a data file describes: size in world units, mass per square unit
/// and friction.
struct sBodyAttributes
{
    float width = 0.0f;
    float height = 0.0f;
    float density = 0.0f;
    float friction = 0.0f;

    /// Larger than any area, or heavier or rougher than anything in one; the physics would compute
    /// with infinities beyond them.
    static constexpr int kMaxSize = 10000;
    static constexpr float kMaxDensity = 1000.0f;
    static constexpr float kMaxFriction = 1000.0f;

    /// Reads `w`, `h`, `density` and `friction` (each 0 when absent): the size as whole numbers (a
    /// decimal reads as 0) or, with decimalSize, as decimals. A value that is negative, not finite or
    /// beyond its limit is refused with an "ERROR:" line and reads as 0.
    static sBodyAttributes Read(const QXmlStreamAttributes& attributes, bool decimalSize);
};

/// One axis-aligned box that an actor (or nobody, for terrain) has in the physics. The description
/// (size, type, density, friction) is kept while the box is out of a world, and so is its position:
/// the minimum (lower-left) corner. Every time the box enters a world it gets a new body there.
///
/// Sizes and positions in world units, velocities in world units/s, impulses in mass × world
/// units/s. The body's user data is this object; the owner is reached through it. Call nothing that
/// creates or destroys bodies from a contact filter; contact handlers run after the world's step.
class cPhysicsBody
{
public:
    /// Stores the description; the box is in no world, inactive, at (0, 0). The owner is not owned.
    /// addAfterQuake marks terrain that the first area's script adds later; this class never reads it.
    cPhysicsBody(float w, float h, int type, float density, float friction, cPhysicsActor* owner, bool addAfterQuake);
    /// Leaves the world's body alone: the owner calls `Destroy` first.
    virtual ~cPhysicsBody();
    cPhysicsBody(const cPhysicsBody&) = delete;
    cPhysicsBody& operator=(const cPhysicsBody&) = delete;

    /// Makes a new body in the world with its minimum corner at (x, y) (destroying the old one
    /// first): never rotating, damped by 1.5/s, bullet as asked, dynamic exactly when density > 0,
    /// a sensor exactly for type 0, never sleeping for types 4 and 5.
    void CreateInWorld(physics::World* world, float x, float y, bool bullet);
    /// `CreateInWorld` at the stored corner.
    void CreateAtStoredPos(physics::World* world, bool bullet);
    bool IsInWorld() const { return world != nullptr; }

    /// Stores the current corner and takes the body out of its world (its velocity is forgotten).
    /// Returns 1 when there was nothing to destroy, 0 otherwise.
    int Destroy();

    /// From type 0 to another, the shape stops being a sensor; to type 0 it becomes one; from one
    /// non-zero type to another nothing changes and the type is kept. Contacts are not judged again.
    void SetType(int newType);
    int GetType() const { return type; }

    /// The minimum corner: the body's, or the stored one out of a world.
    b2Vec2 GetPosition() const;
    /// The centre: the body's, or the stored corner plus half the size out of a world.
    b2Vec2 GetCenter() const;
    float GetWidth() const { return width; }
    float GetHeight() const { return height; }
    /// Store the corner (or the corner that gives this centre) and move the body there if in a world.
    void SetPosition(float x, float y);
    void SetCenter(float cx, float cy);

    /// Zero out of a world.
    b2Vec2 GetLinearVelocity() const;
    /// Need a body in a world (callers check); without one they do nothing and `GetMass` gives 0.
    void SetLinearVelocity(float vx, float vy);
    void ApplyImpulse(float ix, float iy);
    float GetMass() const;

    /// Deactivating takes the body out of its world and activating puts it back at the stored corner
    /// as a bullet, except for type 6, which only records the flag and stays in the world.
    void SetActive(bool active, physics::World* world);
    bool IsActive() const { return active; }

    /// Whether (x, y) lies strictly within the box grown by margin on every side.
    bool IsNear(float x, float y, float margin) const;

    /// Outlines the box in the world texture in colour (r, g, b), 0 to 255; killing terrain (types 3
    /// and 7) gets a translucent red or pink inner fill. Needs a current GL context.
    void DebugDraw(float r, float g, float b) const;

    /// Tell the owner, when there is one.
    void DispatchContactAdd(cPhysicsBody* other, const physics::ContactPoint* point);
    void DispatchContactPersist(cPhysicsBody* other, const physics::ContactPoint* point);
    void DispatchContactRemove(cPhysicsBody* other);

    /// The `cPhysicsBody` whose world body holds the shape; null for a body the game did not make.
    static cPhysicsBody* FromShape(const physics::Shape* shape);

    cPhysicsActor* GetOwner() const { return owner; }
    bool IsAddAfterQuake() const { return addAfterQuake; }
    /// The world's body; null out of a world.
    physics::Body* GetBody() const { return body; }

private:
    float HalfWidth() const { return width / 2.0f; }
    float HalfHeight() const { return height / 2.0f; }

    physics::World* world = nullptr;
    physics::Body* body = nullptr;
    float width;
    float height;
    float density;
    float friction;
    bool active = false;
    int type;
    bool addAfterQuake;
    b2Vec2 storedPosition{0.0f, 0.0f};
    cPhysicsActor* owner;
};
