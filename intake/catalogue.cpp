#include "intake/catalogue.h"

#include "state/ascii_names.h"

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
    return ComparesUpperCase(row.kind) ? EqualIgnoringAsciiCase(cut, row.key) : cut == row.key;
}

CatalogueParameters LookUpCatalogue(std::string_view name) {
    CatalogueParameters p;
    for (const CatalogueRow& row : kCatalogueTable) {
        if (!RowMatches(row, name)) continue;
        p.listed = true;
        SetIfNamed(p.dataOffset, row.dataOffset);
        SetIfNamed(p.lineFormat, row.lineFormat);
        SetIfNamed(p.stretchGain, row.stretchGain);
        SetIfNamed(p.stretchBlack, row.stretchBlack);
        SetIfNamed(p.frameLineCount, row.frameLineCount);
    }
    return p;
}

}  // namespace orbalux
