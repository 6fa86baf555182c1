#include "platform/sound/QueueTarget.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct sLook
{
    int queued;
    int mixed;
    int targetAfter;
};

struct sTargetCase
{
    const char* name;
    std::vector<sLook> looks;
};

// Shortest 100, longest 500, a step of 10 down after 1000 frames without running dry.
const sTargetCase kCases[] = {
    {"an output empty before it was ever fed has not run dry", {{0, 100, 100}, {50, 50, 100}}},
    {"running dry doubles the target up to the longest",
     {{0, 100, 100}, {0, 100, 200}, {0, 200, 400}, {0, 400, 500}, {0, 500, 500}}},
    {"a look that mixes nothing changes nothing", {{0, 100, 100}, {0, 0, 100}, {0, 100, 200}}},
    {"a quiet while brings it down a step at a time",
     {{0, 100, 100}, {0, 100, 200}, {150, 999, 200}, {150, 1, 190}, {150, 1000, 180}, {150, 9000, 170}}},
    {"never below the shortest", {{0, 100, 100}, {50, 5000, 100}}},
    {"running dry starts the quiet while over",
     {{0, 100, 100}, {0, 100, 200}, {150, 900, 200}, {0, 200, 400}, {300, 900, 400}, {300, 100, 390}}},
};

TEST(QueueTargetTest, GrowsWhenTheOutputRunsDryAndShrinksAfterAQuietWhile)
{
    for (const sTargetCase& c : kCases) {
        cQueueTarget target(100, 500, 1000, 10);
        EXPECT_EQ(target.Frames(), 100) << c.name;
        for (std::size_t i = 0; i < c.looks.size(); ++i) {
            target.Observe(c.looks[i].queued, c.looks[i].mixed);
            EXPECT_EQ(target.Frames(), c.looks[i].targetAfter) << c.name << ", look " << i;
        }
    }
}

} // namespace
