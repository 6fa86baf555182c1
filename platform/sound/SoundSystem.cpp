#include "platform/sound/SoundSystem.h"

#include "platform/sound/DecodedSound.h"
#include "platform/sound/OpenALOutput.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kMaxChannels = 4095;
// With an output, the mix runs this far ahead of what is heard: enough to ride out a late
// tick, little enough that an effect still sounds with the picture that caused it.
constexpr int kTargetQueuedFrames = 4 * cSoundSystem::kFramesPerUpdate;
// The game's ticks keep the output near the target. When they stop coming (the game's thread
// decodes a piece of music or loads an area), the feeding thread fills the output up again once
// a tick's worth is missing: what is left covers the thread's own wait for a processor, which
// other busy threads can make long on a machine of two cores. It looks this often.
constexpr int kFeedBelowFrames = kTargetQueuedFrames - cSoundSystem::kFramesPerUpdate;
constexpr std::chrono::milliseconds kFeedPoll(5);

bool SilentModeRequested()
{
    const char* value = std::getenv("MIRROWEN_SILENT_AUDIO");
    return value && *value;
}

} // namespace

cSoundSystem::~cSoundSystem()
{
    Close();
}

FMOD_RESULT cSoundSystem::CheckInit(int maxChannels) const
{
    if (m_mixer)
        return FMOD_ERR_INITIALIZED;
    if (maxChannels < 1 || maxChannels > kMaxChannels)
        return FMOD_ERR_INVALID_PARAM;
    return FMOD_OK;
}

FMOD_RESULT cSoundSystem::Init(int maxChannels)
{
    if (const FMOD_RESULT result = CheckInit(maxChannels); result != FMOD_OK)
        return result;
    auto device = std::make_unique<cOpenALOutput>();
    if (SilentModeRequested() || !device->Open(kOutputRate)) {
        std::printf("Sound: no output device; the game runs silently\n");
        device.reset();
    }
    return Init(maxChannels, std::move(device));
}

FMOD_RESULT cSoundSystem::Init(int maxChannels, std::unique_ptr<cSoundOutput> output)
{
    if (const FMOD_RESULT result = CheckInit(maxChannels); result != FMOD_OK)
        return result;
    m_mixer = std::make_unique<cMixer>(maxChannels, kOutputRate);
    m_output = std::move(output);
    m_stopFeeding = false;
    if (m_output)
        m_feeder = std::thread(&cSoundSystem::Feed, this);
    return FMOD_OK;
}

// Silent, every update is exactly one tick. With an output, an update also tops the queue up
// when the output has played more than the game has mixed (the timer fires every 21 ms).
FMOD_RESULT cSoundSystem::Update()
{
    const std::lock_guard<std::mutex> lock(m_mixMutex);
    if (!m_mixer)
        return FMOD_ERR_UNINITIALIZED;
    MixOut(m_output ? std::max(kFramesPerUpdate, kTargetQueuedFrames - m_output->QueuedFrames()) : kFramesPerUpdate);
    return FMOD_OK;
}

void cSoundSystem::MixOut(int frameCount)
{
    m_block.resize(static_cast<std::size_t>(frameCount) * 2);
    m_mixer->Mix(m_block.data(), frameCount);
    if (m_output)
        m_output->Queue(m_block.data(), frameCount);
}

void cSoundSystem::Feed()
{
    std::unique_lock<std::mutex> lock(m_mixMutex);
    while (!m_stopFeeding) {
        const int queued = m_output->QueuedFrames();
        if (queued < kFeedBelowFrames)
            MixOut(kTargetQueuedFrames - queued);
        m_feedWake.wait_for(lock, kFeedPoll, [this] { return m_stopFeeding; });
    }
}

void cSoundSystem::StopFeeding()
{
    if (!m_feeder.joinable())
        return;
    {
        const std::lock_guard<std::mutex> lock(m_mixMutex);
        m_stopFeeding = true;
    }
    m_feedWake.notify_one();
    m_feeder.join();
}

FMOD_RESULT cSoundSystem::Close()
{
    if (!m_mixer)
        return FMOD_ERR_UNINITIALIZED;
    StopFeeding();
    m_mixer.reset();
    m_output.reset();
    return FMOD_OK;
}

FMOD_RESULT cSoundSystem::CreateSound(const char* data, FMOD_MODE mode, const FMOD_CREATESOUNDEXINFO* exinfo,
                                      cDecodedSound** sound)
{
    if (!sound || !data || !exinfo || exinfo->cbsize != static_cast<int>(sizeof(FMOD_CREATESOUNDEXINFO)))
        return FMOD_ERR_INVALID_PARAM;
    *sound = nullptr;
    if (!m_mixer)
        return FMOD_ERR_UNINITIALIZED;
    if (!(mode & FMOD_OPENMEMORY))
        return FMOD_ERR_UNSUPPORTED;
    auto decoded = std::make_unique<cDecodedSound>();
    const FMOD_RESULT result = decoded->DecodeOggVorbis(data, exinfo->length);
    if (result != FMOD_OK)
        return result;
    decoded->SetLoopable((mode & FMOD_LOOP_NORMAL) != 0);
    *sound = decoded.get();
    const std::lock_guard<std::mutex> lock(m_soundsMutex);
    m_sounds.push_back(std::move(decoded));
    return FMOD_OK;
}

bool cSoundSystem::Owns(const cDecodedSound* sound) const
{
    const std::lock_guard<std::mutex> lock(m_soundsMutex);
    return std::any_of(m_sounds.begin(), m_sounds.end(), [sound](const auto& own) { return own.get() == sound; });
}

void cSoundSystem::Release(const cDecodedSound* sound)
{
    {
        const std::lock_guard<std::mutex> lock(m_mixMutex);
        if (m_mixer)
            m_mixer->StopSound(sound);
    }
    const std::lock_guard<std::mutex> lock(m_soundsMutex);
    m_sounds.erase(std::remove_if(m_sounds.begin(), m_sounds.end(), [sound](const auto& own) { return own.get() == sound; }),
                   m_sounds.end());
}

FMOD_RESULT cSoundSystem::Play(const cDecodedSound* sound, bool paused, std::uint64_t* handle)
{
    const std::lock_guard<std::mutex> lock(m_mixMutex);
    if (!m_mixer)
        return FMOD_ERR_UNINITIALIZED;
    *handle = m_mixer->Start(sound, paused);
    return FMOD_OK;
}

bool cSoundSystem::StopChannel(std::uint64_t handle)
{
    return WithChannel(handle, [this](sMixerChannel& channel) { m_mixer->Stop(channel); });
}

int cSoundSystem::CountPlaying() const
{
    const std::lock_guard<std::mutex> lock(m_mixMutex);
    return m_mixer ? m_mixer->CountPlaying() : 0;
}
