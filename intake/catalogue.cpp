#include "intake/catalogue.h"

#include <cctype>

#include "decode/frame_decoder.h"

namespace orbalux {

// The rows themselves live in catalogue_table.cpp.
extern constinit const std::span<const CatalogueRow> kCatalogueTable;

namespace {

// How many leading characters of the name a key kind compares.
std::size_t CutLength(KeyKind kind) {
    switch (kind) {
        case KeyKind::Upper2: return 2;
        case KeyKind::Prefix6: return 6;
        case KeyKind::Upper7: return 7;
        case KeyKind::Name10: return 10;
        case KeyKind::Upper11: return 11;
    }
    return 0;
}

bool ComparesUpperCase(KeyKind kind) {
    return kind == KeyKind::Upper2 || kind == KeyKind::Upper7 || kind == KeyKind::Upper11;
}

void SetIfNamed(int& field, int value) {
    if (value != kUnset) field = value;
}

}  // namespace

std::span<const CatalogueRow> CatalogueRows() { return kCatalogueTable; }

bool RowMatches(const CatalogueRow& row, std::string_view name) {
    // A name shorter than the cut is compared whole, so it cannot equal a key
    // of the full length.
    const std::string_view cut = name.substr(0, CutLength(row.kind));
    if (cut.size() != row.key.size()) return false;
    if (!ComparesUpperCase(row.kind)) return cut == row.key;
    for (std::size_t i = 0; i < cut.size(); ++i) {
        const auto upper = static_cast<char>(std::toupper(static_cast<unsigned char>(cut[i])));
        if (upper != row.key[i]) return false;
    }
    return true;
}

void SelectFileParameters(PictureState& state) {
    state.FrameLineCount = 0;
    state.DataOffset = 964;
    state.LineFormat = 945;
    state.StretchGain = 0;
    state.StretchBlack = 0;

    // Every row is tried: a volume's prefix row and then its file's own row
    // can both match, and the later one wins for the fields it sets.
    for (const CatalogueRow& row : kCatalogueTable) {
        if (!RowMatches(row, state.CatalogueName)) continue;
        SetIfNamed(state.DataOffset, row.dataOffset);
        SetIfNamed(state.LineFormat, row.lineFormat);
        SetIfNamed(state.StretchGain, row.stretchGain);
        SetIfNamed(state.StretchBlack, row.stretchBlack);
        SetIfNamed(state.FrameLineCount, row.frameLineCount);
    }

    // The header decoder tests the record length word at the file's start.
    state.LeadByte0 = FileByte(state, 0);
    state.LeadByte1 = FileByte(state, 1);

    RunDecoder(state);

    state.FrameStride = state.ImageWidth;
    state.FrameLines = state.ImageHeight;
}

}  // namespace orbalux
