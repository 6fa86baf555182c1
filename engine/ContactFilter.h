#pragma once

#include "platform/physics/ContactFilter.h"

class cPhysicsActor;
class cPhysicsBody;

/// The game's collision rules, built around the characters (owners of kind 1): everything that is not
/// a character collides only with characters; one-way platforms (types 2 and 5) are passed from
/// below; types 4, 5 and 6 depend on the characters' pass-through test; characters stand on each
/// other only under tight conditions; kind 12 touches nothing.
///
/// Judged once per pair when their boxes first touch; the answer holds until they part. Reads bodies
/// only. Set on the world right after it is made; owned by the world's owner, deleted after the world.
class cContactFilter : public physics::ContactFilter
{
public:
    bool ShouldCollide(physics::Shape* shape1, physics::Shape* shape2) override;
    /// The rules that depend only on the owners: missing bodies, kind 12, two non-characters.
    bool CanEverCollide(physics::Shape* shape1, physics::Shape* shape2) override;

    /// Whether a character may land on the one-way platform: standing on it, or falling onto it
    /// from above within its ends (traced back to where its bottom crossed the platform's top).
    bool ShouldCollideWithPlatform(const cPhysicsBody* platform, const cPhysicsActor* character) const;
    /// Whether one character may stand on the other: neither rising nor both moving sideways, and
    /// the upper one's bottom within 4.5 units of the lower one's top while falling faster than 0.5
    /// units/s, else within 0.01.
    bool ShouldCollideCharacters(const cPhysicsBody* a, const cPhysicsBody* b) const;

private:
    bool ShouldCollideBodies(const cPhysicsBody* a, const cPhysicsBody* b) const;
};
