// The options screen on its shipped file: the bar, its scales, the pages it opens, closing, and
// the codes it passes up.
#include "MenuFixture.h"

#include "screens/Menu.h"
#include "screens/MenuItem.h"
#include "screens/OptionsScreen.h"

#include "tests/support/GlCanvas.h"
#include "tests/support/RecordingSoundLibrary.h"

#include <qnamespace.h>

#include <gtest/gtest.h>

namespace {

class OptionsScreenTest : public MenuFixture
{
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        keys = std::make_unique<cScriptedKeys>();
        ASSERT_TRUE(screen.Init(s_resources.get(), nullptr));
        screen.Resize(960, 544);
    }
    int Key(int key)
    {
        keys->Press(key);
        const int code = screen.HandleInput(&keys->input);
        keys->EndTick();
        return code;
    }

    cOptionsScreen screen;
    std::unique_ptr<cScriptedKeys> keys;
    cRecordedEffects effects;
};

TEST_F(OptionsScreenTest, ScalesWithTheWindow)
{
    struct sRow
    {
        int w, h, factor;
    } rows[] = {{700, 440, 2}, {960, 544, 2}, {1280, 720, 3}, {1920, 1080, 4}, {479, 300, 2}};
    for (const sRow& row : rows) {
        screen.Resize(row.w, row.h);
        EXPECT_EQ(screen.GetScaleFactor(), row.factor) << row.w << " x " << row.h;
        EXPECT_LE(screen.GetTextScale(), row.factor);
    }
}

TEST_F(OptionsScreenTest, TheBarWrapsAndClosesOnceOnBackOrItsBackKey)
{
    ASSERT_EQ(screen.PageCount(), 3);
    EXPECT_EQ(screen.GetSelectedPage(), 1) << "CONTROLS";
    Key(Qt::Key_Right);
    EXPECT_EQ(screen.GetSelectedPage(), 2);
    Key(Qt::Key_Right);
    EXPECT_EQ(screen.GetSelectedPage(), 0) << "right on SOUND/GRAPHICS selects BACK";
    Key(Qt::Key_Left);
    EXPECT_EQ(screen.GetSelectedPage(), 2) << "left on BACK selects SOUND/GRAPHICS";
    EXPECT_EQ(effects.sounds.Take().size(), 3u) << "every key on the bar is heard";

    Key(Qt::Key_Right);
    Key(Qt::Key_Return);
    EXPECT_EQ(screen.Update(20, false), cOptionsScreen::RESULT_CLOSED);
    EXPECT_EQ(screen.Update(20, false), cOptionsScreen::RESULT_NONE) << "once";
    Key(Qt::Key_Escape);
    EXPECT_EQ(screen.Update(20, false), cOptionsScreen::RESULT_CLOSED);
    EXPECT_EQ(screen.Update(20, false), cOptionsScreen::RESULT_NONE);
}

TEST_F(OptionsScreenTest, AnOpenPageTakesTheKeysAndPassesItsCodesUp)
{
    EXPECT_EQ(Key(Qt::Key_Return), cMenuItem::RESULT_NONE);
    ASSERT_TRUE(screen.Page(1)->IsOpen());
    Key(Qt::Key_Right);
    EXPECT_EQ(screen.GetSelectedPage(), 1) << "the page took the key, not the bar";
    EXPECT_EQ(Key(Qt::Key_Escape), cMenuItem::RESULT_NONE);
    EXPECT_FALSE(screen.Page(1)->IsOpen());
    EXPECT_EQ(screen.Update(20, false), cOptionsScreen::RESULT_NONE) << "escape left the page, not the screen";

    Key(Qt::Key_Right);
    Key(Qt::Key_Return);
    ASSERT_TRUE(screen.Page(2)->IsOpen());
    EXPECT_EQ(Key(Qt::Key_Return), cMenuItem::RESULT_EFFECTS) << "SOUND EFFECTS";
    Key(Qt::Key_Down);
    EXPECT_EQ(Key(Qt::Key_Space), cMenuItem::RESULT_MUSIC) << "MUSIC";
    Key(Qt::Key_Down);
    EXPECT_EQ(Key(Qt::Key_Return), cMenuItem::RESULT_KEY_FULL_SCREEN) << "FULL SCREEN";
    Key(Qt::Key_Down);
    EXPECT_EQ(Key(Qt::Key_Return), cMenuItem::RESULT_NONE) << "OK";
    EXPECT_FALSE(screen.Page(2)->IsOpen());
}

TEST_F(OptionsScreenTest, ClickingBackOnTheBarClosesAndLeavesControlsSelected)
{
    GlCanvas canvas(960, 544);
    screen.Draw(false);
    cMenu& back = *screen.Page(0);
    const b2Vec2 at = back.GetTitlePosition();
    const int x = int(at.x) + 4 * screen.GetTextScale() + 2;
    const int y = int(at.y) + 2;
    screen.MouseMove(x, y);
    EXPECT_EQ(screen.MousePress(x, y, &keys->input), cMenuItem::RESULT_NONE);
    EXPECT_EQ(screen.Update(20, false), cOptionsScreen::RESULT_CLOSED);
    EXPECT_EQ(screen.GetSelectedPage(), 1);

    // A page's name opens it, and the page that was open closes.
    screen.Page(2)->Open();
    const b2Vec2 controls = screen.Page(1)->GetTitlePosition();
    const int cx = int(controls.x) + 4 * screen.GetTextScale() + 2;
    screen.MousePress(cx, int(controls.y) + 2, &keys->input);
    EXPECT_TRUE(screen.Page(1)->IsOpen());
    EXPECT_FALSE(screen.Page(2)->IsOpen());
}

} // namespace
