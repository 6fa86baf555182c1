#pragma once

#include "engine/PhysicsActor.h"

#include <memory>
#include <vector>

class cAnimation;

/// What a heart's `Update` reports.
enum eHeartResult
{
    HEART_IDLE = 0,       ///< hovering, spent, or arrived before
    HEART_ARRIVED = 1,    ///< reached its target this tick (once)
    HEART_LAST_STRETCH = 2,///< on the last stretch: its exit should open its mouth
    HEART_TRAVELLING = 3,
};

/// A collectable heart: a small sensor that hovers on a circle round its anchor until a character
/// touches it, then flies along a random curve to its target and reports its arrival, where the
/// exit eats it. A value below 0 makes a green heart, any other a pink one. The area's hearts fly
/// to exit 0; emitter boxes send theirs to receiver boxes; the interlude and the area selection
/// draw them scaled on the screen.
///
/// Positions in world units; the flight advances a fixed amount per `Update`, not per ms (six
/// updates from one curve point to the next), the hovering by the time given. The picture is one
/// of the shared common animations, borrowed.
class cHeart : public cPhysicsActor
{
public:
    /// The most a heart of an area file is worth, or takes away: the shipped hearts are worth 1 or
    /// -1, and the sums of an area's hearts stay far within an int.
    static constexpr int kMaxValue = 100;

    /// A heart of value whose 11 × 10 sensor has its lower-left corner at (x, y), flying to the
    /// target (truncated to whole units); with travelNow it sets off at once, else it hovers.
    cHeart(physics::World* world, float x, float y, float targetX, float targetY, int value, bool travelNow);
    ~cHeart() override;

    /// A character touching a hovering heart picks it up: its sound, and off it flies.
    void OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point) override;
    /// One tick (`eHeartResult`): hovering moves the heart round its circle by dtMs; flying moves
    /// it one step along its curve.
    int Update(int dtMs) override;

    int GetValue() const { return value; }
    bool IsTravelling() const { return travelling; }
    bool IsVisible() const { return visible; }
    /// The points of the flight path; empty when the heart is not on its way.
    const std::vector<b2Vec2>& GetCurve() const;
    /// The point it flies to.
    b2Vec2 GetTarget() const;

    /// A new target (truncated to whole units) and a new flight there from where the heart is.
    void SetTarget(float x, float y, bool longEnds);
    /// A new random flight path from the heart's centre to its target, started from its
    /// beginning. With longEnds the heart rests a moment at the start and longer at the end, as
    /// emitter hearts do.
    void BuildCurve(bool longEnds);
    /// The heart is spent: invisible, without body and without flight.
    void DestroyBody();

    /// The picture at the heart's place in the world texture.
    void Draw();
    /// The same with alpha (0 to 1) times opaque.
    void DrawAlpha(float alpha);
    /// The picture on the screen at (x, y) in window pixels, scale (truncated) times as large.
    void DrawScaled(float x, float y, float scale, float alpha);

private:
    /// One tick on the circle round the anchor.
    void Hover(int dtMs);
    /// One step along the curve; the result of `Update`.
    int Fly();
    /// The shared picture of this heart's colour; null when the shared list lacks it.
    cAnimation* Picture() const;

    int value;
    int targetX;
    int targetY;
    b2Vec2 hoverOffset{0.0f, 0.0f};
    /// Where on its circle the heart starts, in radians.
    float phase;
    /// Seconds spent hovering.
    float hoverTime = 0.0f;
    bool travelling = false;
    /// Steps taken from curve point segmentIndex towards the next one.
    int segmentStep = 0;
    std::unique_ptr<std::vector<b2Vec2>> curve;
    unsigned int segmentIndex = 0;
    bool visible = true;
    /// An arrived heart stays where it is: it neither hovers nor can be picked up again.
    bool arrived = false;
    /// The centre of the sensor where it was made; the circle lies relative to it.
    b2Vec2 anchor;
};
