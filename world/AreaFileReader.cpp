#include "world/AreaFileReader.h"

#include "world/Area.h"

#include "actors/EmitterBox.h"
#include "actors/Heart.h"
#include "engine/ActorFile.h"
#include "engine/Controls.h"
#include "engine/PhysicsBody.h"
#include "engine/XmlAttributes.h"

#include <QXmlStreamReader>

#include <cstdio>
#include <memory>

namespace {

/// The attributes of one start tag, each read only when present.
class cAttributes
{
public:
    explicit cAttributes(const QXmlStreamReader& xml) : attributes(xml.attributes()) {}

    int Int(const char* name, int defaultValue, int low = -kMaxFileInt, int high = kMaxFileInt) const
    {
        return IntAttributeClamped(attributes, name, defaultValue, low, high);
    }
    int IntWithin(const char* name, int defaultValue, int low, int high) const
    {
        return IntAttributeWithin(attributes, name, defaultValue, low, high);
    }
    float Float(const char* name, int defaultValue) const { return static_cast<float>(Int(name, defaultValue)); }
    bool Flag(const char* name, bool defaultValue) const { return FlagAttribute(attributes, name, defaultValue); }
    bool Has(const char* name) const { return attributes.hasAttribute(name); }
    QString Text(const char* name) const { return attributes.value(name).toString(); }

private:
    QXmlStreamAttributes attributes;
};

/// A stack box's file type is its box type plus this.
constexpr int kStackBoxFileOffset = 7;

/// The one plant file whose plants stand in front of the characters.
const char* const kGrassFile = "res/xml/actors/plants/grass.xml";

/// Why an ordinary area skips the elements of the scripted ones.
const char* const kScriptedOnly = "belongs to the first or the last area only";

/// Ids of the area sounds that a `themes` attribute names.
struct sTheme
{
    const char* attribute;
    int id;
};
const sTheme kThemes[] = {{"antler", 0}, {"spirit", 1}, {"bat", 2}, {"Custom1", 42}, {"Custom2", 43}, {"Custom3", 44}};

} // namespace

bool cAreaFileReader::Read(const QString& path)
{
    return ReadActorFile(path, [this](QXmlStreamReader& xml) {
        ReadElement(xml);
        return true;
    });
}

void cAreaFileReader::ReadElement(QXmlStreamReader& xml)
{
    const QStringRef name = xml.name();
    if (name == QLatin1String("Metadata"))
        ReadMetadata(xml);
    else if (name == QLatin1String("Background"))
        ReadBackground(xml);
    else if (name == QLatin1String("Sky"))
        ReadSky(xml);
    else if (name == QLatin1String("SkyLoF"))
        ReadSkyLoF(xml);
    else if (name == QLatin1String("Stars"))
        ReadStars(xml);
    else if (name == QLatin1String("Cloud"))
        ReadCloud(xml, false);
    else if (name == QLatin1String("Cloud_HD"))
        ReadCloud(xml, true);
    else if (name == QLatin1String("AreaEnterTree"))
        ReadEnterTree(xml);
    else if (name == QLatin1String("AreaExitTree"))
        ReadExitTree(xml);
    else if (name == QLatin1String("StackBox"))
        ReadStackBox(xml);
    else if (name == QLatin1String("FrameChanger"))
        ReadFrameChanger(xml);
    else if (name == QLatin1String("EmitterBox"))
        ReadEmitterBox(xml);
    else if (name == QLatin1String("LittlePlatform"))
        ReadLittlePlatform(xml);
    else if (name == QLatin1String("Mushroom"))
        ReadMushroom(xml);
    else if (name == QLatin1String("GlowMushroom"))
        ReadGlowMushroom(xml);
    else if (name == QLatin1String("BasicPlant"))
        ReadPlant(xml);
    else if (name == QLatin1String("water"))
        ReadWater(xml);
    else if (name == QLatin1String("waterfall"))
        ReadWaterfall(xml);
    else if (name == QLatin1String("waterbubbles"))
        ReadWaterBubbles(xml);
    else if (name == QLatin1String("NPCFly"))
        ReadNPCFly(xml);
    else if (name == QLatin1String("ScoreHeart"))
        ReadScoreHeart(xml);
    else if (name == QLatin1String("InfoTriggerBox"))
        ReadInfoTriggerBox(xml);
    else if (name == QLatin1String("body"))
        ReadBody(xml);
    else if (name == QLatin1String("Audio"))
        ReadAudio(xml);
    else if (name == QLatin1String("Level0EnterTree"))
        ReadLevel0EnterTree(xml);
    else if (name == QLatin1String("FallingRock"))
        ReadFallingRock(xml);
    else if (name == QLatin1String("HeartTreeExit"))
        ReadHeartTreeExit(xml);
}

void cAreaFileReader::ReadMetadata(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    area.SetName(a.Text("name").toStdString());
}

void cAreaFileReader::ReadBackground(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    if (a.Has("file"))
        area.SetBackgroundFile(a.Text("file"));
    if (a.Has("landoffireflies"))
        area.SetLandOfFirefliesBackgroundFile(a.Text("landoffireflies"));
    if (a.Has("batland"))
        area.SetBatlandBackgroundFile(a.Text("batland"));
}

void cAreaFileReader::ReadSky(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    const int r1 = a.Int("r1", -1);
    const int g1 = a.Int("g1", -1);
    const int b1 = a.Int("b1", -1);
    // A second colour missing one component is no second colour: the sky is plain.
    const bool second = r1 != -1 && g1 != -1 && b1 != -1;
    area.SetSkyColors(a.Int("r", -1), a.Int("g", -1), a.Int("b", -1), second ? r1 : -1, second ? g1 : -1,
                      second ? b1 : -1);
}

void cAreaFileReader::ReadSkyLoF(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    area.SetSkyLoFColor(a.Int("r", -1), a.Int("g", -1), a.Int("b", -1));
}

void cAreaFileReader::ReadStars(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    if (a.Has("quantity"))
        area.AddStars(a.IntWithin("quantity", 0, 0, cArea::kMaxStars));
}

void cAreaFileReader::ReadCloud(QXmlStreamReader& xml, bool large)
{
    const cAttributes a(xml);
    if (large)
        area.AddCloudHD(a.Float("x", 0), a.Float("y", 0), a.Int("speed", 0), a.Int("cloudAnimationId", 0));
    else
        area.AddCloud(a.Float("x", 0), a.Float("y", 0), a.Int("speed", 0), a.Int("cloudAnimationId", 0),
                      a.Int("scale", 1));
}

void cAreaFileReader::ReadStackBox(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    // The files number stack boxes after their blueprints, which start at 7; a number below that
    // wraps round to a box type no blueprint has, which the box itself turns away.
    const int type = a.Int("type", 0) - kStackBoxFileOffset;
    area.AddStackBox(a.Int("x", 0), a.Int("y", 0), static_cast<uint16_t>(type));
    const int tutorial = a.Int("tutorial", 0);
    if (tutorial == 1 || tutorial == 2)
        area.SetTutorialFlags(type, tutorial == 2);
}

void cAreaFileReader::ReadFrameChanger(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    area.AddFrameChangerBox(a.Int("x", 0), a.Int("y", 0), a.Int("frame_set_1_id", 0), a.Int("frame_set_2_id", 0),
                            a.Flag("OneTime", false));
}

void cAreaFileReader::ReadEmitterBox(QXmlStreamReader& xml)
{
    auto box = std::make_unique<cEmitterBox>();
    if (!box->ReadXml(xml)) {
        printf("ERROR: failed to load emitter from XML!!!\n\n");
        return;
    }
    area.AddEmitterBox(box.release());
}

void cAreaFileReader::ReadInfoTriggerBox(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    // A player who bound keys of their own is shown the picture without keys in every info box.
    const int picture = customControls ? cArea::kKeyNeutralInfo : a.Int("info_anim_index", 0);
    area.AddInfoTriggerHeartBox(a.Int("x", 0), a.Int("y", 0), a.Float("w", 0), a.Float("h", 0),
                                a.Int("heartBoxId", -1), a.Float("offsetX", 0), a.Float("offsetY", 0),
                                a.Flag("trigger_once", false), picture, a.Int("collisionMonsterId", 0),
                                a.Flag("isSuperBeing", false), a.Int("lifeTime", 5000));
}

void cAreaFileReader::ReadLittlePlatform(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    area.AddPlatform(a.Int("x", 0), a.Int("y", 0), a.Int("w", 0), a.Int("h", 0), a.Int("type", 0));
}

void cAreaFileReader::ReadMushroom(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    area.AddMushroom(a.Text("file"), a.Int("x", 0), a.Int("y", 0));
}

void cAreaFileReader::ReadGlowMushroom(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    area.AddGlowMushroom(a.Text("file"), a.Int("x", 0), a.Int("y", 0), a.Int("hide_time", 5000));
}

void cAreaFileReader::ReadPlant(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    const QString file = a.Text("file");
    if (file == QLatin1String(kGrassFile))
        area.AddGrass(file, a.Int("x", 0), a.Int("y", 0));
    else
        area.AddBasicPlant(file, a.Int("x", 0), a.Int("y", 0));
}

void cAreaFileReader::ReadWater(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    area.AddWaterArea(a.Int("x", 0), a.Int("y", 0), a.Int("w", 0), a.Int("h", 0), a.Int("r", 53), a.Int("g", 193),
                      a.Int("b", 230), a.Int("a", 127));
}

void cAreaFileReader::ReadWaterfall(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    area.AddWaterFallSparkles(a.Int("x", 0), a.Int("y", 0), a.Int("w", 0), a.Int("h", 0));
}

void cAreaFileReader::ReadWaterBubbles(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    area.AddWaterBubbles(a.Int("x", 0), a.Int("y", 0), a.Int("size", 0));
}

void cAreaFileReader::ReadNPCFly(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    area.AddNPCFly(a.Int("type", 0), a.Int("zoneX", 0), a.Int("zoneY", 0), a.Int("zoneWidth", 0),
                   a.Int("zoneHeight", 0));
}

void cAreaFileReader::ReadScoreHeart(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    area.AddHeartAtExit(a.Float("x", 0), a.Float("y", 0), a.Int("value", 0, -cHeart::kMaxValue, cHeart::kMaxValue),
                        false);
}

void cAreaFileReader::ReadEnterTree(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    area.SetEnterTreeFlags(a.Flag("spawnAntlerOnly", false), a.Flag("startAsNight", false),
                           a.Flag("spawnFireFlies", false));
    area.AddAreaEnterTree(a.Text("file"), a.Int("x", 0), a.Int("y", 0), a.Flag("force_switch", false));
}

void cAreaFileReader::ReadExitTree(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    area.AddAreaExit(a.Text("file"), a.Int("x", 0), a.Int("y", 0), a.Flag("activated", true),
                     a.Flag("tutorial", false), a.Text("DestinationArea").toStdString());
}

void cAreaFileReader::ReadBody(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    // The files always give a type; one without is plain terrain, the most common kind.
    area.AddPhysicsBody(a.Float("x", 0), a.Float("y", 0), a.Float("w", 0), a.Float("h", 0),
                        BodyTypeFromFile(a.Int("type", 0)), a.Int("addAfterQuake", 0));
}

void cAreaFileReader::ReadLevel0EnterTree(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    if (!area.CreateLevel0EnterTree(a.Text("file"), a.Int("x", 0), a.Int("y", 0)))
        ReportSkipped(xml, kScriptedOnly);
}

void cAreaFileReader::ReadFallingRock(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    if (!area.CreateFallingRock(a.Text("file"), a.Int("x", 0), a.Int("y", 0), a.Flag("staying", false),
                                a.Flag("coverStone", false)))
        ReportSkipped(xml, kScriptedOnly);
}

void cAreaFileReader::ReadHeartTreeExit(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    if (!area.CreateExitTree(a.Text("file"), a.Int("x", 0), a.Int("y", 0), a.Flag("activated", true),
                             a.Text("DestinationArea").toStdString()))
        ReportSkipped(xml, kScriptedOnly);
}

void cAreaFileReader::ReadAudio(QXmlStreamReader& xml)
{
    QString dayAmbience, nightAmbience, music;
    bool loop = true;
    int delay = 0;
    while (!xml.atEnd() && !xml.hasError()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("Audio"))
            break;
        if (token != QXmlStreamReader::StartElement)
            continue;
        const cAttributes a(xml);
        if (xml.name() == QLatin1String("ambience")) {
            if (a.Has("std"))
                dayAmbience = a.Text("std");
            if (a.Has("night"))
                nightAmbience = a.Text("night");
        } else if (xml.name() == QLatin1String("music")) {
            if (a.Has("file"))
                music = a.Text("file");
            // Music without a loop attribute loops, as the area's background music is meant to.
            if (a.Int("loop", 1) != 1)
                loop = false;
            delay = a.Int("delay", 0);
        } else if (xml.name() == QLatin1String("themes")) {
            ReadThemes(xml);
        }
    }
    area.SetAmbienceAndMusic(dayAmbience, nightAmbience, music, loop, delay);
}

void cAreaFileReader::ReadThemes(QXmlStreamReader& xml)
{
    const cAttributes a(xml);
    for (const sTheme& theme : kThemes) {
        if (a.Has(theme.attribute))
            area.SetMusicTheme(theme.id, a.Text(theme.attribute));
    }
}

void cAreaFileReader::ReportSkipped(const QXmlStreamReader& xml, const char* why)
{
    printf("\n NOTE: %s on line %lld %s; skipped \n", qPrintable(xml.name().toString()),
           static_cast<long long>(xml.lineNumber()), why);
}
