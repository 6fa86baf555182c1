#pragma once

#include <vector>

/// A small square of yellowish light whose alpha climbs to 255, falls to 0 and climbs again, one
/// step per 51 ms of elapsed time. Areas, the shared background star field and the menus draw
/// them behind everything else.
class Star
{
public:
    /// At (x, y) in units of the drawing's scale, alpha 0 to 255, alphaStep the change per step
    /// (its sign is the direction; only its whole part is added), size a factor of the side.
    Star(int x, int y, int alpha, float alphaStep, float size);
    virtual ~Star() = default;

    /// Adds dtMs to the timer; once it reaches 51 ms the timer restarts at 0 and the alpha takes
    /// one step, turning round at 0 and 255 and kept within them. Returns 0.
    int Update(int dtMs);
    /// A filled square at (x × scale, y × scale) of side 2 × scale × size (2 when size is 0 or
    /// less) in colour (238, 252, 145) with alpha × alphaFactor.
    void Draw(int scale, float alphaFactor) const;
    /// Draw for every star, in order, as one draw.
    static void DrawAll(const std::vector<Star*>& stars, int scale, float alphaFactor);

    float GetAlpha() const { return alpha; }
    float GetAlphaStep() const { return alphaStep; }
    int GetX() const { return x; }
    int GetY() const { return y; }

private:
    void StepAlpha();
    /// The star's square inside BeginFilledRects and EndFilledRects.
    void Square(int scale, float alphaFactor) const;

    int x, y;
    int r = 238, g = 252, b = 145;
    float alpha;
    int timer = 0;
    float alphaStep;
    float size;
};
