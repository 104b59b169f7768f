#include "fuzz/catalogue_names.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <stdexcept>

#include "intake/catalogue.h"

namespace orbalux::fuzz {
namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Names that match no row, or only a prefix row, including the odd ones a
// directory may hold.
std::vector<std::string> UnlistedNames() {
    return {
        "RBL_001.001", "Rbl_017.004", "69_999.001", "69_011.026", "69_131.003",
        "JAC_224.011", "ED",          "e",          "69_0",       "69_061.0080",
        "69_071",      "x.y",         "69_011.001 copy",          "69_011.001\xff\xfe",
        std::string(255, 'A'),        "69_311.002" + std::string(245, '9'),
    };
}

std::vector<std::string> BuildNames() {
    std::vector<std::string> names;
    std::set<std::string> seen;
    auto add = [&](const std::string& name) {
        if (seen.insert(name).second) names.push_back(name);
    };
    for (const CatalogueRow& row : CatalogueRows()) {
        const std::string key(row.key);
        switch (row.kind) {
            case KeyKind::Name10: add(key); break;
            case KeyKind::Prefix6: add(key + ".099"); break;
            case KeyKind::Upper2: add(key + "_001.001"); add(Lower(key) + "_002.001"); break;
            case KeyKind::Upper7: add(key + ".001"); break;
            case KeyKind::Upper11: add(key); add(Lower(key)); break;
        }
    }
    for (const std::string& name : UnlistedNames()) add(name);
    return names;
}

}  // namespace

const std::vector<std::string>& FuzzNames() {
    static const std::vector<std::string> names = BuildNames();
    return names;
}

CatalogueChoice CatalogueChoiceFor(const std::string& name) {
    const CatalogueParameters p = LookUpCatalogue(name);
    return {p.lineFormat, p.dataOffset, p.frameLineCount};
}

std::string NameForFormat(int lineFormat) {
    for (const std::string& name : FuzzNames())
        if (CatalogueChoiceFor(name).lineFormat == lineFormat) return name;
    throw std::invalid_argument("no catalogue name for format " + std::to_string(lineFormat));
}

}  // namespace orbalux::fuzz
