#pragma once
// A sound-effect library that records what the game asks for instead of playing it, so tests can
// check which effects a behaviour makes heard.
#include "audio/SoundLibrary.h"

#include <vector>

/// Records every effect the game asks for instead of playing it.
class cRecordingSoundLibrary : public cSoundLibrary
{
public:
    struct sPlayed
    {
        int id;
        float volume;
        int loopCount;
    };

    cRecordingSoundLibrary() : cSoundLibrary(nullptr) {}
    bool Play(int effectId, float volume, int loopCount) override
    {
        played.push_back({effectId, volume, loopCount});
        return true;
    }
    /// The ids played since the last call, and forgets them.
    std::vector<int> Take()
    {
        std::vector<int> ids;
        for (const sPlayed& p : played)
            ids.push_back(p.id);
        played.clear();
        return ids;
    }

    std::vector<sPlayed> played;
};

/// The game plays its effects into a recording library while this lives, and into its own
/// library again afterwards (whose owner deletes it).
class cRecordedEffects
{
public:
    cRecordedEffects() : game(gSoundLibrary) { gSoundLibrary = &sounds; }
    ~cRecordedEffects() { gSoundLibrary = game; }
    cRecordedEffects(const cRecordedEffects&) = delete;
    cRecordedEffects& operator=(const cRecordedEffects&) = delete;

    cRecordingSoundLibrary sounds;

private:
    cSoundLibrary* game;
};
