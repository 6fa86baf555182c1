// The trees as the world texture shows them: the enter tree asleep and awake, the exit tree at
// rest and open by day, the same in the Vadi do Davovodaz, and the score heart in its crown
// filled to half. The picture is saved for a person to look at.
#include "TreeWorld.h"

#include "tests/support/GlCanvas.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 72;
/// World rows start this far up the world texture.
constexpr int kWorldRow = 240;

class TreeLookTest : public TreeWorld
{
};

} // namespace

TEST_F(TreeLookTest, TreesStandOnTheGroundWithTheirFacesAndTheScoreHeartInTheCrown)
{
    cAreaEnterTree sleeping(&world, kEnterFile, 4.0f, 2.0f, false);
    cAreaEnterTree awake(&world, kEnterFile, 56.0f, 2.0f, false);
    cAreaExit resting(kExitFile, &world, 124.0f, 2.0f, true, "");
    cAreaExit open(kExitFile, &world, 172.0f, 2.0f, true, "");
    cAreaExit night(kExitFile, &world, 220.0f, 2.0f, true, "");
    cAreaExit nightOpen(kExitFile, &world, 268.0f, 2.0f, true, "");
    for (cAreaExit* exit : {&resting, &open, &night, &nightOpen}) {
        exit->SetMaxScore(4);
        exit->SetScore(2);
    }
    // Awake: past the wait and the opening.
    const std::unique_ptr<cPlayerChar> brown = Load("brown");
    awake.Enqueue(brown.get());
    for (int t = 0; t < 70; ++t)
        awake.Update(kTick);
    open.OpenMouth(false);
    nightOpen.OpenMouth(false);
    for (int t = 0; t < 10; ++t)
        for (cAreaExit* exit : {&open, &nightOpen})
            exit->Update(kTick);

    const GlCanvas picture(kWidth, kHeight);
    glTranslatef(0, -kWorldRow, 0);
    sleeping.DrawDay(1.0f);
    awake.DrawDay(1.0f);
    resting.DrawDay(1.0f);
    open.DrawDay(1.0f);
    night.DrawLoF(1.0f);
    nightOpen.DrawLoF(1.0f);
    picture.Save("trees.png");

    // Each tree stands on the ground row: its roots fill the bottom rows across its width.
    EXPECT_GT(InkIn(picture, 6, 2, 44, 2), 80);
    EXPECT_GT(InkIn(picture, 114, 2, 36, 2), 60);
    // The open mouths are dark holes in the trunk where the closed ones show bark.
    const QColor closedMouth = picture.Pixel(132, 8);
    const QColor openMouth = picture.Pixel(180, 8);
    EXPECT_GT(closedMouth.lightness(), 80);
    EXPECT_LT(openMouth.lightness(), 40);
    // The score heart hangs in the crown, pink over green, half filled.
    const QColor heart = picture.Pixel(124 + 8, 2 + 36 + 5);
    EXPECT_GT(heart.red(), 120);
    EXPECT_GT(heart.green(), 80);
}
