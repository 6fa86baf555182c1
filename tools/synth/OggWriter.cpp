#include "tools/synth/OggWriter.h"

#include "tools/synth/Sound.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace
{
// Quality 0.4 (about 110 kbit/s for mono) keeps the sharp attacks of clicks and chimes clean.
constexpr float kQuality = 0.4f;
constexpr int kBlock = 1024;

using File = std::unique_ptr<FILE, int (*)(FILE*)>;

bool WritePage(const ogg_page& page, FILE* file)
{
    return fwrite(page.header, 1, static_cast<size_t>(page.header_len), file) == static_cast<size_t>(page.header_len)
        && fwrite(page.body, 1, static_cast<size_t>(page.body_len), file) == static_cast<size_t>(page.body_len);
}

// The libvorbis structures are plain C records that must be cleared in reverse order of setup.
struct Encoder
{
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    bool ready = false;

    Encoder(int channels, int rate, float quality, const std::vector<std::string>& tags)
    {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
        for (const std::string& tag : tags)
            vorbis_comment_add(&comment, tag.c_str());
        if (vorbis_encode_init_vbr(&info, channels, rate, quality) != 0)
            return;
        vorbis_analysis_init(&dsp, &info);
        vorbis_block_init(&dsp, &block);
        ogg_stream_init(&stream, 1);
        ready = true;
    }

    ~Encoder()
    {
        if (ready)
        {
            ogg_stream_clear(&stream);
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
        }
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }

    bool WriteHeaders(FILE* file)
    {
        ogg_packet header, comments, codebooks;
        vorbis_analysis_headerout(&dsp, &comment, &header, &comments, &codebooks);
        ogg_stream_packetin(&stream, &header);
        ogg_stream_packetin(&stream, &comments);
        ogg_stream_packetin(&stream, &codebooks);
        ogg_page page;
        while (ogg_stream_flush(&stream, &page) != 0)
            if (!WritePage(page, file))
                return false;
        return true;
    }

    // Hands everything the analysis has ready to the stream and writes the finished pages.
    bool Drain(FILE* file)
    {
        ogg_packet packet;
        ogg_page page;
        while (vorbis_analysis_blockout(&dsp, &block) == 1)
        {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0)
            {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0)
                    if (!WritePage(page, file))
                        return false;
            }
        }
        return true;
    }
};
} // namespace

bool WriteOgg(const Sound& sound, const std::string& path)
{
    return WriteOgg({&sound}, path, kQuality, {});
}

bool WriteOgg(const std::vector<const Sound*>& channels, const std::string& path, float quality,
              const std::vector<std::string>& tags, int rate)
{
    Encoder encoder(static_cast<int>(channels.size()), rate, quality, tags);
    if (!encoder.ready || rate <= 0 || Sound::kRate % rate != 0)
    {
        std::fprintf(stderr, "%s: the Vorbis encoder refused %zu channels at %d Hz\n", path.c_str(), channels.size(), rate);
        return false;
    }
    File file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file || !encoder.WriteHeaders(file.get()))
    {
        std::perror(path.c_str());
        return false;
    }
    const size_t step = static_cast<size_t>(Sound::kRate / rate);
    const size_t length = channels.front()->Size() / step;
    for (size_t start = 0;; )
    {
        // A count of 0 tells the encoder the sound has ended.
        const size_t count = std::min<size_t>(kBlock, length - start);
        float** buffer = vorbis_analysis_buffer(&encoder.dsp, static_cast<int>(count));
        for (size_t c = 0; c < channels.size(); ++c)
            for (size_t i = 0; i < count; ++i)
                buffer[c][i] = (*channels[c])[(start + i) * step];
        vorbis_analysis_wrote(&encoder.dsp, static_cast<int>(count));
        if (!encoder.Drain(file.get()))
        {
            std::perror(path.c_str());
            return false;
        }
        if (count == 0)
            break;
        start += count;
    }
    if (std::fclose(file.release()) != 0)
    {
        std::perror(path.c_str());
        return false;
    }
    return true;
}
