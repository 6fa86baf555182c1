#pragma once

#include <QString>

#include <box2d/b2_math.h>

#include <memory>
#include <vector>

class cAnimation;
class cCircle;
class cFontManager;
class cGameSettings;
class cInputHandler;
class cLabel;
class cMenuItem;
class QXmlStreamReader;

/// One page of a menu screen, from a `menu` element: its entries, its title labels and the discs
/// behind it. The owning screen draws the page's name in its bar, opens the page when the name is
/// chosen, and then hands it the menu keys and the mouse until the page reports that it was left.
///
/// Positions are window pixels, y up. The page owns its entries, labels and circles; the text
/// drawer is its screen's.
class cMenu
{
public:
    /// An empty, closed page that draws its text with font (borrowed; it must outlive the page).
    explicit cMenu(const cFontManager* font);
    virtual ~cMenu();
    cMenu(const cMenu&) = delete;
    cMenu& operator=(const cMenu&) = delete;

    /// Reads the `menu` element at the reader's position (x, y: 0; active: 1; name: "") and its
    /// `menuitem`, `label` and `circle` children up to its end tag, replacing what the page held.
    /// Always true.
    bool LoadFromXml(QXmlStreamReader& reader);

    QString GetName() const { return name; }
    int GetX() const { return x; }
    int GetY() const { return y; }
    bool IsActive() const { return active != 0; }
    bool IsHovered() const { return hovered; }
    void SetHovered(bool flag) { hovered = flag; }
    /// Where the screen drew the page's name, and how wide, for the mouse tests.
    void SetTitlePosition(float px, float py) { titlePosition.Set(px, py); }
    b2Vec2 GetTitlePosition() const { return titlePosition; }
    void SetTitleWidth(int width) { titleWidth = width; }
    void SetScales(int drawing, int title);

    int ItemCount() const { return int(items.size()); }
    /// Entry i, or null outside the entries.
    cMenuItem* Item(int i) const;
    int LabelCount() const { return int(labels.size()); }
    int CircleCount() const { return int(circles.size()); }
    /// The index of the current entry.
    int GetSelected() const { return selected; }

    /// The page's own answers. HandleInput and MousePress pass some of the entries' answers up
    /// unchanged (`cMenuItem::eResult`), and their own never take those values.
    enum eResult
    {
        RESULT_NONE = 0,
        RESULT_BACK = 1,         ///< Open: "BACK", leave the screen
        RESULT_OPENED = 2,       ///< Open: the page is open
        RESULT_LEFT = 2,         ///< HandleInput: the page was left
        RESULT_NAME_CLICKED = 2, ///< MousePress: the page's name in the bar, and Open was called
        RESULT_REPLAY_LEVEL = 3, ///< Open, and MousePress on its name: "REPLAY LEVEL"
    };
    /// One tick of menu keys while the page is open: `RESULT_LEFT` after back, or once an entry
    /// finished with "SAVE", "DEFAULT", "CANCEL" or "OK"; the entries' `RESULT_MUSIC`,
    /// `RESULT_KEY_RIGHT_ON_EFFECTS`, `RESULT_KEY_FULL_SCREEN` and `RESULT_EFFECTS`; else
    /// `RESULT_NONE`. Without a sub-entry current the keys step between the entries, wrapping.
    int HandleInput(cInputHandler& input);
    /// Enters the page by its name: `RESULT_BACK`, `RESULT_REPLAY_LEVEL`, `RESULT_NONE` for "HOW TO
    /// PLAY"; any other page opens with its current entry selected (the sound page with its first
    /// sound entry) and gives `RESULT_OPENED`.
    int Open();
    /// Makes the first entry current, then Open.
    int OpenFirst();
    void Close() { open = false; }
    /// Nothing selected at any depth. Key fields keep what they show and whether they wait.
    void Reset();
    bool IsOpen() const { return open; }
    /// Whether the current entry has a current sub-entry.
    bool HasSubItemFocus() const;

    /// Lights what lies under the pointer: entries, and the page's name in the bar.
    void MouseMove(float px, float py);
    /// A left click: first on the entries of the open page when enabled (the screen passes
    /// whether this is its selected page), then on the page's name in the bar. The entries'
    /// `RESULT_MUSIC`, `RESULT_CLICK_FULL_SCREEN` and `RESULT_EFFECTS`; `RESULT_NAME_CLICKED`, or
    /// `RESULT_REPLAY_LEVEL` for that page's name; else `RESULT_NONE`.
    int MousePress(float px, float py, bool enabled, cInputHandler& input);

    /// The circles around the screen's centre, the labels as titles, then the entries: the
    /// current one white with the cursor beside it and its check boxes shown.
    void Draw(int originX, int originY, int scale, int screenWidth, int screenHeight, cAnimation* cursor, bool outline);
    /// The check boxes of the "SOUND" entry follow the settings.
    void ApplySettings(const cGameSettings& settings);

private:
    cMenuItem* Current() const { return Item(selected); }
    void MakeCurrent(int i);
    /// The arrows step from entry to entry, wrapping; the jump key is reported on the console.
    void StepAmongItems(cInputHandler& input);
    /// Closed, the first entry current, nothing selected.
    void Leave();
    bool TitleContains(float px, float py, int height) const;

    const cFontManager* font;
    std::vector<std::unique_ptr<cMenuItem>> items;
    std::vector<std::unique_ptr<cLabel>> labels;
    std::vector<std::unique_ptr<cCircle>> circles;
    QString name;
    int x = 0, y = 0;
    b2Vec2 titlePosition{0, 0};
    int selected = 0;
    bool open = false;
    bool hovered = false;
    int drawScale = 1;
    int titleScale = 1;
    int titleWidth = 0;
    int active = 1;
};
