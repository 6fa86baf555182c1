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

    const vorbis_info* info = ov_info(&vorbis, -1);
    if (!info || info->channels < 1 || info->channels > 2) {
        ov_clear(&vorbis);
        return FMOD_ERR_FORMAT;
    }
    m_channels = info->channels;
    m_rate = static_cast<int>(info->rate);
    m_samples.clear();
    const ogg_int64_t totalFrames = ov_pcm_total(&vorbis, -1);
    if (totalFrames > 0)
        m_samples.reserve(static_cast<std::size_t>(totalFrames) * m_channels);

    alignas(std::int16_t) char buffer[16384];
    int section = 0;
    FMOD_RESULT result = FMOD_OK;
    for (;;) {
        const long got = ov_read(&vorbis, buffer, sizeof buffer, 0, 2, 1, &section);
        if (got == 0)
            break;
        if (got == OV_HOLE)  // a gap in the stream: carry on with what follows
            continue;
        if (got < 0) {
            result = FMOD_ERR_FORMAT;
            break;
        }
        const auto* samples = reinterpret_cast<const std::int16_t*>(buffer);
        m_samples.insert(m_samples.end(), samples, samples + got / 2);
    }
    ov_clear(&vorbis);
    return result;
}
