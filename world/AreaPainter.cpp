#include "world/AreaPainter.h"

#include "world/Area.h"
#include "world/AreaRoster.h"

#include "actors/AreaEnterTree.h"
#include "actors/AreaExit.h"
#include "actors/BasicPlant.h"
#include "actors/BatKing.h"
#include "actors/Cloud.h"
#include "actors/EmitterBox.h"
#include "actors/FireFly.h"
#include "actors/GlowMushroom.h"
#include "actors/Heart.h"
#include "actors/Lie.h"
#include "actors/Mushroom.h"
#include "actors/NPCFly.h"
#include "actors/InfoTriggerHeartBox.h"
#include "actors/Platform.h"
#include "actors/PlayerChar.h"
#include "actors/StackBoxFrameConfig.h"
#include "actors/Star.h"
#include "actors/WaterArea.h"
#include "actors/WaterBubbles.h"
#include "actors/WaterFallSparkle.h"
#include "engine/Drawing.h"
#include "engine/Image.h"
#include "engine/PhysicsBody.h"

namespace {

/// The world texture's side in world units.
constexpr float kTextureSize = 512.0f;
/// Past this weight the look being faded out is no longer drawn at all.
constexpr float kLookThreshold = 0.01f;
/// Draw-order values below this never reach the list.
constexpr int kLowestDrawOrder = -1000;
constexpr float kPlayerOutline[3] = {226.0f, 0.0f, 116.0f};
constexpr float kInfoBoxOutline = 100.0f;

bool IsSet(const int* rgb)
{
    return rgb[0] >= 0 && rgb[1] >= 0 && rgb[2] >= 0;
}

float Blend(int day, int lof, float w)
{
    return static_cast<float>(day) * (1.0f - w) + static_cast<float>(lof) * w;
}

/// Every tree in its day look, then every tree in its Land-of-Fireflies look.
template <typename Tree>
void DrawBothLooks(const std::vector<Tree*>& trees, bool dayLook, bool lofLook, float w)
{
    if (dayLook) {
        for (Tree* tree : trees)
            tree->DrawDay(1.0f - w);
    }
    if (lofLook) {
        for (Tree* tree : trees)
            tree->DrawLoF(w);
    }
}

/// Each element of the list, in order.
template <typename T>
void DrawEach(const std::vector<T*>& list)
{
    for (T* item : list)
        item->Draw();
}

/// The not yet listed character that goes next; -1 when none is left.
int NextByDrawOrder(const std::vector<cPlayerChar*>& players, const std::vector<bool>& listed, int current,
                    size_t listedCount)
{
    int pick = -1;
    int best = kLowestDrawOrder;
    for (size_t i = 0; i < players.size(); ++i) {
        if (listed[i] || !players[i])
            continue;
        const int value = players[i]->GetDrawOrder();
        const bool tie = pick >= 0 && value == best;
        // Early on the current character lets an equal one go behind it.
        if (value < best || (tie && static_cast<int>(i) == current && listedCount < 2))
            continue;
        pick = static_cast<int>(i);
        best = value;
    }
    return pick;
}

} // namespace

std::vector<int> cAreaPainter::DrawingOrder(const std::vector<cPlayerChar*>& players, int current)
{
    std::vector<int> order;
    std::vector<bool> listed(players.size(), false);
    auto listWhere = [&](auto rule) {
        for (size_t i = 0; i < players.size(); ++i) {
            if (players[i] && rule(*players[i])) {
                order.push_back(static_cast<int>(i));
                listed[i] = true;
            }
        }
    };
    // A fluttering spirit and the characters in the trees' mouths stay behind everyone else.
    listWhere([](const cPlayerChar& c) { return c.GetAnimationIndex() == ANIM_SPECIAL; });
    listWhere([](const cPlayerChar& c) {
        return c.GetState() == PLAYER_ENTER_EXIT || c.GetState() == PLAYER_IN_EXIT;
    });
    for (size_t pass = 0; pass < players.size(); ++pass) {
        const int next = NextByDrawOrder(players, listed, current, order.size());
        if (next < 0)
            break;
        order.push_back(next);
        listed[static_cast<size_t>(next)] = true;
    }
    return order;
}

bool cAreaPainter::DayLook() const
{
    return area.lofWeight < 1.0f - kLookThreshold;
}

bool cAreaPainter::LoFLook() const
{
    return area.lofWeight > kLookThreshold;
}

void cAreaPainter::DrawSky()
{
    const int* first = &area.skyColor[0];
    const int* second = &area.skyColor[3];
    if (IsSet(first)) {
        // Without a colour of its own the Vadi do Davovodaz keeps the day sky.
        const int* lof = IsSet(area.skyLoFColor.data()) ? area.skyLoFColor.data() : first;
        const float w = area.lofWeight;
        const float r = Blend(first[0], lof[0], w);
        const float g = Blend(first[1], lof[1], w);
        const float b = Blend(first[2], lof[2], w);
        // The gradient reaches one unit past every edge so that no texel row stays unpainted.
        if (IsSet(second))
            DrawGradientRect(-1.0f, -1.0f, kTextureSize + 1.0f, kTextureSize + 1.0f, r, g, b,
                             Blend(second[0], lof[0], w), Blend(second[1], lof[1], w), Blend(second[2], lof[2], w),
                             255.0f);
        else
            DrawFilledRect(0.0f, 0.0f, kTextureSize, kTextureSize, r, g, b, 255.0f);
    }
    Star::DrawAll(area.stars, 1, 1.0f);
    for (cCloud* cloud : area.clouds)
        cloud->Draw();
}

void cAreaPainter::Draw(bool sky, bool background)
{
    const float w = area.lofWeight;
    if (sky)
        DrawSky();
    if (background) {
        if (DayLook() && area.dayBackground)
            area.dayBackground->DrawWithAlpha(1.0f - w);
        if (LoFLook() && area.lofBackground)
            area.lofBackground->DrawWithAlpha(w);
    }
    DrawBothLooks(area.enterTrees, DayLook(), LoFLook(), w);
    DrawBothLooks(area.exits, DayLook(), LoFLook(), w);
    DrawEach(area.sparkles);
    DrawEach(area.plantsBack);
    DrawEach(area.mushrooms);
    DrawEach(area.glowMushrooms);
    if (area.batLand)
        DrawBatLand();
    DrawEach(area.stackBoxes);
    DrawEach(area.frameChangers);
    DrawEach(area.emitterBoxes);
    for (Platform* platform : area.platforms)
        platform->Draw();
    DrawPlayers();
    DrawEach(area.plantsFront);
    DrawEach(area.bubbles);
    DrawEach(area.waterAreas);
    DrawEach(area.infoTriggerBoxes);
    DrawEach(area.infoTriggerHeartBoxes);
    for (cEmitterBox* box : area.emitterBoxes)
        box->DrawHearts();
    for (cHeart* heart : area.hearts)
        heart->Draw();
    DrawEach(area.npcFlies);
    for (FireFly* fireFly : area.fireFlies)
        fireFly->Draw();
    DrawOverlays();
    if (area.lie)
        area.lie->Draw();
}

void cAreaPainter::DrawBatLand()
{
    if (const auto* batKing = dynamic_cast<const cBatKing*>(cAreaRoster(area).GetGray()))
        batKing->DrawBubbles(area.batlandPicture.get());
}

void cAreaPainter::DrawPlayers()
{
    for (int i : DrawingOrder(area.players, area.currentPlayer))
        area.players[static_cast<size_t>(i)]->Draw();
}

void cAreaPainter::DrawOverlays()
{
    for (cPlayerChar* player : area.players) {
        if (player)
            player->DrawOverlay();
    }
    if (cPlayerChar* current = area.GetCurrentPlayer())
        current->DrawOverlay();
}

void cAreaPainter::DrawPhysicsDebug()
{
    for (const cPhysicsBody* body : area.bodies)
        body->DebugDraw(255.0f, 255.0f, 255.0f);
    for (WaterArea* water : area.waterAreas)
        water->DrawOutline();
    for (cInfoTriggerBox* box : area.infoTriggerBoxes)
        box->DebugDraw(kInfoBoxOutline, kInfoBoxOutline, kInfoBoxOutline);
    for (cInfoTriggerHeartBox* box : area.infoTriggerHeartBoxes)
        box->DebugDraw(kInfoBoxOutline, kInfoBoxOutline, kInfoBoxOutline);
}

void cAreaPainter::DrawPlayerPhysics()
{
    for (cPlayerChar* player : area.players) {
        if (player && player->IsActive())
            player->DebugDraw(kPlayerOutline[0], kPlayerOutline[1], kPlayerOutline[2]);
    }
}
