// The picture state shared by every stage of a load: the working buffers, the
// file's identity, its catalogue parameters, the decoded geometry, the header
// text and the display options. One instance per viewer (or per converter
// worker); every stage is a plain function that takes it by reference.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "state/row_map.h"

namespace orbalux {

constexpr int kFileBufferSize = 2'100'000;    // FileBuffer and DecodedImage
constexpr int kBitmapBufferSize = 4'700'000;  // BitmapBuffer: the largest BMP fits
constexpr int kPictureOrigin = 723;           // first pixel of the working picture
constexpr int kHeaderChars = 360;             // characters per header record
constexpr int kHeaderLines = 10;              // lines of 72 characters shown
// The parameters of a file that no catalogue row names, and the state's own
// before any load.
constexpr int kDefaultDataOffset = 964;
constexpr int kDefaultLineFormat = 945;

// The percentiles a percentile stretch starts from: the grey levels below
// the lowest half per cent and above the highest go to black and white.
constexpr double kDefaultLowPercentile = 0.5;
constexpr double kDefaultHighPercentile = 99.5;

// The display flags, each 0 or 1, in the order the menus list them.
struct DisplayOptions {
    int Stretch = 0;
    int Despeckle = 0;
    int FlipVertical = 0;
    int Rotate = 0;
    int Invert = 0;
    int MinimizeHalf = 0;
    int MinimizeQuarter = 0;
    int FillMissingLine = 0;
    // The picture's own stretches, measured from its data pixels, in the
    // place of the catalogue's Stretch: at most one of the three is on.
    int PercentStretch = 0;
    int Equalize = 0;

    bool operator==(const DisplayOptions&) const = default;
};

struct PictureState {
    PictureState();

    // Working buffers: ReadPictureFile / ReprocessPicture give them their fixed
    // sizes, zero-filled, for each load or re-run; they stay between loads.
    std::vector<std::uint8_t> FileBuffer;
    std::vector<std::uint8_t> BitmapBuffer;
    // How far BitmapBuffer may hold bytes other than zero: the bitmap stage
    // clears behind a smaller picture only up to here (a block of unknown
    // past counts as written to its end).
    std::size_t BitmapDirtyEnd = kBitmapBufferSize;
    // The decoder's output, kept from one load to the next (2,100,000 bytes).
    std::vector<std::uint8_t> DecodedImage;
    // A block of FileBuffer's size that the next file is read into, so that a
    // file that fails leaves FileBuffer whole; the two then change places, and
    // no load faults in fresh memory. Between loads the chain's stages may use
    // it as scratch: nothing in it carries over.
    std::vector<std::uint8_t> SpareBuffer;

    // File identity.
    std::string FileDir;          // directory with trailing separator
    std::string CurrentFileName;  // name part of the loaded file
    std::string CatalogueName;    // the catalogue key (same as CurrentFileName)

    // Per-file parameters, set by the catalogue.
    int DataOffset = kDefaultDataOffset;
    int LineFormat = kDefaultLineFormat;
    int StretchGain = 0;
    int StretchBlack = 0;
    int FrameLineCount = 0;
    std::uint8_t LeadByte0 = 0;
    std::uint8_t LeadByte1 = 0;

    // Picture geometry, set by the decoder.
    int ImageWidth = 0;
    int ImageHeight = 0;
    std::array<std::uint8_t, 10> BitmapHeaderBytes{};
    // Lines lost in transmission, summed over the frame by the decoder
    // (whether inserted as blank rows or closed up).
    int LostLineCount = 0;
    // What the decoder found of the frame: lines whose marker word was found
    // (0: nothing in the file is a picture line), line records decoded, how
    // many lines were found by their marker wholly inside the file (the
    // received lines), and how many of the lines read lie in the file's data,
    // found or not (fewer than the frame's: the file was cut short). Zero
    // bytes behind the last record are not data.
    int LinesFoundByMarker = 0;
    int LinesDecoded = 0;
    int LinesWithinFile = 0;
    int RecordsWithinFile = 0;
    // What each row of the decoded picture is, and its data columns; written
    // by the decoder on every decode.
    RowMap DecodedRows;
    // Bytes of the file read into FileBuffer (a longer file is cut at its size).
    long long FileLength = 0;
    // Whether any catalogue row named this file (else the defaults hold).
    bool InCatalogue = false;

    // Despeckle geometry: Open starts from 968 x 700, every decode copies the
    // picture size in.
    int FrameStride = 0;
    int FrameLines = 0;
    std::uint8_t SpeckleBrightDelta = 10;
    std::uint8_t SpeckleDarkDelta = 10;

    // Tone levels.
    int BrightnessLevel = 0;
    int ContrastLevel = 0;

    // Header decoding.
    std::array<std::uint8_t, kHeaderChars> HeaderCodes1{};
    std::array<std::uint8_t, kHeaderChars> HeaderCodes2{};
    std::array<char, kHeaderChars> HeaderChars1{};
    std::array<char, kHeaderChars> HeaderChars2{};
    std::array<std::string, kHeaderLines> HeaderLines;  // what Label1..Label10 show

    // Whether the bitmap stages write the BMP into BitmapBuffer (and give it
    // its size). Off for a caller that takes only the grey picture from the
    // working picture (the GDAL driver, the thumbnails): the 4.7 MB BMP is
    // neither written nor faulted in.
    bool WriteBitmap = true;

    // Options.
    DisplayOptions MenuOptions;
    DisplayOptions ActiveOptions;
    int CompressMissingLines = 1;
    int HorizontalStretchOn = 0;
    // The percentile stretch's two percentiles, 0..100, low below high.
    double LowPercentile = kDefaultLowPercentile;
    double HighPercentile = kDefaultHighPercentile;

    // What the picture's own stretch found on the chain's last run: the grey
    // levels at the two percentiles (lo, hi), the data pixels counted and
    // how many of them held each level as they entered the stretch.
    int StretchLowLevel = 0;
    int StretchHighLevel = 0;
    long long StretchDataPixels = 0;
    std::array<long long, 256> StretchLevelCounts{};
};

// Sets ImageWidth, ImageHeight and BitmapHeaderBytes for a W x H picture.
void SetPictureGeometry(PictureState& state, int width, int height);

// Size in bytes of the 24-bit BMP file of a W x H picture: 54 + 3*W*H (54
// alone for an empty picture).
std::size_t BitmapFileSize(int width, int height);
// The same for the picture the state holds.
std::size_t BitmapFileSize(const PictureState& state);
// Whether the picture the state holds is shown at all: the bitmap stages copy
// it into the BMP whole, or not at all when its BMP would not fit the bitmap
// block (whether or not this load wrote the BMP).
bool BitmapHoldsPicture(const PictureState& state);

// Gives FileBuffer and BitmapBuffer their fixed sizes, zero-filled.
void AllocateWorkingBuffers(PictureState& state);
// Gives both their fixed sizes (BitmapBuffer only when WriteBitmap is on),
// keeping the memory and the bytes of buffers that already have them: for a
// caller that writes every byte of FileBuffer and runs the two bitmap stages,
// which write every byte of BitmapBuffer.
void SizeWorkingBuffers(PictureState& state);
// Returns both buffers' memory, and the spare's.
void ReleaseWorkingBuffers(PictureState& state);

// Byte of FileBuffer at offset, or 0 beyond its end (a short or damaged file
// reads as zero bytes).
inline std::uint8_t FileByte(const PictureState& state, long long offset) {
    return (offset >= 0 && offset < static_cast<long long>(state.FileBuffer.size()))
               ? state.FileBuffer[static_cast<std::size_t>(offset)]
               : 0;
}

}  // namespace orbalux
