#include "load/load_warnings.h"

#include "decode/frame_decoder.h"

namespace orbalux {

std::optional<std::string> TruncationWarning(const PictureState& state) {
    const int missing = LinesShortOfFrame(state);
    if (missing <= 0) return std::nullopt;
    std::string text = "ends ";
    text += std::to_string(missing);
    text += missing == 1 ? " line short of the frame" : " lines short of the frame";
    return text;
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
