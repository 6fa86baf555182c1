// The credits area "It's all over now" played from its real file through its real frames: the
// first character out gathers the fourteen hearts of the heart over the hill from its three
// little platforms, then all three walk into the exit, which has eaten every heart.
#include "world/Area.h"
#include "world/FrameEditor.h"

#include "actors/AreaExit.h"

#include "tests/support/GlCanvas.h"
#include "tests/world/AreaFiles.h"
#include "tests/world/StoryRoutes.h"

namespace {

using CreditsAreaTest = AreaFileFixture;

TEST_F(CreditsAreaTest, AllThreeLeaveThroughTheExitWithTheWholeHeartOfHearts)
{
    area = std::make_unique<cArea>("res/Areas/Credits2.xml", s_resources.get());
    output = StdoutOf([this] { initialised = area->Init(s_audio.get(), false, false); });
    ASSERT_TRUE(initialised) << output;
    EXPECT_EQ(area->GetName(), "It's all over now");
    const int hearts = static_cast<int>(area->GetHearts().size());
    EXPECT_EQ(hearts, 14);
    cFrameEditor frames(area.get(), s_resources.get());
    ASSERT_TRUE(frames.LoadFrameSets("res/Areas/Credits2_Frames.xml"));
    frames.Resize(960, 544);
    GlCanvas canvas(960, 544);

    cRoutePlayer player(kCreditsRoute);
    int left = -1;
    for (int t = 1; t <= 6000 && left < 0; ++t) {
        s_audio->Update();
        if (area->Update(20) == 9)
            left = t;
        frames.Update(20);
        if (t == 160) {
            frames.RenderWorldToTexture(false, false, true, true);
            canvas.Bind();
            frames.Draw();
            canvas.Save("credits_heart_of_hearts.png");
        }
        player.Play(*area);
    }
    ASSERT_GT(left, 0) << "the area was not left";
    EXPECT_EQ(area->GetExits()[0]->GetSwallowedCount(), 3);
    int score = 0, positive = 0, negative = 0;
    area->GetExitInfo(&score, &positive, &negative);
    EXPECT_EQ(score, hearts);
    EXPECT_EQ(positive, hearts);
    EXPECT_EQ(negative, 0);
}

} // namespace
