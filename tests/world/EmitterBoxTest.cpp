// Emitter and receiver boxes in the area's real world: the right character head-jumping onto an
// emitter sends one heart to each receiver, which appears (plank, crate), or breaks and fades
// (stone block) when its heart arrives.
#include "BoxArea.h"

#include "actors/EmitterBox.h"
#include "actors/Heart.h"
#include "actors/ReceiverBox.h"
#include "engine/Animation.h"

#include <QXmlStreamReader>

namespace {

constexpr int kFire = 19;

class EmitterBoxTest : public BoxArea
{
protected:
    /// An emitter read from its element as the area file holds it, put into the area.
    cEmitterBox* AddEmitter(const QByteArray& element)
    {
        QXmlStreamReader xml("<ZORV_AREA_SAVE_FILE>" + element + "<After/></ZORV_AREA_SAVE_FILE>");
        while (!xml.atEnd() && !(xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("EmitterBox"))) {
        }
        auto* box = new cEmitterBox();
        EXPECT_TRUE(box->ReadXml(xml));
        EXPECT_TRUE(xml.isEndElement() && xml.name() == QLatin1String("EmitterBox")) << "left on its end tag";
        boxes->AddEmitterBox(box);
        return box;
    }
    /// The character stands on the emitter, then jumps and comes down on it, head-jumping or not.
    void JumpOnto(cEmitterBox& box, cPlayerChar* c, bool headJump)
    {
        Place(c, box.GetPosition().x + 1.0f, box.GetPosition().y + 1.5f);
        Tick(10);
        ASSERT_TRUE(c->CanJump());
        Tick(1, [&] { c->Jump(headJump); });
        ASSERT_TRUE(TickUntil([&] { return c->GetState() == PLAYER_STAND; })) << "back on the box";
    }
};

TEST_F(EmitterBoxTest, AHeadJumpOfItsCharacterSendsAHeartToEachReceiverWhichChangesWhenItArrives)
{
    cEmitterBox* emitter = AddEmitter(
        "<EmitterBox x=\"40\" y=\"0\" type=\"0\">"
        "<ReceiverBox x=\"100\" y=\"30\" type=\"0\"/><Decoration x=\"1\"/>"
        "<ReceiverBox x=\"130\" y=\"0\" type=\"1\"/>"
        "<ReceiverBox x=\"160\" y=\"0\" type=\"2\"/>"
        "<ReceiverBox x=\"190\" y=\"0\" type=\"9\"/>"
        "</EmitterBox>");
    const std::vector<cReceiverBox*>& receivers = emitter->GetReceivers();
    ASSERT_EQ(receivers.size(), 4u);
    EXPECT_EQ(receivers[3]->GetType(), -1);
    EXPECT_TRUE(emitter->IsReady());
    for (size_t i = 0; i < receivers.size(); ++i)
        EXPECT_EQ(receivers[i]->HasBody(), i == 2) << "only the stone block stands there before its heart";

    // Landing without a head-jump, or gray's head-jump on brown's chest, opens nothing.
    JumpOnto(*emitter, Plain(0), false);
    Plain(0)->Reset();
    JumpOnto(*emitter, Plain(2), true);
    Plain(2)->Reset();
    EXPECT_TRUE(emitter->IsReady());
    EXPECT_TRUE(emitter->GetHearts().empty());
    EXPECT_FALSE(emitter->CanFire(store->GetFireFly(0))) << "fireflies share the characters' kind";

    const cAnimation* armed = emitter->GetCurrentAnimation();
    JumpOnto(*emitter, Plain(0), true);
    TakeSounds();
    EXPECT_EQ(CountOf(kFire), 1);
    EXPECT_FALSE(emitter->IsReady());
    EXPECT_NE(emitter->GetCurrentAnimation(), armed) << "opened";
    ASSERT_EQ(emitter->GetHearts().size(), receivers.size());
    for (size_t i = 0; i < receivers.size(); ++i) {
        const cHeart* heart = emitter->GetHearts()[i];
        EXPECT_TRUE(heart->IsTravelling());
        EXPECT_EQ(heart->GetTarget(), b2Vec2(std::trunc(receivers[i]->GetMouthPosition().x),
                                             std::trunc(receivers[i]->GetMouthPosition().y)));
    }

    ASSERT_TRUE(TickUntil([&] { return receivers[0]->HasReceived() && receivers[3]->HasReceived(); }));
    TakeSounds();
    EXPECT_GE(CountOf(kFire), 1) << "each arrival";
    EXPECT_TRUE(receivers[0]->HasBody());
    EXPECT_TRUE(receivers[1]->HasBody());
    EXPECT_FALSE(receivers[2]->HasBody());
    EXPECT_TRUE(receivers[3]->HasBody()) << "looks like stone, appears like the crate";
    // The grown crate is drawn from higher up and its look reaches down as far: it stands on its body.
    const cReceiverBox& crate = *receivers[1];
    EXPECT_GT(crate.GetDrawPosition().y, crate.GetPosition().y);
    EXPECT_FLOAT_EQ(crate.GetDrawPosition().y + crate.GetCurrentAnimation()->GetOffsetY(), crate.GetPosition().y);
    for (const cHeart* heart : emitter->GetHearts())
        EXPECT_FALSE(heart->IsVisible()) << "spent";

    // The stone block fades out over 85 ticks; a character dropped onto the crate stands on it.
    const int alpha = receivers[2]->GetAlpha();
    Tick((alpha + 2) / 3);
    EXPECT_EQ(receivers[2]->GetAlpha(), 0);
    Place(Plain(1), 131.0f, 40.0f);
    Tick(40);
    EXPECT_NEAR(Plain(1)->GetPosition().y, receivers[1]->GetPosition().y + receivers[1]->GetHeight(), 0.05f);

    // Opened once, for good.
    Plain(0)->Reset();
    JumpOnto(*emitter, Plain(0), true);
    TakeSounds();
    EXPECT_EQ(CountOf(kFire), 0);
}

TEST_F(EmitterBoxTest, ANeutralEmitterOpensForAnyoneAndOneWithoutReceiversSendsNothing)
{
    cEmitterBox* emitter = AddEmitter("<EmitterBox x=\"-40\" y=\"0\" type=\"16\"/>");
    JumpOnto(*emitter, Plain(2), true);
    TakeSounds();
    EXPECT_EQ(CountOf(kFire), 1);
    EXPECT_FALSE(emitter->IsReady());
    EXPECT_TRUE(emitter->GetHearts().empty());
}

} // namespace
