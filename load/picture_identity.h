// Whether bytes hold a picture of the volume: the one rule, that at least one
// line record is found by its marker where the catalogue entry of the name
// says the lines begin. A file of another format under a picture file's name
// (compressed image data, a label, an empty file) is not taken.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace orbalux {

// True when a walk over the frame's line records, as the decoder of the
// catalogue entry of `catalogueName` makes it, finds one by its marker in the
// first `length` bytes of `bytes` (behind them it reads zeros, where no
// marker lies).
bool HoldsPictureLines(std::span<const std::uint8_t> bytes, long long length, const std::string& catalogueName);

// How many of a file's first bytes tell whether it is a picture without
// reading it whole: up to the end of its first two line records.
std::size_t LeadingBytesToIdentify(const std::string& catalogueName);

// HoldsPictureLines over those first bytes alone (fewer when the file is
// shorter): for a reader that sees only the start of a file.
bool LeadingBytesHoldPictureLines(std::span<const std::uint8_t> firstBytes, const std::string& catalogueName);

}  // namespace orbalux
