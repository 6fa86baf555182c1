#pragma once

#include "actors/TreeLooks.h"
#include "engine/PhysicsActor.h"

#include <QString>

#include <string>
#include <vector>

class cAnimation;
class cPlayerChar;
class cScoreIndicator;
class QXmlStreamAttributes;

/// What the exit's mouth is doing.
enum eMouthState
{
    MOUTH_NEUTRAL = 0,    ///< shut, resting face by the score
    MOUTH_OPEN = 1,       ///< open for a character near it or a heart on its way
    MOUTH_CHEWING = 2,    ///< something just went in; shuts when the chew time is over
    MOUTH_REACTING = 3,   ///< a heart was eaten; the expression follows
    MOUTH_EXPRESSION = 4, ///< happy or sulky chewing after a heart
    MOUTH_JUMPING = 5,    ///< the scripted heart trees only: the whole tree leaps
};

/// The positions of an exit file's animations, in pairs: a day picture and, two places on, its
/// Vadi do Davovodaz twin.
enum eExitAnim
{
    EXIT_ANIM_NEUTRAL = 0,
    EXIT_ANIM_OPEN = 1,
    EXIT_ANIM_HAPPY_CHEWER = 4,
    EXIT_ANIM_SULKY_CHEWER = 5,
    EXIT_ANIM_SMILE = 8,
    EXIT_ANIM_SULK = 9,
    EXIT_ANIM_NIGHT_TWIN = 2, ///< added to a day index gives its twin
};

/// An area's exit: a tree (or cave) with a mouth at its foot, on a thin sensor lying on the
/// ground. It opens when a character touches it, swallows the character the player asked to
/// enter while that one stands on its foot, lets it out again on request, eats the hearts that fly
/// to it and keeps the area's score on its indicator. An area is left through an exit that holds
/// enough characters with its mouth at rest.
///
/// The exit file ("res/xml/actors/AreaExits/*.xml", root `AreaExitTree`; the scripted trees use
/// the same format) names the default chip set (`src`) and the sound set (`type`: 0 tree, 1
/// cave, other values silent), the mouth's offset, the score indicator, the sensor and the
/// animations (`eExitAnim`). Positions are world units (the sensor's lower-left corner), times
/// milliseconds. Characters are borrowed; the exit owns its animations, indicator and sensor.
class cAreaExit : public cPhysicsActor
{
public:
    /// Reads the file and puts the sensor into the world with its lower-left corner at (x, y),
    /// resting face, no request.
    cAreaExit(const QString& file, physics::World* world, float x, float y, bool activated,
              const std::string& destination);
    /// Start values only: no file, no body, no world. The scripted trees load themselves.
    cAreaExit();
    ~cAreaExit() override;

    /// Back to the start values: no animations, indicator, body or hint bubble; resting, silent
    /// (type -1), chewing 2500 ms, reacting 200 ms, expression 2000 ms.
    void InitDefaults();
    /// Reads an exit file (":/" is put in front of a path without it); the sensor goes into the
    /// world at (x, y), and released characters come back into that world. False, after an "ERROR:" line, when the file does not open; an animation
    /// that fails to load ends the reading there.
    bool LoadFromXml(const QString& file, physics::World* world, float x, float y);

    /// A character touching the sensor opens the mouth (when activated) and shows the tutorial.
    void OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point) override;
    /// Keeps the mouth open for a character and swallows the one whose id was requested once it
    /// stands on the foot (`HitTest`).
    void OnContactPersist(cPhysicsBody* other, const physics::ContactPoint* point) override;
    /// Drops a waiting request; a character leaving makes the mouth chew and shut.
    void OnContactRemove(cPhysicsBody* other) override;
    /// Advances the pictures, the indicator, the hint bubble and the mouth's timed states. Always 0.
    int Update(int dtMs) override;

    /// The day picture and the indicator (and the hint bubble) at weight (clamped to [0, 1]) as
    /// alpha; nothing without a day picture.
    virtual void DrawDay(float weight);
    /// The same with the Vadi do Davovodaz picture.
    virtual void DrawLoF(float weight);
    /// The exit eats a heart of that value: sound, score, and unless chewing the reaction that
    /// leads to the expression.
    virtual void EatHeart(int value);
    /// Whether the actor stands on the exit's foot: its centre within 6 units of the exit's centre
    /// (left end open) and its bottom within 1.5 units of the exit's bottom.
    virtual bool HitTest(cPhysicsActor* actor);

    /// Opens the mouth unless it is open, or chewing and not again; the opening sound unless it
    /// was chewing.
    void OpenMouth(bool again);
    /// With timeMs of 1 or more the mouth chews that long; otherwise it shuts (with its sound when
    /// asked) into the resting face by the score and closes a showing hint bubble. Nothing while
    /// at rest.
    void CloseMouth(int timeMs, bool sound);
    /// The happy or sulky chewing after the last heart, for the expression time.
    void ShowExpression();
    /// Lets the first swallowed character of that id out at the mouth; the mouth chews 800 ms.
    /// Nothing when none of that id is inside.
    void ReleaseCharacter(int id);
    /// Shows the exit tutorial bubble, or keeps a showing one up for at least 5000 ms more.
    void ShowTutorialHint();

    /// The character of that id asks to go in; replaces an earlier request.
    void RequestEnter(int id);
    /// At rest and holding at least n characters.
    bool HoldsAtLeast(int n) const;
    int GetSwallowedCount() const { return static_cast<int>(swallowed.size()); }
    /// The sensor's corner plus the mouth offset: where hearts fly and characters come out.
    b2Vec2 GetMouthPosition() const;
    std::string GetDestination() const { return destination; }
    void SetActivated(bool value) { activated = value; }
    bool IsActivated() const { return activated; }
    void SetTutorial(bool value) { tutorial = value; }

    /// Score operations, all through the indicator; without one the score reads 0.
    int GetScore() const;
    void SetScore(int value);
    void SetMaxScore(int n);
    void AddScore(int value);
    void GetScoreInfo(int* score, int* positive, int* negative) const;
    void PlayHeartGainSound();

    /// Animation i becomes the day (or Vadi do Davovodaz) picture; restart plays it from frame 0,
    /// visible. An index the file lacks leaves that look without a picture.
    void SetMouthAnimation(int i, bool restart);
    void SetLoFMouthAnimation(int i, bool restart);

    int GetMouthState() const { return mouthState; }
    int GetType() const { return type; }
    bool IsRequestPending() const { return requestPending; }
    int GetRequestedId() const { return requestedId; }
    int GetChewTime() const { return chewTime; }
    cScoreIndicator* GetScoreIndicator() const { return scoreIndicator; }
    /// Positions in the file's list of the pictures shown; -1 for none.
    int GetDayAnimationIndex() const { return looks.GetDayIndex(); }
    int GetLoFAnimationIndex() const { return looks.GetLoFIndex(); }
    int GetAnimationCount() const { return looks.GetCount(); }

protected:
    /// Day picture i and its Vadi do Davovodaz twin, both from frame 0.
    void SetMouthPair(int dayIndex);
    /// The current picture of one look, the indicator and the hint bubble.
    void DrawLook(cAnimation* look, float weight);

    bool activated = false;
    cScoreIndicator* scoreIndicator = nullptr;
    /// The value of the last heart eaten; 1 until one is, so an early expression is a happy one.
    int lastHeartValue = 1;
    std::string destination;
    /// Inside the tree, in the order they went in (borrowed).
    std::vector<cPlayerChar*> swallowed;
    physics::World* world = nullptr;
    b2Vec2 mouthOffset{0.0f, 0.0f};
    b2Vec2 indicatorOffset{0.0f, 0.0f};
    int type = -1;
    int timer = 0;
    int chewTime = 2500;
    int reactionTime = 200;
    int expressionTime = 2000;
    bool tutorial = false;
    int smileThreshold = 1;
    int sulkThreshold = -2;
    int requestedId = -1;
    bool requestPending = false;
    int mouthState = MOUTH_NEUTRAL;
    /// The file's animations and the picture of each look shown.
    cTreeLooks looks;

private:
    void DeleteOwned();
    /// Makes the score indicator of a `scoreIndicator` element at its offset from (x, y).
    void ReadScoreIndicator(const QXmlStreamAttributes& attributes, float x, float y);
    /// The resting face by the score: smile, neutral or sulk.
    int RestingFace() const;
};
