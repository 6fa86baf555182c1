#pragma once

#include "actors/Level0EnterTree.h"

/// The heart tree of the last area, the one exit there: the first area's tree, found again. It eats
/// the pink heart that the antler sets flying, floats down once the family is together so that the
/// antler can step onto the platform at its foot and go in, and then flies away with it.
///
/// Its file is a heart-tree file (root `Level0EnterTree`, the same 40 animations) with a second
/// `body` element that has a position: the platform, `x` and `y` units to the left of and below the
/// tree's corner, a sensor until the area makes it a one-way platform. It never opens or lets
/// anyone out by itself. Positions are world units, speeds units per 20 ms.
class cAreaEndExitTree : public cLevel0EnterTree
{
public:
    /// Reads the file and puts the sensor and the platform into world, the tree at (x, y),
    /// standing still, with its resting face.
    cAreaEndExitTree(const QString& file, physics::World* world, float x, float y, bool activated,
                     const std::string& destination);
    ~cAreaEndExitTree() override;

    /// A character touching the activated tree opens its mouth.
    void OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point) override;
    /// A character leaving drops the request and the mouth chews shut.
    void OnContactRemove(cPhysicsBody* other) override;
    /// While a character stands in the activated tree's mouth (`HitTest`) and someone asked to go
    /// in, it is swallowed; a request that does not find it is dropped.
    void OnContactPersist(cPhysicsBody* other, const physics::ContactPoint* point) override;
    /// Moves towards the target with the tree's indicator and platform, then the mouth's timed
    /// states. Always -1.
    int Update(int dtMs) override;
    /// The score, the heart's sound and the reaction (not while chewing); nobody is let out.
    void EatHeart(int value) override;
    /// A character stands in the mouth: its centre within 6 units of the tree's and its feet 5
    /// units below the tree's corner, within 1.5.
    bool HitTest(cPhysicsActor* actor) override;
    /// The island, then the tree.
    void DrawDay(float weight) override;

    /// Sets off towards (x, y) at speed; the move ends less than a unit short.
    void MoveTo(float x, float y, float speed);
    bool IsMoving() const { return rising; }
    /// A pink heart has been eaten and the mouth is at rest again.
    bool HasEatenHeart() const;
    /// The platform becomes a one-way platform to stand on; nothing without one.
    void MakePlatformSolid();
    /// Outlines of the sensor and the platform in white.
    void DrawDebug();
    /// Null when the file gave none.
    const cPhysicsBody* GetPlatform() const { return platform; }

private:
    /// Reads the platform, then the file again as a heart-tree file; the tree stands at its target.
    bool LoadFromXml(const QString& file, physics::World* world, float x, float y);

    cPhysicsBody* platform = nullptr;
    b2Vec2 target{0.0f, 0.0f};
    float speed = 0.0f;
};
