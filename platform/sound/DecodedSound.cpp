#include "platform/sound/DecodedSound.h"

#include "platform/sound/PageScan.h"
#include "platform/sound/VorbisMemoryFile.h"

#include <sched.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

namespace {

/// ov_read hands out at most this many bytes a call; it never gives more than one packet anyway.
constexpr std::size_t kReadBytes = 16384;
/// A stretch read after a seek starts this many frames early, so that what it decodes there can be
/// compared with the end of the stretch before.
constexpr std::size_t kOverlapFrames = 64;

bool IsLink(OggVorbis_File* vorbis, int link, int channels, long rate)
{
    const vorbis_info* info = ov_info(vorbis, link);
    return info && info->channels == channels && info->rate == rate;
}

bool IsAtEnd(OggVorbis_File* vorbis)
{
    char rest[4096];
    int link = 0;
    return ov_read(vorbis, rest, sizeof rest, 0, 2, 1, &link) == 0;
}

/// Frames first to first + count of a sound; the last stretch ends where the stream ends.
struct sStretch
{
    std::size_t first;
    std::size_t count;
    bool last;
};

sStretch StretchOf(std::size_t index, std::size_t stretches, std::size_t frames)
{
    const std::size_t first = frames * index / stretches;
    const std::size_t end = frames * (index + 1) / stretches;
    return {first, end - first, index + 1 == stretches};
}

// False on an error, a gap, a link of another format or an early end.
bool ReadFrames(OggVorbis_File* vorbis, std::int16_t* samples, std::size_t count, int channels, long rate)
{
    char* at = reinterpret_cast<char*>(samples);
    std::size_t left = count * channels * sizeof(std::int16_t);
    int link = 0;
    while (left > 0) {
        const long got = ov_read(vorbis, at, static_cast<int>(std::min(left, kReadBytes)), 0, 2, 1, &link);
        if (got <= 0 || !IsLink(vorbis, link, channels, rate))
            return false;
        at += got;
        left -= static_cast<std::size_t>(got);
    }
    return true;
}

// A reader that stands at the stretch's first frame (it has just decoded the stretch before) reads
// on; any other seeks a little before it and decodes those frames into `lead`. The last stretch
// must end where the stream ends.
bool DecodeStretch(OggVorbis_File* vorbis, const sStretch& stretch, int channels, long rate, std::int16_t* samples,
                   std::vector<std::int16_t>& lead)
{
    if (ov_pcm_tell(vorbis) != static_cast<ogg_int64_t>(stretch.first)) {
        const std::size_t leadFrames = std::min(stretch.first, kOverlapFrames);
        lead.resize(leadFrames * channels);
        if (ov_pcm_seek(vorbis, static_cast<ogg_int64_t>(stretch.first - leadFrames)) != 0
            || !ReadFrames(vorbis, lead.data(), leadFrames, channels, rate))
            return false;
    }
    return ReadFrames(vorbis, samples + stretch.first * channels, stretch.count, channels, rate)
           && (!stretch.last || IsAtEnd(vorbis));
}

// libvorbisfile seeks by the links and lengths it found when it opened the file: they must be the
// ones the page scan proved.
bool IsProven(OggVorbis_File* vorbis, const char* data, std::size_t byteCount)
{
    const cPageScan scan(data, byteCount);
    const std::vector<std::int64_t>& links = scan.LinkFrames();
    if (links.empty() || ov_streams(vorbis) != static_cast<long>(links.size()))
        return false;
    for (std::size_t link = 0; link < links.size(); ++link)
        if (ov_pcm_total(vorbis, static_cast<int>(link)) != links[link])
            return false;
    return true;
}

/// The stretches of one decode, handed out one at a time to whichever thread is free: a thread the
/// system holds back keeps one short stretch waiting, not a whole share of the piece. The job lives
/// as long as its last thread: one that starts only after every stretch is taken touches nothing else.
struct sStretchJob
{
    const char* data;
    std::size_t byteCount;
    std::size_t frames;
    std::size_t stretches;
    int channels;
    long rate;
    std::int16_t* samples;
    /// Per stretch, the frames before it as its reader decoded them after seeking; empty when none.
    std::vector<std::vector<std::int16_t>> leads;
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::size_t done = 0;
    std::mutex mutex{};
    std::condition_variable finished{};
};

// After the first failure nothing more is decoded: a reader that failed is never used again, as
// libvorbis may have left its decoder half set up, and the decode goes to one pass anyway.
void TakeStretches(sStretchJob& job)
{
    std::optional<cVorbisMemoryFile> file;  // opened with the first stretch taken
    for (std::size_t index = job.next++; index < job.stretches; index = job.next++) {
        if (!job.failed) {
            if (!file)
                file.emplace(job.data, job.byteCount);
            if (!file->IsOpen() || !DecodeStretch(file->Get(), StretchOf(index, job.stretches, job.frames),
                                                  job.channels, job.rate, job.samples, job.leads[index]))
                job.failed = true;
        }
        const std::lock_guard<std::mutex> lock(job.mutex);
        if (++job.done == job.stretches)
            job.finished.notify_all();
    }
}

// The call waits for the stretches, not for the threads: a helper the system starts late finds
// nothing left to take and ends on its own.
void StartHelper(const std::shared_ptr<sStretchJob>& job)
{
    try {
        std::thread([job] { TakeStretches(*job); }).detach();
    } catch (const std::system_error&) {
        // no thread to be had: the others, the calling one among them, take its share
    }
}

} // namespace

std::atomic<int> cDecodedSound::sHeld::count{0};

int cDecodedSound::CountHeld()
{
    return sHeld::count;
}

unsigned cDecodedSound::DefaultThreads()
{
    cpu_set_t allowed;
    if (sched_getaffinity(0, sizeof allowed, &allowed) == 0)
        return static_cast<unsigned>(std::max(1, CPU_COUNT(&allowed)));
    return std::max(1u, std::thread::hardware_concurrency());
}

FMOD_RESULT cDecodedSound::DecodeOggVorbis(const char* data, std::size_t byteCount, unsigned threads,
                                           std::size_t minFramesPerStretch)
{
    m_samples.clear();
    m_channels = 0;
    m_rate = 0;
    m_stretches = 1;
    const FMOD_RESULT result = Decode(data, byteCount, threads, minFramesPerStretch);
    if (result != FMOD_OK) {
        m_samples.clear();
        m_samples.shrink_to_fit();
        m_channels = 0;
        m_rate = 0;
    }
    return result;
}

// What a file says of itself is only believed where the decoder holds it to it: every link of a
// chained file must have the first link's format, and the claimed length only sizes the buffer
// when it is one the game could ever hold.
FMOD_RESULT cDecodedSound::Decode(const char* data, std::size_t byteCount, unsigned threads,
                                  std::size_t minFramesPerStretch)
{
    cVorbisMemoryFile file(data, byteCount);
    if (!file.IsOpen())
        return FMOD_ERR_FORMAT;
    const vorbis_info* info = ov_info(file.Get(), -1);
    if (!info || info->channels < 1 || info->channels > 2 || info->rate < kMinRate || info->rate > kMaxRate)
        return FMOD_ERR_FORMAT;
    const sFormat format{info->channels, info->rate};
    if (ov_pcm_total(file.Get(), -1) > static_cast<ogg_int64_t>(kMaxSamples / format.channels))
        return FMOD_ERR_FORMAT;
    if (!DecodeInStretches(file, data, byteCount, format, threads, minFramesPerStretch)) {
        m_stretches = 1;
        const FMOD_RESULT result = DecodeInOne(file, format);
        if (result != FMOD_OK)
            return result;
    }
    m_channels = format.channels;
    m_rate = static_cast<int>(format.rate);
    return FMOD_OK;
}

FMOD_RESULT cDecodedSound::DecodeInOne(cVorbisMemoryFile& file, sFormat format)
{
    m_samples.clear();
    const ogg_int64_t claimed = ov_pcm_total(file.Get(), -1);
    if (claimed > 0)
        m_samples.reserve(static_cast<std::size_t>(claimed) * format.channels);
    alignas(std::int16_t) char buffer[kReadBytes];
    int link = 0;
    for (;;) {
        const long got = ov_read(file.Get(), buffer, sizeof buffer, 0, 2, 1, &link);
        if (got == 0)
            break;
        if (got == OV_HOLE)  // a gap in the stream: carry on with what follows
            continue;
        if (got < 0 || !IsLink(file.Get(), link, format.channels, format.rate))
            return FMOD_ERR_FORMAT;
        if (m_samples.size() + static_cast<std::size_t>(got) / 2 > kMaxSamples)
            return FMOD_ERR_FORMAT;
        const auto* samples = reinterpret_cast<const std::int16_t*>(buffer);
        m_samples.insert(m_samples.end(), samples, samples + got / 2);
    }
    return FMOD_OK;
}

// In order, each a condition for the next: the sound is long enough to share out; the page scan
// proves, before any thread seeks, that every seek lands where one pass stands and meets only
// packets one pass decodes; each thread, on a reader of its own, decodes its stretches into their
// part of the one buffer, seeking only where it does not stand already; no reader failed, the
// last stretch ended with the stream; every stretch read after a seek began with the very frames
// that end the stretch before it. Anything else leaves the decode to one pass.
bool cDecodedSound::DecodeInStretches(cVorbisMemoryFile& file, const char* data, std::size_t byteCount,
                                      sFormat format, unsigned threads, std::size_t minFramesPerStretch)
{
    const ogg_int64_t claimed = ov_pcm_total(file.Get(), -1);
    const std::size_t frames = claimed > 0 ? static_cast<std::size_t>(claimed) : 0;
    const std::size_t stretches = std::min(std::size_t(threads) * kStretchesPerThread,
                                           frames / std::max(minFramesPerStretch, 2 * kOverlapFrames));
    if (threads < 2 || stretches < 2 || !IsProven(file.Get(), data, byteCount))
        return false;
    m_stretches = stretches;
    m_samples.resize(frames * format.channels);
    const std::shared_ptr<sStretchJob> job(new sStretchJob{
        data, byteCount, frames, stretches, format.channels, format.rate, m_samples.data(),
        std::vector<std::vector<std::int16_t>>(stretches)});
    for (std::size_t helper = 1; helper < std::min<std::size_t>(threads, stretches); ++helper)
        StartHelper(job);
    TakeStretches(*job);
    std::unique_lock<std::mutex> lock(job->mutex);
    job->finished.wait(lock, [&] { return job->done == stretches; });
    if (job->failed)
        return false;
    for (std::size_t index = 1; index < stretches; ++index) {
        const std::vector<std::int16_t>& lead = job->leads[index];
        const auto end = m_samples.begin() + static_cast<std::ptrdiff_t>(StretchOf(index, stretches, frames).first * format.channels);
        if (!std::equal(lead.begin(), lead.end(), end - static_cast<std::ptrdiff_t>(lead.size())))
            return false;
    }
    return true;
}
