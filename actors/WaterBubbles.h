#pragma once

class cAnimation;

/// Bubbles rising at a fixed point, below a waterfall. They show one of the shared bubble
/// animations (0 small, 1 medium, 2 large) without copying it, so every bubble spot of one size
/// shows, and advances, the same animation.
class WaterBubbles
{
public:
    /// At (x, y) in world units; restarts the shared animation of that size. A size the shared
    /// list lacks is refused with an "ERROR:" line: those bubbles show nothing.
    WaterBubbles(int x, int y, int size);
    virtual ~WaterBubbles() = default;
    WaterBubbles(const WaterBubbles&) = delete;
    WaterBubbles& operator=(const WaterBubbles&) = delete;

    /// Advances the shared animation by dtMs.
    void Update(int dtMs);
    /// The animation at (x, y), white, opaque.
    void Draw();

    const cAnimation* GetAnimation() const { return animation; }

private:
    int x, y;
    cAnimation* animation = nullptr;
};
