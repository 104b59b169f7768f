// The load of one picture file and the re-runs of the processing chain, as the
// browser, the converter and the GDAL driver all use them: the layer on top of
// intake, decoding and processing. Afterwards BitmapBuffer holds the BMP.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "intake/picture_file.h"
#include "state/picture_state.h"

namespace orbalux {

// Open's despeckle geometry: the 968 x 700 opening frame and both deltas 10.
void SetOpenDespeckleGeometry(PictureState& state);

// Sets the per-file parameters from the catalogue entry of CatalogueName,
// copies LeadByte0/1, runs the decoder that LineFormat selects, and copies the
// picture size into FrameStride/FrameLines.
void SelectFileParameters(PictureState& state);

// One load: ReadPictureFile, the file identity (CurrentFileName from the
// path's name part, CatalogueName from it or from `catalogueName` when one is
// given, for a renamed copy), SelectFileParameters (catalogue and decoder),
// MenuOptions copied into ActiveOptions, both levels to 0, and
// RunProcessingChain. Throws OrbaluxError when the file cannot be read or
// when no line record of the picture is found by its marker (ErrorKind::
// NotAPicture, "no picture lines found"); the state then stays as it was.
void LoadPicture(PictureState& state, const std::string& path, const std::string& catalogueName = {});

// The same load over a file's bytes already in memory (at most
// kFileBufferSize of them count, as for a read): `path` names the file, and
// its name part is the catalogue key unless `catalogueName` is given. Throws
// OrbaluxError only for bytes that hold no picture; the state then stays as
// it was.
void LoadPictureBytes(PictureState& state, std::span<const std::uint8_t> bytes, const std::string& path,
                      const std::string& catalogueName = {});
// The same load over a file that `reader` reads straight into the load's
// block (a file GDAL's virtual file layer reaches); what it throws leaves the
// state as it was.
void LoadPictureRead(PictureState& state, const PictureBlockReader& reader, const std::string& path,
                     const std::string& catalogueName = {});

// A re-run for an option command: fresh buffers, DecodedImage copied into
// FileBuffer, `change` applied (one option toggled or one level stepped), then
// the whole chain.
void ReprocessPicture(PictureState& state, const std::function<void(PictureState&)>& change);

// "Original Image": fresh buffers, DecodedImage copied, every ActiveOptions
// flag and both levels cleared, and only the two bitmap stages.
void ShowOriginalImage(PictureState& state);

}  // namespace orbalux
