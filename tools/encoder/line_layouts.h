// Record layouts of the sixteen picture-line formats, as the encoder writes
// them. A line record is its marker word followed by the pixel groups and,
// in some formats, two trailing bytes.
#pragma once

#include <cstdint>
#include <span>

namespace orbalux::encoder {

struct LineLayout {
    int lineFormat;              // format code, close to the pixels per line
    std::uint16_t primaryMarker; // marker word of a normal line = its data length
    int groups;                  // pixel groups per line, 3 pixels each
    int trailingBytes;           // bytes after the last group (0 or 2)
    int linesPerFrame;           // line records in a complete frame

    int PixelsPerLine() const { return 3 * groups; }
    int RecordBytes() const { return 2 + 4 * groups + trailingBytes; }
    std::uint16_t GapMarker1() const { return static_cast<std::uint16_t>(primaryMarker - 2); }
    std::uint16_t GapMarker2() const { return static_cast<std::uint16_t>(primaryMarker - 4); }
};

// All sixteen layouts.
std::span<const LineLayout> AllLineLayouts();

// The layout of a format code; throws std::invalid_argument for an unknown one.
const LineLayout& LineLayoutFor(int lineFormat);

}  // namespace orbalux::encoder
