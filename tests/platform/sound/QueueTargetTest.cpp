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

// Shortest 100, longest 500, 150 more after running dry, 10 less after 1000 frames without.
const sTargetCase kCases[] = {
    {"an output empty before it was ever fed has not run dry", {{0, 100, 100}, {50, 50, 100}}},
    {"running dry makes the target longer, up to the longest",
     {{0, 100, 100}, {0, 100, 250}, {0, 250, 400}, {0, 400, 500}, {0, 500, 500}}},
    {"a look that mixes nothing changes nothing", {{0, 100, 100}, {0, 0, 100}, {0, 100, 250}}},
    {"a quiet while brings it down a step at a time",
     {{0, 100, 100}, {0, 100, 250}, {150, 999, 250}, {150, 1, 240}, {150, 1000, 230}, {150, 9000, 220}}},
    {"never below the shortest", {{0, 100, 100}, {50, 5000, 100}}},
    {"running dry starts the quiet while over",
     {{0, 100, 100}, {0, 100, 250}, {150, 900, 250}, {0, 200, 400}, {300, 900, 400}, {300, 100, 390}}},
};

TEST(QueueTargetTest, GrowsWhenTheOutputRunsDryAndShrinksAfterAQuietWhile)
{
    for (const sTargetCase& c : kCases) {
        cQueueTarget target(100, 500, 150, 1000, 10);
        EXPECT_EQ(target.Frames(), 100) << c.name;
        for (std::size_t i = 0; i < c.looks.size(); ++i) {
            target.Observe(c.looks[i].queued, c.looks[i].mixed);
            EXPECT_EQ(target.Frames(), c.looks[i].targetAfter) << c.name << ", look " << i;
        }
    }
}

} // namespace
