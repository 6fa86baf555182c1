#include "platform/sound/OpenALOutput.h"

#include <AL/alext.h>

#include <chrono>
#include <cstring>
#include <numeric>
#include <thread>

namespace {

// OpenAL Soft answers with this device when its only back end is the null one: nothing
// would be heard, so the layer treats it as no device at all.
constexpr const char* kNullDeviceName = "No Output";

// Draining waits for the device, never for the game: it gives up after this long even if the
// device stops consuming.
constexpr int kDrainPollMs = 5;
constexpr int kDrainLimitMs = 3000;

} // namespace

bool cOpenALOutput::Open(int rate)
{
    m_device = alcOpenDevice(nullptr);
    if (!m_device)
        return false;
    const ALCchar* name = alcGetString(m_device, ALC_ALL_DEVICES_SPECIFIER);
    const ALCint attributes[] = {ALC_FREQUENCY, rate, 0};
    if ((name && std::strcmp(name, kNullDeviceName) == 0)
        || !(m_context = alcCreateContext(m_device, attributes)) || !alcMakeContextCurrent(m_context)) {
        Close();
        return false;
    }
    m_rate = rate;
    alGenSources(1, &m_source);
    // Stereo blocks reach the speakers as they are, not panned as two virtual sources.
    if (alIsExtensionPresent("AL_SOFT_direct_channels"))
        alSourcei(m_source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
    // Asked once here: the feeding thread asks for the connection twice a block.
    m_tellsDisconnect = alcIsExtensionPresent(m_device, "ALC_EXT_disconnect");
    return alGetError() == AL_NO_ERROR || (Close(), false);
}

void cOpenALOutput::Close()
{
    if (!m_device)
        return;
    if (m_context) {
        if (IsConnected())
            Drain();
        alSourceStop(m_source);
        alDeleteSources(1, &m_source);
        ReclaimPlayed();
        alDeleteBuffers(static_cast<ALsizei>(m_spareBuffers.size()), m_spareBuffers.data());
        m_spareBuffers.clear();
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(m_context);
        m_context = nullptr;
    }
    alcCloseDevice(m_device);
    m_device = nullptr;
    m_source = 0;
}

void cOpenALOutput::Drain()
{
    ALint state = AL_STOPPED;
    for (int waited = 0; waited < kDrainLimitMs; waited += kDrainPollMs) {
        alGetSourcei(m_source, AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(kDrainPollMs));
    }
}

void cOpenALOutput::ReclaimPlayed()
{
    ALint processed = 0;
    alGetSourcei(m_source, AL_BUFFERS_PROCESSED, &processed);
    for (; processed > 0 && !m_queuedBuffers.empty(); --processed) {
        ALuint buffer = m_queuedBuffers.front();
        alSourceUnqueueBuffers(m_source, 1, &buffer);
        m_spareBuffers.push_back(buffer);
        m_queuedBuffers.pop_front();
        m_queuedFrames.pop_front();
    }
}

int cOpenALOutput::BurstFrames()
{
    ALCint refresh = 0;
    alcGetIntegerv(m_device, ALC_REFRESH, 1, &refresh);
    return refresh > 0 ? (m_rate + refresh - 1) / refresh : 0;
}

// Counts the buffer being played as unplayed: asking the source how far into it it is waits,
// yielding, while the device mixes, and a thread of real-time priority yielding to a device thread
// of normal priority on the same core waits until the system takes it off the processor.
int cOpenALOutput::QueuedFrames()
{
    ReclaimPlayed();
    return std::accumulate(m_queuedFrames.begin(), m_queuedFrames.end(), 0);
}

void cOpenALOutput::Queue(const std::int16_t* frames, int frameCount)
{
    ALint state = AL_STOPPED;
    alGetSourcei(m_source, AL_SOURCE_STATE, &state);
    // A source that ran dry counts everything it holds as played; it restarts from the new block.
    if (state != AL_PLAYING)
        ReclaimPlayed();

    ALuint buffer = 0;
    if (m_spareBuffers.empty()) {
        alGenBuffers(1, &buffer);
    } else {
        buffer = m_spareBuffers.back();
        m_spareBuffers.pop_back();
    }
    alBufferData(buffer, AL_FORMAT_STEREO16, frames, frameCount * 2 * static_cast<ALsizei>(sizeof(std::int16_t)), m_rate);
    alSourceQueueBuffers(m_source, 1, &buffer);
    m_queuedBuffers.push_back(buffer);
    m_queuedFrames.push_back(frameCount);
    if (state != AL_PLAYING)
        alSourcePlay(m_source);
    m_failed = m_failed || alGetError() != AL_NO_ERROR;
}

bool cOpenALOutput::IsConnected()
{
    ALCint connected = ALC_TRUE;
    if (m_tellsDisconnect)
        alcGetIntegerv(m_device, ALC_CONNECTED, 1, &connected);
    return connected == ALC_TRUE && !m_failed;
}
