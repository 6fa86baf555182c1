#pragma once
// A world for the exit and enter tree tests: the character world with the chip sets of the trees,
// caves and score indicators, the common animation list (chip sets 0 and 12) they draw their
// hearts from, and the area's order within a tick (exits before characters, then the step).
#include "CharacterWorld.h"

#include "actors/AreaEnterTree.h"
#include "actors/AreaExit.h"
#include "actors/ScoreIndicator.h"
#include "engine/Animation.h"
#include "engine/Image.h"
#include "engine/SharedAssets.h"

#include <QFile>
#include <QXmlStreamReader>

class TreeWorld : public CharacterWorld
{
protected:
    static constexpr const char* kExitFile = "res/xml/actors/AreaExits/ExitTree.xml";
    static constexpr const char* kEnterFile = "res/xml/actors/AreaEnterTrees/EnterTree.xml";
    static constexpr const char* kIndicatorFile = "res/xml/actors/ScoreIndicator/ScoreIndicator.xml";
    static constexpr const char* kBigIndicatorFile = "res/xml/actors/ScoreIndicator/BigScoreIndicator.xml";

    TreeWorld()
    {
        for (int src : kChipSets) {
            chipSets.push_back(std::make_unique<cImage>(0, 0, 1, 1));
            EXPECT_TRUE(chipSets.back()->SetTexture(
                QString(":/res/images/chipsets/chip_set_%1.png").arg(src, 2, 10, QChar('0')), 0, 0, 1, 1));
            gChipSets[src] = chipSets.back().get();
        }
        QFile file(":/res/xml/common_resources/common_anims.xml");
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("animation")) {
                commonAnims.push_back(std::make_unique<cAnimation>());
                EXPECT_TRUE(commonAnims.back()->LoadFromXml(xml, 0));
                gCommonAnims.push_back(commonAnims.back().get());
            }
    }
    ~TreeWorld() override
    {
        // The exit takes its sensor out of the world before the world goes.
        exit.reset();
        gCommonAnims.clear();
        for (int src : kChipSets)
            gChipSets[src] = nullptr;
    }

    /// The game's exit tree with its sensor's corner at (x, y) on the ground.
    cAreaExit* MakeExit(float x, float y, bool activated = true, const char* file = kExitFile)
    {
        exit = std::make_unique<cAreaExit>(file, &world, x, y, activated, "FrameSwitch");
        return exit.get();
    }

    /// One tick in the area's order: the exit, the character, the world's step; then the player's
    /// actions, which the next step feels. The character's result.
    int TreeTick(const std::function<void()>& actions = {})
    {
        if (exit)
            exit->Update(kTick);
        const int result = character->Update(kTick);
        Step();
        if (actions)
            actions();
        return result;
    }

    /// Ticks until the character's update reports something other than 0 (at most limit ticks);
    /// that result, 0 when nothing came.
    int TreeTickUntilResult(int limit)
    {
        for (int t = 0; t < limit; ++t)
            if (const int result = TreeTick())
                return result;
        return 0;
    }

    std::unique_ptr<cAreaExit> exit;

private:
    static constexpr int kChipSets[] = {0, 9, 10, 12, 14};
    std::vector<std::unique_ptr<cImage>> chipSets;
    std::vector<std::unique_ptr<cAnimation>> commonAnims;
};
