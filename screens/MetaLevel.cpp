#include "screens/MetaLevel.h"

#include "actors/AntlerAncestor.h"
#include "actors/BatKing.h"
#include "actors/FireFly.h"
#include "actors/PlayerChar.h"
#include "actors/RainbowSpirit.h"
#include "actors/SharedActors.h"
#include "player/GameSettings.h"
#include "player/InputHandler.h"
#include "audio/Sound.h"
#include "engine/Animation.h"
#include "engine/StringUtil.h"
#include "engine/XmlFile.h"
#include "screens/AreaSummary.h"
#include "screens/FlyingHearts.h"
#include "screens/MenuSounds.h"
#include "world/ColorBackground.h"
#include "world/CommonResources.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kScreenW = 480;
constexpr int kScreenH = 272;
constexpr int kWhite = 255;
constexpr int kRandomSpeakers = 7;
constexpr int kFamily = 8;
const char* const kMusic = "res/wave/Music/MetaLevel.ogg";
const char* const kFirstArea = "res/Areas/Area0.xml";

/// The interlude's sky: the area selection's lilac, lighter at the bottom.
const sZorv_BG_Color kSky{216, 203, 236, 181, 159, 217};

struct sSpeaker
{
    const char* name;
    /// How far the name stands left of the centre, in virtual-screen units.
    int nameShift;
    std::vector<const char*> lines;
};

/// Speakers 1 to 8; the family (8) speaks only when an area file asks for it.
const sSpeaker kSpeakers[] = {
    {"Brown", 6,
     {"Stay close, everyone. The path is long.", "We are on a journey to find the Heart Tree.",
      "We are a family of monsters.", "If we stand on each other, we reach higher.",
      "Every heart we bring home makes the tree glow.", "I may be small, but I know the way.",
      "Look at the panels. The world is bigger than it seems.", "Rest a moment. Then we go on together."}},
    {"Orange", 6,
     {"Race you to the next tree!", "I can jump higher than both of you.", "Do you hear the fireflies humming?",
      "Hearts! I saw hearts over there!", "Why walk when you can bounce?", "Let me go first this time.",
      "The Heart Tree must be just behind that hill.", "I am not scared of caves. Not really."}},
    {"Gray", 6,
     {"Careful. Think before you jump.", "The old stones remember our ancestors.",
      "Quiet now. Something is watching us.", "A heavy friend is a good friend to stand on.",
      "I will carry whoever gets tired.", "Slow steps still reach the end.", "The night is kind to those who wait.",
      "Our elders went this way long ago."}},
    {"Antler Ancestor", 0,
     {"My antlers are strong like the stars!", "Jump once, jump twice, and the sky is yours.",
      "I walked these hills before the rivers ran.", "Young ones, leap where the ground ends.",
      "The old forest still knows my name.", "Climb, little ones. I will lift you.",
      "Strength is a gift of those before us.", "Even a cliff is only a step for me."}},
    {"Rainbow Spirit", 3,
     {"Turn the world and it will turn with you.", "Up is only a matter of where you look.",
      "I dance where the colours meet.", "Every frame hides another way.", "Fall upward with me!",
      "The sky is a floor, if you want it to be.", "Colours never lie about the way home."}},
    {"Bat King", 4,
     {"The dark is my kingdom.", "My bubbles hold up what the night hides.", "Even in caves, the heart finds light.",
      "Hang on. The bats will guide you.", "Where I land, the ground remembers.",
      "Listen to the echoes. They know the way.", "A king rules best from upside down.",
      "Fear not the shadows, they are my friends."}},
    {"The Fireflies", 0,
     {"We light the way for wanderers.", "Follow the glow, little ones.", "Night falls, and we rise.",
      "We carry you when your legs are tired.", "Buzz buzz! The Heart Tree is near.",
      "Every light in the dark is a friend.", "We dance above the sleeping fields.", "Come, the stars are waiting."}},
    {"", 0, {"We are a family of monsters."}},
};

const sSpeaker* FindSpeaker(int speaker)
{
    if (speaker < 1 || speaker > static_cast<int>(std::size(kSpeakers)))
        return nullptr;
    return &kSpeakers[speaker - 1];
}

/// Where each picture of a speaker stands from the layout point, in picture units.
std::vector<QPoint> SpotOffsets(int speaker)
{
    switch (speaker) {
    case 5:
        return {{5, 0}};
    case 7:
        return {{-10, 0}, {10, 5}};
    case kFamily:
        return {{-15, 5}, {15, 5}, {0, -10}};
    default:
        return {{0, 0}};
    }
}

cAnimation* CharacterPicture(const cCommonResources* resources, int id)
{
    const cPlayerChar* character = resources ? resources->GetCharacter(id) : nullptr;
    return character ? character->GetAnimation(0) : nullptr;
}

cAnimation* FormPicture(const cPlayerChar* form)
{
    return form ? form->GetAnimation(0) : nullptr;
}

cAnimation* FireFlyPicture(const cCommonResources* resources, int index)
{
    const FireFly* fly = resources ? resources->GetFireFly(index) : nullptr;
    return fly ? fly->GetAnimation(1) : nullptr;
}

std::vector<cAnimation*> SpeakerPictures(const cCommonResources* resources, int speaker)
{
    switch (speaker) {
    case 1:
    case 2:
    case 3:
        return {CharacterPicture(resources, speaker - 1)};
    case 4:
        return {FormPicture(gAntlerAncestor)};
    case 5:
        return {FormPicture(gRainbowSpirit)};
    case 6:
        return {FormPicture(gBatKing)};
    case 7:
        return {FireFlyPicture(resources, 0), FireFlyPicture(resources, 1)};
    case kFamily:
        return {CharacterPicture(resources, 1), CharacterPicture(resources, 2), CharacterPicture(resources, 0)};
    default:
        return {};
    }
}

} // namespace

cMetaLevel::cMetaLevel(cSound* handedOverMusic) : music(handedOverMusic) {}

cMetaLevel::~cMetaLevel()
{
    delete music;
}

cSound* cMetaLevel::StartMusic(cAudioSystem* audio, cGameSettings* settings)
{
    cSound* sound = new cSound;
    sound->Load(audio, kMusic, -1, true);
    sound->Play(0.0f, -1, settings && settings->IsMusicMuted());
    sound->FadeTo(1.0f, 20);
    return sound;
}

bool cMetaLevel::Init(cCommonResources* resources, cAudioSystem* audio, cGameSettings* settings)
{
    return InitWithArea(resources, audio, settings, kFirstArea, 0, 0);
}

bool cMetaLevel::InitWithArea(cCommonResources* resources, cAudioSystem* audio, cGameSettings* settings,
                              const std::string& fileName, int pinkHearts, int greenHearts)
{
    commonResources = resources;
    audioSystem = audio;
    hearts = std::make_unique<cFlyingHearts>(pinkHearts, greenHearts);
    background = std::make_unique<cColorBackground>(kSky);
    background->SetSize(std::max(0, width), std::max(0, height));
    nextArea = fileName;
    ReadAreaFile();
    ChooseSpeaker();
    if (!music)
        music = StartMusic(audio, settings);
    initialised = true;
    return true;
}

void cMetaLevel::Start()
{
    quote.clear();
    ReadAreaFile();
    ChooseSpeaker();
}

void cMetaLevel::ApplySettings(cGameSettings* /*settings*/) {}

bool cMetaLevel::ReadAreaFile()
{
    if (nextArea.empty())
        return false;
    cAreaSummary summary;
    if (!summary.Read(nextArea)) {
        ReportInvalidXmlFile(ResourcePath(QString::fromStdString(nextArea)));
        return false;
    }
    nextAreaName = summary.name;
    if (summary.hasQuote) {
        const bool known = summary.quoteId >= 0 && summary.quoteId < kFamily;
        speaker = known ? summary.quoteId + 1 : 0;
        speakerFixed = speakerFixed || known;
        if (summary.hasQuoteText)
            quote = summary.quoteText;
    }
    return true;
}

void cMetaLevel::ChooseSpeaker()
{
    if (speaker == 0 || !speakerFixed)
        speaker = std::rand() % kRandomSpeakers + 1;
    SetSpeaker();
    const std::vector<QString> lines = SpeakerLines(speaker);
    if (quote.isEmpty() && !lines.empty())
        quote = lines[std::rand() % lines.size()];
    for (cAnimation* picture : speakerPictures)
        picture->Reset(true);
    LayoutSpeaker();
}

void cMetaLevel::SetSpeaker()
{
    const sSpeaker* s = FindSpeaker(speaker);
    speakerName = s ? QString::fromLatin1(s->name) : QString();
    speakerPictures.clear();
    for (cAnimation* picture : SpeakerPictures(commonResources, speaker))
        if (picture)
            speakerPictures.push_back(picture);
}

std::vector<QString> cMetaLevel::SpeakerLines(int speaker)
{
    std::vector<QString> lines;
    if (const sSpeaker* s = FindSpeaker(speaker))
        for (const char* line : s->lines)
            lines.push_back(QString::fromLatin1(line));
    return lines;
}

void cMetaLevel::LayoutSpeaker()
{
    pictureSpots.clear();
    if (speakerPictures.empty())
        return;
    // The first picture, drawn twice as large as the virtual screen, centred on it.
    const cAnimation* first = speakerPictures.front();
    const int y = offsetY + 150 * scale;
    const int x = (kScreenW / 2 - static_cast<int>(first->GetFrameWidth(0)) - 2 * first->GetOffsetX()) * scale +
                  offsetX;
    const std::vector<QPoint> offsets = SpotOffsets(speaker);
    for (size_t i = 0; i < speakerPictures.size() && i < offsets.size(); ++i)
        pictureSpots.push_back(QPoint(x + offsets[i].x() * scale, y + offsets[i].y() * scale));
}

int cMetaLevel::Update(int dtMs)
{
    if (leaveRequested)
        return RESULT_NEXT_AREA;
    if (music)
        music->UpdateFade(dtMs);
    if (background)
        background->Update(dtMs);
    if (commonResources)
        commonResources->UpdateStars(dtMs);
    if (hearts)
        hearts->Update(dtMs);
    return RESULT_NONE;
}

void cMetaLevel::DrawCentredLine(const QString& text, int dx, int y) const
{
    font.DrawText(text, width / 2 + dx - text.length() * 3 * scale, y, scale, kWhite, kWhite, kWhite, kWhite);
}

void cMetaLevel::Draw(bool /*flag*/)
{
    if (background)
        background->Paint();
    if (commonResources)
        commonResources->DrawStars(scale);
    DrawCentredLine("Next Area: " + nextAreaName, 0, 220 * scale + offsetY);
    const sSpeaker* s = FindSpeaker(speaker);
    DrawCentredLine(speakerName, -(s ? s->nameShift : 0) * scale, 130 * scale + offsetY);
    DrawCentredLine(quote, 0, 90 * scale + offsetY);
    font.DrawText("press any key", width / 2 - 39 * scale, 30 * scale + offsetY, scale, kWhite, kWhite, kWhite, kWhite);
    if (hearts)
        hearts->Draw(scale);
    for (size_t i = 0; i < speakerPictures.size() && i < pictureSpots.size(); ++i)
        speakerPictures[i]->DrawScaled(pictureSpots[i].x(), pictureSpots[i].y(), 2 * scale, kWhite, kWhite, kWhite,
                                       kWhite);
}

void cMetaLevel::Resize(int w, int h)
{
    width = w;
    height = h;
    scale = std::max(1, std::min(w / kScreenW, h / kScreenH));
    offsetX = (w - kScreenW * scale) / 2;
    offsetY = (h - kScreenH * scale) / 2;
    LayoutSpeaker();
    if (background)
        background->SetSize(w, h);
}

void cMetaLevel::HandleInput(cInputHandler* input)
{
    if (input && input->WasPressed(KEY_ANY))
        LeaveByPlayer();
}

void cMetaLevel::MousePress(int /*x*/, int /*y*/, int /*button*/, cInputHandler* /*input*/)
{
    LeaveByPlayer();
}

void cMetaLevel::LeaveByPlayer()
{
    PlayMenuSound();
    delete music;
    music = nullptr;
    Leave(0);
}

void cMetaLevel::Leave(int /*code*/)
{
    leaveRequested = true;
}
