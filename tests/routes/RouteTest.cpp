// Every area is played through by its route, a file of key presses, so an area that stops being
// completable fails here. One test case per file tests/routes/<Area>.route, for the area
// "res/Areas/<Area>.xml"; a new file is a new case.
//
// Route format, one line per stretch of ticks (20 ms each):
//     <ticks> [KEY ...]       hold exactly these keys for that many ticks
// Blank lines and everything after '#' are ignored. A key not on a line is released; a key on
// consecutive lines stays held, so to press JUMP twice in a row put a line without it between.
// Keys: LEFT RIGHT UP DOWN JUMP NEXT PREV ROTL ROTR (the play keys with their default bindings).
//
// The game controller starts the area as the editor does (without the interlude); each tick the
// keys reach the input handler as key events, then the controller updates, takes the input and the
// tick ends, as in the game window. After the last line up to 600 more ticks pass without keys.
// The route passes when the area is left through its exit with every character taking part inside
// an exit (those a firefly carries take no part) and exit 0's score at the area's maximum.
//
// On failure a trace shows, for every line, its number, the tick it starts at and the character
// under control, then where each character ended, the hearts left and what happened on the way.
// Set MIRROWEN_ROUTE_TRACE=1 to see the trace of a passing route too, and
// MIRROWEN_ROUTE_SHOTS=<dir> to save the screen every MIRROWEN_ROUTE_SHOT_TICKS ticks (25 unless
// set) as <dir>/<Area>_<tick>.png.
#include "RoutePlay.h"

#include <gtest/gtest.h>

namespace {

class RouteTest : public ::testing::TestWithParam<std::string>
{
};

TEST_P(RouteTest, TheAreaIsLeftWithEveryCharacterAndEveryHeart)
{
    cRoutePlay play(GetParam());
    PlayRouteToTheExit(play, route::RoutesDir() + "/" + QString::fromStdString(GetParam()) + ".route");
    if (HasFatalFailure())
        return;
    EXPECT_EQ(play.Score(), play.MaxScore()) << play.Trace();
}

INSTANTIATE_TEST_SUITE_P(Areas, RouteTest, ::testing::ValuesIn(route::RouteNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

} // namespace
