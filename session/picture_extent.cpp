#include "session/picture_extent.h"

#include <algorithm>

#include "decode/frame_decoder.h"
#include "decode/frame_formats.h"

int PictureColumns(const orbalux::PictureState& state) {
    const orbalux::FrameFormat* format = orbalux::FindFrameFormat(state.LineFormat);
    if (!format || format->rowEndGrey == 0 || format->width != state.ImageWidth) return state.ImageWidth;
    return format->width - format->rowEndGrey;
}

bool ShowsPicture(const orbalux::ShownGeometry& geometry, int pictureColumns, orbalux::ShownPixel p) {
    const std::optional<orbalux::FramePixel> frame = orbalux::FramePixelOf(geometry, p);
    return frame && frame->sample <= pictureColumns;
}

orbalux::GreyImage CutToPicture(const orbalux::GreyImage& shown, const orbalux::ShownGeometry& geometry,
                                int pictureColumns) {
    const int row = shown.height / 2;
    int first = -1, last = -1;
    for (int x = 0; x < shown.width; ++x) {
        if (!ShowsPicture(geometry, pictureColumns, {x, row})) continue;
        if (first < 0) first = x;
        last = x;
    }
    if (first < 0 || (first == 0 && last == shown.width - 1)) return shown;
    orbalux::GreyImage cut(last - first + 1, shown.height);
    for (int y = 0; y < shown.height; ++y) std::copy_n(shown.Row(y) + first, cut.width, &cut.At(0, y));
    return cut;
}
