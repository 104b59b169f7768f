#include "load/load_warnings.h"

namespace orbalux {

std::optional<std::string> TruncationWarning(const PictureState& state) {
    if (state.LinesDecoded <= 0 || state.LinesWithinFile >= state.LinesDecoded) return std::nullopt;
    return "ends after line " + std::to_string(state.LinesWithinFile) + " of " + std::to_string(state.LinesDecoded);
}

std::optional<std::string> CatalogueWarning(const PictureState& state) {
    if (state.InCatalogue) return std::nullopt;
    return std::string("not in the catalogue: default parameters used");
}

std::vector<std::string> LoadWarnings(const PictureState& state) {
    std::vector<std::string> warnings;
    if (auto w = TruncationWarning(state)) warnings.push_back(*w);
    if (auto w = CatalogueWarning(state)) warnings.push_back(*w);
    return warnings;
}

}  // namespace orbalux
