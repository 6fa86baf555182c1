#include "screens/LevelButton.h"

#include "actors/WaterFallSparkle.h"
#include "engine/Animation.h"
#include "engine/SharedAssets.h"
#include "screens/MenuSounds.h"
#include "world/CommonResources.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kColumns = 6;
constexpr int kCell = 32;
constexpr int kSparkles = 30;
/// The first area picture of the icon list; the ring and the badges stand before it.
constexpr int kFirstAreaIcon = 4;
constexpr int kRingIcon = 0;
constexpr int kCompletedIcon = 2;
constexpr int kPerfectIcon = 3;
constexpr int kWhite = 255;
constexpr int kOpaque = 255;
/// The ring's own colour, the menus' check-box lilac.
constexpr int kRingR = 136, kRingG = 118, kRingB = 164;

} // namespace

cLevelButton::cLevelButton() = default;

cLevelButton::~cLevelButton() = default;

void cLevelButton::SetIcon(const std::string& fileName)
{
    icon = kFirstAreaIcon + cCommonResources::GetAreaNumber(fileName);
}

void cLevelButton::SetIndex(int newIndex)
{
    index = newIndex;
    columns = kColumns;
    cellWidth = cellHeight = kCell * scale;
    const int leftMargin = (width - columns * cellWidth) / 2;
    x = (index % columns) * cellWidth + leftMargin;
    y = (height - height / 10) - 55 * (scale + 1) - (index / columns) * cellHeight;
    if (sparkles.empty()) {
        // The box is given unscaled: each sparkle multiplies it by its own scale.
        for (int i = 0; i < kSparkles; ++i) {
            sparkles.push_back(std::make_unique<WaterFallSparkle>(x, y, kCell, kCell));
            sparkles.back()->SetStopped(true);
            sparkles.back()->SetScale(scale);
        }
    }
    for (const std::unique_ptr<WaterFallSparkle>& sparkle : sparkles) {
        sparkle->SetX(x);
        sparkle->SetY(y);
    }
}

void cLevelButton::Resize(int w, int h)
{
    width = w;
    height = h;
    scale = std::max(1, std::min(w / 320, h / 240));
    for (const std::unique_ptr<WaterFallSparkle>& sparkle : sparkles)
        sparkle->SetScale(scale);
    SetIndex(index);
}

void cLevelButton::Update(int dtMs)
{
    for (const std::unique_ptr<WaterFallSparkle>& sparkle : sparkles)
        sparkle->Update(dtMs);
}

void cLevelButton::Draw(bool completed, bool unlocked, bool perfect, int state, int alpha)
{
    if (completed) {
        const int badge = state == LEVEL_IDLE ? kOpaque : alpha;
        DrawIcon(icon, kWhite, kWhite, kWhite, kOpaque);
        DrawSparkles(badge);
        DrawIcon(kCompletedIcon, kWhite, kWhite, kWhite, badge);
        DrawRing(kOpaque);
        if (perfect)
            DrawIcon(kPerfectIcon, kWhite, kWhite, kWhite, badge);
    } else if (unlocked) {
        DrawIcon(icon, kWhite, kWhite, kWhite, kOpaque);
        DrawRing(kOpaque);
    } else {
        DrawIcon(icon, kWhite, kWhite, kWhite, alpha);
        DrawRing(alpha);
        if (state == LEVEL_UNLOCKING)
            DrawSparkles(alpha);
        return;
    }
    if (hovered)
        DrawIcon(kRingIcon, kWhite, kWhite, kWhite, kOpaque);
}

bool cLevelButton::Contains(int px, int py) const
{
    return x < px && px < x + cellWidth && y < py && py < y + cellHeight;
}

void cLevelButton::MouseMove(int px, int py)
{
    const bool wasHovered = hovered;
    hovered = Contains(px, py);
    if (hovered && !wasHovered)
        PlayHoverSound();
}

int cLevelButton::Falloff(int a)
{
    const float f = std::max(0.0f, 1.0f - std::fabs(2.0f * a / 255.0f - 1.0f));
    return static_cast<int>(f * 255.0f);
}

void cLevelButton::DrawIcon(int i, int r, int g, int b, int a) const
{
    if (i >= 0 && i < static_cast<int>(gAreaIcons.size()) && gAreaIcons[i])
        gAreaIcons[i]->DrawScaled(static_cast<float>(x), static_cast<float>(y), scale, r, g, b, a);
}

void cLevelButton::DrawRing(int a) const
{
    DrawIcon(kRingIcon, kRingR, kRingG, kRingB, a);
}

void cLevelButton::DrawSparkles(int alpha) const
{
    const int sparkleAlpha = Falloff(alpha);
    for (const std::unique_ptr<WaterFallSparkle>& sparkle : sparkles)
        sparkle->DrawScaled(sparkleAlpha, scale);
}
