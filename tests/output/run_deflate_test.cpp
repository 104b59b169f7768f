// The hand-written deflate against the format: the block kinds it writes,
// the code lengths it declares, and zlib reading back every byte.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "output/run_deflate.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Compress(const Bytes& data) {
    Bytes out;
    out.resize(orbalux::CompressRuns(data, out));
    return out;
}

// zlib's own inflater; one byte of room more than expected, so that a longer
// stream shows.
Bytes Inflate(const Bytes& stream, std::size_t expected) {
    Bytes back(expected + 1);
    uLongf size = back.size();
    EXPECT_EQ(uncompress(back.data(), &size, stream.data(), stream.size()), Z_OK);
    back.resize(size);
    return back;
}

Bytes Noise(std::size_t size) {
    std::uint32_t state = 12345;
    Bytes out(size);
    for (std::uint8_t& v : out) v = static_cast<std::uint8_t>((state = state * 1664525u + 1013904223u) >> 24);
    return out;
}

// Deflate's bits, least significant first; Huffman codes most significant
// bit first, decoded by their canonical order.
class BitReader {
public:
    BitReader(const Bytes& bytes, std::size_t at) : bytes_(bytes), at_(at) {}
    unsigned Bits(int count) {
        unsigned value = 0;
        for (int i = 0; i < count; ++i, ++bit_) value |= ((bytes_.at(at_ + bit_ / 8) >> (bit_ % 8)) & 1u) << i;
        return value;
    }
    int Decode(const std::vector<int>& lengths) {
        int code = 0, first = 0;
        for (int length = 1; length <= 15; ++length) {
            code |= static_cast<int>(Bits(1));
            int count = 0;
            for (int l : lengths) count += l == length;
            if (code - first < count) {
                int nth = code - first;
                for (std::size_t s = 0; s < lengths.size(); ++s)
                    if (lengths[s] == length && nth-- == 0) return static_cast<int>(s);
            }
            first = (first + count) << 1;
            code <<= 1;
        }
        ADD_FAILURE() << "no code";
        return 0;
    }

private:
    const Bytes& bytes_;
    std::size_t at_;
    std::size_t bit_ = 0;
};

struct DynamicHeader {
    bool final = false;
    unsigned type = 0;
    std::vector<int> literalLengths;  // literals, end of block, run lengths
    std::vector<int> distanceLengths;
};

// The first block's header after the two bytes of the zlib header.
DynamicHeader ReadFirstBlock(const Bytes& stream) {
    BitReader in(stream, 2);
    DynamicHeader h;
    h.final = in.Bits(1) != 0;
    h.type = in.Bits(2);
    if (h.type != 2) return h;
    const unsigned literals = in.Bits(5) + 257, distances = in.Bits(5) + 1, lengthCodes = in.Bits(4) + 4;
    constexpr int kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    std::vector<int> lengthCode(19, 0);
    for (unsigned i = 0; i < lengthCodes; ++i) lengthCode[kOrder[i]] = static_cast<int>(in.Bits(3));
    std::vector<int> all;
    while (all.size() < literals + distances) {
        const int symbol = in.Decode(lengthCode);
        if (symbol < 16) {
            all.push_back(symbol);
        } else if (symbol == 16) {
            const int last = all.empty() ? -1 : all.back();
            EXPECT_GE(last, 0) << "a repeat with nothing before it";
            all.insert(all.end(), 3 + in.Bits(2), last);
        } else {
            all.insert(all.end(), symbol == 17 ? 3 + in.Bits(3) : 11 + in.Bits(7), 0);
        }
    }
    EXPECT_EQ(all.size(), literals + distances) << "a repeat runs past the lengths";
    h.literalLengths.assign(all.begin(), all.begin() + literals);
    h.distanceLengths.assign(all.begin() + literals, all.end());
    return h;
}

// The Kraft sum of a code's lengths in units of 2^-15: 2^15 when complete.
long KraftSum(const std::vector<int>& lengths) {
    long sum = 0;
    for (int l : lengths)
        if (l > 0 && l <= 15) sum += 1L << (15 - l);
    return sum;
}

TEST(RunDeflate, BytesNoCodeShrinksAreStoredVerbatim) {
    // An empty input is one final stored block of length 0 and the Adler-32
    // of nothing, 1.
    EXPECT_EQ(Compress({}), (Bytes{0x78, 0x01, 0x01, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x01}));
    EXPECT_TRUE(Inflate(Compress({}), 0).empty());

    const Bytes noise = Noise(5000);
    const Bytes stream = Compress(noise);
    ASSERT_EQ(stream.size(), 2 + 5 + noise.size() + 4);
    EXPECT_EQ(stream[0] * 256 + stream[1], 0x7801);
    EXPECT_EQ(stream[2], 0x01);  // final, stored, padded to the byte
    EXPECT_EQ(stream[3] | stream[4] << 8, 5000);
    EXPECT_EQ(stream[5] | stream[6] << 8, 0xFFFF ^ 5000);
    EXPECT_TRUE(std::equal(noise.begin(), noise.end(), stream.begin() + 7));
    EXPECT_EQ(Inflate(stream, noise.size()), noise);
}

TEST(RunDeflate, RowsWithRunsGoInDynamicBlocksThatZlibReadsBack) {
    // Picture rows: a dark sky of one value (runs longer than the 258 a
    // match holds), then ground of gentle slopes with a little noise, many
    // blocks' worth.
    const Bytes noise = Noise(300'000);
    Bytes rows;
    for (int y = 0; y < 300; ++y) {
        rows.push_back(0);  // the row's filter byte
        for (int x = 0; x < 999; ++x)
            rows.push_back(y < 100 ? 7 : static_cast<std::uint8_t>((x / 16 + y / 8) % 40 + noise[rows.size()] % 3));
    }
    const Bytes stream = Compress(rows);
    const DynamicHeader first = ReadFirstBlock(stream);
    EXPECT_FALSE(first.final);
    EXPECT_EQ(first.type, 2u);
    // One distance, 1, so its code may be any complete one.
    EXPECT_EQ(KraftSum(first.distanceLengths), 1L << 15);
    EXPECT_EQ(KraftSum(first.literalLengths), 1L << 15);
    EXPECT_LT(stream.size(), rows.size() / 2);
    EXPECT_EQ(Inflate(stream, rows.size()), rows);

    // A buffer kept from a larger picture: the new stream is whole at its
    // start, whatever lies behind it.
    Bytes kept = stream;
    const Bytes small(rows.begin(), rows.begin() + 2000);
    kept.resize(orbalux::CompressRuns(small, kept));
    EXPECT_EQ(Inflate(kept, small.size()), small);
    const DynamicHeader one = ReadFirstBlock(kept);
    EXPECT_TRUE(one.final);
    EXPECT_EQ(one.type, 2u);
}

TEST(RunDeflate, CodesStayWithinFifteenBitsWhereHuffmanWouldNeedMore) {
    // The end of block once and eighteen symbols 1, 2, 3, 5, ... 4181 times,
    // all in one block: counts whose every partial sum falls short of the
    // count after next, so a Huffman code for them is a chain eighteen bits
    // deep. No byte follows an equal one, so every symbol is a literal.
    constexpr int kSymbols = 18;
    std::array<long, kSymbols> left{};
    long a = 1, b = 2;
    for (long& n : left) {
        n = a;
        a = b;
        b += n;
    }
    Bytes data;
    int previous = -1;
    for (;;) {
        int pick = -1;
        for (int s = 0; s < kSymbols; ++s)
            if (s != previous && left[s] > 0 && (pick < 0 || left[s] > left[pick])) pick = s;
        if (pick < 0) break;
        --left[pick];
        data.push_back(static_cast<std::uint8_t>(40 + pick));
        previous = pick;
    }
    ASSERT_EQ(data.size(), 10944u);  // the Fibonacci sum F(2) + ... + F(19)

    const Bytes stream = Compress(data);
    const DynamicHeader h = ReadFirstBlock(stream);
    ASSERT_TRUE(h.final);
    ASSERT_EQ(h.type, 2u);
    const int longest = *std::max_element(h.literalLengths.begin(), h.literalLengths.end());
    EXPECT_EQ(longest, 15);  // the limit reached, never passed
    EXPECT_EQ(KraftSum(h.literalLengths), 1L << 15);
    for (int s = 0; s < kSymbols; ++s) EXPECT_GT(h.literalLengths[40 + s], 0) << s;
    EXPECT_GT(h.literalLengths[256], 0);
    // A rarer symbol never gets the shorter code.
    for (int s = 1; s < kSymbols; ++s) EXPECT_LE(h.literalLengths[40 + s], h.literalLengths[40 + s - 1]) << s;
    EXPECT_EQ(Inflate(stream, data.size()), data);
}

}  // namespace
