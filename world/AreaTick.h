#pragma once

#include "world/AreaRoster.h"

class cArea;
class cMushroom;
class cPhysicsBody;
class FireFly;
class cPlayerChar;

/// One tick of an area, in a fixed order: its sound, the exit check, then (unless the area is
/// held still) the sky, the Land-of-Fireflies weight, every object list with the elapsed time and
/// the area's answer to what each object reports, the characters and their results, the bat
/// king's switched terrain, and last one physics step of 1/22 s whatever the elapsed time.
///
/// A delegate of `cArea` that keeps nothing itself; the area's `Update` runs it. Times in
/// milliseconds (every tick passes 20), positions in world units.
class cAreaTick
{
public:
    explicit cAreaTick(cArea& area) : area(area), roster(area) {}

    /// Advances the area by dtMs; a `cArea::eResult`. Once the exit condition has been met the area
    /// fades its sound out over 600 ms and only its sound moves on; while paused only the sound
    /// and the exit check run.
    int Run(int dtMs);

    /// Every character taking part (active, dying or inside an exit; at least one) is inside one
    /// exit tree whose mouth is at rest.
    bool IsExitReached() const;

private:
    /// The objects of the area before the characters, in their fixed order.
    void UpdateSky(int dtMs);
    void UpdateDayNightBlend();
    void UpdateWater(int dtMs);
    /// Emitters, the water, then stack boxes; a frame changer's answer becomes the frame set asked
    /// for (RESULT_FRAME_SET), the last one of the tick winning.
    int UpdateBoxes(int dtMs);
    /// Info boxes, the heart boxes' ones with the lesson for the keys in use.
    void UpdateInfoBoxes(int dtMs);
    /// A firefly that has finished vanishing lets the character of that id (orange 1, gray 2) down
    /// where it was, unless that place in the roster is taken by a form or a character in the world.
    void UpdateFireFlies(int dtMs);
    void BringBack(const FireFly& fireFly, int id);
    void UpdateEnterTrees(int dtMs);
    void UpdateExits(int dtMs);
    /// Plants, then mushrooms, whose spores draw the fliers and the fireflies in and, while they
    /// last, keep every other mushroom from sporing; then glow mushrooms.
    void UpdatePlants(int dtMs);
    void DrawToSpores(cMushroom& sporing);
    void ReleaseFromSpores(const cMushroom& spent);
    /// Hearts near their exit open its mouth; arrived ones are eaten by the first exit, counted by
    /// the others and deleted. Every heart is updated once, whatever goes before it.
    void UpdateHearts(int dtMs);
    /// Each character in roster order, acting on its result at once (the entry may be replaced).
    int UpdatePlayers(int dtMs);
    /// The area's answer to character i's result; `cArea::RESULT_FORM_CHANGED` when a form came or
    /// went.
    int HandlePlayerResult(int i, int result);
    /// The shared plain character of that id; null without shared assets.
    cPlayerChar* Plain(int id) const;
    /// The theme of the form of that id fades out.
    void StopTheme(int id);
    /// Brown became the antler form: the area turns into the Land of Fireflies, the others into
    /// fireflies. Turning back brings the day and the others back.
    void BecomeAntler(int i);
    void LeaveAntler(int i);
    /// Orange became the rainbow spirit, whose special move follows the area's lessons; the stack
    /// boxes wait until it turns back.
    void BecomeSpirit(int i);
    /// A dead character comes back out of the enter tree.
    void Respawn(cPlayerChar* character);
    /// While the bat land is on, the bat king's bubbles open the terrain they reach (type 6); the
    /// rest closes again, killing whoever stands inside it.
    void UpdateBatLandBodies();
    void KillInside(const cPhysicsBody& body);
    /// The physics step, after which nobody counts as just placed.
    void Step();

    cArea& area;
    cAreaRoster roster;
};
