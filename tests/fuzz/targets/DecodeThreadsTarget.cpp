// The differential libFuzzer target of the sound decoder: every input is decoded in one pass and
// on several threads, and the two answers (samples, length, or error) must be the same.
#include "tests/fuzz/OneAndManyThreads.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string difference = onemany::Difference(reinterpret_cast<const char*>(data), size);
    if (difference.empty())
        return 0;
    std::fprintf(stderr, "decodethreads: %s\n", difference.c_str());
    std::abort();
}
