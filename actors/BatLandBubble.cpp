#include "actors/BatLandBubble.h"

#include "engine/Image.h"
#include "engine/PhysicsBody.h"

#include <cstdlib>
#include <iterator>

namespace {

/// World rows start this far up the world texture.
constexpr float kWorldRow = 240.0f;
constexpr float kAlpha = 0.5f;
/// Beyond this radius three more rectangles round the disc off.
constexpr float kRoundRadius = 12.0f;

/// A rectangle of the disc in units of the radius: left, bottom, width, height from the lower-left
/// corner of the bubble's bounding square.
struct sDiscPart
{
    float left, bottom, width, height;
};

constexpr sDiscPart kDisc[] = {
    {2.0f / 3.0f, 0.0f, 2.0f / 3.0f, 2.0f},
    {0.0f, 2.0f / 3.0f, 2.0f, 2.0f / 3.0f},
    {1.0f / 3.0f, 1.0f / 6.0f, 4.0f / 3.0f, 5.0f / 3.0f},
    {1.0f / 6.0f, 1.0f / 3.0f, 5.0f / 3.0f, 4.0f / 3.0f},
    // large bubbles only
    {0.5f, 1.0f / 12.0f, 1.0f, 11.0f / 6.0f},
    {1.0f / 12.0f, 0.5f, 11.0f / 6.0f, 1.0f},
    {0.25f, 0.25f, 1.5f, 1.5f},
};
constexpr int kSmallDiscParts = 4;

} // namespace

cBatLandBubble::cBatLandBubble(float x, float y, float ox, float oy)
    : center(x + ox, y + oy), offset(ox, oy), largest(DrawLargest())
{
}

float cBatLandBubble::DrawLargest()
{
    return static_cast<float>(std::rand() % 7 + kMinLargest);
}

int cBatLandBubble::Update(bool follow, float cx, float cy)
{
    if (follow)
        center += 0.125f * (b2Vec2(cx, cy) + offset - center);
    radius += growth;
    if (growth > 0.0f && radius >= largest) {
        radius = largest;
        growth = -growth;
    }
    if (growth < 0.0f && radius <= 0.0f) {
        radius = 0.0f;
        if (ending)
            return RESULT_GONE;
        growth = -growth;
        largest = DrawLargest();
    }
    return RESULT_NONE;
}

void cBatLandBubble::EndWith(float speed)
{
    growth = -speed;
    ending = true;
}

bool cBatLandBubble::Contains(const cPhysicsBody* body) const
{
    return body->IsNear(center.x, center.y, radius);
}

void cBatLandBubble::Draw(cImage* picture) const
{
    if (!picture->IsTextured())
        return;
    const float w = static_cast<float>(picture->GetWidthInt());
    const float h = static_cast<float>(picture->GetHeightInt());
    const float r = radius;
    const float x0 = center.x - r;
    const float y0 = center.y - r + kWorldRow;
    const int parts = r > kRoundRadius ? static_cast<int>(std::size(kDisc)) : kSmallDiscParts;
    for (int i = 0; i < parts; ++i) {
        const float left = x0 + kDisc[i].left * r;
        const float bottom = y0 + kDisc[i].bottom * r;
        const float width = kDisc[i].width * r;
        const float height = kDisc[i].height * r;
        picture->DrawQuad(left, bottom, width, height, left / w, bottom / h, (left + width) / w,
                          (bottom + height) / h, 1.0f, 1.0f, 1.0f, kAlpha);
    }
}
