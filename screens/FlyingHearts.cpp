#include "screens/FlyingHearts.h"

#include "actors/Heart.h"
#include "engine/ContactFilter.h"
#include "engine/ContactListener.h"
#include "platform/physics/World.h"

namespace {

constexpr float kStartX = 550.0f;
constexpr float kStartY = 300.0f;
constexpr float kTargetX = -20.0f;
constexpr float kTargetY = 120.0f;

} // namespace

cFlyingHearts::cFlyingHearts(int pinkCount, int greenCount)
    : contactListener(std::make_unique<cContactListener>()),
      contactFilter(std::make_unique<cContactFilter>()),
      world(std::make_unique<physics::World>())
{
    world->SetContactListener(contactListener.get());
    world->SetContactFilter(contactFilter.get());
    for (int i = 0; i < pinkCount; ++i)
        pinkHearts.push_back(std::make_unique<cHeart>(world.get(), kStartX, kStartY, kTargetX, kTargetY, 1, true));
    for (int i = 0; i < greenCount; ++i)
        greenHearts.push_back(std::make_unique<cHeart>(world.get(), kStartX, kStartY, kTargetX, kTargetY, -1, true));
}

cFlyingHearts::~cFlyingHearts() = default;

void cFlyingHearts::Update(int dtMs)
{
    for (auto* list : {&pinkHearts, &greenHearts})
        for (const std::unique_ptr<cHeart>& heart : *list)
            if (heart->Update(dtMs) == HEART_ARRIVED)
                heart->DestroyBody();
}

void cFlyingHearts::Draw(int scale) const
{
    for (const auto* list : {&pinkHearts, &greenHearts})
        for (const std::unique_ptr<cHeart>& heart : *list) {
            const b2Vec2 at = heart->GetPosition();
            heart->DrawScaled(at.x * scale, at.y * scale, static_cast<float>(scale), 1.0f);
        }
}
