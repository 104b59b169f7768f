// Shared helpers of the decoder tests: pictures of known pixels, loading
// encoded bytes into the picture state, and reading decoded rows back.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "decode/frame_decoder.h"
#include "state/picture_state.h"
#include "tools/encoder/picture_encoder.h"

namespace orbalux::testing_support {

namespace enc = orbalux::encoder;

constexpr int kFiller = -1;  // a row sequence entry that stands for a filler row

// A picture whose pixel values keep every packed byte at 6 or above, so no
// stretch of line data can pass for a marker word (every marker has a high
// byte of 5 or less), and no pixel is 0 or the narrow formats' grey 160.
inline orbalux::GreyImage KnownPicture(int width, int height, unsigned seed = 1) {
    orbalux::GreyImage image(width, height);
    unsigned v = seed * 2654435761u;
    for (std::uint8_t& pixel : image.pixels) {
        v = v * 1103515245u + 12345u;
        const unsigned r = (v >> 16) % 100;
        pixel = static_cast<std::uint8_t>(96 + 16 * (r / 10) + 6 + r % 10);
    }
    return image;
}

struct DecodeSetup {
    int lineFormat = 945;
    int dataOffset = 964;
    std::string name = "TEST.001";
    int frameLineCount = 0;
    int compress = 1;
};

// Loads `bytes` as the file read into FileBuffer (cut at its size) and runs
// the decoder that the line format selects.
inline void DecodeInto(PictureState& state, const std::vector<std::uint8_t>& bytes, const DecodeSetup& setup) {
    AllocateWorkingBuffers(state);
    std::copy_n(bytes.begin(), std::min<std::size_t>(bytes.size(), kFileBufferSize), state.FileBuffer.begin());
    state.FileLength = static_cast<long long>(std::min<std::size_t>(bytes.size(), kFileBufferSize));
    state.CatalogueName = setup.name;
    state.LineFormat = setup.lineFormat;
    state.DataOffset = setup.dataOffset;
    state.FrameLineCount = setup.frameLineCount;
    state.CompressMissingLines = setup.compress;
    state.LeadByte0 = state.FileBuffer[0];
    state.LeadByte1 = state.FileBuffer[1];
    RunDecoder(state);
}

inline std::span<const std::uint8_t> Row(const PictureState& state, int width, int row) {
    return {state.DecodedImage.data() + kPictureOrigin + static_cast<std::size_t>(row) * width,
            static_cast<std::size_t>(width)};
}

// Row `row` begins with the pixels of `picture`'s row `pictureRow`, from
// `from` on (a row decoded from a shifted start holds a later part), leaving
// out the last `unchecked` pixels.
inline testing::AssertionResult RowHoldsLine(const PictureState& state, int width, int row,
                                             const orbalux::GreyImage& picture, int pictureRow, int from = 0,
                                             int unchecked = 0) {
    const auto decoded = Row(state, width, row);
    const int count = picture.width - from - unchecked;
    for (int x = 0; x < count; ++x) {
        if (decoded[x] != picture.At(x + from, pictureRow)) {
            return testing::AssertionFailure() << "row " << row << " column " << x << " is " << int(decoded[x])
                                               << ", line " << pictureRow << " has " << int(picture.At(x + from, pictureRow));
        }
    }
    return testing::AssertionSuccess();
}

// Row `row` is a filler row: zeros up to `greyFrom`, grey 160 from there on.
inline testing::AssertionResult IsFillerRow(const PictureState& state, int width, int row, int greyFrom) {
    const auto decoded = Row(state, width, row);
    for (int x = 0; x < width; ++x) {
        const int want = x < greyFrom ? 0 : 160;
        if (decoded[x] != want) {
            return testing::AssertionFailure() << "row " << row << " column " << x << " is " << int(decoded[x])
                                               << ", a filler row has " << want;
        }
    }
    return testing::AssertionSuccess();
}

// The decoded rows from `firstRow` on are, in order, the picture lines and
// filler rows that `sequence` names. The last group of a line in `clipped`
// is not compared: the next record, moved back, overwrote it in the file.
inline void ExpectRows(const PictureState& state, int width, const orbalux::GreyImage& picture, int firstRow,
                       const std::vector<int>& sequence, int greyFrom, std::vector<int> clipped = {}) {
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        const int row = firstRow + static_cast<int>(i);
        if (sequence[i] == kFiller) {
            EXPECT_TRUE(IsFillerRow(state, width, row, greyFrom));
        } else {
            const bool clip = std::find(clipped.begin(), clipped.end(), sequence[i]) != clipped.end();
            EXPECT_TRUE(RowHoldsLine(state, width, row, picture, sequence[i], 0, clip ? 3 : 0));
        }
    }
}

// The three pixels of the group at `at` in `bytes`: six bits per byte,
// first byte most significant.
inline std::array<int, 3> UnpackGroup(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    const int c0 = bytes[at] & 63, c1 = bytes[at + 1] & 63, c2 = bytes[at + 2] & 63, c3 = bytes[at + 3] & 63;
    return {c0 * 4 + c1 / 16, (c1 % 16) * 16 + c2 / 4, (c2 % 4) * 64 + c3};
}

// Row `row` holds the `groups` pixel groups of `bytes` from offset `at` on.
inline testing::AssertionResult RowReadFrom(const PictureState& state, int width, int row,
                                            const std::vector<std::uint8_t>& bytes, std::size_t at, int groups) {
    const auto decoded = Row(state, width, row);
    for (int g = 0; g < groups; ++g) {
        const auto pixels = UnpackGroup(bytes, at + 4 * static_cast<std::size_t>(g));
        for (int k = 0; k < 3; ++k) {
            if (decoded[3 * g + k] != pixels[k]) {
                return testing::AssertionFailure() << "row " << row << " column " << 3 * g + k << " is "
                                                   << int(decoded[3 * g + k]) << ", the bytes from " << at
                                                   << " give " << pixels[k];
            }
        }
    }
    return testing::AssertionSuccess();
}

// Lines first..last (inclusive) in order.
inline std::vector<int> Lines(int first, int last) {
    std::vector<int> lines;
    for (int i = first; i <= last; ++i) lines.push_back(i);
    return lines;
}

inline std::vector<int> Concat(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

}  // namespace orbalux::testing_support
