#include "screens/CreditsScreen.h"

#include "player/InputHandler.h"
#include "engine/ActorFile.h"
#include "engine/Animation.h"
#include "engine/Drawing.h"
#include "engine/SharedAssets.h"
#include "screens/Label.h"
#include "screens/MenuLayout.h"
#include "screens/MenuSounds.h"
#include "world/CommonResources.h"

#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>

namespace {

const char* const kCreditsFile = "res/xml/menus/creditscreenmenu.xml";
/// The left margin that no credited line may cross.
constexpr int kMargin = 10;

} // namespace

cCreditsScreen::cCreditsScreen() = default;

cCreditsScreen::~cCreditsScreen()
{
    DeleteAll(animations);
}

bool cCreditsScreen::Init(cCommonResources* commonResources)
{
    resources = commonResources;
    font = std::make_unique<cFontManager>();
    return cCommonResources::ReloadAnimationList(kCreditsFile, animations) && LoadLabels();
}

bool cCreditsScreen::LoadLabels()
{
    labels.clear();
    return ReadActorFile(kCreditsFile, [this](QXmlStreamReader& xml) {
        if (xml.name() == QLatin1String("label")) {
            auto label = std::make_unique<cLabel>();
            const bool loaded = label->LoadFromXml(xml);
            std::printf("CreditScreen Label loaded.. %s \n", qPrintable(label->GetText()));
            if (loaded)
                labels.push_back(std::move(label));
        }
        return true;
    });
}

int cCreditsScreen::OriginX(int scale) const
{
    return int(float(width) * 17.0f / 32.0f - 110.0f * float(scale));
}

int cCreditsScreen::OriginY(int scale) const
{
    return int(float(height) / 2.0f - 90.0f * float(scale));
}

void cCreditsScreen::Resize(int w, int h)
{
    std::printf("SCALEFACTOR = %i", scaleFactor);
    width = w;
    height = h;
    pictureScale = MenuPictureScale(w, h);
    scaleFactor = pictureScale + 1;
    originX = OriginX(scaleFactor);
    originY = OriginY(scaleFactor);
}

int cCreditsScreen::Update(int dtMs)
{
    if (resources)
        resources->UpdateStars(dtMs);
    if (closing) {
        closing = false;
        return RESULT_CLOSED;
    }
    return RESULT_NONE;
}

int cCreditsScreen::FitLayoutScale() const
{
    int s = scaleFactor;
    for (const auto& label : labels) {
        if (OriginX(s) + label->GetX() * s >= kMargin)
            continue;
        // The first line that sticks out decides; the scale shrinks until it fits.
        while (s > 1 && OriginX(s) + label->GetX() * s < kMargin)
            --s;
        break;
    }
    return s;
}

void cCreditsScreen::Draw(bool)
{
    if (font)
        backWidth = font->TextWidth("BACK", scaleFactor);
    DrawGradientRect(-1, -1, float(width + 1), float(height + 1), 251, 187, 217, 146, 126, 166, 255);
    if (resources)
        resources->DrawStars(pictureScale);
    if (!font)
        return;
    layoutScale = FitLayoutScale();
    const int ox = OriginX(layoutScale);
    const int oy = OriginY(layoutScale);
    for (cAnimation* animation : animations)
        animation->DrawScaled(float(ox), float(oy + 40), layoutScale, 255, 255, 255, 255);
    DrawLabels(ox, oy, layoutScale);
}

void cCreditsScreen::DrawLabels(int ox, int oy, int s)
{
    const int left = int(float(width) * 4.0f / 100.0f);
    for (const auto& label : labels) {
        if (label->GetText() == QLatin1String("BACK")) {
            if (backHovered)
                label->DrawAt(left, int(float(height) * 4.0f / 100.0f), scaleFactor, *font, 136, 118, 164, 255);
            else
                label->DrawAt(left, int(float(height) * 4.0f / 100.0f), scaleFactor, *font, 255, 255, 255, 255);
        } else if (label->GetText() == QLatin1String("CREDITS")) {
            label->DrawAt(left, int(float(height) * 87.0f / 100.0f), scaleFactor, *font, 255, 255, 255, 255);
        } else {
            label->DrawAtOffset(ox, oy, s, *font);
        }
    }
}

void cCreditsScreen::HandleInput(cInputHandler* input)
{
    if (input->WasPressedAlt(KEY_CONFIRM) || input->WasPressedAlt(KEY_JUMP) || input->WasPressedAlt(KEY_BACK)) {
        PlayMenuSound();
        closing = true;
    }
}

void cCreditsScreen::MouseMove(int x, int y)
{
    const int bx = int(float(width) * 4.0f / 100.0f) + 5 * scaleFactor;
    const int by = int(float(height) * 4.0f / 100.0f) + (17 - 8) / 2 * scaleFactor;
    backHovered = x > bx && x < bx + backWidth && y > by && y < by + 8 * scaleFactor;
}

void cCreditsScreen::MousePress(int, int)
{
    if (backHovered) {
        PlayMenuSound();
        closing = true;
    }
}
