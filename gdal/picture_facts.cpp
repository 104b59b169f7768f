// The facts of one decode and the metadata items made of them.
#include "gdal/picture_facts.h"

#include <algorithm>

#include "decode/frame_decoder.h"

namespace orbalux::gdal {
namespace {

std::string WithoutTrailingBlanks(const std::string& text) {
    const auto end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

std::string YesNo(bool yes) { return yes ? "YES" : "NO"; }

}  // namespace

PictureFacts FactsOf(const PictureState& state, const PictureOptions& options) {
    PictureFacts facts;
    facts.sourceFile = state.CurrentFileName;
    facts.catalogueName = state.CatalogueName;
    facts.inCatalogue = state.InCatalogue;
    facts.lineFormat = state.LineFormat;
    facts.dataOffset = state.DataOffset;
    facts.stretchGain = state.StretchGain;
    facts.stretchBlack = state.StretchBlack;
    facts.frameLineCount = state.FrameLineCount;
    facts.frameLines = state.LinesDecoded;
    facts.linesInFile = state.LinesWithinFile;
    facts.lostLines = state.LostLineCount;
    facts.linesShort = LinesShortOfFrame(state);
    for (std::size_t i = 0; i < state.HeaderLines.size(); ++i) {
        std::string text = WithoutTrailingBlanks(state.HeaderLines[i]);
        if (!text.empty()) facts.headerLines.emplace_back(static_cast<int>(i) + 1, std::move(text));
    }
    facts.layout = options.frame ? "FRAME" : "DISPLAY";
    facts.optionSet = OptionSetName(options);
    facts.nodata = options.nodata;
    return facts;
}

std::vector<std::pair<std::string, std::string>> MetadataItems(const PictureFacts& facts) {
    std::vector<std::pair<std::string, std::string>> items = {
        {"LINE_FORMAT", std::to_string(facts.lineFormat)},
        {"DATA_OFFSET", std::to_string(facts.dataOffset)},
        {"STRETCH_GAIN", std::to_string(facts.stretchGain)},
        {"STRETCH_BLACK", std::to_string(facts.stretchBlack)},
        {"FRAME_LINE_COUNT", std::to_string(facts.frameLineCount)},
        {"LOST_LINES", std::to_string(facts.lostLines)},
        {"LINES_IN_FILE", std::to_string(facts.linesInFile)},
        {"CUT_SHORT", facts.linesShort > 0 ? "YES, " + std::to_string(facts.linesShort) + " lines missing" : "NO"},
        {"IN_CATALOGUE", YesNo(facts.inCatalogue)},
        {"LAYOUT", facts.layout},
    };
    for (const auto& [number, text] : facts.headerLines) items.emplace_back("HEADER_" + std::to_string(number), text);
    return items;
}

bool IsFactItem(std::string_view name) {
    if (name.starts_with("HEADER_")) return true;
    for (const auto& [item, value] : MetadataItems(PictureFacts{}))
        if (name == item) return true;
    return false;
}

}  // namespace orbalux::gdal
