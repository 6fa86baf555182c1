// What touching things does to a character, in a real world through the physics layer: killing
// terrain, landing, standing on each other, head-jumps, drops by a firefly and bodies that push.
#include "CharacterWorld.h"

#include "actors/CharacterContact.h"
#include "actors/CharacterMotion.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

/// Two characters on ground whose top is at y = 0: `character` (brown) below, `upper` (orange).
class CharacterContactsTest : public CharacterWorld
{
protected:
    void PlaceBoth(float upperX, float upperY, bool upperForm = false)
    {
        PlaceOnGround();
        upper = Load(upperForm ? "antler" : "orange", upperForm);
        upper->Reset();
        upper->Init(&world, upperX, upperY);
    }

    /// One tick of both, the world's step, then the actions.
    void TickBoth(const std::function<void()>& actions = {})
    {
        upper->Update(kTick);
        Tick(actions);
    }

    /// Ticks both until the upper character stands or lands (at most limit ticks).
    void UntilUpperOnSomething(int limit = 100)
    {
        for (int t = 0; t < limit; ++t) {
            TickBoth();
            if (upper->GetState() == PLAYER_LAND || upper->GetState() == PLAYER_STAND)
                return;
        }
    }

    std::unique_ptr<cPlayerChar> upper;
};

TEST_F(CharacterContactsTest, StacksAndRides)
{
    PlaceBoth(0.0f, 30.0f);
    for (int t = 0; t < 60; ++t) {
        TickBoth();
    }
    printf("upper %f %f state %d carried %d\n", upper->GetPosition().x, upper->GetPosition().y, upper->GetState(), character->GetCarried());
    for (int t = 0; t < 30; ++t) {
        TickBoth([&] { character->Walk(FACING_RIGHT); });
        printf("lower %f upper %f %f state %d carried %d\n", character->GetPosition().x, upper->GetPosition().x, upper->GetPosition().y, upper->GetState(), character->GetCarried());
    }
}

} // namespace
