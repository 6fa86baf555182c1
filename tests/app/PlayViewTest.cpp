// The view in play: a real area drawn into the world texture and shown through its frames, the
// pause screen's veil over them, and the area straight in the window with frame drawing off.
#include "tests/support/Mapping.h"
#include "ScriptedScreens.h"
#include "tests/support/UserFileFixture.h"
#include "ViewPicture.h"

#include "app/GLWidget.h"
#include "app/MainWindow.h"
#include "world/ComicFrame.h"
#include "world/FrameEditor.h"

#include "tests/support/StdoutOf.h"

#include <gtest/gtest.h>

namespace
{
class cPlayWindow : public cMainWindow
{
public:
    cPlayWindow()
        : cMainWindow(false)
    {
    }
    sScript script;
    cScriptedController* game = nullptr;

protected:
    cGame* CreateGame(bool) override { return game = new cScriptedController(script); }
};

class PlayViewTest : public UserFileFixture
{
protected:
    void SetUp() override
    {
        UserFileFixture::SetUp();
        UseShippedTemplate("Controls.xml");
        UseShippedTemplate("Settings.xml");
        StdoutOf([this] { ASSERT_TRUE(window.Init(1280, 800)); });
        view = static_cast<GLWidget*>(window.centralWidget());
        ShowMapped(&window, view);
        view->makeCurrent();
        ASSERT_TRUE(window.game->LoadArea("gametest/Meadow.xml"));
        view->AttachCurrentArea();
        // Past the fade-in.
        for (int i = 0; i < 40; ++i)
            window.Update();
    }
    QImage Grab(const char* name)
    {
        window.Update();
        return SaveViewPicture(view, name);
    }
    /// A pixel by GL window coordinates (origin bottom left).
    static QColor At(const QImage& picture, QPoint p) { return picture.pixelColor(p.x(), picture.height() - 1 - p.y()); }

    cPlayWindow window;
    GLWidget* view = nullptr;
};
}

TEST_F(PlayViewTest, FramesShowTheWorldAndThePauseVeilsThem)
{
    cFrameEditor* frames = window.game->GetFrameEditor();
    const cComicFrame& panel = *frames->GetFrameSet(0).front();
    const int p = frames->GetPixelSize();
    // Inside the panel's lower edge (the floor) and outside the virtual screen (the background).
    const QPoint floor(frames->GetOffsetX() + (static_cast<int>(panel.GetScreenPos().x()) + 100) * p,
                       frames->GetOffsetY() + (static_cast<int>(panel.GetScreenPos().y()) + 2) * p);
    const QPoint outside(2, 2);

    const QImage playing = Grab("play-frames");
    const QColor background = At(playing, outside);
    EXPECT_NE(background, QColor(Qt::black));
    EXPECT_NE(At(playing, floor), background);

    ASSERT_TRUE(window.game->EnterPauseScreen(window.width(), window.height()));
    const QImage paused = Grab("play-paused");
    // A veil at alpha 100 over both, grey from 100 at the bottom to 200 at the top.
    for (QPoint at : {floor, outside})
    {
        const int veil = 100 + 100 * (at.y() + 1) / (paused.height() + 1);
        const QColor before = At(playing, at), after = At(paused, at);
        EXPECT_NEAR(after.red(), before.red() + (veil - before.red()) * 100 / 255, 3);
        EXPECT_NEAR(after.blue(), before.blue() + (veil - before.blue()) * 100 / 255, 3);
    }

    // Without frames the area is drawn straight into the window, world point (x, y) at window
    // pixel (x, y + 240), and no veil: the sky's top colour stands at the texture's top row.
    view->ToggleFrameDrawing();
    const QImage plain = Grab("play-without-frames");
    EXPECT_EQ(At(plain, QPoint(400, 511)), QColor(60, 90, 190));
    EXPECT_EQ(At(plain, QPoint(400, 512)), QColor(Qt::black));
}

TEST_F(PlayViewTest, SupportLinesCrossTheViewAndOutlineTheVirtualScreenOverTheFramesOnly)
{
    view->ToggleSupportLines();
    const cFrameEditor* frames = window.game->GetFrameEditor();
    const int w = view->width(), h = view->height();
    const QImage lines = Grab("play-support-lines");
    for (QPoint at : {QPoint(w / 2 - 1, 3), QPoint(w / 2, h - 3), QPoint(3, h / 2 - 1), QPoint(w - 3, h / 2)})
        EXPECT_EQ(At(lines, at), QColor(Qt::white)) << at.x() << "," << at.y();
    EXPECT_EQ(At(lines, QPoint(frames->GetOffsetX() + 10, frames->GetOffsetY() + 1)), QColor(100, 255, 255))
        << "the virtual screen's outline";

    view->ToggleFrameDrawing();
    const QImage plain = Grab("play-support-lines-without-frames");
    EXPECT_NE(At(plain, QPoint(w / 2, h - 3)), QColor(Qt::white));
    EXPECT_NE(At(plain, QPoint(w - 3, h / 2)), QColor(Qt::white));
}
