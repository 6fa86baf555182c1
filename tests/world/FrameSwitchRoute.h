#pragma once
// The way through the real area FrameSwitch, and a player that steers a character along it.
#include "world/Area.h"

#include "actors/PlayerChar.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

/// A place to reach: the character's lower-left corner at (x, y), y being the top of what it
/// stands on there. leapAt, when set, is where the character jumps on its way (over thorns or a
/// wall that stands between it and the place).
struct sWaypoint
{
    float x, y;
    float leapAt = NAN;
};

/// From the enter tree's mouth to the exit, floor by floor.
inline const std::vector<sWaypoint> kFrameSwitchRoute = {
    // bottom floor, rightwards: over the thorn bush, through the heart, up the ladder
    {150, -200, 84}, {240, -200}, {430, -200},
    {430, -187}, {430, -174}, {430, -161}, {430, -148}, {430, -136},
    // middle floor, leftwards: a jump through the heart above it, up the ladder at the left end
    {200, -136, 252}, {30, -136},
    {30, -123}, {30, -110}, {30, -97}, {30, -84}, {30, -72},
    // top floor, rightwards: onto the hill, a jump through its heart, on to the exit
    {118, -62}, {150, -62, 128}, {308, -72},
};

/// What the player's hand does in one tick on the way to a place: the direction to walk in
/// (FACING_NONE: stand) and whether to jump.
struct sSteering
{
    int walk = FACING_NONE;
    bool jump = false;
};

/// Walks towards the place and jumps where the way asks for it.
inline sSteering SteeringTowards(const cPlayerChar& walker, const sWaypoint& to)
{
    sSteering steering;
    const b2Vec2 at = walker.GetPosition();
    const float dx = to.x - at.x;
    if (std::fabs(dx) > 2.0f)
        steering.walk = dx < 0 ? FACING_LEFT : FACING_RIGHT;
    const bool leap = !std::isnan(to.leapAt) && std::fabs(at.x - to.leapAt) < 3.0f;
    const bool climb = to.y > at.y + 2.0f && std::fabs(dx) < 20.0f;
    steering.jump = (leap || climb) && walker.CanJump();
    return steering;
}

/// The player's hand on the keys, as steered. Call after the character's update, as the game
/// hands over the actions after the tick.
inline void SteerTowards(cPlayerChar& walker, const sWaypoint& to)
{
    const sSteering steering = SteeringTowards(walker, to);
    if (steering.walk != FACING_NONE)
        walker.Walk(steering.walk);
    if (steering.jump)
        walker.Jump(false);
}

/// The character stands at the place.
inline bool HasReached(const cPlayerChar& walker, const sWaypoint& to)
{
    const b2Vec2 at = walker.GetPosition();
    return std::fabs(at.x - to.x) < 4.0f && std::fabs(at.y - to.y) < 0.5f && walker.CanJump();
}

inline std::string DescribePlace(const cPlayerChar& walker)
{
    const b2Vec2 at = walker.GetPosition();
    return "(" + std::to_string(at.x) + ", " + std::to_string(at.y) + ")";
}

/// The player of a whole area: steers the character under control along the way, and at its end
/// asks the exit to let it in. Each character keeps its own progress.
class cRoutePlayer
{
public:
    explicit cRoutePlayer(const std::vector<sWaypoint>& route = kFrameSwitchRoute) : route(route) {}

    /// The keys of one tick, after the area's update.
    void Play(cArea& area)
    {
        cPlayerChar* c = area.GetCurrentPlayer();
        if (!c || !c->IsPresent() || !c->HasBody())
            return;
        size_t& next = progress[static_cast<size_t>(c->GetId())];
        if (next < route.size() && HasReached(*c, route[next]))
            ++next;
        if (next < route.size())
            SteerTowards(*c, route[next]);
        else
            area.SetExitsTarget(c->GetId());
    }

private:
    std::vector<sWaypoint> route;
    /// Waypoints reached so far by each character.
    std::array<size_t, 3> progress{};
};
