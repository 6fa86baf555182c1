#pragma once

#include <QColor>
#include <QString>

#include <functional>

/// The kind of place an area is: each has its own material and its own light.
enum ePlace
{
    PLACE_MEADOW,    ///< earth under grass, hills on the horizon
    PLACE_CAVE,      ///< broken rock in front of a dark back wall
    PLACE_FORTRESS,  ///< masonry in courses, grass only where the sky reaches it
    PLACE_SHORE,     ///< earth under grass, sand where it meets the water
    PLACE_SKY,       ///< pale stone, islands afloat in the distance instead of hills
};

/// The place of the area whose file has this base name ("BatCave"); a meadow when not listed.
ePlace PlaceOfArea(const QString& areaName);

/// What the rock of a place is made of.
enum eMaterial
{
    MATERIAL_EARTH,    ///< wavy strata with pebbles
    MATERIAL_STONE,    ///< blocks broken by cracks
    MATERIAL_MASONRY,  ///< bricks in courses with mortar
    MATERIAL_CHALK,    ///< pale soft bands
};

/// Where the light of a look comes from: it brightens the faces of the rock that look towards it.
enum eLight
{
    LIGHT_SUN,    ///< high on the left: tops and left faces lit, bottoms and right faces in shade
    LIGHT_MOON,   ///< straight above and faint: only the tops catch it, the rock falls dark inside
    LIGHT_BELOW,  ///< the bat land's glow from beneath: the undersides shine
};

/// The colours and the light of one look of one place.
struct sPalette
{
    eMaterial material = MATERIAL_EARTH;
    eLight light = LIGHT_SUN;
    QColor wallLow, wallHigh;     ///< the cave's back wall at its floor and under its ceiling
    QColor earth, earthEdge;
    QColor rim;                   ///< the faces turned to the light
    /// How fast the rock darkens away from its faces: a share of its colour per pixel, and at most.
    float fade = 0.0f, fadeMost = 0.0f;
    QColor grass[3];              ///< from the top face downwards
    QColor sand;                  ///< earth along the water's edge
    QColor plank, plankTop, plankBottom;
    QColor hillFar, hillNear;     ///< with alpha: the sky shows through
    /// Far islands floating over a bank of cloud instead of hills on the ground.
    bool skyIslands = false;
    QColor speck{0, 0, 0, 0};     ///< small lights in the back wall; alpha 0 for none
    QColor glow{0, 0, 0, 0};      ///< light that the floor throws on the back wall; alpha 0 for none
    QColor fall, fallLight;       ///< falling water and its bright streaks, with alpha
    QColor water;                 ///< still water's surface light, with alpha
    QColor batRock, batVein;      ///< the rock that the bat king's bubbles open, and its glow
    QColor batLedge;              ///< what only the bat king stands on
    /// The bat land, shown through the bat king's bubbles: its rock is open and its ledges shine.
    bool batLand = false;

    /// The same palette with every colour of what the characters stand on (grass, rock, sand,
    /// planks and the light on their faces) changed alike.
    sPalette WithGround(const std::function<QColor(const QColor&)>& change) const;
    /// The same palette with the colours of the rock under the grass (the rock, its shaded faces
    /// and the sand) changed alike: the ground's body without its lit top.
    sPalette WithRock(const std::function<QColor(const QColor&)>& change) const;

    static sPalette Day(ePlace place = PLACE_MEADOW);
    /// The Vadi do Davovodaz: night under a faint moon, with glowing grass and spores.
    static sPalette LandOfFireflies(ePlace place = PLACE_MEADOW);
    /// The bat land: violet, lit from below, with the bat rock open and the bat king's ledges lit.
    static sPalette BatLand(ePlace place = PLACE_MEADOW);
};

/// Relative luminance of an sRGB colour, 0 for black to 1 for white.
double Luminance(const QColor& c);
/// The contrast ratio of two luminances, the lighter over the darker: 1 to 21.
double ContrastRatio(double a, double b);
