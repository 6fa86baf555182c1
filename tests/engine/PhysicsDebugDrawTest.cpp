// The physics debug drawing: outlines in the world texture, killing terrain filled.
#include "PhysicsTestWorld.h"

#include "tests/support/GlCanvas.h"

namespace {

class PhysicsDebugDrawTest : public PhysicsTestWorld
{
};

}  // namespace

TEST_F(PhysicsDebugDrawTest, OutlinesBodiesInTheWorldTextureAndFillsKillingTerrain)
{
    GlCanvas canvas(128, 512);
    cPhysicsBody* terrain = AddTerrain(10.0f, -200.0f, 30.0f, 20.0f, BODY_TERRAIN);
    cPhysicsBody* deadly = AddTerrain(60.0f, -200.0f, 30.0f, 20.0f, BODY_DEADLY);
    cPhysicsBody* deadly2 = AddTerrain(10.0f, -150.0f, 30.0f, 20.0f, BODY_DEADLY_2);
    cRecordingActor* character = AddCharacter(60.0f, -150.0f);
    terrain->DebugDraw(0.0f, 255.0f, 0.0f);
    deadly->DebugDraw(0.0f, 255.0f, 0.0f);
    deadly2->DebugDraw(0.0f, 255.0f, 0.0f);
    character->DebugDraw(255.0f, 255.0f, 0.0f);
    canvas.Save("physics-debug.png");

    // A line on a pixel boundary lights the column on either side of it.
    auto edgeLit = [&](int x, int y, const QColor& colour) {
        return Near(canvas.Pixel(x, y), colour) || Near(canvas.Pixel(x - 1, y), colour);
    };
    // World y -200 is texture row 40.
    EXPECT_TRUE(edgeLit(10, 50, QColor(0, 255, 0)));
    EXPECT_PRED2(Near, canvas.Pixel(25, 50), QColor(0, 0, 0));
    EXPECT_PRED2(Near, canvas.Pixel(75, 50), QColor(70, 0, 0));
    EXPECT_PRED2(Near, canvas.Pixel(25, 100), QColor(70, 0, 35));
    EXPECT_TRUE(edgeLit(60, 95, QColor(255, 255, 0)));

    // Out of the world an actor draws nothing.
    GlCanvas empty(128, 512);
    character->RemoveFromWorld();
    character->DebugDraw(255.0f, 255.0f, 0.0f);
    EXPECT_PRED2(Near, empty.Pixel(60, 95), QColor(0, 0, 0));
    EXPECT_PRED2(Near, empty.Pixel(59, 95), QColor(0, 0, 0));
}
