#include "platform/sound/DecodedSound.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>

namespace {

// libvorbisfile reads through these callbacks, so a file held in memory needs no temporary file.
struct sMemoryFile
{
    const char* data;
    std::size_t size;
    std::size_t position;
};

std::size_t ReadMemory(void* buffer, std::size_t size, std::size_t count, void* source)
{
    auto* file = static_cast<sMemoryFile*>(source);
    const std::size_t wanted = size * count;
    const std::size_t available = std::min(wanted, file->size - file->position);
    std::memcpy(buffer, file->data + file->position, available);
    file->position += available;
    return size ? available / size : 0;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence)
{
    auto* file = static_cast<sMemoryFile*>(source);
    ogg_int64_t base = 0;
    if (whence == SEEK_CUR)
        base = static_cast<ogg_int64_t>(file->position);
    else if (whence == SEEK_END)
        base = static_cast<ogg_int64_t>(file->size);
    const ogg_int64_t target = base + offset;
    if (target < 0 || target > static_cast<ogg_int64_t>(file->size))
        return -1;
    file->position = static_cast<std::size_t>(target);
    return 0;
}

long TellMemory(void* source)
{
    return static_cast<long>(static_cast<sMemoryFile*>(source)->position);
}

constexpr ov_callbacks kMemoryCallbacks = {ReadMemory, SeekMemory, nullptr, TellMemory};

} // namespace

FMOD_RESULT cDecodedSound::DecodeOggVorbis(const char* data, std::size_t byteCount)
{
    sMemoryFile file{data, byteCount, 0};
    OggVorbis_File vorbis;
    if (ov_open_callbacks(&file, &vorbis, nullptr, 0, kMemoryCallbacks) != 0)
        return FMOD_ERR_FORMAT;
    m_samples.clear();
    m_channels = 0;
    m_rate = 0;
    const FMOD_RESULT result = Decode(vorbis);
    ov_clear(&vorbis);
    if (result != FMOD_OK) {
        m_samples.clear();
        m_samples.shrink_to_fit();
        m_channels = 0;
    }
    return result;
}

// What a file says of itself is only believed where the decoder holds it to it: every link of a
// chained file must have the first link's format, and the claimed length only sizes the buffer
// when it is one the game could ever hold.
FMOD_RESULT cDecodedSound::Decode(OggVorbis_File& vorbis)
{
    const vorbis_info* info = ov_info(&vorbis, -1);
    if (!info || info->channels < 1 || info->channels > 2 || info->rate < kMinRate || info->rate > kMaxRate)
        return FMOD_ERR_FORMAT;
    const int channels = info->channels;
    const long rate = info->rate;
    const ogg_int64_t claimed = ov_pcm_total(&vorbis, -1);
    if (claimed > static_cast<ogg_int64_t>(kMaxSamples / channels))
        return FMOD_ERR_FORMAT;
    if (claimed > 0)
        m_samples.reserve(static_cast<std::size_t>(claimed) * channels);

    alignas(std::int16_t) char buffer[16384];
    int section = 0;
    for (;;) {
        const long got = ov_read(&vorbis, buffer, sizeof buffer, 0, 2, 1, &section);
        if (got == 0)
            break;
        if (got == OV_HOLE)  // a gap in the stream: carry on with what follows
            continue;
        if (got < 0)
            return FMOD_ERR_FORMAT;
        const vorbis_info* link = ov_info(&vorbis, section);
        if (!link || link->channels != channels || link->rate != rate)
            return FMOD_ERR_FORMAT;
        if (m_samples.size() + static_cast<std::size_t>(got) / 2 > kMaxSamples)
            return FMOD_ERR_FORMAT;
        const auto* samples = reinterpret_cast<const std::int16_t*>(buffer);
        m_samples.insert(m_samples.end(), samples, samples + got / 2);
    }
    m_channels = channels;
    m_rate = static_cast<int>(rate);
    return FMOD_OK;
}
