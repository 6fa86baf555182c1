#include "audio/AreaSoundPlayer.h"

#include "audio/AudioSystem.h"
#include "audio/Sound.h"

namespace {

constexpr unsigned int kStartFadeMs = 500;
constexpr unsigned int kStopSoundFadeMs = 1500;
// A fade-in's last steps land just below full volume; the channel starts at exactly 1 instead.
constexpr float kFullVolumeFrom = 0.995f;

} // namespace

cAreaSoundPlayer::cAreaSoundPlayer(cAudioSystem* audioSystem)
    : m_audioSystem(audioSystem)
{
}

cAreaSoundPlayer::~cAreaSoundPlayer()
{
    for (FMOD_SOUND* sound : {m_dayAmbience, m_nightAmbience, m_music})
        if (sound)
            CheckFmodResult(FMOD_Sound_Release(sound));
}

bool cAreaSoundPlayer::LoadAmbience(const QString& dayPath, const QString& nightPath)
{
    m_dayAmbience = m_audioSystem->CreateCachedSound(dayPath, true);
    if (!m_dayAmbience)
        return false;
    if (nightPath.isEmpty())
        return true;
    m_nightAmbience = m_audioSystem->CreateCachedSound(nightPath, true);
    return m_nightAmbience != nullptr;
}

bool cAreaSoundPlayer::LoadMusic(const QString& path, bool loop, int delayMs)
{
    m_music = m_audioSystem->CreateCachedSound(path, loop);
    if (!m_music)
        return false;
    m_musicDelayMs = delayMs;
    return true;
}

bool cAreaSoundPlayer::AddSound(const QString& path, int id)
{
    auto sound = std::make_unique<cSound>();
    if (!sound->Load(m_audioSystem, path, id, true))
        return false;
    m_sounds.push_back(std::move(sound));
    return true;
}

// The music sounds at full volume until the first Update steps the fade-in.
bool cAreaSoundPlayer::Start(bool musicMuted, bool ambienceMuted)
{
    m_musicMuted = musicMuted;
    m_ambienceMuted = ambienceMuted;
    m_state = AREA_SOUND_STEADY;
    FadeInAll(kStartFadeMs);
    PlayAmbience(0.0f);
    if (m_musicDelayMs <= 0)
        PlayMusic(1.0f);
    return true;
}

void cAreaSoundPlayer::Update(unsigned int elapsedMs)
{
    for (const auto& sound : m_sounds)
        sound->UpdateFade(elapsedMs);
    if (m_musicDelayMs > 0 && m_state != AREA_SOUND_IDLE) {
        m_musicDelayMs -= static_cast<int>(elapsedMs);
        if (m_musicDelayMs <= 0)
            PlayMusic(1.0f);
    }
    switch (m_state) {
    case AREA_SOUND_CROSS_FADE_TO_NIGHT:
        StepCrossFade(m_dayChannel, elapsedMs, true);
        return;
    case AREA_SOUND_CROSS_FADE_TO_DAY:
        StepCrossFade(m_nightChannel, elapsedMs, false);
        return;
    case AREA_SOUND_FADE_IN_ALL:
        m_fadeElapsedMs += elapsedMs;
        SetAllVolumes(Fraction());
        break;
    case AREA_SOUND_FADE_IN_AMBIENCE:
        m_fadeElapsedMs += elapsedMs;
        SetAmbienceVolume(Fraction());
        break;
    case AREA_SOUND_FADE_OUT_ALL:
        m_fadeElapsedMs += elapsedMs;
        SetAllVolumes(1.0f - Fraction());
        return;  // the area is about to be left: it stays silent in this state
    case AREA_SOUND_FADE_OUT_MUSIC:
        m_fadeElapsedMs += elapsedMs;
        SetMusicAndSoundVolume(1.0f - Fraction(), true, false);
        break;
    case AREA_SOUND_FADE_OUT_AMBIENCE:
        m_fadeElapsedMs += elapsedMs;
        SetAmbienceVolume(1.0f - Fraction());
        break;
    case AREA_SOUND_IDLE:
    case AREA_SOUND_STEADY:
        return;
    }
    if (m_fadeElapsedMs > m_fadeDurationMs)
        m_state = AREA_SOUND_STEADY;
}

// Only the outgoing ambience ramps; it is stopped in the tick that reaches the duration and the
// state ends one tick later. A duration of 0 silences and stops it in the first tick.
void cAreaSoundPlayer::StepCrossFade(FMOD_CHANNEL* outgoing, unsigned int elapsedMs, bool nightAfter)
{
    if (outgoing && (m_fadeElapsedMs < m_fadeDurationMs || m_fadeElapsedMs == 0)) {
        CheckFmodResult(FMOD_Channel_SetVolume(outgoing, 1.0f - Fraction()));
        if (m_fadeElapsedMs + elapsedMs >= m_fadeDurationMs)
            CheckFmodResult(FMOD_Channel_Stop(outgoing));
    }
    m_fadeElapsedMs += elapsedMs;
    if (m_fadeElapsedMs > m_fadeDurationMs) {
        m_state = AREA_SOUND_STEADY;
        m_nightActive = nightAfter;
    }
}

// Fractions are not clamped: the last step of a fade-in passes a little above 1 and fade-outs
// go on below 0, which the channels take as their bounds.
float cAreaSoundPlayer::Fraction() const
{
    if (m_fadeDurationMs == 0)
        return 1.0f;
    return static_cast<float>(m_fadeElapsedMs) / static_cast<float>(m_fadeDurationMs);
}

void cAreaSoundPlayer::PlayMusic(float volume)
{
    StartChannel(m_music, m_musicChannel, volume, m_musicMuted);
}

void cAreaSoundPlayer::PlayAmbience(float volume)
{
    StartChannel(m_dayAmbience, m_dayChannel, volume, m_ambienceMuted);
}

// The stored channel is the only way to reach a play; replacing it while it still sounds would
// leave that play running for the rest of the game (a cross-fade reversed half-way did).
void cAreaSoundPlayer::StartChannel(FMOD_SOUND* sound, FMOD_CHANNEL*& channel, float volume, bool muted)
{
    if (!sound)
        return;
    if (m_audioSystem->IsPlaying(channel))
        CheckFmodResult(FMOD_Channel_Stop(channel));
    if (!m_audioSystem->PlaySound(sound, &channel, true))
        return;
    CheckFmodResult(FMOD_Channel_SetVolume(channel, volume > kFullVolumeFrom ? 1.0f : volume));
    if (muted)
        m_audioSystem->Mute(channel);
    CheckFmodResult(FMOD_Channel_SetPaused(channel, false));
}

bool cAreaSoundPlayer::PlaySound(int id, int loopCount, unsigned int fadeInMs)
{
    cSound* sound = FindSound(id);
    if (!sound)
        return false;
    if (fadeInMs == 0)
        return sound->Play(1.0f, loopCount, m_musicMuted);
    sound->Play(0.0f, loopCount, m_musicMuted);
    return sound->FadeTo(1.0f, fadeInMs);
}

cSound* cAreaSoundPlayer::FindSound(int id) const
{
    for (const auto& sound : m_sounds)
        if (sound->GetId() == id)
            return sound.get();
    return nullptr;
}

void cAreaSoundPlayer::StopSound(int id)
{
    for (const auto& sound : m_sounds)
        if (sound->GetId() == id)
            sound->FadeOutAndStop(kStopSoundFadeMs);
}

bool cAreaSoundPlayer::IsMusicPlaying() const
{
    return m_audioSystem->IsPlaying(m_musicChannel);
}

bool cAreaSoundPlayer::IsAmbiencePlaying() const
{
    return m_audioSystem->IsPlaying(m_dayChannel) || m_audioSystem->IsPlaying(m_nightChannel);
}

bool cAreaSoundPlayer::IsAnySoundPlaying() const
{
    for (const auto& sound : m_sounds)
        if (sound->IsPlaying())
            return true;
    return false;
}

void cAreaSoundPlayer::StartFade(eAreaSoundState state, unsigned int durationMs)
{
    m_state = state;
    m_fadeDurationMs = durationMs;
    m_fadeElapsedMs = 0;
}

void cAreaSoundPlayer::FadeInAll(unsigned int durationMs)
{
    StartFade(AREA_SOUND_FADE_IN_ALL, durationMs);
}

void cAreaSoundPlayer::FadeInAmbience(unsigned int durationMs)
{
    StartFade(AREA_SOUND_FADE_IN_AMBIENCE, durationMs);
}

void cAreaSoundPlayer::FadeOutAll(unsigned int durationMs)
{
    StartFade(AREA_SOUND_FADE_OUT_ALL, durationMs);
}

void cAreaSoundPlayer::FadeOutAmbience(unsigned int durationMs)
{
    StartFade(AREA_SOUND_FADE_OUT_AMBIENCE, durationMs);
}

void cAreaSoundPlayer::FadeOutMusic(unsigned int durationMs)
{
    StartFade(AREA_SOUND_FADE_OUT_MUSIC, durationMs);
}

void cAreaSoundPlayer::CrossFadeToNight(unsigned int durationMs)
{
    StartFade(AREA_SOUND_CROSS_FADE_TO_NIGHT, durationMs);
    StartChannel(m_nightAmbience, m_nightChannel, 1.0f, m_ambienceMuted);
}

void cAreaSoundPlayer::CrossFadeToDay(unsigned int durationMs)
{
    StartFade(AREA_SOUND_CROSS_FADE_TO_DAY, durationMs);
    PlayAmbience(1.0f);
}

void cAreaSoundPlayer::SetAllVolumes(float volume)
{
    SetMusicAndSoundVolume(volume, true, true);
    SetAmbienceVolume(volume);
}

void cAreaSoundPlayer::SetMusicAndSoundVolume(float volume, bool music, bool sounds)
{
    if (music && m_musicChannel)
        CheckFmodResult(FMOD_Channel_SetVolume(m_musicChannel, volume));
    if (sounds)
        for (const auto& sound : m_sounds)
            sound->SetVolume(volume);
}

void cAreaSoundPlayer::SetAmbienceVolume(float volume)
{
    FMOD_CHANNEL* channel = m_nightActive ? m_nightChannel : m_dayChannel;
    if (channel)
        CheckFmodResult(FMOD_Channel_SetVolume(channel, volume));
}

void cAreaSoundPlayer::SetMuted(FMOD_CHANNEL* channel, bool muted)
{
    if (!channel)
        return;
    if (muted)
        m_audioSystem->Mute(channel);
    else
        m_audioSystem->Unmute(channel);
}

void cAreaSoundPlayer::MuteMusic()
{
    SetMusicMuted(true);
}

void cAreaSoundPlayer::UnmuteMusic()
{
    SetMusicMuted(false);
}

void cAreaSoundPlayer::SetMusicMuted(bool muted)
{
    SetMuted(m_musicChannel, muted);
    for (const auto& sound : m_sounds)
        sound->SetMuted(muted);
    m_musicMuted = muted;
}

void cAreaSoundPlayer::MuteAmbience()
{
    SetAmbienceMuted(true);
}

void cAreaSoundPlayer::UnmuteAmbience()
{
    SetAmbienceMuted(false);
}

void cAreaSoundPlayer::SetAmbienceMuted(bool muted)
{
    SetMuted(m_dayChannel, muted);
    SetMuted(m_nightChannel, muted);
    m_ambienceMuted = muted;
}

// Channels that were never started are skipped, like every other operation skips what is missing.
bool cAreaSoundPlayer::Pause(bool music, bool sounds, bool ambience)
{
    const auto pause = [](FMOD_CHANNEL* channel) {
        return !channel || !CheckFmodResult(FMOD_Channel_SetPaused(channel, true));
    };
    if (ambience && !pause(m_dayChannel))
        return false;
    if (music && !pause(m_musicChannel))
        return false;
    if (sounds)
        for (const auto& sound : m_sounds)
            if (sound->GetChannel() && !sound->Pause())
                return false;
    return true;
}
