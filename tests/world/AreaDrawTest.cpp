// The real area FrameSwitch drawn into a 512 x 512 framebuffer, as the frame manager has the area
// draw into its world texture: the sky's gradient from its file, the terrain of its painted
// background where its bodies lie, and the characters where they came out of the enter tree, all
// read back by pixel. The pictures are saved for a person to look at.
#include "world/Area.h"

#include "actors/PlayerChar.h"

#include "tests/support/GlCanvas.h"
#include "tests/world/AreaFiles.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kSize = 512;
/// World point (x, y) lies at texture pixel (x, y + kWorldRow).
constexpr int kWorldRow = 240;
/// The file's sky: first colour along the bottom edge, second along the top, and the colour of
/// the Vadi do Davovodaz.
const QColor kSkyBottom(255, 220, 160), kSkyTop(60, 90, 190), kSkyLoF(24, 20, 66);

class AreaDrawTest : public AreaFileFixture
{
protected:
    /// The real area with its three characters out of the enter tree, standing.
    void LoadRealAreaWithCharactersOut()
    {
        area = std::make_unique<cArea>("res/Areas/FrameSwitch.xml", s_resources.get());
        output = StdoutOf([this] { initialised = area->Init(s_audio.get(), false, false); });
        ASSERT_TRUE(initialised) << output;
        for (int t = 0; t < 600 && !AllStanding(); ++t)
            area->Update(20);
        ASSERT_TRUE(AllStanding());
    }
    bool AllStanding() const
    {
        for (int id = 0; id < 3; ++id) {
            const cPlayerChar* c = s_resources->GetCharacter(id);
            if (!c->HasBody() || c->GetState() != PLAYER_STAND)
                return false;
        }
        return true;
    }
    void Paint(bool sky, bool background)
    {
        canvas.Bind();
        glClear(GL_COLOR_BUFFER_BIT);
        area->Draw(sky, background);
    }
    /// The colour most of texture row y shows (stars and clouds aside): the median of each channel.
    QColor RowColor(int y) const
    {
        std::array<std::vector<int>, 3> channels;
        for (int x = 0; x < kSize; x += 4) {
            const QColor c = canvas.Pixel(x, y);
            channels[0].push_back(c.red());
            channels[1].push_back(c.green());
            channels[2].push_back(c.blue());
        }
        int median[3];
        for (int i = 0; i < 3; ++i) {
            std::nth_element(channels[i].begin(), channels[i].begin() + channels[i].size() / 2, channels[i].end());
            median[i] = channels[i][channels[i].size() / 2];
        }
        return QColor(median[0], median[1], median[2]);
    }
    /// The sky's gradient at texture row y: it runs over 513 rows from row -1.
    static QColor SkyAt(int y)
    {
        const float f = (static_cast<float>(y) + 1.5f) / 513.0f;
        auto mix = [f](int a, int b) { return static_cast<int>(a + (b - a) * f + 0.5f); };
        return QColor(mix(kSkyBottom.red(), kSkyTop.red()), mix(kSkyBottom.green(), kSkyTop.green()),
                      mix(kSkyBottom.blue(), kSkyTop.blue()));
    }
    std::vector<QRgb> ReadAll() const
    {
        std::vector<QRgb> pixels(kSize * kSize);
        glReadPixels(0, 0, kSize, kSize, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    GlCanvas canvas{kSize, kSize};
};

TEST_F(AreaDrawTest, TheSkyRunsFromTheFilesFirstColourAtTheBottomToItsSecondAtTheTop)
{
    LoadRealAreaWithCharactersOut();
    Paint(true, false);
    canvas.Save("area_draw_sky.png");
    for (int y : {0, 128, 256, 384, 511})
        EXPECT_PRED3(NearColor, RowColor(y), SkyAt(y), 4) << "row " << y;

    // In the Vadi do Davovodaz the whole sky takes its night colour.
    area->SetEnterTreeFlags(false, true, false);
    Paint(true, false);
    canvas.Save("area_draw_sky_lof.png");
    for (int y : {0, 256, 511})
        EXPECT_PRED3(NearColor, RowColor(y), kSkyLoF, 2) << "row " << y;
}

TEST_F(AreaDrawTest, TerrainShowsWhereTheFilesBodiesLieAndSkyAboveIt)
{
    LoadRealAreaWithCharactersOut();
    Paint(true, true);
    canvas.Save("area_draw_day.png");
    // The bottom floor's body ends at world y = -200: grass on its top row, earth below.
    const QColor grass = canvas.Pixel(250, -201 + kWorldRow);
    const QColor earth = canvas.Pixel(250, -220 + kWorldRow);
    EXPECT_GT(grass.green(), grass.red() + 40) << grass.name().toStdString();
    EXPECT_GT(earth.red(), earth.blue() + 30) << earth.name().toStdString();
    // The top floor's body ends at world y = -72; far above it only the sky.
    const QColor topGrass = canvas.Pixel(250, -73 + kWorldRow);
    EXPECT_GT(topGrass.green(), topGrass.red() + 40) << topGrass.name().toStdString();
    EXPECT_PRED3(NearColor, canvas.Pixel(250, 420), SkyAt(420), 4);
    // The rock of the exit's cliff: the body from x 352 up to world y 80.
    const QColor cliff = canvas.Pixel(420, 40 + kWorldRow);
    EXPECT_GT(cliff.red(), cliff.blue() + 30) << cliff.name().toStdString();
}

TEST_F(AreaDrawTest, TheCharactersAreDrawnWhereTheirBodiesStand)
{
    LoadRealAreaWithCharactersOut();
    for (int id = 0; id < 3; ++id) {
        const cPlayerChar* c = s_resources->GetCharacter(id);
        EXPECT_NEAR(c->GetPosition().y, -200.0f, 0.5f) << id << " came out onto the bottom floor";
        EXPECT_LT(c->GetPosition().x, 120.0f) << id << " between the enter tree and the step";
    }
    // Apart, so that none hides another: on the bottom floor, the middle floor and the top floor.
    const float places[3][2] = {{60.0f, -200.0f}, {380.0f, -136.0f}, {250.0f, -72.0f}};
    for (int id = 0; id < 3; ++id)
        s_resources->GetCharacter(id)->Init(area->GetWorld(), places[id][0], places[id][1]);
    Paint(true, true);
    const std::vector<QRgb> with = ReadAll();
    canvas.Save("area_draw_characters.png");
    for (int id = 0; id < 3; ++id)
        s_resources->GetCharacter(id)->SetActive(false);
    Paint(true, true);
    const std::vector<QRgb> without = ReadAll();

    // The characters' pictures: every changed pixel lies on a character's body, give or take the
    // few pixels its picture is larger, and every character shows.
    std::array<int, 3> inside{};
    int elsewhere = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            if (with[y * kSize + x] == without[y * kSize + x])
                continue;
            bool found = false;
            for (int id = 0; id < 3 && !found; ++id) {
                const cPlayerChar* c = s_resources->GetCharacter(id);
                const b2Vec2 p = c->GetPosition();
                found = x >= p.x - 3 && x < p.x + c->GetWidth() + 3 && y >= p.y + kWorldRow - 3 &&
                        y < p.y + kWorldRow + c->GetHeight() + 3;
                if (found)
                    ++inside[id];
            }
            elsewhere += found ? 0 : 1;
        }
    }
    for (int id = 0; id < 3; ++id) {
        const cPlayerChar* c = s_resources->GetCharacter(id);
        EXPECT_GT(inside[id], c->GetWidth() * c->GetHeight() / 2) << id;
    }
    EXPECT_EQ(elsewhere, 0);
}

} // namespace
