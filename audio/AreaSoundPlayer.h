#pragma once
#include "platform/sound/Fmod.h"

#include <QString>

#include <memory>
#include <vector>

class cAudioSystem;
class cSound;

/// The running fade of an area's sound player.
enum eAreaSoundState
{
    AREA_SOUND_IDLE = 0,
    AREA_SOUND_STEADY = 1,
    AREA_SOUND_CROSS_FADE_TO_NIGHT = 2,
    AREA_SOUND_CROSS_FADE_TO_DAY = 3,
    AREA_SOUND_FADE_IN_ALL = 4,
    AREA_SOUND_FADE_IN_AMBIENCE = 5,
    AREA_SOUND_FADE_OUT_ALL = 6,
    AREA_SOUND_FADE_OUT_AMBIENCE = 7,
    AREA_SOUND_FADE_OUT_MUSIC = 8,
};

/// One area's music, its day and night ambience and its area sounds (form themes and scripted
/// tunes, found by id). It runs one fade at a time, stepped by Update once per tick; times are
/// milliseconds, volumes 0.0 to 1.0. Whatever failed to load is skipped by every operation.
class cAreaSoundPlayer
{
public:
    explicit cAreaSoundPlayer(cAudioSystem* audioSystem);
    /// Releases the music and ambiences (which stops them), then deletes the area sounds.
    ~cAreaSoundPlayer();
    cAreaSoundPlayer(const cAreaSoundPlayer&) = delete;
    cAreaSoundPlayer& operator=(const cAreaSoundPlayer&) = delete;

    /// The day ambience and, when nightPath is not empty, the night one; both loop. Each is a sound
    /// of its own, also when both paths name one file.
    bool LoadAmbience(const QString& dayPath, const QString& nightPath);
    /// The music, looping or not, started delayMs after Start (at once for 0).
    bool LoadMusic(const QString& path, bool loop, int delayMs);
    /// A looping-capable area sound with the id; false (and nothing kept) when it does not load.
    bool AddSound(const QString& path, int id);

    /// Fades the ambience and the music in over 500 ms; the music waits for its delay.
    bool Start(bool musicMuted, bool ambienceMuted);
    /// Steps the area sounds' fades, the music delay and the running fade.
    void Update(unsigned int elapsedMs);
    eAreaSoundState GetState() const { return m_state; }

    /// Starts the music (or the day ambience) on a new channel at the volume, muted when the
    /// flag says so. A channel of the same kind still sounding is stopped first.
    void PlayMusic(float volume);
    void PlayAmbience(float volume);

    /// Plays the first area sound with the id: at full volume, or from 0 rising to 1 over
    /// fadeInMs. Without a fade-in false while it already plays; false for an unknown id.
    bool PlaySound(int id, int loopCount, unsigned int fadeInMs);
    cSound* FindSound(int id) const;
    /// Fades every area sound with the id out over 1500 ms and stops it.
    void StopSound(int id);

    bool IsMusicPlaying() const;
    bool IsAmbiencePlaying() const;
    bool IsAnySoundPlaying() const;

    void FadeInAll(unsigned int durationMs);
    void FadeInAmbience(unsigned int durationMs);
    /// Final: the player stays silent in this state for the rest of the area.
    void FadeOutAll(unsigned int durationMs);
    void FadeOutAmbience(unsigned int durationMs);
    void FadeOutMusic(unsigned int durationMs);
    /// Starts the night ambience at full volume and fades the day one out, stopping it at the end.
    void CrossFadeToNight(unsigned int durationMs);
    /// Restarts the day ambience at full volume and fades the night one out, stopping it at the end.
    void CrossFadeToDay(unsigned int durationMs);

    void SetAllVolumes(float volume);
    void SetMusicAndSoundVolume(float volume, bool music, bool sounds);
    /// Sets the ambience that the fades act on: the night one once night is active.
    void SetAmbienceVolume(float volume);

    /// Mutes the music and every area sound.
    void MuteMusic();
    void UnmuteMusic();
    /// Mutes both ambiences.
    void MuteAmbience();
    void UnmuteAmbience();
    /// Pauses the chosen kinds of sound (the day ambience for ambience: the Vadi do Davovodaz one
    /// plays on); nothing resumes them. Channels never started are passed over.
    /// False at the first channel the layer refuses.
    bool Pause(bool music, bool sounds, bool ambience);

    /// Channels of the last plays, for inspection; null before.
    FMOD_CHANNEL* GetMusicChannel() const { return m_musicChannel; }
    FMOD_CHANNEL* GetDayChannel() const { return m_dayChannel; }
    FMOD_CHANNEL* GetNightChannel() const { return m_nightChannel; }
    /// The ambiences' sounds, for inspection; null before they load.
    FMOD_SOUND* GetDayAmbience() const { return m_dayAmbience; }
    FMOD_SOUND* GetNightAmbience() const { return m_nightAmbience; }

private:
    void StartChannel(FMOD_SOUND* sound, FMOD_CHANNEL*& channel, float volume, bool muted);
    void StepCrossFade(FMOD_CHANNEL* outgoing, unsigned int elapsedMs, bool nightAfter);
    void StartFade(eAreaSoundState state, unsigned int durationMs);
    float Fraction() const;
    void SetMuted(FMOD_CHANNEL* channel, bool muted);
    void SetMusicMuted(bool muted);
    void SetAmbienceMuted(bool muted);

    cAudioSystem* m_audioSystem;
    FMOD_SOUND* m_music = nullptr;
    FMOD_SOUND* m_dayAmbience = nullptr;
    FMOD_SOUND* m_nightAmbience = nullptr;
    FMOD_CHANNEL* m_musicChannel = nullptr;
    FMOD_CHANNEL* m_dayChannel = nullptr;
    FMOD_CHANNEL* m_nightChannel = nullptr;
    std::vector<std::unique_ptr<cSound>> m_sounds;
    eAreaSoundState m_state = AREA_SOUND_IDLE;
    int m_musicDelayMs = 0;
    unsigned int m_fadeDurationMs = 0;
    unsigned int m_fadeElapsedMs = 0;
    bool m_musicMuted = false;
    bool m_ambienceMuted = false;
    bool m_nightActive = false;
};
