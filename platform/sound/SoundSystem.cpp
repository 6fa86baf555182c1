#include "platform/sound/SoundSystem.h"

#include "platform/sound/DecodedSound.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kMaxChannels = 4095;
// With a device, the mix runs this far ahead of what is heard: enough to ride out a late
// tick, little enough that an effect still sounds with the picture that caused it.
constexpr int kTargetQueuedFrames = 4 * cSoundSystem::kFramesPerUpdate;

bool SilentModeRequested()
{
    const char* value = std::getenv("MIRROWEN_SILENT_AUDIO");
    return value && *value;
}

} // namespace

FMOD_RESULT cSoundSystem::Init(int maxChannels)
{
    if (m_mixer)
        return FMOD_ERR_INITIALIZED;
    if (maxChannels < 1 || maxChannels > kMaxChannels)
        return FMOD_ERR_INVALID_PARAM;
    m_mixer = std::make_unique<cMixer>(maxChannels, kOutputRate);
    if (SilentModeRequested() || !m_output.Open(kOutputRate))
        std::printf("Sound: no output device; the game runs silently\n");
    return FMOD_OK;
}

FMOD_RESULT cSoundSystem::Update()
{
    if (!m_mixer)
        return FMOD_ERR_UNINITIALIZED;
    const int frames = FramesToMix();
    m_block.resize(static_cast<std::size_t>(frames) * 2);
    m_mixer->Mix(m_block.data(), frames);
    if (m_output.IsOpen())
        m_output.Queue(m_block.data(), frames);
    return FMOD_OK;
}

// Silent, every update is exactly one tick. With a device, an update also tops the queue up
// when the device has played more than the game has mixed (the timer fires every 21 ms).
int cSoundSystem::FramesToMix()
{
    if (!m_output.IsOpen())
        return kFramesPerUpdate;
    return std::max(kFramesPerUpdate, kTargetQueuedFrames - m_output.QueuedFrames());
}

FMOD_RESULT cSoundSystem::Close()
{
    if (!m_mixer)
        return FMOD_ERR_UNINITIALIZED;
    m_mixer.reset();
    m_output.Close();
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
    if (m_mixer)
        m_mixer->StopSound(sound);
    const std::lock_guard<std::mutex> lock(m_soundsMutex);
    m_sounds.erase(std::remove_if(m_sounds.begin(), m_sounds.end(), [sound](const auto& own) { return own.get() == sound; }),
                   m_sounds.end());
}

FMOD_RESULT cSoundSystem::Play(const cDecodedSound* sound, bool paused, std::uint64_t* handle)
{
    if (!m_mixer)
        return FMOD_ERR_UNINITIALIZED;
    *handle = m_mixer->Start(sound, paused);
    return FMOD_OK;
}

sMixerChannel* cSoundSystem::FindChannel(std::uint64_t handle)
{
    return m_mixer ? m_mixer->Find(handle) : nullptr;
}

bool cSoundSystem::StopChannel(std::uint64_t handle)
{
    sMixerChannel* channel = FindChannel(handle);
    if (channel)
        m_mixer->Stop(*channel);
    return channel != nullptr;
}
