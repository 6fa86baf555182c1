// What the screens, their menus and the first area's heart tree print on the console, whatever the
// view's debug switch: each situation driven through the real objects on the game's assets, and
// everything it prints compared with the lines as they are given, odd spacing included.
#include "MenuFixture.h"

#include "player/GameSettings.h"
#include "actors/Level0EnterTree.h"
#include "engine/FontManager.h"
#include "platform/physics/World.h"
#include "screens/CreditsScreen.h"
#include "screens/HowPlayScreen.h"
#include "screens/Menu.h"
#include "screens/OptionsScreen.h"
#include "screens/PauseScreen.h"
#include "screens/StartScreen.h"

#include "tests/support/GlCanvas.h"
#include "tests/support/RecordingSoundLibrary.h"
#include "tests/support/StdoutOf.h"

#include <Qt>

#include <functional>
#include <string>

namespace
{
constexpr int kWidth = 960, kHeight = 544;

std::string Repeated(const std::string& line, int times)
{
    std::string lines;
    for (int i = 0; i < times; ++i)
        lines += line;
    return lines;
}

std::string CreditLines(std::initializer_list<const char*> texts)
{
    std::string lines;
    for (const char* text : texts)
        lines += std::string("CreditScreen Label loaded.. ") + text + " \n";
    return lines;
}

/// A situation: what readies it (printing what it likes), and what it then prints.
struct sPrinted
{
    const char* situation;
    std::function<void()> ready;
    std::function<void()> act;
    std::string printed;
};

class ConsolePrintsTest : public MenuFixture
{
protected:
    /// One tick with the key pressed, handed to the page.
    void Press(cMenu& page, int key)
    {
        keys.Press(key);
        page.HandleInput(keys.input);
        keys.EndTick();
    }

    GlCanvas canvas{kWidth, kHeight};
    cRecordedEffects effects;
    cScriptedKeys keys;
    cGameSettings settings;
    cFontManager font;
};

TEST_F(ConsolePrintsTest, EverySituationPrintsItsLinesAsGiven)
{
    const std::vector<std::unique_ptr<cMenu>> options = LoadPages("res/xml/menus/optionsscreenmenu.xml", &font);
    cMenu& back = *options[0];
    cMenu& controls = *options[1];
    cMenu& sound = *options[2];
    cXmlText twoEntries(R"(<menu name="TWO"><menuitem name="FIRST"/><menuitem name="SECOND"/></menu>)");
    cMenu two(&font);
    cOptionsScreen optionsScreen;
    cCreditsScreen credits;
    cHowPlayScreen howPlay;
    cPauseScreen pause;
    cStartScreen title(-1);
    physics::World world;
    cLevel0EnterTree tree("res/xml/actors/SpecialTrees/Level0EnterTree.xml", &world, 0.0f, 0.0f);
    const auto none = [] {};

    const sPrinted cases[] = {
        {"the options are read: each key field names its action and the key bound to it", none,
         [&] { optionsScreen.Init(s_resources.get(), &settings); },
         "the name = LEFT \nthe code = " + std::to_string(Qt::Key_Left) + " \nthe name = RIGHT \nthe code = " +
             std::to_string(Qt::Key_Right) + " \nthe name = UP(ENTER) \nthe code = " + std::to_string(Qt::Key_Up) +
             " \nthe name = DOWN(HEADJUMP) \nthe code = " + std::to_string(Qt::Key_Down) +
             " \nthe name = JUMP \nthe code = " + std::to_string(Qt::Key_Space) +
             " \nthe name = SWITCH \nthe code = 68 \nthe name = ROTATION LEFT \nthe code = 65 \n"
             "the name = ROTATION RIGHT \nthe code = 83 \n"},
        {"the options sized twice: the factor as it was", none,
         [&] {
             optionsScreen.Resize(kWidth, kHeight);
             optionsScreen.Resize(kWidth, kHeight);
         },
         "SCALEFACTOR = 1SCALEFACTOR = 2"},
        {"a page opened, then the jump key and the back key on it", none,
         [&] {
             controls.OpenFirst();
             Press(controls, Qt::Key_Space);
             Press(controls, Qt::Key_Escape);
         },
         "menu name = CONTROLS \nba CONTROLS \nSuper \n\n ESCAPE PRESSED.. \n"},
        {"the jump key on the BACK page", none, [&] { Press(back, Qt::Key_Space); }, "ba BACK \n"},
        {"right on the sound page's first entry", [&] { sound.OpenFirst(); }, [&] { Press(sound, Qt::Key_Right); },
         "SOUND EFFECTS\n"},
        {"a click on a page of two entries, each time with the first one's name",
         [&] { two.LoadFromXml(twoEntries.reader); },
         [&] { two.MousePress(-100.0f, -100.0f, false, keys.input); },
         Repeated("  \n \n MenuItem: FIRST \n \n ", 2)},
        {"the title readied a second time", [&] { title.Init(s_resources.get(), s_audio.get(), &settings); },
         [&] { title.Init(s_resources.get(), s_audio.get(), &settings); },
         "INITING STARTSCREEN OK, -DONE ALREADY??? \n"},
        {"the credits read and sized: each label with its text", none,
         [&] {
             credits.Init(s_resources.get());
             credits.Resize(kWidth, kHeight);
         },
         CreditLines({"BACK", "CREDITS", "The Mirrowen team", "design, code, pictures", "music and sounds", "Qt",
                      "window, files, pictures", "Box2D", "physics", "OpenAL Soft and libvorbis", "sound", "Mesa",
                      "OpenGL drawing"}) +
             "SCALEFACTOR = 1"},
        {"how to play read and sized: each label without its text", none,
         [&] {
             howPlay.Init(&keys.input);
             howPlay.Resize(kWidth, kHeight);
         },
         Repeated(CreditLines({""}), 12) + "SCALEFACTOR = 1"},
        {"the pause screen readied, sized twice and painted", none,
         [&] {
             pause.Init(s_resources.get(), s_audio.get(), &settings);
             pause.Resize(kWidth, kHeight);
             pause.Resize(kWidth, kHeight);
             pause.Paint();
         },
         "PAUSE SCREEN comm res == 0  \nloading PAUSE SCREEN Menu res/xml/menus/pausescreenmenu.xml \n"
         "SCALEFACTOR = 1SCALEFACTOR = 4cPauseScreen::Paint() \n"},
        {"the heart tree drawn with its body", none,
         [&] {
             tree.DrawIsland();
             tree.Draw();
         },
         ""},
        {"the heart tree drawn without a body, each time", [&] { tree.RemoveFromWorld(); },
         [&] {
             tree.DrawIsland();
             tree.Draw();
             tree.Draw();
         },
         "Exit has no body!\nArea0 HeartTree has no body!\nArea0 HeartTree has no body!\n"},
    };
    for (const sPrinted& c : cases) {
        StdoutOf(c.ready);
        EXPECT_EQ(StdoutOf(c.act), c.printed) << c.situation;
    }
}

} // namespace
