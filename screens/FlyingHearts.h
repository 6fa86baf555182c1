#pragma once

#include <memory>
#include <vector>

class cContactFilter;
class cContactListener;
class cHeart;
namespace physics {
class World;
}

/// The hearts the player brought out of an area, flying once across a screen between areas from
/// (550, 300) to (-20, 120) in screen units. Hearts need bodies, so they live in a small world of
/// their own with the game's contact listener and filter; nothing else is in it and it is never
/// stepped: the hearts move along their own paths.
class cFlyingHearts
{
public:
    /// pinkHearts hearts of value 1 and greenHearts of value -1 (a count below 0 makes none),
    /// all setting off at once.
    cFlyingHearts(int pinkHearts, int greenHearts);
    ~cFlyingHearts();
    cFlyingHearts(const cFlyingHearts&) = delete;
    cFlyingHearts& operator=(const cFlyingHearts&) = delete;

    /// Moves every heart, pink ones first; a heart that arrives is spent (no body, not drawn).
    void Update(int dtMs);
    /// Every heart at its body's place times scale, scale times as large, in window pixels.
    void Draw(int scale) const;

    const std::vector<std::unique_ptr<cHeart>>& GetPinkHearts() const { return pinkHearts; }
    const std::vector<std::unique_ptr<cHeart>>& GetGreenHearts() const { return greenHearts; }

private:
    // Declared in the order that lets the hearts go before their world, and the world before the
    // listener and filter it calls.
    std::unique_ptr<cContactListener> contactListener;
    std::unique_ptr<cContactFilter> contactFilter;
    std::unique_ptr<physics::World> world;
    std::vector<std::unique_ptr<cHeart>> pinkHearts;
    std::vector<std::unique_ptr<cHeart>> greenHearts;
};
