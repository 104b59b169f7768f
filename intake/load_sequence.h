// The load of one picture file and the re-runs of the processing chain, as the
// browser and the converter both use them. The caller holds a WorkingBuffers
// guard around each call, shows or writes BitmapBuffer, and the guard releases
// the buffers.
#pragma once

#include <functional>
#include <string>

#include "intake/picture_state.h"

namespace orbalux {

// Open's despeckle geometry: the 968 x 700 opening frame and both deltas 10.
void SetOpenDespeckleGeometry(PictureState& state);

// One load: ReadPictureFile, the file identity (CurrentFileName and
// CatalogueName from the path's name part), SelectFileParameters (catalogue
// and decoder), MenuOptions copied into ActiveOptions, both levels to 0, and
// RunProcessingChain. Afterwards BitmapBuffer holds the BMP. Throws
// OrbaluxError when the file cannot be read; the state then is unchanged.
void LoadPicture(PictureState& state, const std::string& path);

// A re-run for an option command: fresh buffers, DecodedImage copied into
// FileBuffer, `change` applied (one option toggled or one level stepped), then
// the whole chain.
void ReprocessPicture(PictureState& state, const std::function<void(PictureState&)>& change);

// "Original Image": fresh buffers, DecodedImage copied, every ActiveOptions
// flag and both levels cleared, and only the two bitmap stages.
void ShowOriginalImage(PictureState& state);

// Size in bytes of the BMP file at the start of BitmapBuffer: 54 + 3*W*H.
std::size_t BitmapFileSize(const PictureState& state);

}  // namespace orbalux
