#pragma once
// An area without a file for the tests of the character switching, the drawing order and the
// tick's answers: its world with 400 units of ground whose top is at y = 0, the game's three
// characters and three forms loaded from their files, and the effects recorded instead of played.
#include "TestArea.h"

#include "actors/AntlerAncestor.h"
#include "actors/BatKing.h"
#include "actors/PlayerChar.h"
#include "actors/RainbowSpirit.h"
#include "engine/PhysicsBody.h"
#include "platform/physics/Settings.h"
#include "platform/physics/World.h"
#include "tests/actors/GameChipSets.h"
#include "tests/support/RecordingSoundLibrary.h"

#include <gtest/gtest.h>

#include <memory>

class CharacterArea : public ::testing::Test
{
protected:
    CharacterArea()
    {
        gSoundLibrary = &sounds;
        area.AddPhysicsBody(-200.0f, -10.0f, 400.0f, 10.0f, BODY_TERRAIN, 0);
        Load(brown, "brown");
        Load(orange, "orange");
        Load(gray, "gray");
        Load(antler, "antler");
        Load(spirit, "spirit");
        Load(batKing, "batking");
    }
    ~CharacterArea() override
    {
        // Characters the test took out of the roster leave the world before it goes.
        for (cPlayerChar* c : std::initializer_list<cPlayerChar*>{&brown, &orange, &gray, &antler, &spirit, &batKing})
            c->Reset();
        gSoundLibrary = nullptr;
    }

    template <typename T>
    static void Load(T& character, const char* name)
    {
        EXPECT_TRUE(character.LoadFromXml(QString("res/xml/PlayerCharacters/%1.xml").arg(name)));
    }

    /// Puts the characters into the roster in that order, each standing on the ground 30 units
    /// right of the one before, and gives control to current.
    void Enter(std::initializer_list<cPlayerChar*> characters, int current = 0)
    {
        float x = -60.0f;
        for (cPlayerChar* c : characters) {
            c->Reset();
            c->Init(area.GetWorld(), x, 0.0f);
            area.players.push_back(c);
            x += 30.0f;
        }
        area.currentPlayer = current;
    }

    /// Every character's update in roster order, then the world's step.
    void Tick(int ticks = 1)
    {
        for (int t = 0; t < ticks; ++t) {
            for (cPlayerChar* c : area.players)
                c->Update(20);
            area.GetWorld()->Step(physics::kGameTimeStep, physics::kGameVelocityIterations,
                                  physics::kGamePositionIterations);
        }
    }

    GameChipSets chipSets{1, 2};
    cRecordingSoundLibrary sounds;
    // The characters outlive the area, as the shared assets' do.
    cPlayerChar brown, orange, gray;
    cAntlerAncestor antler;
    cRainbowSpirit spirit;
    cBatKing batKing;
    cTestArea area;
};
