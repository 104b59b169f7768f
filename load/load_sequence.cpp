#include "load/load_sequence.h"

#include <algorithm>

#include "decode/frame_decoder.h"
#include "intake/catalogue.h"
#include "intake/picture_file.h"
#include "load/picture_identity.h"
#include "processing/stages.h"
#include "state/orbalux_error.h"

namespace orbalux {

void SetOpenDespeckleGeometry(PictureState& state) {
    state.FrameStride = 968;
    state.FrameLines = 700;
    state.SpeckleBrightDelta = 10;
    state.SpeckleDarkDelta = 10;
}

void SelectFileParameters(PictureState& state) {
    const CatalogueParameters p = LookUpCatalogue(state.CatalogueName);
    state.DataOffset = p.dataOffset;
    state.LineFormat = p.lineFormat;
    state.StretchGain = p.stretchGain;
    state.StretchBlack = p.stretchBlack;
    state.FrameLineCount = p.frameLineCount;
    state.InCatalogue = p.listed;

    // The header decoder tests the record length word at the file's start.
    state.LeadByte0 = FileByte(state, 0);
    state.LeadByte1 = FileByte(state, 1);

    RunDecoder(state);

    state.FrameStride = state.ImageWidth;
    state.FrameLines = state.ImageHeight;
}

namespace {

// The load's steps after the file's bytes are in the spare block, whether
// read from a path or copied from memory.
void LoadSpareBlock(PictureState& state, long long length, const std::string& path,
                    const std::string& catalogueName) {
    const std::string name = FileNamePart(path);
    const std::string key = catalogueName.empty() ? name : catalogueName;

    // A file in which not one line record is found by its marker (an empty
    // file, text, another image format) is no picture: refused before the
    // state is touched, so the shown picture stays whole.
    if (!HoldsPictureLines(state.SpareBuffer, length, key))
        throw OrbaluxError(ErrorKind::NotAPicture, path, "no picture lines found");

    InstallSpareBytes(state, length);
    state.CurrentFileName = name;
    state.CatalogueName = key;
    SelectFileParameters(state);
    state.ActiveOptions = state.MenuOptions;
    state.BrightnessLevel = 0;
    state.ContrastLevel = 0;
    RunProcessingChain(state);
}

}  // namespace

void LoadPicture(PictureState& state, const std::string& path, const std::string& catalogueName) {
    // Read into the spare block: the shown picture's buffers stay whole until
    // the file is known to be a picture.
    LoadSpareBlock(state, ReadPictureBytesInto(path, state.SpareBuffer), path, catalogueName);
}

void LoadPictureBytes(PictureState& state, std::span<const std::uint8_t> bytes, const std::string& path,
                      const std::string& catalogueName) {
    LoadSpareBlock(state, CopyPictureBytesInto(bytes, state.SpareBuffer), path, catalogueName);
}

void LoadPictureRead(PictureState& state, const PictureBlockReader& reader, const std::string& path,
                     const std::string& catalogueName) {
    LoadSpareBlock(state, ReadPictureBlockWith(reader, state.SpareBuffer), path, catalogueName);
}

namespace {
// Every byte of FileBuffer is the decoded copy's and every byte of
// BitmapBuffer is written by the bitmap stages (when they write it at all), so
// both keep their memory.
void CopyDecodedIntoFreshBuffers(PictureState& state) {
    SizeWorkingBuffers(state);
    std::copy(state.DecodedImage.begin(), state.DecodedImage.end(), state.FileBuffer.begin());
}
}  // namespace

void ReprocessPicture(PictureState& state, const std::function<void(PictureState&)>& change) {
    CopyDecodedIntoFreshBuffers(state);
    if (change) change(state);
    RunProcessingChain(state);
}

void ShowOriginalImage(PictureState& state) {
    CopyDecodedIntoFreshBuffers(state);
    state.ActiveOptions = DisplayOptions{};
    state.BrightnessLevel = 0;
    state.ContrastLevel = 0;
    // No tone stage runs: no stretch found levels for what is shown.
    state.StretchLowLevel = state.StretchHighLevel = 0;
    state.StretchDataPixels = 0;
    WriteBitmapHeader(state);
    WriteBitmapPixels(state);
}

}  // namespace orbalux
