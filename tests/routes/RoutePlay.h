#pragma once
// One area played through the game controller by keys, with the trace that a route's author reads.
#include "RouteFile.h"

#include "app/Game.h"
#include "player/InputHandler.h"
#include "actors/FireFly.h"
#include "actors/Heart.h"
#include "actors/PlayerChar.h"
#include "world/Area.h"
#include "world/FrameEditor.h"

#include "tests/support/GlCanvas.h"
#include "tests/support/StdoutOf.h"

#include <gtest/gtest.h>

#include <QDir>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace route {

constexpr int kTickMs = 20;
constexpr int kTicksAfterRoute = 600;
constexpr int kShotWidth = 960, kShotHeight = 544;

inline QString RoutesDir()
{
    return QStringLiteral(MIRROWEN_SOURCE_DIR "/tests/routes");
}

/// The areas that have a route, by name.
inline std::vector<std::string> RouteNames()
{
    std::vector<std::string> names;
    for (const QString& file : QDir(RoutesDir()).entryList({"*.route"}, QDir::Files, QDir::Name))
        names.push_back(file.chopped(6).toStdString());
    return names;
}

inline const char* StateName(int state)
{
    static const char* const names[] = {"stand", "walk", "jump", "fall", "land", "die", "entering exit",
                                        "in exit", "changing form"};
    return state >= 0 && state <= PLAYER_METAMORPHOSIS ? names[state] : "?";
}

/// "brown at (24.0, -200.0) walk"
inline std::string Describe(const cPlayerChar& c)
{
    static const char* const plain[] = {"brown", "orange", "gray"};
    static const char* const forms[] = {"antler", "spirit", "bat king"};
    const int id = c.GetId();
    std::ostringstream text;
    text.setf(std::ios::fixed);
    text.precision(1);
    text << (id >= 0 && id <= 2 ? (c.IsAncestorForm() ? forms : plain)[id] : "?");
    if (c.HasBody())
        text << " at (" << c.GetPosition().x << ", " << c.GetPosition().y << ")";
    text << " " << StateName(c.GetState());
    return text.str();
}

} // namespace route

/// Plays an area through the game controller, one tick at a time with the keys held in it, as the
/// game window does: key events between ticks, then the controller's update and input, then the
/// input handler's end of tick.
class cRoutePlay
{
public:
    explicit cRoutePlay(const std::string& areaName) : name(areaName)
    {
        input.SetDefaultKeys();
        shotsDir = qEnvironmentVariable("MIRROWEN_ROUTE_SHOTS");
        const int every = qEnvironmentVariableIntValue("MIRROWEN_ROUTE_SHOT_TICKS");
        shotTicks = every > 0 ? every : 25;
    }

    /// Starts the area as the editor does, without the interlude. The game's random numbers start
    /// as in a fresh program, so the route meets the same world whatever ran before it. False, with
    /// the reason in the trace, when the area cannot be played.
    bool Start()
    {
        std::srand(1);
        log += StdoutOf([this] { started = game.Init() && game.StartArea("res/Areas/" + name + ".xml"); });
        area = game.GetCurrentArea();
        if (!started || !area || game.GetStateKind() != GAME_MODE_AREA) {
            trace << "the area did not start\n" << log;
            return false;
        }
        game.Resize(route::kShotWidth, route::kShotHeight);
        // Picked-up hearts leave the area's list; the exits keep the maximum of the whole area.
        maxScore = area->GetMaxScore();
        return true;
    }

    /// The route's lines, then ticks without keys until the area is left or the time is up.
    void Play(const std::vector<sRouteLine>& lines)
    {
        for (const sRouteLine& line : lines) {
            if (Left())
                break;
            trace << "line " << line.lineNumber << " @tick " << tick << ": " << CurrentCharacter() << "\n";
            for (int i = 0; i < line.ticks && !Left(); ++i)
                Step(std::set<eInputKey>(line.keys.begin(), line.keys.end()));
        }
        for (int i = 0; i < route::kTicksAfterRoute && !Left(); ++i)
            Step({});
    }

    /// One tick with exactly these keys held.
    void Step(const std::set<eInputKey>& keys)
    {
        hands.Hold(keys);
        std::vector<int> before;
        for (const cPlayerChar* c : area->GetPlayers())
            before.push_back(c->GetState());
        log += StdoutOf([this] {
            game.Update(route::kTickMs);
            game.HandleInput(&input);
        });
        input.EndTick();
        ++tick;
        if (game.GetCurrentArea() != area)
            return;
        NoteChanges(before);
        if (!shotsDir.isEmpty() && tick % shotTicks == 0)
            Shoot();
    }

    /// The area has been left through an exit, or is no longer the one played.
    bool Left() const { return game.GetCurrentArea() != area || area->IsFinishing(); }
    /// Left through an exit and still there to be asked how.
    bool Finished() const { return game.GetCurrentArea() == area && area->IsFinishing(); }

    /// The characters that take part and are not inside an exit; empty when there are none.
    std::string Outside() const
    {
        std::string outside;
        for (const cPlayerChar* c : area->GetPlayers())
            if (c->GetState() != PLAYER_IN_EXIT && !CarriedByFirefly(*c))
                outside += route::Describe(*c) + "; ";
        return outside;
    }

    int Score() const
    {
        int score = 0, positive = 0, negative = 0;
        area->GetExitInfo(&score, &positive, &negative);
        return score;
    }
    int MaxScore() const { return maxScore; }

    cArea* GetArea() const { return area; }
    std::string GetCurrentCharacter() const { return CurrentCharacter(); }
    int GetTick() const { return tick; }

    /// Each line's start, then how the area stands and what happened on the way.
    std::string Trace() const
    {
        std::ostringstream out;
        out << trace.str() << "after " << tick << " ticks:\n";
        if (game.GetCurrentArea() != area) {
            out << "  the area is gone\n";
            return out.str();
        }
        for (const cPlayerChar* c : area->GetPlayers())
            out << "  " << route::Describe(*c) << (CarriedByFirefly(*c) ? ", carried by its firefly" : "") << "\n";
        for (const cHeart* heart : area->GetHearts())
            if (!heart->IsTravelling() && heart->GetValue() > 0)
                out << "  heart left at (" << heart->GetPosition().x << ", " << heart->GetPosition().y << ")\n";
        out << "  score " << Score() << " of " << MaxScore() << (area->IsFinishing() ? ", area left" : "") << "\n"
            << events.str();
        return out.str();
    }

private:
    /// Deaths, form changes and characters going into an exit, each with its tick.
    void NoteChanges(const std::vector<int>& before)
    {
        const std::vector<cPlayerChar*>& players = area->GetPlayers();
        for (size_t i = 0; i < players.size() && i < before.size(); ++i) {
            const int now = players[i]->GetState();
            if (now != before[i] && (now == PLAYER_DIE || now == PLAYER_IN_EXIT || now == PLAYER_METAMORPHOSIS))
                events << "  tick " << tick << ": " << route::Describe(*players[i]) << "\n";
        }
    }

    /// Orange and gray ride their fireflies while the antler form runs the Vadi do Davovodaz.
    bool CarriedByFirefly(const cPlayerChar& c) const
    {
        const std::vector<FireFly*>& flies = area->GetFireFlies();
        const size_t index = static_cast<size_t>(c.GetId() - 1);
        return !c.IsAncestorForm() && !c.HasBody() && c.GetState() != PLAYER_IN_EXIT && index < flies.size() &&
               flies[index]->IsSpawned();
    }

    /// The character under control, and how far the frames are turned when they are.
    std::string CurrentCharacter() const
    {
        const cPlayerChar* c = area->GetCurrentPlayer();
        std::string text = c ? route::Describe(*c) : "nobody under control";
        if (const int quarters = game.GetFrameEditor()->GetOrientation())
            text += ", frames turned " + std::to_string(quarters) + " quarter(s) right";
        return text;
    }

    void Shoot()
    {
        GlCanvas canvas(route::kShotWidth, route::kShotHeight);
        game.GetFrameEditor()->RenderWorldToTexture(false, false, true, true);
        canvas.Bind();
        game.GetFrameEditor()->Draw();
        QDir().mkpath(shotsDir);
        canvas.SaveAs(
            QString("%1/%2_%3.png").arg(shotsDir, QString::fromStdString(name)).arg(tick, 5, 10, QChar('0')));
    }

    std::string name;
    cGame game{false};
    cInputHandler input;
    cArea* area = nullptr;
    bool started = false;
    int maxScore = 0;
    int tick = 0;
    cRouteHands hands{input};
    std::ostringstream trace;
    std::ostringstream events;
    std::string log;
    QString shotsDir;
    int shotTicks = 25;
};

/// Plays the route file through the play's area and asks that the area be left through its exit
/// with every character taking part inside an exit. The trace goes with every failure, and is
/// printed anyway when MIRROWEN_ROUTE_TRACE is set.
inline void PlayRouteToTheExit(cRoutePlay& play, const QString& routeFile)
{
    std::vector<sRouteLine> lines;
    std::string error;
    ASSERT_TRUE(ReadRoute(routeFile, lines, error)) << error;
    ASSERT_TRUE(play.Start()) << play.Trace();
    play.Play(lines);
    const std::string trace = play.Trace();
    if (qEnvironmentVariableIsSet("MIRROWEN_ROUTE_TRACE"))
        printf("%s", trace.c_str());
    ASSERT_TRUE(play.Finished()) << "the area was not left through its exit\n" << trace;
    EXPECT_EQ(play.Outside(), "") << "characters not inside an exit\n" << trace;
}
