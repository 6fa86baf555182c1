// The flat functions: each checks its handles against the live systems and hands the call on.
// Handles are never dereferenced before they are found, so a stale one is an error, not a crash.
#include "platform/sound/Fmod.h"

#include "platform/sound/DecodedSound.h"
#include "platform/sound/SoundSystem.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

std::vector<cSoundSystem*> g_systems;

cSoundSystem* LiveSystem(FMOD_SYSTEM* handle)
{
    auto* system = reinterpret_cast<cSoundSystem*>(handle);
    return std::find(g_systems.begin(), g_systems.end(), system) != g_systems.end() ? system : nullptr;
}

cSoundSystem* OwnerOf(const cDecodedSound* sound)
{
    auto owner = std::find_if(g_systems.begin(), g_systems.end(), [sound](cSoundSystem* s) { return s->Owns(sound); });
    return owner != g_systems.end() ? *owner : nullptr;
}

std::uint64_t ChannelHandle(FMOD_CHANNEL* channel)
{
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(channel));
}

// Calls action(channel) on the channel holding the play, with its mixer held still; false when
// no channel of any system holds it.
template <typename Action>
bool OnLiveChannel(FMOD_CHANNEL* channel, Action action)
{
    for (cSoundSystem* system : g_systems)
        if (system->WithChannel(ChannelHandle(channel), action))
            return true;
    return false;
}

template <typename Action>
FMOD_RESULT OnSystem(FMOD_SYSTEM* handle, Action action)
{
    if (!handle)
        return FMOD_ERR_INVALID_PARAM;
    cSoundSystem* system = LiveSystem(handle);
    return system ? action(*system) : FMOD_ERR_INVALID_HANDLE;
}

template <typename Action>
FMOD_RESULT OnChannel(FMOD_CHANNEL* handle, Action action)
{
    if (!handle)
        return FMOD_ERR_INVALID_PARAM;
    return OnLiveChannel(handle, action) ? FMOD_OK : FMOD_ERR_INVALID_HANDLE;
}

// A program may end with exit() while a system runs. Its feeding thread must stop before the
// clean-up at exit takes OpenAL away from under it; closing also lets the device play out.
void CloseEverySystem()
{
    for (cSoundSystem* system : g_systems)
        system->Close();
}

} // namespace

FMOD_RESULT FMOD_System_Create(FMOD_SYSTEM** system)
{
    if (!system)
        return FMOD_ERR_INVALID_PARAM;
    // Registered after OpenAL's own clean-up, so it runs before it.
    static const int closingAtExit = std::atexit(CloseEverySystem);
    (void)closingAtExit;
    g_systems.push_back(new cSoundSystem);
    *system = reinterpret_cast<FMOD_SYSTEM*>(g_systems.back());
    return FMOD_OK;
}

FMOD_RESULT FMOD_System_GetVersion(FMOD_SYSTEM* system, unsigned int* version)
{
    if (!version)
        return FMOD_ERR_INVALID_PARAM;
    return OnSystem(system, [version](cSoundSystem&) {
        *version = FMOD_VERSION;
        return FMOD_OK;
    });
}

FMOD_RESULT FMOD_System_Init(FMOD_SYSTEM* system, int maxChannels, FMOD_INITFLAGS, void*)
{
    return OnSystem(system, [maxChannels](cSoundSystem& s) { return s.Init(maxChannels); });
}

FMOD_RESULT FMOD_System_Update(FMOD_SYSTEM* system)
{
    return OnSystem(system, [](cSoundSystem& s) { return s.Update(); });
}

FMOD_RESULT FMOD_System_CreateSound(FMOD_SYSTEM* system, const char* data, FMOD_MODE mode,
                                    FMOD_CREATESOUNDEXINFO* exinfo, FMOD_SOUND** sound)
{
    return OnSystem(system, [=](cSoundSystem& s) {
        return s.CreateSound(data, mode, exinfo, reinterpret_cast<cDecodedSound**>(sound));
    });
}

FMOD_RESULT FMOD_System_PlaySound(FMOD_SYSTEM* system, FMOD_CHANNELINDEX channelIndex, FMOD_SOUND* sound,
                                  FMOD_BOOL paused, FMOD_CHANNEL** channel)
{
    if (!sound || !channel)
        return FMOD_ERR_INVALID_PARAM;
    return OnSystem(system, [=](cSoundSystem& s) {
        if (channelIndex != FMOD_CHANNEL_FREE)
            return FMOD_ERR_UNSUPPORTED;
        const auto* decoded = reinterpret_cast<const cDecodedSound*>(sound);
        if (!s.Owns(decoded))
            return FMOD_ERR_INVALID_HANDLE;
        std::uint64_t handle = 0;
        const FMOD_RESULT result = s.Play(decoded, paused != 0, &handle);
        if (result == FMOD_OK)
            *channel = reinterpret_cast<FMOD_CHANNEL*>(static_cast<std::uintptr_t>(handle));
        return result;
    });
}

FMOD_RESULT FMOD_System_GetChannelsPlaying(FMOD_SYSTEM* system, int* channels)
{
    if (!channels)
        return FMOD_ERR_INVALID_PARAM;
    return OnSystem(system, [channels](cSoundSystem& s) {
        *channels = s.CountPlaying();
        return FMOD_OK;
    });
}

FMOD_RESULT FMOD_System_Close(FMOD_SYSTEM* system)
{
    return OnSystem(system, [](cSoundSystem& s) { return s.Close(); });
}

FMOD_RESULT FMOD_System_Release(FMOD_SYSTEM* system)
{
    return OnSystem(system, [](cSoundSystem& s) {
        g_systems.erase(std::find(g_systems.begin(), g_systems.end(), &s));
        delete &s;
        return FMOD_OK;
    });
}

FMOD_RESULT FMOD_Sound_Release(FMOD_SOUND* sound)
{
    if (!sound)
        return FMOD_ERR_INVALID_PARAM;
    const auto* decoded = reinterpret_cast<const cDecodedSound*>(sound);
    cSoundSystem* owner = OwnerOf(decoded);
    if (!owner)
        return FMOD_ERR_INVALID_HANDLE;
    owner->Release(decoded);
    return FMOD_OK;
}

FMOD_RESULT FMOD_Channel_SetLoopCount(FMOD_CHANNEL* channel, int loopCount)
{
    if (loopCount < -1)
        return FMOD_ERR_INVALID_PARAM;
    return OnChannel(channel, [loopCount](sMixerChannel& c) {
        if (c.sound && c.sound->IsLoopable())
            c.loopCount = loopCount;
    });
}

FMOD_RESULT FMOD_Channel_SetVolume(FMOD_CHANNEL* channel, float volume)
{
    return OnChannel(channel, [volume](sMixerChannel& c) { c.volume = std::clamp(volume, 0.0f, 1.0f); });
}

FMOD_RESULT FMOD_Channel_GetVolume(FMOD_CHANNEL* channel, float* volume)
{
    if (!volume)
        return FMOD_ERR_INVALID_PARAM;
    return OnChannel(channel, [volume](sMixerChannel& c) { *volume = c.volume; });
}

FMOD_RESULT FMOD_Channel_SetPaused(FMOD_CHANNEL* channel, FMOD_BOOL paused)
{
    return OnChannel(channel, [paused](sMixerChannel& c) { c.paused = paused != 0; });
}

FMOD_RESULT FMOD_Channel_SetMute(FMOD_CHANNEL* channel, FMOD_BOOL mute)
{
    return OnChannel(channel, [mute](sMixerChannel& c) { c.muted = mute != 0; });
}

FMOD_RESULT FMOD_Channel_GetMute(FMOD_CHANNEL* channel, FMOD_BOOL* mute)
{
    if (!mute)
        return FMOD_ERR_INVALID_PARAM;
    return OnChannel(channel, [mute](sMixerChannel& c) { *mute = c.muted; });
}

FMOD_RESULT FMOD_Channel_IsPlaying(FMOD_CHANNEL* channel, FMOD_BOOL* isPlaying)
{
    if (!isPlaying)
        return FMOD_ERR_INVALID_PARAM;
    *isPlaying = false;
    if (!channel)
        return FMOD_ERR_INVALID_PARAM;
    // A channel given to another play has certainly stopped playing ours: no error for that.
    OnLiveChannel(channel, [isPlaying](sMixerChannel& c) { *isPlaying = cMixer::IsPlaying(c); });
    return FMOD_OK;
}

FMOD_RESULT FMOD_Channel_Stop(FMOD_CHANNEL* channel)
{
    if (!channel)
        return FMOD_ERR_INVALID_PARAM;
    for (cSoundSystem* system : g_systems)
        if (system->StopChannel(ChannelHandle(channel)))
            return FMOD_OK;
    return FMOD_ERR_INVALID_HANDLE;
}

const char* FMOD_ErrorString(FMOD_RESULT result)
{
    switch (result) {
    case FMOD_OK: return "no error";
    case FMOD_ERR_INVALID_PARAM: return "a null pointer or a value out of range was passed";
    case FMOD_ERR_INVALID_HANDLE: return "the system, sound or channel no longer exists";
    case FMOD_ERR_UNINITIALIZED: return "the sound system is not running";
    case FMOD_ERR_INITIALIZED: return "the sound system is already running";
    case FMOD_ERR_FORMAT: return "not an Ogg Vorbis file of one or two channels";
    case FMOD_ERR_UNSUPPORTED: return "not offered by this sound layer";
    }
    return "unknown result";
}
