#pragma once
#include "platform/sound/Fmod.h"

class QString;
class cAudioSystem;

/// One playable sound with its own channel, loop count, mute state and linear volume fades
/// (music, themes, looping effects). Volumes run from 0.0 to 1.0, times are milliseconds.
/// A fade is stepped by Update or UpdateFade, once per tick.
class cSound
{
public:
    cSound() = default;
    /// Stops the sound and releases it unless it is shared.
    virtual ~cSound();
    cSound(const cSound&) = delete;
    cSound& operator=(const cSound&) = delete;

    /// Decodes the resource file into a sound of its own. False when nothing could be made.
    bool Load(cAudioSystem* owner, const QString& path, int id, bool loopable);
    /// Plays a sound that belongs to someone else (the effect library); it is never released here.
    bool InitShared(cAudioSystem* owner, FMOD_SOUND* sound, int id);

    /// Starts the sound at the volume with the loop count (0 once, -1 until stopped), muted or
    /// not. While it plays, a second Play only applies the mute state and answers false.
    bool Play(float volume, int loopCount, bool muted);
    /// Applies the mute state to the channel, then steps the fade.
    void Update(unsigned int elapsedMs, bool muted);
    /// Steps the fade by the elapsed time; a fade ends in the tick that reaches its target.
    void UpdateFade(unsigned int elapsedMs);
    /// False without a channel or when the layer refuses (the stale channel is then kept).
    bool Stop();
    bool IsPlaying() const;
    bool SetVolume(float volume);
    /// 0.0 without a channel.
    float GetVolume() const;
    void SetMuted(bool muted);
    bool Pause();
    bool Resume();
    int GetId() const { return m_id; }

    /// Fades linearly from the current volume to the target (clamped to 0 to 1) over the
    /// duration. Duration 0 sets the volume at once and leaves a running fade running; any other
    /// duration replaces the running fade. A pending stop stays pending either way. Before Play the
    /// fade starts from 0.
    bool FadeTo(float volume, unsigned int durationMs);
    /// Fades to 0 and stops in the tick that reaches it. With nothing to step (duration 0, which
    /// silences the sound at once, or a volume already at 0) the sound plays on silently, its stop
    /// pending until a fade down reaches its end.
    bool FadeOutAndStop(unsigned int durationMs);

    /// The channel of the last play, for inspection; null before and after Stop.
    FMOD_CHANNEL* GetChannel() const { return m_channel; }

private:
    cAudioSystem* m_owner = nullptr;
    FMOD_SOUND* m_sound = nullptr;
    FMOD_CHANNEL* m_channel = nullptr;
    bool m_shared = false;
    int m_id = -1;
    float m_targetVolume = 1.0f;
    float m_fadeStep = 0.0f;  ///< volume per millisecond; 0 while no fade runs
    bool m_stopAfterFade = false;
};
