// Every area file's own pictures over the file's own sky, as the game shows them: the ground, its top
// and its body, stands out from the sky in every look, caves by night stay rooms of rock that stands
// out from their wall, the pictures keep to few colours per tile, as pixel art does, and what the
// receivers wait to become stands out from what shows behind it, by day and by night, without looking
// solid or lighter than the ground, and two of them side by side show one edge; every area's
// thorns show exactly the box that kills as a row of sharp points, light only at those points,
// stand out from what lies past them and are not the pink of the hearts.
#include "tools/areas/AreaPictures.h"
#include "tools/areas/AreaPlan.h"
#include "tools/areas/Palette.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

/// Every area file's plan and pictures, by the file's base name.
struct sArea
{
    QString name;
    sAreaPlan plan;
    sAreaPictures pictures;
};

const std::vector<sArea>& Areas()
{
    static const std::vector<sArea> areas = [] {
        const QDir dir(MIRROWEN_SOURCE_DIR "/res/Areas");
        std::vector<sArea> read;
        for (const QString& file : dir.entryList({"*.xml"}, QDir::Files, QDir::Name)) {
            if (file.endsWith("_Frames.xml"))
                continue;
            sArea area{file.chopped(4), {}, {}};
            EXPECT_TRUE(area.plan.Read(dir.filePath(file)));
            area.pictures = PaintAreaPictures(area.plan, area.name);
            read.push_back(area);
        }
        return read;
    }();
    return areas;
}

} // namespace

TEST(AreaPictures, GroundStandsOutFromTheSkyInEveryLookOfTheOpenAir)
{
    for (const sArea& area : Areas()) {
        if (PlaceOfArea(area.name) == PLACE_CAVE)
            continue;
        const sAreaPictures& p = area.pictures;
        const Behind day = SkyBehind(area.plan, false);
        // The first area draws its day picture over the backdrop with its hills.
        const Behind backdrop = [&](int x, int row) { return Seen(p.second, day, x, row); };
        const std::pair<const char*, std::pair<const QImage*, Behind>> looks[] = {
            {"day", {&p.day, p.secondIsBackdrop ? backdrop : day}},
            {"night", {p.secondIsBackdrop ? nullptr : &p.second, SkyBehind(area.plan, true)}},
            {"bat land", {p.batLand.isNull() ? nullptr : &p.batLand, day}}};
        for (const auto& [look, seen] : looks) {
            const auto edge = seen.first ? GroundEdge(*seen.first, seen.second) : std::nullopt;
            if (!edge)
                continue;
            RecordProperty(qPrintable(area.name + " " + look), std::to_string(edge->contrast));
            EXPECT_GE(edge->contrast, 3.0) << qPrintable(area.name) << ", " << look;
            // The body a little less than 3:1 only where the lit top draws the eye first.
            if (const auto body = GroundBody(*seen.first, seen.second)) {
                RecordProperty(qPrintable(area.name + " " + look + " body"), std::to_string(body->contrast));
                EXPECT_GE(body->contrast, look == std::string("day") ? 3.0 : 2.5) << qPrintable(area.name) << ", " << look;
            }
        }
    }
}

TEST(AreaPictures, CavesByNightAreRoomsOfRockWithoutStars)
{
    for (const sArea& area : Areas()) {
        if (PlaceOfArea(area.name) != PLACE_CAVE)
            continue;
        const sAreaPlan& plan = area.plan;
        // The back wall: what the day picture covers in the open air of the plan, clear of the
        // grass on its floors, of its water and of its falls.
        auto wall = [&](int x, int y) {
            const auto holds = [x, y](const QRect& box) { return box.contains(x, y); };
            return area.pictures.day.pixelColor(x, 511 - y).alpha() == 255 &&
                   std::none_of(plan.waterfalls.begin(), plan.waterfalls.end(), holds) &&
                   std::none_of(plan.waters.begin(), plan.waters.end(), holds) &&
                   std::none_of(plan.bodies.begin(), plan.bodies.end(),
                                [&](const sPlanBody& b) { return holds(b.box.adjusted(0, 0, 0, 4)); });
        };
        auto light = [](const QImage& picture, int x, int y) { return Luminance(picture.pixelColor(x, 511 - y)); };
        double day = 0, night = 0, rock = 0;
        int walls = 0, rocks = 0, stars = 0;
        for (int y = 1; y < 511; ++y) {
            for (int x = 1; x < 511; ++x) {
                const bool isRock = plan.IsInside(x, y, 0) || plan.IsInside(x, y, 7);
                rock += isRock ? light(area.pictures.second, x, y) : 0;
                rocks += isRock ? 1 : 0;
                if (!wall(x, y))
                    continue;
                ++walls;
                day += light(area.pictures.day, x, y);
                night += light(area.pictures.second, x, y);
                double around = 0;
                for (int k : {0, 1, 2, 3, 5, 6, 7, 8})
                    around += light(area.pictures.second, x - 1 + k % 3, y - 1 + k / 3) / 8;
                stars += light(area.pictures.second, x, y) > 3 * around + 0.01 ? 1 : 0;
            }
        }
        EXPECT_GE(night, 0.6 * day) << qPrintable(area.name) << ": the wall is lit by night";
        EXPECT_EQ(stars, 0) << qPrintable(area.name) << ": lone bright pixels on the wall by night";
        EXPECT_GE(ContrastRatio(rock / rocks, night / walls), 3.0) << qPrintable(area.name) << ": rock against wall by night";
    }
}

TEST(AreaPictures, HoldFewColoursPerTile)
{
    // Smooth shading blurs pixel art: 99 tiles of 8 x 8 pixels in 100 hold at most 20 colours.
    for (const sArea& area : Areas()) {
        for (const QImage* picture : {&area.pictures.day, &area.pictures.second, &area.pictures.batLand}) {
            std::vector<int> colours;
            for (int tile = 0; tile < 64 * 64 && !picture->isNull(); ++tile) {
                QSet<QRgb> seen;
                for (int k = 0; k < 64; ++k)
                    seen.insert(picture->pixel(tile % 64 * 8 + k % 8, tile / 64 * 8 + k / 8));
                colours.push_back(seen.size());
            }
            std::sort(colours.begin(), colours.end());
            EXPECT_LE(colours.empty() ? 0 : colours[colours.size() * 99 / 100], 20) << qPrintable(area.name);
        }
    }
}

TEST(AreaPictures, WaitingPiecesShareTheirEdgesShowTheirPlaceThroughAndStandOutNoBrighterThanTheGround)
{
    // The waiting plank's and crate's two frames in the chip set, their height, how high over the
    // body's lower-left corner a frame's first row lies, and the body's size.
    const QImage chips(":/res/images/chipsets/chip_set_03.png");
    const struct { int type; QPoint frames[2]; int height, top; QSize body; } pieces[] = {
        {0, {{77, 11}, {101, 11}}, 8, 0, {13, 1}}, {1, {{175, 11}, {199, 11}}, 22, 21, {13, 14}}};
    // Every receiver of every area file, its type and place, with what shows behind it by day and
    // how light the area's ground is by night.
    std::vector<std::tuple<const sArea*, int, QPoint, Behind, double>> receivers;
    for (const sArea& area : Areas()) {
        QFile file(MIRROWEN_SOURCE_DIR "/res/Areas/" + area.name + ".xml");
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const std::optional<sGroundEdge> ground = GroundEdge(area.pictures.second, SkyBehind(area.plan, true));
        for (QXmlStreamReader xml(&file); !xml.atEnd();)
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("ReceiverBox"))
                receivers.emplace_back(&area, xml.attributes().value("type").toInt(),
                                       QPoint(xml.attributes().value("x").toInt(), xml.attributes().value("y").toInt()),
                                       SkyBehind(area.plan, false), ground ? ground->ground : 1.0);
    }
    for (const auto& piece : pieces) {
        for (const QPoint& frame : piece.frames) {
            // The outline (the frame's first 16 columns, clear of the bud) in world units from the body's
            // lower-left corner: two pieces side by side, or a crate on a crate, show one edge where they
            // meet, as it reaches one unit past the body on the right, a crate's on top too; hollow.
            std::vector<std::pair<QPoint, QColor>> outline;
            QRect bounds;
            for (int k = 0; k < 16 * piece.height; ++k) {
                const QPoint p(k % 16, piece.top - k / 16);
                if (const QColor c = chips.pixelColor(frame + QPoint(k % 16, k / 16)); c.alpha() > 0) {
                    outline.push_back({p, c});
                    bounds |= QRect(p, QSize(1, 1));
                }
            }
            EXPECT_EQ(bounds.width() - 1, piece.body.width()) << piece.type;
            EXPECT_TRUE(piece.type == 0 || bounds.height() - 1 == piece.body.height()) << bounds.height();
            for (const auto& pixel : outline)
                EXPECT_FALSE(bounds.adjusted(1, 1, -1, -1).contains(pixel.first)) << piece.type << ": filled";
            EXPECT_LE(4 * outline.size(), 3 * 14 * bounds.height()) << piece.type << ": see-through";
            // Over what shows behind it by day and over the night sky, no lighter than the ground by night.
            for (const auto& [area, type, place, day, ground] : receivers) {
                if (type != piece.type)
                    continue;
                SCOPED_TRACE(qPrintable(QString("%1 piece %2 at %3, %4").arg(area->name).arg(type).arg(place.x()).arg(place.y())));
                int byDay = 0, byNight = 0;
                double lightest = 0;
                for (const auto& [p, colour] : outline) {
                    const QPoint texel = place + p + QPoint(0, 240);
                    const double light = Luminance(colour);
                    byDay += ContrastRatio(light, Luminance(Seen(area->pictures.day, day, texel.x(), 511 - texel.y()))) >= 3.0;
                    byNight += ContrastRatio(light, Luminance(area->plan.skyNight)) >= 3.0;
                    lightest = std::max(lightest, light);
                }
                EXPECT_GE(5 * byDay, 2 * static_cast<int>(outline.size())) << "by day, " << byDay;
                EXPECT_GE(5 * byNight, 2 * static_cast<int>(outline.size())) << "by night, " << byNight;
                EXPECT_LE(lightest, ground) << "lighter than the ground by night";
            }
        }
    }
}

TEST(AreaPictures, ThornsAreDrawnExactlyAsLargeAsTheyKillAndStandOutFromWhatLiesPastThem)
{
    // What the painter of 07ecb0e drew: a bush of the same box and look draws as many pixels at
    // 3:1 at least, or more.
    QFile file(MIRROWEN_SOURCE_DIR "/tests/tools/areas/ThornsOf07ecb0e.txt");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QHash<QString, int> before;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n'))
        before.insert(line.section(' ', 0, 5), line.section(' ', 6).toInt());
    // The hues of the hearts a player collects, from the sprites' palette.
    QFile palette(MIRROWEN_SOURCE_DIR "/tools/sprites/palette.txt");
    ASSERT_TRUE(palette.open(QIODevice::ReadOnly | QIODevice::Text));
    std::vector<int> hearts;
    for (const QString& line : QString::fromUtf8(palette.readAll()).split('\n'))
        if (line.section(' ', 2).startsWith("heart"))
            hearts.push_back(QColor('#' + line.section(' ', 1, 1)).hsvHue());
    ASSERT_FALSE(hearts.empty());
    for (const sArea& area : Areas()) {
        // A bush is what stands out from the picture painted without the area's bushes.
        const sAreaPlan& plan = area.plan;
        if (plan.WithoutThorns().bodies.size() == plan.bodies.size())
            continue;
        const sAreaPictures without = PaintAreaPictures(plan.WithoutThorns(), area.name);
        const Behind day = SkyBehind(plan, false), night = SkyBehind(plan, true);
        const std::tuple<const char*, const QImage*, const QImage*, const Behind*> looks[] = {
            {"day", &area.pictures.day, &without.day, &day},
            {"night", area.pictures.secondIsBackdrop ? nullptr : &area.pictures.second, &without.second, &night},
            {"bat_land", area.pictures.batLand.isNull() ? nullptr : &area.pictures.batLand, &without.batLand, &day}};
        for (const auto& [look, picture, bare, behind] : looks) {
            const auto seen = [b = behind](const QImage* p, int x, int y) { return Luminance(Seen(*p, *b, x, 511 - y)); };
            for (const sPlanBody& body : plan.bodies) {
                const QRect box = body.box;
                if (!picture || !body.IsThorn())
                    continue;
                // Around it lies the terrain it grows from, hangs from or is sunk in; its points
                // stand on both ends, away from that terrain.
                const auto terrain = [&plan](int x, int y) {
                    return plan.IsInside(x, y, 0) || plan.IsInside(x, y, 1) || plan.IsInside(x, y, 7);
                };
                const bool hanging = terrain(box.left(), box.bottom() + 1) && !terrain(box.left(), box.top() - 1);
                // Past it: the row beyond its points and the columns beyond its ends, where no bush is.
                const int beyond = hanging ? box.top() - 1 : box.bottom() + 1;
                std::vector<double> past;
                for (int x = box.left() - 1; x <= box.right() + 1; ++x) {
                    for (int y = box.top() - 1; y <= box.bottom() + 1; ++y) {
                        const auto holds = [x, y](const sPlanBody& b) { return b.IsThorn() && b.box.contains(x, y); };
                        const bool end = (x < box.left() || x > box.right()) && y >= box.top() && y <= box.bottom();
                        if ((end || (y == beyond && x >= box.left() && x <= box.right()))
                            && std::none_of(plan.bodies.begin(), plan.bodies.end(), holds))
                            past.push_back(seen(picture, x, y));
                    }
                }
                std::nth_element(past.begin(), past.begin() + past.size() / 2, past.end());
                // Its points, in the row away from what it grows on: one pixel each, at most five apart where
                // no rock in front of the bush parts them, and the only light in it, light being what stands
                // out from where the spikes join over the root as much as a drawn pixel from what is behind.
                const int tips = hanging ? box.top() : box.bottom();
                std::vector<double> joined;
                std::vector<std::pair<int, double>> lights;
                QRect drawn;
                int corners = 0, changed = 0, standing = 0, apart = 180, point = -1, closest = box.width(), farthest = 0;
                for (int k = 0; k < box.width() * box.height(); ++k) {
                    const int x = box.left() + k % box.width(), y = box.top() + k / box.width();
                    const double light = seen(picture, x, y);
                    if (ContrastRatio(light, seen(bare, x, y)) >= 1.5) {
                        drawn |= QRect(x, y, 1, 1);
                        corners += (x == box.left() || x == box.right()) && y == tips;
                        if (y == tips && point >= 0 && !terrain(x - 1, y)) {
                            closest = std::min(closest, x - point);
                            farthest = std::max(farthest, x - point);
                        }
                        point = y == tips ? x : point;
                    }
                    if (picture->pixel(x, 511 - y) != bare->pixel(x, 511 - y)) {
                        ++changed;
                        standing += ContrastRatio(light, past[past.size() / 2]) >= 3.0 ? 1 : 0;
                        lights.emplace_back(std::abs(y - tips), light);
                        if (std::abs(y - tips) == box.height() - 2)
                            joined.push_back(light);
                        for (int heart : hearts) {
                            const int hue = std::abs(picture->pixelColor(x, 511 - y).hsvHue() - heart);
                            apart = std::min({apart, hue, 360 - hue});
                        }
                    }
                }
                const QString key = QString("%1 %2 %3 %4 %5 %6").arg(area.name, look).arg(box.left()).arg(box.top() - 240)
                                        .arg(box.width()).arg(box.height());
                EXPECT_TRUE(drawn == box) << qPrintable(key) << ": drawn x " << drawn.left() << " to " << drawn.right()
                                          << ", y " << drawn.top() - 240 << " to " << drawn.bottom() - 240;
                EXPECT_EQ(corners, 2) << qPrintable(key) << ": points on both ends";
                EXPECT_TRUE(closest > 1 && farthest <= 5) << qPrintable(key) << ": points " << closest << " to " << farthest;
                std::nth_element(joined.begin(), joined.begin() + joined.size() / 2, joined.end());
                const double join = joined[joined.size() / 2];
                int lightRows = 0;
                for (const auto& [fromTips, light] : lights)
                    lightRows = std::max(lightRows, light > join && ContrastRatio(light, join) >= 1.5 ? fromTips + 1 : 0);
                EXPECT_LE(lightRows, 2) << qPrintable(key) << ": light " << lightRows << " rows from its points";
                RecordProperty(qPrintable(key), standing);
                EXPECT_GE(3 * standing, 2 * changed) << qPrintable(key) << ": " << standing << " of " << changed << " at 3:1";
                EXPECT_GE(standing, before.value(key)) << qPrintable(key) << ": weaker than on 07ecb0e";
                EXPECT_GE(apart, 25) << qPrintable(key) << ": a hue " << apart << " degrees from a heart's";
            }
        }
    }
}
