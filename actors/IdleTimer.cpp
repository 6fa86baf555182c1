#include "actors/IdleTimer.h"

#include <cstdlib>

namespace {

int RandomBelow(int n)
{
    return std::rand() % n;
}

} // namespace

void cIdleTimer::Wait(int ms)
{
    timeLeft = ms;
    playing = false;
}

void cIdleTimer::WaitAfterStanding()
{
    Wait(RandomBelow(3000) + 5000);
}

void cIdleTimer::WaitAfterIdle()
{
    Wait(RandomBelow(3000) + 10000);
}

bool cIdleTimer::Expire(int dtMs, bool carried)
{
    if (playing)
        return false;
    timeLeft -= dtMs;
    return timeLeft < 1 && !carried;
}

int cIdleTimer::PickIdle()
{
    const int r = RandomBelow(100);
    return r < 33 ? 0 : r < 66 ? 1 : 2;
}
