// A player who strands a character where no plan leads, for example a form turned back on the
// wrong side of a gate, must still be able to finish the area: at worst the stranded one dies
// and comes back out of the enter tree. Each file tests/routes/stranded/<Area>-<Case>.route, for
// the area "res/Areas/<Area>.xml", strands one and plays the area on to its exit; it is a route
// in the format of RouteTest.cpp, and passes when the area is left with every character taking
// part inside an exit. The score is not asked for: a death sends the exit a green heart.
#include "RoutePlay.h"

#include <gtest/gtest.h>

#include <QDir>

#include <algorithm>

namespace {

QString StrandedDir()
{
    return route::RoutesDir() + "/stranded";
}

std::vector<std::string> StrandedNames()
{
    std::vector<std::string> names;
    for (const QString& file : QDir(StrandedDir()).entryList({"*.route"}, QDir::Files, QDir::Name))
        names.push_back(file.chopped(6).toStdString());
    return names;
}

class StrandedRouteTest : public ::testing::TestWithParam<std::string>
{
};

TEST_P(StrandedRouteTest, TheStrandedCharacterComesBackAndTheAreaIsLeftWithEveryCharacter)
{
    cRoutePlay play(GetParam().substr(0, GetParam().find('-')));
    PlayRouteToTheExit(play, StrandedDir() + "/" + QString::fromStdString(GetParam()) + ".route");
}

INSTANTIATE_TEST_SUITE_P(Areas, StrandedRouteTest, ::testing::ValuesIn(StrandedNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
