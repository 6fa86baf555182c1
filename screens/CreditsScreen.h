#pragma once

#include "engine/FontManager.h"

#include <memory>
#include <vector>

class cAnimation;
class cCommonResources;
class cInputHandler;
class cLabel;

/// The credits, opened from the title screen: one still page on a pink sky with the shared
/// stars, a group picture of the characters, the heading "CREDITS", the credited lines in small
/// text around the picture and "BACK" in the lower-left corner, lit under the mouse. Confirm, back
/// or a click on "BACK" asks to close; the title screen sees 2 from `Update` and deletes it.
///
/// Mouse positions are window pixels with y counted up from the bottom edge.
class cCreditsScreen
{
public:
    cCreditsScreen();
    virtual ~cCreditsScreen();
    cCreditsScreen(const cCreditsScreen&) = delete;
    cCreditsScreen& operator=(const cCreditsScreen&) = delete;

    /// Reads "res/xml/menus/creditscreenmenu.xml"; false, after an "ERROR:" line, when it cannot
    /// be read (the page then shows its sky only, and the keys still close it).
    bool Init(cCommonResources* resources);
    /// The scale P + 1 and the picture's origin.
    void Resize(int w, int h);
    /// What `Update` answers.
    enum eResult
    {
        RESULT_NONE = 0,
        RESULT_CLOSED = 2, ///< once after a close request
    };
    /// Steps the stars; an `eResult`.
    int Update(int dtMs);
    void Draw(bool flag);
    void HandleInput(cInputHandler* input);
    void MouseMove(int x, int y);
    /// Closes when "BACK" is lit; the position itself is not used.
    void MousePress(int x, int y);

    int GetScaleFactor() const { return scaleFactor; }
    int GetOriginX() const { return originX; }
    int GetOriginY() const { return originY; }
    bool IsBackHovered() const { return backHovered; }
    int LabelCount() const { return int(labels.size()); }
    /// The scale at which the last Draw laid out the picture and the credited lines.
    int GetLayoutScale() const { return layoutScale; }

private:
    bool LoadLabels();
    int OriginX(int scale) const;
    int OriginY(int scale) const;
    /// The largest scale up to F at which no credited line starts left of 10 pixels.
    int FitLayoutScale() const;
    void DrawLabels(int ox, int oy, int s);

    std::vector<cAnimation*> animations;
    std::vector<std::unique_ptr<cLabel>> labels;
    cCommonResources* resources = nullptr;
    std::unique_ptr<cFontManager> font;
    int width = 128, height = 128;
    int scaleFactor = 1;
    int pictureScale = 1;
    int originX = 0, originY = 0;
    int layoutScale = 1;
    bool closing = false;
    bool backHovered = false;
    int backWidth = 0;
};
