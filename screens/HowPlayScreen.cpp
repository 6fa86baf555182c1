#include "screens/HowPlayScreen.h"

#include "player/InputHandler.h"
#include "engine/ActorFile.h"
#include "engine/Animation.h"
#include "engine/Drawing.h"
#include "screens/Label.h"
#include "world/CommonResources.h"

#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>

namespace
{
const char* const kMenuFile = "res/xml/menus/howplayscreenmenu.xml";

/// The move whose key each label of the file shows, by the label's position.
const char* const kLabelActions[] = {
    "SWITCH", "LEFT", "RIGHT", "JUMP", "DOWN(HEADJUMP)", "JUMP", "JUMP", "ROTATION LEFT", "ROTATION RIGHT",
    "JUMP",   "ROTATION LEFT", "ROTATION RIGHT",
};
constexpr int kLabelActionCount = static_cast<int>(sizeof kLabelActions / sizeof kLabelActions[0]);

/// A key name is cut to what fits its place in the picture.
constexpr int kKeyTextLength = 5;
constexpr int kPictureWidth = 480, kPictureHeight = 300;
}

cHowPlayScreen::cHowPlayScreen() = default;

cHowPlayScreen::~cHowPlayScreen()
{
    for (cAnimation* animation : animations)
        delete animation;
}

bool cHowPlayScreen::Init(const cInputHandler* input)
{
    if (!LoadAnimations() || !LoadLabels())
        return false;
    for (size_t i = 0; i < labels.size(); ++i)
    {
        // Labels beyond the known places repeat the last move's key.
        const int action = std::min(static_cast<int>(i), kLabelActionCount - 1);
        labels[i]->SetText(cInputHandler::ShownKeyName(input->GetKeyByName(kLabelActions[action])));
    }
    return true;
}

bool cHowPlayScreen::LoadAnimations()
{
    return cCommonResources::ReloadAnimationList(QString::fromLatin1(kMenuFile), animations);
}

bool cHowPlayScreen::LoadLabels()
{
    labels.clear();
    return ReadActorFile(QString::fromLatin1(kMenuFile), [this](QXmlStreamReader& xml) {
        if (xml.name() == QLatin1String("label"))
        {
            auto label = std::make_unique<cLabel>();
            if (label->LoadFromXml(xml))
                labels.push_back(std::move(label));
            std::printf("CreditScreen Label loaded.. %s \n", "");
        }
        return true;
    });
}

void cHowPlayScreen::Resize(int newWidth, int newHeight)
{
    std::printf("SCALEFACTOR = %i", textScale);
    width = newWidth;
    height = newHeight;
    baseScale = std::max(1, std::min(width / 480, height / 320));
    textScale = baseScale + 1;
}

int cHowPlayScreen::GetPictureScale() const
{
    return std::max(1, textScale - 2);
}

std::vector<QString> cHowPlayScreen::GetKeyTexts() const
{
    std::vector<QString> texts;
    for (const auto& label : labels)
        texts.push_back(label->GetText().left(kKeyTextLength));
    return texts;
}

void cHowPlayScreen::Draw() const
{
    const int s = GetPictureScale();
    const int left = width / 2 - kPictureWidth / 2 * s;
    const int bottom = height / 2 - kPictureHeight / 2 * s;
    const int top = height / 2 + kPictureHeight / 2 * s;
    // Lilac margins around the picture: left, above, right, below.
    DrawGradientRect(-1, -1, left + 1, height + 1, 136, 118, 164, 136, 118, 164, 255);
    DrawGradientRect(left, top, width, height, 136, 118, 164, 136, 118, 164, 255);
    DrawGradientRect(left + kPictureWidth * s, -1, width, top + 1, 136, 118, 164, 136, 118, 164, 255);
    DrawGradientRect(left, -1, kPictureWidth * s, bottom + 1, 136, 118, 164, 136, 118, 164, 255);
    for (cAnimation* animation : animations)
        animation->DrawScaled(left, bottom, s, 255, 255, 255, 255);
    // The picture's top rows go under a band of the margin's colour.
    DrawGradientRect(left, top - 6 * s, width, height, 136, 118, 164, 136, 118, 164, 255);
    const std::vector<QString> texts = GetKeyTexts();
    for (size_t i = 0; i < labels.size(); ++i)
    {
        const cLabel& label = *labels[i];
        const int half = font.TextWidth(texts[i], s) / 2;
        label.DrawTextAt(texts[i], left + label.GetX() * s - half, bottom + label.GetY() * s, s, font, 255, 255, 255,
                         255);
    }
}
