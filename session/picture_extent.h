// Which columns of the shown bitmap are the picture itself, by the decoder's
// row map: not the columns after the data that the narrow 816-wide formats
// fill with grey, nor the field that the 1/2 and 1/4 reductions lay around
// the reduced picture. The thumbnails are cut to them.
#pragma once

#include "processing/chain_geometry.h"
#include "state/grey_image.h"
#include "state/row_map.h"

namespace orbalux {

// The columns from the first to the last that hold samples on the middle
// row (a lost line there still counts: its columns are the picture's), with
// every row: what a thumbnail of an unreduced picture keeps. The whole
// picture when none does.
GreyImage CutToPicture(const GreyImage& shown, const ShownGeometry& geometry, const RowMap& rows);

}  // namespace orbalux
