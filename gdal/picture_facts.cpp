// The facts of one decode and the metadata items made of them.
#include "gdal/picture_facts.h"

#include <algorithm>

namespace orbalux::gdal {
namespace {

std::string YesNo(bool yes) { return yes ? "YES" : "NO"; }

}  // namespace

DatasetFacts FactsOf(const PictureState& state, const PictureOptions& options) {
    DatasetFacts facts;
    static_cast<PictureFacts&>(facts) = orbalux::FactsOf(state);
    facts.layout = options.frame ? "FRAME" : "DISPLAY";
    facts.optionSet = OptionSetName(options);
    facts.nodata = options.nodata;
    return facts;
}

std::vector<std::pair<int, std::string>> NumberedHeaderLines(const PictureFacts& facts) {
    std::vector<std::pair<int, std::string>> lines;
    for (std::size_t i = 0; i < facts.header.size(); ++i)
        if (!facts.header[i].empty()) lines.emplace_back(static_cast<int>(i) + 1, facts.header[i]);
    return lines;
}

std::vector<std::pair<std::string, std::string>> MetadataItems(const DatasetFacts& facts) {
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
    for (const auto& [number, text] : NumberedHeaderLines(facts))
        items.emplace_back("HEADER_" + std::to_string(number), text);
    return items;
}

bool IsFactItem(std::string_view name) {
    if (name.starts_with("HEADER_")) return true;
    for (const auto& [item, value] : MetadataItems(DatasetFacts{}))
        if (name == item) return true;
    return false;
}

}  // namespace orbalux::gdal
