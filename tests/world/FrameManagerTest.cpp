#include "actors/Star.h"
#include "world/ComicFrame.h"
#include "world/CommonResources.h"
#include "world/FrameEditor.h"

#include "BackgroundPrinting.h"

#include "FakeArea.h"
#include "tests/support/StdoutOf.h"

#include <QString>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

/// A manager over `area` with `sets` frame sets, each holding one 20 x 10 texel frame at (10, 20),
/// scale 2, and a flat blue background.
void Fill(cFrameManager& m, int sets)
{
    for (int i = 0; i < sets; ++i) {
        const int set = m.AddFrameSet();
        m.AddFrame(set, 10, 20, 0, 0, 20, 10, 2, true, false);
    }
    m.SetBackground({0, 0, 255, -1, -1, -1});
}

float FirstAlpha(const cFrameManager& m)
{
    return m.GetFrameSet(m.GetCurrentFrameSet())[0]->GetAlpha();
}

} // namespace

struct ResizeCase
{
    int width, height, pixelSize, offsetX, offsetY;
};

class FrameManagerResize : public testing::TestWithParam<ResizeCase>
{
};

TEST_P(FrameManagerResize, LargestWholePixelSizeThatFitsCentred)
{
    const ResizeCase c = GetParam();
    cFrameEditor m(nullptr);
    m.Resize(c.width, c.height);
    EXPECT_EQ(m.GetPixelSize(), c.pixelSize);
    EXPECT_EQ(m.GetOffsetX(), c.offsetX);
    EXPECT_EQ(m.GetOffsetY(), c.offsetY);
}

INSTANTIATE_TEST_SUITE_P(Windows, FrameManagerResize,
                         testing::Values(ResizeCase{700, 440, 1, 110, 84}, ResizeCase{960, 544, 2, 0, 0},
                                         ResizeCase{1920, 1080, 3, 240, 132}, ResizeCase{480, 272, 1, 0, 0},
                                         ResizeCase{400, 200, 1, -40, -36}, ResizeCase{2560, 1440, 5, 80, 40}));

TEST(FrameManager, ASecondSwitchFadesOutAndInAndHoldsTheAreaFromAFifthToFourFifths)
{
    FakeArea area;
    cFrameEditor m(&area);
    Fill(m, 2);
    m.SwitchToFrameSet(1, 1000);
    EXPECT_EQ(m.GetState(), kFramesFadingOut);
    for (int t = 20; t <= 1000; t += 20) {
        m.Update(20);
        SCOPED_TRACE("at " + std::to_string(t) + " ms");
        EXPECT_EQ(area.paused, t >= 100 && t < 900);
        EXPECT_FALSE(area.pauseScreen);
        if (t < 500) {
            EXPECT_EQ(m.GetState(), kFramesFadingOut);
            EXPECT_EQ(m.GetCurrentFrameSet(), 0);
            EXPECT_NEAR(FirstAlpha(m), std::max(0.0, 1 - std::sqrt(t / 250.0)), 1e-5);
        } else if (t < 1000) {
            EXPECT_EQ(m.GetState(), kFramesFadingIn);
            EXPECT_EQ(m.GetCurrentFrameSet(), 1);
            EXPECT_NEAR(FirstAlpha(m), std::min(1.0, std::sqrt((t - 500) / 250.0)), 1e-5);
        } else {
            EXPECT_EQ(m.GetState(), kFramesIdle);
            EXPECT_FLOAT_EQ(FirstAlpha(m), 1);
        }
    }
}

TEST(FrameManager, SwitchIndexIsTakenModuloTheSetCount)
{
    cFrameEditor m(nullptr);
    Fill(m, 3);
    m.SwitchToFrameSet(5, 1000);
    for (int i = 0; i < 50; ++i)
        m.Update(20);
    EXPECT_EQ(m.GetCurrentFrameSet(), 2);
}

TEST(FrameManager, SwitchToASetThatDoesNotExistIsRefused)
{
    cFrameEditor m(nullptr);
    std::string out = StdoutOf([&] { m.SwitchToFrameSet(0, 1000); });
    EXPECT_NE(out.find("ERROR:"), std::string::npos);
    EXPECT_EQ(m.GetState(), kFramesIdle);
    m.Update(20); // nothing to fade, nothing to crash on

    Fill(m, 2);
    out = StdoutOf([&] { m.SwitchToFrameSet(2, 0); });
    EXPECT_NE(out.find("ERROR:"), std::string::npos);
    EXPECT_EQ(m.GetCurrentFrameSet(), 0);
    m.SwitchToFrameSet(1, 0);
    EXPECT_EQ(m.GetCurrentFrameSet(), 1);
    EXPECT_EQ(m.GetState(), kFramesIdle);
}

TEST(FrameManager, ShakeThenSwitchShowsSetOneAfterTheDelay)
{
    cFrameEditor m(nullptr);
    Fill(m, 2);
    m.ShakeThenSwitch(4000, 5, 5, 100, true);
    EXPECT_EQ(m.GetState(), kFramesShakingBeforeSwitch);
    for (int i = 0; i < 200; ++i)
        m.Update(20);
    EXPECT_EQ(m.GetState(), kFramesShakingBeforeSwitch) << "4000 ms is not yet more than the delay";
    m.Update(20);
    EXPECT_EQ(m.GetState(), kFramesFadingOut);
    EXPECT_EQ(m.GetFrameSet(0)[0]->GetScreenPos(), QPointF(10, 20)) << "the shake is over, the frame home";
    int ticks = 0;
    while (m.GetState() != kFramesIdle && ticks < 100) {
        m.Update(20);
        ++ticks;
    }
    EXPECT_EQ(m.GetCurrentFrameSet(), 1);
    // 250 ms each way in whole ticks of 20 ms.
    EXPECT_EQ(ticks, 26);
}

TEST(FrameManager, RefusedAutomaticSwitchIsTriedAgainOneDelayLater)
{
    cFrameEditor m(nullptr);
    Fill(m, 2);
    m.ShakeThenSwitch(100, 3, 3, 100, true);
    m.GetFrameSet(0)[0]->StartRotateLeft(1); // glides for 14 ticks
    int tick = 0;
    while (m.GetState() == kFramesShakingBeforeSwitch && tick < 100) {
        m.Update(20);
        ++tick;
    }
    // Tried at tick 6 and 12 while the frame glides, accepted at 18.
    EXPECT_EQ(tick, 18);
    EXPECT_EQ(m.GetState(), kFramesFadingOut);
}

TEST(FrameManager, FadeOutWithoutTargetEndsTheAreaForGood)
{
    FakeArea area;
    cFrameEditor m(&area);
    Fill(m, 2);
    m.StartFadeOut(600);
    for (int t = 20; t <= 800; t += 20) {
        m.Update(20);
        EXPECT_EQ(m.IsFadedOut(), t >= 600) << t;
        EXPECT_EQ(area.paused, t >= 120) << t;
    }
    EXPECT_EQ(m.GetState(), kFramesFadingOut);
    EXPECT_FLOAT_EQ(FirstAlpha(m), 0);

    cFrameEditor switching(&area);
    Fill(switching, 2);
    switching.SwitchToFrameSet(1, 1000);
    for (int i = 0; i < 50; ++i) {
        switching.Update(20);
        EXPECT_FALSE(switching.IsFadedOut());
    }
}

TEST(FrameManager, FadesTooShortToHalveAreOverAtOnce)
{
    FakeArea area;
    cFrameEditor m(&area);
    Fill(m, 2);
    m.SwitchToFrameSet(1, 3);
    m.Update(20);
    EXPECT_EQ(m.GetState(), kFramesFadingIn);
    EXPECT_EQ(m.GetCurrentFrameSet(), 1);
    m.Update(20);
    EXPECT_EQ(m.GetState(), kFramesIdle);
    EXPECT_FLOAT_EQ(FirstAlpha(m), 1);
    EXPECT_FALSE(area.paused);
}

TEST(FrameManager, BackgroundFlashesLilacAndFollowsTheAreaBlend)
{
    FakeArea area;
    cFrameEditor m(&area);
    Fill(m, 1);
    m.GetBackground()->AddRecord({0, 0, 0, -1, -1, -1}, false);
    m.FlashBackground(600);
    EXPECT_EQ(m.GetBackground()->GetShownColors(), (sZorv_BG_Color{216, 203, 236, 181, 159, 217}));
    for (int i = 0; i < 30; ++i)
        m.Update(20);
    EXPECT_EQ(m.GetBackground()->GetShownColors(), (sZorv_BG_Color{0, 0, 255, 0, 0, 255}));

    area.blend = 0.4f;
    m.Update(20);
    EXPECT_FLOAT_EQ(m.GetBackground()->GetFadeFraction(), 0.4f);
    EXPECT_EQ(m.GetBackground()->GetTargetColors(), (sZorv_BG_Color{0, 0, 0, 0, 0, 0}));

    m.FadeBackgroundTo(600);
    EXPECT_EQ(m.GetBackground()->GetTargetColors(), (sZorv_BG_Color{216, 203, 236, 181, 159, 217}));

    // An area that starts in the Vadi do Davovodaz flashes back to the day colour, which its blend
    // at exactly 1 leaves standing.
    area.blend = 1;
    m.FlashBackground(600);
    for (int i = 0; i < 30; ++i)
        m.Update(20);
    EXPECT_EQ(m.GetBackground()->GetShownColors(), (sZorv_BG_Color{0, 0, 255, 0, 0, 255}));
}

TEST(FrameManager, HitTestFindsTheFirstFrameUnderAWindowPoint)
{
    cFrameEditor m(nullptr);
    const int set = m.AddFrameSet();
    m.AddFrame(set, 100, 50, 0, 0, 32, 16, 4, true, false); // window x 200..456, y 100..228 (y up)
    m.AddFrame(set, 150, 50, 0, 0, 32, 16, 4, true, false);
    m.Resize(960, 544);
    const cComicFrame* first = m.GetFrameSet(set)[0].get();
    const cComicFrame* second = m.GetFrameSet(set)[1].get();
    EXPECT_EQ(m.FrameAtWindowPoint(200, 544 - 100), first);
    EXPECT_EQ(m.FrameAtWindowPoint(456, 544 - 228), first);
    EXPECT_EQ(m.FrameAtWindowPoint(350, 544 - 150), first) << "the overlap belongs to the first";
    EXPECT_EQ(m.FrameAtWindowPoint(457, 544 - 150), second);
    EXPECT_EQ(m.FrameAtWindowPoint(199, 544 - 150), nullptr);
    EXPECT_EQ(m.FrameAtWindowPoint(300, 544 - 229), nullptr);

    m.Resize(1920, 1080); // pixel size 3, offsets (240, 132)
    EXPECT_EQ(m.FrameAtWindowPoint(240 + 300, 1080 - 132 - 150), first);
    EXPECT_EQ(m.FrameAtWindowPoint(239 + 300, 1080 - 132 - 150), nullptr);
}

struct FollowCase
{
    bool hasPlayer;
    float x, y;
    int u, v;
};

class FrameManagerDynamicFrame : public testing::TestWithParam<FollowCase>
{
};

TEST_P(FrameManagerDynamicFrame, WindowFollowsThePlayerInsideTheTexture)
{
    const FollowCase c = GetParam();
    FakeArea area;
    area.hasPlayer = c.hasPlayer;
    area.playerX = c.x;
    area.playerY = c.y;
    cFrameEditor m(&area);
    m.AddDynamicFrame(m.AddFrameSet(), 0, 0, 7, 9, 40, 30, 2, true);
    m.Update(20);
    const cComicFrame& f = *m.GetFrameSet(0)[0];
    EXPECT_EQ(f.GetTexMin(), QPointF(c.u, c.v));
    EXPECT_EQ(f.GetTexWidth(), 40);
    EXPECT_EQ(f.GetTexHeight(), 30);
}

INSTANTIATE_TEST_SUITE_P(Players, FrameManagerDynamicFrame,
                         testing::Values(FollowCase{true, 100, 50, 80, 206}, FollowCase{true, -50, 400, 0, 0},
                                         FollowCase{true, 600, -300, 471, 481}, FollowCase{false, 100, 50, 7, 9}));

TEST(FrameManager, RenderPassHasTheAreaDrawAsAsked)
{
    FakeArea area;
    cFrameEditor m(&area);
    ASSERT_NE(m.GetWorldTexture(), 0u);
    m.RenderWorldToTexture(true, false, true, false);
    EXPECT_EQ(area.draws, 1);
    EXPECT_TRUE(area.lastSky);
    EXPECT_FALSE(area.lastBackground);
    EXPECT_EQ(area.physicsDraws, 1);
    EXPECT_EQ(area.playerDraws, 0);

    cFrameEditor alone(nullptr);
    alone.RenderWorldToTexture(true, true, true, true);
    alone.Resize(960, 544);
    alone.Update(20);
    alone.Draw(); // no area, no set, no background: nothing to draw and nothing to fail
}

/// The alpha of every star of the store.
std::vector<float> StarAlphas(const cCommonResources& store)
{
    std::vector<float> alphas;
    for (const Star* star : store.GetStars())
        alphas.push_back(star->GetAlpha());
    return alphas;
}

TEST(FrameManager, StarsTwinkleWithTheTicksOnlyWhileShown)
{
    cCommonResources store(nullptr);
    store.CreateStars(40);
    cFrameEditor m(nullptr, &store);
    Fill(m, 1);
    const std::vector<float> start = StarAlphas(store);
    for (int i = 0; i < 5; ++i)
        m.Update(20);
    EXPECT_EQ(StarAlphas(store), start) << "hidden stars hold still";

    m.SetStarsVisible(true);
    m.Update(20);
    m.Update(20);
    EXPECT_EQ(StarAlphas(store), start) << "a star steps once 51 ms have passed";
    m.Update(20);
    const std::vector<float> stepped = StarAlphas(store);
    for (size_t i = 0; i < start.size(); ++i)
        EXPECT_NE(stepped[i], start[i]) << "star " << i;

    cFrameEditor starless(nullptr);
    starless.SetStarsVisible(true);
    starless.Update(60); // no store: nothing to twinkle and nothing to fail
    EXPECT_EQ(StarAlphas(store), stepped);
}

TEST(FrameEditor, SelectsMovesAndDeletesFramesOfTheCurrentSet)
{
    cFrameEditor m(nullptr);
    Fill(m, 2);
    m.Resize(480, 272);
    ASSERT_TRUE(m.SelectAt(15, 272 - 25));
    cComicFrame* f = m.GetSelectedFrame();
    ASSERT_EQ(f, m.GetFrameSet(0)[0].get());

    m.MoveSelection(-1.5f, 3);
    EXPECT_EQ(f->GetScreenPos(), QPointF(8, 23));
    EXPECT_EQ(f->GetHomePos(), QPointF(8, 23));
    m.MoveSelectionContent(2, 1);
    EXPECT_EQ(f->GetTexMin(), QPointF(2, 1));
    m.SetSelectionTexOrigin(50, 60); // 20 x 10 texels: not square
    EXPECT_EQ(f->GetTexMin(), QPointF(2, 1));

    m.DeleteSelection();
    EXPECT_FALSE(m.HasSelection());
    EXPECT_TRUE(m.GetFrameSet(0).empty());
    m.MoveSelectionContent(1, 1); // nothing selected: nothing happens

    ASSERT_TRUE(m.SelectAt(15, 272 - 25) == false);
    m.SwitchToFrameSet(1, 0);
    ASSERT_TRUE(m.SelectAt(15, 272 - 25));
    m.SwitchToFrameSet(0, 0);
    EXPECT_FALSE(m.HasSelection()) << "a switch clears the selection";

    m.SwitchToFrameSet(1, 0);
    m.DisableEditing();
    EXPECT_FALSE(m.SelectAt(15, 272 - 25));
    m.EnableEditing();
    EXPECT_TRUE(m.SelectAt(15, 272 - 25));
}

TEST(FrameEditor, BackgroundColourMakesOrOverwritesRecordZero)
{
    cFrameEditor m(nullptr);
    m.SetBackgroundColor({1, 2, 3, -1, -1, -1});
    EXPECT_EQ(m.GetBackgroundColor(), (sZorv_BG_Color{1, 2, 3, 1, 2, 3}));
    m.GetBackground()->AddRecord({9, 9, 9, -1, -1, -1}, false);
    m.SetBackgroundColor({4, 5, 6, 7, 8, 9});
    EXPECT_EQ(m.GetBackgroundColor(), (sZorv_BG_Color{4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(m.GetBackground()->GetRecordCount(), 2);
}
