#include "AreaPlan.h"

#include <QFile>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>

namespace {

/// World point (x, y) lies at texture pixel (x, y + 240).
constexpr int kWorldToTexture = 240;

int Int(const QXmlStreamReader& xml, const char* name)
{
    return xml.attributes().value(name).toInt();
}

/// The element's box in texture pixels.
QRect Box(const QXmlStreamReader& xml)
{
    return QRect(Int(xml, "x"), Int(xml, "y") + kWorldToTexture, Int(xml, "w"), Int(xml, "h"));
}

/// The colour of the element's r, g, b attributes with that suffix ("" or "1"); invalid when one
/// of them is missing.
QColor Rgb(const QXmlStreamReader& xml, const QString& suffix)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    for (const char* channel : {"r", "g", "b"})
        if (!attributes.hasAttribute(channel + suffix))
            return QColor();
    return QColor(std::clamp(attributes.value("r" + suffix).toInt(), 0, 255),
                  std::clamp(attributes.value("g" + suffix).toInt(), 0, 255),
                  std::clamp(attributes.value("b" + suffix).toInt(), 0, 255));
}

} // namespace

bool sAreaPlan::Read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        fprintf(stderr, "cannot open %s\n", qPrintable(path));
        return false;
    }
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("body")) {
            sPlanBody body;
            body.box = Box(xml);
            body.fileType = Int(xml, "type");
            body.afterQuake = Int(xml, "addAfterQuake") != 0;
            (body.afterQuake ? afterQuake : bodies).push_back(body);
        } else if (xml.name() == QLatin1String("waterfall")) {
            waterfalls.push_back(Box(xml));
        } else if (xml.name() == QLatin1String("water")) {
            waters.push_back(Box(xml));
        } else if (xml.name() == QLatin1String("Background")) {
            dayPicture = xml.attributes().value("file").toString();
            lofPicture = xml.attributes().value("landoffireflies").toString();
            batlandPicture = xml.attributes().value("batland").toString();
        } else if (xml.name() == QLatin1String("Sky")) {
            skyLow = Rgb(xml, "");
            skyHigh = Rgb(xml, "1").isValid() ? Rgb(xml, "1") : skyLow;
        } else if (xml.name() == QLatin1String("SkyLoF")) {
            skyNight = Rgb(xml, "");
        }
    }
    if (!skyNight.isValid())
        skyNight = skyLow;
    if (xml.hasError()) {
        fprintf(stderr, "%s: %s on line %lld\n", qPrintable(path), qPrintable(xml.errorString()),
                static_cast<long long>(xml.lineNumber()));
        return false;
    }
    return true;
}

namespace {

bool Covers(const sPlanBody& body, int x, int y)
{
    // QRect's right() and bottom() are one short of x + w and y + h.
    return x >= body.box.left() && x <= body.box.right() && y >= body.box.top() && y <= body.box.bottom();
}

} // namespace

sAreaPlan sAreaPlan::WithoutThorns() const
{
    sAreaPlan plan = *this;
    plan.bodies.erase(std::remove_if(plan.bodies.begin(), plan.bodies.end(), [](const sPlanBody& b) { return b.IsThorn(); }),
                      plan.bodies.end());
    return plan;
}

bool sAreaPlan::IsInside(int x, int y, int fileType) const
{
    for (const sPlanBody& body : bodies) {
        if (body.fileType == fileType && Covers(body, x, y))
            return true;
    }
    return false;
}

bool sAreaPlan::IsAfterQuake(int x, int y) const
{
    for (const sPlanBody& body : afterQuake) {
        if (Covers(body, x, y))
            return true;
    }
    return false;
}
