// The credits page on its shipped file: its layout, closing by keys and by BACK.
#include "MenuFixture.h"

#include "screens/CreditsScreen.h"

#include "tests/support/GlCanvas.h"
#include "tests/support/RecordingSoundLibrary.h"

#include <qnamespace.h>

#include <gtest/gtest.h>

namespace {

class CreditsScreenTest : public MenuFixture
{
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        ASSERT_TRUE(screen.Init(s_resources.get()));
    }

    cCreditsScreen screen;
    cRecordedEffects effects;
};

TEST_F(CreditsScreenTest, LaysOutItsPictureByTheWindow)
{
    EXPECT_GT(screen.LabelCount(), 10);
    screen.Resize(700, 440);
    EXPECT_EQ(screen.GetScaleFactor(), 2);
    EXPECT_EQ(screen.GetOriginX(), 151);
    EXPECT_EQ(screen.GetOriginY(), 40);
    screen.Resize(1920, 1080);
    EXPECT_EQ(screen.GetScaleFactor(), 4);
    EXPECT_EQ(screen.GetOriginX(), 580);
    EXPECT_EQ(screen.GetOriginY(), 180);

    // In a narrow window the credited lines shrink a step at a time until none starts left of 10.
    screen.Resize(420, 700);
    GlCanvas canvas(420, 700);
    screen.Draw(false);
    EXPECT_EQ(screen.GetLayoutScale(), 1);
    screen.Resize(1920, 1080);
    screen.Draw(false);
    EXPECT_EQ(screen.GetLayoutScale(), 4);
}

TEST_F(CreditsScreenTest, ClosesOnceOnConfirmSpaceOrBack)
{
    screen.Resize(960, 544);
    for (int key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape}) {
        cScriptedKeys keys;
        keys.Press(key);
        screen.HandleInput(&keys.input);
        EXPECT_EQ(screen.Update(20), cCreditsScreen::RESULT_CLOSED) << key;
        EXPECT_EQ(screen.Update(20), cCreditsScreen::RESULT_NONE);
        EXPECT_EQ(effects.sounds.Take().size(), 1u);
    }
    cScriptedKeys keys;
    keys.Press(Qt::Key_Left);
    screen.HandleInput(&keys.input);
    EXPECT_EQ(screen.Update(20), cCreditsScreen::RESULT_NONE) << "other keys do nothing";
}

TEST_F(CreditsScreenTest, AClickClosesOnlyOnBackWhileItIsLit)
{
    screen.Resize(960, 544);
    GlCanvas canvas(960, 544);
    screen.Draw(false);
    // BACK: from (38 + 10, 21 + 8) at scale 2.
    screen.MousePress(50, 32);
    EXPECT_EQ(screen.Update(20), cCreditsScreen::RESULT_NONE) << "no move over BACK before";
    screen.MouseMove(500, 300);
    screen.MousePress(50, 32);
    EXPECT_EQ(screen.Update(20), cCreditsScreen::RESULT_NONE);
    screen.MouseMove(50, 32);
    EXPECT_TRUE(screen.IsBackHovered());
    screen.MousePress(50, 32);
    EXPECT_EQ(screen.Update(20), cCreditsScreen::RESULT_CLOSED);
}

} // namespace
