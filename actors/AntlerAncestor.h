#pragma once

#include "actors/PlayerChar.h"

/// The brown character's ancestor form (id 0): it can jump once more in the air, with a burst of
/// stars where the second jump starts, and landing arms that jump again. Its hint bubble teaches
/// the double jump until the player has used it often enough.
class cAntlerAncestor : public cPlayerChar
{
public:
    /// Air jumps after which the form stops explaining them.
    static constexpr int kAirJumpsUntilHintsEnd = 50;
    /// A jump never makes the form rise faster than this (world units/s): the jump impulse over
    /// the form's mass.
    static constexpr float kMaxRiseSpeed = 120.0f;

    /// An ancestor form; its id comes from its file (antler.xml).
    cAntlerAncestor();

    /// As a character's tick, except that an antler's jump shows no facing while it rises
    /// straight up, and a finished change back reports 4. The hints end after more than
    /// kAirJumpsUntilHintsEnd air jumps.
    int Update(int dtMs) override;
    /// Also forgets the air jumps counted and switches the hints off until the area asks for them.
    void Reset() override;
    /// True also in the air while the air jump is armed, but never without a body in a world.
    bool CanJump() const override;
    /// On the ground a jump as a character's; in the air the one air jump, which first cancels
    /// any fall so that both jumps rise alike. Either way never faster than kMaxRiseSpeed.
    void Jump(bool headJump) override;
    /// Arms the air jump again and puts the stars away.
    void Land() override;
    /// As a character's, then with hints on an endless bubble that explains the jumps.
    void Select() override;
    /// The form, then the stars of an air jump until they have played.
    void Draw() override;
    /// The hint bubble, a little higher than a character's to clear the antlers.
    void DrawOverlay() override;

    /// Whether the hint bubble explains the jumps; the area sets it per area.
    void SetShowHints(bool on) { hintsOn = on; }
    bool GetShowHints() const { return hintsOn; }
    bool IsAirJumpArmed() const { return airJumpArmed; }
    bool AreStarsShowing() const { return starsShowing; }
    /// Where the stars of the last air jump are drawn: the body's corner when it jumped.
    b2Vec2 GetStarPosition() const { return starPosition; }
    int GetAirJumpCount() const { return airJumpCount; }

private:
    bool IsInAir() const { return state == PLAYER_JUMP || state == PLAYER_FALL; }
    /// The air jump's own part: stars, crystal sound and the fall cancelled.
    void StartAirJump();
    /// The hint picture for default or custom keys on the bubble, when hints are on and one is shown.
    void ShowHint(int defaultKeys, int customKeys);
    /// The file's jump stars (animation 24); null when the file lacks them.
    cAnimation* Stars() const { return GetAnimation(ANIM_SPECIAL); }

    bool airJumpArmed = true;
    bool starsShowing = false;
    b2Vec2 starPosition{0.0f, 0.0f};
    int airJumpCount = 0;
    bool hintsOn = true;
};
