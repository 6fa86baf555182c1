#pragma once

#include "actors/BoxLooks.h"
#include "engine/PhysicsActor.h"


class cAnimation;

/// The box at the other end of an emitter's heart: when the heart arrives the level changes. A thin
/// plank (type 0) or a solid crate (type 1) appears, its body entering the world so it can be stood
/// on; a stone block (type 2) breaks, its body leaving the world, and fades out. Type 3 (and -1,
/// which any other file value becomes) looks like the stone block but appears like the crate.
///
/// Built by its emitter (`cEmitterBox`), which owns it, puts the stone block's body into the world
/// and tells it when its heart has arrived. Kind 8; world units, milliseconds, alpha 0 to 255.
class cReceiverBox : public cPhysicsActor
{
public:
    enum eType
    {
        APPEARING_PLANK = 0,
        APPEARING_CRATE = 1,
        DISAPPEARING = 2,
        APPEARING_STONE = 3,
    };

    /// Nothing built yet; type as given (the emitter passes -1 for a file value outside 0 to 3).
    explicit cReceiverBox(int type);
    ~cReceiverBox() override;

    /// Copies the looks of its kind's template and describes its body there with its lower-left
    /// corner at (x, y): a one-way plank, or terrain. Not in a world yet. Without a template it has
    /// neither body nor look.
    void InitFromBlueprint(float x, float y);
    /// Its heart arrived: it appears in the world (the stone block leaves it and starts fading),
    /// with its sound and its after look.
    void OnHeartReceived(physics::World* world);
    /// Advances its look; a broken stone block fades by dt / 6 per update. Always 1.
    int Update(int dtMs) override;
    /// Its look at its drawing place, with its alpha.
    void Draw();

    /// Where its heart flies: the body's centre plus an offset by type, at the bud or the mouth.
    b2Vec2 GetMouthPosition() const;
    /// Look i (0 before, 1 after its heart) becomes current, from its first frame with restart.
    void SetAnimation(size_t i, bool restart) { looks.Show(i, restart); }
    int GetType() const { return type; }
    bool HasReceived() const { return received; }
    int GetAlpha() const { return alpha; }
    b2Vec2 GetDrawPosition() const { return drawPosition; }
    const cAnimation* GetCurrentAnimation() const { return looks.Current(); }

private:
    bool received = false;
    int type;
    b2Vec2 drawPosition{0.0f, 0.0f};
    int alpha = 255;
    cBoxLooks looks;
};
