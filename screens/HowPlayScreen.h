#pragma once

#include "engine/FontManager.h"

#include <memory>
#include <vector>

class cAnimation;
class cInputHandler;
class cLabel;

/// The help page the pause screen shows for HOW TO PLAY: one 480 x 300 picture of the moves,
/// framed by lilac margins, with the names of the keys bound to them written in at fixed places.
/// It has no input and no tick of its own: the pause screen decides when it shows and goes.
class cHowPlayScreen
{
public:
    cHowPlayScreen();
    virtual ~cHowPlayScreen();
    cHowPlayScreen(const cHowPlayScreen&) = delete;
    cHowPlayScreen& operator=(const cHowPlayScreen&) = delete;

    /// Reads the picture and the key places of "res/xml/menus/howplayscreenmenu.xml" again and
    /// writes in the names of the keys bound in input now. False when the file does not open.
    bool Init(const cInputHandler* input);
    /// The window's size: the picture at max(1, min(w / 480, h / 320) - 1) times its size.
    void Resize(int width, int height);
    void Draw() const;

    /// The texts written into the picture, in the file's order.
    std::vector<QString> GetKeyTexts() const;
    /// Pixels per picture unit.
    int GetPictureScale() const;

private:
    bool LoadAnimations();
    bool LoadLabels();

    std::vector<cAnimation*> animations;
    std::vector<std::unique_ptr<cLabel>> labels;
    cFontManager font;
    int width = 128, height = 128;
    int textScale = 1;
    int baseScale = 1;
};
