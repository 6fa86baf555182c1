#include "actors/Star.h"

#include "engine/Drawing.h"

#include <algorithm>
#include <cmath>

namespace {

/// Elapsed time between two alpha steps, in ms: with 20 ms ticks every third tick.
constexpr int kStepMs = 51;
constexpr float kMaxAlpha = 255.0f;

} // namespace

Star::Star(int px, int py, int startAlpha, float step, float sizeFactor)
    : x(px), y(py), alpha(static_cast<float>(startAlpha)), alphaStep(step), size(sizeFactor)
{
}

int Star::Update(int dtMs)
{
    timer += dtMs;
    if (timer >= kStepMs) {
        timer = 0;
        StepAlpha();
    }
    return 0;
}

void Star::StepAlpha()
{
    // A star twinkles in whole alpha units; the fraction of the step only sets its pace apart.
    if (alphaStep > 0.0f) {
        if (alpha >= kMaxAlpha)
            alphaStep = -alphaStep;
        alpha += std::trunc(alphaStep);
    } else if (alphaStep < 0.0f) {
        if (alpha <= 0.0f)
            alphaStep = -alphaStep;
        alpha += std::trunc(alphaStep);
    }
    alpha = std::clamp(alpha, 0.0f, kMaxAlpha);
}

void Star::Draw(int scale, float alphaFactor) const
{
    BeginFilledRects();
    Square(scale, alphaFactor);
    EndFilledRects();
}

void Star::DrawAll(const std::vector<Star*>& stars, int scale, float alphaFactor)
{
    BeginFilledRects();
    for (const Star* star : stars)
        star->Square(scale, alphaFactor);
    EndFilledRects();
}

void Star::Square(int scale, float alphaFactor) const
{
    const float side = size > 0.0f ? 2.0f * scale * size : 2.0f;
    FilledRect(static_cast<float>(x * scale), static_cast<float>(y * scale), side, side, r, g, b, alpha * alphaFactor);
}
