#include "engine/AllocationTracker.h"

#include "tests/support/StdoutOf.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace {

struct Throws
{
    Throws() { throw std::runtime_error("no"); }
};

} // namespace

TEST(AllocationTracker, ReportsWhatIsStillAllocatedWithFileAndLine)
{
    EXPECT_EQ(StdoutOf([] { LeakReport(); }), "");
    int* kept = new ("Kept.cpp", 12) int(5);
    int* freed = new ("Freed.cpp", 34) int(6);
    auto plain = std::make_unique<int>(7);
    delete freed;
    EXPECT_EQ(StdoutOf([] { LeakReport(); }), "\n memory leak found: Kept.cpp \n line 12 \n");
    delete kept;
    EXPECT_EQ(StdoutOf([] { LeakReport(); }), "");
}

TEST(AllocationTracker, AFailedConstructionLeavesNoRecord)
{
    EXPECT_THROW(new ("Ctor.cpp", 1) Throws, std::runtime_error);
    EXPECT_EQ(StdoutOf([] { LeakReport(); }), "");
}
