// The title screen driven as the controller drives it (Update, then the tick's keys), over a fresh
// user folder: its row, its sub-screens and the codes it reports, the settings it writes, the
// scenery and the music.
#include "MenuFixture.h"

#include "actors/Cloud.h"
#include "player/GameSettings.h"
#include "audio/AudioSystem.h"
#include "audio/Sound.h"
#include "screens/CreditsScreen.h"
#include "screens/Menu.h"
#include "screens/MenuItem.h"
#include "screens/OptionsScreen.h"
#include "screens/SaveSlotMenu.h"
#include "screens/StartScreen.h"

#include "tests/support/GlCanvas.h"
#include "tests/support/RecordingSoundLibrary.h"

#include <qnamespace.h>

#include <gtest/gtest.h>

namespace {

class StartScreenTest : public MenuFixture
{
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        ASSERT_TRUE(settings.Load("Settings.xml"));
        Make(-1);
    }
    void TearDown() override
    {
        screen.reset();
        MenuFixture::TearDown();
    }
    void Make(int openWith)
    {
        screen = std::make_unique<cStartScreen>(openWith);
        ASSERT_TRUE(screen->Init(s_resources.get(), s_audio.get(), &settings));
        screen->Resize(960, 544);
    }
    /// One tick: Update, then the key, as the controller does it. Returns Update's code.
    int Tick(int key = 0)
    {
        const int code = screen->Update(20);
        cScriptedKeys keys;
        if (key)
            keys.Press(key);
        screen->HandleInput(&keys.input);
        return code;
    }

    cGameSettings settings;
    std::unique_ptr<cStartScreen> screen;
    cRecordedEffects effects;
};

TEST_F(StartScreenTest, TheShippedFilesLoadWithoutAComplaint)
{
    const std::string out = StdoutOf([this] {
        cStartScreen title(-1);
        EXPECT_TRUE(title.Init(s_resources.get(), s_audio.get(), &settings));
        cOptionsScreen options;
        EXPECT_TRUE(options.Init(s_resources.get(), &settings));
        cCreditsScreen credits;
        EXPECT_TRUE(credits.Init(s_resources.get()));
    });
    EXPECT_EQ(out.find("ERROR"), std::string::npos) << out;
}

TEST_F(StartScreenTest, TheRowHoldsFiveEntriesAndWrapsBothWays)
{
    ASSERT_EQ(screen->ItemCount(), 5);
    const char* names[] = {"NEW GAME", "RESUME", "OPTIONS", "CREDITS", "EXIT"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(screen->Item(i)->GetName(), names[i]);
    EXPECT_EQ(screen->GetSelected(), 0);
    Tick(Qt::Key_Left);
    EXPECT_EQ(screen->GetSelected(), 4) << "left on NEW GAME selects EXIT";
    Tick(Qt::Key_Right);
    EXPECT_EQ(screen->GetSelected(), 0) << "right on EXIT selects NEW GAME";
    EXPECT_EQ(effects.sounds.Take().size(), 2u);

    Tick(Qt::Key_Left);
    EXPECT_EQ(Tick(Qt::Key_Return), cStartScreen::RESULT_NONE);
    for (int tick = 0; tick < 3; ++tick)
        EXPECT_EQ(Tick(), cStartScreen::RESULT_QUIT) << "EXIT is reported on every tick from then on";
}

TEST_F(StartScreenTest, ScalesAndCentresItsPicture)
{
    struct sRow
    {
        int w, h, picture, base, x, y;
    } rows[] = {{700, 440, 1, 2, 110, 84}, {1920, 1080, 3, 6, 240, 132}, {960, 544, 1, 2, 240, 136}};
    for (const sRow& row : rows) {
        screen->Resize(row.w, row.h);
        EXPECT_EQ(screen->GetPictureScale(), row.picture);
        EXPECT_EQ(screen->GetBaseScale(), row.base);
        EXPECT_EQ(screen->GetOffsetX(), row.x);
        EXPECT_EQ(screen->GetOffsetY(), row.y);
    }
}

TEST_F(StartScreenTest, TheRingAroundTheBadgeIsAWhiteRimOfRadius37OverTheSky)
{
    const struct
    {
        int w, h;
    } windows[] = {{960, 544}, {1920, 1080}};
    for (const auto& window : windows) {
        screen->Resize(window.w, window.h);
        GlCanvas canvas(window.w, window.h);
        screen->Draw(false);
        const int s = screen->GetBaseScale();
        const int p = s / 2;
        const int x = screen->GetOffsetX() + 61 * s;
        const int centreY = int(217 * p + 1.4f * screen->GetOffsetY());
        // Straight above the centre, between radius 36 and 37, the white disc shows round the
        // lilac one; half a step beyond 37 the sky shows, as it does far right at that height.
        const QColor rim = canvas.Pixel(x, centreY + 36 * s + s / 2);
        const int outsideY = centreY + 37 * s + s / 2;
        const QColor sky = canvas.Pixel(window.w - 3, outsideY);
        EXPECT_GT(rim.lightness(), sky.lightness() + 20) << window.w << " x " << window.h;
        EXPECT_TRUE(NearColor(canvas.Pixel(x, outsideY), sky, 20)) << window.w << " x " << window.h;
    }
}

TEST_F(StartScreenTest, OpenedWithTheSaveSlotsItShowsThemToResume)
{
    Make(3);
    EXPECT_EQ(screen->GetSubState(), cStartScreen::SUB_SAVE_SLOTS);
    // Resume mode: an empty slot starts a new game without asking.
    Tick(Qt::Key_Return);
    EXPECT_EQ(Tick(), cStartScreen::RESULT_NEW_GAME_ON_SLOT);
    EXPECT_EQ(screen->GetSelectedSlot(), 0);

    Make(-1);
    EXPECT_EQ(screen->GetSubState(), cStartScreen::SUB_NONE);
}

TEST_F(StartScreenTest, NewGameOpensTheSlotsAndBackReturnsToTheRow)
{
    Tick(Qt::Key_Return);
    ASSERT_EQ(screen->GetSubState(), cStartScreen::SUB_SAVE_SLOTS);
    Tick(Qt::Key_Down);
    Tick(Qt::Key_Space);
    EXPECT_EQ(Tick(), cStartScreen::RESULT_NEW_GAME_ON_SLOT);
    EXPECT_EQ(screen->GetSelectedSlot(), 1);

    Make(-1);
    Tick(Qt::Key_Return);
    Tick(Qt::Key_Escape);
    EXPECT_EQ(Tick(), cStartScreen::RESULT_NONE);
    EXPECT_EQ(screen->GetSubState(), cStartScreen::SUB_NONE);
    EXPECT_EQ(screen->GetSaveSlots(), nullptr);
    EXPECT_EQ(screen->GetSelectedSlot(), -1);
}

TEST_F(StartScreenTest, TheOptionsToggleFullScreenOnceAndMuteEffectsWithAmbienceAndSaveBoth)
{
    Tick(Qt::Key_Right);
    Tick(Qt::Key_Right);
    Tick(Qt::Key_Return);
    ASSERT_EQ(screen->GetSubState(), cStartScreen::SUB_OPTIONS);
    Tick(Qt::Key_Right);
    Tick(Qt::Key_Return);
    ASSERT_TRUE(screen->GetOptions()->Page(2)->IsOpen());
    Tick(Qt::Key_Return);
    EXPECT_TRUE(settings.IsSFXMuted());
    EXPECT_TRUE(settings.IsAmbienceMuted());
    EXPECT_TRUE(effects.sounds.IsMuted()) << "the effects follow at once";
    EXPECT_TRUE(ReadUserCopy("Settings.xml").contains("<SFX Mute=\"1\"/>"));
    Tick(Qt::Key_Down);
    Tick(Qt::Key_Down);
    EXPECT_EQ(Tick(Qt::Key_Return), cStartScreen::RESULT_NONE);
    EXPECT_TRUE(settings.IsFullScreen());
    EXPECT_EQ(Tick(), cStartScreen::RESULT_TOGGLE_FULL_SCREEN);
    EXPECT_EQ(Tick(), cStartScreen::RESULT_NONE) << "reported once";
    EXPECT_EQ(screen->GetSubState(), cStartScreen::SUB_OPTIONS) << "the options stay open";
    EXPECT_TRUE(ReadUserCopy("Settings.xml").contains("FullScreen=\"1\""));
}

TEST_F(StartScreenTest, AClickOpensAPageThatTheSameClickDoesNotClose)
{
    GlCanvas canvas(960, 544);
    screen->Draw(false);
    const cMenuItem& credits = *screen->Item(3);
    const b2Vec2 at = credits.GetScreenPosition();
    const int x = int(at.x) + 3;
    const int y = 544 - (int(at.y) + 3);
    screen->MouseMove(x, y);
    EXPECT_TRUE(credits.IsHighlighted());
    screen->MousePress(x, y, 2, nullptr);
    EXPECT_EQ(screen->GetSubState(), cStartScreen::SUB_NONE) << "the right button does nothing";
    screen->MousePress(x, y, 1, nullptr);
    EXPECT_EQ(screen->GetSubState(), cStartScreen::SUB_CREDITS);
    EXPECT_EQ(screen->GetSelected(), 3);
    EXPECT_EQ(Tick(), cStartScreen::RESULT_NONE);
    EXPECT_EQ(screen->GetSubState(), cStartScreen::SUB_CREDITS) << "the credits did not close on that click";
    Tick(Qt::Key_Escape);
    EXPECT_EQ(Tick(), cStartScreen::RESULT_NONE);
    EXPECT_EQ(screen->GetSubState(), cStartScreen::SUB_NONE);
}

TEST_F(StartScreenTest, TheCloudsDriftAndTheMusicFadesInAgainOnASecondInit)
{
    const std::vector<cCloud*> clouds = screen->Clouds();
    ASSERT_EQ(clouds.size(), 3u);
    const float before = clouds[0]->GetX();
    for (int tick = 0; tick < 50; ++tick)
        Tick();
    EXPECT_NEAR(clouds[0]->GetX(), before + 16.0f, 0.01f) << "16 pixels a second";

    ASSERT_TRUE(screen->Init(s_resources.get(), s_audio.get(), &settings));
    ASSERT_NE(screen->GetMusic(), nullptr);
    ASSERT_TRUE(screen->GetMusic()->IsPlaying()) << "the title plays its loop";
    EXPECT_NEAR(screen->GetMusic()->GetVolume(), 0.0f, 0.01f);
    for (int tick = 0; tick < 50; ++tick)
        Tick();
    EXPECT_NEAR(screen->GetMusic()->GetVolume(), 0.5f, 0.02f) << "halfway through two seconds";
}

TEST_F(StartScreenTest, TheMusicFadesOutAfterTheScreenIsGone)
{
    ASSERT_TRUE(screen->GetMusic()->IsPlaying());
    screen->Leave(0);
    screen.reset();
    ASSERT_EQ(s_audio->FadingCount(), 1);
    for (int tick = 0; tick < 24; ++tick)
        s_audio->Update();
    EXPECT_EQ(s_audio->FadingCount(), 1) << "still fading before 500 ms";
    s_audio->Update();
    s_audio->Update();
    EXPECT_EQ(s_audio->FadingCount(), 0) << "stopped and released";
}

} // namespace
