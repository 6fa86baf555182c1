#pragma once
// The game's sound layer. It offers the flat function names the game was written against
// (FMOD Ex style) over our own software mixer: Ogg Vorbis sounds decoded whole from memory
// with libvorbisfile, mixed in software into one OpenAL Soft streaming source.
//
// Time: the mixer is advanced by FMOD_System_Update, which the game calls once per 20 ms
// tick. Each update mixes at least 20 ms of sound (882 frames at 44100 Hz); with an output
// device it mixes a little more when the device is about to run dry, so the device never
// starves while the game's timer runs slightly slower than 20 ms. When the updates stop coming
// for longer (the caller's thread is busy decoding or loading), a thread of the system's own
// mixes on, so the sound never drops out.
//
// Silent mode: when no output device opens, or OpenAL Soft only offers its "No Output" device,
// FMOD_System_Init still succeeds, prints one line saying so, and everything behaves the same
// except that nothing is heard; each update then advances every channel by exactly 20 ms. A
// device that is lost later (unplugged, or failing to write) sends the system to the same pace,
// with one line saying so.
// Setting the environment variable MIRROWEN_SILENT_AUDIO to a non-empty value (tests do)
// chooses silent mode without touching OpenAL at all; it is read by every FMOD_System_Init.
//
// Handles: a channel handle stays valid after its sound has ended, until the mixer reuses its
// channel for a new play; after that every call on it answers FMOD_ERR_INVALID_HANDLE, except
// FMOD_Channel_IsPlaying, which answers FMOD_OK and false. Volumes are linear, 0.0 silent to
// 1.0 full. Everything but that mixing runs on the caller's thread, with one exception: decoding
// is slow, so FMOD_System_CreateSound may run on other threads, several at once, alongside every
// other call but FMOD_System_Create, FMOD_System_Close and FMOD_System_Release.

#include <cstdint>

struct FMOD_SYSTEM;
struct FMOD_SOUND;
struct FMOD_CHANNEL;

enum FMOD_RESULT
{
    FMOD_OK = 0,
    FMOD_ERR_INVALID_PARAM,   ///< a null handle or pointer, or a value out of range
    FMOD_ERR_INVALID_HANDLE,  ///< a released system or sound, or a channel reused since
    FMOD_ERR_UNINITIALIZED,   ///< the system has not been initialised (or was closed)
    FMOD_ERR_INITIALIZED,     ///< FMOD_System_Init on a running system
    FMOD_ERR_FORMAT,          ///< the bytes are not an Ogg Vorbis file of one or two channels
    FMOD_ERR_UNSUPPORTED,     ///< a mode or channel index this layer does not offer
};

using FMOD_BOOL = int;
using FMOD_MODE = unsigned int;
using FMOD_INITFLAGS = unsigned int;
using FMOD_CHANNELINDEX = int;

/// The version this layer reports; the game requires 0x00044003 or newer.
constexpr unsigned int FMOD_VERSION = 0x00044400;

constexpr FMOD_INITFLAGS FMOD_INIT_NORMAL = 0;

/// Sound modes. FMOD_OPENMEMORY is required: sounds are made from bytes in memory only.
/// A sound made with FMOD_LOOP_NORMAL repeats until stopped unless its channel is given a
/// loop count; without it a sound plays once and loop counts are ignored.
constexpr FMOD_MODE FMOD_DEFAULT = 0x0;
constexpr FMOD_MODE FMOD_LOOP_OFF = 0x1;
constexpr FMOD_MODE FMOD_LOOP_NORMAL = 0x2;
constexpr FMOD_MODE FMOD_2D = 0x8;
constexpr FMOD_MODE FMOD_SOFTWARE = 0x40;
constexpr FMOD_MODE FMOD_OPENMEMORY = 0x800;

/// Play on whichever channel is free (the oldest play is taken over when all are busy).
constexpr FMOD_CHANNELINDEX FMOD_CHANNEL_FREE = -1;

/// Extra information for FMOD_System_CreateSound. Zero-fill it, set cbsize to its size in
/// bytes and length to the number of bytes of the file in memory.
struct FMOD_CREATESOUNDEXINFO
{
    int cbsize;
    unsigned int length;
};

/// A new, uninitialised system.
FMOD_RESULT FMOD_System_Create(FMOD_SYSTEM** system);
/// Works before FMOD_System_Init.
FMOD_RESULT FMOD_System_GetVersion(FMOD_SYSTEM* system, unsigned int* version);
/// Starts the mixer with maxChannels channels (1 to 4095) and opens the output (see Silent mode).
FMOD_RESULT FMOD_System_Init(FMOD_SYSTEM* system, int maxChannels, FMOD_INITFLAGS flags, void* extraDriverData);
/// Advances every channel by one update's worth of sound and hands the mix to the output.
FMOD_RESULT FMOD_System_Update(FMOD_SYSTEM* system);
/// Decodes a whole Ogg Vorbis file from memory. The layer keeps only the decoded samples, so
/// the caller may free its bytes right after the call. The system owns the sound until
/// FMOD_Sound_Release or FMOD_System_Release.
FMOD_RESULT FMOD_System_CreateSound(FMOD_SYSTEM* system, const char* data, FMOD_MODE mode,
                                    FMOD_CREATESOUNDEXINFO* exinfo, FMOD_SOUND** sound);
/// Starts the sound from its beginning at full volume, unmuted, on a free channel.
FMOD_RESULT FMOD_System_PlaySound(FMOD_SYSTEM* system, FMOD_CHANNELINDEX channelIndex, FMOD_SOUND* sound,
                                  FMOD_BOOL paused, FMOD_CHANNEL** channel);
/// Inspection: how many channels are playing (paused ones included).
FMOD_RESULT FMOD_System_GetChannelsPlaying(FMOD_SYSTEM* system, int* channels);
/// Stops every channel and closes the output after letting it play what it was already given;
/// the system can be initialised again.
FMOD_RESULT FMOD_System_Close(FMOD_SYSTEM* system);
/// Closes the system if needed, frees every sound it still owns and the system itself.
FMOD_RESULT FMOD_System_Release(FMOD_SYSTEM* system);

/// Frees the sound and stops it on every channel that plays it.
FMOD_RESULT FMOD_Sound_Release(FMOD_SOUND* sound);

/// 0 plays once, -1 repeats until stopped, n plays n + 1 times, counted from now on.
FMOD_RESULT FMOD_Channel_SetLoopCount(FMOD_CHANNEL* channel, int loopCount);
/// Values are clamped to 0.0 to 1.0. The next update glides from the old volume to the new one
/// (mute changes too), so volumes stepped once per tick are heard as smooth fades.
FMOD_RESULT FMOD_Channel_SetVolume(FMOD_CHANNEL* channel, float volume);
FMOD_RESULT FMOD_Channel_GetVolume(FMOD_CHANNEL* channel, float* volume);
/// A paused channel keeps its place and does not advance.
FMOD_RESULT FMOD_Channel_SetPaused(FMOD_CHANNEL* channel, FMOD_BOOL paused);
/// A muted channel goes on advancing but adds nothing to the mix; its volume is kept.
FMOD_RESULT FMOD_Channel_SetMute(FMOD_CHANNEL* channel, FMOD_BOOL mute);
FMOD_RESULT FMOD_Channel_GetMute(FMOD_CHANNEL* channel, FMOD_BOOL* mute);
/// False once the sound has ended or been stopped.
FMOD_RESULT FMOD_Channel_IsPlaying(FMOD_CHANNEL* channel, FMOD_BOOL* isPlaying);
/// Stopping a channel that has already ended does nothing and succeeds.
FMOD_RESULT FMOD_Channel_Stop(FMOD_CHANNEL* channel);

/// A short English text for a result.
const char* FMOD_ErrorString(FMOD_RESULT result);
