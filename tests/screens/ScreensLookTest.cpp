// The four screens as a player sees them at two window sizes, saved under test-pictures for a
// person to look at: the title (twice, a second apart), the options with the controls page open,
// the credits, and the save-slot menu asking before it replaces a game.
#include "MenuFixture.h"

#include "player/GameSettings.h"
#include "engine/FontManager.h"
#include "screens/MenuItem.h"
#include "screens/StartScreen.h"

#include "tests/support/GlCanvas.h"

#include <qnamespace.h>

#include <gtest/gtest.h>

namespace {

struct sWindow
{
    int w, h;
};

class ScreensLookTest : public MenuFixture, public ::testing::WithParamInterface<sWindow>
{
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        ASSERT_TRUE(settings.Load("Settings.xml"));
        WriteUserCopy("Saves/slot1.zvs", "<ZORV_Save Area=\"res/Areas/FrameSwitch.xml\" Score=\"42\"><Areas/></ZORV_Save>");
        screen = std::make_unique<cStartScreen>(-1);
        ASSERT_TRUE(screen->Init(s_resources.get(), s_audio.get(), &settings));
        screen->Resize(GetParam().w, GetParam().h);
    }
    void Tick(int key = 0)
    {
        screen->Update(20);
        cScriptedKeys keys;
        if (key)
            keys.Press(key);
        screen->HandleInput(&keys.input);
    }
    /// The screen drawn and saved as <name>-<w>x<h>.png; returns the picture.
    QImage Shoot(const QString& name)
    {
        const sWindow window = GetParam();
        GlCanvas canvas(window.w, window.h);
        screen->Draw(false);
        const QString file = QString("%1-%2x%3.png").arg(name).arg(window.w).arg(window.h);
        SaveScreenshot(window.w, window.h, file);
        QImage image(window.w, window.h, QImage::Format_RGBA8888);
        glReadPixels(0, 0, window.w, window.h, GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
        return image;
    }

    cGameSettings settings;
    std::unique_ptr<cStartScreen> screen;
};

TEST_P(ScreensLookTest, EveryScreenIsDrawnWholeAndTheTitleMoves)
{
    const sWindow window = GetParam();
    const QImage first = Shoot("title");
    for (int tick = 0; tick < 50; ++tick)
        Tick();
    const QImage second = Shoot("title-later");
    EXPECT_NE(first, second) << "the clouds and the figures move";
    const cFontManager font;
    for (int i = 0; i < screen->ItemCount(); ++i) {
        const cMenuItem& item = *screen->Item(i);
        EXPECT_GE(item.GetScreenPosition().x - 5 * screen->GetTextScale(), 0) << i;
        EXPECT_LE(item.GetScreenPosition().x + font.TextWidth(item.GetName(), screen->GetTextScale()), window.w) << i;
    }

    Tick(Qt::Key_Right);
    Tick(Qt::Key_Right);
    Tick(Qt::Key_Return);
    Tick(Qt::Key_Return);
    Tick(Qt::Key_Down);
    Shoot("options-controls");
    Tick(Qt::Key_Escape);
    Tick(Qt::Key_Right);
    Tick(Qt::Key_Return);
    Shoot("options-sound");
    Tick(Qt::Key_Escape);
    Tick(Qt::Key_Escape);
    Tick();

    Tick(Qt::Key_Right);
    Tick(Qt::Key_Return);
    Shoot("credits");
    Tick(Qt::Key_Escape);
    Tick();

    for (int i = 0; i < 3; ++i)
        Tick(Qt::Key_Left);
    Tick(Qt::Key_Return);
    Tick(Qt::Key_Down);
    Tick(Qt::Key_Return);
    Shoot("save-slots-question");
}

INSTANTIATE_TEST_SUITE_P(Windows, ScreensLookTest, ::testing::Values(sWindow{960, 544}, sWindow{1920, 1080}));

} // namespace
