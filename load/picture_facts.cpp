// The facts of one load, read off the picture state once.
#include "load/picture_facts.h"

#include "decode/frame_decoder.h"
#include "load/load_warnings.h"

namespace orbalux {

std::string HeaderLineText(std::string_view line) {
    const auto end = line.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string() : std::string(line.substr(0, end + 1));
}

PictureFacts FactsOf(const PictureState& state) {
    PictureFacts facts;
    facts.sourceFile = state.CurrentFileName;
    facts.catalogueName = state.CatalogueName;
    facts.inCatalogue = state.InCatalogue;
    facts.lineFormat = state.LineFormat;
    facts.dataOffset = state.DataOffset;
    facts.stretchGain = state.StretchGain;
    facts.stretchBlack = state.StretchBlack;
    facts.frameLineCount = state.FrameLineCount;
    facts.width = state.ImageWidth;
    facts.height = state.ImageHeight;
    facts.fileLength = state.FileLength;
    facts.frameLines = state.LinesDecoded;
    facts.linesInFile = state.LinesWithinFile;
    facts.lostLines = state.LostLineCount;
    facts.linesShort = LinesShortOfFrame(state);
    facts.truncated = TruncationWarning(state).has_value();
    for (std::size_t i = 0; i < facts.header.size(); ++i) facts.header[i] = HeaderLineText(state.HeaderLines[i]);
    facts.warnings = LoadWarnings(state);
    return facts;
}

}  // namespace orbalux
