#pragma once
// A game world for the character tests: the physics tests' world with the game's listener and
// filter, the shared assets the characters read, and ticks in the game's order.
#include "ActorTestAssets.h"

#include "actors/PlayerChar.h"
#include "tests/engine/PhysicsTestWorld.h"

#include "platform/physics/Body.h"

#include <functional>
#include <memory>

/// A form of the test's own: the base class with the ancestor flag, as the form classes set it.
class cTestForm : public cPlayerChar
{
public:
    cTestForm() { ancestorForm = true; }
};

class CharacterWorld : public PhysicsTestWorld
{
protected:
    static constexpr int kTick = 20;

    /// A character loaded from "res/xml/PlayerCharacters/" + name + ".xml".
    static std::unique_ptr<cPlayerChar> Load(const char* name, bool form = false)
    {
        std::unique_ptr<cPlayerChar> c = form ? std::make_unique<cTestForm>() : std::make_unique<cPlayerChar>();
        EXPECT_TRUE(c->LoadFromXml(CharacterFile(name)));
        return c;
    }

    /// A new T (a form) loaded from the file at path (as `cPlayerChar::LoadFromXml` takes it),
    /// reset and placed with its corner at (x, y); it becomes the fixture's character.
    template <class T>
    T* Place(const QString& path, float x, float y)
    {
        auto form = std::make_unique<T>();
        EXPECT_TRUE(form->LoadFromXml(path));
        T* placed = form.get();
        character = std::move(form);
        character->Reset();
        character->Init(&world, x, y);
        return placed;
    }

    /// The game's character file of that name.
    static QString CharacterFile(const char* name) { return QString("res/xml/PlayerCharacters/%1.xml").arg(name); }

    /// Loads brown onto 400 units of ground whose top is at y = 0, standing at x = 0.
    void PlaceOnGround(const char* name = "brown", bool form = false)
    {
        AddTerrain(-200.0f, -10.0f, 400.0f, 10.0f);
        character = Load(name, form);
        character->Reset();
        character->Init(&world, 0.0f, 0.0f);
    }

    /// One game tick: the character's update and the world's step, then the player's actions,
    /// which reach the body in the next step. Returns the update's result.
    int Tick(const std::function<void()>& actions = {})
    {
        const int result = character->Update(kTick);
        Step();
        if (actions)
            actions();
        return result;
    }

    /// Ticks until the update reports something other than 0 (at most limit ticks); the number of
    /// ticks taken and the result, 0 when nothing came.
    std::pair<int, int> TickUntilResult(int limit)
    {
        for (int t = 1; t <= limit; ++t)
            if (const int result = Tick())
                return {t, result};
        return {limit, 0};
    }

    float Angle() const { return character->GetPhysicsBody()->GetBody()->GetAngle(); }

    cActorTestAssets assets;
    std::unique_ptr<cPlayerChar> character;
};
