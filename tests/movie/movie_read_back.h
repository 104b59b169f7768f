// Movies read back for the tests, by other code than the writer's: every
// frame decoded through libavformat and libavcodec, or taken from giflib's
// slurp of a GIF with its delays and loop.
#pragma once

#include <string>
#include <vector>

#include "state/grey_image.h"

namespace movie_test {

// The frames of an MP4 or WebM movie as full-range grey, in order.
std::vector<orbalux::GreyImage> DecodeVideoFrames(const std::string& path);

struct GifMovie {
    std::vector<orbalux::GreyImage> frames;  // the palette's grey of each index
    std::vector<int> delays;                 // hundredths of a second
    bool loops = false;                      // the loop extension is there
    bool greyPalette = false;                // 256 entries, entry i = (i, i, i)
};
GifMovie ReadGif(const std::string& path);

}  // namespace movie_test
