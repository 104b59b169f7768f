// The telemetry header: one or two records of six-bit packed EBCDIC text,
// cut into ten lines of 72 characters.
#pragma once

#include <cstdint>
#include <string>

#include "state/picture_state.h"

namespace orbalux {

// Unpacks header records 1 and 2 from FileBuffer into HeaderCodes1/2 and
// HeaderChars1/2, then runs ParseHeader.
void DecodeHeader(PictureState& state);

// One EBCDIC code to its character; codes outside the table give a blank.
char EbcdicToChar(std::uint8_t code);

// Builds the ten lines that the information dialog shows into HeaderLines
// ("No Header" and nine single blanks when the file has no header).
void ParseHeader(PictureState& state);

}  // namespace orbalux
