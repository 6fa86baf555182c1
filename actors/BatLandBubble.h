#pragma once

#include <box2d/b2_math.h>

class cImage;
class cPhysicsBody;

/// One of the circles around the bat-king form through which the bat land shows: it grows and
/// shrinks between 0 and a largest radius that changes each time, drifting after the bat king at
/// its own offset, until it is told to end; then it shrinks away. Per tick, world units.
class cBatLandBubble
{
public:
    static constexpr float kStartRadius = 3.0f;
    /// Radius change per tick while pulsing.
    static constexpr float kGrowth = 0.19f;
    /// Largest radii are drawn from kMinLargest to kMinLargest + 6.
    static constexpr int kMinLargest = 30;

    /// A small bubble centred at (x + ox, y + oy), which keeps the offset (ox, oy) from the bat
    /// king's centre. Draws its first largest radius with rand().
    cBatLandBubble(float x, float y, float ox, float oy);
    virtual ~cBatLandBubble() = default;

    /// What `Update` answers.
    enum eResult
    {
        RESULT_NONE = 0,
        RESULT_GONE = 1, ///< an ending bubble has shrunk to 0: its owner deletes it
    };
    /// One tick: with follow the centre moves an eighth of the way to (cx, cy) plus the offset;
    /// the radius grows or shrinks. An `eResult`.
    int Update(bool follow, float cx, float cy);
    /// Starts shrinking away by speed per tick.
    void EndWith(float speed);
    /// Whether the body's box, grown by the radius on every side, holds the centre: the box and
    /// the bubble's bounding square overlap.
    bool Contains(const cPhysicsBody* body) const;
    /// Seven overlapping rectangles of the picture, half transparent, that together make a rough
    /// disc at the bubble's place in the world texture. The picture lies over the whole world
    /// texture; nothing when it has no texture.
    void Draw(cImage* picture) const;

    float GetRadius() const { return radius; }
    float GetLargestRadius() const { return largest; }
    float GetGrowth() const { return growth; }
    bool IsEnding() const { return ending; }
    b2Vec2 GetCenter() const { return center; }
    b2Vec2 GetOffset() const { return offset; }

private:
    static float DrawLargest();

    b2Vec2 center;
    b2Vec2 offset;
    float radius = kStartRadius;
    float largest;
    float growth = kGrowth;
    bool ending = false;
};
