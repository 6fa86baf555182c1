// The characters as the world texture shows them: each standing in its place, one with its
// selection bubble open, and one standing on another's head. The picture is saved for a person
// to look at.
#include "CharacterWorld.h"

#include "engine/Animation.h"
#include "engine/HintBubble.h"
#include "tests/support/GlCanvas.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 64;
/// World rows start this far up the world texture.
constexpr int kWorldRow = 240;

class CharacterLookTest : public CharacterWorld
{
protected:
    /// Draws the animation's current frame standing at height y, on a canvas that shows the world's lowest rows.
    static void DrawAt(cAnimation* animation, float y)
    {
        glTranslatef(0, -kWorldRow, 0);
        animation->DrawF(12, y, 255, 255, 255, 255, 1);
    }

    cGameInfoBubbles bubbles;
};

} // namespace

TEST_F(CharacterLookTest, CharactersStandInTheirPlacesAndTheBubbleOpensAboveOne)
{
    AddTerrain(-200.0f, -10.0f, 400.0f, 10.0f);
    const char* names[] = {"brown", "orange", "gray", "antler", "spirit", "batking"};
    std::vector<std::unique_ptr<cPlayerChar>> cast;
    for (int i = 0; i < 6; ++i) {
        cast.push_back(Load(names[i], i >= 3));
        cast.back()->Reset();
        cast.back()->Init(&world, 12.0f + 30.0f * i, 4.0f);
    }
    cast[0]->SetHintBubble(new cHintBubble(cast[0]->GetSwitchInfoIndex(), 3000));
    for (int t = 0; t < 30; ++t) {
        for (auto& c : cast)
            c->Update(kTick);
        Step();
    }
    ASSERT_NE(cast[0]->GetHintBubble(), nullptr);
    EXPECT_TRUE(cast[0]->GetHintBubble()->IsShowingContent());

    // The canvas shows the world's lowest rows.
    const GlCanvas picture(kWidth, kHeight);
    glTranslatef(0, -kWorldRow, 0);
    for (auto& c : cast)
        c->Draw();
    for (auto& c : cast)
        c->DrawOverlay();
    picture.Save("characters.png");

    for (int i = 0; i < 6; ++i) {
        const b2Vec2 at = cast[i]->GetPosition();
        EXPECT_NEAR(at.y, 0.0f, 0.05f) << names[i];
        // Most of each body's box is drawn, and nothing stands between the characters.
        const int w = static_cast<int>(cast[i]->GetWidth());
        const int h = static_cast<int>(cast[i]->GetHeight());
        EXPECT_GT(InkIn(picture, static_cast<int>(at.x), 0, w, h), w * h / 3) << names[i];
        EXPECT_EQ(InkIn(picture, static_cast<int>(at.x) + 24, 0, 2, 12), 0) << names[i];
    }
    // The bubble sits above brown, and above nobody else.
    EXPECT_GT(InkIn(picture, 4, 20, 28, 20), 200);
    EXPECT_EQ(InkIn(picture, 34, 24, 160, 40), 0);
}

TEST_F(CharacterLookTest, ScreensDrawTheCharacterScaledWithItsBubbleAbove)
{
    character = Load("gray");
    character->Reset();
    AddTerrain(-200.0f, -10.0f, 400.0f, 10.0f);
    character->Init(&world, 0.0f, 0.0f);
    character->SetHintBubble(new cHintBubble(character->GetSwitchInfoIndex(), 0));
    for (int t = 0; t < 20; ++t)
        Tick();

    const GlCanvas picture(120, 160);
    character->DrawScaled(20.0f, 10.0f, 3.7f);
    picture.Save("character-scaled.png");
    // Three times the 11 x 15 body, drawn from (20, 10) (the frame is 13 wide from one unit left).
    EXPECT_GT(InkIn(picture, 20, 10, 33, 45), 33 * 45 / 3);
    EXPECT_EQ(InkIn(picture, 60, 10, 40, 45), 0);
    // The bubble from 20 x 3.7 units higher, three times as large.
    EXPECT_GT(InkIn(picture, 20, 84, 60, 60), 1000);

    character->SetActive(false);
    const GlCanvas hidden(120, 160);
    character->DrawScaled(20.0f, 10.0f, 3.0f);
    EXPECT_EQ(InkIn(hidden, 0, 0, 120, 160), 0);
}

TEST_F(CharacterLookTest, ACharacterStandingOnAnotherStandsOnItsHeadInEveryPoseOnTheGround)
{
    const char* names[] = {"brown", "orange", "gray"};
    for (int i = 0; i < 3; ++i) {
        const std::unique_ptr<cPlayerChar> lower = Load(names[i]), upper = Load(names[(i + 1) % 3]);
        lower->Reset();
        lower->Init(&world, 12.0f, 0.0f);
        // The upper one standing on the lower one's body: the columns of its soles.
        const int top = static_cast<int>(lower->GetHeight());
        std::vector<int> feet;
        {
            const GlCanvas picture(kWidth, kHeight);
            DrawAt(upper->GetAnimation(ANIM_STAND), top);
            for (int x = 0; x < kWidth; ++x)
                if (InkIn(picture, x, top, 1, 1) > 0)
                    feet.push_back(x);
        }
        ASSERT_FALSE(feet.empty()) << names[i];
        // Standing, turned either way and at every step of a walk, its head inks the row under each sole.
        for (int index = ANIM_STAND; index <= ANIM_WALK_LEFT; ++index) {
            cAnimation* pose = lower->GetAnimation(index);
            for (int frame = 0; frame < pose->GetNumFrames(); ++frame) {
                pose->SetFrame(frame);
                const GlCanvas picture(kWidth, kHeight);
                DrawAt(pose, 0);
                for (int x : feet)
                    EXPECT_EQ(InkIn(picture, x, top - 1, 1, 1), 1)
                        << names[i] << ", animation " << index << ", frame " << frame << ", column " << x;
            }
        }
    }
}
