// Info boxes in the area's real world: a character the box accepts stepping in opens its hint
// bubble, stepping in again keeps an open bubble up a while longer, and an info heart box goes
// quiet once its emitter has fired.
#include "BoxArea.h"

#include "actors/EmitterBox.h"
#include "actors/InfoTriggerHeartBox.h"
#include "engine/Controls.h"
#include "engine/HintBubble.h"

#include <QXmlStreamReader>

namespace {

constexpr int kDisplayMs = 5000;
constexpr int kContent = 3;
constexpr float kBoxX = 40.0f;

class InfoBoxTest : public BoxArea
{
protected:
    /// The character steps out of the box (out of the world) and into it again.
    void Reenter(cPlayerChar* c)
    {
        c->Reset();
        Tick();
        Place(c, kBoxX + 5.0f, 0.0f);
    }
    /// Ticks until the bubble has at most ms left.
    void TickUntilLeft(const cInfoTriggerBox& box, int ms)
    {
        ASSERT_TRUE(TickUntil([&] { return box.GetHintBubble()->GetTimeLeft() <= ms; }, 400));
    }
};

TEST_F(InfoBoxTest, OpensItsBubbleForItsCharacterOnlyAndKeepsOrLengthensItOnReentry)
{
    boxes->AddInfoTriggerHeartBox(static_cast<int>(kBoxX), 0, 30.0f, 30.0f, -1, 6.0f, 32.0f, false, kContent, 2, false,
                                  kDisplayMs);
    ASSERT_EQ(boxes->GetInfoTriggerBoxes().size(), 1u);
    cInfoTriggerBox& box = *boxes->GetInfoTriggerBoxes().front();
    Place(Plain(0), kBoxX + 5.0f, 0.0f);
    Tick(5);
    EXPECT_EQ(box.GetHintBubble(), nullptr) << "brown is not the one it waits for";

    Place(Plain(2), kBoxX + 15.0f, 0.0f);
    Tick();
    ASSERT_NE(box.GetHintBubble(), nullptr);
    EXPECT_EQ(box.GetHintBubble()->GetContent(), kContent);
    TickUntilLeft(box, 2500);
    ASSERT_TRUE(box.GetHintBubble()->IsOpen());

    // 2000 ms or more to go: left alone.
    const cHintBubble* first = box.GetHintBubble();
    Reenter(Plain(2));
    const int left = first->GetTimeLeft();
    Tick();
    EXPECT_EQ(box.GetHintBubble(), first);
    EXPECT_EQ(box.GetHintBubble()->GetTimeLeft(), left - 20);

    // Less: half the display time.
    TickUntilLeft(box, 1800);
    ASSERT_TRUE(box.GetHintBubble()->IsOpen());
    Reenter(Plain(2));
    Tick();
    EXPECT_EQ(box.GetHintBubble(), first);
    EXPECT_EQ(box.GetHintBubble()->GetTimeLeft(), kDisplayMs / 2);

    // A closing bubble makes way for a new one.
    TickUntilLeft(box, 1500);
    ASSERT_FALSE(box.GetHintBubble()->IsOpen());
    Reenter(Plain(2));
    Tick();
    ASSERT_NE(box.GetHintBubble(), nullptr);
    EXPECT_EQ(box.GetHintBubble()->GetTimeLeft(), kDisplayMs);

    Plain(2)->Reset();
    ASSERT_TRUE(TickUntil([&] { return box.GetHintBubble() == nullptr; }, 400)) << "a bubble that ends goes";
}

TEST_F(InfoBoxTest, AOneTimeBoxShowsItsBubbleOnceAndAHeartBoxGoesQuietWhenItsEmitterFires)
{
    boxes->AddInfoTriggerHeartBox(static_cast<int>(kBoxX), 0, 30.0f, 30.0f, -1, 0.0f, 30.0f, true, kContent, -1, false,
                                  kDisplayMs);
    cInfoTriggerBox& once = *boxes->GetInfoTriggerBoxes().front();
    Place(Plain(1), kBoxX + 5.0f, 0.0f);
    Tick();
    EXPECT_NE(once.GetHintBubble(), nullptr) << "its first entry shows the bubble";
    ASSERT_TRUE(TickUntil([&] { return once.GetHintBubble() == nullptr; }, 400));
    Reenter(Plain(1));
    Tick(5);
    EXPECT_EQ(once.GetHintBubble(), nullptr);

    // An info heart box names an emitter by its place among the area's emitters.
    const std::string refused = StdoutOf([&] {
        boxes->AddInfoTriggerHeartBox(-100, 0, 30.0f, 30.0f, 0, 0.0f, 30.0f, false, kContent, -1, false, kDisplayMs);
    });
    EXPECT_NE(refused.find("No heart box with index 0 found"), std::string::npos);
    EXPECT_TRUE(boxes->GetInfoTriggerHeartBoxes().empty());
    QXmlStreamReader xml("<EmitterBox x=\"-130\" y=\"0\" type=\"3\"></EmitterBox>");
    xml.readNext();
    xml.readNext();
    auto* emitter = new cEmitterBox();
    emitter->ReadXml(xml);
    boxes->AddEmitterBox(emitter);
    boxes->AddInfoTriggerHeartBox(-100, 0, 30.0f, 30.0f, 0, 0.0f, 30.0f, false, 7, -1, false, kDisplayMs);
    cInfoTriggerHeartBox& lesson = *boxes->GetInfoTriggerHeartBoxes().front();
    EXPECT_EQ(lesson.GetEmitterBox(), emitter);

    // Its lesson follows the keys in use; the plain box keeps its own picture.
    customControls = true;
    Tick();
    EXPECT_EQ(lesson.GetInfoValue(), 38);
    EXPECT_EQ(once.GetInfoValue(), kContent);
    customControls = false;
    Tick();
    EXPECT_EQ(lesson.GetInfoValue(), 9);

    Place(Plain(0), -95.0f, 0.0f);
    Tick();
    ASSERT_NE(lesson.GetHintBubble(), nullptr);
    Tick(30);
    Plain(0)->Reset();
    Place(Plain(0), -129.0f, 1.5f);
    Tick(10);
    Tick(1, [&] { Plain(0)->Jump(true); });
    ASSERT_TRUE(TickUntil([&] { return !emitter->IsReady(); }));
    Tick();
    EXPECT_FALSE(lesson.IsEnabled());
    EXPECT_FALSE(lesson.GetHintBubble()->IsOpen()) << "closing";
    Plain(0)->Reset();
    Tick();
    Place(Plain(0), -95.0f, 0.0f);
    Tick();
    EXPECT_FALSE(lesson.GetHintBubble() && lesson.GetHintBubble()->IsOpen()) << "no new bubble";
}

} // namespace
