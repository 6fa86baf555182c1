#pragma once

#include <QString>

class QXmlStreamReader;
class cArea;

/// Reads an area file (root `ZORV_AREA_SAVE_FILE`, not checked) into an area through its makers
/// and setters, in file order, so every list keeps the order of the file. Every start tag of the
/// document is matched by its exact name, at any depth; unknown elements and attributes are passed
/// over. Integer attributes are decimal (other text reads as 0), flags are integers (not 0 is
/// true), and an absent attribute keeps the element's default.
///
/// `Level0EnterTree`, `FallingRock` and `HeartTreeExit` go to makers that only the scripted first
/// and last areas fill in: an ordinary one makes nothing of them and says so in one line each.
class cAreaFileReader
{
public:
    explicit cAreaFileReader(cArea& area) : area(area) {}

    /// Reads the file at path (":/" put in front when the path holds none). False, with an
    /// "ERROR:" line, only when it does not open; an XML error ends the reading silently and
    /// keeps what was made before it.
    bool Read(const QString& path);

private:
    void ReadElement(QXmlStreamReader& xml);
    void ReadMetadata(QXmlStreamReader& xml);
    void ReadBackground(QXmlStreamReader& xml);
    void ReadSky(QXmlStreamReader& xml);
    void ReadSkyLoF(QXmlStreamReader& xml);
    void ReadStars(QXmlStreamReader& xml);
    /// `Cloud`, or with large `Cloud_HD`.
    void ReadCloud(QXmlStreamReader& xml, bool large);
    /// `StackBox`: the box of the file's type minus 7, and the area's lesson flags by `tutorial`.
    void ReadStackBox(QXmlStreamReader& xml);
    void ReadFrameChanger(QXmlStreamReader& xml);
    /// The emitter reads its whole element, receivers included, up to its end tag.
    void ReadEmitterBox(QXmlStreamReader& xml);
    void ReadInfoTriggerBox(QXmlStreamReader& xml);
    void ReadLittlePlatform(QXmlStreamReader& xml);
    void ReadScoreHeart(QXmlStreamReader& xml);
    void ReadEnterTree(QXmlStreamReader& xml);
    void ReadExitTree(QXmlStreamReader& xml);
    void ReadBody(QXmlStreamReader& xml);
    /// `BasicPlant`: the grass file goes in front of the characters, any other plant behind them.
    void ReadPlant(QXmlStreamReader& xml);
    void ReadMushroom(QXmlStreamReader& xml);
    void ReadGlowMushroom(QXmlStreamReader& xml);
    void ReadNPCFly(QXmlStreamReader& xml);
    void ReadWater(QXmlStreamReader& xml);
    void ReadWaterfall(QXmlStreamReader& xml);
    void ReadWaterBubbles(QXmlStreamReader& xml);
    void ReadLevel0EnterTree(QXmlStreamReader& xml);
    void ReadFallingRock(QXmlStreamReader& xml);
    void ReadHeartTreeExit(QXmlStreamReader& xml);
    /// The `ambience`, `music` and `themes` children up to the end tag `Audio`, then the area's
    /// ambience and music.
    void ReadAudio(QXmlStreamReader& xml);
    void ReadThemes(QXmlStreamReader& xml);
    /// One line naming the element and why it makes nothing.
    void ReportSkipped(const QXmlStreamReader& xml, const char* why);

    cArea& area;
};
