#include "audio/AudioSystem.h"

#include "audio/Sound.h"
#include "engine/StringUtil.h"

#include <QFile>

#include <algorithm>
#include <cstdio>

namespace {

constexpr unsigned int kRequiredVersion = 0x44003;
constexpr int kChannels = 64;
constexpr FMOD_MODE kLoopableMode = FMOD_OPENMEMORY | FMOD_SOFTWARE | FMOD_2D | FMOD_LOOP_NORMAL;
constexpr FMOD_MODE kOnceMode = FMOD_OPENMEMORY | FMOD_SOFTWARE | FMOD_2D;
/// Update runs once per tick of the game.
constexpr unsigned int kTickMs = 20;

FMOD_SYSTEM* g_system = nullptr;

} // namespace

bool CheckFmodResult(FMOD_RESULT result, const char* context)
{
    if (result == FMOD_OK)
        return false;
    std::printf("FMOD ERROR! (%d) %s %s\n", static_cast<int>(result), FMOD_ErrorString(result), context);
    return true;
}

QString ToResourcePath(const QString& path)
{
    return ResourcePath(path);
}

cAudioSystem::cAudioSystem()
{
    g_system = nullptr;
}

cAudioSystem::~cAudioSystem()
{
    Shutdown();
}

bool cAudioSystem::Init()
{
    if (CheckFmodResult(FMOD_System_Create(&g_system)))
        return false;
    unsigned int version = 0;
    if (CheckFmodResult(FMOD_System_GetVersion(g_system, &version)))
        return false;
    if (version < kRequiredVersion) {
        std::printf("Error!  You are using an old version of FMOD %08x.  This program requires %08x\n", version,
                    kRequiredVersion);
        return false;
    }
    if (CheckFmodResult(FMOD_System_Init(g_system, kChannels, FMOD_INIT_NORMAL, nullptr)))
        return false;
    std::printf("Audio system initialized\n");
    return true;
}

bool cAudioSystem::Update()
{
    for (const auto& sound : fading)
        sound->UpdateFade(kTickMs);
    fading.erase(std::remove_if(fading.begin(), fading.end(), [](const auto& sound) { return !sound->IsPlaying(); }),
                 fading.end());
    return !CheckFmodResult(FMOD_System_Update(g_system), "cAudioSystem::Update");
}

void cAudioSystem::KeepUntilFaded(std::unique_ptr<cSound> sound)
{
    if (sound)
        fading.push_back(std::move(sound));
}

// Closing twice would hand the layer a released handle, so the handle goes with the system.
void cAudioSystem::Shutdown()
{
    // The sounds go before the system that plays them.
    fading.clear();
    if (!g_system)
        return;
    CheckFmodResult(FMOD_System_Close(g_system));
    CheckFmodResult(FMOD_System_Release(g_system));
    g_system = nullptr;
}

FMOD_SOUND* cAudioSystem::CreateCachedSound(const QString& path)
{
    return CreateCachedSound(path, true);
}

namespace {

/// The bytes of a resource file; a null array when it does not open.
QByteArray ReadResource(const QString& path)
{
    QFile file(ToResourcePath(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

FMOD_RESULT DecodeInto(const QByteArray& bytes, bool loop, FMOD_SOUND** sound)
{
    FMOD_CREATESOUNDEXINFO info{};
    info.cbsize = sizeof info;
    info.length = static_cast<unsigned int>(bytes.size());
    return FMOD_System_CreateSound(g_system, bytes.constData(), loop ? kLoopableMode : kOnceMode, &info, sound);
}

} // namespace

FMOD_SOUND* cAudioSystem::CreateCachedSound(const QString& path, bool loop)
{
    const QByteArray bytes = ReadResource(path);
    if (bytes.isNull())
        return nullptr;
    FMOD_SOUND* sound = nullptr;
    return CheckFmodResult(DecodeInto(bytes, loop, &sound), "CreateCachedSound") ? nullptr : sound;
}

bool cAudioSystem::PlayOneShot(FMOD_SOUND* sound, float volume, int loopCount)
{
    FMOD_CHANNEL* channel = nullptr;
    if (CheckFmodResult(FMOD_System_PlaySound(g_system, FMOD_CHANNEL_FREE, sound, false, &channel)))
        return false;
    CheckFmodResult(FMOD_Channel_SetLoopCount(channel, loopCount));
    return !CheckFmodResult(FMOD_Channel_SetVolume(channel, volume));
}

bool cAudioSystem::PlaySound(FMOD_SOUND* sound, FMOD_CHANNEL** channel, bool paused)
{
    if (!sound)
        return false;
    return !CheckFmodResult(FMOD_System_PlaySound(g_system, FMOD_CHANNEL_FREE, sound, paused, channel));
}

bool cAudioSystem::IsPlaying(FMOD_CHANNEL* channel)
{
    if (!channel)
        return false;
    FMOD_BOOL playing = false;
    return !CheckFmodResult(FMOD_Channel_IsPlaying(channel, &playing)) && playing;
}

bool cAudioSystem::IsMuted(FMOD_CHANNEL* channel)
{
    FMOD_BOOL muted = true;
    return CheckFmodResult(FMOD_Channel_GetMute(channel, &muted)) || muted;
}

bool cAudioSystem::Mute(FMOD_CHANNEL* channel)
{
    return !CheckFmodResult(FMOD_Channel_SetMute(channel, true));
}

bool cAudioSystem::Unmute(FMOD_CHANNEL* channel)
{
    return !CheckFmodResult(FMOD_Channel_SetMute(channel, false));
}

FMOD_SYSTEM* cAudioSystem::GetSystem()
{
    return g_system;
}
