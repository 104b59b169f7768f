// The per-file catalogue: from a file name to where its picture lines begin,
// its line format, its stretch values and (999-sample format) its line count.
// A pure lookup; the load sequence applies it and runs the decoder.
#pragma once

#include <span>
#include <string_view>

#include "state/picture_state.h"

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

// A file's parameters: the defaults, then every matching row in table order,
// each setting the fields it names (a volume's prefix row and then the file's
// own row can both match; the later one wins for the fields it sets).
struct CatalogueParameters {
    int dataOffset = kDefaultDataOffset;
    int lineFormat = kDefaultLineFormat;
    int stretchGain = 0;
    int stretchBlack = 0;
    int frameLineCount = 0;
    bool listed = false;  // some row matched
};
CatalogueParameters LookUpCatalogue(std::string_view name);

}  // namespace orbalux
