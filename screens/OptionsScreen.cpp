#include "screens/OptionsScreen.h"

#include "player/GameSettings.h"
#include "player/InputHandler.h"
#include "engine/ActorFile.h"
#include "engine/Animation.h"
#include "engine/SharedAssets.h"
#include "screens/Menu.h"
#include "screens/MenuItem.h"
#include "screens/MenuLayout.h"
#include "screens/MenuSounds.h"
#include "world/CommonResources.h"

#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>

namespace {

const char* const kOptionsFile = "res/xml/menus/optionsscreenmenu.xml";
constexpr int kLilac[] = {136, 118, 164};

} // namespace

cOptionsScreen::cOptionsScreen() = default;

cOptionsScreen::~cOptionsScreen()
{
    DeleteAll(animations);
}

cMenu* cOptionsScreen::Page(int i) const
{
    return i >= 0 && i < PageCount() ? pages[i].get() : nullptr;
}

bool cOptionsScreen::Init(cCommonResources* commonResources, cGameSettings*)
{
    if (!resources) {
        resources = commonResources;
        font = std::make_unique<cFontManager>();
        if (!LoadPages() || !cCommonResources::ReloadAnimationList(kOptionsFile, animations))
            return false;
    }
    selectedPage = 1;
    return true;
}

bool cOptionsScreen::LoadPages()
{
    pages.clear();
    return ReadActorFile(kOptionsFile, [this](QXmlStreamReader& xml) {
        if (xml.name() == QLatin1String("menu")) {
            auto page = std::make_unique<cMenu>(font.get());
            if (page->LoadFromXml(xml))
                pages.push_back(std::move(page));
        }
        return true;
    });
}

QStringList cOptionsScreen::PageNames() const
{
    QStringList names;
    for (const auto& page : pages)
        names << page->GetName();
    return names;
}

void cOptionsScreen::Resize(int w, int h)
{
    std::printf("SCALEFACTOR = %i", scaleFactor);
    width = w;
    height = h;
    pictureScale = MenuPictureScale(w, h);
    scaleFactor = pictureScale + 1;
    offsetX = (w - 480 * pictureScale) / 2;
    offsetY = (h - 272 * pictureScale) / 2;
    if (!font)
        return;
    textScale = FitRowScale(*font, PageNames(), width, scaleFactor);
    for (const auto& page : pages)
        page->SetScales(scaleFactor, textScale);
}

int cOptionsScreen::Update(int dtMs, bool updateStars)
{
    if (updateStars && resources)
        resources->UpdateStars(dtMs);
    if (closing) {
        closing = false;
        return RESULT_CLOSED;
    }
    return RESULT_NONE;
}

void cOptionsScreen::Draw(bool outline)
{
    if (!font)
        return;
    const QStringList names = PageNames();
    textScale = FitRowScale(*font, names, width, scaleFactor);
    const int t = textScale;
    const int baseLine = offsetY / 5;
    int x = (width - RowWidth(*font, names, t)) / 2;
    for (int i = 0; i < PageCount(); ++i) {
        cMenu& page = *pages[i];
        const bool selected = i == selectedPage;
        if (selected && page.IsOpen())
            page.Draw(offsetX, offsetY, scaleFactor, width, height, animations.empty() ? nullptr : animations[0],
                      outline);
        if (selected && !animations.empty())
            animations[0]->DrawScaled(float(x - 11 * t), float(baseLine + t), t, 255, 255, 255, 255);
        DrawPageName(page, x, baseLine, selected);
        x += font->TextWidth(page.GetName(), t) + kRowNameGap * t;
    }
}

void cOptionsScreen::DrawPageName(cMenu& page, int x, int y, bool selected)
{
    const int t = textScale;
    const QString name = page.GetName();
    page.SetTitlePosition(float(x), float(y + (18 - 8) / 2 * t));
    page.SetTitleWidth(font->TextWidth(name, t));
    // A page that cannot be chosen shows its colours the other way round.
    const bool bright = selected || page.IsActive();
    const int back[] = {bright ? 255 : kLilac[0], bright ? 255 : kLilac[1], bright ? 255 : kLilac[2]};
    const int front[] = {bright ? kLilac[0] : 255, bright ? kLilac[1] : 255, bright ? kLilac[2] : 255};
    font->DrawText(name, x, y, t, back[0], back[1], back[2], 255);
    font->DrawText(name, x - t, y + t, t, front[0], front[1], front[2], 255);
}

void cOptionsScreen::CloseAll()
{
    for (const auto& page : pages)
        page->Close();
}

int cOptionsScreen::HandleInput(cInputHandler* input)
{
    const bool pageOpen = std::any_of(pages.begin(), pages.end(), [](const auto& page) { return page->IsOpen(); });
    cMenu* selected = Page(selectedPage);
    if (pageOpen && selected) {
        switch (const int code = selected->HandleInput(*input)) {
        case cMenu::RESULT_LEFT:
            CloseAll();
            return cMenuItem::RESULT_NONE;
        case cMenuItem::RESULT_MUSIC:
        case cMenuItem::RESULT_KEY_FULL_SCREEN:
        case cMenuItem::RESULT_EFFECTS: return code;
        default: return cMenuItem::RESULT_NONE;
        }
    }
    HandleBarKeys(*input);
    return cMenuItem::RESULT_NONE;
}

void cOptionsScreen::HandleBarKeys(cInputHandler& input)
{
    const int count = PageCount();
    if (input.WasPressedAlt(KEY_RIGHT)) {
        PlayMenuSound();
        if (count > 0)
            selectedPage = (selectedPage + 1) % count;
    } else if (input.WasPressedAlt(KEY_BACK)) {
        PlayMenuSound();
        RequestClose();
    } else if (input.WasPressedAlt(KEY_LEFT)) {
        PlayMenuSound();
        if (count > 0)
            selectedPage = (selectedPage + count - 1) % count;
    } else if (input.WasPressedAlt(KEY_CONFIRM) || input.WasPressedAlt(KEY_JUMP)) {
        PlayMenuSound();
        if (cMenu* page = Page(selectedPage); page && page->Open() == cMenu::RESULT_BACK)
            RequestClose();
    }
}

void cOptionsScreen::MouseMove(int x, int y)
{
    for (const auto& page : pages)
        page->MouseMove(float(x), float(y));
}

int cOptionsScreen::MousePress(int x, int y, cInputHandler* input)
{
    for (int i = 0; i < PageCount(); ++i) {
        const int code = pages[i]->MousePress(float(x), float(y), i == selectedPage, *input);
        if (code == cMenuItem::RESULT_MUSIC || code == cMenuItem::RESULT_CLICK_FULL_SCREEN ||
            code == cMenuItem::RESULT_EFFECTS || code == cMenuItem::RESULT_CLICK_VOLUME_DOWN)
            return code;
        if (code != cMenu::RESULT_NAME_CLICKED)
            continue;
        // Its name on the bar was clicked: that page takes the place of the one open before.
        for (int j = 0; j < PageCount(); ++j)
            if (j != i)
                pages[j]->Close();
        selectedPage = i;
        if (pages[i]->Open() == cMenu::RESULT_BACK && i == 0) {
            selectedPage = 1;
            RequestClose();
        }
    }
    return cMenuItem::RESULT_NONE;
}

void cOptionsScreen::ApplySettings(cGameSettings* settings)
{
    for (const auto& page : pages)
        if (page->GetName() == QLatin1String("SOUND/GRAPHICS"))
            page->ApplySettings(*settings);
}
