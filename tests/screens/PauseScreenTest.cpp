// The pause menu and its how-to-play page, driven by menu keys and mouse events as the window
// delivers them, on the game's shared assets.
#include "MenuFixture.h"

#include "player/GameSettings.h"
#include "screens/HowPlayScreen.h"
#include "screens/Menu.h"
#include "screens/MenuItem.h"
#include "screens/OptionsScreen.h"
#include "screens/PauseScreen.h"

#include "engine/FontManager.h"
#include "tests/support/GlCanvas.h"
#include "tests/support/RecordingSoundLibrary.h"

#include <Qt>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing::ElementsAre;

namespace
{
constexpr int kWidth = 960, kHeight = 544;

class PauseScreenTest : public MenuFixture
{
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        ASSERT_TRUE(pause.Init(s_resources.get(), s_audio.get(), &settings));
        pause.Resize(kWidth, kHeight);
    }

    /// One tick as the controller runs it: Update, then the tick's keys.
    int Tick(std::initializer_list<int> keys = {})
    {
        const int result = pause.Update(20);
        for (int key : keys)
            keys_.Press(key);
        pause.HandleInput(&keys_.input);
        keys_.EndTick();
        return result;
    }
    /// The keys, one per tick, then the result of the tick after the last.
    int Answer(const std::vector<int>& keys)
    {
        for (int key : keys)
            Tick({key});
        return Tick();
    }
    /// A window point (y down, as the mouse reports it) inside entry i's text, or on its edge.
    QPoint EntryPoint(int i, bool onEdge = false) const
    {
        const cMenu& page = *pause.GetPage(i);
        const int t = pause.GetTextScale();
        const int y = static_cast<int>(kHeight / 2 + 82.0f * t * (page.GetY() / 100.0f));
        const b2Vec2 at = font.MenuTextPosition(page.GetName(), 0, y, t, kWidth, 7);
        const int x = static_cast<int>(at.x) + (onEdge ? 0 : font.TextWidth(page.GetName(), t) / 2);
        return QPoint(x, kHeight - (static_cast<int>(at.y) + 3 * t));
    }
    int Click(int i, int button = 1, bool onEdge = false)
    {
        const QPoint at = EntryPoint(i, onEdge);
        return pause.MousePress(at.x(), at.y(), button, &keys_.input);
    }

    cGameSettings settings;
    cPauseScreen pause;
    cScriptedKeys keys_;
    cFontManager font;
};

struct sKeyRow
{
    const char* name;
    std::vector<int> keys;
    int answer;
};

class PauseScreenKeys : public PauseScreenTest, public testing::WithParamInterface<sKeyRow>
{
};
}

TEST_F(PauseScreenTest, ListsTheFiveEntriesActiveWithTheFirstSelected)
{
    ASSERT_EQ(pause.GetPageCount(), 5);
    std::vector<std::string> names;
    for (int i = 0; i < 5; ++i)
    {
        names.push_back(pause.GetPage(i)->GetName().toStdString());
        EXPECT_TRUE(pause.GetPage(i)->IsActive()) << names.back();
    }
    EXPECT_THAT(names, ElementsAre("CONTINUE", "EXIT AND SELECT AREA", "OPTIONS", "HOW TO PLAY", "EXIT"));
    EXPECT_EQ(pause.GetSelected(), 0);
}

TEST_P(PauseScreenKeys, AnswerTheTickAfterTheChoice)
{
    EXPECT_EQ(Answer(GetParam().keys), GetParam().answer);
    EXPECT_EQ(Tick(), cPauseScreen::RESULT_NONE);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PauseScreenKeys,
    testing::Values(sKeyRow{"Back", {Qt::Key_Escape}, cPauseScreen::RESULT_CONTINUE},
                    sKeyRow{"Continue", {Qt::Key_Return}, cPauseScreen::RESULT_CONTINUE},
                    sKeyRow{"SelectArea", {Qt::Key_Down, Qt::Key_Return}, cPauseScreen::RESULT_SELECT_AREA},
                    sKeyRow{"UpWrapsToExit", {Qt::Key_Up, Qt::Key_Return}, cPauseScreen::RESULT_EXIT},
                    sKeyRow{"LeftIsUp", {Qt::Key_Left, Qt::Key_Space}, cPauseScreen::RESULT_EXIT},
                    sKeyRow{"DownWrapsToContinue",
                            {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Down, Qt::Key_Space},
                            cPauseScreen::RESULT_CONTINUE},
                    sKeyRow{"HowToPlayStays", {Qt::Key_Up, Qt::Key_Up, Qt::Key_Return}, cPauseScreen::RESULT_NONE}),
    [](const testing::TestParamInfo<sKeyRow>& info) { return info.param.name; });

TEST_F(PauseScreenTest, HowToPlayShowsTheLiveKeysAndGoesOnAKeyOrAClick)
{
    cRecordedEffects effects;
    Answer({Qt::Key_Up, Qt::Key_Up, Qt::Key_Return});
    EXPECT_EQ(pause.GetSubScreen(), cPauseScreen::SUB_HOW_TO_PLAY);
    EXPECT_THAT(pause.GetHowPlayScreen()->GetKeyTexts(),
                ElementsAre("D", "LEFT", "RIGHT", "SPACE", "DOWN", "SPACE", "SPACE", "A", "S", "SPACE", "A", "S"));
    effects.sounds.Take();

    // Any key leaves with the menu sound; the list is back, HOW TO PLAY still selected.
    Tick({Qt::Key_K});
    EXPECT_EQ(pause.GetSubScreen(), cPauseScreen::SUB_NONE);
    EXPECT_EQ(effects.sounds.Take().size(), 1u);
    EXPECT_EQ(pause.GetSelected(), 3);

    // By mouse the page shows the keys the controls file holds, whatever is bound but not saved.
    keys_.input.SetKey(KEY_JUMP, Qt::Key_J);
    keys_.input.SaveConfig("Controls.xml");
    keys_.input.SetKey(KEY_NEXT, Qt::Key_Shift);
    EXPECT_EQ(Click(3), cPauseScreen::CLICK_ON_LIST);
    Tick();
    EXPECT_EQ(pause.GetSubScreen(), cPauseScreen::SUB_HOW_TO_PLAY);
    EXPECT_THAT(pause.GetHowPlayScreen()->GetKeyTexts(),
                ElementsAre("D", "LEFT", "RIGHT", "J", "DOWN", "J", "J", "A", "S", "J", "A", "S"));

    // A click leaves silently.
    effects.sounds.Take();
    EXPECT_EQ(Click(0), cPauseScreen::CLICK_IGNORED);
    EXPECT_EQ(pause.GetSubScreen(), cPauseScreen::SUB_NONE);
    EXPECT_TRUE(effects.sounds.Take().empty());
    EXPECT_EQ(Tick(), cPauseScreen::RESULT_NONE);
}

TEST_F(PauseScreenTest, HowToPlayMarksKeysWithoutANameWithAQuestionMark)
{
    // The apostrophe and F13 have no printable name: the page must not show "not f" for them.
    keys_.input.SetKey(KEY_JUMP, Qt::Key_Apostrophe);
    keys_.input.SetKey(KEY_ROT_LEFT, Qt::Key_F13);
    Answer({Qt::Key_Up, Qt::Key_Up, Qt::Key_Return});
    ASSERT_EQ(pause.GetSubScreen(), cPauseScreen::SUB_HOW_TO_PLAY);
    EXPECT_THAT(pause.GetHowPlayScreen()->GetKeyTexts(),
                ElementsAre("D", "LEFT", "RIGHT", "?", "DOWN", "?", "?", "?", "S", "?", "?", "S"));
}

TEST_F(PauseScreenTest, ClicksChooseInsideAnEntryOnlyWithTheLeftButton)
{
    EXPECT_EQ(Click(4, 2), cPauseScreen::CLICK_IGNORED);
    EXPECT_EQ(Click(4, 0), cPauseScreen::CLICK_IGNORED);
    EXPECT_EQ(Click(4, 1, true), cPauseScreen::CLICK_ON_LIST);
    EXPECT_EQ(Tick(), cPauseScreen::RESULT_NONE);
    EXPECT_EQ(pause.GetSelected(), 0);

    const QPoint inside = EntryPoint(1);
    pause.MouseMove(inside.x(), inside.y());
    EXPECT_TRUE(pause.GetPage(1)->IsHovered());
    EXPECT_FALSE(pause.GetPage(0)->IsHovered());
    EXPECT_EQ(pause.GetSelected(), 0);

    const struct
    {
        int entry;
        int answer;
    } rows[] = {{0, cPauseScreen::RESULT_CONTINUE}, {1, cPauseScreen::RESULT_SELECT_AREA}, {4, cPauseScreen::RESULT_EXIT}};
    for (const auto& row : rows)
    {
        EXPECT_EQ(Click(row.entry), cPauseScreen::CLICK_ON_LIST);
        EXPECT_EQ(pause.GetSelected(), row.entry);
        EXPECT_EQ(Tick(), row.answer) << row.entry;
    }
}

TEST_F(PauseScreenTest, ScalesWithTheWindow)
{
    const struct
    {
        int w, h, textScale;
    } rows[] = {{480, 272, 2}, {1920, 1080, 6}, {300, 200, 2}, {1280, 800, 4}};
    for (const auto& row : rows)
    {
        pause.Resize(row.w, row.h);
        EXPECT_EQ(pause.GetTextScale(), row.textScale) << row.w << " x " << row.h;
    }
    // A zero-wide window, as Qt reports one being made, changes nothing.
    pause.Resize(0, 0);
    EXPECT_EQ(pause.GetTextScale(), 4);
}

TEST_F(PauseScreenTest, PaintsTheVeilAndTheEntriesThenTheHowToPlayPage)
{
    GlCanvas canvas(kWidth, kHeight);
    pause.Paint();
    SaveScreenshot(kWidth, kHeight, "pause-list.png");
    // The veil greys the black background; the selected entry, CONTINUE, is lilac (its white
    // copy lies behind the letters' outline), the others white.
    EXPECT_TRUE(NearColor(canvas.Pixel(5, 5), QColor(39, 39, 39), 3));
    auto count = [&canvas](QColor colour, int y) {
        int n = 0;
        for (int py = y; py < y + 28; ++py)
            for (int px = kWidth / 2 - 100; px < kWidth / 2 + 100; ++px)
                n += NearColor(canvas.Pixel(px, py), colour, 4) ? 1 : 0;
        return n;
    };
    const int continueY = kHeight / 2 + 82 * 4 * 30 / 100;
    const int exitY = kHeight / 2 - 82 * 4 * 50 / 100;
    EXPECT_GT(count(QColor(136, 118, 164), continueY), 100);
    EXPECT_GT(count(Qt::white, exitY), 100);

    Answer({Qt::Key_Up, Qt::Key_Up, Qt::Key_Return});
    pause.Resize(1280, 720);
    GlCanvas page(1280, 720);
    pause.Paint();
    SaveScreenshot(1280, 720, "pause-how-to-play.png");
    EXPECT_EQ(pause.GetHowPlayScreen()->GetPictureScale(), 1);
    // Lilac margins beside the 480 x 300 picture, centred.
    EXPECT_TRUE(NearColor(page.Pixel(10, 360), QColor(136, 118, 164), 2));
    EXPECT_TRUE(NearColor(page.Pixel(1270, 360), QColor(136, 118, 164), 2));
    EXPECT_TRUE(NearColor(page.Pixel(640, 100), QColor(136, 118, 164), 2));
}

TEST_F(PauseScreenTest, OptionsToggleAndSaveTheSettingsAndReportFullScreenOnTheNextTick)
{
    Answer({Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
    ASSERT_EQ(pause.GetSubScreen(), cPauseScreen::SUB_OPTIONS);
    // The sound and graphics page, its first entry SOUND EFFECTS, then MUSIC and FULL SCREEN.
    Tick({Qt::Key_Right});
    Tick({Qt::Key_Return});
    int code = 0;
    const auto key = [&](int k) {
        EXPECT_EQ(pause.Update(20), cPauseScreen::RESULT_NONE);
        keys_.Press(k);
        code = pause.HandleInput(&keys_.input);
        keys_.EndTick();
        return code;
    };
    EXPECT_EQ(key(Qt::Key_Return), cMenuItem::RESULT_EFFECTS);
    EXPECT_TRUE(settings.IsSFXMuted());
    EXPECT_TRUE(settings.IsAmbienceMuted());
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(key(Qt::Key_Return), cMenuItem::RESULT_KEY_FULL_SCREEN);
    EXPECT_TRUE(settings.IsFullScreen());
    EXPECT_EQ(pause.Update(20), cPauseScreen::RESULT_TOGGLE_FULL_SCREEN);
    EXPECT_EQ(pause.Update(20), cPauseScreen::RESULT_NONE);
    EXPECT_THAT(ReadUserCopy("Settings.xml").toStdString(), testing::HasSubstr("FullScreen=\"1\""));

    // By mouse the full-screen box answers RESULT_CLICK_FULL_SCREEN, and the tick after it the
    // full-screen toggle as well.
    GlCanvas canvas(kWidth, kHeight);
    pause.Paint();
    SaveScreenshot(kWidth, kHeight, "pause-options.png");
    const cMenuItem& fullScreen = *pause.GetOptionsScreen()->Page(2)->Item(0)->SubItem(2);
    const b2Vec2 box = fullScreen.GetBoxPosition();
    const int x = static_cast<int>(box.x) + 4, y = kHeight - (static_cast<int>(box.y) + 4);
    pause.MouseMove(x, y);
    EXPECT_EQ(pause.MousePress(x, y, 1, &keys_.input), cMenuItem::RESULT_CLICK_FULL_SCREEN);
    EXPECT_FALSE(settings.IsFullScreen());
    EXPECT_EQ(pause.Update(20), cPauseScreen::RESULT_TOGGLE_FULL_SCREEN);

    // Back twice: out of the page, then out of the options, back to the list.
    key(Qt::Key_Escape);
    key(Qt::Key_Escape);
    EXPECT_EQ(pause.Update(20), cPauseScreen::RESULT_NONE);
    EXPECT_EQ(pause.GetSubScreen(), cPauseScreen::SUB_NONE);
    EXPECT_EQ(pause.GetOptionsScreen(), nullptr);
}
