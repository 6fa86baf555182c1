#pragma once

#include <memory>

class cAnimation;

/// One glint on falling water: it plays the shared sparkle once at a random point of its box,
/// waits a random pause and shows again somewhere else. Areas scatter them over waterfalls in
/// world units; the area-selection buttons draw them on the screen.
class WaterFallSparkle
{
public:
    /// A box of w x h from (x, y), at a random point of it and a random frame of its own copy of
    /// the shared glint (none while the glint is not loaded: then it never shows). The box must
    /// not be empty.
    WaterFallSparkle(int x, int y, int w, int h);
    virtual ~WaterFallSparkle();
    WaterFallSparkle(const WaterFallSparkle&) = delete;
    WaterFallSparkle& operator=(const WaterFallSparkle&) = delete;

    /// Plays the glint; once it has finished, counts its pause down and, when the pause has run
    /// out (at once while stopped), shows again at a new random point after a pause of 200 to
    /// 599 ms.
    void Update(int dtMs);
    /// The glint at its point in the world texture, white, opaque; nothing between glints.
    void Draw();
    /// The glint at its point on the screen, whole-number scale, with that alpha (0 to 255).
    void DrawScaled(int alpha, int scale);

    /// Multiplies the box (not the drawing): the screen buttons' box grows with the window.
    void SetScale(int s) { scale = s; }
    /// A new origin on that axis; the point on that axis is drawn again within the box.
    void SetX(int x);
    void SetY(int y);
    /// While on, a finished glint shows again at once, with no pause.
    void SetStopped(bool on) { continuous = on; }

    int GetX() const { return x; }
    int GetY() const { return y; }
    int GetPause() const { return pause; }
    const cAnimation* GetAnimation() const { return animation.get(); }

private:
    void Respawn();
    int RandomX() const;
    int RandomY() const;

    int originX, originY;
    int width, height;
    std::unique_ptr<cAnimation> animation;
    int pause = 0;
    int x = 0, y = 0;
    int pauseRange = 400;
    int minPause = 200;
    int scale = 1;
    bool continuous = false;
};
