// What must hold after any load or re-run, whatever the file's bytes or the
// sequence of commands: the buffers keep their sizes, the geometry is the
// line format's, the BMP describes exactly that picture and nothing is
// written behind it, and the header lines are made of shown characters.
// A broken rule aborts, so that the fuzzer keeps the input.
#pragma once

#include <cstdint>
#include <vector>

#include "state/picture_state.h"

namespace orbalux::fuzz {

[[noreturn]] void Fail(const char* what, const char* file, int line);

#define FUZZ_CHECK(condition) \
    do { \
        if (!(condition)) ::orbalux::fuzz::Fail(#condition, __FILE__, __LINE__); \
    } while (0)

// After LoadPicture: geometry from the format table, despeckle geometry
// copied, the BMP and the header as below.
void CheckLoaded(const PictureState& state);

// After any run of the chain or of the two bitmap stages.
void CheckBitmap(const PictureState& state);

// The ten header lines: "No Header" and nine blanks, or lines of 72 shown
// characters or blanks, with empty lines only after the last one built.
void CheckHeaderLines(const PictureState& state);

// The picture bytes of DecodedImage, for comparing before and after re-runs.
std::vector<std::uint8_t> DecodedPicture(const PictureState& state);

}  // namespace orbalux::fuzz
