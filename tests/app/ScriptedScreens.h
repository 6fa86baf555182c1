#pragma once
// The game controller with screens, pause screen and areas whose answers the test scripts, so
// that every change of mode can be driven without the real menus. The areas are real areas of
// small files (they load, draw and have frame managers); only their tick results are scripted.
#include "app/Game.h"

#include "screens/LevelSelectionScreen.h"
#include "screens/MetaLevel.h"
#include "screens/PauseScreen.h"
#include "screens/StartScreen.h"
#include "world/Area.h"

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

/// What the scripted objects answer, and what was made or asked of them, in order.
struct sScript
{
    /// Update results by who answers ("title", "selection", "interlude", "end", "pause", "area"),
    /// and the pause screen's answers to keys and clicks ("pause input", "pause click"); once a
    /// queue is empty the answer is 0, and for the area `areaThen`.
    std::map<std::string, std::deque<int>> answers;
    int areaThen = 0;
    /// Who fails to open: screen names, or area files.
    std::set<std::string> failing;
    int slot = 2;
    std::string selectedArea = "gametest/Meadow.xml";
    /// The area selection's music, which the interlude takes over and deletes.
    cSound* music = nullptr;
    int exitScore = 7, exitPositive = 3, exitNegative = 1;
    /// The frame set an area result 2 asks for.
    int triggeredSet = 1;
    int areaTicks = 0;
    /// The character under control in a scripted area; null leaves it to the area.
    cPlayerChar* currentPlayer = nullptr;
    std::vector<std::string> log;

    int Next(const std::string& who)
    {
        std::deque<int>& queue = answers[who];
        if (queue.empty())
            return who == "area" ? areaThen : 0;
        const int answer = queue.front();
        queue.pop_front();
        return answer;
    }
    bool Opens(const std::string& who) const { return failing.count(who) == 0; }
};

/// A screen of class Screen that answers from the script and draws nothing.
template <class Screen>
class cScripted : public Screen
{
public:
    template <class... Args>
    cScripted(sScript& script, std::string name, Args... args)
        : Screen(args...)
        , script(script)
        , name(std::move(name))
    {
    }
    bool Init(cCommonResources*, cAudioSystem*, cGameSettings*) override { return script.Opens(name); }
    void Start() override {}
    void ApplySettings(cGameSettings*) override {}
    int Update(int) override { return script.Next(name); }
    void Draw(bool) override {}
    void Resize(int, int) override {}
    void HandleInput(cInputHandler*) override {}
    void Leave(int) override {}
    bool ShowMouseCursor() override { return true; }

protected:
    sScript& script;
    std::string name;
};

class cScriptedTitle : public cScripted<cStartScreen>
{
public:
    cScriptedTitle(sScript& script, int subScreen)
        : cScripted(script, "title", subScreen)
    {
    }
    int GetSelectedSlot() const override { return script.slot; }
};

class cScriptedSelection : public cScripted<cLevelSelectionScreen>
{
public:
    cScriptedSelection(sScript& script, int slot, bool fromArea)
        : cScripted(script, "selection", slot, fromArea)
    {
    }
    bool AreaFinished(const std::string& file, int score, int, int) override
    {
        script.log.push_back("booked " + file + " " + std::to_string(score));
        return true;
    }
    std::string GetSelectedArea() const override { return script.selectedArea; }
    cSound* GetMusic() const override { return script.music; }
    void DeleteMusic() override { script.log.push_back("music deleted"); }
};

/// The real interlude, built for its area as in the game; only its answers are scripted.
class cScriptedInterlude : public cScripted<cMetaLevel>
{
public:
    cScriptedInterlude(sScript& script, cSound* music)
        : cScripted(script, "interlude", music)
        , withMusic(music != nullptr)
    {
    }
    bool InitWithArea(cCommonResources* resources, cAudioSystem* audio, cGameSettings* settings,
                      const std::string& file, int positive, int negative) override
    {
        script.log.push_back("interlude " + file + " " + std::to_string(positive) + " " + std::to_string(negative) +
                             (withMusic ? " with music" : ""));
        return cMetaLevel::InitWithArea(resources, audio, settings, file, positive, negative) && script.Opens(name);
    }

private:
    bool withMusic;
};

class cScriptedPause : public cPauseScreen
{
public:
    explicit cScriptedPause(sScript& script)
        : script(script)
    {
    }
    bool Init(cCommonResources*, cAudioSystem*, cGameSettings*) override { return script.Opens("pause"); }
    int Update(int) override { return script.Next("pause"); }
    int HandleInput(cInputHandler*) override { return script.Next("pause input"); }
    int MousePress(int, int, int, cInputHandler*) override { return script.Next("pause click"); }

private:
    sScript& script;
};

/// A real area whose tick results and exit score come from the script.
class cScriptedArea : public cArea
{
public:
    cScriptedArea(sScript& script, const std::string& file, cCommonResources* resources)
        : cArea(file, resources)
        , script(script)
    {
    }
    bool Init(cAudioSystem* audio, bool musicMuted, bool ambienceMuted) override
    {
        script.log.push_back("area " + GetFileName());
        return script.Opens(GetFileName()) && cArea::Init(audio, musicMuted, ambienceMuted);
    }
    int Update(int) override
    {
        ++script.areaTicks;
        const int result = script.Next("area");
        if (result == cArea::RESULT_FRAME_SET)
            triggeredFrameSet = script.triggeredSet;
        return result;
    }
    cPlayerChar* GetCurrentPlayer() const override
    {
        return script.currentPlayer ? script.currentPlayer : cArea::GetCurrentPlayer();
    }
    void GetExitInfo(int* score, int* positive, int* negative) const override
    {
        *score = script.exitScore;
        *positive = script.exitPositive;
        *negative = script.exitNegative;
    }

private:
    sScript& script;
};

/// The controller with every screen and area made from the script.
class cScriptedController : public cGame
{
public:
    explicit cScriptedController(sScript& script, bool gameMode = true)
        : cGame(gameMode)
        , script(script)
    {
    }
    /// The class each area made would have had in the game, in order.
    std::vector<eAreaKind> areaKinds;

protected:
    cStartScreen* NewStartScreen(int subScreen) override
    {
        script.log.push_back("title " + std::to_string(subScreen));
        return new cScriptedTitle(script, subScreen);
    }
    cLevelSelectionScreen* NewLevelSelection(int slot, bool fromArea) override
    {
        script.log.push_back("selection " + std::to_string(slot) + (fromArea ? " from area" : ""));
        return new cScriptedSelection(script, slot, fromArea);
    }
    cMetaLevel* NewMetaLevel(cSound* music) override { return new cScriptedInterlude(script, music); }
    cGameState* NewEndScreen() override
    {
        script.log.push_back("end");
        return cGame::NewEndScreen();
    }
    cPauseScreen* NewPauseScreen() override { return new cScriptedPause(script); }
    cArea* NewArea(const std::string& file, bool reload) override
    {
        areaKinds.push_back(AreaKindFor(file, reload));
        return new cScriptedArea(script, file, GetCommonResources());
    }

private:
    sScript& script;
};
