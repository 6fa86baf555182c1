#pragma once
#include "platform/sound/Fmod.h"

#include <QString>

#include <memory>
#include <vector>

class cSound;

/// Judges one result of the sound layer. A failure prints "FMOD ERROR! (number) text context"
/// and answers true; FMOD_OK answers false.
bool CheckFmodResult(FMOD_RESULT result, const char* context = "");

/// A resource path: unchanged when it contains ":/", else ":/" put in front.
QString ToResourcePath(const QString& path);

/// The game's one sound system: started once, advanced once per tick, shut down last.
/// The system handle is process-wide; construct one cAudioSystem at a time.
class cAudioSystem
{
public:
    cAudioSystem();
    /// Shuts the system down.
    ~cAudioSystem();
    cAudioSystem(const cAudioSystem&) = delete;
    cAudioSystem& operator=(const cAudioSystem&) = delete;

    /// Starts the sound system with 64 channels. False, after a printed line, when the layer is
    /// missing, older than 0x44003 or does not start; every later call then reports its own failure.
    bool Init();
    /// Advances the mixer by one tick; call once per 20 ms tick.
    bool Update();
    /// Closes and releases the system. Sounds made by it must be released before; calling it
    /// again does nothing.
    void Shutdown();

    /// A sound decoded whole from a resource file, looping-capable. Null when the resource does
    /// not open (silently) or does not decode (after an error line).
    FMOD_SOUND* CreateCachedSound(const QString& path);
    /// The same; loop false makes a sound that always plays once.
    FMOD_SOUND* CreateCachedSound(const QString& path, bool loop);
    /// Starts the sound on a channel nobody keeps, at the volume (0 to 1), with the loop count
    /// (0 once, -1 until the system goes).
    bool PlayOneShot(FMOD_SOUND* sound, float volume, int loopCount);
    /// Starts the sound at full volume on a free channel, written into *channel.
    /// False for a null sound or when the layer refuses.
    bool PlaySound(FMOD_SOUND* sound, FMOD_CHANNEL** channel, bool paused);
    /// False for a null channel or one whose play has ended.
    bool IsPlaying(FMOD_CHANNEL* channel);
    /// True when muted or when the channel cannot be asked.
    bool IsMuted(FMOD_CHANNEL* channel);
    bool Mute(FMOD_CHANNEL* channel);
    bool Unmute(FMOD_CHANNEL* channel);

    /// Takes over a sound that is fading out while its owner goes away (a screen's music on
    /// leaving), so that the fade is heard to its end: every Update steps its fade by one tick,
    /// and the sound is deleted once it has stopped, or at Shutdown.
    void KeepUntilFaded(std::unique_ptr<cSound> sound);
    /// How many such sounds are still fading.
    int FadingCount() const { return int(fading.size()); }

    /// The process-wide system handle (null before Init and after Shutdown), for inspection.
    static FMOD_SYSTEM* GetSystem();

private:
    std::vector<std::unique_ptr<cSound>> fading;
};
