#include "Scenery.h"

#include "AreaPlan.h"
#include "Thorns.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

namespace {

constexpr int kSize = 512;
/// Terrain thinner than a board hangs down to a board's thickness below its top, so that a long
/// bridge or a ledge reads as boards rather than a line.
constexpr int kBoardThickness = 4;

/// What a texture pixel holds, by the kind of body over it.
enum eCell : uint8_t
{
    CELL_AIR,
    CELL_EARTH,
    CELL_PLANK,
    CELL_THORN,
    CELL_BAT_ROCK,   ///< rock that the bat king's bubbles open
    CELL_BAT_LEDGE,  ///< ledges and walls that only the bat king stands on, there only in bat land
};

/// The cell of a body of that file type. A sensor body (type 7) touches nothing: it is painted as
/// rock, a wall that the characters walk through. In the bat land the bat rock is open.
eCell CellOf(int fileType, bool batLand)
{
    switch (fileType) {
    case 0:
    case 7:
        return CELL_EARTH;
    case 1:
        return CELL_PLANK;
    case 2:
    case 6:
        return CELL_THORN;
    case 3:
    case 4:
        return CELL_BAT_LEDGE;
    case 5:
        return batLand ? CELL_AIR : CELL_BAT_ROCK;
    default:
        return CELL_AIR;
    }
}

/// Planks and bat ledges float, and thorns are too small to: they lift no horizon.
bool IsSolidMass(eCell cell)
{
    return cell == CELL_EARTH || cell == CELL_BAT_ROCK;
}

/// A repeatable pseudo-random number in [0, 1) for a pixel and a channel.
float Hash(int x, int y, int salt)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(salt) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFFFu) / 65536.0f;
}

/// Smooth noise: the hashes of a coarse grid, blended between its corners.
float Noise(float x, float y, int cell, int salt)
{
    const int gx = static_cast<int>(std::floor(x / cell));
    const int gy = static_cast<int>(std::floor(y / cell));
    const float fx = x / cell - gx;
    const float fy = y / cell - gy;
    const float sx = fx * fx * (3 - 2 * fx);
    const float sy = fy * fy * (3 - 2 * fy);
    const float top = Hash(gx, gy, salt) * (1 - sx) + Hash(gx + 1, gy, salt) * sx;
    const float bottom = Hash(gx, gy + 1, salt) * (1 - sx) + Hash(gx + 1, gy + 1, salt) * sx;
    return top * (1 - sy) + bottom * sy;
}

/// Pixel art keeps few tones: every shade of a colour is a whole number of these steps, so that
/// smooth noise and slopes of light come out as clusters of flat colour with crisp edges.
constexpr float kToneStep = 0.05f;

/// The colour lightened (amount above 0) or darkened by the whole number of tone steps nearest to
/// the amount.
QColor Shade(const QColor& c, float amount)
{
    amount = kToneStep * std::round(amount / kToneStep);
    auto channel = [amount](int v) { return std::clamp(static_cast<int>(v * (1.0f + amount)), 0, 255); };
    return QColor(channel(c.red()), channel(c.green()), channel(c.blue()), c.alpha());
}

QColor Mix(const QColor& a, const QColor& b, float t)
{
    auto channel = [t](int u, int v) { return static_cast<int>(u + (v - u) * t); };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()), channel(a.blue(), b.blue()),
                  channel(a.alpha(), b.alpha()));
}

/// The plan rasterised: one cell per texture pixel (y up), and where the bodies' boxes lie.
class cGrid
{
public:
    cGrid(const std::vector<sPlanBody>& bodies, bool batLand) : cells(kSize * kSize, CELL_AIR)
    {
        for (const sPlanBody& body : bodies) {
            const eCell cell = CellOf(body.fileType, batLand);
            for (int y = std::max(0, body.box.top()); y <= std::min(kSize - 1, body.box.bottom()); ++y)
                for (int x = std::max(0, body.box.left()); x <= std::min(kSize - 1, body.box.right()); ++x)
                    if (cells[Index(x, y)] == CELL_AIR || cell == CELL_EARTH)
                        cells[Index(x, y)] = cell;
        }
        HangThinTerrain();
        for (int x = 0; x < kSize; ++x) {
            int top = kSize - 1;
            while (top >= 0 && !IsSolidMass(At(x, top)) && !Roofs(x, top))
                --top;
            groundTops.push_back(top + 1);
            int roof = kSize - 1;
            while (roof >= 0 && !Roofs(x, roof))
                --roof;
            roofTops.push_back(roof + 1);
        }
        MeasureDepths();
        SmoothHorizon();
        MeasureColumns();
    }

    eCell At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= kSize || y >= kSize)
            return CELL_AIR;
        return static_cast<eCell>(cells[Index(x, y)]);
    }
    /// Rows from (x, y) up to the nearest roof above it; -1 when open to the sky.
    int CeilingDistance(int x, int y) const { return ceilings[static_cast<size_t>(Index(x, y))]; }
    /// Rock roofs what lies below it, and so do planks that go on as rock at one end, as a floor of
    /// a cave does; a branch, a bridge, a shelf on posts or a bat ledge in the open keeps the sky
    /// behind it.
    bool Roofs(int x, int y) const
    {
        if (IsRock(At(x, y)))
            return true;
        return At(x, y) == CELL_PLANK && (GoesOnAsRock(RunStart(x, y) - 1, y, -1) || GoesOnAsRock(RunEnd(x, y) + 1, y, 1));
    }
    /// Rock for a stretch from (x, y) on in that direction: a floor, not a post.
    bool GoesOnAsRock(int x, int y, int step) const
    {
        constexpr int kFloorWidth = 12;
        for (int k = 0; k < kFloorWidth; ++k)
            if (!IsRock(At(x + step * k, y)))
                return false;
        return true;
    }
    static bool IsRock(eCell cell) { return cell == CELL_EARTH || cell == CELL_BAT_ROCK; }
    /// Steps from a pixel of rock to the nearest pixel that is not rock (4-neighbour steps, at
    /// most 255): 1 on its faces. 0 outside rock. Beyond the texture's edges the rock goes on.
    int Depth(int x, int y) const { return depths[static_cast<size_t>(Index(x, y))]; }
    /// The row the far hills stand on: the lowest ground top near the column, so that small
    /// bumps of the terrain do not lift the hills behind them, eased so that it rises and falls in
    /// slopes instead of steps.
    float Horizon(int x) const { return horizons[static_cast<size_t>(x)]; }
    /// The row above the highest solid mass or roof of the column; 0 for a column without any.
    int GroundTop(int x) const { return groundTops[static_cast<size_t>(x)]; }
    /// The row above the highest roof of the column: the air below it is roofed.
    int RoofTop(int x) const { return roofTops[static_cast<size_t>(x)]; }
    /// Rows from (x, y) down to the nearest solid top below it; large when none. The bat king's
    /// ledges, there only in the bat land, are no ground for the back wall, and neither are thorn
    /// bushes: they grow in front of it, and the wall runs on behind them and between their spikes.
    int GroundDistance(int x, int y) const { return grounds[static_cast<size_t>(Index(x, y))]; }
    /// The start of the run of cells of the same kind that holds (x, y), left and right.
    int RunStart(int x, int y) const
    {
        while (x > 0 && At(x - 1, y) == At(x, y))
            --x;
        return x;
    }
    int RunEnd(int x, int y) const
    {
        while (x < kSize - 1 && At(x + 1, y) == At(x, y))
            ++x;
        return x;
    }
    int ColumnBottom(int x, int y) const
    {
        while (y > 0 && At(x, y - 1) == At(x, y))
            --y;
        return y;
    }

private:
    static int Index(int x, int y) { return y * kSize + x; }
    /// Every run of terrain over open air that is thinner than a board grows down into the air to
    /// a board's thickness. Thorn bushes keep their height: their spikes fill it.
    void HangThinTerrain()
    {
        for (int x = 0; x < kSize; ++x) {
            for (int y = 0; y < kSize; ++y) {
                const eCell cell = At(x, y);
                if (cell == CELL_AIR || cell == CELL_THORN || At(x, y - 1) != CELL_AIR)
                    continue;
                int top = y;
                while (At(x, top + 1) == cell)
                    ++top;
                for (int below = y - 1; below >= 0 && below > top - kBoardThickness && At(x, below) == CELL_AIR; --below)
                    cells[Index(x, below)] = cell;
            }
        }
    }
    /// Two sweeps of a distance transform, forwards and back.
    void MeasureDepths()
    {
        depths.assign(cells.size(), 0);
        auto sweep = [this](int from, int to, int step) {
            for (int y = from; y != to; y += step) {
                for (int x = from; x != to; x += step) {
                    if (!IsRock(At(x, y)))
                        continue;
                    const int before = std::min(DepthOrEdge(x - step, y), DepthOrEdge(x, y - step));
                    const int here = depths[static_cast<size_t>(Index(x, y))];
                    depths[static_cast<size_t>(Index(x, y))] =
                        static_cast<uint8_t>(std::min({255, before + 1, here == 0 ? 255 : here}));
                }
            }
        };
        sweep(0, kSize, 1);
        sweep(kSize - 1, -1, -1);
    }
    int DepthOrEdge(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= kSize || y >= kSize)
            return 255;
        return depths[static_cast<size_t>(Index(x, y))];
    }
    void SmoothHorizon()
    {
        constexpr int kReach = 70;
        constexpr int kEase = 36;
        std::vector<float> lowest;
        for (int x = 0; x < kSize; ++x) {
            int horizon = kSize;
            for (int dx = -kReach; dx <= kReach; ++dx)
                if (x + dx >= 0 && x + dx < kSize)
                    horizon = std::min(horizon, GroundTop(x + dx));
            lowest.push_back(static_cast<float>(horizon));
        }
        for (int x = 0; x < kSize; ++x) {
            float sum = 0;
            for (int dx = -kEase; dx <= kEase; ++dx)
                sum += lowest[static_cast<size_t>(std::clamp(x + dx, 0, kSize - 1))];
            horizons.push_back(sum / (2 * kEase + 1));
        }
    }
    /// The distances to the roof above and the ground below of every pixel, in one sweep of each
    /// column up and one down.
    void MeasureColumns()
    {
        ceilings.assign(cells.size(), -1);
        grounds.assign(cells.size(), kSize);
        for (int x = 0; x < kSize; ++x) {
            int roof = -1;
            for (int y = kSize - 1; y >= 0; --y) {
                ceilings[static_cast<size_t>(Index(x, y))] = static_cast<int16_t>(roof < 0 ? -1 : roof - y);
                if (Roofs(x, y))
                    roof = y;
            }
            int ground = -1;
            for (int y = 0; y < kSize; ++y) {
                if (ground >= 0)
                    grounds[static_cast<size_t>(Index(x, y))] = static_cast<int16_t>(y - ground);
                const eCell cell = At(x, y);
                if (cell != CELL_AIR && cell != CELL_BAT_LEDGE && cell != CELL_THORN)
                    ground = y;
            }
        }
    }
    std::vector<uint8_t> cells;
    std::vector<int16_t> ceilings;
    std::vector<int16_t> grounds;
    std::vector<uint8_t> depths;
    std::vector<float> horizons;
    std::vector<int> groundTops;
    std::vector<int> roofTops;
};

/// A pixel of the stone of a cave: its shade, and the hashed tone in [0, 1) of the boulder it lies in.
struct sStone
{
    float shade, tone;
};

/// The stone of a cave: boulders of hashed tones around the points of a jittered grid, cracked
/// where two of them meet; scale widens them.
sStone StoneAt(float x, float y, float scale)
{
    constexpr float kCell = 13.0f;
    const float wx = (x + 4 * Noise(x, y, 9, 41)) / (kCell * scale);
    const float wy = (y + 4 * Noise(x, y, 9, 42)) / (kCell * scale) * 1.4f;
    const int gx = static_cast<int>(std::floor(wx));
    const int gy = static_cast<int>(std::floor(wy));
    float nearest = 9, second = 9;
    int nearestCell = 0;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const float px = gx + dx + 0.15f + 0.7f * Hash(gx + dx, gy + dy, 43);
            const float py = gy + dy + 0.15f + 0.7f * Hash(gx + dx, gy + dy, 44);
            const float d = std::hypot(wx - px, wy - py);
            if (d < nearest) {
                second = nearest;
                nearest = d;
                nearestCell = (gx + dx) * 7919 + gy + dy;
            } else if (d < second) {
                second = d;
            }
        }
    }
    const float tone = Hash(nearestCell, 0, 45);
    if ((second - nearest) * kCell * scale < 1.3f)
        return {-0.3f, tone};
    // Each boulder lighter towards its upper side, as if rounded.
    return {0.2f * (tone - 0.5f) + 0.08f * (Noise(x, y, 3, 46) - 0.5f) - 0.12f * nearest, tone};
}

/// The colour of the rock of the place at a pixel, before the light.
QColor MaterialPixel(const sPalette& p, int x, int y)
{
    switch (p.material) {
    case MATERIAL_STONE:
        return Shade(p.earth, StoneAt(x, y, 1.0f).shade);
    case MATERIAL_MASONRY: {
        // Courses of bricks 16 wide and 7 high, every other course shifted by half a brick.
        const int course = y / 7;
        const int along = x + 8 * (course & 1);
        if (y % 7 == 0 || along % 16 == 0)
            return Shade(p.earthEdge, 0.1f * (Noise(x, y, 3, 45) - 0.5f));
        float shade = 0.16f * (Hash(along / 16, course, 46) - 0.5f) + 0.06f * (Hash(x, y, 47) - 0.5f);
        shade += y % 7 == 6 ? 0.1f : y % 7 == 1 ? -0.1f : 0.0f;
        // A weathered brick here and there, darker all over.
        if (Hash(along / 16, course, 48) > 0.85f)
            shade -= 0.15f;
        return Shade(p.earth, shade);
    }
    case MATERIAL_CHALK: {
        const float band = std::sin(y * 0.45f + 2.5f * Noise(x, y, 30, 49));
        return Shade(p.earth, 0.06f * band + 0.06f * (Noise(x, y, 5, 50) - 0.5f) - (band > 0.93f ? 0.1f : 0.0f));
    }
    case MATERIAL_EARTH:
        break;
    }
    // Layered earth: wavy strata, mottled, with the odd pebble.
    const float strata = std::sin((y + 3 * Noise(x, y, 24, 1)) * 0.9f);
    float shade = 0.12f * (Noise(x, y, 6, 2) - 0.5f) + (strata > 0.85f ? -0.12f : 0.0f);
    if (Hash(x / 3, y / 2, 3) > 0.97f)
        shade += 0.18f;
    return Shade(p.earth, shade);
}

/// Whether the earth at (x, y) lies along the edge of still water, around its basin and a little
/// above its surface, where it is sand.
bool IsShore(const sAreaPlan& plan, int x, int y)
{
    constexpr int kBeach = 14;
    for (const QRect& water : plan.waters)
        if (x >= water.left() - kBeach && x <= water.right() + kBeach && y <= water.bottom() + 4 &&
            y >= water.top() - kBeach / 2)
            return true;
    return false;
}

/// The rock lit from where the light of the look comes: the faces turned to it shine, those
/// turned away are dark, and the rock darkens the further it lies from any face.
QColor Lit(const cGrid& grid, const sPalette& p, int x, int y, const QColor& base)
{
    const bool above = !cGrid::IsRock(grid.At(x, y + 1));
    const bool below = !cGrid::IsRock(grid.At(x, y - 1));
    const bool left = !cGrid::IsRock(grid.At(x - 1, y));
    const bool right = !cGrid::IsRock(grid.At(x + 1, y));
    bool litFace = false;
    bool darkFace = false;
    switch (p.light) {
    case LIGHT_SUN:
        litFace = above || left;
        darkFace = below || right;
        break;
    case LIGHT_MOON:
        litFace = above;
        darkFace = below;
        break;
    case LIGHT_BELOW:
        litFace = below;
        darkFace = above;
        break;
    }
    if (litFace)
        return Mix(base, p.rim, 0.45f);
    if (darkFace)
        return Mix(base, p.earthEdge, 0.6f);
    // The darkening comes in a few bands, each one a step darker, their borders ragged as strata
    // and a checkerboard where two meet.
    constexpr int kBands = 3;
    const float depth = std::max(0.0f, grid.Depth(x, y) - 1 + 6 * (Noise(x, y, 7, 13) - 0.5f)) + ((x + y) & 1) * 0.5f;
    const float dark = std::min(1.0f, p.fade * depth / p.fadeMost);
    return Shade(base, -p.fadeMost * std::floor(dark * kBands) / kBands);
}

/// Grass grows on every top of earth and chalk, but on stone and masonry only under the open sky.
bool GrowsGrass(const cGrid& grid, const sPalette& p, int x, int top)
{
    return p.material == MATERIAL_EARTH || p.material == MATERIAL_CHALK || grid.CeilingDistance(x, top) < 0;
}

QColor EarthPixel(const cGrid& grid, const sAreaPlan& plan, const sPalette& p, int x, int y)
{
    int depth = 0;
    while (depth < 3 && grid.At(x, y + depth + 1) == CELL_EARTH)
        ++depth;
    const bool shore = IsShore(plan, x, y);
    if (depth < 3 && !shore && GrowsGrass(grid, p, x, y + depth))
        return p.grass[depth];
    return Lit(grid, p, x, y, shore ? Shade(p.sand, 0.1f * (Noise(x, y, 3, 51) - 0.5f)) : MaterialPixel(p, x, y));
}

/// The top row of the plank that (x, y) is part of.
int PlankTop(const cGrid& grid, int x, int y)
{
    while (grid.At(x, y + 1) == CELL_PLANK)
        ++y;
    return y;
}

QColor PlankPixel(const cGrid& grid, const sPalette& p, int x, int y, int top)
{
    if (y == top)
        return p.plankTop;
    if (y == std::min(grid.ColumnBottom(x, top), top - kBoardThickness + 1))
        return p.plankBottom;
    const int left = grid.RunStart(x, top);
    const int right = grid.RunEnd(x, top);
    // Boards of 12 pixels with a dark seam, the ends darker.
    if (x == left || x == right || (x - left) % 12 == 11)
        return p.plankBottom;
    return Shade(p.plank, 0.08f * (Noise(x * 0.3f, y * 4.0f, 4, 4) - 0.5f));
}

/// How high on the back wall (x, y) lies, 0 at the floor, 1 at the ceiling, eased along the row
/// so that a step of the floor or of the roof does not cut the wall into bands.
float WallHeight(const cGrid& grid, int x, int y)
{
    constexpr int kEase = 6;
    float sum = 0;
    int count = 0;
    for (int across = std::max(0, x - kEase); across <= std::min(kSize - 1, x + kEase); ++across) {
        const int ceiling = grid.CeilingDistance(across, y);
        if (ceiling < 0 || cGrid::IsRock(grid.At(across, y)))
            continue;
        const int ground = grid.GroundDistance(across, y);
        sum += static_cast<float>(ground) / (ground + ceiling);
        ++count;
    }
    return count > 0 ? sum / count : 0.0f;
}

QColor WallPixel(const cGrid& grid, const sPalette& p, int x, int y, int ceiling)
{
    const int ground = grid.GroundDistance(x, y);
    const float t = WallHeight(grid, x, y);
    // Big faint stones, so that the wall reads as rock standing far back, not as a haze.
    // From the floor to the ceiling in four bands; each stone takes the band of its height give or
    // take its own tone, so that the bands meet along the joints and the faces of the stones rather
    // than in a line or a dither across them.
    constexpr float kBands = 4;
    const sStone stone = StoneAt(x, y, 2.5f);
    const float band = std::floor(std::clamp(t * kBands + stone.tone - 0.5f, 0.0f, kBands - 1)) / (kBands - 1);
    QColor c = Shade(Mix(p.wallLow, p.wallHigh, band), 0.12f * (Noise(x, y, 9, 6) - 0.5f) + 0.5f * stone.shade);
    if (p.glow.alpha() > 0 && ground < 12 + 4 * ((x + y) & 1))
        c = Mix(c, QColor(p.glow.rgb()), p.glow.alphaF() * (ground < 4 ? 1.0f : 0.5f));
    // Roots hang from the ceiling, a few pixels wide, to hashed lengths.
    const int root = x / 7;
    const float length = 4 + 14 * Hash(root, 0, 7);
    if (Hash(root, 1, 8) > 0.6f && ceiling <= length && x % 7 == static_cast<int>(3 * Hash(root, 2, 9)))
        c = Shade(p.wallHigh, -0.35f);
    if (ceiling <= 2)
        c = Shade(c, -0.3f);
    if (p.speck.alpha() > 0 && Hash(x, y, 10) > 0.996f)
        c = Mix(c, p.speck, p.speck.alphaF());
    return c;
}

/// Whether open sky lies beside the air at (x, y) along its row, before any rock: the air under
/// an overhang that the open air reaches from the side.
bool IsOpenBeside(const cGrid& grid, int x, int y)
{
    constexpr int kReach = 96;
    for (int step : {-1, 1}) {
        for (int k = 1; k <= kReach; ++k) {
            const int beside = x + step * k;
            if (beside < 0 || beside >= kSize || cGrid::IsRock(grid.At(beside, y)))
                break;
            if (y >= grid.RoofTop(beside))
                return true;
        }
    }
    return false;
}

/// Air with rock close above and close below is inside a cave and has a back wall, and so is roofed
/// air however tall that the open sky does not reach from the side, as in a shaft or under a hole
/// between two floors of a cave; the air under a ledge that juts out high over a chasm is open sky.
bool IsCave(const cGrid& grid, int x, int y, int ceiling)
{
    constexpr int kCaveHeight = 128;
    return ceiling >= 0 && (ceiling + grid.GroundDistance(x, y) <= kCaveHeight || !IsOpenBeside(grid, x, y));
}

/// Paints src over dst.
QColor Over(const QColor& dst, const QColor& src)
{
    const float a = src.alphaF() + dst.alphaF() * (1 - src.alphaF());
    if (a <= 0)
        return QColor(0, 0, 0, 0);
    auto channel = [&](int d, int s) {
        return static_cast<int>((s * src.alphaF() + d * dst.alphaF() * (1 - src.alphaF())) / a + 0.5f);
    };
    return QColor(channel(dst.red(), src.red()), channel(dst.green(), src.green()), channel(dst.blue(), src.blue()),
                  static_cast<int>(a * 255 + 0.5f));
}

/// The lowest ground top of the picture's columns that have ground at all; 0 without any.
int LowestHorizon(const cGrid& grid)
{
    int horizon = kSize;
    for (int x = 0; x < kSize; ++x)
        if (grid.GroundTop(x) > 0)
            horizon = std::min(horizon, grid.GroundTop(x));
    return horizon == kSize ? 0 : horizon;
}

/// The colour with its alpha scaled by how much of the pixel it covers.
QColor Covering(QColor c, float cover)
{
    c.setAlphaF(c.alphaF() * std::clamp(cover, 0.0f, 1.0f));
    return c;
}

/// An island afloat far off: one for each stretch of 110 columns, at a hashed height and width,
/// flat on top, a rounded clod below, standing over the horizon at its middle. Its top and its
/// underside at the column; false where no island is.
bool FarIsland(const cGrid& grid, int x, float& top, float& underside)
{
    constexpr int kStretch = 110;
    const int stretch = (x + 30) / kStretch;
    const float centre = stretch * kStretch - 30 + kStretch / 2 + 30 * (Hash(stretch, 0, 52) - 0.5f);
    const float halfWidth = 18 + 16 * Hash(stretch, 1, 53);
    const float t = std::abs(x - centre) / halfWidth;
    if (t >= 1)
        return false;
    const float height = grid.Horizon(std::clamp(static_cast<int>(centre), 0, kSize - 1)) + 60 + 70 * Hash(stretch, 2, 54);
    top = height + 3 * std::sqrt(1 - t * t);
    // A rounded clod of rock below, ragged along its underside.
    underside = height - (0.7f * halfWidth * std::sqrt(1 - t * t) + 4 * Noise(x, 0, 5, 55)) * (1 - t * t);
    return true;
}

/// The far scenery of the open sky over its horizon: two rows of hills, or islands afloat over a
/// bank of cloud; transparent above them. Their outlines are smooth curves drawn in whole pixels,
/// standing on the horizon row given; under the moon and in the bat land their tops catch a thin rim of light.
QColor SkyPixel(const cGrid& grid, const sPalette& p, int x, int y, float horizon, bool& drawn)
{
    const float ground = static_cast<float>(y) - horizon;
    float farTop = -kSize, farBottom = 0, nearTop = 0;
    if (p.skyIslands) {
        if (FarIsland(grid, x, farTop, farBottom)) {
            farTop -= horizon;
            farBottom -= horizon;
        }
        nearTop = 10 + 5 * std::abs(std::sin(x / 9.0f)) + 4 * std::sin(x / 31.0f);
    } else {
        farTop = 22 + 9 * std::sin(x / 41.0f) + 4 * std::sin(x / 13.0f + 2.0f);
        farBottom = -kSize;
        nearTop = 10 + 6 * std::sin(x / 23.0f + 1.0f) + 3 * std::sin(x / 7.0f);
    }
    // By day the islands' tops are green; the moon and the bat land's glow catch every top.
    QColor rimLight = p.light != LIGHT_SUN ? p.rim : p.skyIslands ? p.grass[1] : p.hillFar;
    rimLight.setAlpha(p.hillFar.alpha());
    const QColor rimmed = Mix(p.hillFar, rimLight, 0.5f);
    // A pixel is hill or sky, never a blend: the outlines stay crisp.
    auto covered = [](float cover) { return cover >= 0.5f ? 1.0f : 0.0f; };
    const float farCover = std::min(farTop - ground, ground + 1 - farBottom);
    QColor c = Covering(farTop - ground < 1.5f ? rimmed : p.hillFar, covered(farCover));
    c = Over(c, Covering(p.hillNear, covered(nearTop - ground)));
    drawn = c.alpha() > 0;
    return c;
}

/// A few blades of grass stand on every grassy top.
bool IsGrassBlade(const cGrid& grid, const sAreaPlan& plan, const sPalette& p, int x, int y)
{
    const int ground = grid.GroundDistance(x, y);
    return ground <= 2 && grid.At(x, y - ground) == CELL_EARTH && Hash(x, 0, 11) > 0.55f &&
           ground <= 1 + static_cast<int>(2 * Hash(x, 1, 12)) && !IsShore(plan, x, y - ground) &&
           GrowsGrass(grid, p, x, y - ground);
}

/// Falling water: streaks that run down the stream, brighter along its edges and where it lands.
QColor FallPixel(const QRect& fall, const sPalette& p, int x, int y)
{
    const int across = std::min(x - fall.left(), fall.right() - x);
    const float streak = Noise(static_cast<float>(x) * 4.0f, static_cast<float>(y) * 0.25f, 4, 21);
    float light = across == 0 ? 0.8f : streak > 0.6f ? 0.6f : 0.0f;
    if (y - fall.top() < 3)
        light = std::max(light, 0.9f - 0.3f * static_cast<float>(y - fall.top()));
    return Mix(p.fall, p.fallLight, light);
}

void PaintWaterfalls(QImage& image, const sAreaPlan& plan, const sPalette& palette)
{
    for (const QRect& fall : plan.waterfalls) {
        for (int y = std::max(0, fall.top()); y <= std::min(kSize - 1, fall.bottom()); ++y) {
            for (int x = std::max(0, fall.left()); x <= std::min(kSize - 1, fall.right()); ++x) {
                const QColor under = image.pixelColor(x, kSize - 1 - y);
                const QColor water = FallPixel(fall, palette, x, y);
                // Over the open sky the stream keeps its own alpha; over scenery it is blended in.
                image.setPixelColor(x, kSize - 1 - y,
                                    under.alpha() == 0 ? water : Mix(under, QColor(water.rgb()), water.alphaF()));
            }
        }
    }
}

/// Still water: its surface a bright line broken by ripples, with a second row of glints below.
/// The water itself is drawn by the game over the picture.
void PaintWaterSurfaces(QImage& image, const sAreaPlan& plan, const sPalette& palette)
{
    for (const QRect& water : plan.waters) {
        const int surface = water.bottom();
        if (surface < 0 || surface >= kSize)
            continue;
        for (int x = std::max(0, water.left()); x <= std::min(kSize - 1, water.right()); ++x) {
            const float ripple = Noise(static_cast<float>(x), 0.0f, 6, 61);
            for (int below = 0; below < 4 && surface - below >= 0; ++below) {
                const float strength = below == 0 ? 0.4f + 0.6f * ripple : below == 2 && ripple > 0.6f ? 0.5f : 0.0f;
                const int row = kSize - 1 - (surface - below);
                if (strength > 0)
                    image.setPixelColor(x, row, Over(image.pixelColor(x, row), Covering(palette.water, strength)));
            }
        }
    }
}

/// Bat rock: dark blocks in courses, their joints dim, with glowing veins that wander across.
QColor BatRockPixel(const cGrid& grid, const sPalette& p, int x, int y)
{
    if (grid.At(x, y + 1) != CELL_BAT_ROCK || grid.At(x - 1, y) != CELL_BAT_ROCK ||
        grid.At(x + 1, y) != CELL_BAT_ROCK || grid.At(x, y - 1) == CELL_AIR)
        return Shade(p.batRock, -0.3f);
    const int course = y / 6;
    if (y % 6 == 0 || (x + 4 * (course % 2)) % 8 == 0)
        return Shade(p.batRock, -0.2f);
    const float vein = std::fabs(Noise(x, y, 11, 31) - 0.5f);
    if (vein < 0.025f)
        return p.batVein;
    return Shade(p.batRock, 0.14f * (Noise(x, y, 5, 32) - 0.5f));
}

/// The bat king's ledges: in the bat land a glowing board, elsewhere only the dotted outline of one,
/// so that the player knows that something is there that the others cannot stand on.
QColor BatLedgePixel(const cGrid& grid, const sPalette& p, int x, int y, bool& drawn)
{
    const bool top = grid.At(x, y + 1) != CELL_BAT_LEDGE;
    const bool bottom = grid.At(x, y - 1) != CELL_BAT_LEDGE;
    if (p.batLand)
        return top ? p.batVein : Shade(p.batLedge, bottom ? -0.3f : 0.0f);
    const bool end = grid.At(x - 1, y) != CELL_BAT_LEDGE || grid.At(x + 1, y) != CELL_BAT_LEDGE;
    drawn = end || ((top || bottom) && x % 3 != 0);
    return p.batLedge;
}

/// What shows behind a bush at (x, y): the cave's back wall, or the sky of the look; none where
/// the area has no sky.
std::optional<double> BackdropLight(const cGrid& grid, const sAreaPlan& plan, const sPalette& p, int x, int y)
{
    const int ceiling = grid.CeilingDistance(x, y);
    if (IsCave(grid, x, y, ceiling))
        return Luminance(WallPixel(grid, p, x, y, ceiling));
    if (!plan.skyLow.isValid())
        return std::nullopt;
    const QColor sky = p.light == LIGHT_MOON ? plan.skyNight : Mix(plan.skyLow, plan.skyHigh, y / (kSize - 1.0f));
    bool hill = false;
    const QColor far = SkyPixel(grid, p, x, y, grid.Horizon(x), hill);
    return Luminance(hill ? Over(sky, far) : sky);
}

/// The bush whose box holds (x, y): the run of thorns around it, standing on what is below it or
/// hanging from what is above, against the backdrop that shows over its points along its length.
sThornBush BushAt(const cGrid& grid, const sAreaPlan& plan, const sPalette& p, int x, int y)
{
    const int left = grid.RunStart(x, y), right = grid.RunEnd(x, y), bottom = grid.ColumnBottom(x, y);
    int top = y;
    while (grid.At(x, top + 1) == CELL_THORN)
        ++top;
    sThornBush bush;
    bush.box = QRect(QPoint(left, bottom), QPoint(right, top));
    bush.hanging = cGrid::IsRock(grid.At(x, top + 1)) && grid.At(x, bottom - 1) == CELL_AIR;
    const int beyond = bush.hanging ? bottom - 1 : top + 1;
    std::vector<double> behind;
    for (int k = 0; k <= 4; ++k)
        if (const auto light = BackdropLight(grid, plan, p, left + (right - left) * k / 4, beyond))
            behind.push_back(*light);
    std::nth_element(behind.begin(), behind.begin() + behind.size() / 2, behind.end());
    bush.againstDark = !behind.empty() && IsDarkBehindThorns(behind[behind.size() / 2]);
    return bush;
}

/// The colour of a pixel inside a body; drawn is false for the air between a thorn bush's spikes.
QColor BodyPixel(const cGrid& grid, const sAreaPlan& plan, const sPalette& palette, int x, int y, bool& drawn)
{
    drawn = true;
    switch (grid.At(x, y)) {
    case CELL_BAT_ROCK:
        return BatRockPixel(grid, palette, x, y);
    case CELL_BAT_LEDGE:
        return BatLedgePixel(grid, palette, x, y, drawn);
    case CELL_EARTH:
        return EarthPixel(grid, plan, palette, x, y);
    case CELL_PLANK:
        return PlankPixel(grid, palette, x, y, PlankTop(grid, x, y));
    case CELL_THORN: {
        const std::optional<QColor> thorn = ThornPixel(BushAt(grid, plan, palette, x, y), x, y);
        drawn = thorn.has_value();
        return thorn.value_or(QColor(0, 0, 0, 0));
    }
    case CELL_AIR:
        break;
    }
    drawn = false;
    return QColor(0, 0, 0, 0);
}

} // namespace

QImage PaintScenery(const sAreaPlan& plan, const sPalette& palette, bool hills)
{
    const cGrid grid(plan.bodies, palette.batLand);
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            // What the quake adds shows through from the picture behind.
            if (plan.IsAfterQuake(x, y))
                continue;
            bool drawn = true;
            QColor c = BodyPixel(grid, plan, palette, x, y, drawn);
            if (!drawn) {
                const int ceiling = grid.CeilingDistance(x, y);
                drawn = true;
                if (IsGrassBlade(grid, plan, palette, x, y))
                    c = palette.grass[0];
                else if (IsCave(grid, x, y, ceiling))
                    c = WallPixel(grid, palette, x, y, ceiling);
                else if (hills && ceiling < 0)
                    c = SkyPixel(grid, palette, x, y, grid.Horizon(x), drawn);
                else
                    drawn = false;
            }
            if (drawn)
                image.setPixelColor(x, kSize - 1 - y, c);
        }
    }
    PaintWaterSurfaces(image, plan, palette);
    PaintWaterfalls(image, plan, palette);
    return image;
}

QImage PaintBackdrop(const sAreaPlan& plan, const sPalette& palette)
{
    const cGrid ground(plan.bodies, false);
    const cGrid quake(plan.afterQuake, false);
    // Far behind the rocks, the hills stand on the lowest ground all along: a horizon that followed
    // the terrain would jump up where a terrace begins and show as a box once the rocks are gone.
    const int horizon = LowestHorizon(ground);
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            bool drawn = true;
            QColor c = BodyPixel(quake, plan, palette, x, y, drawn);
            if (!drawn && ground.At(x, y) == CELL_AIR && ground.CeilingDistance(x, y) < 0)
                c = SkyPixel(ground, palette, x, y, static_cast<float>(horizon), drawn);
            if (drawn)
                image.setPixelColor(x, kSize - 1 - y, c);
        }
    }
    return image;
}
