#pragma once

/// What the frame manager needs of the area it presents: the area draws its world into the
/// world texture, gives the Land-of-Fireflies weight for the background blend and the place of
/// the player that dynamic frames follow, and is held still while a frame-set switch hides it.
/// The area implements it; the manager only borrows the area.
class cFramedArea
{
public:
    virtual ~cFramedArea() = default;

    /// Draws the whole world into the bound 512 x 512 world texture (projection 0..512 on both
    /// axes; world point (x, y) at texture pixel (x, y + 240)), with or without the sky pass and the
    /// background pictures.
    virtual void Draw(bool sky, bool background) = 0;
    /// Outlines of the terrain and sensor bodies, drawn the same way.
    virtual void DrawPhysicsDebug() = 0;
    /// Outlines of the characters' bodies, drawn the same way.
    virtual void DrawPlayerPhysics() = 0;

    /// 0 in day, 1 in the Vadi do Davovodaz, in between during a change.
    virtual float GetDayNightBlend() const = 0;
    /// Whether a player to follow exists; if so its body centre in world units.
    virtual bool GetFocusPlayerCenter(float& x, float& y) const = 0;

    virtual bool IsPaused() const = 0;
    /// Stops the area's tick; pauseScreenShown tells whether the pause screen goes over it.
    virtual void SetPaused(bool pauseScreenShown) = 0;
    virtual void ClearPaused() = 0;
};
