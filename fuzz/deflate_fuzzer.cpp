// The hand-written deflate round trip: any bytes, or runs spelled out from
// (value, length) pairs so that long runs and many blocks come up, compressed
// into a buffer kept from input to input as the PNG writer keeps it, then read
// back by zlib, which must give every byte. No stream may be larger than the
// bytes stored in blocks of their own would be.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz/picture_checks.h"
#include "output/run_deflate.h"

namespace {

// Input bytes after the first as (value, length) pairs: up to 1,024 bytes of
// one value each.
std::vector<std::uint8_t> SpelledRuns(std::span<const std::uint8_t> pairs) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i + 1 < pairs.size(); i += 2) out.insert(out.end(), 1 + pairs[i + 1] * 4u, pairs[i]);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> input(data, size);
    std::vector<std::uint8_t> spelled;
    if (size > 0 && (data[0] & 1)) {
        spelled = SpelledRuns(input.subspan(1));
        input = spelled;
    }
    static std::vector<std::uint8_t> stream;
    const std::size_t length = orbalux::CompressRuns(input, stream);
    FUZZ_CHECK(length <= stream.size());
    // Header and Adler-32, and per block of at most 16,384 symbols the
    // stored header and a byte of padding.
    const std::size_t blocks = input.size() / 16384 + 1;
    FUZZ_CHECK(length <= 6 + input.size() + 6 * blocks);

    std::vector<std::uint8_t> back(input.size() + 1);
    uLongf backSize = back.size();
    FUZZ_CHECK(uncompress(back.data(), &backSize, stream.data(), length) == Z_OK);
    FUZZ_CHECK(backSize == input.size());
    FUZZ_CHECK(std::equal(input.begin(), input.end(), back.begin()));
    return 0;
}
