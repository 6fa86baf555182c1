#include "screens/EndScreen.h"

#include "player/InputHandler.h"
#include "engine/Drawing.h"
#include "world/CommonResources.h"

#include <algorithm>

namespace
{
/// The size, in scale units, that the lines are laid out in.
constexpr int kDesignWidth = 356;
constexpr int kDesignHeight = 337;
}

bool cEndScreen::Init(cCommonResources* resources, cAudioSystem* audio, cGameSettings* /*settings*/)
{
    commonResources = resources;
    audioSystem = audio;
    done = false;
    return true;
}

int cEndScreen::Update(int dtMs)
{
    if (done)
        return RESULT_DONE;
    if (commonResources)
        commonResources->UpdateStars(dtMs);
    return RESULT_NONE;
}

void cEndScreen::Draw(bool /*flag*/)
{
    DrawFilledRect(-1, -1, width + 1, height + 1, 151, 129, 183, 255);
    if (commonResources)
        commonResources->DrawStars(scale);
    const int middle = height / 2;
    const struct
    {
        const char* text;
        int y;
        int scale;
    } lines[] = {
        {"Thank you for playing a demo version of", middle, scale},
        {"MIRROWEN", middle - 27 * scale, scale + 1},
        {"made with care by the Mirrowen team", middle - 40 * scale, scale},
        {"press any key", middle - 60 * scale, scale},
    };
    for (const auto& line : lines)
        font.DrawMenuText(QString::fromLatin1(line.text), 0, line.y, line.scale, width, 0, 255, 255, 255, 255,
                          nullptr, false);
}

void cEndScreen::Resize(int newWidth, int newHeight)
{
    width = newWidth;
    height = newHeight;
    scale = std::max(1, std::min(width / kDesignWidth, height / kDesignHeight));
    offsetX = (width - kDesignWidth * scale) / 2;
    offsetY = (height - kDesignHeight * scale) / 2;
}

void cEndScreen::HandleInput(cInputHandler* input)
{
    if (input->WasPressed(KEY_ANY))
        Leave(0);
}

void cEndScreen::Leave(int /*code*/)
{
    done = true;
}
