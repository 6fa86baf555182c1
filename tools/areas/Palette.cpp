#include "Palette.h"

#include <QHash>

#include <algorithm>
#include <cmath>

ePlace PlaceOfArea(const QString& areaName)
{
    static const QHash<QString, ePlace> places = {
        {"AntlerCave", PLACE_CAVE},      {"BatCave", PLACE_CAVE},        {"BreakDown", PLACE_CAVE},
        {"CaveGeorge", PLACE_CAVE},      {"CaveStory", PLACE_CAVE},      {"DownwardSpiral", PLACE_CAVE},
        {"GatesOfHades", PLACE_CAVE},    {"SecretPassage", PLACE_CAVE},  {"ShroomComplex", PLACE_CAVE},
        {"Spelunking", PLACE_CAVE},      {"What_the_Heart", PLACE_CAVE}, {"Fortress", PLACE_FORTRESS},
        {"TheWall", PLACE_FORTRESS},     {"Islands", PLACE_SHORE},       {"TheFall", PLACE_SHORE},
        {"TheWaterfalls", PLACE_SHORE},  {"Antler_Arc", PLACE_SKY},      {"Chasm", PLACE_SKY},
        {"RainbowRoad", PLACE_SKY},      {"SpiritFun", PLACE_SKY},       {"Stair_Maze", PLACE_SKY},
    };
    return places.value(areaName, PLACE_MEADOW);
}

namespace {

/// What every place shares in one light: where the light comes from, the grass, the far hills,
/// the planks, the water and the bat king's things.
struct sLook
{
    eLight light;
    QColor rim;
    float fade, fadeMost;
    QColor grass0, grass1, grass2, sand, hillFar, hillNear, speck, glow;
    QColor plank, plankTop, plankBottom, fall, fallLight, water, batRock, batVein, batLedge;
};

/// By day the ground is deep-toned and the far hills pale, near the colour of the sky they stand
/// in, so that the ground the characters walk on stands out from everything behind it.
const sLook kDay = {LIGHT_SUN,          {240, 206, 146},      0.006f,          0.16f,
                    {72, 140, 44},      {50, 108, 38},        {36, 80, 34},    {200, 176, 120},
                    {196, 206, 232, 110}, {170, 196, 190, 140}, {0, 0, 0, 0},    {0, 0, 0, 0},
                    {132, 88, 50},      {160, 112, 64},       {84, 54, 32},    {84, 170, 228, 190},
                    {214, 244, 255, 230}, {236, 250, 255, 220}, {78, 62, 96},   {196, 150, 255},
                    {120, 90, 160, 150}};
/// Night under a faint moon: the grass, the planks' tops and the water glow.
const sLook kNight = {LIGHT_MOON,         {176, 196, 255},      0.035f,             0.6f,
                      {96, 236, 200},     {56, 176, 156},       {40, 120, 124},     {118, 122, 170},
                      {44, 44, 100, 170}, {28, 30, 72, 220},    {0, 0, 0, 0},       {0, 0, 0, 0},
                      {84, 68, 124},      {126, 222, 204},      {50, 40, 84},       {56, 110, 196, 190},
                      {150, 255, 226, 230}, {150, 255, 226, 200}, {46, 34, 70},     {170, 120, 255},
                      {140, 110, 220, 150}};

/// The rock of a place in one light, and its cave's back wall.
struct sRock
{
    eMaterial material;
    QColor earth, earthEdge, wallLow, wallHigh;
};

/// By place, in the order of ePlace.
const sRock kDayRock[] = {
    {MATERIAL_EARTH, {142, 102, 62}, {92, 62, 40}, {62, 46, 38}, {34, 26, 24}},
    {MATERIAL_STONE, {150, 138, 120}, {96, 86, 76}, {48, 40, 42}, {24, 20, 26}},
    {MATERIAL_MASONRY, {132, 120, 108}, {84, 76, 70}, {66, 56, 56}, {38, 32, 36}},
    {MATERIAL_EARTH, {142, 102, 62}, {92, 62, 40}, {62, 46, 38}, {34, 26, 24}},
    {MATERIAL_CHALK, {112, 110, 138}, {70, 68, 92}, {60, 58, 76}, {36, 34, 50}},
};
/// The same rock under the night's faint light, its faces catching the moon. A cave's back wall
/// stays a wall of rock in the moonlight that falls in, a little darker than by day: darker still
/// it reads as open night sky. The cave's own rock is pale, so that it stands out from that wall.
const sRock kNightRock[] = {
    {MATERIAL_EARTH, {106, 96, 164}, {44, 38, 84}, {46, 40, 66}, {26, 22, 42}},
    {MATERIAL_STONE, {164, 164, 216}, {72, 70, 116}, {32, 30, 52}, {18, 16, 30}},
    {MATERIAL_MASONRY, {116, 112, 156}, {52, 50, 86}, {48, 44, 70}, {28, 26, 46}},
    {MATERIAL_EARTH, {106, 96, 164}, {44, 38, 84}, {46, 40, 66}, {26, 22, 42}},
    {MATERIAL_CHALK, {142, 142, 192}, {70, 70, 112}, {44, 44, 74}, {26, 26, 48}},
};

sPalette Palette(const sLook& look, const sRock& rock)
{
    sPalette p;
    p.light = look.light;
    p.rim = look.rim;
    p.fade = look.fade;
    p.fadeMost = look.fadeMost;
    p.grass[0] = look.grass0;
    p.grass[1] = look.grass1;
    p.grass[2] = look.grass2;
    p.sand = look.sand;
    p.hillFar = look.hillFar;
    p.hillNear = look.hillNear;
    p.speck = look.speck;
    p.glow = look.glow;
    p.plank = look.plank;
    p.plankTop = look.plankTop;
    p.plankBottom = look.plankBottom;
    p.fall = look.fall;
    p.fallLight = look.fallLight;
    p.water = look.water;
    p.batRock = look.batRock;
    p.batVein = look.batVein;
    p.batLedge = look.batLedge;
    p.material = rock.material;
    p.earth = rock.earth;
    p.earthEdge = rock.earthEdge;
    p.wallLow = rock.wallLow;
    p.wallHigh = rock.wallHigh;
    return p;
}

} // namespace

sPalette sPalette::Day(ePlace place)
{
    sPalette p = Palette(kDay, kDayRock[place]);
    if (place == PLACE_CAVE) {
        // Grey light on grey stone, and the grass at the cave's mouths darker, mossy.
        p.rim = QColor(226, 216, 196);
        p.grass[0] = QColor(112, 170, 84);
        p.grass[1] = QColor(80, 134, 64);
        p.grass[2] = QColor(60, 100, 52);
    } else if (place == PLACE_FORTRESS || place == PLACE_SKY) {
        p.rim = QColor(252, 244, 224);
    }
    if (place == PLACE_SKY) {
        p.hillFar = QColor(150, 160, 206, 150);
        p.hillNear = QColor(255, 255, 255, 150);
        p.skyIslands = true;
    }
    return p;
}

sPalette sPalette::LandOfFireflies(ePlace place)
{
    sPalette p = Palette(kNight, kNightRock[place]);
    // Inside a cave the rock is most of what is seen: it falls dark away from its faces, but not
    // so far that it melts into the back wall.
    if (place == PLACE_CAVE)
        p.fadeMost = 0.35f;
    if (place == PLACE_SKY) {
        p.hillFar = QColor(20, 22, 60, 190);
        p.hillNear = QColor(90, 100, 160, 130);
        p.skyIslands = true;
    }
    return p;
}

sPalette sPalette::BatLand(ePlace place)
{
    sPalette p = LandOfFireflies(place);
    p.light = LIGHT_BELOW;
    p.rim = QColor(255, 168, 244);
    p.fade = 0.025f;
    p.fadeMost = 0.5f;
    // The bat land's rock is the place's own, steeped in violet.
    auto violet = [](const QColor& c) { return QColor((c.red() + 170) / 2, c.green() * 3 / 5, (c.blue() + 180) / 2); };
    p.earth = violet(p.earth);
    p.earthEdge = QColor(50, 20, 64);
    p.wallLow = QColor(32, 8, 42);
    p.wallHigh = QColor(16, 4, 24);
    p.grass[0] = QColor(176, 64, 176);
    p.grass[1] = QColor(132, 42, 142);
    p.grass[2] = QColor(96, 30, 110);
    p.sand = violet(p.sand);
    p.hillFar = QColor(120, 50, 130, 170);
    p.hillNear = QColor(80, 30, 96, 220);
    p.speck = QColor(255, 190, 250, 220);
    p.glow = QColor(230, 100, 240, 60);
    p.water = QColor(255, 200, 250, 200);
    p.batLedge = QColor(150, 70, 180);
    p.batVein = QColor(255, 200, 250);
    p.batLand = true;
    return p;
}

sPalette sPalette::WithGround(const std::function<QColor(const QColor&)>& change) const
{
    sPalette p = *this;
    for (QColor* c : {&p.grass[0], &p.grass[1], &p.grass[2], &p.earth, &p.earthEdge, &p.rim, &p.sand, &p.plank,
                      &p.plankTop, &p.plankBottom})
        *c = change(*c);
    return p;
}

sPalette sPalette::WithRock(const std::function<QColor(const QColor&)>& change) const
{
    sPalette p = *this;
    for (QColor* c : {&p.earth, &p.earthEdge, &p.sand})
        *c = change(*c);
    return p;
}

double Luminance(const QColor& c)
{
    auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
}

double ContrastRatio(double a, double b)
{
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}
