// The box test area played through with the keys of its route, as the game runs an area: the area
// and its frames tick, the frame changer's answer switches the frame set, and the pictures of the
// world texture and of the frames are saved for a person to look at.
#include "world/FrameEditor.h"

#include "app/Game.h"
#include "actors/EmitterBox.h"
#include "actors/InfoTriggerHeartBox.h"
#include "actors/ReceiverBox.h"
#include "actors/StackBoxFrameConfig.h"
#include "engine/Controls.h"
#include "engine/HintBubble.h"

#include "tests/support/GlCanvas.h"
#include "tests/world/AreaFiles.h"
#include "tests/world/KeyRoute.h"

#include <gmock/gmock.h>


namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const char* const kAreaFile = "boxarea/BoxArea.xml";
const char* const kFrameSetFile = "boxarea/BoxArea_Frames.xml";
const QString kRouteFile = QString(MIRROWEN_SOURCE_DIR) + "/tests/world/boxarea/BoxArea.route";
constexpr int kWidth = 960, kHeight = 544;

class BoxAreaTest : public AreaFileFixture
{
protected:
    void LoadBoxArea()
    {
        area = std::make_unique<cArea>(kAreaFile, s_resources.get());
        output = StdoutOf([this] { initialised = area->Init(s_audio.get(), false, false); });
        ASSERT_TRUE(initialised) << output;
        frames = std::make_unique<cFrameEditor>(area.get(), s_resources.get());
        ASSERT_TRUE(frames->LoadFrameSets(kFrameSetFile));
        frames->Resize(kWidth, kHeight);
    }
    void TearDown() override
    {
        frames.reset();
        AreaFileFixture::TearDown();
    }
    /// One tick as the controller runs it: the area, a frame-set switch it asks for, the frames.
    int Tick()
    {
        int result = 0;
        output += StdoutOf([&] { result = area->Update(20); });
        cGame::ApplyAreaResult(result, *area, *frames);
        frames->Update(20);
        return result;
    }
    /// The world texture and the frames on the screen, saved under name.
    void Picture(const char* name)
    {
        frames->RenderWorldToTexture(false, false, true, true);
        std::vector<unsigned char> texels(512 * 512 * 4);
        glBindTexture(GL_TEXTURE_2D, frames->GetWorldTexture());
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        glBindTexture(GL_TEXTURE_2D, 0);
        QImage world(texels.data(), 512, 512, QImage::Format_RGBA8888);
        const QString dir = QString(MIRROWEN_BINARY_DIR) + "/test-pictures/";
        // The floor's strip, texel for texel, then twice as large for the eye.
        const QImage strip = world.mirrored().copy(0, 512 - 330, 512, 100);
        strip.save(dir + name + "_world.png");
        strip.scaled(1024, 200).save(dir + name + "_world_x2.png");
        canvas.Bind();
        frames->Draw();
        canvas.Save(QString(name) + "_frames.png");
    }

    std::unique_ptr<cFrameEditor> frames;
    GlCanvas canvas{kWidth, kHeight};
};

TEST_F(BoxAreaTest, TheAreaFileMakesEveryKindOfBoxInFileOrder)
{
    LoadBoxArea();
    EXPECT_THAT(output, Not(HasSubstr("NOTE:")));
    EXPECT_THAT(output, Not(HasSubstr("ERROR")));
    ASSERT_EQ(area->GetEmitterBoxes().size(), 1u);
    const cEmitterBox& chest = *area->GetEmitterBoxes().front();
    EXPECT_EQ(chest.GetId(), 0);
    EXPECT_NEAR(chest.GetPosition().x, 80.0f, 1e-3f);
    ASSERT_EQ(chest.GetReceivers().size(), 3u);
    EXPECT_EQ(chest.GetReceivers()[0]->GetType(), cReceiverBox::DISAPPEARING);
    EXPECT_EQ(chest.GetReceivers()[1]->GetType(), cReceiverBox::APPEARING_PLANK);
    EXPECT_EQ(chest.GetReceivers()[2]->GetType(), cReceiverBox::APPEARING_CRATE);
    ASSERT_EQ(area->GetFrameChangers().size(), 1u);
    EXPECT_FALSE(area->GetFrameChangers().front()->IsLocked());
    ASSERT_EQ(area->GetStackBoxes().size(), 1u);
    EXPECT_EQ(area->GetStackBoxes().front()->GetType(), 1) << "the file's 8 less 7";
    ASSERT_EQ(area->GetInfoTriggerBoxes().size(), 1u);
    const cInfoTriggerBox& greeting = *area->GetInfoTriggerBoxes().front();
    EXPECT_EQ(greeting.GetRequiredForm(), 0);
    EXPECT_EQ(greeting.GetInfoValue(), 18);
    EXPECT_EQ(greeting.GetDisplayTime(), 4000);
    ASSERT_EQ(area->GetInfoTriggerHeartBoxes().size(), 1u);
    EXPECT_EQ(area->GetInfoTriggerHeartBoxes().front()->GetEmitterBox(), &chest);

    // A file type below the first blueprint's wraps round as a 16-bit box type; the lesson flags
    // follow `tutorial`. With keys of the player's own, an info box shows the picture without keys.
    frames.reset();
    customControls = true;
    Load(QByteArray(kTestTrees) + "<StackBox x=\"1\" y=\"2\" type=\"5\"/>\n" +
         "<StackBox x=\"40\" y=\"2\" type=\"8\" tutorial=\"1\"/>\n" +
         "<StackBox x=\"80\" y=\"2\" type=\"7\" tutorial=\"2\"/>\n" +
         "<InfoTriggerBox x=\"120\" y=\"2\" w=\"9\" h=\"9\" info_anim_index=\"17\"/>\n");
    customControls = false;
    EXPECT_EQ(area->GetInfoTriggerBoxes().front()->GetInfoValue(), 38);
    EXPECT_THAT(output, Not(HasSubstr("ERROR")));
    ASSERT_EQ(area->GetStackBoxes().size(), 3u);
    EXPECT_EQ(area->GetStackBoxes().front()->GetType(), 65534);
    EXPECT_TRUE(area->IsSpiritTutorial());
    EXPECT_TRUE(area->IsAntlerTutorial());
    EXPECT_TRUE(area->IsSpiritSpecialMode());
}

TEST_F(BoxAreaTest, ThePlayerPlaysThroughWithTheKeysOfTheRoute)
{
    LoadBoxArea();
    cKeyRoute route;
    ASSERT_TRUE(route.Load(kRouteFile)) << route.GetError().toStdString();
    const cInfoTriggerBox& greeting = *area->GetInfoTriggerBoxes().front();
    const cInfoTriggerHeartBox& lesson = *area->GetInfoTriggerHeartBoxes().front();
    const cEmitterBox& chest = *area->GetEmitterBoxes().front();
    const cReceiverBox& stone = *chest.GetReceivers().front();
    const cStackBox& pedestal = *area->GetStackBoxes().front();

    const cStackBoxFrameConfig& changer = *area->GetFrameChangers().front();
    int greetings = 0, frameSwitches = 0, firedAt = -1, towerAt = -1, leftAt = -1;
    bool towerShown = false;
    bool lessonShown = false;
    const cHintBubble* lastGreeting = nullptr;
    for (int t = 0; t < route.GetTickCount(); ++t) {
        const int result = Tick();
        route.Apply(*area, t);
        // Brown's greeting opens once: orange and gray pass the box later without a word.
        greetings += greeting.GetHintBubble() && greeting.GetHintBubble() != lastGreeting ? 1 : 0;
        lastGreeting = greeting.GetHintBubble();
        lessonShown = lessonShown || (lesson.GetHintBubble() && lesson.GetHintBubble()->IsShowingContent());
        if (firedAt < 0 && !chest.IsReady())
            firedAt = t;
        if (result == cArea::RESULT_FRAME_SET && ++frameSwitches == 1)
            towerAt = t;
        if (result == cArea::RESULT_LEAVING && leftAt < 0)
            leftAt = t;
        if (t == 130)
            Picture("boxarea_greeting");
        if (firedAt >= 0 && t == firedAt + 12)
            Picture("boxarea_hearts");
        if (!towerShown && !changer.IsArmed()) {
            Picture("boxarea_tower");
            towerShown = true;
        }
        if (towerAt >= 0 && t == towerAt + 60)
            Picture("boxarea_switched");
    }
    Picture("boxarea_end");

    EXPECT_EQ(greetings, 1);
    EXPECT_TRUE(lessonShown);
    ASSERT_GE(firedAt, 0) << "brown's head-jump opens the chest";
    EXPECT_FALSE(lesson.IsEnabled()) << "the chest's lesson is over once it is open";
    for (const cReceiverBox* receiver : chest.GetReceivers())
        EXPECT_TRUE(receiver->HasReceived());
    EXPECT_FALSE(stone.HasBody());
    EXPECT_EQ(stone.GetAlpha(), 0);
    EXPECT_EQ(frameSwitches, 1) << "the tower stands once, though its top walks in its cell";
    EXPECT_GT(towerAt, firedAt) << "the tower is built past the tunnel the stone closed";
    EXPECT_EQ(frames->GetCurrentFrameSet(), 1);
    EXPECT_TRUE(pedestal.IsArmed()) << "walking over the orange box solves nothing";
    ASSERT_GT(leftAt, towerAt) << "all three reach the exit";
    EXPECT_TRUE(area->IsFinishing());
    for (const cPlayerChar* c : area->GetPlayers())
        EXPECT_EQ(c->GetState(), PLAYER_IN_EXIT) << c->GetId();
}

} // namespace
