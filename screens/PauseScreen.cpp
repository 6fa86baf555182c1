#include "screens/PauseScreen.h"

#include "player/GameSettings.h"
#include "player/InputHandler.h"
#include "engine/ActorFile.h"
#include "engine/Animation.h"
#include "engine/Drawing.h"
#include "screens/HowPlayScreen.h"
#include "screens/Menu.h"
#include "screens/MenuItem.h"
#include "screens/MenuSounds.h"
#include "screens/OptionsScreen.h"
#include "world/CommonResources.h"

#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>

namespace
{
const char* const kMenuFile = "res/xml/menus/pausescreenmenu.xml";
const char* const kControlsFile = "Controls.xml";

struct sRgb
{
    int r, g, b;
};
constexpr sRgb kWhite{255, 255, 255};
constexpr sRgb kLilac{136, 118, 164};
constexpr sRgb kGrey{150, 150, 150};
constexpr sRgb kDarkGrey{100, 100, 100};
}

cPauseScreen::cPauseScreen() = default;

cPauseScreen::~cPauseScreen()
{
    for (cAnimation* cursor : cursors)
        delete cursor;
}

bool cPauseScreen::Init(cCommonResources* resources, cAudioSystem* audio, cGameSettings* gameSettings)
{
    settings = gameSettings;
    audioSystem = audio;
    if (!commonResources)
    {
        std::printf("PAUSE SCREEN comm res == 0 %s \n", "");
        commonResources = resources;
        if (!LoadPages() || !LoadAnimations())
            return false;
    }
    selected = 0;
    return true;
}

bool cPauseScreen::LoadPages()
{
    pages.clear();
    std::printf("loading PAUSE SCREEN Menu %s \n", kMenuFile);
    return ReadActorFile(QString::fromLatin1(kMenuFile), [this](QXmlStreamReader& xml) {
        if (xml.name() == QLatin1String("menu"))
        {
            auto page = std::make_unique<cMenu>(&font);
            if (page->LoadFromXml(xml))
                pages.push_back(std::move(page));
        }
        return true;
    });
}

bool cPauseScreen::LoadAnimations()
{
    return cCommonResources::ReloadAnimationList(QString::fromLatin1(kMenuFile), cursors);
}

void cPauseScreen::Resize(int newWidth, int newHeight)
{
    if (newWidth == 0)
        return;
    std::printf("SCALEFACTOR = %i", textScale);
    width = newWidth;
    height = newHeight;
    baseScale = std::max(1, std::min(width / 480, height / 272));
    textScale = 2 * baseScale;
    offsetX = (width - 480 * baseScale) / 2;
    offsetY = (height - 272 * baseScale) / 2;
    if (options)
        options->Resize(width, height);
    if (howPlay)
        howPlay->Resize(width, height);
}

int cPauseScreen::HandleInput(cInputHandler* input)
{
    if (subScreen == SUB_OPTIONS)
    {
        const int code = options->HandleInput(input);
        ApplyOptionsCode(code, cMenuItem::RESULT_KEY_FULL_SCREEN);
        return code;
    }
    if (subScreen == SUB_HOW_TO_PLAY)
    {
        if (input->WasPressedAlt(KEY_ANY))
        {
            PlayMenuSound();
            subScreen = SUB_NONE;
        }
    }
    else
    {
        HandleListInput(input);
    }
    // The key that chose must not act again in the game once play goes on.
    input->Clear();
    return cMenuItem::RESULT_NONE;
}

void cPauseScreen::HandleListInput(cInputHandler* input)
{
    const int count = GetPageCount();
    const bool next = input->WasPressedAlt(KEY_RIGHT) || input->WasPressedAlt(KEY_DOWN);
    const bool previous = input->WasPressedAlt(KEY_LEFT) || input->WasPressedAlt(KEY_UP);
    const bool confirm = input->WasPressedAlt(KEY_CONFIRM) || input->WasPressedAlt(KEY_JUMP);
    const bool back = input->WasPressedAlt(KEY_BACK);
    if (next || previous || confirm || back)
        PlayMenuSound();
    if (next && count > 0)
        selected = (selected + 1) % count;
    else if (previous && count > 0)
        selected = (selected + count - 1) % count;
    else if (confirm && count > 0)
        RunEntry(*pages[static_cast<size_t>(selected)], input);
    else if (back)
        continueRequest = true;
}

void cPauseScreen::RunEntry(const cMenu& page, const cInputHandler* input)
{
    const QString name = page.GetName();
    if (name == QLatin1String("CONTINUE"))
        continueRequest = true;
    else if (name == QLatin1String("EXIT"))
        exitRequest = true;
    else if (name == QLatin1String("OPTIONS"))
        optionsRequest = true;
    else if (name == QLatin1String("EXIT AND SELECT AREA"))
        selectAreaRequest = true;
    else if (name == QLatin1String("HOW TO PLAY"))
        OpenHowToPlay(input);
}

void cPauseScreen::ApplySettings(cGameSettings* settings)
{
    if (options)
        options->ApplySettings(settings);
}

void cPauseScreen::ApplyOptionsCode(int code, int fullScreenCode)
{
    if (code == cMenuItem::RESULT_MUSIC)
    {
        settings->ToggleMusicMute();
    }
    else if (code == fullScreenCode)
    {
        fullScreenRequest = true;
        settings->ToggleFullScreen();
    }
    else if (code == cMenuItem::RESULT_EFFECTS)
    {
        settings->ToggleAmbienceMute();
        settings->ToggleSFXMute();
    }
    else
    {
        return;
    }
    settings->Save();
    options->ApplySettings(settings);
}

void cPauseScreen::OpenOptions()
{
    subScreen = SUB_OPTIONS;
    if (!options)
        options = std::make_unique<cOptionsScreen>();
    options->SetScaleFactor(textScale);
    options->Init(commonResources, settings);
    options->Resize(width, height);
    options->ApplySettings(settings);
}

void cPauseScreen::OpenHowToPlay(const cInputHandler* input)
{
    howToPlayRequest = true;
    if (!howPlay)
        howPlay = std::make_unique<cHowPlayScreen>();
    if (input)
    {
        howPlay->Init(input);
    }
    else
    {
        cInputHandler saved;
        saved.LoadConfig(kControlsFile);
        howPlay->Init(&saved);
    }
    howPlay->Resize(width, height);
}

int cPauseScreen::Update(int dtMs)
{
    if (continueRequest)
    {
        continueRequest = false;
        return RESULT_CONTINUE;
    }
    if (exitRequest)
    {
        exitRequest = false;
        return RESULT_EXIT;
    }
    if (selectAreaRequest)
    {
        selectAreaRequest = false;
        return RESULT_SELECT_AREA;
    }
    if (optionsRequest)
    {
        optionsRequest = false;
        OpenOptions();
    }
    if (howToPlayRequest)
    {
        howToPlayRequest = false;
        subScreen = SUB_HOW_TO_PLAY;
    }
    if (subScreen == SUB_OPTIONS)
        return UpdateOptions(dtMs);
    if (subScreen == SUB_HOW_TO_PLAY && commonResources)
        commonResources->UpdateStars(dtMs);
    return RESULT_NONE;
}

int cPauseScreen::UpdateOptions(int dtMs)
{
    if (options->Update(dtMs, true) == cOptionsScreen::RESULT_CLOSED)
    {
        subScreen = SUB_NONE;
        options.reset();
        return RESULT_NONE;
    }
    if (!fullScreenRequest)
        return RESULT_NONE;
    fullScreenRequest = false;
    return RESULT_TOGGLE_FULL_SCREEN;
}

int cPauseScreen::LineY(const cMenu& page) const
{
    return static_cast<int>(height / 2 + 82.0f * textScale * (page.GetY() / 100.0f));
}

bool cPauseScreen::LineContains(const cMenu& page, int x, int y) const
{
    const b2Vec2 at = font.MenuTextPosition(page.GetName(), 0, LineY(page), textScale, width, 7);
    const int textWidth = font.TextWidth(page.GetName(), textScale);
    return at.x < x && x < at.x + textWidth && at.y < y && y < at.y + 7 * textScale;
}

void cPauseScreen::Paint()
{
    DrawGradientRect(-1, -1, width + 1, height + 1, 100, 100, 100, 200, 200, 200, 100);
    if (subScreen == SUB_NONE)
    {
        PaintList();
        return;
    }
    DrawGradientRect(-1, -1, width + 1, height + 1, 216, 203, 236, 181, 159, 217, 255);
    if (commonResources)
        commonResources->DrawStars(baseScale);
    if (subScreen == SUB_OPTIONS)
        options->Draw(false);
    else if (howPlay)
        howPlay->Draw();
}

void cPauseScreen::PaintList()
{
    const int t = textScale;
    for (int i = 0; i < GetPageCount(); ++i)
    {
        cMenu& page = *pages[static_cast<size_t>(i)];
        const QString name = page.GetName();
        const int y = LineY(page);
        const bool active = page.IsActive();
        const bool chosen = i == selected;
        if (chosen)
            std::printf("cPauseScreen::Paint() \n");
        if (chosen && !cursors.empty())
        {
            const b2Vec2 at = font.MenuTextPosition(name, 0, y, t, width, 2);
            const int shade = active ? 255 : 150;
            cursors.front()->DrawScaled(at.x - 16 * t, at.y - 5 * t, t, shade, shade, shade, 255);
        }
        if (chosen)
            page.Draw(offsetX, offsetY, t, width, height, nullptr, false);
        // A lit entry swaps the colours of its two copies.
        const bool lit = active && (chosen || page.IsHovered());
        const sRgb back = !active ? (chosen ? kGrey : kDarkGrey) : (lit ? kWhite : kLilac);
        const sRgb front = !active ? (chosen ? kDarkGrey : kGrey) : (lit ? kLilac : kWhite);
        const int backY = static_cast<int>(height / 2 + 82.0f * t * (page.GetY() / 100.0f) - t);
        font.DrawMenuText(name, -t, backY, t, width, 7, back.r, back.g, back.b, 255, nullptr, false);
        font.DrawMenuText(name, 0, y, t, width, 7, front.r, front.g, front.b, 255, nullptr, false);
    }
}

void cPauseScreen::MouseMove(int x, int y)
{
    const int up = height - y;
    if (subScreen == SUB_OPTIONS)
    {
        options->MouseMove(x, up);
        return;
    }
    // The hidden list keeps following the pointer behind how-to-play, ready when it returns.
    for (const auto& page : pages)
        page->SetHovered(LineContains(*page, x, up));
}

int cPauseScreen::MousePress(int x, int y, int button, cInputHandler* input)
{
    if (button != 1)
        return CLICK_IGNORED;
    const int up = height - y;
    if (subScreen == SUB_OPTIONS)
    {
        const int code = options->MousePress(x, up, input);
        ApplyOptionsCode(code, cMenuItem::RESULT_CLICK_FULL_SCREEN);
        return code;
    }
    if (subScreen == SUB_HOW_TO_PLAY)
    {
        subScreen = SUB_NONE;
        return CLICK_IGNORED;
    }
    for (int i = 0; i < GetPageCount(); ++i)
    {
        cMenu& page = *pages[static_cast<size_t>(i)];
        page.MousePress(x, up, i == selected, *input);
        if (!LineContains(page, x, up))
            continue;
        PlayMenuSound();
        selected = i;
        RunEntry(page, nullptr);
    }
    return CLICK_ON_LIST;
}
