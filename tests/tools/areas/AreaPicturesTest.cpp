// Every area file's own pictures over the file's own sky, as the game shows them: the ground, its
// top and its body, stands out from the sky in every look, caves by night stay rooms of rock that
// stands out from their wall, the pictures keep to few colours per tile, as pixel art does, and the
// pieces that receivers wait to become stand out from what is behind them without looking solid.
#include "tools/areas/AreaPictures.h"
#include "tools/areas/AreaPlan.h"
#include "tools/areas/Palette.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

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

/// The start elements of an XML file, by name: the attributes of each, in file order.
std::vector<QXmlStreamAttributes> Elements(const QString& path, const QString& name)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
    QXmlStreamReader xml(&file);
    std::vector<QXmlStreamAttributes> found;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == name)
            found.push_back(xml.attributes());
    return found;
}

/// Frame `frame` of animation `index` of a receiver's description file, from its chip set.
QImage Frame(const QString& description, int index, int frame)
{
    const int src = Elements(description, "heartbox").at(0).value("src").toInt();
    const QImage chipSet(QString(":/res/images/chipsets/chip_set_%1.png").arg(src, 2, 10, QChar('0')));
    const QXmlStreamAttributes a = Elements(description, "animation").at(index);
    const int w = a.value("w").toInt();
    return chipSet.copy(a.value("x").toInt() + frame * w, a.value("y").toInt(), w, a.value("h").toInt());
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
        // The ground's top must stand out in every look; its body by day, and a little less where
        // the lit top draws the eye first.
        const struct {
            const char* look;
            const QImage* picture;
            Behind behind;
            double body;
        } looks[] = {{"day", &p.day, p.secondIsBackdrop ? backdrop : day, 3.0},
                     {"night", p.secondIsBackdrop ? nullptr : &p.second, SkyBehind(area.plan, true), 2.5},
                     {"bat land", p.batLand.isNull() ? nullptr : &p.batLand, day, 2.5}};
        for (const auto& look : looks) {
            const auto edge = look.picture ? GroundEdge(*look.picture, look.behind) : std::nullopt;
            const auto body = look.picture ? GroundBody(*look.picture, look.behind) : std::nullopt;
            if (edge) {
                RecordProperty(qPrintable(area.name + " " + look.look), std::to_string(edge->contrast));
                EXPECT_GE(edge->contrast, 3.0) << qPrintable(area.name) << ", " << look.look;
            }
            if (body) {
                RecordProperty(qPrintable(area.name + " " + look.look + " body"), std::to_string(body->contrast));
                EXPECT_GE(body->contrast, look.body) << qPrintable(area.name) << ", " << look.look << ", its body";
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
                if (plan.IsInside(x, y, 0) || plan.IsInside(x, y, 7)) {
                    rock += light(area.pictures.second, x, y);
                    ++rocks;
                }
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
        const double stands = ContrastRatio(rock / rocks, night / walls);
        RecordProperty(qPrintable(area.name + " rock by night"), std::to_string(stands));
        EXPECT_GE(stands, 3.0) << qPrintable(area.name) << ": the rock against the wall by night";
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

TEST(AreaPictures, WaitingPiecesStandOutFromWhatIsBehindThemAndShowItThrough)
{
    // What each kind of receiver waits to become, where the piece lies in the frames of its
    // animations (0 waiting, 1 grown) and the rows of the frame below the receiver's corner. The
    // grown plank's first frame is still half waiting, on its right.
    const struct {
        int type;
        QString description;
        int animation, frame;
        QRect piece;
        int below;
    } pieces[] = {{0, ":/res/xml/actors/Boxes/receiver_appearing.xml", 0, 0, QRect(0, 0, 13, 3), 7},
                  {0, ":/res/xml/actors/Boxes/receiver_appearing.xml", 0, 1, QRect(0, 0, 13, 3), 7},
                  {0, ":/res/xml/actors/Boxes/receiver_appearing.xml", 1, 0, QRect(7, 0, 6, 3), 7},
                  {1, ":/res/xml/actors/Boxes/receiver_appearing_solid.xml", 0, 0, QRect(0, 8, 13, 14), 0},
                  {1, ":/res/xml/actors/Boxes/receiver_appearing_solid.xml", 0, 1, QRect(0, 8, 13, 14), 0}};
    for (const sArea& area : Areas()) {
        const auto file = QString(MIRROWEN_SOURCE_DIR "/res/Areas/%1.xml").arg(area.name);
        for (const QXmlStreamAttributes& receiver : Elements(file, "ReceiverBox")) {
            for (const auto& piece : pieces) {
                if (receiver.value("type").toInt() != piece.type)
                    continue;
                const QImage frame = Frame(piece.description, piece.animation, piece.frame);
                // The row of the picture at the frame's top, and what is behind the piece's middle.
                const int top = 511 - (receiver.value("y").toInt() + 240 - piece.below + frame.height() - 1);
                const int x = receiver.value("x").toInt() + piece.piece.center().x();
                for (const bool night : {false, true}) {
                    const QImage& picture = night ? area.pictures.second : area.pictures.day;
                    const QColor behind = Seen(picture, SkyBehind(area.plan, night), x, top + piece.piece.center().y());
                    int drawn = 0, standing = 0;
                    for (int k = 0; k < piece.piece.width() * piece.piece.height(); ++k) {
                        const QColor c = frame.pixelColor(piece.piece.topLeft() + QPoint(k % piece.piece.width(), k / piece.piece.width()));
                        const auto over = [&](double b, double f) { return b + (f - b) * c.alphaF(); };
                        const QColor seen = QColor::fromRgbF(over(behind.redF(), c.redF()), over(behind.greenF(), c.greenF()),
                                                             over(behind.blueF(), c.blueF()));
                        drawn += c.alpha() > 0 ? 1 : 0;
                        standing += c.alpha() > 0 && ContrastRatio(Luminance(seen), Luminance(behind)) >= 3.0 ? 1 : 0;
                    }
                    const QString where = area.name + (night ? " by night, " : " by day, ") + piece.description;
                    EXPECT_GE(5 * standing, 2 * drawn) << qPrintable(where) << ": two pixels in five stand out";
                    EXPECT_LE(4 * drawn, 3 * piece.piece.width() * piece.piece.height()) << qPrintable(where) << ": see-through";
                }
            }
        }
    }
}
