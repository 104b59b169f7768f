#include "decode/frame_decoder.h"

#include <algorithm>
#include <cstring>

#include "decode/frame_formats.h"
#include "intake/header_decoder.h"
#include "state/byte_shuffles.h"
#include "state/six_bit.h"

namespace orbalux {
namespace {

constexpr long long kImageEnd = kFileBufferSize;
// Filler rows for lost lines stop one byte short of the end of DecodedImage.
constexpr long long kFillerEnd = kFileBufferSize - 1;
constexpr std::uint8_t kGrey = 160;

struct MarkerBytes {
    std::uint8_t low;
    std::uint8_t high;
};

MarkerBytes MarkerWord(const FrameFormat& format, MarkerKind kind) {
    int value = format.primaryMarker;
    if (kind == MarkerKind::Gap1) value -= 2;
    if (kind == MarkerKind::Gap2) value -= 4;
    return {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF)};
}

// Byte of the file at offset, or 0 outside it (a short or damaged file reads
// as zero bytes).
std::uint8_t ByteAt(std::span<const std::uint8_t> file, long long offset) {
    return (offset >= 0 && offset < static_cast<long long>(file.size())) ? file[static_cast<std::size_t>(offset)] : 0;
}

bool MarkerAt(std::span<const std::uint8_t> file, long long at, MarkerBytes marker) {
    return ByteAt(file, at) == marker.low && ByteAt(file, at + 1) == marker.high;
}

#if defined(ORBALUX_BYTE_SHUFFLES)
// Four pixel groups at a time where byte shuffles exist (byte_shuffles.h):
// the six-bit values of each pair of bytes, then of each group, merged by
// multiply-adds into the 24-bit value, whose three bytes are shuffled out
// most significant first. Each store writes four bytes past its twelve, so
// the last groups of the line are left to the caller. Returns how many groups were unpacked.
ORBALUX_SHUFFLES_TARGET int UnpackGroupsShuffled(const std::uint8_t* src, int groups, std::uint8_t* dst) {
    const __m128i sixBits = _mm_set1_epi8(0x3F);
    const __m128i pairWeights = _mm_set1_epi32(0x01400140);  // c0 * 64 + c1, c2 * 64 + c3
    const __m128i groupWeights = _mm_set1_epi32(0x00011000);  // (c0 c1) * 4096 + (c2 c3)
    const __m128i order = _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1);
    int g = 0;
    for (; g + 6 <= groups; g += 4) {
        __m128i v = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 4 * g)), sixBits);
        v = _mm_madd_epi16(_mm_maddubs_epi16(v, pairWeights), groupWeights);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 3 * g), _mm_shuffle_epi8(v, order));
    }
    return g;
}

const bool kHaveShuffles = HaveByteShuffles();
#endif

// Unpacks the first groups of a line where a faster way exists; returns how
// many it did.
int UnpackGroups(const std::uint8_t* src, int groups, std::uint8_t* dst) {
#if defined(ORBALUX_BYTE_SHUFFLES)
    if (kHaveShuffles) return UnpackGroupsShuffled(src, groups, dst);
#endif
    (void)src;
    (void)groups;
    (void)dst;
    return 0;
}

// Where one line's pixel data begin and how many lines were lost before it.
struct LineStart {
    long long dataStart;
    int lost;
    bool marked;  // found by its marker word (not by the fallback step)
};

// Walks a frame's line records: each line is looked for near where the
// previous one ended, and a line behind a gap marker had lines lost after it.
class LineWalker {
public:
    LineWalker(std::span<const std::uint8_t> file, const FrameFormat& format, long long dataOffset,
               std::string_view catalogueName)
        : file_(file), format_(format), expected_(dataOffset),
          markerInDataReach_(format.lineFormat == 999 ? MarkerInDataReach(catalogueName) : 0),
          gap1_(MarkerWord(format, MarkerKind::Gap1)), gap2_(MarkerWord(format, MarkerKind::Gap2)) {}

    LineStart Next() {
        LineStart start = FindLine(expected_);
        if (havePrevious_) {
            if (previous_.low == gap1_.low && previous_.high == gap1_.high) start.lost += 1;
            else if (format_.usesGap2 && previous_.low == gap2_.low && previous_.high == gap2_.high)
                start.lost += 2;
        }
        if (start.lost < 0) start.lost = 0;
        const long long q = start.dataStart;
        previous_ = {ByteAt(file_, q - 2), ByteAt(file_, q - 1)};
        havePrevious_ = true;
        expected_ = q + 4LL * format_.groups + format_.trailing;
        return start;
    }

    // The number of lines in a frame of this format (the 999-sample format's
    // from the catalogue's line count) and the picture's height.
    static LineCountChoice FrameSize(const FrameFormat& format, int frameLineCount) {
        if (format.lines == 0) return Choose999LineCount(frameLineCount);
        return {format.lines, format.height};
    }

private:
    LineStart FindLine(long long p) const {
        // Some 999-sample files carry GapMarker1 as the first two bytes of
        // the line's own data.
        if (markerInDataReach_ > 0) {
            for (int d = 0; d <= markerInDataReach_; d += 2)
                if (MarkerAt(file_, p + d, gap1_)) return {p + d, d == 4 ? 1 : 0, true};
        }
        for (const ProbeRun& run : format_.probes) {
            const MarkerBytes marker = MarkerWord(format_, run.marker);
            for (int d = run.first; d <= run.last; d += 2) {
                if (d < 0 && p < 4) continue;
                if (MarkerAt(file_, p + d, marker)) return {p + d + 2, d / 2, true};
            }
        }
        const Fallback& fb = format_.fallback;
        if (fb.wideStep == 0) return {p + 2, 0, false};
        const std::uint8_t first = ByteAt(file_, p);
        bool looksLikeMarker = ByteAt(file_, p + 1) == fb.highByte;
        for (int i = 0; i < fb.lowByteCount; ++i) looksLikeMarker |= first == fb.lowBytes[i];
        return {looksLikeMarker ? p + 2 : p + fb.wideStep, 0, false};
    }

    std::span<const std::uint8_t> file_;
    const FrameFormat& format_;
    long long expected_;
    int markerInDataReach_;
    MarkerBytes gap1_;
    MarkerBytes gap2_;
    bool havePrevious_ = false;
    MarkerBytes previous_{0, 0};
};

// Where the file's data end: behind its last byte that is not zero. Files on
// archival media are padded with zero bytes to a block size; no marker word
// is found in those, and a line read there was never in the file. Only the
// bytes at hand are looked at (a file read in part ends where it ends).
long long DataEnd(std::span<const std::uint8_t> file, long long fileLength) {
    if (fileLength > static_cast<long long>(file.size())) return fileLength;
    long long end = fileLength;
    while (end > 0 && file[static_cast<std::size_t>(end - 1)] == 0) --end;
    return end;
}

// Counts what a walk finds, line by line, and says what each line's row is:
// a line only where its marker was found and its record lies wholly inside
// the file.
class ScanTally {
public:
    ScanTally(const FrameFormat& format, std::span<const std::uint8_t> file, long long fileLength)
        : format_(format), fileLength_(fileLength), dataEnd_(DataEnd(file, fileLength)) {}

    RowKind Count(const LineStart& line) {
        ++scan_.linesDecoded;
        if (line.marked) ++scan_.linesFound;
        const bool within = line.dataStart >= 0 && line.dataStart + 4LL * format_.groups <= fileLength_;
        if (line.marked && within) {
            ++scan_.linesWithinFile;
            ++scan_.recordsWithinFile;
            return RowKind::Line;
        }
        // Read from the fallback step: inside the data a record whose marker
        // is damaged or missing, behind it nothing the file holds.
        if (!line.marked && line.dataStart < dataEnd_) {
            ++scan_.recordsWithinFile;
            return RowKind::Unmarked;
        }
        return RowKind::PastEnd;
    }
    const FrameScan& scan() const { return scan_; }

private:
    const FrameFormat& format_;
    long long fileLength_;
    long long dataEnd_;
    FrameScan scan_;
};

// Appends to DecodedImage from the picture origin on; bytes that would lie
// past its end are dropped.
class ImageWriter {
public:
    explicit ImageWriter(std::vector<std::uint8_t>& image) : image_(image.data()) {}

    // Pixel rows and row ends move the write position on whether or not they
    // fit.
    void Fill(std::uint8_t value, long long count) {
        const long long end = std::min(index_ + count, kImageEnd);
        if (end > index_) std::memset(image_ + index_, value, static_cast<std::size_t>(end - index_));
        index_ += count;
    }

    // A filler row for a lost line is cut where the image ends.
    void Filler(std::uint8_t value, long long count) {
        const long long end = std::min(index_ + count, kFillerEnd);
        if (end > index_) {
            std::memset(image_ + index_, value, static_cast<std::size_t>(end - index_));
            index_ = end;
        }
    }

    void Pixel(std::uint8_t value) {
        if (index_ < kImageEnd) image_[index_] = value;
        ++index_;
    }

    std::uint8_t* Room(long long count) {
        return index_ + count <= kImageEnd ? image_ + index_ : nullptr;
    }
    void Advance(long long count) { index_ += count; }
    // End of the bytes written, all of them from the picture origin on.
    long long End() const { return std::min(index_, kImageEnd); }

private:
    std::uint8_t* image_;
    long long index_ = kPictureOrigin;
};

class FrameDecoder {
public:
    FrameDecoder(PictureState& state, const FrameFormat& format)
        : state_(state), format_(format), writer_(state.DecodedImage) {}

    void Run() {
        const LineCountChoice size = LineWalker::FrameSize(format_, state_.FrameLineCount);
        SetPictureGeometry(state_, format_.width, size.height);
        DecodeHeader(state_);

        state_.LostLineCount = 0;

        RowMap& map = state_.DecodedRows;
        map.rows.clear();
        map.rows.reserve(static_cast<std::size_t>(size.height));
        map.belowPicture.clear();
        map.firstDataColumn = 0;
        map.dataColumns = DataColumns(format_);
        // Rows are written one after another from the picture origin; only
        // the first H of them are the picture, the lines' rows below it are
        // kept apart.
        const auto markRows = [&](RowKind kind, int count) {
            for (int k = 0; k < count; ++k)
                (static_cast<int>(map.rows.size()) < size.height ? map.rows : map.belowPicture).push_back(kind);
        };

        LineWalker walker(state_.FileBuffer, format_, state_.DataOffset, state_.CatalogueName);
        ScanTally tally(format_,
                        std::span<const std::uint8_t>(state_.FileBuffer)
                            .first(static_cast<std::size_t>(std::clamp<long long>(
                                state_.FileLength, 0, static_cast<long long>(state_.FileBuffer.size())))),
                        state_.FileLength);
        for (int line = 0; line < size.lines; ++line) {
            const LineStart start = walker.Next();
            const RowKind kind = tally.Count(start);
            state_.LostLineCount += start.lost;
            if (state_.CompressMissingLines == 0 || start.lost == 1) {
                for (int k = 0; k < start.lost; ++k) FillerRow(&ImageWriter::Filler);
                markRows(RowKind::LostLine, start.lost);
            }
            DecodeGroups(start.dataStart);
            writer_.Fill(0, format_.rowEndZeros);
            writer_.Fill(kGrey, format_.rowEndGrey);
            markRows(kind, 1);
        }
        for (int k = 0; k < format_.tailRows; ++k) FillerRow(&ImageWriter::Fill);
        // Rows the lines do not reach (cleared below) belong to the frame's end.
        while (static_cast<int>(map.rows.size()) < size.height) map.rows.push_back(RowKind::Tail);
        state_.LinesFoundByMarker = tally.scan().linesFound;
        state_.LinesDecoded = tally.scan().linesDecoded;
        state_.LinesWithinFile = tally.scan().linesWithinFile;
        state_.RecordsWithinFile = tally.scan().recordsWithinFile;

        // A fresh picture: the writes cover one run from the picture origin,
        // so the bytes before it and behind the last one written are cleared,
        // and rows the lines do not reach are zero, never a previous file's.
        std::uint8_t* image = state_.DecodedImage.data();
        std::fill(image, image + kPictureOrigin, 0);
        std::fill(image + writer_.End(), image + kImageEnd, 0);
        state_.FileBuffer.resize(kFileBufferSize);
        std::copy(image, image + kImageEnd, state_.FileBuffer.begin());
    }

private:
    void DecodeGroups(long long q) {
        const long long bytes = 4LL * format_.groups;
        const std::uint8_t* src =
            (q >= 0 && q + bytes <= static_cast<long long>(state_.FileBuffer.size())) ? state_.FileBuffer.data() + q
                                                                                        : nullptr;
        std::uint8_t* dst = writer_.Room(3LL * format_.groups);
        if (src && dst) {
            const int done = UnpackGroups(src, format_.groups, dst);
            src += 4 * done;
            dst += 3 * done;
            for (int g = done; g < format_.groups; ++g, src += 4, dst += 3)
                UnpackSixBitGroup(src[0], src[1], src[2], src[3], dst);
            writer_.Advance(3LL * format_.groups);
            return;
        }
        // Near either buffer's end: bytes past the file read as zero, pixels
        // past the image are dropped.
        for (int g = 0; g < format_.groups; ++g, q += 4) {
            std::uint8_t pixels[3];
            UnpackSixBitGroup(FileByte(state_, q), FileByte(state_, q + 1), FileByte(state_, q + 2),
                              FileByte(state_, q + 3), pixels);
            for (const std::uint8_t v : pixels) writer_.Pixel(v);
        }
    }

    // A filler row: zeros over the data columns, grey over the rest of a
    // narrow format's row.
    void FillerRow(void (ImageWriter::*put)(std::uint8_t, long long)) {
        (writer_.*put)(0, format_.width - format_.rowEndGrey);
        (writer_.*put)(kGrey, format_.rowEndGrey);
    }

    PictureState& state_;
    const FrameFormat& format_;
    ImageWriter writer_;
};

}  // namespace

// The catalogue yields only the sixteen codes; anything else is read as the
// default format.
const FrameFormat& FormatOrDefault(int lineFormat) {
    const FrameFormat* format = FindFrameFormat(lineFormat);
    return format ? *format : *FindFrameFormat(kDefaultLineFormat);
}

void DecodeFrame(PictureState& state, const FrameFormat& format) {
    if (state.DecodedImage.size() != static_cast<std::size_t>(kFileBufferSize))
        state.DecodedImage.assign(kFileBufferSize, 0);
    FrameDecoder(state, format).Run();
}

void RunDecoder(PictureState& state) { DecodeFrame(state, FormatOrDefault(state.LineFormat)); }

int LinesShortOfFrame(const PictureState& state) {
    const long long accounted = static_cast<long long>(state.RecordsWithinFile) + state.LostLineCount;
    return accounted >= state.LinesDecoded ? 0 : state.LinesDecoded - static_cast<int>(accounted);
}

FrameScan ScanFrame(std::span<const std::uint8_t> file, long long fileLength, int lineFormat, int dataOffset,
                    int frameLineCount, std::string_view catalogueName) {
    const FrameFormat& format = FormatOrDefault(lineFormat);
    LineWalker walker(file, format, dataOffset, catalogueName);
    ScanTally tally(format, file, fileLength);
    const int lines = LineWalker::FrameSize(format, frameLineCount).lines;
    for (int line = 0; line < lines; ++line) tally.Count(walker.Next());
    return tally.scan();
}

}  // namespace orbalux
