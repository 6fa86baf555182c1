#include "actors/CharacterRide.h"

#include "actors/PlayerChar.h"

#include <algorithm>

namespace {

/// No more characters than this stand on each other; links are never circular, and this keeps it so.
constexpr int kMaxStack = 4;

} // namespace

cCharacterRide::~cCharacterRide()
{
    Leave();
    for (cPlayerChar* rider : riders) {
        rider->GetRide().carrier = nullptr;
        rider->GetRide().points = 0;
    }
}

void cCharacterRide::StandOn(cPlayerChar& lower)
{
    if (carrier != &lower) {
        Leave();
        carrier = &lower;
        lower.GetRide().riders.push_back(&owner);
    }
    ++points;
}

void cCharacterRide::StepOff(const cPlayerChar& lower)
{
    if (carrier == &lower && --points <= 0)
        Leave();
}

void cCharacterRide::Leave()
{
    if (carrier) {
        std::vector<cPlayerChar*>& list = carrier->GetRide().riders;
        list.erase(std::remove(list.begin(), list.end(), &owner), list.end());
    }
    carrier = nullptr;
    points = 0;
}

bool cCharacterRide::IsRiding() const
{
    const int state = owner.GetState();
    return carrier && (state == PLAYER_STAND || state == PLAYER_LAND);
}

float cCharacterRide::GetCarrierSpeed() const
{
    return carrier ? carrier->GetLinearVelocity().x : 0.0f;
}

void cCharacterRide::CarryRiders() const
{
    CarryRiders(owner.GetLinearVelocity().x, kMaxStack);
}

void cCharacterRide::CarryRiders(float vx, int levels) const
{
    // A rider carries its own riders on: the one at the top of a stack must not wait for the
    // middle one's next update.
    if (levels <= 0)
        return;
    for (cPlayerChar* rider : riders)
        if (rider->GetRide().IsRiding()) {
            rider->SetLinearVelocity(vx, rider->GetLinearVelocity().y);
            rider->GetRide().CarryRiders(vx, levels - 1);
        }
}
