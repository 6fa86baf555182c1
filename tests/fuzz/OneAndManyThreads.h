#pragma once
// One input decoded in one pass and in stretches on several threads: the two answers must be the
// same. The differential fuzz target and the test that replays its corpus both ask here.
#include "platform/sound/DecodedSound.h"

#include <string>

namespace onemany {

/// Small enough that inputs of a few kilobytes are shared out among the threads.
constexpr std::size_t kFramesPerStretch = 1024;
constexpr unsigned kThreads = 4;

/// What differs between the two answers; empty when nothing does. *stretches, when given, is how
/// many stretches the threads took.
inline std::string Difference(const char* data, std::size_t size, unsigned threads = kThreads,
                              std::size_t framesPerStretch = kFramesPerStretch, std::size_t* stretches = nullptr)
{
    cDecodedSound one, many;
    const FMOD_RESULT oneResult = one.DecodeOggVorbis(data, size, 1, framesPerStretch);
    const FMOD_RESULT manyResult = many.DecodeOggVorbis(data, size, threads, framesPerStretch);
    if (stretches)
        *stretches = many.GetStretches();
    if (oneResult != manyResult)
        return "result " + std::to_string(oneResult) + " in one pass, " + std::to_string(manyResult) + " on threads";
    if (one.GetChannels() != many.GetChannels() || one.GetRate() != many.GetRate() || one.GetFrames() != many.GetFrames())
        return std::to_string(one.GetFrames()) + " frames in one pass, " + std::to_string(many.GetFrames()) + " on threads";
    for (std::size_t frame = 0; frame < one.GetFrames(); ++frame)
        for (int channel = 0; channel < one.GetChannels(); ++channel)
            if (one.Sample(frame, channel) != many.Sample(frame, channel))
                return "another sample at frame " + std::to_string(frame) + " of " + std::to_string(one.GetFrames());
    return {};
}

} // namespace onemany
