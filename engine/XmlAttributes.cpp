#include "engine/XmlAttributes.h"

#include <QXmlStreamAttributes>

#include <cmath>
#include <cstdio>

namespace {

QStringRef Text(const QXmlStreamAttributes& attributes, const char* name)
{
    return attributes.value(QLatin1String(name));
}

void ReportRefused(const QXmlStreamAttributes& attributes, const char* name, const char* why)
{
    printf("\n ERROR: %s=\"%s\" %s \n", name, qPrintable(Text(attributes, name).toString()), why);
}

} // namespace

eAttributeRead ReadIntAttribute(const QXmlStreamAttributes& attributes, const char* name, int& value)
{
    const QStringRef text = Text(attributes, name);
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

int IntAttributeClamped(const QXmlStreamAttributes& attributes, const char* name, int absent, int low, int high)
{
    const int value = IntAttribute(attributes, name, absent);
    if (value >= low && value <= high)
        return value;
    const int nearer = value < low ? low : high;
    const QByteArray why = QString("lies outside %1 to %2; %3 is used").arg(low).arg(high).arg(nearer).toLatin1();
    ReportRefused(attributes, name, why.constData());
    return nearer;
}

int IntAttributeWithin(const QXmlStreamAttributes& attributes, const char* name, int fallback, int low, int high)
{
    int value = fallback;
    const eAttributeRead read = ReadIntAttribute(attributes, name, value);
    if (read == eAttributeRead::Absent || (read == eAttributeRead::Read && value >= low && value <= high))
        return value;
    const QByteArray why = QString("is no whole number from %1 to %2; %3 is used").arg(low).arg(high).arg(fallback)
                               .toLatin1();
    ReportRefused(attributes, name, why.constData());
    return fallback;
}

bool FlagAttribute(const QXmlStreamAttributes& attributes, const char* name, bool absent)
{
    return IntAttribute(attributes, name, absent ? 1 : 0) != 0;
}

float FloatAttribute(const QXmlStreamAttributes& attributes, const char* name)
{
    const float value = Text(attributes, name).toFloat();
    if (std::isfinite(value))
        return value;
    ReportRefused(attributes, name, "is no finite number; 0 is used");
    return 0.0f;
}

float FloatAttributeWithin(const QXmlStreamAttributes& attributes, const char* name, float fallback, float low,
                           float high)
{
    const QStringRef text = Text(attributes, name);
    if (text.isNull())
        return fallback;
    bool isNumber = false;
    const float value = text.toFloat(&isNumber);
    if (isNumber && value >= low && value <= high)
        return value;
    const QByteArray why = QString("is no number from %1 to %2; %3 is used").arg(low).arg(high).arg(fallback)
                               .toLatin1();
    ReportRefused(attributes, name, why.constData());
    return fallback;
}
