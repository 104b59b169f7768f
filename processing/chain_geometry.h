// Where the chain moves the picture's pixels, stated once for the stages that
// move them and for whoever maps a shown pixel back to the frame (the
// browser's pointer readout): the six-fold widening of the narrow formats,
// flip and rotate, the placement of the 1/2 and 1/4 reductions, and the
// bottom-up bitmap; and, through them, which shown pixels are picture data.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "state/picture_state.h"
#include "state/row_map.h"

namespace orbalux {

// The two narrow formats: 816 x 704 frames whose first 136 columns carry the
// picture (or 33 of them, with grey fill up to 136).
constexpr int kNarrowWidth = 816;
constexpr int kNarrowRows = 704;
constexpr int kNarrowColumns = 136;
constexpr int kWidening = kNarrowWidth / kNarrowColumns;  // 6

// Whether the widening stage rebuilds this frame's rows.
bool WidensNarrowFrame(const PictureState& state);

// 1, 2 or 4: the reduction the options ask for (1/4 wins over 1/2).
int ReductionFactor(const DisplayOptions& options);

// Where a reduction by `factor` puts the reduced picture in the working rows
// and columns of a W x H frame. It is centred on column 400 whatever the
// width; the bitmap is stored bottom-up, so the 1/2 picture shows from display
// line 69 down.
struct ReducedPlacement {
    int firstRow;     // R0
    int firstColumn;  // C0
};
ReducedPlacement PlacementOfReduction(int factor, int width, int height);

// How the shown picture was made from the decoded one.
struct ShownGeometry {
    int width = 0;         // ImageWidth: the bitmap and the frame share it
    int height = 0;        // ImageHeight
    bool widened = false;  // each of the first 136 samples repeated six times
    bool flipped = false;
    bool rotated = false;
    int reduction = 1;     // 1, 2 or 4
};

// The geometry the chain gave the shown picture. `wholeChain` is false after
// "Original Image", which shows the decoded picture with no stage at all.
ShownGeometry ShownGeometryOf(const PictureState& state, bool wholeChain = true);

// A pixel of the shown bitmap, counted from its top left corner.
struct ShownPixel {
    int column = 0;
    int row = 0;
    bool operator==(const ShownPixel&) const = default;
};

// A place in the decoded frame, both counted from 1.
struct FramePixel {
    int line = 0;
    int sample = 0;
    bool operator==(const FramePixel&) const = default;
};

// The frame pixel that a shown pixel comes from; nothing on the grey field
// around a reduced picture. A reduced pixel is the mean of a block of
// reduction x reduction frame pixels: it names the block's first line and
// first sample, whatever the flip or rotate.
std::optional<FramePixel> FramePixelOf(const ShownGeometry& geometry, ShownPixel shown);

// What a shown pixel is, by the decoder's row map carried through the stages
// that moved it.
enum class ShownPixelKind : std::uint8_t {
    Data,        // a sample of a line found by its marker within the file
    LostLine,    // a filler row for a lost line (also once the repair filled
                 // it), or a line read where no marker was found
    PastEnd,     // a line read past the file's data
    FrameTail,   // a row the frame adds after its last line
    NotPicture,  // a column that holds no sample: row-end zeros, the grey field
    Surround,    // the grey field around a reduced picture
};

// The kind of one shown pixel; Surround outside the picture. A reduced pixel
// is the mean of a block of frame pixels: it is data only when every pixel of
// its block is; otherwise it takes the kind of the first one that is not
// (a column that holds no sample before a row that was never received).
ShownPixelKind ShownPixelKindOf(const ShownGeometry& geometry, const RowMap& rows, ShownPixel shown);

// An unreduced picture's pixels by axis: flip, rotate and the widening move
// rows and columns independently, so a shown pixel's frame line is its row's
// and its frame sample its column's, and its kind is NotPicture where its
// column holds no sample, else its row's. For walks over many pixels (the
// statistics of a region), worked out once per row and column.
struct ShownAxes {
    std::vector<ShownPixelKind> rowKinds;          // one a shown row: the kind of its frame row
    std::vector<int> frameLines;                   // one a shown row, from 1
    std::vector<std::uint8_t> columnHoldsSamples;  // one a shown column
    std::vector<int> frameSamples;                 // one a shown column, from 1
};
// Empty for a reduced geometry, whose pixels are blocks.
ShownAxes ShownAxesOf(const ShownGeometry& geometry, const RowMap& rows);

// The shown pixels the picture covers: the whole bitmap, or the reduced
// picture inside its grey field. Rows and columns [first, end).
struct ShownArea {
    int firstColumn = 0;
    int firstRow = 0;
    int endColumn = 0;
    int endRow = 0;
};
ShownArea ShownPictureArea(const ShownGeometry& geometry);

// Frame samples and lines one shown column and row stand for: the widening
// takes six columns to a sample, a reduction puts f lines and samples in one
// pixel; flip and rotate keep the scale.
double SamplesPerShownColumn(const ShownGeometry& geometry);
int LinesPerShownRow(const ShownGeometry& geometry);

// ImageWidth x ImageHeight bytes, rows top-down as shown (the order of the
// grey picture read back from the bitmap): 1 where the shown pixel is picture
// data, 0 where it is not. `wholeChain` as for ShownGeometryOf.
std::vector<std::uint8_t> ShownDataMask(const PictureState& state, bool wholeChain = true);
std::vector<std::uint8_t> ShownDataMask(const ShownGeometry& geometry, const RowMap& rows);
// The same into `mask`, keeping its memory.
void ShownDataMask(const PictureState& state, bool wholeChain, std::vector<std::uint8_t>& mask);
void ShownDataMask(const ShownGeometry& geometry, const RowMap& rows, std::vector<std::uint8_t>& mask);

// The data pixels of the working picture as the tone stage receives it:
// behind the widening, flip and rotate, before any reduction. A working row
// is data when the frame row behind it is a line found within the file; the
// columns that hold samples are one run, since the turns and the widening
// keep the columns' order or mirror it.
struct WorkingDataPixels {
    std::vector<std::uint8_t> rows;  // one a working row: 1 when it is data
    int firstColumn = 0;             // the run of data columns, [first, end)
    int endColumn = 0;
};
WorkingDataPixels DataPixelsAtToneStage(const PictureState& state);

}  // namespace orbalux
