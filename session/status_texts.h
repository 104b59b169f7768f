// The texts of the main window's status bar and of the lost-line count.
#pragma once

#include <string>

#include "session/pixel_readout.h"
#include "state/picture_state.h"

namespace orbalux {

// The shown file's size and line format: "948 x 704, 945-sample lines".
std::string PictureSizeText(const PictureState& state);

// "Brightness +2, Contrast -1": the steps taken on the shown picture's
// levels, each only when not 0; empty when both are.
std::string LevelsText(int brightness, int contrast);

// "Lost lines: 12".
std::string LostLinesText(int lostLines);

// What lies under the pointer: "Line 12, sample 345: shown 128, decoded 120",
// or on the grey field round a reduced picture "Grey field: shown 160".
std::string ReadoutText(const PixelReadout& readout);

}  // namespace orbalux
