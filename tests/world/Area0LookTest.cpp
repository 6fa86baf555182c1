// The first area drawn into a 512 x 512 framebuffer, as the frame manager has it draw into its
// world texture, and read back by pixel: a character walking through the meadow goes behind its
// plants, a hint bubble sits over its character's head whoever stands there, and orange and gray
// come out of the heart tree at its mouth. The pictures are saved for a person to look at.
#include "world/Area0.h"

#include "actors/BasicPlant.h"
#include "actors/Level0EnterTree.h"
#include "actors/PlayerChar.h"
#include "engine/HintBubble.h"

#include "tests/support/GlCanvas.h"
#include "tests/world/AreaFiles.h"

namespace {

constexpr int kSize = 512;
/// World point (x, y) lies at texture pixel (x, y + kWorldRow).
constexpr int kWorldRow = 240;
constexpr int kTick = 20;
/// The hint that invites the player to switch to a character.
constexpr int kSwitchHint = 17;

class Area0LookTest : public AreaFileFixture
{
protected:
    /// The real area once brown is out of the tree.
    void LoadRealArea()
    {
        area = std::make_unique<cArea0>("res/Areas/Area0.xml", s_resources.get());
        output = StdoutOf([this] { initialised = area->Init(s_audio.get(), false, false); });
        ASSERT_TRUE(initialised) << output;
        for (int t = 0; t < 300 && !Character(0)->HasBody(); ++t)
            area->Update(kTick);
        ASSERT_TRUE(Character(0)->HasBody());
    }
    static cPlayerChar* Character(int id) { return s_resources->GetCharacter(id); }
    /// The character standing at (x, y), left to settle there.
    void StandAt(int id, float x, float y)
    {
        Character(id)->Init(area->GetWorld(), x, y);
        for (int t = 0; t < 25; ++t)
            area->Update(kTick);
    }
    /// The whole area, as the frame manager has it drawn.
    std::vector<QRgb> Paint()
    {
        return PaintAlone([this] { area->Draw(true, true); });
    }
    /// What draw puts on the cleared canvas.
    template <class F>
    std::vector<QRgb> PaintAlone(F draw)
    {
        canvas.Bind();
        glClear(GL_COLOR_BUFFER_BIT);
        draw();
        std::vector<QRgb> pixels(kSize * kSize);
        glReadPixels(0, 0, kSize, kSize, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
    /// The pixels of the character's body box that differ between the two pictures.
    static int ChangedOn(const cPlayerChar& c, const std::vector<QRgb>& a, const std::vector<QRgb>& b)
    {
        const b2Vec2 p = c.GetPosition();
        int changed = 0;
        for (int y = static_cast<int>(p.y) + kWorldRow; y < p.y + kWorldRow + c.GetHeight(); ++y)
            for (int x = static_cast<int>(p.x); x < p.x + c.GetWidth(); ++x)
                changed += a[static_cast<size_t>(y * kSize + x)] != b[static_cast<size_t>(y * kSize + x)];
        return changed;
    }
    /// Not the black the canvas was cleared to.
    static bool IsInk(QRgb pixel) { return (pixel & 0xFFFFFFu) != 0; }

    GlCanvas canvas{kSize, kSize};
};

TEST_F(Area0LookTest, ACharacterInTheMeadowWalksBehindBothKindsOfPlants)
{
    LoadRealArea();
    ASSERT_FALSE(area->GetPlantsBack().empty());
    ASSERT_FALSE(area->GetPlantsFront().empty());
    cPlayerChar* brown = Character(0);
    for (const BasicPlant* plant : {area->GetPlantsBack().front(), area->GetPlantsFront().front()}) {
        const b2Vec2 at = plant->GetPosition();
        StandAt(0, at.x, at.y);
        const std::vector<QRgb> with = Paint();
        canvas.Save(plant == area->GetPlantsBack().front() ? "area0_flowers.png" : "area0_grass.png");
        const std::vector<QRgb> plantAlone = PaintAlone([plant] { const_cast<BasicPlant*>(plant)->Draw(); });
        const std::vector<QRgb> brownAlone = PaintAlone([brown] { brown->Draw(); });
        brown->SetActive(false);
        const std::vector<QRgb> without = Paint();
        brown->SetActive(true);

        // Where plant and character cover the same pixel, the plant shows as if nobody stood there.
        int shared = 0, hidden = 0;
        for (size_t i = 0; i < with.size(); ++i) {
            if (!IsInk(plantAlone[i]) || !IsInk(brownAlone[i]))
                continue;
            ++shared;
            hidden += NearColor(QColor(with[i]), QColor(without[i]), 8) ? 0 : 1;
        }
        EXPECT_GE(shared, 6) << "brown stands in the plant at (" << at.x << ", " << at.y << ")";
        EXPECT_EQ(hidden, 0) << "plant pixels covered by brown at (" << at.x << ", " << at.y << ")";
    }
}

TEST_F(Area0LookTest, AHintBubbleSitsOverItsCharactersHeadAlsoUnderOneStandingOnIt)
{
    LoadRealArea();
    // Orange in front of the tree, brown on its head, away from every heart.
    cPlayerChar* orange = Character(1);
    cPlayerChar* brown = Character(0);
    StandAt(1, 40.0f, -180.0f);
    StandAt(0, 40.0f, orange->GetPosition().y + orange->GetHeight() + 1.0f);
    ASSERT_NEAR(brown->GetPosition().y, orange->GetPosition().y + orange->GetHeight(), 1.0f) << "a stack";
    orange->DeleteHintBubble();
    brown->DeleteHintBubble();

    for (cPlayerChar* owner : {orange, brown}) {
        // The switch hint, opened to its steady frame with its picture inside.
        owner->SetInfoBubble(kSwitchHint, 0);
        owner->ShowInfoBubble();
        cHintBubble* bubble = owner->GetHintBubble();
        for (int t = 0; t < 30; ++t)
            bubble->Update(kTick);
        ASSERT_TRUE(bubble->IsShowingContent());
        const b2Vec2 p = owner->GetPosition();
        const std::vector<QRgb> alone = PaintAlone(
            [&] { bubble->Draw(static_cast<int>(p.x - 8.0f), static_cast<int>(p.y + 16.0f)); });
        const std::vector<QRgb> shown = Paint();
        canvas.Save(owner == orange ? "area0_bubble_lower.png" : "area0_bubble_upper.png");
        owner->DeleteHintBubble();
        const std::vector<QRgb> gone = Paint();

        // What the bubble changes in the area is what it draws alone 8 units left of the
        // character's corner and 16 above it.
        int ink = 0, inPlace = 0, elsewhere = 0;
        for (size_t i = 0; i < alone.size(); ++i) {
            ink += IsInk(alone[i]);
            inPlace += IsInk(alone[i]) && shown[i] != gone[i];
            elsewhere += !IsInk(alone[i]) && shown[i] != gone[i];
        }
        EXPECT_GT(ink, 200) << "the bubble shows";
        EXPECT_GE(10 * inPlace, 9 * ink);
        EXPECT_EQ(elsewhere, 0);
        if (owner == orange) {
            EXPECT_GT(ChangedOn(*brown, shown, gone), 0) << "the bubble of the one below covers brown";
        }
    }
}

TEST_F(Area0LookTest, OrangeAndGrayAreLetOutAtTheMouth)
{
    LoadRealArea();
    // Brown has gone off to the staircase; a pink heart for each of the two, each fed while the
    // mouth is free.
    StandAt(0, 240.0f, -154.0f);
    cLevel0EnterTree* tree = static_cast<cArea0&>(*area).GetHeartTree();
    for (cPlayerChar* c : {Character(1), Character(2)}) {
        for (int t = 0; t < 100 && tree->GetMouthState() == MOUTH_CHEWING; ++t)
            area->Update(kTick);
        tree->EatHeart(1);
        for (int t = 0; t < 400 && !c->HasBody(); ++t)
            area->Update(kTick);
        ASSERT_TRUE(c->HasBody()) << "character " << c->GetId() << " let out";
        EXPECT_NEAR(c->GetPosition().x, tree->GetMouthPosition().x, 0.5f) << "character " << c->GetId();
        EXPECT_NEAR(c->GetPosition().y, tree->GetMouthPosition().y, 0.5f) << "character " << c->GetId();
    }
    Paint();
    canvas.Save("area0_let_out.png");
}

} // namespace
