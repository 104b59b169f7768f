// The frame decoder: one algorithm over a table of sixteen line formats.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "intake/picture_state.h"

namespace orbalux {

struct Probe;        // one place to look for a marker (decode/frame_formats.h)
struct FrameFormat;  // one line format's constants (decode/frame_formats.h)

// The format that serves a LineFormat code (945 also serves 0); nullptr when
// none does.
const FrameFormat* FindFrameFormat(int lineFormat);

// Decodes one frame of `format` from FileBuffer into DecodedImage: geometry,
// DecodeHeader, the lines with their filler rows, the tail rows, and the copy
// of DecodedImage over FileBuffer. DecodedImage is cleared first.
void DecodeFrame(PictureState& state, const FrameFormat& format);

// Runs the decoder that LineFormat selects (the catalogue's dispatch).
void RunDecoder(PictureState& state);

// The sixteen decoders, one per line format.
void Decode945(PictureState& state);
void Decode999(PictureState& state);
void Decode136(PictureState& state);
void Decode975(PictureState& state);
void Decode960(PictureState& state);
void Decode955(PictureState& state);
void Decode801(PictureState& state);
void Decode699(PictureState& state);
void Decode876(PictureState& state);
void Decode1023(PictureState& state);
void Decode951(PictureState& state);
void Decode849(PictureState& state);
void Decode600(PictureState& state);
void Decode750(PictureState& state);
void Decode864(PictureState& state);
void Decode34(PictureState& state);

}  // namespace orbalux
