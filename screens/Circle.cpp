#include "screens/Circle.h"

#include "engine/Drawing.h"
#include "engine/XmlAttributes.h"

#include <QXmlStreamReader>

bool cCircle::LoadFromXml(QXmlStreamReader& reader)
{
    const QXmlStreamAttributes attributes = reader.attributes();
    x = IntAttribute(attributes, "x", 0);
    y = IntAttribute(attributes, "y", 0);
    radius = IntAttribute(attributes, "radius", 0);
    red = float(IntAttribute(attributes, "red", 255));
    green = float(IntAttribute(attributes, "green", 255));
    blue = float(IntAttribute(attributes, "blue", 255));
    alpha = float(IntAttribute(attributes, "alpha", 255));
    return true;
}

void cCircle::Draw(float centreX, float centreY, int scale, int segments) const
{
    DrawFilledCircle(centreX, centreY, float(radius * scale), segments, red, green, blue, alpha);
}
