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
