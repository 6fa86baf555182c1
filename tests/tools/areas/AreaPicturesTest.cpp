// Every area file's own pictures as the game shows them over the file's own sky: the ground stands
// out from the sky behind it in every look, and a cave by night is still a room of rock.

#include "tools/areas/AreaPictures.h"
#include "tools/areas/AreaPlan.h"
#include "tools/areas/Palette.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSet>
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
            if (contrast > 0) {
                EXPECT_GE(contrast, 3.0) << qPrintable(name) << ", " << look;
            }
        }
    }
}

TEST(AreaPictures, CavesByNightAreRoomsOfRockWithoutStars)
{
    for (const QString& name : AreaNames()) {
        if (PlaceOfArea(name) != PLACE_CAVE)
            continue;
        const sAreaPlan plan = [&] {
            sAreaPlan p;
            p.Read(kAreas.filePath(name + ".xml"));
            return p;
        }();
        const sAreaPictures pictures = PaintAreaPictures(plan, name);
        // The back wall: open air of the plan, clear of the grass at its floors, of its water and
        // its falls, that the day picture covers.
        auto air = [&plan](int x, int y) {
            for (const auto* boxes : {&plan.waterfalls, &plan.waters})
                for (const QRect& box : *boxes)
                    if (box.contains(x, y))
                        return false;
            return std::none_of(plan.bodies.begin(), plan.bodies.end(),
                                [&](const sPlanBody& b) { return b.box.adjusted(0, 0, 0, 4).contains(x, y); });
        };
        auto luminance = [](const QImage& picture, int x, int y) { return Luminance(picture.pixelColor(x, 511 - y)); };
        double day = 0, night = 0;
        int wall = 0, stars = 0;
        for (int y = 1; y < 511; ++y) {
            for (int x = 1; x < 511; ++x) {
                if (!air(x, y) || pictures.day.pixelColor(x, 511 - y).alpha() < 255)
                    continue;
                ++wall;
                day += luminance(pictures.day, x, y);
                night += luminance(pictures.second, x, y);
                double around = 0;
                for (int k = 0; k < 9; ++k)
                    around += k == 4 ? 0 : luminance(pictures.second, x - 1 + k % 3, y - 1 + k / 3) / 8;
                stars += luminance(pictures.second, x, y) > 3 * around + 0.01 ? 1 : 0;
            }
        }
        ASSERT_GT(wall, 1000) << qPrintable(name);
        EXPECT_GE(night, 0.6 * day) << qPrintable(name) << ": the wall is lit by night";
        EXPECT_EQ(stars, 0) << qPrintable(name) << ": lone bright pixels on the wall by night";
    }
}

TEST(AreaPictures, AreDrawnInFewColoursPerTile)
{
    // Smooth shading blurs pixel art: 99 tiles of 8 x 8 pixels in 100 hold at most 20 colours.
    for (const QString& name : AreaNames()) {
        const sAreaPictures pictures = Pictures(name);
        for (const QImage& picture : {pictures.day, pictures.second, pictures.batLand}) {
            std::vector<int> colours;
            for (int tile = 0; tile < 64 * 64 && !picture.isNull(); ++tile) {
                QSet<QRgb> seen;
                for (int k = 0; k < 64; ++k)
                    seen.insert(picture.pixel(tile % 64 * 8 + k % 8, tile / 64 * 8 + k / 8));
                colours.push_back(seen.size());
            }
            std::sort(colours.begin(), colours.end());
            if (!colours.empty()) {
                EXPECT_LE(colours[colours.size() * 99 / 100], 20) << qPrintable(name);
            }
        }
    }
}
