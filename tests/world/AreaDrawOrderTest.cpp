// The order in which an area draws its characters, first at the back: a fluttering spirit and the
// characters in the trees' mouths behind, then the higher ones behind the lower ones, and the
// character under control in front of an equal one.
#include "CharacterArea.h"

#include "world/AreaPainter.h"

namespace {

class AreaDrawOrderTest : public CharacterArea
{
protected:
    /// The three plain characters placed with their bottoms at these heights.
    void PlaceAt(float brownY, float orangeY, float grayY, int current)
    {
        Enter({&brown, &orange, &gray}, current);
        brown.Init(area.GetWorld(), -60.0f, brownY);
        orange.Init(area.GetWorld(), -30.0f, orangeY);
        gray.Init(area.GetWorld(), 0.0f, grayY);
    }
    std::vector<int> Order() const { return cAreaPainter::DrawingOrder(area.players, area.currentPlayer); }
};

TEST_F(AreaDrawOrderTest, HigherCharactersAreDrawnBehindLowerOnes)
{
    PlaceAt(10.0f, 50.0f, 30.0f, 0);
    EXPECT_EQ(Order(), (std::vector<int>{1, 2, 0}));
}

TEST_F(AreaDrawOrderTest, TheCurrentCharacterStandsInFrontOfAnEqualOne)
{
    // On equal values the later index goes behind, unless it is the current character.
    PlaceAt(0.0f, 0.0f, 40.0f, 0);
    EXPECT_EQ(Order(), (std::vector<int>{2, 1, 0}));
    area.currentPlayer = 1;
    EXPECT_EQ(Order(), (std::vector<int>{2, 0, 1}));
    gray.Init(area.GetWorld(), 0.0f, -40.0f);
    EXPECT_EQ(Order(), (std::vector<int>{0, 1, 2}));
}

TEST_F(AreaDrawOrderTest, OnceTwoAreListedTheCurrentCharacterTakesTiesByIndexToo)
{
    PlaceAt(0.0f, 0.0f, 40.0f, 1);
    area.players.push_back(&antler);
    gray.EnterExit(nullptr);
    antler.EnterExit(nullptr);
    EXPECT_EQ(Order(), (std::vector<int>{2, 3, 1, 0}));
}

TEST_F(AreaDrawOrderTest, FlutteringAndSwallowedCharactersGoBehindEveryoneAndMayBeListedTwice)
{
    PlaceAt(80.0f, 0.0f, 40.0f, 0);
    gray.EnterExit(nullptr);
    EXPECT_EQ(Order(), (std::vector<int>{2, 0, 1}));

    orange.SetAnimation(ANIM_SPECIAL, true);
    EXPECT_EQ(Order(), (std::vector<int>{1, 2, 0}));
    orange.EnterExit(nullptr);
    orange.SetAnimation(ANIM_SPECIAL, true);
    EXPECT_EQ(Order(), (std::vector<int>{1, 1, 2, 0}));
}

TEST_F(AreaDrawOrderTest, CharactersFarBelowTheWorldAreNotDrawn)
{
    PlaceAt(0.0f, -2000.0f, 10.0f, 0);
    EXPECT_EQ(Order(), (std::vector<int>{2, 0}));
    EXPECT_EQ(cAreaPainter::DrawingOrder({nullptr, &orange, &gray}, 0), (std::vector<int>{2}));
}

} // namespace
