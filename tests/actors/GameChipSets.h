#pragma once
// Chip sets of the game's own tree in their process-wide slots, as the shared-asset store puts
// them there, for the lifetime of the object.
#include "engine/Image.h"
#include "engine/SharedAssets.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

class GameChipSets
{
public:
    explicit GameChipSets(std::initializer_list<int> numbers)
    {
        for (int n : numbers) {
            images.push_back(std::make_unique<cImage>(0, 0, 1, 1));
            EXPECT_TRUE(images.back()->SetTexture(
                QString(":/res/images/chipsets/chip_set_%1.png").arg(n, 2, 10, QChar('0')), 0, 0, 1, 1));
            gChipSets[n] = images.back().get();
            slots.push_back(n);
        }
    }
    ~GameChipSets()
    {
        for (int n : slots)
            gChipSets[n] = nullptr;
    }

private:
    std::vector<std::unique_ptr<cImage>> images;
    std::vector<int> slots;
};
