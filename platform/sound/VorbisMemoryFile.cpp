#include "platform/sound/VorbisMemoryFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

cVorbisMemoryFile::cVorbisMemoryFile(const char* data, std::size_t size) : m_data(data), m_size(size)
{
    // libvorbisfile reads through these callbacks, so a file held in memory needs no temporary file.
    const ov_callbacks callbacks = {Read, Seek, nullptr, Tell};
    if (ov_open_callbacks(this, &m_vorbis, nullptr, 0, callbacks) != 0)
        return;
    // libvorbisfile may leave a chained file open inside a later link: the reader goes back to its
    // first sample. A file of one link is left as it opened, damaged or not.
    m_open = ov_streams(&m_vorbis) < 2 || ov_pcm_tell(&m_vorbis) == 0 || ov_pcm_seek(&m_vorbis, 0) == 0;
    if (!m_open)
        ov_clear(&m_vorbis);
}

cVorbisMemoryFile::~cVorbisMemoryFile()
{
    if (m_open)
        ov_clear(&m_vorbis);
}

std::size_t cVorbisMemoryFile::Read(void* buffer, std::size_t size, std::size_t count, void* source)
{
    auto* file = static_cast<cVorbisMemoryFile*>(source);
    const std::size_t available = std::min(size * count, file->m_size - file->m_position);
    std::memcpy(buffer, file->m_data + file->m_position, available);
    file->m_position += available;
    return size ? available / size : 0;
}

int cVorbisMemoryFile::Seek(void* source, ogg_int64_t offset, int whence)
{
    auto* file = static_cast<cVorbisMemoryFile*>(source);
    ogg_int64_t base = 0;
    if (whence == SEEK_CUR)
        base = static_cast<ogg_int64_t>(file->m_position);
    else if (whence == SEEK_END)
        base = static_cast<ogg_int64_t>(file->m_size);
    const ogg_int64_t target = base + offset;
    if (target < 0 || target > static_cast<ogg_int64_t>(file->m_size))
        return -1;
    file->m_position = static_cast<std::size_t>(target);
    return 0;
}

long cVorbisMemoryFile::Tell(void* source)
{
    return static_cast<long>(static_cast<cVorbisMemoryFile*>(source)->m_position);
}
