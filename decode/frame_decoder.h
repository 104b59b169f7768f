// The frame decoder: one algorithm over a table of sixteen line formats.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "state/picture_state.h"

namespace orbalux {

struct FrameFormat;  // one line format's constants (decode/frame_formats.h)

// The format that serves a LineFormat code (945 also serves 0); nullptr when
// none does.
const FrameFormat* FindFrameFormat(int lineFormat);
// The format the decoder reads a LineFormat code by: the one that serves it,
// else the default format.
const FrameFormat& FormatOrDefault(int lineFormat);

// Decodes one frame of `format` from FileBuffer into DecodedImage: geometry,
// DecodeHeader, the lines with their filler rows, the tail rows, and the copy
// of DecodedImage over FileBuffer. DecodedImage is cleared first.
void DecodeFrame(PictureState& state, const FrameFormat& format);

// Runs the decoder that LineFormat selects (the catalogue's dispatch).
void RunDecoder(PictureState& state);

// What a walk over a frame's line records finds, without decoding a pixel:
// lines whose marker word was found, line records walked, how many lines
// were found by their marker wholly inside the file's `fileLength` bytes, and
// how many of the lines walked lie in the file's data, found or not (zero
// bytes behind the last record are not data).
struct FrameScan {
    int linesFound = 0;
    int linesDecoded = 0;
    int linesWithinFile = 0;
    int recordsWithinFile = 0;
};

// How many of the frame's lines are missing at its end, after a decode. The
// records of lines lost in transmission are not in a file (each leaves only a
// 2-byte displacement), so a whole file of N lines with L of them lost holds
// N - L records and the walk reads its last L lines past the end: a file is
// cut short only when the records within its data plus the lines counted
// lost are fewer than the frame's lines.
int LinesShortOfFrame(const PictureState& state);

// Walks the line records of `file` as the decoder of `lineFormat` would for a
// file of these catalogue parameters and name.
FrameScan ScanFrame(std::span<const std::uint8_t> file, long long fileLength, int lineFormat, int dataOffset,
                    int frameLineCount, std::string_view catalogueName);

}  // namespace orbalux
