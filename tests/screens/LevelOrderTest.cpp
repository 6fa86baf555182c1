// The area order: the shipped file holds the game's 30 areas and their unlocks, and a damaged file
// gives what can be read of it.
#include "screens/LevelOrder.h"

#include "tests/support/StdoutOf.h"
#include "tests/support/TestSounds.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

/// Each line: an area, then the areas its first completion unlocks.
const char* const kShippedOrder = R"(Area0 FrameSwitch
FrameSwitch IntoTheWild
IntoTheWild CaveStory
CaveStory AntlerCave
AntlerCave RainbowRoad Islands
RainbowRoad TheRainbowSpirit
TheRainbowSpirit TheWall
TheWall Islands SpiritFun
Islands DownwardSpiral BonusArea01
DownwardSpiral SpiritFun
SpiritFun UseEmptyFrame
UseEmptyFrame TheFall
TheFall BatCave
BatCave SecretPassage DeliciousSpores
SecretPassage DeliciousSpores ShroomComplex
DeliciousSpores Stair_Maze ShroomComplex
Stair_Maze GatesOfHades AntlerChallenge
ShroomComplex GatesOfHades
GatesOfHades Chasm BreakDown
Chasm BreakDown AntlerChallenge TheWaterfalls
BreakDown AntlerChallenge
AntlerChallenge CaveGeorge
CaveGeorge TheWaterfalls
TheWaterfalls Fortress
Fortress EndArea
EndArea Credits2
Credits2 What_the_Heart Spelunking Antler_Arc
What_the_Heart
Spelunking
Antler_Arc)";

std::string AreaFile(const std::string& name)
{
    return "res/Areas/" + name + ".xml";
}

TEST(LevelOrder, TheShippedOrderHoldsThirtyAreasAndTheirUnlocks)
{
    cLevelOrder order;
    ASSERT_TRUE(order.Load("res/xml/LevelOrder.xml"));
    std::istringstream lines(kShippedOrder);
    std::string line;
    size_t index = 0;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string area, unlock;
        words >> area;
        std::vector<std::string> unlocks;
        while (words >> unlock)
            unlocks.push_back(AreaFile(unlock));
        ASSERT_LT(index, order.GetAreas().size());
        EXPECT_EQ(order.GetAreas()[index].fileName, AreaFile(area)) << index;
        EXPECT_EQ(order.GetAreas()[index].unlocks, unlocks) << area;
        ++index;
    }
    EXPECT_EQ(order.GetAreas().size(), 30u);
    EXPECT_EQ(order.GetUnlocks(AreaFile("Chasm")),
              (std::vector<std::string>{AreaFile("BreakDown"), AreaFile("AntlerChallenge"), AreaFile("TheWaterfalls")}));
    EXPECT_TRUE(order.GetUnlocks(AreaFile("BonusArea01")).empty()) << "unlocked, but no area of the order";
}

TEST(LevelOrder, ADamagedFileGivesWhatCanBeReadOfIt)
{
    testsounds::cTestResourceTree tree("ordertest");
    tree.Add("order.xml", "<Anything>"
                          "<Area FileName=\"a\"><Unlocks FileName=\"b\"/><Unlocks/><Unlocks FileName=\"c\"/></Area>"
                          "<Unlocks FileName=\"stray\"/>"
                          "<Area/>"
                          "<Area FileName=\"a\"><Unlocks FileName=\"d\"/></Area>"
                          "<Area FileName=\"e\"><Unlocks FileName=\"f\"/></Wrong>"
                          "<Area FileName=\"after the error\"/>");
    ASSERT_TRUE(tree.Mount());

    cLevelOrder order;
    ASSERT_TRUE(order.Load(tree.BarePath("order.xml")));
    ASSERT_EQ(order.GetAreas().size(), 4u);
    EXPECT_EQ(order.GetAreas()[1].fileName, "") << "an Area without a file name still counts";
    EXPECT_EQ(order.GetAreas()[3].fileName, "e");
    EXPECT_EQ(order.GetUnlocks("a"), (std::vector<std::string>{"b", "c", "d"}));
    EXPECT_EQ(order.GetUnlocks("e"), std::vector<std::string>{"f"});

    bool loaded = true;
    const std::string out = StdoutOf([&] { loaded = order.Load("ordertest/none.xml"); });
    EXPECT_FALSE(loaded);
    EXPECT_TRUE(order.GetAreas().empty());
    EXPECT_EQ(out, "\n ERROR: Invalid XML resource file: ordertest/none.xml \n\n");
}

} // namespace
