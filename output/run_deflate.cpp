#include "output/run_deflate.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace orbalux {
namespace {

constexpr int kLiteralCodes = 286;  // literals, end of block, 29 length codes
constexpr int kEndOfBlock = 256;
constexpr int kMaxCodeLength = 15;
constexpr int kMaxLengthCodeLength = 7;  // of the code-length code
constexpr int kMinRun = 3;
constexpr int kMaxRun = 258;
// Symbols per block: short enough for the codes to follow the picture's
// changes from dark sky to lit ground, long enough that the code tables cost
// little.
constexpr std::size_t kBlockSymbols = 16384;
constexpr std::size_t kStoredMax = 65535;

// Length code, its extra bits and their value for every run length 3..258.
struct LengthSymbol {
    std::uint16_t code;
    std::uint8_t extraBits;
    std::uint8_t extraValue;
};
constexpr std::array<LengthSymbol, kMaxRun + 1> MakeLengthTable() {
    constexpr int base[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                              31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    constexpr int extra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    std::array<LengthSymbol, kMaxRun + 1> table{};
    for (int code = 0; code < 29; ++code) {
        const int last = code == 28 ? 258 : (code == 27 ? 257 : base[code + 1] - 1);
        for (int length = base[code]; length <= last; ++length)
            table[static_cast<std::size_t>(length)] = {static_cast<std::uint16_t>(257 + code),
                                                       static_cast<std::uint8_t>(extra[code]),
                                                       static_cast<std::uint8_t>(length - base[code])};
    }
    return table;
}
constexpr std::array<LengthSymbol, kMaxRun + 1> kLengths = MakeLengthTable();

// Bits into bytes, least significant first, as deflate packs them.
class BitWriter {
public:
    explicit BitWriter(std::uint8_t* out) : out_(out) {}
    void Put(std::uint32_t bits, int count) {
        buffer_ |= static_cast<std::uint64_t>(bits) << filled_;
        filled_ += count;
        if (filled_ >= 32) {
            const auto word = static_cast<std::uint32_t>(buffer_);
            std::memcpy(out_, &word, 4);  // little-endian machines only (x86-64)
            out_ += 4;
            buffer_ >>= 32;
            filled_ -= 32;
        }
    }
    // Pads to a whole byte and returns where the next byte goes.
    std::uint8_t* Align() {
        while (filled_ > 0) {
            *out_++ = static_cast<std::uint8_t>(buffer_);
            buffer_ >>= 8;
            filled_ = filled_ > 8 ? filled_ - 8 : 0;
        }
        buffer_ = 0;
        return out_;
    }
    void Resume(std::uint8_t* at) { out_ = at; }

private:
    std::uint8_t* out_;
    std::uint64_t buffer_ = 0;
    int filled_ = 0;
};

// Code lengths of at most `limit` bits for the symbols' counts: minimum
// redundancy lengths (computed in place over the counts in rising order), then
// the longest ones shortened until the code fits the limit, the longest
// codes going to the rarest symbols.
void FitCodeLengths(const std::uint32_t* counts, int symbols, int limit, std::uint8_t* lengths) {
    std::fill_n(lengths, symbols, 0);
    std::array<std::uint32_t, kLiteralCodes> order{};
    std::array<std::uint32_t, kLiteralCodes> a{};
    int used = 0;
    for (int s = 0; s < symbols; ++s)
        if (counts[s] != 0) order[static_cast<std::size_t>(used++)] = static_cast<std::uint32_t>(s);
    if (used == 0) return;
    if (used == 1) {
        // One symbol still needs a complete code: a second one of one bit.
        lengths[order[0]] = 1;
        lengths[order[0] == 0 ? 1 : 0] = 1;
        return;
    }
    std::stable_sort(order.begin(), order.begin() + used,
                     [&](std::uint32_t x, std::uint32_t y) { return counts[x] < counts[y]; });
    for (int i = 0; i < used; ++i) a[static_cast<std::size_t>(i)] = counts[order[static_cast<std::size_t>(i)]];

    // Moffat and Katajainen's in-place minimum-redundancy lengths.
    const int n = used;
    a[0] += a[1];
    int root = 0, leaf = 2;
    for (int next = 1; next < n - 1; ++next) {
        if (leaf >= n || a[root] < a[leaf]) {
            a[next] = a[root];
            a[root++] = next;
        } else {
            a[next] = a[leaf++];
        }
        if (leaf >= n || (root < next && a[root] < a[leaf])) {
            a[next] += a[root];
            a[root++] = next;
        } else {
            a[next] += a[leaf++];
        }
    }
    a[n - 2] = 0;
    for (int next = n - 3; next >= 0; --next) a[next] = a[a[next]] + 1;
    int available = 1, taken = 0, depth = 0;
    root = n - 2;
    int next = n - 1;
    while (available > 0) {
        while (root >= 0 && static_cast<int>(a[root]) == depth) {
            ++taken;
            --root;
        }
        while (available > taken) {
            a[next--] = static_cast<std::uint32_t>(depth);
            --available;
        }
        available = 2 * taken;
        ++depth;
        taken = 0;
    }

    // Codes per length, the overlong folded into the limit and the Kraft sum
    // restored by lengthening shorter codes.
    std::array<int, 64> perLength{};
    for (int i = 0; i < n; ++i) ++perLength[std::min<std::size_t>(a[static_cast<std::size_t>(i)], 63)];
    for (int l = limit + 1; l < 64; ++l) {
        perLength[static_cast<std::size_t>(limit)] += perLength[static_cast<std::size_t>(l)];
        perLength[static_cast<std::size_t>(l)] = 0;
    }
    std::uint64_t total = 0;
    for (int l = limit; l > 0; --l) total += static_cast<std::uint64_t>(perLength[static_cast<std::size_t>(l)]) << (limit - l);
    while (total > (1ull << limit)) {
        --perLength[static_cast<std::size_t>(limit)];
        for (int l = limit - 1; l > 0; --l) {
            if (perLength[static_cast<std::size_t>(l)] != 0) {
                --perLength[static_cast<std::size_t>(l)];
                perLength[static_cast<std::size_t>(l) + 1] += 2;
                break;
            }
        }
        --total;
    }
    int j = n;
    for (int l = 1; l <= limit; ++l)
        for (int k = perLength[static_cast<std::size_t>(l)]; k > 0; --k)
            lengths[order[static_cast<std::size_t>(--j)]] = static_cast<std::uint8_t>(l);
}

// Canonical codes for the lengths, bit-reversed for writing first bit first.
void MakeCodes(const std::uint8_t* lengths, int symbols, std::uint16_t* codes) {
    std::array<int, kMaxCodeLength + 2> count{};
    for (int s = 0; s < symbols; ++s) ++count[lengths[s]];
    count[0] = 0;
    std::array<int, kMaxCodeLength + 2> next{};
    int code = 0;
    for (int l = 1; l <= kMaxCodeLength; ++l) {
        code = (code + count[static_cast<std::size_t>(l) - 1]) << 1;
        next[static_cast<std::size_t>(l)] = code;
    }
    for (int s = 0; s < symbols; ++s) {
        const int l = lengths[s];
        if (l == 0) continue;
        int c = next[static_cast<std::size_t>(l)]++;
        int reversed = 0;
        for (int b = 0; b < l; ++b, c >>= 1) reversed = (reversed << 1) | (c & 1);
        codes[s] = static_cast<std::uint16_t>(reversed);
    }
}

// One block's symbols: a literal byte, or a run (256 + its length).
struct Block {
    std::array<std::uint16_t, kBlockSymbols> symbols{};
    std::size_t symbolCount = 0;
    std::array<std::uint32_t, kLiteralCodes> counts{};
    std::uint64_t runExtraBits = 0;  // the runs' length extra bits and distance bits
    std::size_t begin = 0;           // input bytes covered
    std::size_t end = 0;
};

// Gathers symbols from `at` until the block is full; returns where it stopped.
std::size_t GatherBlock(std::span<const std::uint8_t> data, std::size_t at, Block& block) {
    std::uint32_t counts[kLiteralCodes] = {};
    std::uint16_t* out = block.symbols.data();
    std::uint16_t* const full = out + kBlockSymbols;
    std::uint64_t runExtraBits = 0;
    const std::uint8_t* const p = data.data();
    const std::size_t size = data.size();
    block.begin = at;
    // A run needs the byte before it and three equal ones; the last two bytes
    // are always literals.
    const std::size_t runEnd = size >= kMinRun ? size - kMinRun + 1 : 0;
    if (at == 0 && at < size && out < full) {
        *out++ = p[0];
        ++counts[p[0]];
        ++at;
    }
    while (at < runEnd && out < full) {
        const std::uint8_t before = p[at - 1];
        const std::uint8_t here = p[at];
        if (here != before || p[at + 1] != before || p[at + 2] != before) {
            *out++ = here;
            ++counts[here];
            ++at;
            continue;
        }
        std::size_t run = kMinRun;
        const std::size_t most = std::min<std::size_t>(kMaxRun, size - at);
        while (run < most && p[at + run] == before) ++run;
        *out++ = static_cast<std::uint16_t>(256 + run);
        ++counts[kLengths[run].code];
        runExtraBits += kLengths[run].extraBits + 1u;
        at += run;
    }
    while (at < size && out < full) {
        *out++ = p[at];
        ++counts[p[at]];
        ++at;
    }
    std::copy_n(counts, kLiteralCodes, block.counts.begin());
    block.counts[kEndOfBlock] = 1;
    block.symbolCount = static_cast<std::size_t>(out - block.symbols.data());
    block.runExtraBits = runExtraBits;
    block.end = at;
    return at;
}

constexpr std::uint8_t kLengthCodeOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// The code lengths of both codes, run-length coded with symbols 16 (repeat
// the last 3-6 times), 17 (3-10 zeros) and 18 (11-138 zeros).
struct LengthRun {
    std::uint8_t symbol;
    std::uint8_t extra;
};
void CodeLengthRuns(const std::uint8_t* lengths, int count, std::vector<LengthRun>& runs) {
    runs.clear();
    for (int i = 0; i < count;) {
        const std::uint8_t l = lengths[i];
        int same = 1;
        while (i + same < count && lengths[i + same] == l) ++same;
        i += same;
        if (l == 0) {
            while (same >= 11) {
                const int take = std::min(same, 138);
                runs.push_back({18, static_cast<std::uint8_t>(take - 11)});
                same -= take;
            }
            if (same >= 3) {
                runs.push_back({17, static_cast<std::uint8_t>(same - 3)});
                same = 0;
            }
        } else {
            runs.push_back({l, 0});
            --same;
            while (same >= 3) {
                const int take = std::min(same, 6);
                runs.push_back({16, static_cast<std::uint8_t>(take - 3)});
                same -= take;
            }
        }
        for (; same > 0; --same) runs.push_back({l, 0});
    }
}

constexpr int ExtraBitsOfLengthSymbol(int symbol) { return symbol == 16 ? 2 : symbol == 17 ? 3 : symbol == 18 ? 7 : 0; }

void WriteStored(BitWriter& bits, std::span<const std::uint8_t> data, std::size_t begin, std::size_t end, bool last) {
    do {
        const std::size_t take = std::min(kStoredMax, end - begin);
        const bool final = last && begin + take == end;
        bits.Put(final ? 1 : 0, 3);  // BFINAL, then type 00
        std::uint8_t* at = bits.Align();
        const auto length = static_cast<std::uint16_t>(take);
        const auto inverse = static_cast<std::uint16_t>(~length);
        at[0] = static_cast<std::uint8_t>(length);
        at[1] = static_cast<std::uint8_t>(length >> 8);
        at[2] = static_cast<std::uint8_t>(inverse);
        at[3] = static_cast<std::uint8_t>(inverse >> 8);
        if (take > 0) std::memcpy(at + 4, data.data() + begin, take);  // an empty row set has no data pointer
        bits.Resume(at + 4 + take);
        begin += take;
    } while (begin < end);
}

// Writes one block with its own codes, or stored when that is no larger.
void WriteBlock(BitWriter& bits, std::span<const std::uint8_t> data, const Block& block, bool last,
                std::vector<LengthRun>& runs) {
    std::array<std::uint8_t, kLiteralCodes + 2> lengths{};  // literal/length lengths, then the two distances
    FitCodeLengths(block.counts.data(), kLiteralCodes, kMaxCodeLength, lengths.data());
    int literalCount = kLiteralCodes;
    while (literalCount > 257 && lengths[static_cast<std::size_t>(literalCount) - 1] == 0) --literalCount;
    // Every run is at distance 1; two one-bit distance codes keep the code
    // complete, which every inflater accepts.
    std::uint8_t both[kLiteralCodes + 2];
    std::copy_n(lengths.begin(), literalCount, both);
    both[literalCount] = 1;
    both[literalCount + 1] = 1;
    CodeLengthRuns(both, literalCount + 2, runs);

    std::array<std::uint32_t, 19> runCounts{};
    for (const LengthRun& r : runs) ++runCounts[r.symbol];
    std::array<std::uint8_t, 19> runLengths{};
    FitCodeLengths(runCounts.data(), 19, kMaxLengthCodeLength, runLengths.data());
    int orderCount = 19;
    while (orderCount > 4 && runLengths[kLengthCodeOrder[orderCount - 1]] == 0) --orderCount;

    // The cost in bits of the coded block against the stored one.
    std::uint64_t cost = 3 + 5 + 5 + 4 + 3ull * static_cast<std::uint64_t>(orderCount);
    for (const LengthRun& r : runs) cost += runLengths[r.symbol] + ExtraBitsOfLengthSymbol(r.symbol);
    cost += block.runExtraBits;
    for (int s = 0; s < kLiteralCodes; ++s)
        cost += static_cast<std::uint64_t>(block.counts[static_cast<std::size_t>(s)]) * lengths[static_cast<std::size_t>(s)];
    const std::size_t raw = block.end - block.begin;
    if (cost > 8 * (raw + 5 * (raw / kStoredMax + 1)) + 8) {
        WriteStored(bits, data, block.begin, block.end, last);
        return;
    }

    std::array<std::uint16_t, kLiteralCodes> codes{};
    MakeCodes(lengths.data(), kLiteralCodes, codes.data());
    std::array<std::uint16_t, 19> runCodes{};
    MakeCodes(runLengths.data(), 19, runCodes.data());

    bits.Put(last ? 1 : 0, 1);
    bits.Put(2, 2);  // dynamic codes
    bits.Put(static_cast<std::uint32_t>(literalCount - 257), 5);
    bits.Put(1, 5);  // two distance codes
    bits.Put(static_cast<std::uint32_t>(orderCount - 4), 4);
    for (int i = 0; i < orderCount; ++i) bits.Put(runLengths[kLengthCodeOrder[i]], 3);
    for (const LengthRun& r : runs) {
        bits.Put(runCodes[r.symbol], runLengths[r.symbol]);
        if (const int extra = ExtraBitsOfLengthSymbol(r.symbol)) bits.Put(r.extra, extra);
    }
    // Each symbol's whole bit string, code and extra bits and (for a run) the
    // distance bit, with its length, from one table.
    std::array<std::uint32_t, 256 + kMaxRun + 1> emit{};
    for (int v = 0; v < 256; ++v)
        emit[static_cast<std::size_t>(v)] = codes[static_cast<std::size_t>(v)] | static_cast<std::uint32_t>(lengths[static_cast<std::size_t>(v)]) << 24;
    for (int run = kMinRun; run <= kMaxRun; ++run) {
        const LengthSymbol& r = kLengths[static_cast<std::size_t>(run)];
        const int length = lengths[r.code] + r.extraBits + 1;
        emit[256u + static_cast<std::size_t>(run)] =
            (codes[r.code] | static_cast<std::uint32_t>(r.extraValue) << lengths[r.code]) |
            static_cast<std::uint32_t>(length) << 24;
    }
    for (std::size_t i = 0; i < block.symbolCount; ++i) {
        const std::uint32_t e = emit[block.symbols[i]];
        bits.Put(e & 0xFFFFFFu, static_cast<int>(e >> 24));
    }
    bits.Put(codes[kEndOfBlock], lengths[kEndOfBlock]);
}

}  // namespace

std::size_t CompressRuns(std::span<const std::uint8_t> data, std::vector<std::uint8_t>& out) {
    // Room for every block stored with its headers, and slack for whole
    // words; a block is stored when its codes would take more.
    const std::size_t room = 2 + data.size() + 8 * (data.size() / 1024 + 2) + 4096;
    if (out.size() < room) out.resize(room);
    out[0] = 0x78;  // deflate, 32 KiB window
    out[1] = 0x01;  // fastest, no dictionary (0x7801 is a multiple of 31)
    BitWriter bits(out.data() + 2);
    thread_local Block block;
    std::vector<LengthRun> runs;
    std::size_t at = 0;
    do {
        at = GatherBlock(data, at, block);
        WriteBlock(bits, data, block, at >= data.size(), runs);
    } while (at < data.size());
    std::uint8_t* end = bits.Align();
    const auto adler = static_cast<std::uint32_t>(
        adler32_z(adler32_z(0, nullptr, 0), data.data(), data.size()));
    end[0] = static_cast<std::uint8_t>(adler >> 24);
    end[1] = static_cast<std::uint8_t>(adler >> 16);
    end[2] = static_cast<std::uint8_t>(adler >> 8);
    end[3] = static_cast<std::uint8_t>(adler);
    return static_cast<std::size_t>(end + 4 - out.data());
}

}  // namespace orbalux
