// Trigger boxes in a real world: characters walking through a sensor are counted by their contact
// points, only the ones the box accepts, and a box that is off or has fired once behaves as such.
#include "CharacterWorld.h"

#include "actors/TriggerBox.h"

namespace {

/// A trigger box with a sensor of its own, as the plants and info boxes give it one.
class cSensorTrigger : public cTriggerBox
{
public:
    cSensorTrigger(physics::World* world, float x, float y, bool oneTime, int requiredId)
        : cTriggerBox(oneTime, requiredId)
    {
        CreatePhysicsBody(20.0f, 20.0f, BODY_SENSOR, 0.0f, 0.5f);
        physicsBody->CreateInWorld(world, x, y, true);
    }
};

class TriggerBoxTest : public CharacterWorld
{
protected:
    ~TriggerBoxTest() override { box.reset(); }

    cSensorTrigger* MakeBox(bool oneTime, int requiredId)
    {
        box = std::make_unique<cSensorTrigger>(&world, 40.0f, 0.0f, oneTime, requiredId);
        return box.get();
    }
    /// Walks the character right until its corner passes x.
    void WalkTo(float x)
    {
        for (int t = 0; t < 300 && character->GetPosition().x < x; ++t)
            Tick([this] { character->Walk(FACING_RIGHT); });
    }

    std::unique_ptr<cSensorTrigger> box;
};

TEST_F(TriggerBoxTest, CountsTheRequiredCharacterThroughItsPointsUntilItLeaves)
{
    PlaceOnGround("gray");
    cSensorTrigger* trigger = MakeBox(false, 2);
    WalkTo(45.0f);
    EXPECT_TRUE(trigger->IsTriggered());
    EXPECT_EQ(trigger->GetContactCount(), 2) << "a character standing inside touches at two points";
    EXPECT_EQ(trigger->GetCharactersInside(), 1);
    EXPECT_TRUE(trigger->HasFired());
    const int firings = trigger->GetFireCount();

    // Off: the box lets go at once and fires no more, though it keeps counting.
    trigger->SetEnabled(false);
    EXPECT_FALSE(trigger->IsTriggered());
    WalkTo(80.0f);
    EXPECT_EQ(trigger->GetContactCount(), 0);
    trigger->OnContactAdd(character->GetPhysicsBody(), nullptr);
    EXPECT_EQ(trigger->GetContactCount(), 1);
    EXPECT_FALSE(trigger->IsTriggered());
    EXPECT_EQ(trigger->GetFireCount(), firings);

    // On again: two points and one removal keep it triggered; the count never falls below 0.
    trigger->SetEnabled(true);
    trigger->OnContactAdd(character->GetPhysicsBody(), nullptr);
    EXPECT_TRUE(trigger->IsTriggered());
    trigger->OnContactRemove(character->GetPhysicsBody());
    EXPECT_TRUE(trigger->IsTriggered());
    trigger->OnContactRemove(character->GetPhysicsBody());
    EXPECT_FALSE(trigger->IsTriggered());
    trigger->OnContactRemove(character->GetPhysicsBody());
    EXPECT_EQ(trigger->GetContactCount(), 0);
}

TEST_F(TriggerBoxTest, OnlyCharactersOfTheRequiredIdCountAndAOneTimeBoxOnlyOnce)
{
    PlaceOnGround("brown");
    cRecordingActor* fireFly = AddActor(KIND_CHARACTER, 45.0f, 30.0f, 8.0f, 8.0f, BODY_PLATFORM, 0.0f);
    cPhysicsBody* ground = terrain.front().get();
    struct sCase
    {
        const char* name;
        int requiredId;
        cPhysicsBody* other;
        bool accepted;
    };
    const sCase cases[] = {
        {"brown by a box for any character", -1, character->GetPhysicsBody(), true},
        {"brown by a box for brown", 0, character->GetPhysicsBody(), true},
        {"brown by a box for gray", 2, character->GetPhysicsBody(), false},
        {"a firefly, which shares the characters' kind", -1, fireFly->GetPhysicsBody(), false},
        {"terrain without an owner", -1, ground, false},
        {"nothing", -1, nullptr, false},
    };
    for (const sCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MakeBox(false, c.requiredId)->AcceptsContact(c.other), c.accepted);
    }

    cSensorTrigger* once = MakeBox(true, -1);
    once->SetRequiredForm(2);
    EXPECT_FALSE(once->AcceptsContact(character->GetPhysicsBody()));
    once->SetRequiredForm(0);
    WalkTo(45.0f);
    EXPECT_TRUE(once->HasFired());
    EXPECT_EQ(once->GetFireCount(), 1) << "the second point of the same entry is refused already";
    WalkTo(80.0f);
    EXPECT_TRUE(once->IsTriggered()) << "a one-time box that fired refuses the leaving points too";
}

} // namespace
