#include "platform/sound/DecodedSound.h"

#include "platform/sound/VorbisMemoryFile.h"

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

// Anything unexpected (an error, a gap, a link of another format, a stream that ends early or
// runs on past its stated length) answers false: the caller then decodes in one pass, which meets
// it exactly where a single reader always has.
bool DecodeStretch(OggVorbis_File* vorbis, const sStretch& stretch, int channels, long rate, std::int16_t* samples)
{
    // A thread that takes the stretch after the one it has just decoded reads on without a seek.
    const auto first = static_cast<ogg_int64_t>(stretch.first);
    if (ov_pcm_tell(vorbis) != first && ov_pcm_seek(vorbis, first) != 0)
        return false;
    char* at = reinterpret_cast<char*>(samples + stretch.first * channels);
    std::size_t left = stretch.count * channels * sizeof(std::int16_t);
    int link = 0;
    while (left > 0) {
        const long got = ov_read(vorbis, at, static_cast<int>(std::min(left, kReadBytes)), 0, 2, 1, &link);
        if (got <= 0 || !IsLink(vorbis, link, channels, rate))
            return false;
        at += got;
        left -= static_cast<std::size_t>(got);
    }
    return !stretch.last || IsAtEnd(vorbis);
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
    std::vector<char> decoded;
    std::atomic<std::size_t> next{0};
    std::size_t done = 0;
    std::mutex mutex{};
    std::condition_variable finished{};
};

void TakeStretches(sStretchJob& job)
{
    std::optional<cVorbisMemoryFile> file;  // opened with the first stretch taken
    for (std::size_t index = job.next++; index < job.stretches; index = job.next++) {
        if (!file)
            file.emplace(job.data, job.byteCount);
        const bool decoded = file->IsOpen() && DecodeStretch(file->Get(), StretchOf(index, job.stretches, job.frames),
                                                             job.channels, job.rate, job.samples);
        const std::lock_guard<std::mutex> lock(job.mutex);
        job.decoded[index] = decoded;
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
    return std::max(1u, std::thread::hardware_concurrency());
}

FMOD_RESULT cDecodedSound::DecodeOggVorbis(const char* data, std::size_t byteCount, unsigned threads)
{
    m_samples.clear();
    m_channels = 0;
    m_rate = 0;
    m_stretches = 1;
    const FMOD_RESULT result = Decode(data, byteCount, threads);
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
FMOD_RESULT cDecodedSound::Decode(const char* data, std::size_t byteCount, unsigned threads)
{
    cVorbisMemoryFile file(data, byteCount);
    if (!file.IsOpen())
        return FMOD_ERR_FORMAT;
    const vorbis_info* info = ov_info(file.Get(), -1);
    if (!info || info->channels < 1 || info->channels > 2 || info->rate < kMinRate || info->rate > kMaxRate)
        return FMOD_ERR_FORMAT;
    const sFormat format{info->channels, info->rate};
    const ogg_int64_t claimed = ov_pcm_total(file.Get(), -1);
    if (claimed > static_cast<ogg_int64_t>(kMaxSamples / format.channels))
        return FMOD_ERR_FORMAT;
    if (claimed <= 0 || !DecodeInStretches(data, byteCount, static_cast<std::size_t>(claimed), format, threads)) {
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

// Each thread opens the file for itself, seeks to the first frame of each stretch it takes
// (libvorbisfile seeks to the exact sample) and decodes into that stretch's part of the one buffer.
bool cDecodedSound::DecodeInStretches(const char* data, std::size_t byteCount, std::size_t frames, sFormat format,
                                      unsigned threads)
{
    const std::size_t stretches =
        std::min(std::size_t(threads) * kStretchesPerThread, frames / kMinFramesPerStretch);
    if (threads < 2 || stretches < 2)
        return false;
    m_stretches = stretches;
    m_samples.resize(frames * format.channels);
    const std::shared_ptr<sStretchJob> job(new sStretchJob{
        data, byteCount, frames, stretches, format.channels, format.rate, m_samples.data(),
        std::vector<char>(stretches, false)});
    for (std::size_t helper = 1; helper < std::min<std::size_t>(threads, stretches); ++helper)
        StartHelper(job);
    TakeStretches(*job);
    std::unique_lock<std::mutex> lock(job->mutex);
    job->finished.wait(lock, [&] { return job->done == stretches; });
    return std::all_of(job->decoded.begin(), job->decoded.end(), [](char ok) { return ok != 0; });
}
