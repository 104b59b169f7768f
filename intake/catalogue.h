// The per-file catalogue: from a file name to where its picture lines begin,
// its line format, its stretch values and (999-sample format) its line count.
#pragma once

#include <span>
#include <string_view>

#include "intake/picture_state.h"

namespace orbalux {

// Which part of CatalogueName a row compares with its key.
enum class KeyKind {
    Prefix6,  // first 6 characters, as they are
    Name10,   // first 10 characters, as they are
    Upper2,   // first 2 characters in upper case
    Upper7,   // first 7 characters in upper case
    Upper11,  // first 11 characters in upper case
};

constexpr int kUnset = -1;  // a field the row does not set

struct CatalogueRow {
    KeyKind kind;
    std::string_view key;
    int dataOffset;
    int lineFormat;
    int stretchGain;
    int stretchBlack;
    int frameLineCount;
};

// All rows, in table order.
std::span<const CatalogueRow> CatalogueRows();

// Does `name` match `row`'s key?
bool RowMatches(const CatalogueRow& row, std::string_view name);

// Sets the per-file parameters from CatalogueName (defaults, then every
// matching row in order), copies LeadByte0/1, runs the decoder that
// LineFormat selects, and copies the picture size into FrameStride/FrameLines.
void SelectFileParameters(PictureState& state);

}  // namespace orbalux
