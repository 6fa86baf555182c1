#pragma once
#include "platform/sound/Fmod.h"

#include <QString>

#include <vector>

class cAudioSystem;
class cSound;

/// The numbered sound effects of the game. An effect's id is its place among the `sfx`
/// elements (with a `file`) of the list file, from 0. Every effect is decoded at loading and
/// stays in memory. The library must be released before the audio system shuts down.
class cSoundLibrary
{
public:
    explicit cSoundLibrary(cAudioSystem* audioSystem);
    /// Releases every effect.
    virtual ~cSoundLibrary();
    cSoundLibrary(const cSoundLibrary&) = delete;
    cSoundLibrary& operator=(const cSoundLibrary&) = delete;

    /// Replaces the effects with those the list file names ("res/wave/Audio_SFX.xml", root
    /// `SoundList`, one `sfx` element with a `file` attribute per effect). An effect that does
    /// not load keeps its id without a sound. False, after an "ERROR:" line, only when the file
    /// does not open; a parse error keeps what was read before it.
    bool LoadFromXml(const QString& path);
    void ReleaseAll();

    bool IsMuted() const { return m_muted; }
    /// While muted, Play plays nothing; sounds made by MakeSound follow their owners instead.
    void SetMuted(bool muted) { m_muted = muted; }
    int GetCount() const { return static_cast<int>(m_sounds.size()); }

    /// Plays the effect once (loop count 0) or more at the volume (0 to 1). False while muted,
    /// for an effect without a sound, and after an "ERROR:" line for an id that does not exist.
    /// Virtual so that tests can listen to what the game plays.
    virtual bool Play(int effectId, float volume, int loopCount);
    /// Plays one of the five menu sounds (52, 53, 62, 63, 64), picked with rand(), once.
    void PlayRandomMenuSound(float volume);
    /// Plays the hover tick (effect 1) once.
    void PlayHoverTick(float volume);
    /// A new sound, owned by the caller, that plays the effect's decoded data; null for an id
    /// that does not exist.
    cSound* MakeSound(int effectId);

private:
    /// The `file` of every `sfx` element of the list file, in order; false when it does not open.
    static bool ReadFileList(const QString& path, std::vector<QString>& files);
    bool Exists(int effectId) const { return effectId >= 0 && effectId < GetCount(); }

    cAudioSystem* m_audioSystem;
    std::vector<FMOD_SOUND*> m_sounds;
    bool m_muted = false;
};

/// The one library of the program, for everything that plays effects by number. The shared-asset
/// store sets it once the library is loaded and clears it before deleting the library; null
/// before that, and then nothing is played.
extern cSoundLibrary* gSoundLibrary;

/// Plays the effect once at the volume through `gSoundLibrary`; nothing while there is none.
void PlaySoundEffect(int effectId, float volume);
