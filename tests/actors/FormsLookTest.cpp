// The ancestor forms and the carrier fireflies as the world texture shows them: the antler with
// the stars of its air jump and its lesson bubble, the spirit, the bat king inside its bubbles of bat land, and a
// firefly appearing beside one in flight. The picture is saved, three times enlarged, for a person
// to look at.
#include "CharacterWorld.h"

#include "actors/AntlerAncestor.h"
#include "actors/BatKing.h"
#include "actors/BatLandBubble.h"
#include "actors/FireFly.h"
#include "actors/RainbowSpirit.h"
#include "engine/Drawing.h"
#include "engine/Image.h"
#include "tests/support/GlCanvas.h"

namespace {

constexpr int kScale = 3;
constexpr int kWidth = 240;
constexpr int kHeight = 80;
/// World rows start this far up the world texture.
constexpr int kWorldRow = 240;

class FormsLookTest : public CharacterWorld
{
protected:
    cGameInfoBubbles bubbles;

    template <class T>
    T* Add(const char* name, float x, float y)
    {
        auto form = std::make_unique<T>();
        EXPECT_TRUE(form->LoadFromXml(CharacterFile(name)));
        form->Reset();
        form->Init(&world, x, y);
        T* placed = form.get();
        cast.push_back(std::move(form));
        return placed;
    }
    void TickAll()
    {
        for (auto& c : cast)
            c->Update(kTick);
        for (auto& f : flies)
            f->Update(kTick);
        Step();
    }
    /// Ink of the world rectangle (x, y, w, h) on the enlarged canvas.
    static int WorldInk(const GlCanvas& canvas, int x, int y, int w, int h)
    {
        return InkIn(canvas, x * kScale, y * kScale, w * kScale, h * kScale);
    }

    std::vector<std::unique_ptr<cPlayerChar>> cast;
    std::vector<std::unique_ptr<FireFly>> flies;
};

} // namespace

TEST_F(FormsLookTest, FormsBubblesAndFirefliesInTheWorldTexture)
{
    cImage batLand(0, 0, 1, 1);
    ASSERT_TRUE(batLand.SetTexture(":/res/images/chipsets/chip_set_13.png", 0, 0, 1, 1));
    AddTerrain(-200.0f, -10.0f, 600.0f, 10.0f);
    cAntlerAncestor* antler = Add<cAntlerAncestor>("antler", 15.0f, 0.0f);
    cRainbowSpirit* spirit = Add<cRainbowSpirit>("spirit", 55.0f, 0.0f);
    cBatKing* batKing = Add<cBatKing>("batking", 130.0f, 0.0f);
    for (const char* file : {"OrangeFirefly", "GrayFirefly"}) {
        flies.push_back(std::make_unique<FireFly>());
        ASSERT_TRUE(flies.back()->LoadFromXml(QString("res/xml/actors/Flying/%1.xml").arg(file)));
        flies.back()->Reset();
    }
    antler->SetShowHints(true);
    antler->Select();
    for (int t = 0; t < 130; ++t)
        TickAll();
    flies[0]->Spawn(&world, 190.0f, 30.0f);
    flies[1]->Spawn(&world, 215.0f, 40.0f);
    flies[1]->StartTransition(false);
    antler->Jump(false);
    for (int t = 0; t < 6; ++t)
        TickAll();
    antler->Jump(false);
    for (int t = 0; t < 5; ++t)
        TickAll();
    ASSERT_TRUE(antler->AreStarsShowing());
    ASSERT_EQ(flies[0]->GetState(), FireFly::STATE_APPEARING);
    ASSERT_EQ(batKing->GetBubbleCount(), 2);

    const GlCanvas picture(kWidth * kScale, kHeight * kScale);
    glScalef(kScale, kScale, 1);
    glTranslatef(0, -kWorldRow, 0);
    batKing->DrawBubbles(&batLand);
    for (auto& c : cast)
        c->Draw();
    for (auto& f : flies)
        f->Draw();
    for (auto& c : cast)
        c->DrawOverlay();
    // Saved as the player sees it: opaque.
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
    DrawFilledRect(0, kWorldRow, kWidth, kHeight, 0, 0, 0, 255);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    picture.Save("forms.png");

    // Each form is drawn where its body is.
    for (cPlayerChar* c : {static_cast<cPlayerChar*>(antler), static_cast<cPlayerChar*>(spirit),
                           static_cast<cPlayerChar*>(batKing)}) {
        const b2Vec2 at = c->GetPosition();
        const int w = static_cast<int>(c->GetWidth());
        const int h = static_cast<int>(c->GetHeight());
        EXPECT_GT(WorldInk(picture, static_cast<int>(at.x), static_cast<int>(at.y), w, h), w * h * kScale * kScale / 3)
            << c->GetId();
    }
    // The stars where the air jump began, below the rising antler.
    const b2Vec2 stars = antler->GetStarPosition();
    EXPECT_GT(WorldInk(picture, static_cast<int>(stars.x) - 4, static_cast<int>(stars.y) - 4, 21, 8), 20);
    // The antler's lesson above its antlers, and nothing above the others.
    const b2Vec2 head = antler->GetPosition();
    EXPECT_GT(WorldInk(picture, static_cast<int>(head.x) - 8, static_cast<int>(head.y) + 22, 30, 12), 100);
    EXPECT_EQ(WorldInk(picture, 50, 40, 30, 30), 0);
    // Both fireflies, and the bat land through the first bubble but nowhere beyond its square.
    EXPECT_GT(WorldInk(picture, 190, 30, 15, 15), 100);
    const b2Vec2 flying = flies[1]->GetDrawPosition();
    EXPECT_GT(flying.x, 215.0f);
    EXPECT_GT(WorldInk(picture, static_cast<int>(flying.x), static_cast<int>(flying.y), 15, 15), 100);
    const cBatLandBubble* bubble = batKing->GetBubble(0);
    const b2Vec2 c = bubble->GetCenter();
    const float r = bubble->GetRadius();
    ASSERT_GT(r, 20.0f);
    const QColor inside = picture.Pixel(static_cast<int>((c.x - 0.6f * r) * kScale), static_cast<int>((c.y + 0.3f * r) * kScale));
    EXPECT_GT(inside.blue(), 20);
    EXPECT_GT(inside.blue(), inside.green());
    EXPECT_EQ(WorldInk(picture, 95, 60, 8, 8), 0);
}
