#include "engine/XmlAttributes.h"

#include <QXmlStreamAttributes>

eAttributeRead ReadIntAttribute(const QXmlStreamAttributes& attributes, const char* name, int& value)
{
    const QStringRef text = attributes.value(QLatin1String(name));
    if (text.isNull())
        return eAttributeRead::Absent;
    bool isNumber = false;
    const int number = text.toInt(&isNumber, 10);
    if (!isNumber)
        return eAttributeRead::Malformed;
    value = number;
    return eAttributeRead::Read;
}

int IntAttribute(const QXmlStreamAttributes& attributes, const char* name, int absent)
{
    int value = absent;
    return ReadIntAttribute(attributes, name, value) == eAttributeRead::Malformed ? 0 : value;
}

bool FlagAttribute(const QXmlStreamAttributes& attributes, const char* name, bool absent)
{
    return IntAttribute(attributes, name, absent ? 1 : 0) != 0;
}

float FloatAttribute(const QXmlStreamAttributes& attributes, const char* name)
{
    return attributes.value(QLatin1String(name)).toFloat();
}
