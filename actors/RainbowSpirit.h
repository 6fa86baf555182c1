#pragma once

#include "actors/PlayerChar.h"

/// The orange character's ancestor form (id 1). While it is in play the player can turn the comic
/// frames; the frame manager drives the turn through the flags below, lifting an airborne spirit
/// out of the world and putting it back where its place on the screen now lies. The first
/// terrain it touches after being put back launches it out along the contact normal, or kills it
/// when it was put back deep inside the terrain. Its hint bubble teaches turning first and the
/// launch second.
class cRainbowSpirit : public cPlayerChar
{
public:
    /// Turn directions.
    enum eTurn { TURN_RIGHT = 0, TURN_LEFT = 1, TURN_NONE = 2 };
    /// Hint stages.
    enum eHintStage { STAGE_TURNING = 0, STAGE_JUMPING = 1 };
    /// A first contact deeper than this (world units) means the spirit was put back inside terrain.
    static constexpr float kStuckDepth = 1.0f;
    /// The launch: impulse per unit of normal, sideways and (times the depth) upwards.
    static constexpr float kLaunchImpulse = 1000.0f;
    /// The small upward nudge of a launch from a contact whose normal does not point up.
    static constexpr float kLaunchNudge = 10.0f;

    /// An ancestor form; its id comes from its file (spirit.xml).
    cRainbowSpirit();

    /// As a character's tick, except: while a turn runs the spirit only flutters; a spirit in the
    /// air whose vertical speed is exactly 0 (lifted out of the world) stands; a finished change
    /// back reports 7; and the hint bubble follows the lesson.
    int Update(int dtMs) override;
    /// Also the turn flags and the lessons back to their first values.
    void Reset() override;
    /// While the launch is armed, the first terrain contact launches or kills (see the class);
    /// every other contact is a character's. Nothing while lifted out of the world.
    void OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point) override;
    /// Only while active and in the world.
    void Draw() override;
    /// The hint bubble, above the spirit's wide body; only while active and in the world.
    void DrawOverlay() override;
    /// As a character's, then with hints on an endless bubble with the current lesson.
    void Select() override;

    /// The area's per-area lessons: with hintsOn the turning lesson starts over; turnOnly teaches
    /// turning alone, over kTurnsNeededTurnOnly turns.
    void EnableSpecial(bool hintsOn, bool turnOnly);

    /// For the frame manager: has a body in the world and is jumping or falling.
    bool IsSpecialAirborne() const;
    /// Has a body and is not dying: a turn may start.
    bool IsAliveWithBody() const;
    /// The turn is over: not turning, no direction, standing picture, present again.
    void ResetSpecial();
    /// A lifted spirit with no frame under it: `ResetSpecial`, then it dies without coming back.
    void FinishSpecial();
    /// Lifted out of the world for the turn.
    void DisableSpecial();

    /// The turn flags the frame manager sets: a turn runs; which way it went last (eTurn); the
    /// spirit was put back into the world after riding a turn (its first terrain contact launches
    /// it); it stayed in the world through a turn that has just ended; it is in the world at all
    /// (false while it rides the turn on the screen).
    bool IsTurnStarted() const { return turnStarted; }
    void SetTurnStarted(bool value) { turnStarted = value; }
    int GetLastTurn() const { return lastTurn; }
    void SetLastTurn(int direction) { lastTurn = direction; }
    bool IsPlacedAfterTurn() const { return placedAfterTurn; }
    void SetPlacedAfterTurn(bool value) { placedAfterTurn = value; }
    bool HasStayedAfterTurn() const { return stayedAfterTurn; }
    void SetStayedAfterTurn(bool value) { stayedAfterTurn = value; }
    bool IsSpecialEnabled() const { return specialEnabled; }
    void SetSpecialEnabled(bool value) { specialEnabled = value; }
    bool GetShowHints() const { return hintsOn; }
    int GetHintStage() const { return hintStage; }
    int GetHintCounter() const { return hintCounter; }
    int GetTurnsNeeded() const { return turnsNeeded; }

    /// Turns that finish the turning lesson, and in turn-only areas.
    static constexpr int kTurnsNeeded = 3;
    static constexpr int kTurnsNeededTurnOnly = 5;
    /// Ticks with an armed launch, beyond the turns, after which the lessons end.
    static constexpr int kExtraCount = 100;

private:
    /// The state's work, with the spirit coming back into the world as its death ends.
    int UpdateFormState(const b2Vec2& v, int dtMs);
    /// Advances the lessons by one tick and picks the bubble's picture.
    void UpdateHints();
    /// The picture the bubble shows for the current stage and situation.
    int HintPicture() const;
    void EndHints();
    /// The picture on the bubble, when hints are on and one is shown.
    void ShowHint(int picture);

    bool hintsOn = false;
    bool turnOnly = false;
    int turnsNeeded = kTurnsNeeded;
    int extraCount = kExtraCount;
    int hintCounter = 0;
    int hintStage = STAGE_TURNING;
    bool turnStarted = false;
    int lastTurn = TURN_NONE;
    bool placedAfterTurn = false;
    bool stayedAfterTurn = false;
    bool specialEnabled = true;
};
