#include "actors/WaterArea.h"

#include "actors/PlayerChar.h"
#include "engine/Animation.h"
#include "engine/Drawing.h"
#include "engine/PhysicsBody.h"
#include "engine/SharedAssets.h"

#include <cstdio>

namespace {

/// The splash stands this far left of the diver and reaches this far above the surface.
constexpr float kSplashLeft = 5.0f;
constexpr float kSplashAbove = 3.0f;
/// The surface line.
constexpr float kSurfaceGray = 230.0f;
constexpr float kSurfaceAlpha = 120.0f;
/// Drawing functions work in world-texture pixels: world y plus this.
constexpr float kTextureRowOffset = 240.0f;

} // namespace

WaterArea::WaterArea(int x, int y, int w, int h, int red, int green, int blue, int alpha)
    : width(w), height(h), r(red), g(green), b(blue), a(alpha),
      corner(static_cast<float>(x), static_cast<float>(y))
{
    if (w > 0 && h > kSafeDepth) {
        CreatePhysicsBody(static_cast<float>(w), static_cast<float>(h - kSafeDepth), BODY_DEADLY_2, 0.0f, 0.0f);
        physicsBody->SetPosition(corner.x, corner.y);
    } else {
        std::printf("\n ERROR: water at (%d, %d) of %d x %d is too small to drown in; it gets no body \n\n", x, y,
                    w, h);
    }
    for (int i = 0; i < kCharacters; ++i) {
        splashPoints[i].SetZero();
        if (!gAirBubbles.empty() && gAirBubbles.front()) {
            splashes[i] = std::make_unique<cAnimation>(*gAirBubbles.front());
            // Nobody has dived in yet: a splash only shows once someone does.
            splashes[i]->Reset(false);
        }
    }
}

WaterArea::~WaterArea() = default;

void WaterArea::SetColor(int red, int green, int blue, int alpha)
{
    r = red;
    g = green;
    b = blue;
    a = alpha;
}

int WaterArea::Update(int dtMs)
{
    for (auto& splash : splashes) {
        if (splash)
            splash->Update(static_cast<unsigned>(dtMs));
    }
    return 1;
}

void WaterArea::OnContactAdd(cPhysicsBody* other, const physics::ContactPoint*)
{
    cPhysicsActor* owner = other ? other->GetOwner() : nullptr;
    if (!owner || owner->GetKind() != KIND_CHARACTER)
        return;
    const auto* character = dynamic_cast<const cPlayerChar*>(owner);
    const int id = character ? character->GetId() : -1;
    if (id < 0 || id >= kCharacters || !splashes[id])
        return;
    splashPoints[id] = owner->GetPosition();
    splashes[id]->Reset(true);
}

void WaterArea::Draw()
{
    const float top = corner.y + static_cast<float>(height);
    for (int i = 0; i < kCharacters; ++i) {
        cAnimation* splash = splashes[i].get();
        if (!splash)
            continue;
        // Wherever the diver was, the splash stands on the surface.
        splash->Draw(splashPoints[i].x - kSplashLeft, top - splash->GetFrameHeight(0) + kSplashAbove, 255, 255, 255,
                     255, 1);
        if (splash->IsFinished())
            splash->SetVisible(false);
    }
    const float w = static_cast<float>(width);
    DrawFilledRect(corner.x, corner.y + kTextureRowOffset, w, static_cast<float>(height), static_cast<float>(r),
                   static_cast<float>(g), static_cast<float>(b), static_cast<float>(a));
    DrawFilledRect(corner.x, top + kTextureRowOffset - 1.0f, w, 1.0f, kSurfaceGray, kSurfaceGray, kSurfaceGray,
                   kSurfaceAlpha);
}

void WaterArea::DrawOutline()
{
    DebugDraw(255.0f, 255.0f, 255.0f);
}

const cAnimation* WaterArea::GetSplash(int id) const
{
    return id >= 0 && id < kCharacters ? splashes[id].get() : nullptr;
}

b2Vec2 WaterArea::GetSplashPoint(int id) const
{
    return id >= 0 && id < kCharacters ? splashPoints[id] : b2Vec2(0.0f, 0.0f);
}
