#include "world/CommonResources.h"

#include "actors/AntlerAncestor.h"
#include "actors/BatKing.h"
#include "actors/CommonHeartBox.h"
#include "actors/FireFly.h"
#include "actors/PlayerChar.h"
#include "actors/RainbowSpirit.h"
#include "actors/SharedActors.h"
#include "actors/Star.h"
#include "audio/SoundLibrary.h"
#include "engine/ActorFile.h"
#include "engine/Animation.h"
#include "engine/Image.h"
#include "engine/MathUtil.h"
#include "engine/SharedAssets.h"
#include "engine/XmlAttributes.h"

#include <QXmlStreamReader>

#include <array>
#include <cstdio>
#include <memory>

namespace {

constexpr int kStarCount = 600;
/// Stars lie on a grid of this many units.
constexpr int kStarGrid = 3;

/// The order in which the chip sets are loaded; number 4 does not exist.
constexpr std::array<int, kChipSetCount - 1> kChipSetOrder = {1, 2, 3, 5, 6, 7, 8, 0, 9, 10, 11, 12, 13, 14};

const char* const kCharacterFiles[] = {
    "res/xml/PlayerCharacters/brown.xml",
    "res/xml/PlayerCharacters/orange.xml",
    "res/xml/PlayerCharacters/gray.xml",
};

const char* const kSoundList = ":/res/wave/Audio_SFX.xml";
const char* const kBluePrintList = "res/xml/common_resources/HeartBox/HeartBoxTypes.xml";
const char* const kWaterfallSparkleFile = "res/xml/common_resources/waterfall_sparkle.xml";

/// Area files by number; 30 belongs to none.
const char* const kAreaFiles[] = {
    "res/Areas/Area0.xml",           "res/Areas/FrameSwitch.xml",     "res/Areas/IntoTheWild.xml",
    "res/Areas/CaveStory.xml",       "res/Areas/AntlerCave.xml",      "res/Areas/TheRainbowSpirit.xml",
    "res/Areas/TheWall.xml",         "res/Areas/RainbowRoad.xml",     "res/Areas/Islands.xml",
    "res/Areas/DownwardSpiral.xml",  "res/Areas/SpiritFun.xml",       "res/Areas/Bridge.xml",
    "res/Areas/BonusLevel01.xml",    "res/Areas/UseEmptyFrame.xml",   "res/Areas/TheFall.xml",
    "res/Areas/BatCave.xml",         "res/Areas/SecretPassage.xml",   "res/Areas/Stair_Maze.xml",
    "res/Areas/DeliciousSpores.xml", "res/Areas/Spelunking.xml",      "res/Areas/ShroomComplex.xml",
    "res/Areas/GatesOfHades.xml",    "res/Areas/Chasm.xml",           "res/Areas/BreakDown.xml",
    "res/Areas/AntlerChallenge.xml", "res/Areas/Home_of_the_Fishgod.xml", "res/Areas/CaveGeorge.xml",
    "res/Areas/TheWaterfalls.xml",   "res/Areas/What_the_Heart.xml",  "res/Areas/Fortress.xml",
    nullptr,                         "res/Areas/Water_World.xml",     "res/Areas/Antler_Arc.xml",
    "res/Areas/EndArea.xml",         "res/Areas/Credits2.xml",
};
constexpr int kUnknownArea = 35;

const char* const kFireFlyFiles[] = {
    "res/xml/actors/Flying/OrangeFirefly.xml",
    "res/xml/actors/Flying/GrayFirefly.xml",
};

/// Replaces the process-wide form in slot with a new one loaded from file.
template <typename Form>
bool LoadForm(Form*& slot, const char* file)
{
    delete slot;
    slot = new Form;
    return slot->LoadFromXml(file);
}

template <typename T>
void DeleteAndClear(T*& slot)
{
    delete slot;
    slot = nullptr;
}

void Say(const char* line)
{
    std::printf("%s", line);
}

QString ChipSetPath(int number)
{
    return QString(":/res/images/chipsets/chip_set_%1.png").arg(number, 2, 10, QChar('0'));
}

} // namespace

cCommonResources::cCommonResources(cAudioSystem* audio) : audioSystem(audio)
{
}

cCommonResources::~cCommonResources()
{
    DeleteCharacters();
    DeleteAll(gBoxBluePrints);
    for (std::vector<cAnimation*>* list :
         {&gInfoBubbleAnims, &gWhiteAlphabet, &gBlueAlphabet, &gCommonAnims, &gWaterfallBubbles, &gClouds,
          &gCloudsHD, &gDragonFlyAnims, &gBatAnims, &gBirdAnims, &gBeetleAnims, &gAirBubbles, &gLieAnims,
          &gAreaIcons})
        DeleteAll(*list);
    gGlyphWidths.clear();
    DeleteAndClear(gWaterfallSparkle);
    DeleteAll(stars);
    // Nobody may play an effect of a library that is gone.
    cSoundLibrary* library = gSoundLibrary;
    gSoundLibrary = nullptr;
    delete library;
    for (cImage*& chipSet : gChipSets)
        DeleteAndClear(chipSet);
}

void cCommonResources::DeleteCharacters()
{
    DeleteAll(characters);
    DeleteAndClear(gAntlerAncestor);
    DeleteAndClear(gRainbowSpirit);
    DeleteAndClear(gBatKing);
    DeleteAll(fireflies);
}

bool cCommonResources::LoadAll()
{
    if (!LoadSoundLibrary())
        return false;
    Say("\nAudio library successfully loaded.");
    if (!LoadChipSets())
        return false;
    Say("\nChip-sets successfully loaded.");
    if (!LoadPlayerCharacters() || !LoadSpecialCharacters())
        return false;
    Say("\nMonster resources successfully loaded.");
    if (!LoadBoxBluePrints() || !LoadSharedLists())
        return false;
    CreateStars(kStarCount);
    Say("\nCommon assets successfully loaded.\n");
    return true;
}

bool cCommonResources::LoadSharedLists()
{
    return ReloadAnimationList("res/xml/common_resources/InfoBubbles/InfoBubbleAnims.xml", gInfoBubbleAnims) &&
           ReloadAnimationList("res/xml/common_resources/Alphabet/AlphabetAnims.xml", gWhiteAlphabet) &&
           ReloadAnimationList("res/xml/common_resources/Alphabet/AlphabetAnims_blue.xml", gBlueAlphabet) &&
           LoadAlphabetWidths("res/xml/common_resources/Alphabet/AlphabetAnimsWidths.xml") &&
           ReloadAnimationList("res/xml/common_resources/common_anims.xml", gCommonAnims) &&
           ReloadAnimationList("res/xml/common_resources/waterfall_bubbles.xml", gWaterfallBubbles) &&
           ReloadAnimationList("res/xml/common_resources/clouds.xml", gClouds) &&
           ReloadAnimationList("res/xml/common_resources/cloudsHD.xml", gCloudsHD) && LoadFlyingActors() &&
           LoadWaterfallSparkle() && ReloadAnimationList("res/xml/common_resources/AirBubbles.xml", gAirBubbles) &&
           ReloadAnimationList("res/xml/common_resources/lies.xml", gLieAnims) &&
           ReloadAnimationList("res/xml/common_resources/area_icons.xml", gAreaIcons);
}

bool cCommonResources::LoadAnimationList(const QString& file, std::vector<cAnimation*>& list)
{
    int defaultChipSet = 0;
    return ReadActorFile(file, [&](QXmlStreamReader& xml) {
        if (xml.name() != QLatin1String("animation")) {
            defaultChipSet = IntAttributeClamped(xml.attributes(), "src", defaultChipSet);
            return true;
        }
        auto animation = std::make_unique<cAnimation>();
        if (animation->LoadFromXml(xml, defaultChipSet))
            list.push_back(animation.release());
        return true;
    });
}

bool cCommonResources::ReloadAnimationList(const QString& file, std::vector<cAnimation*>& list)
{
    DeleteAll(list);
    return LoadAnimationList(file, list);
}

bool cCommonResources::LoadSoundLibrary()
{
    delete gSoundLibrary;
    gSoundLibrary = new cSoundLibrary(audioSystem);
    return gSoundLibrary->LoadFromXml(kSoundList);
}

bool cCommonResources::LoadChipSet(const QString& path, int slot)
{
    if (slot < 0 || slot >= kChipSetCount) {
        std::printf("\n ERROR: there is no chip-set slot %d for %s \n", slot, qPrintable(path));
        return false;
    }
    delete gChipSets[slot];
    gChipSets[slot] = new cImage(0, 0, 10, 10);
    return gChipSets[slot]->SetTexture(path, 0, 0, 1, 1);
}

bool cCommonResources::LoadChipSets()
{
    for (int number : kChipSetOrder)
        if (!LoadChipSet(ChipSetPath(number), number))
            return false;
    return true;
}

bool cCommonResources::LoadPlayerCharacters()
{
    DeleteAll(characters);
    for (const char* file : kCharacterFiles) {
        characters.push_back(new cPlayerChar);
        if (!characters.back()->LoadFromXml(file))
            return false;
    }
    return true;
}

bool cCommonResources::LoadSpecialCharacters()
{
    if (!LoadForm(gAntlerAncestor, "res/xml/PlayerCharacters/antler.xml") ||
        !LoadForm(gRainbowSpirit, "res/xml/PlayerCharacters/spirit.xml") ||
        !LoadForm(gBatKing, "res/xml/PlayerCharacters/batking.xml"))
        return false;
    DeleteAll(fireflies);
    for (const char* file : kFireFlyFiles) {
        fireflies.push_back(new FireFly);
        fireflies.back()->SetAntlerForm(gAntlerAncestor);
        if (!fireflies.back()->LoadFromXml(file))
            return false;
    }
    return true;
}

bool cCommonResources::LoadBoxBluePrints()
{
    return LoadBoxBluePrints(kBluePrintList);
}

bool cCommonResources::LoadBoxBluePrints(const QString& list)
{
    DeleteAll(gBoxBluePrints);
    return ReadActorFile(list, [](QXmlStreamReader& xml) {
        if (xml.name() != QLatin1String("BoxBluePrint"))
            return true;
        const QXmlStreamAttributes attributes = xml.attributes();
        auto blueprint = new CommonHeartBox;
        blueprint->SetType(static_cast<uint16_t>(IntAttributeClamped(attributes, "type", 0)));
        // A template whose file is missing stays, empty: the boxes built from it are the only loss.
        blueprint->LoadFromXml(attributes.value(QLatin1String("file")).toString());
        gBoxBluePrints.push_back(blueprint);
        return true;
    });
}

bool cCommonResources::LoadAlphabetWidths(const QString& file)
{
    gGlyphWidths.clear();
    return ReadActorFile(file, [](QXmlStreamReader& xml) {
        if (xml.name() == QLatin1String("letter"))
            gGlyphWidths.push_back(IntAttributeClamped(xml.attributes(), "width", 0, 0, 255));
        return true;
    });
}

bool cCommonResources::LoadFlyingActors()
{
    return LoadAnimationList("res/xml/actors/Flying/DragonFly.xml", gDragonFlyAnims) &&
           LoadAnimationList("res/xml/actors/Flying/Bat.xml", gBatAnims) &&
           LoadAnimationList("res/xml/actors/Flying/Bird.xml", gBirdAnims) &&
           LoadAnimationList("res/xml/actors/Flying/NPCFireFly2.xml", gBeetleAnims);
}

bool cCommonResources::LoadWaterfallSparkle()
{
    DeleteAndClear(gWaterfallSparkle);
    int chipSet = 0;
    bool built = true;
    const bool opened = ReadActorFile(kWaterfallSparkleFile, [&](QXmlStreamReader& xml) {
        chipSet = IntAttributeClamped(xml.attributes(), "src", chipSet);
        if (xml.name() != QLatin1String("animation"))
            return true;
        auto sparkle = std::make_unique<cAnimation>();
        built = sparkle->LoadFromXml(xml, chipSet);
        if (built) {
            // A later glint replaces an earlier one.
            delete gWaterfallSparkle;
            gWaterfallSparkle = sparkle.release();
        }
        return built;
    });
    if (!opened || !built)
        return false;
    if (!gWaterfallSparkle) {
        std::printf("\n ERROR: no waterfall sparkle in %s \n", kWaterfallSparkleFile);
        return false;
    }
    return true;
}

void cCommonResources::CreateStars(int count)
{
    for (int i = 0; i < count; ++i) {
        // The draws happen in this order so that the field is the one the game always had.
        const int a = static_cast<int>(RandomFloat(0, 333));
        const int b = static_cast<int>(RandomFloat(0, 200));
        const float step = RandomFloat(16, 45);
        const int alpha = static_cast<int>(RandomFloat(3, 250));
        stars.push_back(new Star(kStarGrid * a, kStarGrid * b, alpha, step, 1.0f));
    }
}

void cCommonResources::DrawStars(int scale) const
{
    Star::DrawAll(stars, scale, 1.0f);
}

void cCommonResources::UpdateStars(int dtMs)
{
    for (Star* star : stars)
        star->Update(dtMs);
}

void cCommonResources::ResetCharacters()
{
    for (cPlayerChar* character : characters)
        character->Reset();
    for (cPlayerChar* form : std::initializer_list<cPlayerChar*>{gAntlerAncestor, gRainbowSpirit, gBatKing})
        if (form)
            form->Reset();
    for (FireFly* firefly : fireflies)
        firefly->Reset();
}

int cCommonResources::FillAreaList(const std::string& areaFile)
{
    for (int number = 0; number < static_cast<int>(std::size(kAreaFiles)); ++number)
        if (kAreaFiles[number] && areaFile == kAreaFiles[number])
            return number;
    return kUnknownArea;
}

cPlayerChar* cCommonResources::GetCharacter(int id) const
{
    if (id < 0 || id >= GetCharacterCount())
        return nullptr;
    return characters[id];
}

FireFly* cCommonResources::GetFireFly(int index) const
{
    if (index < 0 || index >= GetFireFlyCount())
        return nullptr;
    return fireflies[index];
}
