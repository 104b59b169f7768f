#include "cli/picture_texts.h"

#include "load/picture_facts.h"
#include "processing/picture_stretch.h"

namespace orbalux::cli {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
    return text;
}

PngText SoftwareText() { return {"Software", "orbalux-convert " ORBALUX_VERSION}; }

}  // namespace

std::vector<PngText> PictureTexts(const PictureState& state, const ConvertOptions& options) {
    std::vector<PngText> texts;
    texts.push_back({"Source file", state.CurrentFileName});
    if (!options.catalogueName.empty()) texts.push_back({"Catalogue name", state.CatalogueName});
    texts.push_back({"Options", AppliedOptionsText(options.chain)});
    texts.push_back({"Stretch", StretchDescription(state)});
    const PictureFacts facts = FactsOf(state);
    texts.push_back({"Header", Joined({facts.header.begin(), facts.header.end()})});
    texts.push_back(SoftwareText());
    return texts;
}

std::vector<PngText> SheetTexts(const std::vector<std::string>& names, const ConvertOptions& options) {
    return {{"Source files", Joined(names)}, {"Options", AppliedOptionsText(options.chain)}, SoftwareText()};
}

}  // namespace orbalux::cli
