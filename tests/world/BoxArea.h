#pragma once
// An area without a file for the box tests: ground whose top is at y = 0, the game's shared
// characters in the roster (in the world only where a test puts them) with the carrier fireflies,
// the boxes made through the area's makers, the effects recorded, and the area's own tick.
#include "TestArea.h"

#include "tests/support/RecordingSoundLibrary.h"
#include "tests/world/AreaFiles.h"

#include "actors/FireFly.h"
#include "actors/PlayerChar.h"
#include "engine/PhysicsBody.h"

#include <algorithm>
#include <functional>
#include <memory>

class BoxArea : public AreaFileFixture
{
protected:
    static constexpr int kTick = 20;

    BoxArea() { NewArea(); }
    ~BoxArea() override
    {
        // The shared characters leave the world before it goes.
        store->ResetCharacters();
        boxes.reset();
    }

    /// A fresh area on flat ground with the three characters out of the world and nobody controlled.
    void NewArea()
    {
        store->ResetCharacters();
        boxes.reset();
        boxes = std::make_unique<cTestArea>(store);
        boxes->AddPhysicsBody(-300.0f, -10.0f, 600.0f, 10.0f, BODY_TERRAIN, 0);
        for (int id = 0; id < 3; ++id)
            boxes->players.push_back(Plain(id));
        for (int k = 0; k < store->GetFireFlyCount(); ++k)
            boxes->fireFlies.push_back(store->GetFireFly(k));
        boxes->currentPlayer = 0;
        sounds.Take();
    }

    cPlayerChar* Plain(int id) const { return store->GetCharacter(id); }
    /// Puts the character in its roster place into the world with its corner at (x, y).
    cPlayerChar* Place(cPlayerChar* c, float x, float y)
    {
        boxes->players[static_cast<size_t>(c->GetId())] = c;
        c->Reset();
        c->Init(boxes->GetWorld(), x, y);
        return c;
    }
    /// Ticks of the area, with the player's actions after each; the last result that was not 0.
    int Tick(int ticks = 1, const std::function<void()>& actions = {})
    {
        int reported = 0;
        output += StdoutOf([&] {
            for (int t = 0; t < ticks; ++t) {
                if (const int result = boxes->Update(kTick))
                    reported = result;
                if (actions)
                    actions();
            }
        });
        return reported;
    }
    /// Ticks until done holds (at most limit ticks); whether it did.
    bool TickUntil(const std::function<bool()>& done, int limit = 300)
    {
        for (int t = 0; t < limit && !done(); ++t)
            Tick();
        return done();
    }
    /// Ticks until the area reports something (at most limit ticks); what it reported, 0 for nothing.
    int TickUntilReport(int limit = 300)
    {
        int result = 0;
        for (int t = 0; t < limit && !result; ++t)
            result = Tick();
        return result;
    }
    int CountOf(int effect) { return static_cast<int>(std::count(played.begin(), played.end(), effect)); }
    /// The effects played since the last call.
    void TakeSounds() { played = sounds.Take(); }

    cCommonResources* const store = s_resources.get();
    cRecordedEffects effects;
    cRecordingSoundLibrary& sounds = effects.sounds;
    std::vector<int> played;
    std::unique_ptr<cTestArea> boxes;
};
