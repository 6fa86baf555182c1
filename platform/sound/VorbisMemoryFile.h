#pragma once
#include <vorbis/vorbisfile.h>

#include <cstddef>

/// One reader of an Ogg Vorbis file held in memory. Readers keep their own position, so several
/// may read the same bytes at once, each on its own thread; the bytes must outlive them.
class cVorbisMemoryFile
{
public:
    /// Opens the file at its first sample; IsOpen tells whether the bytes are Ogg Vorbis.
    cVorbisMemoryFile(const char* data, std::size_t size);
    ~cVorbisMemoryFile();
    cVorbisMemoryFile(const cVorbisMemoryFile&) = delete;
    cVorbisMemoryFile& operator=(const cVorbisMemoryFile&) = delete;

    bool IsOpen() const { return m_open; }
    /// libvorbisfile's handle; valid while the file is open.
    OggVorbis_File* Get() { return &m_vorbis; }

private:
    static std::size_t Read(void* buffer, std::size_t size, std::size_t count, void* source);
    static int Seek(void* source, ogg_int64_t offset, int whence);
    static long Tell(void* source);

    const char* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
    OggVorbis_File m_vorbis{};
    bool m_open = false;
};
