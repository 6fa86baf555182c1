#include "actors/Star.h"
#include "world/ComicFrame.h"
#include "world/CommonResources.h"
#include "world/FrameEditor.h"

#include "engine/Animation.h"
#include "engine/Image.h"
#include "engine/SharedAssets.h"

#include "FakeArea.h"
#include "tests/support/GlCanvas.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

namespace {

constexpr int kWidth = 960, kHeight = 544; // pixel size 2, no offset
constexpr int kPixel = 2;
const QColor kWhite(255, 255, 255);

/// The colour the synthetic world shows at texel (u, row from the bottom).
QColor World(int tx, int ty)
{
    unsigned char rgb[3];
    FakeArea::WorldColor(tx, ty, rgb);
    return QColor(rgb[0], rgb[1], rgb[2]);
}

/// The world colour an unfaded frame should show at window pixel (wx, wy).
QColor Expected(const cComicFrame& f, int wx, int wy)
{
    const int magnification = kPixel * f.GetScreenWidth() / f.GetTexWidth();
    const int x0 = static_cast<int>(f.GetScreenPos().x()) * kPixel;
    const int y0 = static_cast<int>(f.GetScreenPos().y()) * kPixel;
    const int bottomRow = 511 - (static_cast<int>(f.GetTexMin().y()) + f.GetTexHeight() - 1);
    return World(static_cast<int>(f.GetTexMin().x()) + (wx - x0) / magnification, bottomRow + (wy - y0) / magnification);
}

class FrameRender : public testing::Test
{
protected:
    void SetUp() override
    {
        std::srand(11);
        starStore.CreateStars(600);
        area.drawWorld = true;
        const int set = frames.AddFrameSet();
        frames.AddFrame(set, 20, 30, 64, 100, 100, 60, 2, true, false);   // window 40..440 x 60..300
        frames.AddFrame(set, 250, 150, 300, 300, 50, 40, 3, true, false); // window 500..800 x 300..540
        frames.AddFrame(set, 260, 20, 0, 0, 60, 50, 1, false, false);     // window 520..640 x 40..140
        frames.SetBackground({216, 203, 236, 181, 159, 217});
        frames.Resize(kWidth, kHeight);
    }

    void Paint(GlCanvas& canvas)
    {
        frames.RenderWorldToTexture(false, false, true, true);
        canvas.Bind();
        frames.Draw();
    }

    /// Whether window pixel (wx, wy) lies on a frame of set 0 or on its border.
    bool CoveredByAFrame(int wx, int wy) const
    {
        for (const auto& f : frames.GetFrameSet(0)) {
            const int x0 = static_cast<int>(f->GetScreenPos().x()) * kPixel - kPixel;
            const int y0 = static_cast<int>(f->GetScreenPos().y()) * kPixel - kPixel;
            if (wx >= x0 && wy >= y0 && wx < x0 + (f->GetScreenWidth() + 2) * kPixel &&
                wy < y0 + (f->GetScreenHeight() + 2) * kPixel)
                return true;
        }
        return false;
    }

    FakeArea area;
    cCommonResources starStore{nullptr};
    cFrameEditor frames{&area, &starStore};
};

} // namespace

TEST_F(FrameRender, FramesShowTheirTexelsWithWhiteBordersOverTheBackground)
{
    GlCanvas canvas(kWidth, kHeight);
    Paint(canvas);
    canvas.Save("frames_960x544.png");

    for (const auto& frame : frames.GetFrameSet(0)) {
        const int x0 = static_cast<int>(frame->GetScreenPos().x()) * kPixel;
        const int y0 = static_cast<int>(frame->GetScreenPos().y()) * kPixel;
        const int x1 = x0 + frame->GetScreenWidth() * kPixel, y1 = y0 + frame->GetScreenHeight() * kPixel;
        SCOPED_TRACE("frame at window " + std::to_string(x0) + ", " + std::to_string(y0));
        // Corners, edges and the middle of the panel, each texel exactly.
        for (int wx : {x0, x0 + 1, x0 + 7, (x0 + x1) / 2, x1 - 2, x1 - 1}) {
            for (int wy : {y0, y0 + 5, (y0 + y1) / 2, y1 - 1}) {
                const QColor want = Expected(*frame, wx, wy), got = canvas.Pixel(wx, wy);
                EXPECT_TRUE(NearColor(got, want, 0)) << wx << ", " << wy << ": " << got.name().toStdString()
                                                     << " instead of " << want.name().toStdString();
            }
        }
        // The border is one virtual pixel: two window pixels on each side.
        const int midY = (y0 + y1) / 2, midX = (x0 + x1) / 2;
        for (const QPoint& p : {QPoint(x0 - 1, midY), QPoint(x0 - 2, midY), QPoint(x1, midY), QPoint(x1 + 1, midY),
                                QPoint(midX, y0 - 1), QPoint(midX, y1 + 1), QPoint(x0 - 2, y0 - 2), QPoint(x1 + 1, y1 + 1)}) {
            const QColor got = canvas.Pixel(p.x(), p.y());
            EXPECT_EQ(NearColor(got, kWhite, 0), frame->HasBorder()) << p.x() << ", " << p.y() << ": "
                                                                     << got.name().toStdString();
        }
        EXPECT_FALSE(NearColor(canvas.Pixel(x0 - 3, midY), kWhite, 30)) << "the background beyond the border";
    }
    // The background's first colour along the bottom edge, its second along the top.
    EXPECT_TRUE(NearColor(canvas.Pixel(900, 0), QColor(216, 203, 236), 3));
    EXPECT_TRUE(NearColor(canvas.Pixel(900, kHeight - 1), QColor(181, 159, 217), 3));
}

TEST_F(FrameRender, StarsShineOverTheBackgroundAndBehindTheFramesWhenShown)
{
    // The window pixel inside each star that lies in the window: a star is a square of two virtual
    // pixels from (x, y), times the pixel size.
    std::vector<std::pair<const Star*, QPoint>> spots;
    for (const Star* star : starStore.GetStars()) {
        const QPoint p(star->GetX() * kPixel + 1, star->GetY() * kPixel + 1);
        if (p.x() < kWidth && p.y() < kHeight)
            spots.emplace_back(star, p);
    }
    std::vector<QColor> hidden;
    {
        GlCanvas canvas(kWidth, kHeight);
        Paint(canvas);
        for (const auto& spot : spots)
            hidden.push_back(canvas.Pixel(spot.second.x(), spot.second.y()));
    }
    frames.SetStarsVisible(true);
    GlCanvas shown(kWidth, kHeight);
    Paint(shown);
    shown.Save("frames_stars_960x544.png");

    int overBackground = 0, behindFrames = 0;
    for (size_t i = 0; i < spots.size(); ++i) {
        const auto& [star, p] = spots[i];
        const QColor before = hidden[i], after = shown.Pixel(p.x(), p.y());
        SCOPED_TRACE("star at " + std::to_string(p.x()) + ", " + std::to_string(p.y()));
        if (CoveredByAFrame(p.x(), p.y())) {
            EXPECT_EQ(after, before) << "a frame hides the stars behind it";
            ++behindFrames;
        } else if (star->GetAlpha() >= 64) {
            EXPECT_GT(after.green() + after.red(), before.green() + before.red()) << "yellowish light";
            ++overBackground;
        }
    }
    EXPECT_GT(overBackground, 50);
    EXPECT_GT(behindFrames, 10);
}

TEST_F(FrameRender, FramesOfAnotherSetAndAFollowingFrameShowTheWorldWhereverTheyLook)
{
    // Set 1 looks only where set 0 never does: right of its texels, and where the player stands.
    const int other = frames.AddFrameSet();
    frames.AddFrame(other, 10, 150, 400, 0, 100, 50, 1, true, false);      // texels 400..499 x 0..49
    frames.AddDynamicFrame(other, 250, 150, 0, 0, 40, 30, 2, true);         // moved to 430..469 x 456..485
    area.hasPlayer = true;
    area.playerX = 450;
    area.playerY = -200;
    {
        GlCanvas first(kWidth, kHeight);
        Paint(first);
    }
    frames.SwitchToFrameSet(other, 0);
    frames.Update(20);
    GlCanvas canvas(kWidth, kHeight);
    Paint(canvas);
    canvas.Save("frames_other_set.png");

    ASSERT_EQ(frames.GetFrameSet(other)[1]->GetTexMin(), QPointF(430, 456));
    for (const auto& frame : frames.GetFrameSet(other)) {
        const int x0 = static_cast<int>(frame->GetScreenPos().x()) * kPixel;
        const int y0 = static_cast<int>(frame->GetScreenPos().y()) * kPixel;
        const int x1 = x0 + frame->GetScreenWidth() * kPixel, y1 = y0 + frame->GetScreenHeight() * kPixel;
        for (int wx : {x0, (x0 + x1) / 2, x1 - 1}) {
            for (int wy : {y0, (y0 + y1) / 2, y1 - 1}) {
                const QColor want = Expected(*frame, wx, wy), got = canvas.Pixel(wx, wy);
                EXPECT_TRUE(NearColor(got, want, 0)) << wx << ", " << wy << ": " << got.name().toStdString()
                                                     << " instead of " << want.name().toStdString();
            }
        }
    }
}

TEST_F(FrameRender, FadingFrameShrinksAboutItsCentreKeepingItsMagnification)
{
    frames.StartFadeIn(1000);
    cComicFrame& panel = *frames.GetFrameSet(0)[0];
    panel.SetAlpha(0.5f); // 200 x 120 units shrink to 100 x 60 about the centre: window 140..340 x 120..240
    GlCanvas canvas(kWidth, kHeight);
    Paint(canvas);
    canvas.Save("frames_zoom_fade.png");

    for (const QPoint& p : {QPoint(140, 120), QPoint(240, 180), QPoint(339, 239)}) {
        const QColor want = Expected(panel, p.x(), p.y()), got = canvas.Pixel(p.x(), p.y());
        EXPECT_TRUE(NearColor(got, want, 0)) << p.x() << ", " << p.y() << ": " << got.name().toStdString();
    }
    EXPECT_TRUE(NearColor(canvas.Pixel(139, 180), kWhite, 0)) << "border around the shrunk panel";
    EXPECT_FALSE(NearColor(canvas.Pixel(60, 180), Expected(panel, 60, 180), 10)) << "cut away";
    EXPECT_FALSE(NearColor(canvas.Pixel(60, 180), kWhite, 30));
}

TEST(FrameOrnament, RunsPastTheRightEdgeAlongTheBottomAndTopOfTheWindow)
{
    // The two ornament pieces of the shared common animations, cut from the game's chip set 0.
    cImage chipSet(0, 0, 0, 0);
    ASSERT_TRUE(chipSet.SetTexture(":/res/images/chipsets/chip_set_00.png", 0, 0, 1, 1));
    gChipSets[0] = &chipSet;
    cAnimation top, bottom;
    ASSERT_TRUE(top.Setup(true, 1000, 1, 96, 24, 28, 16, 0, 0, 0));
    ASSERT_TRUE(bottom.Setup(true, 1000, 1, 124, 24, 28, 16, 0, 0, 0));
    gCommonAnims.assign(17, nullptr);
    gCommonAnims[15] = &top;
    gCommonAnims[16] = &bottom;

    cFrameEditor frames(nullptr);
    frames.SetBackground({0, 0, 64, -1, -1, -1});
    frames.SetOrnament(0);
    frames.Resize(1920, 1080); // pixel size 3: pieces 84 pixels wide, 48 high
    EXPECT_EQ(frames.OrnamentColumns(), 23);
    GlCanvas canvas(1920, 1080);
    frames.Draw();
    canvas.Save("frames_ornament_1920x1080.png");
    gCommonAnims.clear();
    gChipSets[0] = nullptr;

    const QColor sky(0, 0, 64);
    EXPECT_TRUE(NearColor(canvas.Pixel(960, 540), sky, 1));
    // The 23rd piece starts at 22 x 84 = 1848 and is cut by the edge: it matches the first piece.
    for (const int band : {0, 1080 - 48}) {
        int drawn = 0;
        for (int dy = 1; dy < 48; dy += 3) {
            for (int dx = 1; dx < 72; dx += 3) {
                const QColor first = canvas.Pixel(dx, band + dy);
                EXPECT_EQ(canvas.Pixel(1848 + dx, band + dy), first) << dx << ", " << band + dy;
                drawn += NearColor(first, sky, 1) ? 0 : 1;
            }
        }
        EXPECT_GT(drawn, 20) << "the band at " << band << " shows the ornament";
    }
}
