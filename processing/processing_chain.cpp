#include "processing/stages.h"

namespace orbalux {

// The order is fixed: the fill sees the rows as they were received, despeckle's
// first pass works on raw levels and its second on the tone-mapped ones, the
// negative is taken of the mapped levels, and the grey field laid around a
// reduced picture comes after the negative so it is never inverted.
void RunProcessingChain(PictureState& state) {
    ApplyHorizontalStretch(state);
    FillSingleMissingLines(state);
    ApplyFlipAndRotate(state);
    DespeckleFirstPass(state);
    ApplyToneMappingAndInvert(state);
    ApplyMinimize(state);
    WriteBitmapHeader(state);
    WriteBitmapPixels(state);
}

}  // namespace orbalux
