// Hearts: hovering round their anchors, picked up by characters in a real world, flying their
// random curves step by step to exit 0, which eats them, and drawn in their colours.
#include "TreeWorld.h"

#include "actors/Heart.h"
#include "tests/support/GlCanvas.h"

#include <gmock/gmock.h>

#include <cmath>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class HeartTest : public TreeWorld
{
protected:
    ~HeartTest() override { hearts.clear(); }

    cHeart* MakeHeart(float x, float y, float tx, float ty, int value, bool travelNow)
    {
        hearts.push_back(std::make_unique<cHeart>(&world, x, y, tx, ty, value, travelNow));
        return hearts.back().get();
    }

    /// Updates the heart until it reports arrival (at most limit updates); the updates taken,
    /// 0 when it never arrived.
    static int UpdatesUntilArrival(cHeart& heart, int limit = 2000)
    {
        for (int k = 1; k <= limit; ++k)
            if (heart.Update(kTick) == HEART_ARRIVED)
                return k;
        return 0;
    }

    std::vector<std::unique_ptr<cHeart>> hearts;
};

float Dist(const b2Vec2& a, const b2Vec2& b)
{
    return (a - b).Length();
}

/// Points that went through the physics' units come back within a rounding.
#define EXPECT_AT(a, b) EXPECT_LT(Dist((a), (b)), 1e-4f)

// ---- flight

TEST_F(HeartTest, FlightTakesSixUpdatesPerCurvePointAndReportsItsLastStretchAndArrival)
{
    PlaceOnGround();
    cHeart* heart = MakeHeart(0.0f, 50.0f, 100.7f, 80.2f, 1, true);
    EXPECT_EQ(heart->GetKind(), KIND_HEART);
    EXPECT_TRUE(heart->IsTravelling());
    EXPECT_EQ(heart->GetTarget(), b2Vec2(100.0f, 80.0f));
    const std::vector<b2Vec2> curve = heart->GetCurve();
    const int n = static_cast<int>(curve.size());
    ASSERT_GE(n, 3);
    EXPECT_AT(curve.front(), b2Vec2(5.5f, 55.0f));
    EXPECT_AT(curve.back(), b2Vec2(100.0f, 80.0f));

    for (int k = 1; k <= 6 * (n - 1); ++k) {
        const int result = heart->Update(kTick);
        const int expected = k == 6 * (n - 1) ? HEART_ARRIVED : k >= 6 * (n - 2) ? HEART_LAST_STRETCH : HEART_TRAVELLING;
        ASSERT_EQ(result, expected) << k;
        // Every sixth update lands on the next curve point.
        if (k % 6 == 0) {
            ASSERT_LT(Dist(heart->GetCenter(), curve[k / 6]), 1e-3f) << k;
        }
    }
    EXPECT_FALSE(heart->IsTravelling());
    EXPECT_TRUE(heart->GetCurve().empty());
    // Arrived, it stays where it is and reports nothing more, also when touched.
    for (int k = 0; k < 50; ++k)
        EXPECT_EQ(heart->Update(kTick), HEART_IDLE);
    EXPECT_LT(Dist(heart->GetCenter(), b2Vec2(100.0f, 80.0f)), 1e-3f);
    assets.sounds.Take();
    heart->OnContactAdd(character->GetPhysicsBody(), nullptr);
    EXPECT_FALSE(heart->IsTravelling());
    EXPECT_EQ(heart->Update(kTick), HEART_IDLE);
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());
}

TEST_F(HeartTest, CurvesStartAtTheHeartEndAtTheTargetAndDifferFromFlightToFlight)
{
    cHeart* heart = MakeHeart(0.0f, 0.0f, 200.0f, 0.0f, 1, false);
    heart->SetTarget(200.0f, 0.0f, false);
    const std::vector<b2Vec2> first = heart->GetCurve();
    heart->SetTarget(200.0f, 0.0f, false);
    const std::vector<b2Vec2> second = heart->GetCurve();
    EXPECT_NE(first, second);
    for (const std::vector<b2Vec2>* curve : {&first, &second}) {
        EXPECT_GE(curve->size(), 3u);
        EXPECT_AT(curve->front(), b2Vec2(5.5f, 5.0f));
        EXPECT_AT(curve->back(), b2Vec2(200.0f, 0.0f));
    }
}

TEST_F(HeartTest, LongEndsRestAtTheStartAndLongerAtTheTarget)
{
    cHeart* heart = MakeHeart(10.0f, 10.0f, 0.0f, 0.0f, 0, false);
    heart->SetTarget(80.9f, 40.0f, true);
    const std::vector<b2Vec2>& curve = heart->GetCurve();
    const size_t n = curve.size();
    ASSERT_GE(n, 7u);
    EXPECT_AT(curve[0], b2Vec2(15.5f, 15.0f));
    EXPECT_EQ(curve[1], curve[0]);
    for (size_t i = n - 4; i < n; ++i)
        EXPECT_AT(curve[i], b2Vec2(80.0f, 40.0f));
    EXPECT_NE(curve[n - 5], curve[n - 1]);
    EXPECT_EQ(UpdatesUntilArrival(*heart), 6 * static_cast<int>(n - 1));
}

TEST_F(HeartTest, HeartAlreadyAtItsTargetStillFliesItsCurveAndArrives)
{
    cHeart* heart = MakeHeart(0.0f, 0.0f, 5.5f, 5.0f, 1, true);
    const int n = static_cast<int>(heart->GetCurve().size());
    ASSERT_GE(n, 3);
    EXPECT_EQ(UpdatesUntilArrival(*heart), 6 * (n - 1));
}

// ---- hovering

struct sHover
{
    int value;
    float turn;   // +1 anticlockwise
};

class HoverTest : public HeartTest, public ::testing::WithParamInterface<sHover>
{
};

TEST_P(HoverTest, HoversOnACircleTurningByItsColour)
{
    cHeart* heart = MakeHeart(20.0f, 30.0f, 0.0f, 0.0f, GetParam().value, false);
    const b2Vec2 circle = b2Vec2(25.5f, 35.0f) + b2Vec2(3.14f, 3.14f);
    float lastAngle = 0.0f;
    for (int k = 0; k < 40; ++k) {
        ASSERT_EQ(heart->Update(kTick), HEART_IDLE);
        const b2Vec2 d = heart->GetCenter() - circle;
        ASSERT_NEAR(d.Length(), 3.2f, 1e-3f);
        // The offset from the circle's centre is (-3.2 cos a, -3.2 sin a).
        const float angle = std::atan2(-d.y, -d.x);
        if (k > 0) {
            const float step = std::remainder(angle - lastAngle, 2.0f * static_cast<float>(M_PI));
            ASSERT_NEAR(step, GetParam().turn * 3.3f * 0.02f, 1e-3f);
        }
        lastAngle = angle;
    }
    EXPECT_FALSE(heart->IsTravelling());
}

INSTANTIATE_TEST_SUITE_P(Colours, HoverTest,
                         ::testing::Values(sHover{1, 1.0f}, sHover{3, 1.0f}, sHover{0, -1.0f}, sHover{-1, -1.0f}));

// ---- picked up

struct sPickUp
{
    int value;
    int effect;
};

class PickUpTest : public HeartTest, public ::testing::WithParamInterface<sPickUp>
{
};

TEST_P(PickUpTest, WalkingIntoAHeartPicksItUpOnce)
{
    PlaceOnGround();
    cHeart* heart = MakeHeart(30.0f, 0.0f, 300.0f, 100.0f, GetParam().value, false);
    for (int t = 0; t < 100 && !heart->IsTravelling(); ++t) {
        heart->Update(kTick);
        Tick([&] { character->Walk(FACING_RIGHT); });
    }
    ASSERT_TRUE(heart->IsTravelling());
    ASSERT_EQ(assets.sounds.played.size(), 1u);
    EXPECT_EQ(assets.sounds.played[0].id, GetParam().effect);
    EXPECT_FLOAT_EQ(assets.sounds.played[0].volume, 0.2f);
    assets.sounds.Take();
    // The character keeps walking; the heart flies off and is not picked up again.
    const b2Vec2 pickedAt = heart->GetCenter();
    const std::vector<b2Vec2> curve = heart->GetCurve();
    heart->OnContactAdd(character->GetPhysicsBody(), nullptr);
    EXPECT_EQ(heart->GetCurve(), curve);
    for (int t = 0; t < 10; ++t) {
        heart->Update(kTick);
        Tick([&] { character->Walk(FACING_RIGHT); });
    }
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());
    EXPECT_GT(Dist(heart->GetCenter(), pickedAt), 1.0f);
    EXPECT_TRUE(heart->IsTravelling());
}

INSTANTIATE_TEST_SUITE_P(Colours, PickUpTest,
                         ::testing::Values(sPickUp{1, 2}, sPickUp{0, 22}, sPickUp{-1, 22}));

TEST_F(HeartTest, HeartMovedOntoACharacterStandingStillIsPickedUp)
{
    PlaceOnGround();
    // Long enough for the body to fall asleep.
    for (int t = 0; t < 100; ++t)
        Tick();
    cHeart* heart = MakeHeart(100.0f, 60.0f, 0.0f, 100.0f, 1, false);
    for (int t = 0; t < 10; ++t) {
        heart->Update(kTick);
        Tick();
    }
    ASSERT_FALSE(heart->IsTravelling());
    heart->SetPosition(2.0f, 4.0f);
    Tick();
    EXPECT_TRUE(heart->IsTravelling());
    EXPECT_THAT(assets.sounds.Take(), ElementsAre(2));
}

TEST_F(HeartTest, OnlyCharactersPickHeartsUp)
{
    cHeart* heart = MakeHeart(0.0f, 0.0f, 100.0f, 100.0f, 1, false);
    cPhysicsBody* ground = AddTerrain(-10.0f, -5.0f, 40.0f, 10.0f);
    heart->OnContactAdd(ground, nullptr);
    cRecordingActor* box = AddActor(KIND_STACK_BOX, 0.0f, 0.0f, 10.0f, 10.0f, BODY_PLATFORM, 0.0f);
    heart->OnContactAdd(box->GetPhysicsBody(), nullptr);
    EXPECT_FALSE(heart->IsTravelling());
    EXPECT_THAT(assets.sounds.Take(), IsEmpty());
}

// ---- to exit 0

struct sScored
{
    const char* name;
    int value;
    bool travelNow;   // a dying character's heart sets off at once
    int score;
    int positive;
    int negative;
};

class ScoredTest : public HeartTest, public ::testing::WithParamInterface<sScored>
{
};

TEST_P(ScoredTest, HeartFliesToExitZeroWhichEatsItAndCountsItsValue)
{
    const sScored& s = GetParam();
    PlaceOnGround();
    MakeExit(150.0f, 0.0f);
    exit->SetMaxScore(1);
    const b2Vec2 mouth = exit->GetMouthPosition() + b2Vec2(5.0f, 10.0f);
    cHeart* heart = MakeHeart(25.0f, 2.0f, mouth.x, mouth.y, s.value, s.travelNow);
    assets.sounds.Take();

    // The area's tick: exits, the character, the step, the player's walk, then the hearts.
    bool opened = false;
    bool eaten = false;
    for (int t = 0; t < 1000 && !eaten; ++t) {
        TreeTick([&] { character->Walk(FACING_RIGHT); });
        switch (heart->Update(kTick)) {
        case HEART_LAST_STRETCH:
            exit->OpenMouth(false);
            opened = opened || exit->GetMouthState() == MOUTH_OPEN;
            break;
        case HEART_ARRIVED:
            EXPECT_LT(Dist(heart->GetCenter(), mouth), 1e-3f);
            exit->EatHeart(heart->GetValue());
            hearts.clear();
            eaten = true;
            break;
        default:
            break;
        }
    }
    ASSERT_TRUE(eaten);
    EXPECT_TRUE(opened);
    int score = 0, positive = 0, negative = 0;
    exit->GetScoreInfo(&score, &positive, &negative);
    EXPECT_EQ(score, s.score);
    EXPECT_EQ(positive, s.positive);
    EXPECT_EQ(negative, s.negative);
    EXPECT_EQ(exit->GetScore(), s.score);
}

INSTANTIATE_TEST_SUITE_P(Hearts, ScoredTest,
                         ::testing::Values(sScored{"PinkTouched", 1, false, 1, 1, 0},
                                           sScored{"GreenTouched", -1, false, -1, 0, 1},
                                           sScored{"GreenOfADeath", -1, true, -1, 0, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- spent hearts and drawing

TEST_F(HeartTest, SpentHeartHasNoBodyReportsNothingAndIsNotDrawn)
{
    cHeart* heart = MakeHeart(0.0f, 0.0f, 50.0f, 50.0f, 1, true);
    const int bodies = world.GetBodyCount();
    heart->DestroyBody();
    EXPECT_EQ(world.GetBodyCount(), bodies - 1);
    EXPECT_FALSE(heart->IsVisible());
    EXPECT_EQ(heart->GetPhysicsBody(), nullptr);
    EXPECT_TRUE(heart->GetCurve().empty());
    for (int k = 0; k < 20; ++k)
        EXPECT_EQ(heart->Update(kTick), HEART_IDLE);
    const GlCanvas canvas(64, 64);
    glTranslatef(0, -240, 0);
    heart->Draw();
    EXPECT_EQ(InkIn(canvas, 0, 0, 64, 64), 0);
}

TEST_F(HeartTest, PinkAndGreenHeartsAreDrawnWhereTheyHover)
{
    cHeart* pink = MakeHeart(10.0f, 10.0f, 0.0f, 0.0f, 1, false);
    cHeart* green = MakeHeart(40.0f, 10.0f, 0.0f, 0.0f, -1, false);
    const GlCanvas canvas(80, 40);
    glTranslatef(0, -240, 0);
    pink->Draw();
    green->Draw();
    glLoadIdentity();
    green->DrawScaled(60.0f, 2.0f, 1.9f, 0.5f);
    canvas.Save("hearts.png");

    /// Sums the colour of the 11 x 10 box at (x, y).
    const auto colour = [&](int x, int y) {
        int r = 0, g = 0, ink = 0;
        for (int py = y; py < y + 10; ++py)
            for (int px = x; px < x + 11; ++px) {
                const QColor c = canvas.Pixel(px, py);
                r += c.red();
                g += c.green();
                ink += c.lightness() > 20 ? 1 : 0;
            }
        return std::make_tuple(r, g, ink);
    };
    const auto [pinkR, pinkG, pinkInk] = colour(10, 10);
    const auto [greenR, greenG, greenInk] = colour(40, 10);
    EXPECT_GT(pinkInk, 40);
    EXPECT_GT(greenInk, 40);
    EXPECT_GT(pinkR, pinkG);
    EXPECT_GT(greenG, greenR);
    EXPECT_EQ(InkIn(canvas, 24, 0, 12, 40), 0);
    // The scaled one, one unit per pixel (scale 1.9 truncated), half transparent.
    EXPECT_GT(InkIn(canvas, 59, 2, 13, 11), 20);
    EXPECT_EQ(InkIn(canvas, 59, 14, 20, 20), 0);
}

} // namespace
