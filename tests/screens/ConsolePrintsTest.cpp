// The console lines of the menus, the screens and the heart tree, whatever the view's debug switch:
// each situation through the real objects, all it prints compared with the lines as given.
#include "MenuFixture.h"

#include "player/GameSettings.h"
#include "actors/Level0EnterTree.h"
#include "engine/FontManager.h"
#include "platform/physics/World.h"
#include "screens/CreditsScreen.h"
#include "screens/Menu.h"
#include "screens/MenuItem.h"
#include "screens/OptionsScreen.h"
#include "screens/PauseScreen.h"
#include "screens/StartScreen.h"
#include "tests/support/GlCanvas.h"
#include "tests/support/StdoutOf.h"

#include <functional>

using ConsolePrintsTest = MenuFixture;

TEST_F(ConsolePrintsTest, TheMenusScreensAndHeartTreePrintTheirLinesAsGiven)
{
    GlCanvas canvas(960, 544);
    cFontManager font;
    const std::vector<std::unique_ptr<cMenu>> pages = LoadPages("res/xml/menus/optionsscreenmenu.xml", &font);
    cScriptedKeys keys;
    const auto press = [&keys](cMenu& page, int key) { keys.Press(key), page.HandleInput(keys.input), keys.EndTick(); };
    cXmlText jump(R"(<menuitem name="JUMP"><setbutton name="?"/></menuitem>)");
    cMenuItem entry;
    cGameSettings settings;
    cOptionsScreen options;
    cCreditsScreen credits;
    cPauseScreen pause;
    cStartScreen title(-1);
    StdoutOf([&] { title.Init(s_resources.get(), s_audio.get(), &settings); });
    physics::World world;
    cLevel0EnterTree tree("res/xml/actors/SpecialTrees/Level0EnterTree.xml", &world, 0.0f, 0.0f);
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { entry.LoadFromXml(jump.reader); }, "the name = JUMP \nthe code = 32 \n"},
        {[&] { options.Resize(960, 544), options.Resize(960, 544); }, "SCALEFACTOR = 1SCALEFACTOR = 2"},
        {[&] { pages[1]->OpenFirst(), press(*pages[1], Qt::Key_Space), press(*pages[1], Qt::Key_Escape); },
         "menu name = CONTROLS \nba CONTROLS \nSuper \n\n ESCAPE PRESSED.. \n"},
        {[&] { press(*pages[0], Qt::Key_Space); }, "ba BACK \n"},
        {[&] { pages[2]->OpenFirst(), press(*pages[2], Qt::Key_Right); }, "menu name = SOUND/GRAPHICS \nSOUND EFFECTS\n"},
        {[&] { pages[1]->MousePress(-1.0f, -1.0f, false, keys.input); }, "  \n \n MenuItem: KEYBOARD \n \n "},
        {[&] { title.Init(s_resources.get(), s_audio.get(), &settings); }, "INITING STARTSCREEN OK, -DONE ALREADY??? \n"},
        {[&] { credits.Init(s_resources.get()), credits.Resize(960, 544); },
         "CreditScreen Label loaded.. BACK \nCreditScreen Label loaded.. CREDITS \nCreditScreen Label loaded.. "
         "The Mirrowen team \nCreditScreen Label loaded.. design, code, pictures \nCreditScreen Label loaded.. "
         "music and sounds \nCreditScreen Label loaded.. Qt \nCreditScreen Label loaded.. window, files, pictures \n"
         "CreditScreen Label loaded.. Box2D \nCreditScreen Label loaded.. physics \nCreditScreen Label loaded.. OpenAL "
         "Soft and libvorbis \nCreditScreen Label loaded.. sound \nCreditScreen Label loaded.. Mesa \nCreditScreen "
         "Label loaded.. OpenGL drawing \nSCALEFACTOR = 1"},
        {[&] { pause.Init(s_resources.get(), s_audio.get(), &settings), pause.Resize(960, 544), pause.Paint(); },
         "PAUSE SCREEN comm res == 0  \nloading PAUSE SCREEN Menu res/xml/menus/pausescreenmenu.xml \n"
         "SCALEFACTOR = 1cPauseScreen::Paint() \n"},
        {[&] { tree.RemoveFromWorld(), tree.DrawIsland(), tree.Draw(), tree.Draw(); },
         "Exit has no body!\nArea0 HeartTree has no body!\nArea0 HeartTree has no body!\n"},
    };
    for (const auto& [act, printed] : cases)
        EXPECT_EQ(StdoutOf(act), printed);
}
