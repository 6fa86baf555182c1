#include "screens/LevelOrder.h"

#include "engine/StringUtil.h"
#include "engine/XmlFile.h"

#include <QFile>
#include <QXmlStreamReader>

bool cLevelOrder::Load(const QString& path)
{
    areas.clear();
    QFile in(ResourcePath(path));
    if (!OpenXmlFile(in, path))
        return false;
    QXmlStreamReader xml(&in);
    // An `Unlocks` belongs to the `Area` it stands in; one outside every `Area` unlocks nothing.
    bool inArea = false;
    while (!xml.atEnd() && !xml.hasError()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("Area"))
            inArea = false;
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QString fileName = xml.attributes().value("FileName").toString();
        if (xml.name() == QLatin1String("Area")) {
            areas.push_back({fileName.toStdString(), {}});
            inArea = true;
        } else if (xml.name() == QLatin1String("Unlocks") && inArea && xml.attributes().hasAttribute("FileName")) {
            areas.back().unlocks.push_back(fileName.toStdString());
        }
    }
    return true;
}

std::vector<std::string> cLevelOrder::GetUnlocks(const std::string& fileName) const
{
    std::vector<std::string> unlocks;
    for (const sArea& area : areas)
        if (area.fileName == fileName)
            unlocks.insert(unlocks.end(), area.unlocks.begin(), area.unlocks.end());
    return unlocks;
}
