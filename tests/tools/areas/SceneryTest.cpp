// What the area painter makes of the kinds of terrain: rock that the bat king's bubbles open
// and the ledges only it stands on, in the day picture and in the bat land; walls of sensor
// bodies; planks in the open sky; caves, and the open air under a ledge high over a chasm.
#include "PlanFile.h"

#include "tools/areas/Scenery.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

/// The alpha of the picture at world point (x, y): 0 where the sky shows through.
int AlphaAt(const QImage& picture, int x, int y)
{
    return picture.pixelColor(x, 511 - (y + 240)).alpha();
}

// A floor at y -200 with, from left to right: bat rock, a bat ledge, a sensor wall, a plank,
// a low cave and a ledge jutting out high over a deep chasm.
const QByteArray kTerrain = "<body x='0' y='-240' w='512' h='40' type='0'/>\n"
                            "<body x='20' y='-200' w='20' h='60' type='5'/>\n"
                            "<body x='60' y='-150' w='20' h='4' type='4'/>\n"
                            "<body x='100' y='-200' w='10' h='40' type='7'/>\n"
                            "<body x='140' y='-150' w='30' h='4' type='1'/>\n"
                            "<body x='200' y='-160' w='60' h='20' type='0'/>\n"
                            "<body x='300' y='-240' w='20' h='400' type='0'/>\n"
                            "<body x='320' y='150' w='40' h='10' type='0'/>\n";

TEST(Scenery, BatRockAndBatLedgesDifferBetweenTheDayAndTheBatLand)
{
    const sAreaPlan plan = Plan(kTerrain);
    const QImage day = PaintScenery(plan, sPalette::Day(), true);
    const QImage batLand = PaintScenery(plan, sPalette::BatLand(), true);
    // By day the rock is solid; in the bat land it is open air under the sky.
    EXPECT_EQ(AlphaAt(day, 30, -150), 255);
    EXPECT_EQ(AlphaAt(batLand, 30, -150), 0);
    // By day the ledge is only a dotted line along its top; in the bat land it shines whole.
    EXPECT_EQ(AlphaAt(day, 70, -149), 0);
    int dotted = 0;
    for (int x = 60; x < 80; ++x)
        dotted += AlphaAt(day, x, -147) > 0 ? 1 : 0;
    EXPECT_GT(dotted, 5);
    EXPECT_LT(dotted, 20);
    EXPECT_EQ(AlphaAt(batLand, 70, -149), 255);
}

TEST(Scenery, SensorWallsLookLikeRockAndOnlyRockMakesCaves)
{
    const sAreaPlan plan = Plan(kTerrain);
    const QImage day = PaintScenery(plan, sPalette::Day(), true);
    EXPECT_EQ(day.pixelColor(105, 511 - 60), PaintScenery(Plan(QByteArray(kTerrain).replace("type='7'", "type='0'")),
                                                          sPalette::Day(), true).pixelColor(105, 511 - 60));
    // Under a plank in the open the sky shows; under a low roof of rock there is a cave wall.
    EXPECT_EQ(AlphaAt(day, 155, -158), 0);
    EXPECT_EQ(AlphaAt(day, 230, -190), 255);
    // Under a ledge high over the chasm the air is open sky, not the inside of a cave.
    EXPECT_EQ(AlphaAt(day, 340, 0), 0);
}

} // namespace

TEST(Scenery, PlanksThatGoOnAsRockAndTallShaftsBelongToTheCave)
{
    // A plank that goes on as a rock floor, the same plank standing free or on a post, and a shaft
    // far taller than a cave room between two walls under one roof.
    const QByteArray ledge = "<body x='0' y='-240' w='512' h='40' type='0'/>\n"
                             "<body x='100' y='-200' w='20' h='54' type='0'/>\n"
                             "<body x='120' y='-150' w='40' h='4' type='1'/>\n"
                             "<body x='200' y='-200' w='20' h='300' type='0'/>\n"
                             "<body x='260' y='-200' w='20' h='300' type='0'/>\n"
                             "<body x='200' y='100' w='80' h='10' type='0'/>\n";
    const QImage day = PaintScenery(Plan(ledge), sPalette::Day(), true);
    EXPECT_EQ(AlphaAt(day, 140, -170), 255) << "under a plank that goes on as rock";
    EXPECT_EQ(AlphaAt(day, 240, -150), 255) << "low in the shaft";
    EXPECT_EQ(AlphaAt(day, 240, 80), 255) << "high in the shaft";
    const QImage free = PaintScenery(Plan(QByteArray(ledge).replace("x='120' y='-150'", "x='130' y='-150'")),
                                     sPalette::Day(), true);
    EXPECT_EQ(AlphaAt(free, 145, -170), 0) << "under a plank standing free";
    const QImage post = PaintScenery(Plan(QByteArray(ledge).replace("x='100' y='-200' w='20'", "x='116' y='-200' w='4'")),
                                     sPalette::Day(), true);
    EXPECT_EQ(AlphaAt(post, 140, -170), 0) << "under a plank on a post";
}

TEST(Scenery, ThornsPointAwayFromWhatTheyGrowOn)
{
    // A bush on the floor and one hanging from a rock roof over open air, each 12 wide and 6 high.
    const QByteArray thorns = "<body x='0' y='-240' w='512' h='40' type='0'/>\n"
                              "<body x='40' y='-200' w='12' h='6' type='2'/>\n"
                              "<body x='0' y='-150' w='100' h='20' type='0'/>\n"
                              "<body x='60' y='-156' w='12' h='6' type='2'/>\n";
    const QImage picture = PaintScenery(Plan(thorns), sPalette::Day(), true);
    const QImage bare = PaintScenery(Plan(thorns).WithoutThorns(), sPalette::Day(), true);
    const auto drawn = [&](int x, int y) { return picture.pixel(x, 511 - (y + 240)) != bare.pixel(x, 511 - (y + 240)); };
    // The second point of each, and halfway between it and the first: air at the points' side, the
    // bush at its root.
    EXPECT_TRUE(drawn(44, -195)) << "standing: the point on top";
    EXPECT_FALSE(drawn(42, -195)) << "standing: air between the points";
    EXPECT_TRUE(drawn(42, -200)) << "standing: the root on the floor";
    EXPECT_TRUE(drawn(64, -156)) << "hanging: the point below";
    EXPECT_FALSE(drawn(62, -156)) << "hanging: air between the points";
    EXPECT_TRUE(drawn(62, -151)) << "hanging: the root at the roof";
}

TEST(Scenery, TheCaveWallRunsOnBehindThornBushes)
{
    // A low cave with a bush on its floor and one hanging from its roof: the wall seen between the
    // spikes and above the bush is the wall the cave shows where no bush grows.
    const QByteArray cave = "<body x='0' y='-240' w='512' h='40' type='0'/>\n"
                            "<body x='0' y='-160' w='512' h='20' type='0'/>\n";
    const QByteArray bushes = "<body x='20' y='-200' w='12' h='6' type='2'/>\n"
                              "<body x='60' y='-170' w='12' h='10' type='2'/>\n";
    const QImage bare = PaintScenery(Plan(cave), sPalette::Day(), true);
    const QImage thorny = PaintScenery(Plan(cave + bushes), sPalette::Day(), true);
    const struct {
        int x, y;
        const char* where;
    } points[] = {{23, -196, "between the standing spikes"},
                  {26, -190, "above the standing bush"},
                  {62, -167, "between the hanging spikes"}};
    for (const auto& p : points)
        EXPECT_EQ(thorny.pixelColor(p.x, 511 - (p.y + 240)), bare.pixelColor(p.x, 511 - (p.y + 240))) << p.where;
}

TEST(Scenery, TheFirstAreasHillsStandOnOneHorizonBehindTerraceAndCliff)
{
    // The ground, a terrace and a cliff, and a plank that the quake adds.
    const sAreaPlan plan = Plan("<body x='-10' y='-240' w='500' h='60' type='0'/>\n"
                                "<body x='306' y='-180' w='90' h='14' type='0'/>\n"
                                "<body x='396' y='-180' w='94' h='54' type='0'/>\n"
                                "<body x='330' y='-156' w='24' h='4' type='1' addAfterQuake='1'/>\n");
    const QImage backdrop = PaintBackdrop(plan, sPalette::Day());
    // Column by column, the top of the hills: it rises and falls gently, with no step where the
    // terrace begins; below it the hills reach down to the ground behind the terrace.
    auto hillTop = [&](int x) {
        for (int y = 40; y > -180; --y)
            if (AlphaAt(backdrop, x, y) > 0)
                return y;
        return -180;
    };
    for (int x = 240; x < 395; ++x) {
        if (x >= 328 && x <= 356)
            continue; // the plank
        EXPECT_LE(std::abs(hillTop(x + 1) - hillTop(x)), 2) << "at x " << x;
    }
    EXPECT_GT(AlphaAt(backdrop, 380, -165), 0) << "hills right above the terrace";
}

TEST(Scenery, TerrainThinnerThanABoardIsDrawnAsOne)
{
    // Rock, a plank and a bat ledge 2 high, over open air: each shows a board's 4 rows at its ends;
    // the ledge by day only its outline.
    const sAreaPlan plan = Plan("<body x='0' y='-240' w='512' h='20' type='0'/>\n<body x='100' y='0' w='24' h='2' type='0'/>\n"
                                "<body x='200' y='0' w='24' h='2' type='1'/>\n<body x='300' y='0' w='24' h='2' type='4'/>\n");
    const QImage day = PaintScenery(plan, sPalette::Day(), true);
    for (int x : {100, 223, 300, 323})
        for (int y = -3; y <= 1; ++y)
            EXPECT_EQ(AlphaAt(day, x, y) > 0, y > -3) << "column " << x << ", row " << y;
    EXPECT_EQ(AlphaAt(day, 310, -1), 0) << "inside the ledge's outline";
}
