#include "platform/sound/SoundSystem.h"

#include "platform/sound/DecodedSound.h"
#include "platform/sound/OpenALOutput.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <pthread.h>
#include <sched.h>

namespace {

constexpr int kMaxChannels = 4095;
// With an output, the mix runs ahead of what is heard by the piece the device takes at once and
// three blocks more (the output counts the block it plays as unplayed): an effect sounds soon
// after the game starts it, and the feeding thread, which looks twice a block, always has a block
// in hand. An output that ran dry all the same makes the queue longer by one such piece, up to a
// quarter of a second; every 2 s without that it comes back down a block. Refused real-time
// scheduling, that thread and the device's wait their turn behind busy threads of the same
// priority, for tens of milliseconds on a busy machine: the queue starts longer, short of
// delaying a jump's sound noticeably.
constexpr int kSpareBlocks = 3;
constexpr int kSpareBlocksWithoutRealTime = 6;
constexpr int kLongestQueued = cSoundSystem::kOutputRate / 4;
constexpr int kQuietFrames = 2 * cSoundSystem::kOutputRate;
constexpr std::chrono::microseconds kFeedPoll(1000000 * cSoundSystem::kFramesPerBlock / cSoundSystem::kOutputRate / 2);

// Up to two ticks mixed by the feeding thread count towards the updates that follow: the device
// takes its pieces unevenly, and the mix would otherwise run further ahead than the target.
constexpr int kMostAhead = 2 * cSoundSystem::kFramesPerUpdate;

// Busy threads of normal priority never keep one of real-time priority waiting. Where the system
// refuses it, the thread goes on as it is and a longer queue covers its waits. (A desktop's
// real-time broker is not asked: it grants a thread only a little of a processor's time, under a
// limit the process must set on itself, and no machine the game is tested on runs one.)
bool AskForRealTime()
{
    sched_param param{};
    param.sched_priority = sched_get_priority_min(SCHED_FIFO);
    return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
}

// OpenAL Soft's own mixing thread takes the priority of the thread that starts the device: kept
// waiting behind busy threads, it would later take several of its pieces from the queue at once
// and run it dry however punctually it is fed.
bool OpenInRealTime(cOpenALOutput& device, bool& realTime)
{
    bool opened = false;
    std::thread([&] {
        realTime = AskForRealTime();
        opened = device.Open(cSoundSystem::kOutputRate);
    }).join();
    return opened;
}

int FramesIn(std::chrono::steady_clock::duration elapsed)
{
    return static_cast<int>(std::min<long long>(
        cSoundSystem::kOutputRate, std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count()
                                       * cSoundSystem::kOutputRate / 1000000));
}

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
    bool realTime = false;
    if (SilentModeRequested() || !OpenInRealTime(*device, realTime)) {
        std::printf("Sound: no output device; the game runs silently\n");
        device.reset();
    }
    return Init(maxChannels, std::move(device), realTime);
}

FMOD_RESULT cSoundSystem::Init(int maxChannels, std::unique_ptr<cSoundOutput> output, bool realTime)
{
    if (const FMOD_RESULT result = CheckInit(maxChannels); result != FMOD_OK)
        return result;
    m_mixer = std::make_unique<cMixer>(maxChannels, kOutputRate);
    m_output = std::move(output);
    m_stopFeeding = false;
    m_mixedAhead = 0;
    if (m_output) {
        const int burst = std::max(kFramesPerBlock, m_output->BurstFrames());
        const int spare = (realTime ? kSpareBlocks : kSpareBlocksWithoutRealTime) * kFramesPerBlock;
        m_target = cQueueTarget(burst + spare, kLongestQueued, burst, kQuietFrames, kFramesPerBlock);
        m_feeder = std::thread(&cSoundSystem::Feed, this);
    }
    return FMOD_OK;
}

FMOD_RESULT cSoundSystem::Update()
{
    const std::lock_guard<std::mutex> lock(m_mixMutex);
    if (!m_mixer)
        return FMOD_ERR_UNINITIALIZED;
    if (m_mixedAhead < kFramesPerUpdate)
        MixOut(kFramesPerUpdate - m_mixedAhead);
    m_mixedAhead -= kFramesPerUpdate;
    return FMOD_OK;
}

void cSoundSystem::MixOut(int frameCount)
{
    m_block.resize(static_cast<std::size_t>(frameCount) * 2);
    m_mixer->Mix(m_block.data(), frameCount);
    m_mixedAhead = std::min(kMostAhead, m_mixedAhead + frameCount);
    if (m_output)
        m_output->Queue(m_block.data(), frameCount);
}

// A play started after the output was topped up waits behind what is queued, never rewriting it:
// when it is heard depends on what the queue holds, not on when its block is mixed, so the play
// need not wake the thread.
int cSoundSystem::TopUp(int mostFrames)
{
    const int queued = m_output->QueuedFrames();
    int mixed = 0;
    for (; queued + mixed < m_target.Frames() && mixed + kFramesPerBlock <= mostFrames; mixed += kFramesPerBlock)
        MixOut(kFramesPerBlock);
    m_target.Observe(queued, mixed);
    return mixed;
}

void cSoundSystem::LoseOutput()
{
    std::printf("Sound: the output device was lost; the game runs silently\n");
    m_output.reset();
    m_mixedAhead = 0;
}

// The thread mixes no faster than the output's rate, beyond one longest queue: an output that
// swallows blocks as fast as they come costs this thread, at real-time priority, no more than one
// that plays them. An output that says it lost its device is dropped.
void cSoundSystem::Feed()
{
    AskForRealTime();
    int allowance = kLongestQueued;
    auto last = std::chrono::steady_clock::now();
    std::unique_lock<std::mutex> lock(m_mixMutex);
    while (!m_stopFeeding && m_output) {
        if (!m_output->IsConnected()) {
            LoseOutput();
            break;
        }
        const auto now = std::chrono::steady_clock::now();
        allowance = std::min(kLongestQueued, allowance + FramesIn(now - last));
        last = now;
        allowance -= TopUp(allowance);
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
