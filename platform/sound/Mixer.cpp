#include "platform/sound/Mixer.h"

#include "platform/sound/DecodedSound.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr int kIndexBits = 12;
constexpr std::uint64_t kIndexMask = (1u << kIndexBits) - 1;
constexpr std::uint64_t kOne = std::uint64_t(1) << 32;  // 1.0 in 32.32 fixed point

// Handles count up across every mixer of the process, so a handle kept from a closed system
// can never name a channel of a later one.
std::uint64_t g_lastPlay = 0;

// A sound that stops, pauses or starts mid-swing fades over this part of a second rather than
// jumping to or from silence, which would be heard as a click.
constexpr int kFadesPerSecond = 200;

// Where several loud sounds meet (an exit's mouth and its chime for each of a row of hearts,
// over the music), the whole mix is turned down just enough to stay within full scale instead
// of being cut flat there, which is heard as crackle. The gain starts going down a little ahead
// of a peak and comes back up over a quarter of a second.
constexpr float kAttackSeconds = 0.002f;
constexpr float kReleaseSeconds = 0.25f;

std::int16_t ToSample(float value)
{
    const float scaled = std::round(value * 32768.0f);
    return static_cast<std::int16_t>(std::clamp(scaled, -32768.0f, 32767.0f));
}

void Free(sMixerChannel& channel)
{
    channel.sound = nullptr;
}

/// Whether a channel whose position has reached the end of its sound (end in 32.32 fixed point) has
/// played every pass it was given. One step may pass the end several times: a sound of a few frames
/// at a higher rate than the output's.
bool HasNoPassLeft(const sMixerChannel& channel, std::uint64_t end)
{
    return end == 0 ||
           (channel.loopCount >= 0 && channel.position / end > static_cast<std::uint64_t>(channel.loopCount));
}

} // namespace

cMixer::cMixer(int channelCount, int outputRate)
    : m_channels(static_cast<std::size_t>(channelCount)),
      m_fadeFrames(std::max(1, outputRate / kFadesPerSecond)),
      m_attackStep(1.0f / (kAttackSeconds * static_cast<float>(outputRate))),
      m_releaseStep(1.0f / (kReleaseSeconds * static_cast<float>(outputRate))),
      m_outputRate(outputRate)
{
}

std::uint64_t cMixer::Start(const cDecodedSound* sound, bool paused)
{
    sMixerChannel* channel = FreeChannel();
    Stop(*channel);
    const std::size_t index = static_cast<std::size_t>(channel - m_channels.data());
    *channel = sMixerChannel{};
    channel->sound = sound;
    channel->handle = (++g_lastPlay << kIndexBits) | index;
    channel->step = (static_cast<std::uint64_t>(sound->GetRate()) << 32) / static_cast<std::uint64_t>(m_outputRate);
    channel->startOrder = m_playsStarted++;
    channel->loopCount = sound->IsLoopable() ? -1 : 0;
    channel->paused = paused;
    return channel->handle;
}

// Free channels are handed out in turn, so the handle of a play that has just ended stays
// valid for as long as possible; with every channel busy the oldest play gives way.
sMixerChannel* cMixer::FreeChannel()
{
    for (std::size_t i = 0; i < m_channels.size(); ++i) {
        const std::size_t index = (m_nextFree + i) % m_channels.size();
        if (!IsPlaying(m_channels[index])) {
            m_nextFree = (index + 1) % m_channels.size();
            return &m_channels[index];
        }
    }
    return &*std::min_element(m_channels.begin(), m_channels.end(),
        [](const sMixerChannel& a, const sMixerChannel& b) { return a.startOrder < b.startOrder; });
}

sMixerChannel* cMixer::Find(std::uint64_t handle)
{
    const std::size_t index = static_cast<std::size_t>(handle & kIndexMask);
    if (handle == 0 || index >= m_channels.size() || m_channels[index].handle != handle)
        return nullptr;
    return &m_channels[index];
}

void cMixer::Stop(sMixerChannel& channel)
{
    if (IsPlaying(channel)) {
        m_tail.resize(std::max(m_tail.size(), static_cast<std::size_t>(m_fadeFrames) * 2), 0.0f);
        MixFadeOut(channel, m_tail.data(), m_fadeFrames);
    }
    Free(channel);
}

void cMixer::StopSound(const cDecodedSound* sound)
{
    for (sMixerChannel& channel : m_channels)
        if (channel.sound == sound)
            Stop(channel);
}

int cMixer::CountPlaying() const
{
    return static_cast<int>(std::count_if(m_channels.begin(), m_channels.end(), IsPlaying));
}

void cMixer::Mix(std::int16_t* out, int frameCount)
{
    m_accumulator.assign(static_cast<std::size_t>(frameCount) * 2, 0.0f);
    const auto carried = static_cast<std::ptrdiff_t>(std::min(m_tail.size(), m_accumulator.size()));
    std::transform(m_tail.begin(), m_tail.begin() + carried, m_accumulator.begin(), m_accumulator.begin(),
                   std::plus<float>());
    m_tail.erase(m_tail.begin(), m_tail.begin() + carried);
    for (sMixerChannel& channel : m_channels) {
        if (!IsPlaying(channel))
            continue;
        if (!channel.paused) {
            MixChannel(channel, m_accumulator.data(), frameCount);
        } else if (channel.mixedGain > 0.0f) {
            // Resuming glides up from silence, as any change of volume does.
            MixFadeOut(channel, m_accumulator.data(), std::min(frameCount, m_fadeFrames));
            channel.mixedGain = 0.0f;
        }
    }
    Limit(frameCount);
    std::transform(m_accumulator.begin(), m_accumulator.end(), out, ToSample);
}

// Each frame gets the gain that keeps it within full scale; looking back from the block's end,
// the gain falls towards a peak no faster than the attack allows, and from the gain the last
// block ended at it rises no faster than the release allows.
void cMixer::Limit(int frameCount)
{
    m_gains.resize(static_cast<std::size_t>(frameCount));
    for (std::size_t i = 0; i < m_gains.size(); ++i) {
        const float peak = std::max(std::fabs(m_accumulator[2 * i]), std::fabs(m_accumulator[2 * i + 1]));
        m_gains[i] = peak > 1.0f ? 1.0f / peak : 1.0f;
    }
    for (std::size_t i = m_gains.size(); i-- > 1;)
        m_gains[i - 1] = std::min(m_gains[i - 1], m_gains[i] + m_attackStep);
    for (std::size_t i = 0; i < m_gains.size(); ++i) {
        m_limiterGain = std::min(m_gains[i], m_limiterGain + m_releaseStep);
        m_accumulator[2 * i] *= m_limiterGain;
        m_accumulator[2 * i + 1] *= m_limiterGain;
    }
}

void cMixer::MixFadeOut(const sMixerChannel& channel, float* accumulator, int frameCount)
{
    if (channel.mixedGain <= 0.0f)
        return;  // never heard yet, or silent already
    sMixerChannel fading = channel;
    fading.volume = 0.0f;
    fading.muted = false;
    fading.paused = false;
    MixChannel(fading, accumulator, frameCount);
}

// Linear interpolation between neighbouring frames; a sound at the output rate is copied
// sample for sample. A muted channel advances like any other but adds nothing. A change of
// volume or mute glides across the block instead of jumping at its start: fades step their
// volume once per tick, and steps that size would be heard as a buzz at the tick rate.
void cMixer::MixChannel(sMixerChannel& channel, float* accumulator, int frameCount)
{
    const cDecodedSound& sound = *channel.sound;
    const std::size_t frames = sound.GetFrames();
    const std::uint64_t end = static_cast<std::uint64_t>(frames) << 32;
    const float targetGain = channel.muted ? 0.0f : channel.volume;
    // A new play glides in over the first few milliseconds: a loop starts where its end leads
    // in, often mid-swing. Any later change glides across the whole block.
    const bool first = channel.mixedGain < 0.0f;
    float gain = first ? 0.0f : channel.mixedGain;
    const int glideFrames = first ? std::min(frameCount, m_fadeFrames) : frameCount;
    const float gainStep = (targetGain - gain) / static_cast<float>(glideFrames);
    channel.mixedGain = targetGain;
    for (int i = 0; i < frameCount; ++i) {
        if (channel.position >= end) {
            if (HasNoPassLeft(channel, end)) {
                Free(channel);
                return;
            }
            const std::uint64_t passes = channel.position / end;
            channel.position %= end;
            if (channel.loopCount > 0)
                channel.loopCount -= static_cast<int>(passes);
        }
        if (i < glideFrames)
            gain += gainStep;
        const std::size_t frame = static_cast<std::size_t>(channel.position >> 32);
        const float fraction = static_cast<float>(channel.position & (kOne - 1)) / static_cast<float>(kOne);
        const std::size_t next = frame + 1 < frames ? frame + 1 : (channel.loopCount != 0 ? 0 : frame);
        for (int side = 0; side < 2; ++side) {
            const float a = sound.Sample(frame, side);
            const float b = sound.Sample(next, side);
            accumulator[2 * i + side] += (a + (b - a) * fraction) * gain / 32768.0f;
        }
        channel.position += channel.step;
    }
    // A sound ends in the update that plays its last frame, not one update later.
    if (channel.position >= end && HasNoPassLeft(channel, end))
        Free(channel);
}
