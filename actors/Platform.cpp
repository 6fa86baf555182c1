#include "actors/Platform.h"

#include "engine/Animation.h"
#include "engine/SharedAssets.h"

namespace {

constexpr int kWoodenDay = 5;
constexpr int kWoodenNight = 9;
constexpr int kMushroomDay = 12;
constexpr int kMushroomNight = 13;
constexpr float kFriction = 0.5f;

} // namespace

Platform::Platform(int w, int h, int lookType)
    : cPhysicsBody(static_cast<float>(w), static_cast<float>(h), BODY_PLATFORM, 0.0f, kFriction, nullptr, false),
      type(lookType)
{
}

int Platform::CommonAnimIndex() const
{
    switch (type) {
    case WOODEN:
        return night ? kWoodenNight : kWoodenDay;
    case MUSHROOM:
        return night ? kMushroomNight : kMushroomDay;
    default:
        return kWoodenNight;
    }
}

void Platform::Draw()
{
    cAnimation* look = CommonAnim(CommonAnimIndex());
    if (!look)
        return;
    const b2Vec2 corner = GetPosition();
    look->Draw(corner.x, corner.y, 255, 255, 255, 255, 1);
}
