#include "actors/ActorFile.h"

#include "engine/StringUtil.h"

#include <QFile>
#include <QXmlStreamReader>

#include <cstdio>

bool ReadActorFile(const QString& file, const std::function<bool(QXmlStreamReader&)>& onStartElement)
{
    const QString path = ResourcePath(file);
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) {
        printf("\n ERROR: Invalid XML resource file: %s \n\n", qPrintable(path));
        return false;
    }
    QXmlStreamReader reader(&in);
    while (!reader.atEnd() && !reader.hasError())
        if (reader.readNext() == QXmlStreamReader::StartElement && !onStartElement(reader))
            break;
    return true;
}

int IntAttribute(const QXmlStreamAttributes& attributes, const char* name, int absent)
{
    const QStringRef value = attributes.value(QLatin1String(name));
    return value.isNull() ? absent : value.toInt();
}

float FloatAttribute(const QXmlStreamAttributes& attributes, const char* name)
{
    return attributes.value(QLatin1String(name)).toFloat();
}
