#include "TestChipSets.h"

#include "engine/SharedAssets.h"

#include <gtest/gtest.h>

TestChipSets::TestChipSets()
    : small(std::make_unique<cImage>(0, 0, 10, 10)), wide(std::make_unique<cImage>(0, 0, 10, 10))
{
    EXPECT_TRUE(small->SetTexture(":/res/enginetest/small_sheet.png", 0, 0, 1, 1));
    EXPECT_TRUE(wide->SetTexture(":/res/enginetest/wide_sheet.png", 0, 0, 1, 1));
    gChipSets[1] = small.get();
    gChipSets[2] = wide.get();
}

TestChipSets::~TestChipSets()
{
    gChipSets[1] = nullptr;
    gChipSets[2] = nullptr;
}
