#pragma once

#include "actors/PlayerChar.h"

#include <memory>
#include <vector>

class cBatLandBubble;
class cImage;

/// The gray character's ancestor form (id 2). It surrounds itself with up to kMaxBubbles pulsing
/// bubbles: one where its body is made and another every kBubbleIntervalMs at its centre. Inside
/// a bubble the area shows the bat land and switches the bat-land terrain (type 6) so that it can
/// be passed. When the bat king dies, enters an exit or changes back, its bubbles shrink away,
/// and a change back ends only once they have gone.
class cBatKing : public cPlayerChar
{
public:
    static constexpr int kMaxBubbles = 6;
    static constexpr int kBubbleIntervalMs = 1800;
    /// A new bubble sits up to this far from the centre, each way (whole world units).
    static constexpr float kBubbleSpread = 15.0f;
    /// How fast bubbles shrink away (world units per tick) after death or an exit, and after the
    /// start of a change back.
    static constexpr float kEndSpeed = 1.0f;
    static constexpr float kMetamorphosisEndSpeed = 0.8f;

    /// An ancestor form; its id comes from its file (batking.xml).
    cBatKing();
    ~cBatKing() override;

    /// As a character's tick, with the bubbles, except: a finished change back reports 9 only once
    /// every bubble has shrunk to nothing; death and the exit tree take the bubbles along.
    int Update(int dtMs) override;
    /// Also deletes every bubble.
    void Reset() override;
    /// Places the bat king and makes its first bubble there.
    void CreateBody(physics::World* world, float x, float y) override;
    /// These end every bubble when they take the bat king out of the world; a refused change
    /// leaves the bubbles as they are.
    void Metamorphose() override;
    void Die(bool respawn) override;
    void EnterExit(cAreaExit* exit) override;

    /// Every bubble's disc of the picture (the area's bat-land picture, lying over the world
    /// texture). Nothing without a picture.
    void DrawBubbles(cImage* picture) const;
    /// Whether any bubble reaches the body (see `cBatLandBubble::Contains`).
    bool BubbleContains(const cPhysicsBody* body) const;

    int GetBubbleCount() const { return static_cast<int>(bubbles.size()); }
    /// Bubble i in the order they were made; null outside the list.
    const cBatLandBubble* GetBubble(int i) const { return i >= 0 && i < GetBubbleCount() ? bubbles[i].get() : nullptr; }
    int GetBubbleTimer() const { return bubbleTimer; }

private:
    /// The state's work: the bubbles go when death or the exit tree ends, and a change back
    /// waits for them.
    int UpdateFormState(const b2Vec2& v, int dtMs);
    /// Advances the bubbles, removes those that have ended and adds a new one when it is time.
    void UpdateBubbles(int dtMs);
    /// A bubble around (x, y) at a random offset.
    void AddBubble(float x, float y);
    void EndBubbles(float speed);
    bool HasVisibleBubble() const;

    std::vector<std::unique_ptr<cBatLandBubble>> bubbles;
    int bubbleTimer = 0;
};
