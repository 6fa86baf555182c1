#include "actors/Cloud.h"

#include "engine/Animation.h"

namespace {

/// Animations draw into the world texture, whose row 0 lies 240 units below world y 0.
constexpr int kWorldToTextureY = 240;

} // namespace

cCloud::cCloud(float px, float py, float unitsPerSecond, cAnimation* day, cAnimation* lof, int s)
    : speed(unitsPerSecond), x(px), y(py), dayAnimation(day), nightAnimation(lof), scale(s)
{
}

float cCloud::ScaledWidth() const
{
    return dayAnimation ? dayAnimation->GetFrameWidth(0) * static_cast<float>(scale) : 0.0f;
}

int cCloud::Update(int dtMs)
{
    if (dayAnimation)
        dayAnimation->Update(static_cast<unsigned>(dtMs));
    // In floats: a whole-second division would leave every cloud standing at 20 ms ticks.
    x += dtMs / 1000.0f * speed;
    if (x > static_cast<float>(wrapLimit))
        x = -ScaledWidth();
    if (x < -ScaledWidth())
        x = static_cast<float>(wrapLimit);
    return 1;
}

void cCloud::Draw()
{
    if (cAnimation* look = Current())
        look->Draw(x, y, 255, 255, 255, 255, scale);
}

void cCloud::DrawScaled(int alpha)
{
    if (cAnimation* look = Current())
        look->Draw(x, static_cast<float>(static_cast<int>(static_cast<float>(scale) * y) - kWorldToTextureY), 255,
                   255, 255, alpha, scale);
}
