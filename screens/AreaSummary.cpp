#include "screens/AreaSummary.h"

#include "actors/Heart.h"
#include "engine/ActorFile.h"
#include "engine/StringUtil.h"
#include "engine/XmlAttributes.h"

#include <QFile>
#include <QXmlStreamReader>

#include <algorithm>

bool cAreaSummary::Read(const std::string& fileName)
{
    const QString path = QString::fromStdString(fileName);
    if (path.isEmpty() || !QFile::exists(ResourcePath(path)))
        return false;
    return ReadActorFile(path, [this](QXmlStreamReader& xml) {
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == QLatin1String("Metadata") && attributes.hasAttribute("name"))
            name = attributes.value("name").toString();
        else if (xml.name() == QLatin1String("ScoreHeart"))
            // The first area's exit never scores (its hearts feed the heart tree); its green
            // hearts, listed after the pink ones, bring its maximum back to 0, so finishing it is
            // perfect rather than an unreachable "0/2".
            maxScore = std::max(0, maxScore + IntAttributeClamped(attributes, "value", 0, -cHeart::kMaxValue, cHeart::kMaxValue));
        else if (xml.name() == QLatin1String("Quote"))
            ReadQuote(attributes);
        return true;
    });
}

void cAreaSummary::ReadQuote(const QXmlStreamAttributes& attributes)
{
    if (!attributes.hasAttribute("ID"))
        return;
    hasQuote = true;
    quoteId = IntAttributeClamped(attributes, "ID", 0);
    if (attributes.hasAttribute("text")) {
        hasQuoteText = true;
        quoteText = attributes.value("text").toString();
    }
}
