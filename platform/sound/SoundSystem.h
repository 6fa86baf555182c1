#pragma once
#include "platform/sound/Fmod.h"
#include "platform/sound/Mixer.h"
#include "platform/sound/OpenALOutput.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class cDecodedSound;

/// What stands behind an FMOD_SYSTEM handle: the mixer, its output and the sounds it owns.
class cSoundSystem
{
public:
    /// Frames per second of the mix.
    static constexpr int kOutputRate = 44100;
    /// One 20 ms tick of sound.
    static constexpr int kFramesPerUpdate = kOutputRate / 50;

    FMOD_RESULT Init(int maxChannels);
    /// Mixes one update (see Fmod.h) and hands it to the output, if there is one.
    FMOD_RESULT Update();
    /// Stops the mixer and closes the output; the sounds stay.
    FMOD_RESULT Close();

    /// Safe to call from other threads alongside every other operation.
    FMOD_RESULT CreateSound(const char* data, FMOD_MODE mode, const FMOD_CREATESOUNDEXINFO* exinfo,
                            cDecodedSound** sound);
    bool Owns(const cDecodedSound* sound) const;
    /// Stops the sound on every channel and frees it.
    void Release(const cDecodedSound* sound);

    FMOD_RESULT Play(const cDecodedSound* sound, bool paused, std::uint64_t* handle);
    /// The channel still holding that play, or null.
    sMixerChannel* FindChannel(std::uint64_t handle);
    /// Stops that play with the mixer's short fade-out; false when no channel holds it any more.
    bool StopChannel(std::uint64_t handle);
    int CountPlaying() const { return m_mixer ? m_mixer->CountPlaying() : 0; }

private:
    int FramesToMix();

    std::unique_ptr<cMixer> m_mixer;
    cOpenALOutput m_output;
    std::vector<std::unique_ptr<cDecodedSound>> m_sounds;
    /// Guards m_sounds: sounds may be made on other threads.
    mutable std::mutex m_soundsMutex;
    std::vector<std::int16_t> m_block;
};
