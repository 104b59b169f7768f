#include "fuzz/picture_checks.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "decode/frame_decoder.h"
#include "decode/frame_formats.h"
#include "load/load_sequence.h"

namespace orbalux::fuzz {
namespace {

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}

// The 46 characters a header line may show besides the blank.
constexpr std::string_view kShownCharacters = ".+;-/:={}ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ";

}  // namespace

void Fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::abort();
}

void CheckBitmap(const PictureState& state) {
    FUZZ_CHECK(state.FileBuffer.size() == static_cast<std::size_t>(kFileBufferSize));
    FUZZ_CHECK(state.BitmapBuffer.size() == static_cast<std::size_t>(kBitmapBufferSize));
    FUZZ_CHECK(state.DecodedImage.size() == static_cast<std::size_t>(kFileBufferSize));

    const auto& bmp = state.BitmapBuffer;
    const std::size_t w = static_cast<std::size_t>(state.ImageWidth);
    const std::size_t h = static_cast<std::size_t>(state.ImageHeight);
    const std::size_t size = 54 + 3 * w * h;
    FUZZ_CHECK(size <= bmp.size());
    FUZZ_CHECK(BitmapFileSize(state) == size);
    FUZZ_CHECK(bmp[0] == 'B' && bmp[1] == 'M');
    FUZZ_CHECK(Le(bmp, 2, 4) == size);
    FUZZ_CHECK(Le(bmp, 10, 4) == 54);
    FUZZ_CHECK(Le(bmp, 14, 4) == 40);
    FUZZ_CHECK(Le(bmp, 18, 4) == w);
    FUZZ_CHECK(Le(bmp, 22, 4) == h);
    FUZZ_CHECK(Le(bmp, 26, 2) == 1 && Le(bmp, 28, 2) == 24);
    FUZZ_CHECK(Le(bmp, 34, 4) == 3 * w * h);
    // Grey pixels: blue, green and red alike.
    for (std::size_t t = 54; t < size; t += 3) FUZZ_CHECK(bmp[t] == bmp[t + 1] && bmp[t] == bmp[t + 2]);
    // Nothing behind the BMP file.
    FUZZ_CHECK(std::all_of(bmp.begin() + static_cast<std::ptrdiff_t>(size), bmp.end(),
                           [](std::uint8_t b) { return b == 0; }));
    // The bytes in front of the picture origin are never written.
    FUZZ_CHECK(std::all_of(state.DecodedImage.begin(), state.DecodedImage.begin() + kPictureOrigin,
                           [](std::uint8_t b) { return b == 0; }));
}

void CheckLoaded(const PictureState& state) {
    const FrameFormat* format = FindFrameFormat(state.LineFormat);
    FUZZ_CHECK(format != nullptr);
    int height = format->height;
    if (height == 0) height = Choose999LineCount(state.FrameLineCount).height;
    FUZZ_CHECK(state.ImageWidth == format->width);
    FUZZ_CHECK(state.ImageHeight == height);
    FUZZ_CHECK(state.ImageWidth % 4 == 0 && state.ImageHeight % 4 == 0);
    FUZZ_CHECK(state.FrameStride == state.ImageWidth);
    FUZZ_CHECK(state.FrameLines == state.ImageHeight);
    FUZZ_CHECK(state.LostLineCount >= 0);
    // The row map names every row of the picture, and its data columns lie
    // within the row.
    FUZZ_CHECK(static_cast<int>(state.DecodedRows.rows.size()) == state.ImageHeight);
    FUZZ_CHECK(state.DecodedRows.firstDataColumn >= 0 &&
               state.DecodedRows.firstDataColumn + state.DecodedRows.dataColumns <= state.ImageWidth);
    FUZZ_CHECK(LinesShortOfFrame(state) >= 0 && LinesShortOfFrame(state) <= state.LinesDecoded);
    FUZZ_CHECK(state.BrightnessLevel == 0);
    CheckBitmap(state);
    CheckHeaderLines(state);
}

void CheckHeaderLines(const PictureState& state) {
    const auto& lines = state.HeaderLines;
    if (lines[0] == "No Header") {
        for (int i = 1; i < kHeaderLines; ++i) FUZZ_CHECK(lines[static_cast<std::size_t>(i)] == " ");
        FUZZ_CHECK(state.DataOffset < 482 || state.LeadByte0 == 0);
        return;
    }
    FUZZ_CHECK(state.DataOffset >= 482 && state.LeadByte0 != 0);
    bool ended = false;
    for (int i = 0; i < kHeaderLines; ++i) {
        const std::string& line = lines[static_cast<std::size_t>(i)];
        if (line.empty()) {
            FUZZ_CHECK(i >= 5);  // the first record always gives five lines
            ended = true;
            continue;
        }
        FUZZ_CHECK(!ended);
        FUZZ_CHECK(line.size() == 72);
        for (char c : line) FUZZ_CHECK(kShownCharacters.find(c) != std::string_view::npos);
    }
}

std::vector<std::uint8_t> DecodedPicture(const PictureState& state) {
    const std::size_t count = static_cast<std::size_t>(state.ImageWidth) * static_cast<std::size_t>(state.ImageHeight);
    const auto begin = state.DecodedImage.begin() + kPictureOrigin;
    const std::size_t available = state.DecodedImage.size() - kPictureOrigin;
    return {begin, begin + static_cast<std::ptrdiff_t>(std::min(count, available))};
}

}  // namespace orbalux::fuzz
