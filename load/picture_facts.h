// What a load found out about its picture file, in the one record that every
// front end reports from: the converter's --info and PNG texts, the driver's
// metadata items and planetary labels. The catalogue parameters, how much of
// the frame the file holds, the header lines as read and the load's warnings.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "state/picture_state.h"

namespace orbalux {

struct PictureFacts {
    std::string sourceFile;     // the file's own name
    std::string catalogueName;  // the catalogue entry it was decoded by
    bool inCatalogue = false;
    int lineFormat = 0;
    int dataOffset = 0;
    int stretchGain = 0;
    int stretchBlack = 0;
    int frameLineCount = 0;  // the catalogue's line count (999-sample format), 0 when none
    int width = 0;           // the decoded picture's size
    int height = 0;
    long long fileLength = 0;
    int frameLines = 0;   // lines of the frame, as the format gives them
    int linesInFile = 0;  // line records found within the file
    int lostLines = 0;    // lines lost in transmission
    int linesShort = 0;   // lines of the frame missing at its end (the file was cut short)
    bool truncated = false;
    std::array<std::string, kHeaderLines> header;  // each line without the blanks that pad it
    std::vector<std::string> warnings;             // LoadWarnings, in that order
};

// The facts of the picture loaded into `state`.
PictureFacts FactsOf(const PictureState& state);

// A header line without the blanks that pad it to 72 characters; its leading
// blanks are part of the text and stay.
std::string HeaderLineText(std::string_view line);

}  // namespace orbalux
