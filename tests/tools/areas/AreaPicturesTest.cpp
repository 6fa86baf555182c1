// Every area file's own pictures as the game shows them over the file's own sky: the ground stands
// out from the sky behind it in every look, and a cave by night is still a room of rock.

#include "tools/areas/AreaPictures.h"
#include "tools/areas/AreaPlan.h"
#include "tools/areas/Palette.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

const QDir kAreas(MIRROWEN_SOURCE_DIR "/res/Areas");

QStringList AreaNames()
{
    QStringList names;
    for (const QString& file : kAreas.entryList({"*.xml"}, QDir::Files, QDir::Name))
        if (!file.endsWith("_Frames.xml"))
            names << file.chopped(4);
    return names;
}

/// The colour of an element's r, g, b attributes with that suffix.
QColor Rgb(const QXmlStreamReader& xml, const QString& suffix)
{
    auto channel = [&](const char* c) { return xml.attributes().value(c + suffix).toInt(); };
    return QColor(channel("r"), channel("g"), channel("b"));
}

/// The day sky's colours along the texture's lower and upper edges, and the night sky's.
struct sSky
{
    QColor low, high, night;
};

sSky SkyOf(const QString& areaName)
{
    QFile file(kAreas.filePath(areaName + ".xml"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    sSky sky;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("Sky"))
            sky = {Rgb(xml, ""), Rgb(xml, "1"), sky.night};
        else if (xml.name() == QLatin1String("SkyLoF"))
            sky.night = Rgb(xml, "");
    }
    return sky;
}

/// The pictures drawn in order over a sky running from low (bottom row) to high (top row).
QImage Seen(const std::vector<QImage>& pictures, const QColor& low, const QColor& high)
{
    QImage seen(512, 512, QImage::Format_ARGB32);
    for (int row = 0; row < 512; ++row) {
        const double t = (511 - row + 1.5) / 513;
        seen.setPixelColor(0, row, QColor::fromRgbF(low.redF() + (high.redF() - low.redF()) * t,
                                                    low.greenF() + (high.greenF() - low.greenF()) * t,
                                                    low.blueF() + (high.blueF() - low.blueF()) * t));
        for (int x = 1; x < 512; ++x)
            seen.setPixel(x, row, seen.pixel(0, row));
    }
    QPainter painter(&seen);
    for (const QImage& picture : pictures)
        painter.drawImage(0, 0, picture);
    return seen;
}

/// Over the columns whose top row shows the sky, the median contrast of the ground's first four
/// rows against the four rows of sky above them; 0 when no column does.
double GroundContrast(const QImage& picture, const QImage& seen)
{
    std::vector<double> contrasts;
    for (int x = 0; x < 512; ++x) {
        int surface = 0;
        while (surface < 512 && picture.pixelColor(x, surface).alpha() < 255)
            ++surface;
        if (surface < 4 || surface > 508)
            continue;
        double ground = 0, sky = 0;
        for (int k = 0; k < 4; ++k) {
            ground += Luminance(seen.pixelColor(x, surface + k)) / 4;
            sky += Luminance(seen.pixelColor(x, surface - 1 - k)) / 4;
        }
        contrasts.push_back(ContrastRatio(ground, sky));
    }
    if (contrasts.empty())
        return 0;
    std::nth_element(contrasts.begin(), contrasts.begin() + contrasts.size() / 2, contrasts.end());
    return contrasts[contrasts.size() / 2];
}

sAreaPictures Pictures(const QString& areaName)
{
    sAreaPlan plan;
    EXPECT_TRUE(plan.Read(kAreas.filePath(areaName + ".xml")));
    return PaintAreaPictures(plan, areaName);
}

} // namespace

TEST(AreaPictures, GroundStandsOutFromTheSkyInEveryLook)
{
    for (const QString& name : AreaNames()) {
        // A cave's sky is the dark of the rock around it: only the open air is measured.
        if (PlaceOfArea(name) == PLACE_CAVE)
            continue;
        const sAreaPictures pictures = Pictures(name);
        const sSky sky = SkyOf(name);
        // Each look: what is drawn over the sky, the ground's own picture last.
        std::vector<std::pair<const char*, std::vector<QImage>>> looks;
        if (pictures.secondIsBackdrop) {
            looks.push_back({"day", {pictures.second, pictures.day}});
        } else {
            looks.push_back({"day", {pictures.day}});
            looks.push_back({"night", {pictures.second}});
        }
        if (!pictures.batLand.isNull())
            looks.push_back({"bat land", {pictures.batLand}});
        for (const auto& [look, drawn] : looks) {
            const bool night = look == std::string("night");
            const QImage seen = Seen(drawn, night ? sky.night : sky.low, night ? sky.night : sky.high);
            const double contrast = GroundContrast(drawn.back(), seen);
            RecordProperty(qPrintable(name + " " + look), std::to_string(contrast));
            if (contrast > 0)
                EXPECT_GE(contrast, 3.0) << qPrintable(name) << ", " << look;
        }
    }
}
