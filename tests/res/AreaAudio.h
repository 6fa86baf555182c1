#pragma once
// What the area files of the resource tree ask their sound player to play.
#include <QDirIterator>
#include <QFile>
#include <QStringList>
#include <QXmlStreamReader>

/// The sounds an area file's Audio element names: the music and whether it loops, the day and
/// night ambience, and the themes.
struct AreaAudio
{
    QString music;
    bool musicLoops = true;
    QString day;
    QString night;
    QStringList themes;
};

inline AreaAudio ReadAreaAudio(const QString& path)
{
    AreaAudio audio;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return audio;
    QXmlStreamReader xml(&file);
    bool inAudio = false;
    while (!xml.atEnd() && !xml.hasError())
    {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (xml.name() == QLatin1String("Audio"))
            inAudio = token == QXmlStreamReader::StartElement;
        if (!inAudio || token != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == QLatin1String("ambience"))
            audio.day = a.value("std").toString(), audio.night = a.value("night").toString();
        else if (xml.name() == QLatin1String("music"))
            audio.music = a.value("file").toString(), audio.musicLoops = !a.hasAttribute("loop") || a.value("loop") == QLatin1String("1");
        else if (xml.name() == QLatin1String("themes"))
            for (const QXmlStreamAttribute& theme : a)
                audio.themes << theme.value().toString();
    }
    return audio;
}

/// Every area file of the resource tree (not the frame-set files beside them).
inline QStringList AreaFiles()
{
    QStringList areas;
    QDirIterator found(":/res/Areas", {"*.xml"});
    while (found.hasNext())
    {
        const QString area = found.next();
        if (!area.endsWith("_Frames.xml"))
            areas << area;
    }
    return areas;
}
