#pragma once

#include "actors/BoxLooks.h"
#include "engine/PhysicsActor.h"

#include <vector>

class QXmlStreamReader;
class cAnimation;
class cHeart;
class cPlayerChar;
class cReceiverBox;

/// A one-shot switch: a chest that, when the right character head-jumps onto it, sends one heart
/// to each of its receiver boxes, which change the level when their heart arrives. Its type is the
/// character id that may open it (0, 1, 2); any other value lets every character open it.
///
/// The area file declares an emitter with its receivers inside it; the emitter reads that element
/// itself, then the area puts it into the world, updates and draws it every tick. It owns its
/// receivers and the hearts it sends (spent hearts stay in its list). Kind 7; world units.
class cEmitterBox : public cPhysicsActor
{
public:
    cEmitterBox();
    ~cEmitterBox() override;

    /// Reads an `EmitterBox` element from its start tag up to and including its end tag: `x`, `y`,
    /// `type` and every `ReceiverBox` child (`x`, `y`, `type`), ignoring anything else, then takes
    /// the looks and body of its template. Always true.
    bool ReadXml(QXmlStreamReader& xml);
    /// Puts its body and those of its stone blocks into the world, which it keeps for its hearts;
    /// from then on it is ready to fire.
    void AddToWorld(physics::World* world) override;
    /// A character it accepts head-jumping onto it while ready: it opens and fires in the next update.
    void OnContactAdd(cPhysicsBody* other, const physics::ContactPoint* point) override;
    /// Advances its look, fires when asked, delivers the hearts that arrived and updates the
    /// receivers. Always 1.
    int Update(int dtMs) override;

    /// Only a real character (the fireflies share its kind), head-jumping, of the emitter's id
    /// unless the emitter lets everyone open it.
    bool CanFire(const cPhysicsActor* actor) const;
    bool IsReady() const { return ready; }
    /// The chest, then its receivers.
    void Draw();
    /// Its hearts on their way; spent ones are invisible.
    void DrawHearts();

    /// Look i (0 armed, 1 opened) becomes current, from its first frame with restart.
    void SetAnimation(size_t i, bool restart) { looks.Show(i, restart); }
    int GetId() const { return id; }
    const std::vector<cReceiverBox*>& GetReceivers() const { return receivers; }
    const std::vector<cHeart*>& GetHearts() const { return hearts; }
    const cAnimation* GetCurrentAnimation() const { return looks.Current(); }

private:
    /// One heart from just below the chest to each receiver's mouth, all in this tick.
    void SpawnHearts();
    void ReadReceiver(QXmlStreamReader& xml);

    physics::World* world = nullptr;
    std::vector<cHeart*> hearts;
    std::vector<cReceiverBox*> receivers;
    bool firePending = false;
    bool ready = false;
    int id = 0;
    cBoxLooks looks;
};
