#include "AreaPictures.h"

#include "AreaPlan.h"
#include "Scenery.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

namespace {

constexpr int kSize = 512;
/// The contrast the ground keeps against the sky just above it: a little over the 3:1 that shapes
/// a player must see need, so that it holds whatever the column.
constexpr double kGroundContrast = 3.4;
/// How many rows of the ground, and of the sky above it, are compared.
constexpr int kEdgeRows = 4;
/// The contrast the ground's body keeps against the sky, a little over what a player needs to
/// read the mass of the ground: 3:1 by day; 2.5:1 by night and in the bat land, where its lit top
/// draws the eye first.
constexpr double kBodyByDay = 3.2;
constexpr double kBodyByNight = 2.7;

QColor Mix(const QColor& a, const QColor& b, double t)
{
    auto channel = [t](int u, int v) { return static_cast<int>(std::lround(u + (v - u) * t)); };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()), channel(a.blue(), b.blue()));
}

} // namespace

Behind SkyBehind(const sAreaPlan& plan, bool night)
{
    if (night)
        return [colour = plan.skyNight](int, int) { return colour; };
    return [low = plan.skyLow, high = plan.skyHigh](int, int row) {
        return Mix(low, high, (kSize - 1 - row + 1.5) / (kSize + 1));
    };
}

QColor Seen(const QImage& picture, const Behind& behind, int x, int row)
{
    const QColor front = picture.pixelColor(x, row);
    return Mix(behind(x, row), front, front.alphaF());
}

namespace {

/// One column's luminances of the ground and of the sky it is measured against, given the row of
/// its surface; none to leave the column out.
using ColumnMeasure = std::function<std::optional<std::pair<double, double>>(int x, int surface)>;

std::optional<sGroundEdge> OverColumns(const QImage& picture, const ColumnMeasure& measure)
{
    std::vector<double> grounds, skies, contrasts;
    for (int x = 0; x < kSize; ++x) {
        int surface = 0;
        while (surface < kSize && picture.pixelColor(x, surface).alpha() < 255)
            ++surface;
        const auto column = measure(x, surface);
        if (!column)
            continue;
        grounds.push_back(column->first);
        skies.push_back(column->second);
        contrasts.push_back(ContrastRatio(column->first, column->second));
    }
    if (grounds.empty())
        return std::nullopt;
    auto median = [](std::vector<double>& v) {
        std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
        return v[v.size() / 2];
    };
    return sGroundEdge{median(grounds), median(skies), median(contrasts)};
}

} // namespace

std::optional<sGroundEdge> GroundEdge(const QImage& picture, const Behind& behind)
{
    return OverColumns(picture, [&](int x, int surface) -> std::optional<std::pair<double, double>> {
        if (surface < kEdgeRows || surface > kSize - kEdgeRows)
            return std::nullopt;
        double ground = 0, sky = 0;
        for (int k = 0; k < kEdgeRows; ++k) {
            ground += Luminance(Seen(picture, behind, x, surface + k)) / kEdgeRows;
            sky += Luminance(Seen(picture, behind, x, surface - 1 - k)) / kEdgeRows;
        }
        return std::pair(ground, sky);
    });
}

std::optional<sGroundEdge> GroundBody(const QImage& picture, const Behind& behind)
{
    constexpr int kFirst = 4, kEnd = 16, kSkyOver = 3;
    return OverColumns(picture, [&](int x, int surface) -> std::optional<std::pair<double, double>> {
        if (surface < kSkyOver || surface + kEnd > kSize)
            return std::nullopt;
        double ground = 0;
        for (int row = surface + kFirst; row < surface + kEnd; ++row) {
            // A plank or a ledge over open air has no body.
            if (picture.pixelColor(x, row).alpha() < 255)
                return std::nullopt;
            ground += Luminance(picture.pixelColor(x, row)) / (kEnd - kFirst);
        }
        return std::pair(ground, Luminance(behind(x, surface - kSkyOver)));
    });
}

namespace {

/// Which colours of the palette a change of the ground takes: all that the characters stand on, or
/// only the rock under its top.
using GroundPart = sPalette (sPalette::*)(const std::function<QColor(const QColor&)>&) const;

/// That part of the ground made darker against a light sky, or lighter against a dark one, by as
/// much as the contrast measured falls short of the contrast wanted.
sPalette Towards(const sPalette& palette, GroundPart part, const sGroundEdge& edge, double contrast)
{
    const double shortBy = contrast / edge.contrast;
    if (edge.sky > edge.ground) {
        const double wanted = std::max(0.004, (edge.ground + 0.05) / shortBy - 0.05);
        const double scale = std::pow(wanted / std::max(edge.ground, 0.004), 1 / 2.2);
        return (palette.*part)([scale](const QColor& c) {
            return QColor::fromRgbF(c.redF() * scale, c.greenF() * scale, c.blueF() * scale, c.alphaF());
        });
    }
    const double wanted = std::min(0.95, (edge.ground + 0.05) * shortBy - 0.05);
    const double t = std::clamp((wanted - edge.ground) / (1 - edge.ground), 0.05, 0.9);
    return (palette.*part)([t](const QColor& c) {
        QColor light = Mix(c, Qt::white, std::sqrt(t));
        light.setAlpha(c.alpha());
        return light;
    });
}

/// The picture painted again with its ground changed until it stands out from what is behind it:
/// first its top, then its body. The ground is found without its thorns first, so that a bush,
/// which chooses its own shade against the ground, does not shift it; then with them, should a
/// wide bush hide too much of the ground's edge.
QImage PaintAgainst(const sAreaPlan& plan, sPalette palette, bool hills, const Behind& behind, double bodyContrast)
{
    QImage picture;
    for (const sAreaPlan& painted : {plan.WithoutThorns(), plan}) {
        picture = PaintScenery(painted, palette, hills);
        for (int round = 0; round < 12; ++round) {
            const std::optional<sGroundEdge> edge = GroundEdge(picture, behind);
            const std::optional<sGroundEdge> body = GroundBody(picture, behind);
            if (edge && edge->contrast < kGroundContrast)
                palette = Towards(palette, &sPalette::WithGround, *edge, kGroundContrast);
            else if (body && body->contrast < bodyContrast)
                palette = Towards(palette, &sPalette::WithRock, *body, bodyContrast);
            else
                break;
            picture = PaintScenery(painted, palette, hills);
        }
    }
    return picture;
}

} // namespace

sAreaPictures PaintAreaPictures(const sAreaPlan& plan, const QString& areaName)
{
    sAreaPictures pictures;
    const ePlace place = PlaceOfArea(areaName);
    pictures.secondIsBackdrop = !plan.afterQuake.empty();
    // A cave's sky is the dark of the rock around it, and an area without a sky has nothing to
    // stand out from: their ground keeps the colours of its place.
    const bool openAir = place != PLACE_CAVE && plan.skyLow.isValid();
    auto paint = [&](const sPalette& palette, bool hills, const Behind& behind) {
        const double body = palette.light == LIGHT_SUN ? kBodyByDay : kBodyByNight;
        return openAir ? PaintAgainst(plan, palette, hills, behind, body) : PaintScenery(plan, palette, hills);
    };
    const Behind daySky = SkyBehind(plan, false);
    if (pictures.secondIsBackdrop) {
        // The first area draws its day picture over the backdrop with its hills.
        pictures.second = PaintBackdrop(plan, sPalette::Day(place));
        pictures.day = paint(sPalette::Day(place), false, [&](int x, int row) {
            return Seen(pictures.second, daySky, x, row);
        });
    } else {
        pictures.day = paint(sPalette::Day(place), true, daySky);
        pictures.second = paint(sPalette::LandOfFireflies(place), true, SkyBehind(plan, true));
    }
    if (!plan.batlandPicture.isEmpty())
        pictures.batLand = paint(sPalette::BatLand(place), true, daySky);
    return pictures;
}
