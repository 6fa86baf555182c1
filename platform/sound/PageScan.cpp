#include "platform/sound/PageScan.h"

#include <vorbis/codec.h>

#include <cstring>
#include <memory>

namespace {

constexpr int kHeaders = 3;

/// One link: its headers, a decoder set up from them that reads packet headers only, and the
/// frames its audio packets give so far.
struct sLink
{
    explicit sLink(int serialNumber) : serial(serialNumber)
    {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
    }
    ~sLink()
    {
        if (decoding) {
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
        }
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
    sLink(const sLink&) = delete;
    sLink& operator=(const sLink&) = delete;

    int serial;
    vorbis_info info;
    vorbis_comment comment;
    // Zeroed: libvorbis clears a state it failed to set up, reading what it holds.
    vorbis_dsp_state dsp{};
    vorbis_block block{};
    bool decoding = false;
    int headers = 0;
    long nextPage = 0;
    long lastBlock = 0;  ///< the last audio packet's block size; 0 before the first
    std::int64_t frames = 0;
    bool ended = false;
};

/// libogg's states for one scan.
struct sOgg
{
    sOgg()
    {
        ogg_sync_init(&sync);
        ogg_stream_init(&stream, 0);
    }
    ~sOgg()
    {
        ogg_stream_clear(&stream);
        ogg_sync_clear(&sync);
    }
    sOgg(const sOgg&) = delete;
    sOgg& operator=(const sOgg&) = delete;

    ogg_sync_state sync;
    ogg_stream_state stream;
};

bool SameFormat(vorbis_info& a, vorbis_info& b)
{
    return a.channels == b.channels && a.rate == b.rate && vorbis_info_blocksize(&a, 0) == vorbis_info_blocksize(&b, 0)
           && vorbis_info_blocksize(&a, 1) == vorbis_info_blocksize(&b, 1);
}

// The decoder is set up here as a reader sets it up before its first packet: a setup header it
// cannot use (a code book that builds no code) fails here, not in a reader.
bool StartDecoder(sLink& link)
{
    if (vorbis_synthesis_init(&link.dsp, &link.info) != 0)
        return false;
    vorbis_block_init(&link.dsp, &link.block);
    link.decoding = true;
    return true;
}

// The packet's header as the decoder reads it before its audio: a packet it would drop (not
// audio, an unknown mode, cut short) is not proven.
bool TakePacket(sLink& link, ogg_packet& packet, vorbis_info* format)
{
    if (link.headers < kHeaders) {
        if (vorbis_synthesis_headerin(&link.info, &link.comment, &packet) != 0)
            return false;
        return ++link.headers < kHeaders || ((!format || SameFormat(*format, link.info)) && StartDecoder(link));
    }
    if (vorbis_synthesis_trackonly(&link.block, &packet) != 0)
        return false;
    const long block = vorbis_packet_blocksize(&link.info, &packet);
    if (link.lastBlock > 0)
        link.frames += (link.lastBlock + block) >> 2;
    link.lastBlock = block;
    return true;
}

// A page of the link, in order; its granule position must be the frames its packets end at, so
// that a reader seeking by them lands where one pass stands. The link's last page may end its
// last packet early, as the encoder marks the true end.
bool TakePage(sLink& link, ogg_stream_state& stream, ogg_page& page, vorbis_info* format)
{
    if (link.ended || ogg_page_serialno(&page) != link.serial || ogg_page_pageno(&page) != link.nextPage++
        || ogg_stream_pagein(&stream, &page) != 0)
        return false;
    int audioPackets = 0;
    std::int64_t lastStart = link.frames;
    ogg_packet packet;
    for (int got; (got = ogg_stream_packetout(&stream, &packet)) != 0;) {
        const bool audio = link.headers == kHeaders;
        lastStart = link.frames;
        if (got < 0 || !TakePacket(link, packet, format))
            return false;
        audioPackets += audio;
    }
    const ogg_int64_t granule = ogg_page_granulepos(&page);
    link.ended = ogg_page_eos(&page) != 0;
    if (audioPackets == 0)
        return !link.ended && (granule == -1 || (granule == 0 && link.lastBlock == 0));
    if (!link.ended)
        return granule == link.frames;
    if (granule < lastStart || granule > link.frames)
        return false;
    link.frames = granule;
    return true;
}

} // namespace

cPageScan::cPageScan(const char* data, std::size_t size)
{
    if (!Scan(data, size))
        m_linkFrames.clear();
}

bool cPageScan::Scan(const char* data, std::size_t size)
{
    if (size == 0)
        return false;
    sOgg ogg;
    char* buffer = ogg_sync_buffer(&ogg.sync, static_cast<long>(size));
    if (!buffer)
        return false;
    std::memcpy(buffer, data, size);
    ogg_sync_wrote(&ogg.sync, static_cast<long>(size));
    std::vector<std::unique_ptr<sLink>> links;
    std::size_t scanned = 0;
    ogg_page page;
    for (long got; (got = ogg_sync_pageseek(&ogg.sync, &page)) != 0; scanned += static_cast<std::size_t>(got)) {
        if (got < 0)
            return false;  // bytes that belong to no page
        if (ogg_page_bos(&page)) {
            const int serial = ogg_page_serialno(&page);
            for (const auto& link : links)
                if (!link->ended || link->serial == serial)
                    return false;
            links.push_back(std::make_unique<sLink>(serial));
            ogg_stream_reset_serialno(&ogg.stream, serial);
        }
        if (links.empty() || !TakePage(*links.back(), ogg.stream, page, links.size() > 1 ? &links.front()->info : nullptr))
            return false;
    }
    if (scanned != size || links.empty() || !links.back()->ended)
        return false;
    for (const auto& link : links)
        m_linkFrames.push_back(link->frames);
    return true;
}
