// The option pages of the shipped description file driven by scripted menu keys: stepping and
// links, the named entries' codes, key capture with cancel, save and default, and the sound each
// key makes.
#include "MenuFixture.h"

#include "player/GameSettings.h"
#include "engine/Animation.h"
#include "engine/Controls.h"
#include "engine/FontManager.h"
#include "screens/Menu.h"
#include "screens/MenuItem.h"
#include "screens/SetButton.h"

#include "engine/SharedAssets.h"
#include "tests/support/GlCanvas.h"
#include "tests/support/RecordingSoundLibrary.h"
#include "tests/support/StdoutOf.h"

#include <QStringList>
#include <qnamespace.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const char* const kOptionsFile = "res/xml/menus/optionsscreenmenu.xml";
const QStringList kDefaultKeyTexts{"LEFT", "RIGHT", "UP", "DOWN", "SPACE", "D", "A", "S"};
enum eRow
{
    ROW_LEFT = 0,
    ROW_JUMP = 4,
    ROW_SWITCH = 5,
    ROW_SAVE = 8,
    ROW_DEFAULT = 9,
    ROW_CANCEL = 10
};

class OptionPagesTest : public MenuFixture
{
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        customControls = false;
        keys = std::make_unique<cScriptedKeys>();
        pages = LoadPages(kOptionsFile, &font);
        ASSERT_EQ(pages.size(), 3u);
    }

    cMenu& Controls() { return *pages[1]; }
    cMenu& Sound() { return *pages[2]; }
    cMenuItem& Keyboard() { return *Controls().Item(0); }
    cSetButton& Field(int row) { return *Keyboard().SubItem(row)->GetSetButton(); }

    /// One tick with the key pressed, handed to the page, which must make that many menu sounds:
    /// one for most keys.
    int Tick(cMenu& page, int key, std::size_t sounds = 1)
    {
        keys->Press(key);
        const int code = page.HandleInput(keys->input);
        keys->EndTick();
        const std::vector<int> played = effects.sounds.Take();
        EXPECT_EQ(played.size(), sounds) << "key " << key;
        for (int id : played)
            EXPECT_TRUE(id == 52 || id == 53 || id == 62 || id == 63 || id == 64) << id;
        return code;
    }
    /// Opens the page and walks down to the row (DEFAULT lies right of SAVE).
    void GoToRow(int row)
    {
        ASSERT_EQ(Controls().Open(), cMenu::RESULT_OPENED);
        Tick(Controls(), Qt::Key_Down);
        for (int i = 0; i < std::min(row, int(ROW_SAVE)); ++i)
            Tick(Controls(), Qt::Key_Down);
        if (row == ROW_DEFAULT)
            Tick(Controls(), Qt::Key_Right);
        ASSERT_EQ(Keyboard().GetSelectedSubItem(), row);
    }
    /// The key a fresh handler reads from the user's controls file.
    static int SavedKey(eInputKey action)
    {
        cInputHandler fresh;
        fresh.LoadConfig("Controls.xml");
        return fresh.GetKey(action);
    }
    QStringList ShownKeys()
    {
        QStringList shown;
        for (int row = 0; row < 8; ++row)
            shown << Field(row).GetShownText();
        return shown;
    }

    cFontManager font;
    std::vector<std::unique_ptr<cMenu>> pages;
    std::unique_ptr<cScriptedKeys> keys;
    cRecordedEffects effects;
};

TEST_F(OptionPagesTest, TheShippedFileHoldsTheBarPagesAndTheirEntries)
{
    EXPECT_EQ(pages[0]->GetName(), "BACK");
    EXPECT_EQ(pages[0]->ItemCount(), 0);
    EXPECT_EQ(Controls().GetName(), "CONTROLS");
    ASSERT_EQ(Keyboard().SubItemCount(), 11);
    const char* rows[] = {"LEFT", "RIGHT", "UP(ENTER)", "DOWN(HEADJUMP)", "JUMP", "SWITCH",
                          "ROTATION LEFT", "ROTATION RIGHT", "SAVE", "DEFAULT", "CANCEL"};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(Keyboard().SubItem(i)->GetName(), rows[i]);
    EXPECT_EQ(ShownKeys(), kDefaultKeyTexts);
    EXPECT_EQ(Keyboard().SubItem(ROW_SAVE)->GetLayoutPosition(), 0);
    EXPECT_EQ(Sound().GetName(), "SOUND/GRAPHICS");
    EXPECT_EQ(Sound().Item(0)->SubItemCount(), 4);
}

TEST_F(OptionPagesTest, TheControlsPageStepsAndFollowsItsLinks)
{
    ASSERT_EQ(Controls().Open(), cMenu::RESULT_OPENED);
    EXPECT_TRUE(Controls().IsOpen());
    EXPECT_TRUE(Keyboard().IsSelected());
    struct sStep
    {
        int key;
        int row;
    } steps[] = {
        {Qt::Key_Right, -1}, {Qt::Key_Left, -1},      // one entry: the page wraps onto KEYBOARD again
        {Qt::Key_Down, ROW_LEFT},                     // into the rows
        {Qt::Key_Up, ROW_CANCEL},                     // LEFT's up link
        {Qt::Key_Up, ROW_DEFAULT},                    // CANCEL's up link
        {Qt::Key_Left, ROW_SAVE},   {Qt::Key_Right, ROW_DEFAULT},
        {Qt::Key_Down, ROW_CANCEL},                   // no link: one step
        {Qt::Key_Down, ROW_LEFT},                     // CANCEL's down link
        {Qt::Key_Down, 1},          {Qt::Key_Up, 0},  {Qt::Key_Right, 0}, {Qt::Key_Down, 1}, {Qt::Key_Left, 1},
    };
    for (const sStep& step : steps) {
        EXPECT_EQ(Tick(Controls(), step.key), cMenu::RESULT_NONE);
        EXPECT_EQ(Keyboard().GetSelectedSubItem(), step.row) << "after key " << step.key;
        EXPECT_TRUE(Keyboard().IsSelected());
    }
    for (int row = 2; row <= ROW_SAVE; ++row)
        Tick(Controls(), Qt::Key_Down);
    EXPECT_EQ(Keyboard().GetSelectedSubItem(), ROW_SAVE);
    Tick(Controls(), Qt::Key_Down);
    EXPECT_EQ(Keyboard().GetSelectedSubItem(), ROW_CANCEL) << "SAVE's down link";
    for (int row = 0; row <= ROW_CANCEL; ++row)
        EXPECT_EQ(Keyboard().SubItem(row)->IsSelected(), row == ROW_CANCEL);
}

TEST_F(OptionPagesTest, ACapturedKeyIsShownAtOnceAndBoundOnlyBySave)
{
    const QByteArray fileBefore = ReadUserCopy("Controls.xml");
    GoToRow(ROW_JUMP);
    EXPECT_EQ(Tick(Controls(), Qt::Key_Return), cMenu::RESULT_NONE);
    EXPECT_EQ(Field(ROW_JUMP).GetState(), cSetButton::WAITING);
    int result = -1;
    const std::string traced = StdoutOf([&] { result = Tick(Controls(), Qt::Key_X); });
    EXPECT_EQ(result, cMenu::RESULT_NONE) << "the entry's RESULT_KEY_CAPTURED stays inside the page";
    EXPECT_NE(traced.find("SETTING THE KEY NEW " + std::to_string(Qt::Key_X) + " \nSET KEY JUMP \n"),
              std::string::npos) << traced;
    EXPECT_EQ(Field(ROW_JUMP).GetState(), cSetButton::IDLE);
    EXPECT_EQ(Field(ROW_JUMP).GetShownText(), "X");
    EXPECT_EQ(keys->input.GetKey(KEY_JUMP), Qt::Key_Space);
    EXPECT_TRUE(cMenuItem::KeysChanged());

    // A key that another row holds is taken all the same: one key for two actions is the player's
    // choice. One without a name shows "?".
    Tick(Controls(), Qt::Key_Down);
    Tick(Controls(), Qt::Key_Space);
    EXPECT_EQ(StdoutOf([&] { Tick(Controls(), Qt::Key_Left); }),
              "SETTING THE KEY NEW " + std::to_string(Qt::Key_Left) + " \nSET KEY SWITCH \n");
    EXPECT_EQ(Field(ROW_SWITCH).GetState(), cSetButton::IDLE);
    EXPECT_EQ(Field(ROW_SWITCH).GetShownText(), "LEFT");
    EXPECT_EQ(Keyboard().GetSelectedSubItem(), ROW_SWITCH) << "the captured key did not move";
    Tick(Controls(), Qt::Key_Space);
    Tick(Controls(), Qt::Key_F13);
    EXPECT_EQ(Field(ROW_SWITCH).GetShownText(), "?");

    // CANCEL: the old names again, nothing bound, nothing written.
    for (int i = ROW_SWITCH; i < ROW_SAVE; ++i)
        Tick(Controls(), Qt::Key_Down);
    Tick(Controls(), Qt::Key_Down);
    ASSERT_EQ(Keyboard().GetSelectedSubItem(), ROW_CANCEL);
    EXPECT_EQ(Tick(Controls(), Qt::Key_Return), cMenu::RESULT_LEFT);
    EXPECT_FALSE(Controls().IsOpen());
    EXPECT_EQ(ShownKeys(), kDefaultKeyTexts);
    EXPECT_EQ(keys->input.GetKey(KEY_JUMP), Qt::Key_Space);
    EXPECT_EQ(keys->input.GetKey(KEY_NEXT), Qt::Key_D);
    EXPECT_EQ(ReadUserCopy("Controls.xml"), fileBefore);
    EXPECT_FALSE(cMenuItem::KeysChanged());

    // The same two captures and SAVE: bound, written, read back.
    GoToRow(ROW_JUMP);
    Tick(Controls(), Qt::Key_Return);
    Tick(Controls(), Qt::Key_X);
    Tick(Controls(), Qt::Key_Down);
    Tick(Controls(), Qt::Key_Return);
    Tick(Controls(), Qt::Key_Left);
    for (int i = ROW_SWITCH; i < ROW_SAVE; ++i)
        Tick(Controls(), Qt::Key_Down);
    ASSERT_EQ(Keyboard().GetSelectedSubItem(), ROW_SAVE);
    EXPECT_EQ(Tick(Controls(), Qt::Key_Return), cMenu::RESULT_LEFT);
    EXPECT_EQ(keys->input.GetKey(KEY_JUMP), Qt::Key_X);
    EXPECT_EQ(keys->input.GetKey(KEY_NEXT), Qt::Key_Left);
    EXPECT_EQ(keys->input.GetKey(KEY_LEFT), Qt::Key_Left) << "both actions on the one key";
    EXPECT_EQ(SavedKey(KEY_JUMP), Qt::Key_X);
    EXPECT_EQ(SavedKey(KEY_NEXT), Qt::Key_Left);
    EXPECT_EQ(SavedKey(KEY_LEFT), Qt::Key_Left);
    EXPECT_TRUE(customControls);
    EXPECT_EQ(Field(ROW_JUMP).GetCommittedText(), "X");

    // DEFAULT: the default keys bound, written and shown.
    GoToRow(ROW_DEFAULT);
    EXPECT_EQ(Tick(Controls(), Qt::Key_Return), cMenu::RESULT_LEFT);
    EXPECT_EQ(ShownKeys(), kDefaultKeyTexts);
    EXPECT_EQ(SavedKey(KEY_JUMP), Qt::Key_Space);
    EXPECT_EQ(keys->input.GetKey(KEY_NEXT), Qt::Key_D);
    EXPECT_FALSE(customControls);
}

TEST_F(OptionPagesTest, EscapeLeavesThePageWithoutBindingOrUndoingACapture)
{
    GoToRow(ROW_JUMP);
    Tick(Controls(), Qt::Key_Return);
    Tick(Controls(), Qt::Key_X);
    Tick(Controls(), Qt::Key_Down);
    Tick(Controls(), Qt::Key_Return);
    ASSERT_EQ(Field(ROW_SWITCH).GetState(), cSetButton::WAITING);
    EXPECT_EQ(Tick(Controls(), Qt::Key_Escape, 0), cMenu::RESULT_LEFT) << "the entries never see it";
    EXPECT_FALSE(Controls().IsOpen());
    EXPECT_EQ(Field(ROW_SWITCH).GetState(), cSetButton::WAITING) << "the field still waits";
    EXPECT_EQ(Field(ROW_JUMP).GetShownText(), "X") << "the capture still shows";
    EXPECT_EQ(keys->input.GetKey(KEY_JUMP), Qt::Key_Space);
    EXPECT_EQ(Keyboard().GetSelectedSubItem(), -1);
    // The page sounds for the jump key, then its entry for any key.
    StdoutOf([&] { Tick(Controls(), Qt::Key_Space, 2); });
}

TEST_F(OptionPagesTest, TheSoundPageReportsEachToggleAndCloseWithOk)
{
    ASSERT_EQ(Sound().Open(), cMenu::RESULT_OPENED);
    const cMenuItem& sound = *Sound().Item(0);
    EXPECT_EQ(sound.GetSelectedSubItem(), 0);
    EXPECT_TRUE(sound.SubItem(0)->IsSelected());
    EXPECT_EQ(Tick(Sound(), Qt::Key_Return), cMenuItem::RESULT_EFFECTS) << "SOUND EFFECTS";
    EXPECT_EQ(Tick(Sound(), Qt::Key_Space), cMenuItem::RESULT_EFFECTS) << "the second confirm key";
    EXPECT_EQ(Tick(Sound(), Qt::Key_Right), cMenuItem::RESULT_KEY_RIGHT_ON_EFFECTS);
    EXPECT_EQ(Tick(Sound(), Qt::Key_Down), cMenu::RESULT_NONE);
    EXPECT_EQ(Tick(Sound(), Qt::Key_Return), cMenuItem::RESULT_MUSIC) << "MUSIC";
    EXPECT_EQ(Tick(Sound(), Qt::Key_Right), cMenu::RESULT_NONE);
    EXPECT_EQ(Tick(Sound(), Qt::Key_Down), cMenu::RESULT_NONE);
    EXPECT_EQ(Tick(Sound(), Qt::Key_Return), cMenuItem::RESULT_KEY_FULL_SCREEN) << "FULL SCREEN";
    EXPECT_EQ(Tick(Sound(), Qt::Key_Down), cMenu::RESULT_NONE);
    EXPECT_EQ(Tick(Sound(), Qt::Key_Down), cMenu::RESULT_NONE) << "no step past OK";
    EXPECT_EQ(Tick(Sound(), Qt::Key_Return), cMenu::RESULT_LEFT) << "OK";
    EXPECT_FALSE(Sound().IsOpen());
    EXPECT_EQ(sound.GetSelectedSubItem(), -1);
}

TEST_F(OptionPagesTest, TheCheckBoxesFollowTheSettings)
{
    cGameSettings settings;
    const cMenuItem& sound = *Sound().Item(0);
    auto frames = [&] {
        return std::vector<int>{sound.SubItem(0)->GetAnimation("checkbox")->GetCurrentFrame(),
                                sound.SubItem(1)->GetAnimation("checkbox")->GetCurrentFrame(),
                                sound.SubItem(2)->GetAnimation("checkbox_FullScreen")->GetCurrentFrame()};
    };
    Sound().ApplySettings(settings);
    EXPECT_EQ(frames(), (std::vector<int>{1, 1, 0})) << "sounds on, in a window";
    settings.ToggleSFXMute();
    settings.ToggleFullScreen();
    Sound().ApplySettings(settings);
    EXPECT_EQ(frames(), (std::vector<int>{0, 1, 1}));
    settings.ToggleMusicMute();
    Sound().ApplySettings(settings);
    EXPECT_EQ(frames(), (std::vector<int>{0, 0, 1}));
}

} // namespace

namespace {

/// The pages drawn as the options screen draws them in a 960 x 544 window: scale 2, the ring
/// around the window's centre.
class OptionPagesMouseTest : public OptionPagesTest
{
protected:
    static constexpr int kW = 960, kH = 544, kScale = 2;

    void DrawPage(cMenu& page, const QString& picture)
    {
        GlCanvas canvas(kW, kH);
        page.Draw(240, 136, kScale, kW, kH, heart.get(), false);
        SaveScreenshot(kW, kH, picture);
    }
    void SetUp() override
    {
        OptionPagesTest::SetUp();
        heart = std::make_unique<cAnimation>();
        heart->Setup(true, 100, 1, 0, 0, 16, 16, 11, 0, 0);
    }
    int Click(cMenu& page, float x, float y)
    {
        page.MouseMove(x, y);
        return page.MousePress(x, y, true, keys->input);
    }

    std::unique_ptr<cAnimation> heart;
};

TEST_F(OptionPagesMouseTest, AClickOnAKeyFieldCapturesAndOneOnSaveBinds)
{
    ASSERT_EQ(Controls().Open(), cMenu::RESULT_OPENED);
    DrawPage(Controls(), "options-controls-page.png");
    const cSetButton& jump = Field(ROW_JUMP);
    EXPECT_EQ(Click(Controls(), jump.GetX() + 3, jump.GetY() + 3), cMenu::RESULT_NONE);
    EXPECT_EQ(jump.GetState(), cSetButton::WAITING);
    EXPECT_EQ(Keyboard().GetSelectedSubItem(), ROW_JUMP);
    keys->Press(Qt::Key_X);
    Controls().HandleInput(keys->input);
    keys->EndTick();
    EXPECT_EQ(jump.GetShownText(), "X");

    DrawPage(Controls(), "options-controls-captured.png");
    const cMenuItem& save = *Keyboard().SubItem(ROW_SAVE);
    const b2Vec2 at = save.GetTextPosition();
    EXPECT_EQ(Click(Controls(), at.x - 10, at.y + 3), cMenu::RESULT_NONE);
    EXPECT_EQ(SavedKey(KEY_JUMP), Qt::Key_X);
    EXPECT_FALSE(Controls().IsOpen()) << "SAVE leaves the page";
}

TEST_F(OptionPagesMouseTest, TheSoundPageAnswersClicksOnItsBoxes)
{
    ASSERT_EQ(Sound().Open(), cMenu::RESULT_OPENED);
    cGameSettings settings;
    Sound().ApplySettings(settings);
    DrawPage(Sound(), "options-sound-page.png");
    const cMenuItem& sound = *Sound().Item(0);
    auto clickBox = [&](int entry) {
        const b2Vec2 box = sound.SubItem(entry)->GetBoxPosition();
        return Click(Sound(), box.x + 3, box.y + 3);
    };
    EXPECT_EQ(clickBox(0), cMenuItem::RESULT_EFFECTS) << "SOUND EFFECTS";
    EXPECT_EQ(clickBox(1), cMenuItem::RESULT_MUSIC) << "MUSIC";
    EXPECT_EQ(clickBox(2), cMenuItem::RESULT_CLICK_FULL_SCREEN) << "FULL SCREEN";
    EXPECT_TRUE(sound.SubItem(2)->IsSelected());
    EXPECT_FALSE(sound.SubItem(0)->IsSelected()) << "one entry chosen at a time";
    const b2Vec2 fullScreen = sound.SubItem(2)->GetTextPosition();
    EXPECT_EQ(Click(Sound(), fullScreen.x + 2, fullScreen.y + 2), cMenuItem::RESULT_CLICK_FULL_SCREEN) << "its name toggles too";
    EXPECT_EQ(Click(Sound(), 5, 5), cMenu::RESULT_NONE) << "nothing there";
    const b2Vec2 ok = sound.SubItem(3)->GetTextPosition();
    EXPECT_EQ(Click(Sound(), ok.x + 2, ok.y + 2), cMenu::RESULT_NONE);
    EXPECT_FALSE(Sound().IsOpen()) << "OK leaves the page";
    EXPECT_EQ(sound.GetSelectedSubItem(), 3) << "and leaves it as it stands";
    // The heading, a step larger than its entries, answers the pointer within their text size.
    const b2Vec2 heading = sound.GetTextPosition();
    Sound().MouseMove(heading.x + float(font.TextWidth("SOUND", kScale - 1)) + 2, heading.y + 2);
    EXPECT_FALSE(sound.IsHighlighted());
}

TEST_F(OptionPagesMouseTest, APageOpensWhenItsNameInTheBarIsClicked)
{
    Controls().SetTitlePosition(100, 20);
    Controls().SetTitleWidth(80);
    Controls().SetScales(2, 2);
    Controls().MouseMove(110, 30);
    EXPECT_TRUE(Controls().IsHovered());
    for (const b2Vec2 outside : {b2Vec2(108, 30), b2Vec2(188, 30), b2Vec2(110, 20), b2Vec2(110, 36)}) {
        Controls().MouseMove(outside.x, outside.y);
        EXPECT_FALSE(Controls().IsHovered()) << outside.x << ", " << outside.y;
    }
    EXPECT_EQ(Controls().MousePress(110, 53, false, keys->input), cMenu::RESULT_NONE) << "above the click box";
    EXPECT_EQ(Controls().MousePress(110, 50, false, keys->input), cMenu::RESULT_NAME_CLICKED) << "the click box is twice as high as the hover box";
    EXPECT_TRUE(Controls().IsOpen());
    EXPECT_EQ(effects.sounds.Take().size(), 1u);
    pages[0]->SetTitlePosition(0, 0);
    pages[0]->SetTitleWidth(40);
    EXPECT_EQ(pages[0]->MousePress(10, 5, false, keys->input), cMenu::RESULT_NAME_CLICKED) << "BACK is left to its screen";
}

TEST_F(OptionPagesMouseTest, FramesAnswerInTheirBoxesHideTheirTextAndLitEntriesShowTheirPictures)
{
    // Offsets that would move the boxes if the boxes followed the pictures; the how-to-play picture
    // is opaque, so a frame drawn after its text hides it; MUSIC's volume control stands where its
    // check box would, 0.30 of the radius right of the centre; the always-white line stands above.
    cXmlText xml(R"(<menuitem name="SOUND" alwayswhite="1" y="80">
        <menuitem name="JUMP"><setbutton><buttonframe w="40" h="16" offsetx="-7"/></setbutton></menuitem>
        <menuitem name="OK" layoutposition="2"><buttonframe y="210" w="60" h="16" offsety="-4"/></menuitem>
        <menuitem name="MUSIC" y="40"><animation name="volumeControll" y="228" w="15" h="12" numFrames="8" mpf="1" src="12"/></menuitem>
        <menuitem name="CONTROLLER" y="-40"><animation y="210" w="15" h="12" src="12"/></menuitem></menuitem>)");
    cMenuItem item;
    item.LoadFromXml(xml.reader);
    const GlCanvas canvas(kW, kH);
    const auto draw = [&](bool lit, cAnimation* cursor = nullptr) {
        glClear(GL_COLOR_BUFFER_BIT);
        item.Draw({0, 0, kScale, &font, kW, kH, 92, cursor}, {205, 188, 232, 255}, lit, 0);
        QImage picture(kW, kH, QImage::Format_RGBA8888); // rows count up, as drawing does
        glReadPixels(0, 0, kW, kH, GL_RGBA, GL_UNSIGNED_BYTE, picture.bits());
        return picture;
    };
    const QImage dark = draw(false), lit = draw(true);
    EXPECT_EQ(item.SubItem(0)->GetSetButton()->GetX(), kW / 2 + 5 * kScale) << "the field, not its picture";
    const b2Vec2 ok = item.SubItem(1)->GetTextPosition(), music = item.SubItem(2)->GetTextPosition();
    item.MouseMove(kW / 2 - 29, ok.y - 1);
    EXPECT_FALSE(item.SubItem(1)->IsHighlighted()) << "below the line, though on the picture";
    const QRect frame(kW / 2 - 30, int(ok.y) - 4, 60, 16);
    item.SubItem(1)->SetName("");
    EXPECT_TRUE(draw(false).copy(frame) == dark.copy(frame)) << "OK's frame hides its text";

    const b2Vec2 controller = item.SubItem(3)->GetTextPosition();
    EXPECT_NE(dark.pixel(controller.x + 1, controller.y + 1), lit.pixel(controller.x + 1, controller.y + 1))
        << "CONTROLLER's picture at its text, lit";
    const QRect volume(kW / 2 + 28, int(music.y) - 2, 14, 12);
    EXPECT_TRUE(dark.copy(volume) != lit.copy(volume)) << "the volume control, lit";
    item.MouseMove(volume.left() + 2, volume.top() + 2);
    EXPECT_TRUE(draw(true).copy(volume) != lit.copy(volume)) << "frame 6 under the pointer";

    // A press steps it one frame down on its left half, up on its right, within its eight frames.
    const int down = cMenuItem::RESULT_CLICK_VOLUME_DOWN, up = cMenuItem::RESULT_CLICK_VOLUME_UP;
    cAnimation& level = *item.SubItem(2)->GetAnimation("volumeControll");
    const int presses[][4] = {{0, 2, down, 0}, {0, 10, up, 1}, {7, 10, up, 7}, {7, 2, down, 6}};
    for (const auto& [from, dx, code, to] : presses) {
        level.SetFrame(from);
        EXPECT_EQ(item.MousePress(volume.left() + dx, volume.top() + 2, "SOUND/GRAPHICS", keys->input), code);
        EXPECT_EQ(level.GetCurrentFrame(), to) << "from frame " << from;
    }
    EXPECT_TRUE(item.SubItem(2)->IsSelected());

    // The heart beside the always-white line, drawn a step larger; none beside the chosen MUSIC.
    const QImage marked = draw(false, heart.get()), plain = draw(false);
    const int line = int(item.GetTextPosition().y) - 5 * kScale;
    EXPECT_TRUE(marked.copy(0, line, kW, 16 * kScale) != plain.copy(0, line, kW, 16 * kScale));
    EXPECT_TRUE(marked.copy(0, 0, kW, line) == plain.copy(0, 0, kW, line));
}


} // namespace
