#include "decode/frame_decoder.h"

#include <algorithm>
#include <cstring>

#include "decode/frame_formats.h"
#include "intake/header_decoder.h"

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

bool MarkerAt(const PictureState& state, long long at, MarkerBytes marker) {
    return FileByte(state, at) == marker.low && FileByte(state, at + 1) == marker.high;
}

// Where one line's pixel data begin and how many lines were lost before it.
struct LineStart {
    long long dataStart;
    int lost;
};

// Appends to DecodedImage at WriteIndex; bytes that would lie past its end
// are dropped.
class ImageWriter {
public:
    explicit ImageWriter(std::vector<std::uint8_t>& image) : image_(image.data()) {}

    // Pixel rows and row ends move WriteIndex on whether or not they fit.
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

private:
    std::uint8_t* image_;
    long long index_ = kPictureOrigin;
};

class FrameDecoder {
public:
    FrameDecoder(PictureState& state, const FrameFormat& format)
        : state_(state), format_(format), writer_(state.DecodedImage),
          markerInDataReach_(format.lineFormat == 999 ? MarkerInDataReach(state.CatalogueName) : 0) {}

    void Run() {
        int lines = format_.lines;
        int height = format_.height;
        if (lines == 0) {
            const LineCountChoice choice = Choose999LineCount(state_.FrameLineCount);
            lines = choice.lines;
            height = choice.height;
        }
        SetPictureGeometry(state_, format_.width, height);
        DecodeHeader(state_);

        // A fresh picture: rows the lines do not reach are zero, never a
        // previous file's.
        std::fill(state_.DecodedImage.begin(), state_.DecodedImage.end(), 0);
        state_.LostLineCount = 0;

        long long expected = state_.DataOffset;
        bool havePrevious = false;
        MarkerBytes previous{0, 0};
        const MarkerBytes gap1 = MarkerWord(format_, MarkerKind::Gap1);
        const MarkerBytes gap2 = MarkerWord(format_, MarkerKind::Gap2);

        for (int line = 0; line < lines; ++line) {
            LineStart start = FindLine(expected);
            // A line behind a gap marker had lines lost after it.
            if (havePrevious) {
                if (previous.low == gap1.low && previous.high == gap1.high) start.lost += 1;
                else if (format_.usesGap2 && previous.low == gap2.low && previous.high == gap2.high)
                    start.lost += 2;
            }
            if (start.lost < 0) start.lost = 0;
            state_.LostLineCount += start.lost;
            if (state_.CompressMissingLines == 0 || start.lost == 1)
                for (int k = 0; k < start.lost; ++k) FillerRow(&ImageWriter::Filler);

            long long q = start.dataStart;
            previous = {FileByte(state_, q - 2), FileByte(state_, q - 1)};
            havePrevious = true;
            DecodeGroups(q);
            q += 4LL * format_.groups + format_.trailing;
            writer_.Fill(0, format_.rowEndZeros);
            writer_.Fill(kGrey, format_.rowEndGrey);
            expected = q;
        }
        for (int k = 0; k < format_.tailRows; ++k) FillerRow(&ImageWriter::Fill);

        state_.FileBuffer.assign(state_.DecodedImage.begin(), state_.DecodedImage.end());
    }

private:
    LineStart FindLine(long long p) const {
        // Some 999-sample files carry GapMarker1 as the first two bytes of
        // the line's own data.
        if (markerInDataReach_ > 0) {
            const MarkerBytes gap1 = MarkerWord(format_, MarkerKind::Gap1);
            for (int d = 0; d <= markerInDataReach_; d += 2)
                if (MarkerAt(state_, p + d, gap1)) return {p + d, d == 4 ? 1 : 0};
        }
        for (const ProbeRun& run : format_.probes) {
            const MarkerBytes marker = MarkerWord(format_, run.marker);
            for (int d = run.first; d <= run.last; d += 2) {
                if (d < 0 && p < 4) continue;
                if (MarkerAt(state_, p + d, marker)) return {p + d + 2, d / 2};
            }
        }
        const Fallback& fb = format_.fallback;
        if (fb.wideStep == 0) return {p + 2, 0};
        const std::uint8_t first = FileByte(state_, p);
        bool looksLikeMarker = FileByte(state_, p + 1) == fb.highByte;
        for (int i = 0; i < fb.lowByteCount; ++i) looksLikeMarker |= first == fb.lowBytes[i];
        return {looksLikeMarker ? p + 2 : p + fb.wideStep, 0};
    }

    void DecodeGroups(long long q) {
        const long long bytes = 4LL * format_.groups;
        const std::uint8_t* src =
            (q >= 0 && q + bytes <= static_cast<long long>(state_.FileBuffer.size())) ? state_.FileBuffer.data() + q
                                                                                        : nullptr;
        std::uint8_t* dst = writer_.Room(3LL * format_.groups);
        if (src && dst) {
            for (int g = 0; g < format_.groups; ++g, src += 4, dst += 3) {
                const unsigned c0 = src[0] & 63u, c1 = src[1] & 63u, c2 = src[2] & 63u, c3 = src[3] & 63u;
                dst[0] = static_cast<std::uint8_t>(c0 << 2 | c1 >> 4);
                dst[1] = static_cast<std::uint8_t>((c1 & 15u) << 4 | c2 >> 2);
                dst[2] = static_cast<std::uint8_t>((c2 & 3u) << 6 | c3);
            }
            writer_.Advance(3LL * format_.groups);
            return;
        }
        // Near either buffer's end: bytes past the file read as zero, pixels
        // past the image are dropped.
        for (int g = 0; g < format_.groups; ++g, q += 4) {
            const unsigned c0 = FileByte(state_, q) & 63u, c1 = FileByte(state_, q + 1) & 63u,
                           c2 = FileByte(state_, q + 2) & 63u, c3 = FileByte(state_, q + 3) & 63u;
            writer_.Pixel(static_cast<std::uint8_t>(c0 << 2 | c1 >> 4));
            writer_.Pixel(static_cast<std::uint8_t>((c1 & 15u) << 4 | c2 >> 2));
            writer_.Pixel(static_cast<std::uint8_t>((c2 & 3u) << 6 | c3));
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
    int markerInDataReach_;
};

void DecodeWith(PictureState& state, int lineFormat) { DecodeFrame(state, *FindFrameFormat(lineFormat)); }

}  // namespace

void DecodeFrame(PictureState& state, const FrameFormat& format) {
    if (state.DecodedImage.size() != static_cast<std::size_t>(kFileBufferSize))
        state.DecodedImage.assign(kFileBufferSize, 0);
    FrameDecoder(state, format).Run();
}

void RunDecoder(PictureState& state) {
    const FrameFormat* format = FindFrameFormat(state.LineFormat);
    // The catalogue yields only the sixteen codes; anything else is read as
    // the default format.
    DecodeFrame(state, format ? *format : *FindFrameFormat(945));
}

void Decode945(PictureState& state) { DecodeWith(state, 945); }
void Decode999(PictureState& state) { DecodeWith(state, 999); }
void Decode136(PictureState& state) { DecodeWith(state, 136); }
void Decode975(PictureState& state) { DecodeWith(state, 975); }
void Decode960(PictureState& state) { DecodeWith(state, 960); }
void Decode955(PictureState& state) { DecodeWith(state, 955); }
void Decode801(PictureState& state) { DecodeWith(state, 801); }
void Decode699(PictureState& state) { DecodeWith(state, 699); }
void Decode876(PictureState& state) { DecodeWith(state, 876); }
void Decode1023(PictureState& state) { DecodeWith(state, 1023); }
void Decode951(PictureState& state) { DecodeWith(state, 951); }
void Decode849(PictureState& state) { DecodeWith(state, 849); }
void Decode600(PictureState& state) { DecodeWith(state, 600); }
void Decode750(PictureState& state) { DecodeWith(state, 750); }
void Decode864(PictureState& state) { DecodeWith(state, 864); }
void Decode34(PictureState& state) { DecodeWith(state, 34); }

}  // namespace orbalux
