#pragma once

#include "engine/FontManager.h"

#include <QStringList>

#include <memory>
#include <vector>

class cAnimation;
class cCommonResources;
class cGameSettings;
class cInputHandler;
class cMenu;

/// The options, opened over the title screen and the pause screen: a bar of page names along the
/// bottom edge ("BACK", "CONTROLS", "SOUND/GRAPHICS") with a heart beside the selected one, and
/// above it the page that the player opened. It changes no setting itself: it passes its entries'
/// answers up (`cMenuItem::eResult`), and its owner toggles, applies and saves the settings. BACK,
/// or the back key on the bar, asks to close; the owner sees `RESULT_CLOSED` from `Update` and
/// deletes the screen.
///
/// Mouse positions are window pixels with y counted up from the bottom edge (the owners turn
/// them). Owned by the screen that opened it.
class cOptionsScreen
{
public:
    cOptionsScreen();
    virtual ~cOptionsScreen();
    cOptionsScreen(const cOptionsScreen&) = delete;
    cOptionsScreen& operator=(const cOptionsScreen&) = delete;

    /// The pages' scale until the next Resize, which makes it P + 1.
    void SetScaleFactor(int factor) { scaleFactor = factor; }
    /// The first call loads the pages and the cursor from "res/xml/menus/optionsscreenmenu.xml";
    /// false, after an "ERROR:" line, when the file cannot be read (the screen then shows an
    /// empty bar, and the back key still closes it). Every call that gets that far selects
    /// CONTROLS and gives true.
    bool Init(cCommonResources* resources, cGameSettings* settings);
    /// P = max(1, min(w / 480, h / 320)), the pages' scale P + 1, the bar's text scale the
    /// largest up to that at which the bar fits.
    void Resize(int w, int h);
    /// What `Update` answers.
    enum eResult
    {
        RESULT_NONE = 0,
        RESULT_CLOSED = 2, ///< once after a close request
    };
    /// An `eResult`. Advances the shared stars when asked to.
    int Update(int dtMs, bool updateStars);
    /// The open page, then the bar.
    void Draw(bool outline);
    /// Keys for the open page, or else for the bar: `cMenuItem::RESULT_MUSIC`,
    /// `RESULT_KEY_FULL_SCREEN`, `RESULT_EFFECTS` or `RESULT_NONE`.
    int HandleInput(cInputHandler* input);
    void MouseMove(int x, int y);
    /// `cMenuItem::RESULT_MUSIC`, `RESULT_CLICK_FULL_SCREEN`, `RESULT_EFFECTS`, `RESULT_CLICK_VOLUME_DOWN` (passed up, it means nothing here) or `RESULT_NONE`.
    int MousePress(int x, int y, cInputHandler* input);
    /// The sound page's check boxes follow the settings.
    void ApplySettings(cGameSettings* settings);
    void RequestClose() { closing = true; }

    int PageCount() const { return int(pages.size()); }
    cMenu* Page(int i) const;
    int GetSelectedPage() const { return selectedPage; }
    int GetScaleFactor() const { return scaleFactor; }
    int GetTextScale() const { return textScale; }

private:
    bool LoadPages();
    QStringList PageNames() const;
    void DrawPageName(cMenu& page, int x, int y, bool selected);
    void CloseAll();
    /// Key handling while no page is open.
    void HandleBarKeys(cInputHandler& input);

    std::vector<std::unique_ptr<cMenu>> pages;
    std::vector<cAnimation*> animations;
    cCommonResources* resources = nullptr;
    std::unique_ptr<cFontManager> font;
    bool closing = false;
    int width = 128, height = 128;
    int scaleFactor = 1;
    int pictureScale = 1;
    int textScale = 1;
    int offsetX = 0, offsetY = 0;
    int selectedPage = 1;
};
