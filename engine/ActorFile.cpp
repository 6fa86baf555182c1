#include "engine/ActorFile.h"

#include "engine/StringUtil.h"
#include "engine/XmlFile.h"

#include <QFile>
#include <QXmlStreamReader>

bool ReadActorFile(const QString& file, const std::function<bool(QXmlStreamReader&)>& onStartElement)
{
    QFile in(ResourcePath(file));
    if (!OpenXmlFile(in))
        return false;
    QXmlStreamReader reader(&in);
    while (!reader.atEnd() && !reader.hasError())
        if (reader.readNext() == QXmlStreamReader::StartElement && !onStartElement(reader))
            break;
    return true;
}
