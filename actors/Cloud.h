#pragma once

class cAnimation;

/// A sprite that drifts sideways at a constant speed and comes back in on the other side. Areas
/// draw their clouds in the sky of the world texture; the title screen draws them scaled on the
/// screen. Both animations are borrowed from a shared cloud list.
class cCloud
{
public:
    /// At (x, y) in world units, speed in units per second (negative drifts left), a day and a
    /// Vadi do Davovodaz look (either may be null: nothing is drawn for it), drawn scale times as
    /// large. Starts by day, wrapping at 512.
    cCloud(float x, float y, float speed, cAnimation* dayAnimation, cAnimation* nightAnimation, int scale);

    /// Advances the day animation (only it) and the position by dtMs. Past the wrap limit the
    /// cloud starts again just outside the left edge (minus its scaled width); beyond that edge
    /// it starts again at the wrap limit. Returns 1.
    int Update(int dtMs);
    void SetScale(int s) { scale = s; }
    void SetWrapLimit(int limit) { wrapLimit = limit; }
    void SwitchToLoF() { night = true; }
    void SwitchToDay() { night = false; }

    /// The current look at (x, y) in the world texture, white, opaque, at the cloud's scale.
    void Draw();
    /// The same look on the screen with the given alpha (0 to 255): its bottom at scale × y
    /// window pixels.
    void DrawScaled(int alpha);

    float GetX() const { return x; }
    float GetY() const { return y; }
    bool IsNight() const { return night; }

private:
    cAnimation* Current() const { return night ? nightAnimation : dayAnimation; }
    /// The width of the day look's first frame at the cloud's scale; 0 without a day look.
    float ScaledWidth() const;

    float speed;
    float x, y;
    bool night = false;
    cAnimation* dayAnimation;
    cAnimation* nightAnimation;
    int scale;
    int wrapLimit = 512;
};
