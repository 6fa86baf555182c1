#pragma once

#include "engine/PhysicsActor.h"

#include <array>
#include <memory>

class cAnimation;

/// A pool: a translucent rectangle with a light surface line, a splash where a character dives in,
/// and a deadly body that starts 20 units below the surface, so that a character sinks that far
/// before it drowns. Kind 0.
///
/// The body is made by the constructor and enters the world through `AddToWorld`. Positions and
/// sizes in world units, colours 0 to 255.
class WaterArea : public cPhysicsActor
{
public:
    /// How far a character sinks before it touches the deadly body.
    static constexpr int kSafeDepth = 20;

    /// A pool of w x h with its lower-left corner at (x, y) in that colour. A pool no deeper than
    /// the safe depth gets no body (an "ERROR:" line says so): it cannot drown anyone.
    WaterArea(int x, int y, int w, int h, int r, int g, int b, int a);
    ~WaterArea() override;

    void SetColor(int r, int g, int b, int a);
    /// Advances the splashes; returns 1.
    int Update(int dtMs) override;
    /// A character (id 0 to 2) touching the body restarts its own splash at its position.
    void OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point) override;

    /// The splashes at the surface, then the water and its surface line; a finished splash hides.
    void Draw();
    /// The body's outline in white.
    void DrawOutline();

    /// The splash of character id; null for another id.
    const cAnimation* GetSplash(int id) const;
    b2Vec2 GetSplashPoint(int id) const;

private:
    static constexpr int kCharacters = 3;

    int width, height;
    int r, g, b, a;
    /// Where the pool's lower-left corner is; the body's corner too, when it has one.
    b2Vec2 corner;
    std::array<std::unique_ptr<cAnimation>, kCharacters> splashes;
    std::array<b2Vec2, kCharacters> splashPoints;
};
