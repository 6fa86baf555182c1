// Checks the compiled resource tree's pictures against its description files: every file the
// game loads at start-up is there, every animation is cut from inside a chip set and shows
// something, and the character files hold the animations their code selects by index.

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QXmlStreamReader>

#include <algorithm>

namespace
{
struct AnimationRef
{
    QString file;
    int index = 0;
    int src = 0, x = 0, y = 0, w = 16, h = 16, frames = 1;
};

int Attribute(const QXmlStreamAttributes &a, const char *name, int absent)
{
    return a.hasAttribute(name) ? a.value(name).toInt() : absent;
}

/// The animations of one file (the score indicators' `FeedbackAnim` included); the chip set of
/// each is its own `src`, else the last `src` (or `TileSetID`) of an earlier element, else 0
/// (the rule every loader of the game follows).
QVector<AnimationRef> ReadAnimations(const QString &path)
{
    QVector<AnimationRef> out;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return out;
    QXmlStreamReader xml(&file);
    int defaultSrc = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() != QLatin1String("animation") && xml.name() != QLatin1String("FeedbackAnim")) {
            defaultSrc = Attribute(a, "TileSetID", Attribute(a, "src", defaultSrc));
            continue;
        }
        AnimationRef r;
        r.file = path;
        r.index = out.size();
        r.src = Attribute(a, "src", defaultSrc);
        r.x = Attribute(a, "x", 0);
        r.y = Attribute(a, "y", 0);
        r.w = Attribute(a, "w", 16);
        r.h = Attribute(a, "h", 16);
        r.frames = Attribute(a, "numFrames", 1);
        out.append(r);
    }
    EXPECT_FALSE(xml.hasError()) << qPrintable(path) << ": " << qPrintable(xml.errorString());
    return out;
}

QStringList DescriptionFiles()
{
    QStringList files;
    QDirIterator it(":/res/xml", {"*.xml"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

const QVector<int> kChipSets = {0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};

QString ChipSetPath(int n)
{
    return QString(":/res/images/chipsets/chip_set_%1.png").arg(n, 2, 10, QChar('0'));
}

bool IsPowerOfTwo(int n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

/// True when any pixel of `r` is not fully transparent.
bool ShowsSomething(const QImage &image, const QRect &r)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return true;
    return false;
}

const int kSpaceGlyph = 32;

/// The space of the alphabets is the one picture meant to show nothing.
bool IsSpaceGlyph(const AnimationRef &a)
{
    return a.file.contains("/Alphabet/") && a.index == kSpaceGlyph;
}
} // namespace

TEST(SpriteTree, EveryChipSetTheGameLoadsIsAPowerOfTwoPicture)
{
    for (int n : kChipSets) {
        const QImage image(ChipSetPath(n));
        ASSERT_FALSE(image.isNull()) << qPrintable(ChipSetPath(n));
        EXPECT_TRUE(IsPowerOfTwo(image.width()) && IsPowerOfTwo(image.height()))
            << qPrintable(ChipSetPath(n)) << " is " << image.width() << " x " << image.height();
    }
}

TEST(SpriteTree, EveryAnimationFrameLiesInsideItsChipSetAndIsNotBlank)
{
    QMap<int, QImage> chipSets;
    for (int n : kChipSets)
        chipSets.insert(n, QImage(ChipSetPath(n)));
    int checked = 0;
    for (const QString &file : DescriptionFiles())
        for (const AnimationRef &a : ReadAnimations(file)) {
            const QString where = QString("%1 animation %2").arg(a.file).arg(a.index);
            ASSERT_TRUE(chipSets.contains(a.src)) << qPrintable(where) << ": no chip set " << a.src;
            ASSERT_GE(a.frames, 1) << qPrintable(where);
            ASSERT_TRUE(a.w > 0 && a.h > 0) << qPrintable(where);
            const QImage &sheet = chipSets[a.src];
            // Frames run along a row and continue one frame height lower at the left edge.
            for (int i = 0; i < a.frames; ++i) {
                const int p = i * a.w + a.x;
                const QRect r(p % sheet.width(), (p / sheet.width()) * a.h + a.y, a.w, a.h);
                ASSERT_TRUE(sheet.rect().contains(r)) << qPrintable(where) << " frame " << i << " leaves the chip set";
                EXPECT_TRUE(ShowsSomething(sheet, r) || IsSpaceGlyph(a)) << qPrintable(where) << " frame " << i << " is blank";
                ++checked;
            }
        }
    EXPECT_GT(checked, 0);
}

TEST(SpriteTree, ReaderTakesTheChipSetFromTheFile)
{
    // Guards the checks above: a reader that found nothing would let every fault pass.
    const QVector<AnimationRef> brown = ReadAnimations(":/res/xml/PlayerCharacters/brown.xml");
    ASSERT_FALSE(brown.isEmpty());
    EXPECT_EQ(brown.first().src, 1);
}

class RequiredFiles : public testing::TestWithParam<const char *>
{
};

TEST_P(RequiredFiles, ArePartOfTheTree)
{
    EXPECT_TRUE(QFile::exists(QString(":/") + GetParam())) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(SpriteTree, RequiredFiles, testing::Values(
    "res/xml/PlayerCharacters/brown.xml", "res/xml/PlayerCharacters/orange.xml",
    "res/xml/PlayerCharacters/gray.xml", "res/xml/PlayerCharacters/antler.xml",
    "res/xml/PlayerCharacters/spirit.xml", "res/xml/PlayerCharacters/batking.xml",
    "res/xml/actors/Flying/OrangeFirefly.xml", "res/xml/actors/Flying/GrayFirefly.xml",
    "res/xml/common_resources/HeartBox/HeartBoxTypes.xml", "res/xml/startscreen.xml",
    "res/xml/menus/startscreenmenu.xml", "res/xml/menus/optionsscreenmenu.xml",
    "res/xml/menus/creditscreenmenu.xml"));

/// The (type, file) pairs of the heart-box blueprint list, in file order.
QVector<QPair<int, QString>> BluePrints()
{
    QVector<QPair<int, QString>> out;
    QFile file(":/res/xml/common_resources/HeartBox/HeartBoxTypes.xml");
    if (!file.open(QIODevice::ReadOnly))
        return out;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("BoxBluePrint"))
            out.append({xml.attributes().value("type").toInt(), xml.attributes().value("file").toString()});
    return out;
}

TEST(SpriteTree, BluePrintsNameEveryBoxTypeOnceWithAFileOfItsLooks)
{
    const QVector<QPair<int, QString>> prints = BluePrints();
    QVector<int> types;
    for (const auto &bp : prints) {
        types.append(bp.first);
        const QString path = ":/" + bp.second;
        ASSERT_TRUE(QFile::exists(path)) << qPrintable(path);
        // Emitters and receivers switch from animation 0 to 1 at their heart; the frame
        // changer (type 15) shows 1 once used; other stack boxes need only 0.
        const bool needsTwo = bp.first != 7 && bp.first != 8 && bp.first != 9 && !(bp.first >= 11 && bp.first <= 14);
        EXPECT_GE(ReadAnimations(path).size(), needsTwo ? 2 : 1) << qPrintable(path);
    }
    std::sort(types.begin(), types.end());
    EXPECT_EQ(types, QVector<int>({0, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
}

struct ActorFile
{
    const char *path;
    int id, bodyW, bodyH, animations;
};

void PrintTo(const ActorFile &c, std::ostream *os)
{
    *os << c.path;
}

class ActorFiles : public testing::TestWithParam<ActorFile>
{
};

TEST_P(ActorFiles, HoldIdBodyAndEveryAnimationIndexTheirCodeSelects)
{
    const ActorFile &c = GetParam();
    QFile file(c.path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.path;
    QXmlStreamReader xml(&file);
    int id = -1, w = 0, h = 0;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("actor") || xml.name() == QLatin1String("Firefly"))
                id = xml.attributes().value("id").toInt();
            if (xml.name() == QLatin1String("body")) {
                w = xml.attributes().value("w").toInt();
                h = xml.attributes().value("h").toInt();
            }
        }
    EXPECT_EQ(id, c.id);
    EXPECT_EQ(w, c.bodyW);
    EXPECT_EQ(h, c.bodyH);
    EXPECT_EQ(ReadAnimations(c.path).size(), c.animations);
}

INSTANTIATE_TEST_SUITE_P(SpriteTree, ActorFiles, testing::Values(
    ActorFile{":/res/xml/PlayerCharacters/brown.xml", 0, 11, 15, 24},
    ActorFile{":/res/xml/PlayerCharacters/orange.xml", 1, 11, 15, 25},
    ActorFile{":/res/xml/PlayerCharacters/gray.xml", 2, 11, 15, 25},
    ActorFile{":/res/xml/PlayerCharacters/antler.xml", 0, 13, 17, 25},
    ActorFile{":/res/xml/PlayerCharacters/spirit.xml", 1, 18, 17, 26},
    ActorFile{":/res/xml/PlayerCharacters/batking.xml", 2, 11, 15, 24},
    ActorFile{":/res/xml/actors/Flying/OrangeFirefly.xml", 1, 15, 15, 4},
    ActorFile{":/res/xml/actors/Flying/GrayFirefly.xml", 2, 15, 15, 4}));

struct AnimationList
{
    const char *path;
    int count;
};

void PrintTo(const AnimationList &l, std::ostream *os)
{
    *os << l.path;
}

class AnimationLists : public testing::TestWithParam<AnimationList>
{
};

TEST_P(AnimationLists, HoldEveryEntryTheirUsersPickByIndex)
{
    EXPECT_EQ(ReadAnimations(QString(":/") + GetParam().path).size(), GetParam().count) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(SpriteTree, AnimationLists, testing::Values(
    AnimationList{"res/xml/common_resources/Alphabet/AlphabetAnims.xml", 78},
    AnimationList{"res/xml/common_resources/Alphabet/AlphabetAnims_blue.xml", 78},
    AnimationList{"res/xml/common_resources/common_anims.xml", 17},
    AnimationList{"res/xml/common_resources/InfoBubbles/InfoBubbleAnims.xml", 39},
    AnimationList{"res/xml/common_resources/waterfall_bubbles.xml", 3},
    AnimationList{"res/xml/common_resources/clouds.xml", 10},
    AnimationList{"res/xml/common_resources/cloudsHD.xml", 10},
    AnimationList{"res/xml/common_resources/waterfall_sparkle.xml", 1},
    AnimationList{"res/xml/common_resources/AirBubbles.xml", 1},
    AnimationList{"res/xml/actors/Flying/DragonFly.xml", 8},
    AnimationList{"res/xml/actors/Flying/Bat.xml", 8},
    AnimationList{"res/xml/actors/Flying/Bird.xml", 8},
    AnimationList{"res/xml/actors/Flying/NPCFireFly2.xml", 8},
    AnimationList{"res/xml/common_resources/lies.xml", 20},
    AnimationList{"res/xml/common_resources/area_icons.xml", 40}));

/// The advance of every glyph, in glyph order.
QVector<int> GlyphWidths()
{
    QVector<int> out;
    QFile file(":/res/xml/common_resources/Alphabet/AlphabetAnimsWidths.xml");
    if (!file.open(QIODevice::ReadOnly))
        return out;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("letter"))
            out.append(xml.attributes().value("width").toInt());
    return out;
}

TEST(SpriteTree, EveryGlyphAdvancesPastItsOwnInk)
{
    // A width list out of step with the alphabet makes letters overlap or drift apart. The ink is
    // the strokes, counted from the glyph's first column of strokes; their near-black outline may
    // meet the next glyph's.
    const QVector<int> widths = GlyphWidths();
    const QVector<AnimationRef> glyphs = ReadAnimations(":/res/xml/common_resources/Alphabet/AlphabetAnims.xml");
    ASSERT_EQ(widths.size(), 78);
    ASSERT_EQ(glyphs.size(), 78);
    QImage sheet(ChipSetPath(glyphs.first().src));
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            if (QColor(sheet.pixel(x, y)).lightness() < 16)
                sheet.setPixel(x, y, qRgba(0, 0, 0, 0));
    for (int i = 0; i < glyphs.size(); ++i) {
        const AnimationRef &g = glyphs[i];
        int inkLeft = -1, inkRight = 0;
        for (int x = 0; x < g.w; ++x)
            if (ShowsSomething(sheet, QRect(g.x + x, g.y, 1, g.h))) {
                inkLeft = inkLeft < 0 ? x : inkLeft;
                inkRight = x + 1;
            }
        inkRight -= std::max(0, inkLeft);
        if (IsSpaceGlyph(g)) {
            EXPECT_EQ(inkRight, 0) << "the space shows something";
            EXPECT_GT(widths[i], 0);
            continue;
        }
        EXPECT_GT(inkRight, 0) << "glyph " << i << " is blank";
        EXPECT_GT(widths[i], inkRight) << "glyph " << i << " touches the next one";
        EXPECT_LE(widths[i], inkRight + 2) << "glyph " << i << " leaves a gap";
    }
}

TEST(SpriteTree, TinyButtonFrameIsTheMenusTwentyFiveBySixteenFrameAndCheckBoxesComeFromChipSetThirteen)
{
    // The save-slot menu centres it on YES and NO and sizes their hit boxes from it.
    const QVector<AnimationRef> common = ReadAnimations(":/res/xml/common_resources/common_anims.xml");
    ASSERT_GT(common.size(), 14);
    EXPECT_EQ(common[14].src, 12);
    EXPECT_EQ(common[14].w, 25);
    EXPECT_EQ(common[14].h, 16);
    const QVector<AnimationRef> options = ReadAnimations(":/res/xml/menus/optionsscreenmenu.xml");
    ASSERT_EQ(options.size(), 4) << "the heart, then the three check boxes";
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(options[i].src, 13) << i;
}
