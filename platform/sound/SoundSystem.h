#pragma once
#include "platform/sound/Fmod.h"
#include "platform/sound/Mixer.h"
#include "platform/sound/QueueTarget.h"
#include "platform/sound/SoundOutput.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class cDecodedSound;

/// What stands behind an FMOD_SYSTEM handle: the mixer, its output and the sounds it owns.
/// With an output, a thread of the system's own mixes in small blocks as the output plays, a short
/// way ahead of it, and keeps it fed while the game's thread is busy elsewhere (decoding,
/// loading); every operation may be called alongside it.
class cSoundSystem
{
public:
    /// Frames per second of the mix.
    static constexpr int kOutputRate = 44100;
    /// One 20 ms tick of sound.
    static constexpr int kFramesPerUpdate = kOutputRate / 50;
    /// With an output, the mix is made and queued 5 ms at a time.
    static constexpr int kFramesPerBlock = kOutputRate / 200;

    cSoundSystem() = default;
    cSoundSystem(const cSoundSystem&) = delete;
    cSoundSystem& operator=(const cSoundSystem&) = delete;
    ~cSoundSystem();

    /// Starts the mixer on the default device, or silently when none opens.
    FMOD_RESULT Init(int maxChannels);
    /// Starts the mixer on the given output; without one it runs silently, mixing only in Update.
    /// An output whose threads were refused real-time scheduling is kept a longer queue from the
    /// start, as busy threads of the same priority keep them waiting longer.
    FMOD_RESULT Init(int maxChannels, std::unique_ptr<cSoundOutput> output, bool realTime = true);
    /// Silent, mixes exactly one tick. With an output, mixes what the feeding thread has left
    /// missing of a tick, so the mix never falls behind the updates. Once the output is lost the
    /// system runs silently.
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
    /// Calls action(channel) on the channel still holding that play, with the mixer held still;
    /// false when no channel holds it any more.
    template <typename Action>
    bool WithChannel(std::uint64_t handle, Action action)
    {
        const std::lock_guard<std::mutex> lock(m_mixMutex);
        sMixerChannel* channel = m_mixer ? m_mixer->Find(handle) : nullptr;
        if (channel)
            action(*channel);
        return channel != nullptr;
    }
    /// Stops that play with the mixer's short fade-out; false when no channel holds it any more.
    bool StopChannel(std::uint64_t handle);
    int CountPlaying() const;

private:
    FMOD_RESULT CheckInit(int maxChannels) const;
    /// Mixes frameCount frames into the output, if there is one. Called with m_mixMutex held.
    void MixOut(int frameCount);
    /// Mixes whole blocks until the output holds the target, at most mostFrames; answers the
    /// frames mixed. Called with m_mixMutex held.
    int TopUp(int mostFrames);
    /// Drops an output that lost its device. Called with m_mixMutex held.
    void LoseOutput();
    /// The feeding thread's loop, until m_stopFeeding.
    void Feed();
    void StopFeeding();

    std::unique_ptr<cMixer> m_mixer;
    std::unique_ptr<cSoundOutput> m_output;
    std::vector<std::unique_ptr<cDecodedSound>> m_sounds;
    /// Guards m_sounds: sounds may be made on other threads.
    mutable std::mutex m_soundsMutex;
    /// Guards the mixer, its channels and the output against the feeding thread.
    mutable std::mutex m_mixMutex;
    std::condition_variable m_feedWake;
    bool m_stopFeeding = false;
    cQueueTarget m_target{0, 0, 0, 0, 0};
    /// Frames mixed that no Update has counted yet.
    int m_mixedAhead = 0;
    std::thread m_feeder;
    std::vector<std::int16_t> m_block;
};
