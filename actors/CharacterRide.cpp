#include "actors/CharacterRide.h"

#include "actors/PlayerChar.h"

#include <algorithm>

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
    const float vx = owner.GetLinearVelocity().x;
    for (cPlayerChar* rider : riders)
        if (rider->GetRide().IsRiding())
            rider->SetLinearVelocity(vx, rider->GetLinearVelocity().y);
}
