#include "audio/Sound.h"

#include "audio/AudioSystem.h"

#include <cmath>

namespace {

// Float steps drift over a long fade; a volume this close to the target has reached it, so a
// fade ends in the tick the arithmetic says it does, not one tick later.
constexpr float kReachedWithin = 1e-4f;

} // namespace

cSound::~cSound()
{
    Stop();
    if (m_sound && !m_shared)
        CheckFmodResult(FMOD_Sound_Release(m_sound));
}

bool cSound::Load(cAudioSystem* owner, const QString& path, int id, bool loopable)
{
    m_owner = owner;
    m_id = id;
    m_sound = loopable ? owner->CreateCachedSound(path) : owner->CreateCachedSound(path, false);
    return m_sound != nullptr;
}

bool cSound::InitShared(cAudioSystem* owner, FMOD_SOUND* sound, int id)
{
    m_owner = owner;
    m_sound = sound;
    m_id = id;
    m_shared = true;
    return true;
}

// The sound starts paused so that it is first heard already at its volume and mute state.
bool cSound::Play(float volume, int loopCount, bool muted)
{
    if (m_channel)
        SetMuted(muted);
    if (IsPlaying() || !m_owner || !m_owner->PlaySound(m_sound, &m_channel, true))
        return false;
    if (muted)
        m_owner->Mute(m_channel);
    const bool looped = !CheckFmodResult(FMOD_Channel_SetLoopCount(m_channel, loopCount));
    CheckFmodResult(FMOD_Channel_SetVolume(m_channel, volume));
    CheckFmodResult(FMOD_Channel_SetPaused(m_channel, false));
    return looped;
}

void cSound::Update(unsigned int elapsedMs, bool muted)
{
    SetMuted(muted);
    UpdateFade(elapsedMs);
}

// The fade reads the channel's volume every tick, so a volume set from outside is carried on from.
void cSound::UpdateFade(unsigned int elapsedMs)
{
    if (m_fadeStep == 0.0f)
        return;
    float volume = GetVolume() + static_cast<float>(elapsedMs) * m_fadeStep;
    const bool reached = std::fabs(volume - m_targetVolume) <= kReachedWithin
                         || (m_fadeStep < 0.0f ? volume <= m_targetVolume : volume >= m_targetVolume);
    const bool stop = reached && m_fadeStep < 0.0f && m_stopAfterFade;
    if (reached) {
        volume = m_targetVolume;
        m_fadeStep = 0.0f;
    }
    SetVolume(volume);
    if (stop) {
        m_stopAfterFade = false;
        Stop();
    }
}

bool cSound::Stop()
{
    if (!m_channel || CheckFmodResult(FMOD_Channel_Stop(m_channel)))
        return false;
    m_channel = nullptr;
    return true;
}

bool cSound::IsPlaying() const
{
    return m_owner && m_sound && m_channel && m_owner->IsPlaying(m_channel);
}

bool cSound::SetVolume(float volume)
{
    return m_channel && !CheckFmodResult(FMOD_Channel_SetVolume(m_channel, volume));
}

float cSound::GetVolume() const
{
    float volume = 0.0f;
    if (!m_channel || FMOD_Channel_GetVolume(m_channel, &volume) != FMOD_OK)
        return 0.0f;
    return volume;
}

void cSound::SetMuted(bool muted)
{
    if (!m_channel || !m_owner)
        return;
    if (muted)
        m_owner->Mute(m_channel);
    else
        m_owner->Unmute(m_channel);
}

bool cSound::Pause()
{
    return m_channel && !CheckFmodResult(FMOD_Channel_SetPaused(m_channel, true));
}

bool cSound::Resume()
{
    return m_channel && !CheckFmodResult(FMOD_Channel_SetPaused(m_channel, false));
}

bool cSound::FadeTo(float volume, unsigned int durationMs)
{
    if (volume > 1.0f)
        volume = 1.0f;
    if (volume < 0.0f)
        volume = 0.0f;
    if (durationMs == 0)
        return SetVolume(volume);
    m_targetVolume = volume;
    m_fadeStep = (volume - GetVolume()) / static_cast<float>(durationMs);
    return true;
}

bool cSound::FadeOutAndStop(unsigned int durationMs)
{
    FadeTo(0.0f, durationMs);
    m_stopAfterFade = true;
    return true;
}
