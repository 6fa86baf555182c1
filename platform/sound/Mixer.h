#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class cDecodedSound;

/// One voice of the mixer. A channel is free while it has no sound.
struct sMixerChannel
{
    const cDecodedSound* sound = nullptr;
    std::uint64_t handle = 0;     ///< names the current play; 0 before the first
    std::uint64_t position = 0;   ///< in frames of the sound, 32.32 fixed point
    std::uint64_t step = 0;       ///< position advance per output frame, 32.32 fixed point
    std::uint64_t startOrder = 0; ///< plays started before this one; the oldest is taken over first
    float volume = 1.0f;          ///< 0.0 to 1.0
    float mixedGain = -1.0f;      ///< the gain the last mix ended at; below 0 before the first
    int loopCount = 0;            ///< further passes after this one; -1 without end
    bool paused = false;
    bool muted = false;
};

/// The software mixer: a fixed number of channels summed into 16-bit stereo frames.
class cMixer
{
public:
    /// channelCount channels mixing to outputRate frames per second.
    cMixer(int channelCount, int outputRate);

    /// Starts the sound from its beginning at full volume, unmuted, on a free channel (or the
    /// oldest busy one, which is stopped as by Stop) and returns the play's handle, never 0.
    std::uint64_t Start(const cDecodedSound* sound, bool paused);
    /// The channel still holding the play of that handle (playing or ended), or null once the
    /// channel has been given to another play.
    sMixerChannel* Find(std::uint64_t handle);
    /// Frees the channel. What it was sounding does not break off: its next few milliseconds
    /// fade out at the start of the next mix, taken from the sound now, so the sound may be
    /// freed right after.
    void Stop(sMixerChannel& channel);
    /// Stops every channel that plays the sound.
    void StopSound(const cDecodedSound* sound);
    /// Channels holding a sound, paused ones included.
    int CountPlaying() const;

    /// Mixes the next frameCount frames into out (2 × frameCount samples, left first) and
    /// advances every unpaused channel by as much; a channel whose sound ends is freed. A new
    /// play fades in; a channel paused since the last mix fades out, one resumed fades in. Where
    /// the sum would pass full scale, the whole mix is turned down for a moment instead.
    void Mix(std::int16_t* out, int frameCount);

    static bool IsPlaying(const sMixerChannel& channel) { return channel.sound != nullptr; }

private:
    sMixerChannel* FreeChannel();
    void MixChannel(sMixerChannel& channel, float* accumulator, int frameCount);
    /// Mixes the channel's next frames into the accumulator, from the gain it was last heard at
    /// down to silence, leaving the channel as it is.
    void MixFadeOut(const sMixerChannel& channel, float* accumulator, int frameCount);
    /// Turns the mixed frames down where they would pass full scale.
    void Limit(int frameCount);

    std::vector<sMixerChannel> m_channels;
    std::vector<float> m_accumulator;
    /// Fade-outs of stopped channels, still to be added to the start of the next mix.
    std::vector<float> m_tail;
    int m_fadeFrames;
    float m_attackStep;
    float m_releaseStep;
    float m_limiterGain = 1.0f;
    std::vector<float> m_gains;
    int m_outputRate;
    std::size_t m_nextFree = 0;
    std::uint64_t m_playsStarted = 0;
};
