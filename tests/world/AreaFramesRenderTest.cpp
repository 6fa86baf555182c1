// The real area presented as the player sees it: its world drawn into the world texture and shown
// through the frames of its frame-set file at 960 x 544 (pixel size 2), checked texel by texel
// against the texture, border by border, and saved for a person to look at.
#include "world/ComicFrame.h"
#include "world/FrameEditor.h"

#include "actors/RainbowSpirit.h"
#include "actors/SharedActors.h"

#include "tests/support/GlCanvas.h"
#include "tests/world/AreaFiles.h"

#include <QRect>

#include <gtest/gtest.h>

#include <vector>

namespace {

const char* const kAreaFile = "res/Areas/FrameSwitch.xml";
const char* const kFrameSetFile = "res/Areas/FrameSwitch_Frames.xml";
constexpr int kWidth = 960, kHeight = 544;
constexpr int kPixel = 2;
constexpr int kVirtualWidth = 480, kVirtualHeight = 272;
const QColor kWhite(255, 255, 255);

/// A frame's panel in window pixels (y up), without its border.
QRect Panel(const cComicFrame& f)
{
    return QRect(static_cast<int>(f.GetScreenPos().x()) * kPixel, static_cast<int>(f.GetScreenPos().y()) * kPixel,
                 f.GetScreenWidth() * kPixel, f.GetScreenHeight() * kPixel);
}

/// The frame's screen rectangle in virtual units with its one-unit border.
QRect WithBorder(const cComicFrame& f)
{
    return QRect(static_cast<int>(f.GetScreenPos().x()) - 1, static_cast<int>(f.GetScreenPos().y()) - 1,
                 f.GetScreenWidth() + 2, f.GetScreenHeight() + 2);
}

class AreaFramesRender : public AreaFileFixture
{
protected:
    void SetUp() override
    {
        AreaFileFixture::SetUp();
        area = std::make_unique<cArea>(kAreaFile, s_resources.get());
        output = StdoutOf([this] { initialised = area->Init(s_audio.get(), false, false); });
        ASSERT_TRUE(initialised) << output;
        frames = std::make_unique<cFrameEditor>(area.get(), s_resources.get());
        ASSERT_TRUE(frames->LoadFrameSets(kFrameSetFile));
        ASSERT_GT(frames->GetFrameSetCount(), 0);
        frames->Resize(kWidth, kHeight);
    }
    void TearDown() override
    {
        frames.reset();
        AreaFileFixture::TearDown();
    }

    /// The render pass, then the draw pass onto the canvas; keeps what the world texture holds.
    void Paint()
    {
        frames->RenderWorldToTexture(false, false, true, true);
        texels.assign(512 * 512 * 4, 0);
        glBindTexture(GL_TEXTURE_2D, frames->GetWorldTexture());
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        glBindTexture(GL_TEXTURE_2D, 0);
        canvas.Bind();
        frames->Draw();
    }

    /// The world texture's colour at texel column u, row v counted down from the top, as the
    /// frames count it.
    QColor Texel(int u, int v) const
    {
        const unsigned char* p = &texels[((511 - v) * 512 + u) * 4];
        return QColor(p[0], p[1], p[2]);
    }

    /// The texel an unfaded frame shows at window pixel (wx, wy).
    QColor Shown(const cComicFrame& f, int wx, int wy) const
    {
        const int magnification = kPixel * f.GetScreenWidth() / f.GetTexWidth();
        const QRect panel = Panel(f);
        const int u = static_cast<int>(f.GetTexMin().x()) + (wx - panel.x()) / magnification;
        const int rowsUp = (wy - panel.y()) / magnification;
        return Texel(u, static_cast<int>(f.GetTexMin().y()) + f.GetTexHeight() - 1 - rowsUp);
    }

    /// Every frame of the current set, unfaded: each panel shows its texture window texel for texel,
    /// inside one virtual pixel of white border with the background just beyond it.
    void ExpectFramesShowTheWorldTexture() const
    {
        const auto& set = frames->GetFrameSet(frames->GetCurrentFrameSet());
        ASSERT_FALSE(set.empty());
        for (const auto& frame : set) {
            const QRect panel = Panel(*frame);
            SCOPED_TRACE("frame at window " + std::to_string(panel.x()) + ", " + std::to_string(panel.y()));
            ExpectPanelShowsItsTexels(*frame);
            if (frame->HasBorder())
                ExpectWhiteBorder(panel);
        }
    }

    /// Every third pixel of the panel against the world texture.
    void ExpectPanelShowsItsTexels(const cComicFrame& frame) const
    {
        const QRect panel = Panel(frame);
        int differing = 0, checked = 0;
        for (int wy = panel.top(); wy <= panel.bottom(); wy += 3) {
            for (int wx = panel.left(); wx <= panel.right(); wx += 3) {
                ++checked;
                // Colours only: a panel is drawn without blending and takes the texture's alpha along.
                differing += canvas.Pixel(wx, wy).rgb() == Shown(frame, wx, wy).rgb() ? 0 : 1;
            }
        }
        EXPECT_EQ(differing, 0) << "of " << checked;
        // The world is drawn there: not one flat colour.
        EXPECT_NE(Shown(frame, panel.left(), panel.top()), Shown(frame, panel.center().x(), panel.center().y()));
    }

    /// One virtual pixel of white on each side of the panel, the background just beyond it.
    void ExpectWhiteBorder(const QRect& panel) const
    {
        const int midX = panel.center().x(), midY = panel.center().y();
        for (const QPoint& p : {QPoint(panel.left() - 1, midY), QPoint(panel.left() - kPixel, midY),
                                QPoint(panel.right() + 1, midY), QPoint(panel.right() + kPixel, midY),
                                QPoint(midX, panel.top() - 1), QPoint(midX, panel.bottom() + kPixel)}) {
            if (p.x() >= 0 && p.y() >= 0 && p.x() < kWidth && p.y() < kHeight) {
                EXPECT_EQ(canvas.Pixel(p.x(), p.y()), kWhite) << p.x() << ", " << p.y();
            }
        }
        const QPoint beyond(panel.left() - kPixel - 1, midY);
        if (beyond.x() >= 0) {
            EXPECT_NE(canvas.Pixel(beyond.x(), beyond.y()), kWhite) << "the background between the frames";
        }
    }

    /// Ticks of the area and then its frames, as the game runs them.
    void Ticks(int n)
    {
        for (int tick = 0; tick < n; ++tick) {
            area->Update(20);
            frames->Update(20);
        }
    }
    /// Orange comes out of the enter tree, turns into the rainbow spirit and stands.
    void BecomeSpirit()
    {
        cPlayerChar* orange = s_resources->GetCharacter(1);
        for (int tick = 0; tick < 1000 && !(orange->HasBody() && orange->GetState() == PLAYER_STAND); ++tick)
            Ticks(1);
        orange->Metamorphose();
        for (int tick = 0; tick < 1000 && !(gRainbowSpirit->HasBody() && gRainbowSpirit->GetState() == PLAYER_STAND);
             ++tick)
            Ticks(1);
        ASSERT_TRUE(gRainbowSpirit->IsAliveWithBody());
    }
    /// A quarter turn to the end of its wait, with a picture saved halfway through the glide.
    void TurnLeft(const QString& halfwayPicture)
    {
        ASSERT_TRUE(frames->CanRotate());
        frames->RotateLeft();
        Ticks(7);
        Paint();
        canvas.Save(halfwayPicture);
        for (int tick = 0; tick < 100 && frames->GetState() == kFramesRotating; ++tick)
            Ticks(1);
    }

    std::unique_ptr<cFrameEditor> frames;
    GlCanvas canvas{kWidth, kHeight};
    std::vector<unsigned char> texels;
};

} // namespace

TEST_F(AreaFramesRender, EveryFrameShowsItsPieceOfTheWorldTextureInsideAWhiteBorder)
{
    Paint();
    canvas.Save("frames_real_area_960x544.png");
    ExpectFramesShowTheWorldTexture();
}

TEST_F(AreaFramesRender, InPlayTheFramesShowTheWorldAsItMoves)
{
    // As the game runs an area: the start's fade-in and flash, then each tick the area before its
    // frames, for three seconds in which the characters come out of the enter tree.
    frames->StartFadeIn(600);
    frames->FlashBackground(600);
    for (int tick = 0; tick < 150; ++tick) {
        area->Update(20);
        frames->Update(20);
    }
    EXPECT_EQ(frames->GetState(), kFramesIdle);
    EXPECT_FALSE(area->IsPaused());
    Paint();
    canvas.Save("frames_real_area_playing.png");
    ExpectFramesShowTheWorldTexture();
}

TEST_F(AreaFramesRender, TheFramesLieOnTheScreenApartAndShowTheWorldTexture)
{
    const QRect screen(0, 0, kVirtualWidth, kVirtualHeight);
    const QRect texture(0, 0, 512, 512);
    for (int s = 0; s < frames->GetFrameSetCount(); ++s) {
        const auto& set = frames->GetFrameSet(s);
        EXPECT_FALSE(set.empty()) << "set " << s;
        for (size_t i = 0; i < set.size(); ++i) {
            const cComicFrame& f = *set[i];
            SCOPED_TRACE("set " + std::to_string(s) + ", frame " + std::to_string(i));
            EXPECT_TRUE(screen.contains(WithBorder(f))) << "the whole frame with its border is on the screen";
            const QRect window(static_cast<int>(f.GetTexMin().x()), static_cast<int>(f.GetTexMin().y()),
                               f.GetTexWidth(), f.GetTexHeight());
            EXPECT_TRUE(texture.contains(window));
            for (size_t j = 0; j < i; ++j)
                EXPECT_FALSE(WithBorder(f).intersects(WithBorder(*set[j]))) << "overlaps frame " << j;
        }
    }
}

TEST_F(AreaFramesRender, TheAreaStartsFadingInWithTheBackgroundFlashingAndEndsFadedOut)
{
    frames->StartFadeIn(600);
    frames->FlashBackground(600);
    frames->Update(20);
    {
        Paint();
        canvas.Save("frames_real_area_fading_in.png");
        // The frames grow from their centres: the corners still show the lilac flash behind them.
        const QRect panel = Panel(*frames->GetFrameSet(0)[0]);
        const QColor corner = canvas.Pixel(panel.left() + 1, panel.top() + 1);
        EXPECT_NE(corner.rgb(), Shown(*frames->GetFrameSet(0)[0], panel.left() + 1, panel.top() + 1).rgb());
    }
    for (int t = 20; t < 600; t += 20)
        frames->Update(20);
    EXPECT_EQ(frames->GetState(), kFramesIdle);
    EXPECT_EQ(frames->GetBackground()->GetShownColors(), frames->GetBackgroundColor()) << "back to the day colours";

    frames->StartFadeOut(600);
    frames->FadeBackgroundTo(600);
    for (int t = 0; t < 600; t += 20)
        frames->Update(20);
    EXPECT_TRUE(frames->IsFadedOut());
    EXPECT_TRUE(area->IsPaused());
    Paint();
    canvas.Save("frames_real_area_faded_out.png");
    // Nothing of the world is left on the window: only the lilac background.
    for (const auto& frame : frames->GetFrameSet(0)) {
        const QPoint c = Panel(*frame).center();
        EXPECT_NE(canvas.Pixel(c.x(), c.y()).rgb(), Shown(*frame, c.x(), c.y()).rgb());
        EXPECT_NE(canvas.Pixel(c.x(), c.y()), kWhite);
    }
}

TEST_F(AreaFramesRender, FourQuarterTurnsOneWayBringEveryFrameHome)
{
    BecomeSpirit();
    for (int turn = 1; turn <= 4; ++turn) {
        TurnLeft(QString("frames_turn_%1_halfway.png").arg(turn));
        if (turn < 4) {
            Paint();
            canvas.Save(QString("frames_turn_%1_done.png").arg(turn));
        }
    }
    EXPECT_EQ(frames->GetOrientation(), 0);
    for (const auto& frame : frames->GetFrameSet(0))
        EXPECT_EQ(frame->GetScreenPos(), frame->GetHomePos());
    Paint();
    canvas.Save("frames_turn_4_home.png");
    ExpectFramesShowTheWorldTexture();
}

TEST_F(AreaFramesRender, TheSpiritRidesTheTurnOnTheScreenOverTheFrames)
{
    BecomeSpirit();
    gRainbowSpirit->Jump(false);
    Ticks(3);
    ASSERT_TRUE(gRainbowSpirit->IsSpecialAirborne());
    frames->RotateLeft();
    ASSERT_FALSE(gRainbowSpirit->IsSpecialEnabled()) << "lifted out of the world";
    Ticks(7);

    // The spirit's picture at twice its place on the virtual screen, scaled by its frame's class.
    const QPointF place = frames->GetPlayerScreenPos() * kPixel;
    const int size = 22 * kPixel * frames->GetPlayerScaleClass();
    auto spiritArea = [&] {
        std::vector<QRgb> pixels;
        for (int y = static_cast<int>(place.y()); y < place.y() + size; ++y)
            for (int x = static_cast<int>(place.x()); x < place.x() + size; ++x)
                pixels.push_back(canvas.Pixel(x, y).rgb());
        return pixels;
    };
    Paint();
    canvas.Save("frames_turn_spirit_riding.png");
    const std::vector<QRgb> riding = spiritArea();
    gRainbowSpirit->SetSpecialEnabled(true);
    Paint();
    const std::vector<QRgb> without = spiritArea();
    gRainbowSpirit->SetSpecialEnabled(false);
    int differing = 0;
    for (size_t i = 0; i < riding.size(); ++i)
        differing += riding[i] != without[i] ? 1 : 0;
    EXPECT_GT(differing, size * size / 8) << "the spirit is drawn over whatever lies there";
}
