#include "screens/Circle.h"

#include "engine/Drawing.h"
#include "engine/XmlAttributes.h"

#include <QXmlStreamReader>

bool cCircle::LoadFromXml(QXmlStreamReader& reader)
{
    const QXmlStreamAttributes attributes = reader.attributes();
    x = IntAttributeClamped(attributes, "x", 0);
    y = IntAttributeClamped(attributes, "y", 0);
    radius = IntAttributeClamped(attributes, "radius", 0);
    red = float(IntAttributeClamped(attributes, "red", 255));
    green = float(IntAttributeClamped(attributes, "green", 255));
    blue = float(IntAttributeClamped(attributes, "blue", 255));
    alpha = float(IntAttributeClamped(attributes, "alpha", 255));
    return true;
}

void cCircle::Draw(float centreX, float centreY, int scale, int segments) const
{
    DrawFilledCircle(centreX, centreY, float(radius * scale), segments, red, green, blue, alpha);
}
