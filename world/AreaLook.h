#pragma once

class cArea;
class cPlayerChar;

/// The area's change into the Land of Fireflies and back to day. The weight that the sky, the
/// pictures and the trees follow moves by 0.02 per tick (`cAreaTick`); the ambience cross-fades
/// over a second; the objects with a look of their own switch at once. Going in, orange and gray
/// turn into the fireflies that carry them until the day comes back.
///
/// A delegate of `cArea` that keeps nothing itself.
class cAreaLook
{
public:
    explicit cAreaLook(cArea& area) : area(area) {}

    /// Orange and gray (plain, in the world) become their fireflies and leave the world; unless the
    /// area is fully in the Land of Fireflies already, the weight starts rising, the ambience
    /// cross-fades to night and the objects switch.
    void InitiateLoF();
    /// The weight starts falling, the ambience cross-fades to day and the objects switch back.
    void InitiateDay();
    /// Every object with a Land-of-Fireflies look switches to it, or back to its day look.
    void ApplyLoFToEntities();
    void ApplyDayToEntities();

private:
    /// The character becomes its firefly, when it has one.
    void TurnIntoFireFly(cPlayerChar& character);

    cArea& area;
};
