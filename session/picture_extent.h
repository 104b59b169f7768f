// Which pixels of the shown bitmap are the picture itself and which are the
// grey field around it: the columns after the data that the narrow 816-wide
// formats fill with grey, and the field that the 1/2 and 1/4 reductions lay
// around the reduced picture. The histogram counts only the picture; the
// thumbnails are cut to it.
#pragma once

#include "processing/chain_geometry.h"
#include "state/grey_image.h"
#include "state/picture_state.h"

// Columns of each decoded row that carry the picture: the narrow formats
// carry 136 (or 33) before their grey; every other format its whole width.
int PictureColumns(const orbalux::PictureState& state);

// Whether shown pixel `p` comes from a picture column of the frame.
bool ShowsPicture(const orbalux::ShownGeometry& geometry, int pictureColumns, orbalux::ShownPixel p);

// The columns from the first to the last that show the picture on the
// middle row, with every row: what a thumbnail of an unreduced picture keeps.
// The whole picture when none does.
orbalux::GreyImage CutToPicture(const orbalux::GreyImage& shown, const orbalux::ShownGeometry& geometry,
                                int pictureColumns);
