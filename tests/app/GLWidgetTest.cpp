#include "app/GLWidget.h"

#include "tests/support/Mapping.h"
#include "WindowFixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QMouseEvent>

#include <algorithm>

namespace
{
/// A mapped game window whose view paints in every tick.
struct GLWidgetTest : WindowFixture
{
    void SetUp() override
    {
        WindowFixture::SetUp();
        ASSERT_TRUE(window.Init(1280, 800));
        view = static_cast<GLWidget*>(window.centralWidget());
        ShowMapped(&window, view);
    }

    /// One tick, then the picture it painted, saved for people to look at.
    QImage TickAndGrab(const char* name)
    {
        window.Update();
        const QImage picture = view->grabFrameBuffer();
        const QString folder = QStringLiteral(MIRROWEN_BINARY_DIR "/test-screens");
        QDir().mkpath(folder);
        picture.save(folder + "/" + name + ".png");
        return picture;
    }
    /// A pixel by GL window coordinates (origin bottom left).
    static QColor At(const QImage& picture, int x, int y)
    {
        return picture.pixelColor(x, picture.height() - 1 - y);
    }

    GLWidget* view = nullptr;
};

/// Draws a red 30 x 40 rectangle whose lower-left corner is at window pixel (10, 20).
void DrawRedRectangle()
{
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 0, 0, 1);
    glRectf(10, 20, 40, 60);
    glEnable(GL_TEXTURE_2D);
}

void SendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, QPoint at)
{
    QMouseEvent event(type, at, button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}
}

TEST_F(GLWidgetTest, OutsidePlayTheStateDrawsOverTheClearedViewInWindowPixels)
{
    window.game->drawState = DrawRedRectangle;
    const QImage drawn = TickAndGrab("state");
    ASSERT_EQ(drawn.size(), view->size());
    EXPECT_EQ(At(drawn, 10, 20), QColor(Qt::red));
    EXPECT_EQ(At(drawn, 39, 59), QColor(Qt::red));
    EXPECT_EQ(At(drawn, 40, 59), QColor(Qt::black));
    EXPECT_EQ(At(drawn, 39, 60), QColor(Qt::black));
    EXPECT_EQ(At(drawn, view->width() / 2, view->height() / 2), QColor(Qt::black));

    window.game->drawState = nullptr;
    const QImage cleared = TickAndGrab("cleared");
    EXPECT_EQ(At(cleared, 10, 20), QColor(Qt::black));
}

TEST_F(GLWidgetTest, SupportLinesAreNotDrawnOutsidePlay)
{
    view->ToggleSupportLines();
    const QImage picture = TickAndGrab("no-support-lines-outside-play");
    EXPECT_EQ(At(picture, view->width() / 2, 5), QColor(Qt::black));
    EXPECT_EQ(At(picture, 5, view->height() / 2), QColor(Qt::black));
}

TEST_F(GLWidgetTest, DebugOutputWritesInTheTopRightCornerOnly)
{
    auto litPixels = [this](const QImage& picture) {
        int lit = 0;
        for (int y = view->height() - 70; y < view->height(); ++y)
            for (int x = view->width() - 230; x < view->width(); ++x)
                lit += At(picture, x, y) != QColor(Qt::black);
        return lit;
    };
    EXPECT_EQ(litPixels(TickAndGrab("no-debug-output")), 0);
    view->ToggleDebugOutput();
    const QImage texts = TickAndGrab("debug-output");
    EXPECT_GT(litPixels(texts), 100);
    EXPECT_EQ(At(texts, 5, 5), QColor(Qt::black));
}

TEST_F(GLWidgetTest, DebugTextsStart230PixelsFromTheRightEdgeHoweverWide)
{
    view->ToggleDebugOutput();
    const QImage texts = TickAndGrab("debug-output-edge");
    int leftmost = view->width();
    for (int y = view->height() - 70; y < view->height(); ++y)
        for (int x = 0; x < view->width(); ++x)
            if (At(texts, x, y) != QColor(Qt::black))
                leftmost = std::min(leftmost, x);
    EXPECT_GE(leftmost, view->width() - 230);
    EXPECT_LT(leftmost, view->width() - 220);
}

struct ButtonCase
{
    const char* name;
    Qt::MouseButton button;
    int code;
};

class GLWidgetMouse : public GLWidgetTest, public testing::WithParamInterface<ButtonCase>
{
};

TEST_P(GLWidgetMouse, PressesAndDoubleClicksReachTheControllerWithTheButtonCode)
{
    SendMouse(view, QEvent::MouseButtonPress, GetParam().button, QPoint(30, 40));
    SendMouse(view, QEvent::MouseButtonDblClick, GetParam().button, QPoint(31, 41));
    const auto& presses = window.game->presses;
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[0].at, QPoint(30, 40));
    EXPECT_EQ(presses[0].button, GetParam().code);
    EXPECT_EQ(presses[1].at, QPoint(31, 41));
    EXPECT_EQ(presses[1].button, GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Buttons, GLWidgetMouse,
                         testing::Values(ButtonCase{"Left", Qt::LeftButton, 1},
                                         ButtonCase{"Right", Qt::RightButton, 2},
                                         ButtonCase{"Middle", Qt::MiddleButton, 0},
                                         ButtonCase{"Back", Qt::BackButton, 0}),
                         [](const testing::TestParamInfo<ButtonCase>& info) { return info.param.name; });

TEST_F(GLWidgetTest, MovesReachTheControllerWithoutAButtonHeld)
{
    SendMouse(view, QEvent::MouseMove, Qt::NoButton, QPoint(7, 9));
    ASSERT_EQ(window.game->moves.size(), 1u);
    EXPECT_EQ(window.game->moves.front(), QPoint(7, 9));
}

TEST_F(GLWidgetTest, ResizingTheViewResizesTheController)
{
    window.game->resizes.clear();
    window.resize(window.width() + 40, window.height() + 30);
    while (window.game->resizes.empty())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_EQ(window.game->resizes.back(), view->size());
}
