#pragma once

#include "engine/FontManager.h"

#include <memory>
#include <string>
#include <vector>

class cAnimation;
class cAudioSystem;
class cCommonResources;
class cGameSettings;
class cHowPlayScreen;
class cInputHandler;
class cMenu;
class cOptionsScreen;

/// The menu laid over a paused area: a translucent veil and the entries CONTINUE, EXIT AND SELECT
/// AREA, OPTIONS, HOW TO PLAY and EXIT from "res/xml/menus/pausescreenmenu.xml". OPTIONS and HOW
/// TO PLAY replace the list by their own screen while they are open.
///
/// The pause screen never acts on the game: keys and clicks only set requests, which the next
/// `Update` answers with a result code for the controller. Sizes are window pixels; mouse
/// positions arrive with y counted from the top edge.
class cPauseScreen
{
public:
    /// What the list is replaced by.
    enum eSubScreen
    {
        SUB_NONE = 0,
        SUB_OPTIONS = 1,
        SUB_HOW_TO_PLAY = 4
    };

    cPauseScreen();
    virtual ~cPauseScreen();
    cPauseScreen(const cPauseScreen&) = delete;
    cPauseScreen& operator=(const cPauseScreen&) = delete;

    /// Keeps the settings (borrowed) to toggle and save; loads the menu on the first call. False
    /// when the menu file does not open: the controller then plays on. Puts the selection back on
    /// the first entry.
    virtual bool Init(cCommonResources* resources, cAudioSystem* audio, cGameSettings* settings);
    /// The window's size: base scale P = max(1, min(w / 480, h / 272)), texts at 2 P.
    void Resize(int width, int height);
    /// This tick's menu keys. With the options open, their answer: `cMenuItem::RESULT_MUSIC`,
    /// `RESULT_KEY_FULL_SCREEN`, `RESULT_EFFECTS` (ambience and effects), each setting already
    /// toggled and saved; else `cMenuItem::RESULT_NONE`.
    virtual int HandleInput(cInputHandler* input);
    /// What `Update` answers to the requests.
    enum eResult
    {
        RESULT_NONE = 0,
        RESULT_CONTINUE = 2,
        RESULT_EXIT = 3,               ///< exit to the title screen
        RESULT_TOGGLE_FULL_SCREEN = 5, ///< the options toggled full screen
        RESULT_SELECT_AREA = 6,        ///< exit and select an area
    };
    /// An `eResult`.
    virtual int Update(int dtMs);
    /// Over the area as drawn: the veil, then the list or the open screen.
    void Paint();
    void MouseMove(int x, int y);
    /// What `MousePress` answers while the options are closed.
    enum eClickResult
    {
        CLICK_ON_LIST = 0,
        CLICK_IGNORED = -1, ///< a button other than the left (1), or the click that closes how-to-play
    };
    /// A click: the options' answer while they are open (`cMenuItem::RESULT_MUSIC`,
    /// `RESULT_CLICK_FULL_SCREEN`, `RESULT_EFFECTS`, `RESULT_CLICK_VOLUME_DOWN` or `RESULT_NONE`, the setting already toggled
    /// and saved); else an `eClickResult`. Only a left click reaches the options.
    virtual int MousePress(int x, int y, int button, cInputHandler* input);
    /// Open options show the settings as they now are.
    void ApplySettings(cGameSettings* settings);

    int GetSelected() const { return selected; }
    int GetSubScreen() const { return subScreen; }
    int GetPageCount() const { return static_cast<int>(pages.size()); }
    const cMenu* GetPage(int i) const { return pages[static_cast<size_t>(i)].get(); }
    int GetTextScale() const { return textScale; }
    const cHowPlayScreen* GetHowPlayScreen() const { return howPlay.get(); }
    const cOptionsScreen* GetOptionsScreen() const { return options.get(); }

private:
    bool LoadPages();
    bool LoadAnimations();
    /// The list's keys.
    void HandleListInput(cInputHandler* input);
    /// Acts on the entry of that page by its name. input is the live key bindings, which the
    /// how-to-play screen shows; null for a click, after which it shows the keys "Controls.xml"
    /// holds.
    void RunEntry(const cMenu& page, const cInputHandler* input);
    void OpenOptions();
    /// The open options' tick: `RESULT_TOGGLE_FULL_SCREEN` once after they toggled full screen.
    int UpdateOptions(int dtMs);
    void OpenHowToPlay(const cInputHandler* input);
    /// The options' answer to a key or a click (fullScreenCode: `cMenuItem::RESULT_KEY_FULL_SCREEN`
    /// or `RESULT_CLICK_FULL_SCREEN`): the setting behind it flipped and saved.
    void ApplyOptionsCode(int code, int fullScreenCode);
    /// Height (window pixels, y up) of a page's text line; back copy one text pixel lower.
    int LineY(const cMenu& page) const;
    /// Whether window point (x, y) (y up) lies strictly inside the page's line of text.
    bool LineContains(const cMenu& page, int x, int y) const;
    void PaintList();

    std::vector<std::unique_ptr<cMenu>> pages;
    std::vector<cAnimation*> cursors;
    cFontManager font;
    cGameSettings* settings = nullptr;
    cAudioSystem* audioSystem = nullptr;
    std::unique_ptr<cHowPlayScreen> howPlay;
    std::unique_ptr<cOptionsScreen> options;
    int selected = 0;
    bool continueRequest = false;
    bool exitRequest = false;
    bool optionsRequest = false;
    bool howToPlayRequest = false;
    bool selectAreaRequest = false;
    int subScreen = SUB_NONE;
    cCommonResources* commonResources = nullptr;
    int width = 128, height = 128;
    int textScale = 1;
    int baseScale = 1;
    int offsetX = 0, offsetY = 0;
    bool fullScreenRequest = false;
};
