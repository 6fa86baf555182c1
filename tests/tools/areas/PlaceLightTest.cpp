// The painter's places in their three lights, measured on the pictures: a cave's rock stands
// apart from its back wall, each look is lit from where its light comes, and the far hills rise
// over a step of the terrain in a slope, not a stair.
#include "PlanFile.h"

#include "tools/areas/Palette.h"
#include "tools/areas/Scenery.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

/// The mean luminance of the picture's texture pixels (x, y up) in [x0, x1) x [y0, y1).
double MeanLuminance(const QImage& picture, int x0, int x1, int y0, int y1)
{
    double sum = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            sum += Luminance(picture.pixelColor(x, 511 - y));
    return sum / ((x1 - x0) * (y1 - y0));
}

struct sLook
{
    const char* name;
    std::function<sPalette(ePlace)> palette;
};

const sLook kLooks[] = {{"day", sPalette::Day}, {"Land of Fireflies", sPalette::LandOfFireflies},
                        {"bat land", sPalette::BatLand}};
const struct {
    const char* name;
    ePlace place;
} kPlaces[] = {{"meadow", PLACE_MEADOW}, {"cave", PLACE_CAVE}, {"fortress", PLACE_FORTRESS},
               {"shore", PLACE_SHORE}, {"sky", PLACE_SKY}};

} // namespace

TEST(PlaceLight, CaveRockStandsApartFromTheBackWallInEveryPlaceAndLook)
{
    // A cave 200 wide and 60 high (texture rows 100 to 159) in a block of rock. Measured along its
    // roof and its sides, where the player reads the cave's shape: the rock within 6 pixels of the
    // air against the wall within 6 pixels of the rock.
    const sAreaPlan plan = Plan("<body x='0' y='-240' w='512' h='100' type='0'/>\n"
                                "<body x='0' y='-80' w='512' h='100' type='0'/>\n"
                                "<body x='0' y='-140' w='100' h='60' type='0'/>\n"
                                "<body x='300' y='-140' w='212' h='60' type='0'/>\n");
    for (const auto& place : kPlaces) {
        for (const sLook& look : kLooks) {
            const QImage picture = PaintScenery(plan, look.palette(place.place), true);
            const double rock = (MeanLuminance(picture, 100, 300, 160, 166) + MeanLuminance(picture, 94, 100, 110, 150) +
                                 MeanLuminance(picture, 300, 306, 110, 150)) / 3;
            const double wall = (MeanLuminance(picture, 100, 300, 154, 160) + MeanLuminance(picture, 100, 106, 110, 150) +
                                 MeanLuminance(picture, 294, 300, 110, 150)) / 3;
            const double contrast = ContrastRatio(rock, wall);
            EXPECT_GT(rock, wall) << place.name << ", " << look.name << ": the rock is the lighter";
            EXPECT_GE(contrast, 2.5) << place.name << ", " << look.name;
            RecordProperty(std::string(place.name) + " " + look.name, std::to_string(contrast));
        }
    }
}

TEST(PlaceLight, EachLookIsLitFromWhereItsLightComes)
{
    // A block of cave rock 60 x 40 hanging in a cave far wider than it, its faces on all sides
    // open: the sun lights its left face and shades its right one, the faint moon leaves the rock
    // dark beyond the first pixels of its faces, the bat land's glow lights its underside.
    const sAreaPlan plan = Plan("<body x='0' y='-240' w='512' h='20' type='0'/>\n"
                                "<body x='0' y='0' w='512' h='20' type='0'/>\n"
                                "<body x='200' y='-120' w='60' h='40' type='0'/>\n");
    auto faces = [&plan](const sPalette& palette) {
        const QImage picture = PaintScenery(plan, palette, true);
        struct {
            double left, right, under, inside, nearFace;
        } f{MeanLuminance(picture, 200, 201, 124, 156), MeanLuminance(picture, 259, 260, 124, 156),
            MeanLuminance(picture, 204, 256, 120, 121), MeanLuminance(picture, 220, 240, 130, 150),
            MeanLuminance(picture, 201, 203, 124, 156)};
        return f;
    };
    const auto day = faces(sPalette::Day(PLACE_CAVE));
    EXPECT_GT(day.left, 1.5 * day.right) << "by day the left face is in the sun, the right in shade";
    EXPECT_GT(day.inside, 0.7 * day.nearFace) << "by day the rock is lit through";
    const auto night = faces(sPalette::LandOfFireflies(PLACE_CAVE));
    EXPECT_NEAR(night.left, night.right, 0.2 * night.left) << "the moon stands straight above";
    EXPECT_LT(night.inside, 0.5 * night.nearFace) << "at night the rock falls dark away from its faces";
    const auto bat = faces(sPalette::BatLand(PLACE_CAVE));
    EXPECT_GT(bat.under, 1.5 * std::max(bat.left, bat.right)) << "the bat land's glow comes from below";
}

TEST(PlaceLight, FarHillsRiseOverAStepOfTheTerrainInASlope)
{
    // Low ground up to x 300 (top row 40), a step up to row 50 beyond it, open sky above both.
    const sAreaPlan plan = Plan("<body x='0' y='-240' w='300' h='40' type='0'/>\n"
                                "<body x='300' y='-240' w='212' h='50' type='0'/>\n");
    for (const sLook& look : kLooks) {
        const QImage picture = PaintScenery(plan, look.palette(PLACE_MEADOW), true);
        // The highest row the hills reach in each column, -1 where they are hidden.
        auto outline = [&picture](int x) {
            for (int y = 511; y >= 50; --y)
                if (picture.pixelColor(x, 511 - y).alpha() > 0)
                    return y;
            return -1;
        };
        for (int x = 301; x < 512; ++x) {
            if (outline(x) < 0 || outline(x - 1) < 0)
                continue;
            ASSERT_LE(std::abs(outline(x) - outline(x - 1)), 2) << look.name << ", column " << x;
        }
    }
}
