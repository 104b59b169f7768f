// The contact sheet: a labelled thumbnail of every picture on one grey page,
// so that a whole folder of the volume can be seen at a glance.
#pragma once

#include <string>
#include <vector>

#include "output/grey_picture.h"

namespace orbalux::cli {

struct SheetEntry {
    std::string name;  // first label line: the file name
    std::string size;  // second label line: "W x H"
    GreyImage thumbnail;
};

// Where things lie on the sheet: a grid of equal cells in list order, row by
// row; in each cell the thumbnail box (thumbSize square, the thumbnail centred
// in it) and below it the two label lines.
struct SheetLayout {
    int columns = 0;
    int rows = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int padding = 0;
    int thumbSize = 0;
    int labelTop = 0;     // within a cell
    int labelHeight = 0;  // both lines
};

constexpr int kSheetBackground = 40;  // dark grey: the pictures' own black stands out
constexpr int kSheetLabelGrey = 235;

struct ContactSheet {
    GreyImage image;
    SheetLayout layout;
};

// Draws the sheet. Labels are set in a sans-serif font by Qt's painter on an
// off-screen image; a Qt GUI application on the off-screen platform is made
// for the call when none runs.
ContactSheet ComposeContactSheet(const std::vector<SheetEntry>& entries, int thumbSize);

// Top-left corner of the thumbnail of `entry` within the sheet.
void ThumbnailOrigin(const SheetLayout& layout, const GreyImage& thumbnail, std::size_t entry, int& x, int& y);

}  // namespace orbalux::cli
