// The sixteen line formats of the volume, as data: record layout, picture
// geometry, where the decoder looks for each line's marker, and where it
// starts when it finds none.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace orbalux {

enum class MarkerKind : std::uint8_t {
    Primary,  // the record's data length: an ordinary line
    Gap1,     // primary - 2: one line was lost after this one
    Gap2,     // primary - 4: two lines were lost after this one
};

// Probes a marker at displacements first, first + 2, ..., last from the place
// where the line's record should begin; a match at d means d / 2 lost lines.
struct ProbeRun {
    MarkerKind marker;
    int first;
    int last;
};

// When no probe matches, the line's data start 2 bytes on, or `wideStep`
// bytes on unless the first byte looks like the marker's low byte or the
// second like its high byte (then it is a damaged marker, 2 bytes on).
struct Fallback {
    int wideStep;                  // 0: always 2 bytes on
    std::uint8_t lowBytes[2];      // first-byte values that mean a marker
    int lowByteCount;
    std::uint8_t highByte;         // second-byte value that means a marker
};

struct FrameFormat {
    std::string_view name;   // decoder name, e.g. "Decode945"
    int lineFormat;          // the catalogue's code
    std::uint16_t primaryMarker;
    bool usesGap2;
    int groups;              // pixel groups per line, 3 pixels each
    int trailing;            // bytes after the groups, skipped
    int rowEndZeros;         // zero bytes after the pixels
    int rowEndGrey;          // bytes of grey 160 after those (narrow formats)
    int width;               // W
    int lines;               // N, line records decoded (0: by FrameLineCount)
    int tailRows;            // T, filler rows after the last line
    int height;              // H (0: by FrameLineCount)
    std::span<const ProbeRun> probes;
    Fallback fallback;
};

// The columns of a decoded row that hold the line's samples: the first 3 x G.
// The zero bytes and grey field behind them are not picture.
constexpr int DataColumns(const FrameFormat& format) { return 3 * format.groups; }

// All sixteen formats, in the order of the format table.
std::span<const FrameFormat> FrameFormats();

// Lines decoded and picture height of the 999-sample format for a
// FrameLineCount from the catalogue.
struct LineCountChoice {
    int lines;
    int height;
};
LineCountChoice Choose999LineCount(int frameLineCount);

// The 999-sample files whose line data begin at the GapMarker1 word itself,
// for the first lines' probes: returns how far the in-data probe reaches
// (0: the name is not one of them; 2: d = 0 and 2; 4: d = 0, 2 and 4).
int MarkerInDataReach(std::string_view catalogueName);

}  // namespace orbalux
