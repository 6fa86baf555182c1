#include "actors/WaterFallSparkle.h"

#include "engine/Animation.h"
#include "engine/SharedAssets.h"

#include <algorithm>
#include <cstdlib>

namespace {

/// rand() % n for a box side that a caller may have left empty: an empty side keeps the origin
/// instead of dividing by zero.
int RandomBelow(int n)
{
    return n > 0 ? std::rand() % n : 0;
}

} // namespace

WaterFallSparkle::WaterFallSparkle(int px, int py, int w, int h)
    : originX(px), originY(py), width(w), height(h)
{
    x = RandomX();
    y = RandomY();
    if (gWaterfallSparkle) {
        animation = std::make_unique<cAnimation>(*gWaterfallSparkle);
        const int frames = animation->GetNumFrames();
        if (frames > 0)
            animation->SetFrame(std::rand() % frames);
    }
}

WaterFallSparkle::~WaterFallSparkle() = default;

int WaterFallSparkle::RandomX() const
{
    return RandomBelow(width * scale) + originX;
}

int WaterFallSparkle::RandomY() const
{
    return RandomBelow(height * scale) + originY;
}

void WaterFallSparkle::Update(int dtMs)
{
    if (!animation)
        return;
    animation->Update(static_cast<unsigned>(std::max(dtMs, 0)));
    if (!animation->IsFinished())
        return;
    pause -= dtMs;
    if (continuous || pause < 0)
        Respawn();
}

void WaterFallSparkle::Respawn()
{
    animation->Reset(true);
    x = RandomX();
    y = RandomY();
    pause = std::rand() % pauseRange + minPause;
}

void WaterFallSparkle::Draw()
{
    if (animation && !animation->IsFinished())
        animation->Draw(static_cast<float>(x), static_cast<float>(y), 255, 255, 255, 255, 1);
}

void WaterFallSparkle::DrawScaled(int alpha, int s)
{
    if (animation && !animation->IsFinished())
        animation->DrawScaled(static_cast<float>(x), static_cast<float>(y), s, 255, 255, 255, alpha);
}

void WaterFallSparkle::SetX(int px)
{
    originX = px;
    x = RandomX();
}

void WaterFallSparkle::SetY(int py)
{
    originY = py;
    y = RandomY();
}
