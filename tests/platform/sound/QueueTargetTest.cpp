#include "platform/sound/QueueTarget.h"

#include <gtest/gtest.h>
#include <array>
#include <vector>

TEST(QueueTargetTest, GrowsWhenTheOutputRunsDryAndShrinksAfterAQuietWhile)
{
    // Shortest 100, longest 500, 150 more after running dry, 10 less after 1000 frames without.
    cQueueTarget target(100, 500, 150, 1000, 10);
    // Frames queued, mixed, the target after: empty before any feeding is not running dry.
    const std::vector<std::array<int, 3>> looks = {{0, 100, 100},   {50, 5000, 100}, {0, 100, 250},  {0, 0, 250},
                                                   {0, 250, 400},   {0, 1, 500},     {150, 999, 500}, {150, 1, 490},
                                                   {150, 900, 490}, {0, 50, 500},    {150, 999, 500}, {150, 9000, 490}};
    for (const auto& [queued, mixed, after] : looks) {
        target.Observe(queued, mixed);
        EXPECT_EQ(target.Frames(), after) << "after " << queued << " queued, " << mixed << " mixed";
    }
}
