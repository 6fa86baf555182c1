#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

/// Reads an Ogg Vorbis file page by page, decoding no sample, and tells whether a reader that
/// seeks anywhere into it meets exactly what one pass from its start meets. That holds when the
/// file is nothing but one or more links of one format (channels, rate, block sizes), each link
/// opening with its three headers, which its decoder accepts, its pages in order with no gap
/// and nothing between them, every packet after the headers an audio packet, and every granule
/// position the sample count that its packets give (the last page of a link may end its last
/// packet early). Anything else, however harmless, is not proven.
class cPageScan
{
public:
    cPageScan(const char* data, std::size_t size);

    /// The length in frames of each link, in order; empty when the file is not proven.
    const std::vector<std::int64_t>& LinkFrames() const { return m_linkFrames; }

private:
    bool Scan(const char* data, std::size_t size);

    std::vector<std::int64_t> m_linkFrames;
};
