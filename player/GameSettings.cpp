#include "player/GameSettings.h"

#include "player/UserFile.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

/// Flags are stored as numbers; anything but 1 (a missing value included) means off.
bool ReadFlag(cUserFile& file, const QXmlStreamReader& xml, const char* attribute)
{
    return file.IntAttribute(xml, attribute, 0) == 1;
}

QString FlagText(bool flag)
{
    return flag ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

cGameSettings::cGameSettings()
    : fileName("Settings.xml")
    , musicMuted(false)
    , ambienceMuted(false)
    , sfxMuted(false)
    , fullScreen(false)
{
}

bool cGameSettings::IsMusicMuted() const
{
    return musicMuted;
}

bool cGameSettings::IsAmbienceMuted() const
{
    return ambienceMuted;
}

bool cGameSettings::IsSFXMuted() const
{
    return sfxMuted;
}

bool cGameSettings::IsFullScreen() const
{
    return fullScreen;
}

void cGameSettings::ToggleMusicMute()
{
    musicMuted = !musicMuted;
}

void cGameSettings::ToggleAmbienceMute()
{
    ambienceMuted = !ambienceMuted;
}

void cGameSettings::ToggleSFXMute()
{
    sfxMuted = !sfxMuted;
}

void cGameSettings::ToggleFullScreen()
{
    fullScreen = !fullScreen;
}

void cGameSettings::SetFullScreen(bool on)
{
    fullScreen = on;
}

bool cGameSettings::Load(const QString& relativeName)
{
    cUserFile file(relativeName);
    if (!file.OpenSource())
        return false;

    file.ReadElements([&](const QXmlStreamReader& xml) {
        if (xml.name() == QLatin1String("Music")) {
            musicMuted = ReadFlag(file, xml, "Mute");
        } else if (xml.name() == QLatin1String("SFX")) {
            sfxMuted = ReadFlag(file, xml, "Mute");
            ambienceMuted = sfxMuted;
        } else if (xml.name() == QLatin1String("FULLSCREEN")) {
            fullScreen = ReadFlag(file, xml, "FullScreen");
        }
    });

    if (file.SourceIsTemplate())
        file.MakeCopy([this](QXmlStreamWriter& xml) { WriteSettings(xml); });
    fileName = relativeName;
    return true;
}

bool cGameSettings::Save() const
{
    return cUserFile(fileName).Write([this](QXmlStreamWriter& xml) { WriteSettings(xml); });
}

void cGameSettings::WriteSettings(QXmlStreamWriter& xml) const
{
    xml.writeStartElement("ZORV_SETTINGS");
    xml.writeStartElement("AUDIO");
    xml.writeEmptyElement("Music");
    xml.writeAttribute("Mute", FlagText(musicMuted));
    xml.writeEmptyElement("SFX");
    xml.writeAttribute("Mute", FlagText(sfxMuted));
    xml.writeEndElement();
    xml.writeEmptyElement("FULLSCREEN");
    xml.writeAttribute("FullScreen", FlagText(fullScreen));
    xml.writeEndElement();
}
