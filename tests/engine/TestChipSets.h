#pragma once

#include "engine/Image.h"

#include <memory>

/// Fills the chip-set slots 1 (a 64 x 64 sheet) and 2 (512 x 32) from the test tree for the
/// lifetime of the object, as the shared-asset store does at start-up, and empties them again.
class TestChipSets
{
public:
    TestChipSets();
    ~TestChipSets();

    cImage& Small() { return *small; }

private:
    std::unique_ptr<cImage> small, wide;
};
