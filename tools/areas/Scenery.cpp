#include "Scenery.h"

#include "AreaPlan.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kSize = 512;

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

/// Planks and bat ledges float: they lift no horizon.
bool IsSolidMass(eCell cell)
{
    return cell == CELL_EARTH || cell == CELL_THORN || cell == CELL_BAT_ROCK;
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

QColor Shade(const QColor& c, float amount)
{
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
    }

    eCell At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= kSize || y >= kSize)
            return CELL_AIR;
        return static_cast<eCell>(cells[Index(x, y)]);
    }
    /// Rows from (x, y) up to the nearest roof above it; -1 when open to the sky.
    int CeilingDistance(int x, int y) const
    {
        for (int up = y + 1; up < kSize; ++up)
            if (Roofs(x, up))
                return up - y;
        return -1;
    }
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
    /// The row above the highest solid mass or roof of the column; 0 for a column without any.
    int GroundTop(int x) const { return groundTops[static_cast<size_t>(x)]; }
    /// The row above the highest roof of the column: the air below it is roofed.
    int RoofTop(int x) const { return roofTops[static_cast<size_t>(x)]; }
    /// Rows from (x, y) down to the nearest solid top below it; large when none. The bat king's
    /// ledges, there only in the bat land, are no ground for the back wall, and neither are thorn
    /// bushes: they grow in front of it, and the wall runs on behind them and between their spikes.
    int GroundDistance(int x, int y) const
    {
        for (int down = y - 1; down >= 0; --down)
            if (At(x, down) != CELL_AIR && At(x, down) != CELL_BAT_LEDGE && At(x, down) != CELL_THORN)
                return y - down;
        return kSize;
    }
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
    std::vector<uint8_t> cells;
    std::vector<int> groundTops;
    std::vector<int> roofTops;
};

QColor EarthPixel(const cGrid& grid, const sPalette& p, int x, int y)
{
    int depth = 0;
    while (depth < 3 && grid.At(x, y + depth + 1) == CELL_EARTH)
        ++depth;
    if (depth < 3)
        return p.grass[depth];
    if (grid.At(x - 1, y) != CELL_EARTH || grid.At(x + 1, y) != CELL_EARTH || grid.At(x, y - 1) == CELL_AIR)
        return p.earthEdge;
    // Layered rock: wavy strata, mottled, with the odd pebble.
    const float strata = std::sin((y + 3 * Noise(x, y, 24, 1)) * 0.9f);
    float shade = 0.12f * (Noise(x, y, 6, 2) - 0.5f) + (strata > 0.85f ? -0.12f : 0.0f);
    if (Hash(x / 3, y / 2, 3) > 0.97f)
        shade += 0.18f;
    return Shade(p.earth, shade);
}

QColor PlankPixel(const cGrid& grid, const sPalette& p, int x, int y)
{
    if (grid.At(x, y + 1) != CELL_PLANK)
        return p.plankTop;
    if (grid.At(x, y - 1) != CELL_PLANK)
        return p.plankBottom;
    const int left = grid.RunStart(x, y);
    const int right = grid.RunEnd(x, y);
    // Boards of 12 pixels with a dark seam, the ends darker.
    if (x == left || x == right || (x - left) % 12 == 11)
        return p.plankBottom;
    return Shade(p.plank, 0.08f * (Noise(x * 0.3f, y * 4.0f, 4, 4) - 0.5f));
}

/// Thorn bushes: a row of spikes filling the body's height, their points light. A bush that hangs
/// from rock over open air grows down from it, its points below.
QColor ThornPixel(const cGrid& grid, const sPalette& p, int x, int y, bool& drawn)
{
    const int left = grid.RunStart(x, y);
    const int bottom = grid.ColumnBottom(x, y);
    int top = y;
    while (grid.At(x, top + 1) == CELL_THORN)
        ++top;
    const int height = top - bottom + 1;
    const int c = (x - left) % 6;
    const float spike = height * (1.0f - std::abs(c - 2.5f) / 3.0f) + 1.0f;
    const bool hanging = cGrid::IsRock(grid.At(x, top + 1)) && grid.At(x, bottom - 1) == CELL_AIR;
    const int fromRoot = hanging ? top - y : y - bottom;
    drawn = fromRoot < spike;
    return fromRoot + 2 >= spike ? p.thornTip : Shade(p.thorn, 0.15f * (Hash(x, y, 5) - 0.5f));
}

QColor WallPixel(const cGrid& grid, const sPalette& p, int x, int y, int ceiling)
{
    const int ground = grid.GroundDistance(x, y);
    const float t = static_cast<float>(ground) / (ground + ceiling);
    QColor c = Shade(Mix(p.wallLow, p.wallHigh, t), 0.16f * (Noise(x, y, 9, 6) - 0.5f));
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

/// The horizon the far hills stand on: the lowest ground top near the column, so that small
/// bumps of the terrain do not lift the hills behind them.
int Horizon(const cGrid& grid, int x)
{
    constexpr int kReach = 70;
    int horizon = kSize;
    for (int dx = -kReach; dx <= kReach; ++dx)
        if (x + dx >= 0 && x + dx < kSize)
            horizon = std::min(horizon, grid.GroundTop(x + dx));
    return horizon;
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

/// Two rows of far hills standing on the horizon row; transparent above them.
QColor SkyPixel(const sPalette& p, int x, int y, int horizon, bool& drawn)
{
    const int ground = y - horizon;
    const float near = 10 + 6 * std::sin(x / 23.0f + 1.0f) + 3 * std::sin(x / 7.0f);
    const float far = 22 + 9 * std::sin(x / 41.0f) + 4 * std::sin(x / 13.0f + 2.0f);
    drawn = true;
    if (ground < near)
        return p.hillNear;
    if (ground < far)
        return p.hillFar;
    drawn = false;
    return QColor(0, 0, 0, 0);
}

/// A few blades of grass stand on every grassy top.
bool IsGrassBlade(const cGrid& grid, int x, int y)
{
    const int ground = grid.GroundDistance(x, y);
    return ground <= 2 && grid.At(x, y - ground) == CELL_EARTH && Hash(x, 0, 11) > 0.55f &&
           ground <= 1 + static_cast<int>(2 * Hash(x, 1, 12));
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

/// The bat king's ledges: in the bat land a glowing board, elsewhere only a faint dotted line
/// along the top, so that the player knows that something is there.
QColor BatLedgePixel(const cGrid& grid, const sPalette& p, int x, int y, bool& drawn)
{
    const bool top = grid.At(x, y + 1) != CELL_BAT_LEDGE;
    if (p.batLand)
        return top ? p.batVein : Shade(p.batLedge, grid.At(x, y - 1) != CELL_BAT_LEDGE ? -0.3f : 0.0f);
    drawn = top && x % 3 != 0;
    return p.batLedge;
}

/// The colour of a pixel inside a body; drawn is false for the air between a thorn bush's spikes.
QColor BodyPixel(const cGrid& grid, const sPalette& palette, int x, int y, bool& drawn)
{
    drawn = true;
    switch (grid.At(x, y)) {
    case CELL_BAT_ROCK:
        return BatRockPixel(grid, palette, x, y);
    case CELL_BAT_LEDGE:
        return BatLedgePixel(grid, palette, x, y, drawn);
    case CELL_EARTH:
        return EarthPixel(grid, palette, x, y);
    case CELL_PLANK:
        return PlankPixel(grid, palette, x, y);
    case CELL_THORN:
        return ThornPixel(grid, palette, x, y, drawn);
    case CELL_AIR:
        break;
    }
    drawn = false;
    return QColor(0, 0, 0, 0);
}

} // namespace

sPalette sPalette::Day()
{
    sPalette p;
    p.wallLow = QColor(104, 80, 64);
    p.wallHigh = QColor(66, 50, 44);
    p.earth = QColor(132, 94, 58);
    p.earthEdge = QColor(88, 60, 40);
    p.grass[0] = QColor(120, 196, 76);
    p.grass[1] = QColor(86, 162, 58);
    p.grass[2] = QColor(62, 120, 46);
    p.plank = QColor(168, 118, 70);
    p.plankTop = QColor(214, 168, 106);
    p.plankBottom = QColor(104, 70, 42);
    p.thorn = QColor(104, 42, 74);
    p.thornTip = QColor(238, 214, 196);
    p.hillFar = QColor(156, 164, 200, 150);
    p.hillNear = QColor(104, 140, 128, 210);
    p.speck = QColor(0, 0, 0, 0);
    p.fall = QColor(84, 170, 228, 190);
    p.fallLight = QColor(214, 244, 255, 230);
    p.batRock = QColor(78, 62, 96);
    p.batVein = QColor(196, 150, 255);
    p.batLedge = QColor(120, 90, 160, 150);
    return p;
}

sPalette sPalette::LandOfFireflies()
{
    sPalette p;
    p.wallLow = QColor(40, 34, 76);
    p.wallHigh = QColor(22, 18, 48);
    p.earth = QColor(58, 50, 100);
    p.earthEdge = QColor(36, 30, 68);
    p.grass[0] = QColor(96, 236, 200);
    p.grass[1] = QColor(56, 176, 156);
    p.grass[2] = QColor(40, 120, 124);
    p.plank = QColor(84, 68, 124);
    p.plankTop = QColor(126, 222, 204);
    p.plankBottom = QColor(50, 40, 84);
    p.thorn = QColor(84, 24, 84);
    p.thornTip = QColor(255, 150, 226);
    p.hillFar = QColor(44, 44, 100, 170);
    p.hillNear = QColor(28, 30, 72, 220);
    p.speck = QColor(150, 255, 220, 200);
    p.fall = QColor(56, 110, 196, 190);
    p.fallLight = QColor(150, 255, 226, 230);
    p.batRock = QColor(46, 34, 70);
    p.batVein = QColor(170, 120, 255);
    p.batLedge = QColor(140, 110, 220, 150);
    return p;
}

sPalette sPalette::BatLand()
{
    sPalette p = LandOfFireflies();
    p.wallLow = QColor(96, 40, 110);
    p.wallHigh = QColor(54, 20, 72);
    p.earth = QColor(82, 36, 96);
    p.earthEdge = QColor(50, 20, 64);
    p.grass[0] = QColor(255, 150, 236);
    p.grass[1] = QColor(210, 96, 200);
    p.grass[2] = QColor(150, 60, 160);
    p.hillFar = QColor(120, 50, 130, 170);
    p.hillNear = QColor(80, 30, 96, 220);
    p.speck = QColor(255, 190, 250, 220);
    p.batLedge = QColor(150, 70, 180);
    p.batVein = QColor(255, 200, 250);
    p.batLand = true;
    return p;
}

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
            QColor c = BodyPixel(grid, palette, x, y, drawn);
            if (!drawn) {
                const int ceiling = grid.CeilingDistance(x, y);
                drawn = true;
                if (IsGrassBlade(grid, x, y))
                    c = palette.grass[0];
                else if (IsCave(grid, x, y, ceiling))
                    c = WallPixel(grid, palette, x, y, ceiling);
                else if (hills && ceiling < 0)
                    c = SkyPixel(palette, x, y, Horizon(grid, x), drawn);
                else
                    drawn = false;
            }
            if (drawn)
                image.setPixelColor(x, kSize - 1 - y, c);
        }
    }
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
            QColor c = BodyPixel(quake, palette, x, y, drawn);
            if (!drawn && ground.At(x, y) == CELL_AIR && ground.CeilingDistance(x, y) < 0)
                c = SkyPixel(palette, x, y, horizon, drawn);
            if (drawn)
                image.setPixelColor(x, kSize - 1 - y, c);
        }
    }
    return image;
}
