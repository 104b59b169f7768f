// Picture files of known pixels, written by the project's encoder.
#pragma once

#include <string>

#include "state/grey_image.h"

namespace orbalux::test {

// The 945-sample picture (945 x 702 pixels) with pixel (x, y) = (x + 2y) mod 256,
// so that every grey level occurs, and the picture's corners differ.
orbalux::GreyImage KnownPicture945(int shift = 0);

// Writes `picture` in the 945-sample format as `path`, behind `headerRecords`
// header records (one for names whose data start at 482, two for 964).
void WritePicture945(const std::string& path, const orbalux::GreyImage& picture, int headerRecords);

}  // namespace orbalux::test
