// The stages of the processing chain. Each tests its own flag and edits the
// working picture in FileBuffer in place; the last two build the BMP file in
// BitmapBuffer.
#pragma once

#include "state/picture_state.h"

namespace orbalux {

constexpr int kBrightnessStep = 20;
constexpr std::uint8_t kMinimizeBackground = 160;

void ApplyHorizontalStretch(PictureState& state);   // 1
void FillSingleMissingLines(PictureState& state);   // 2
void ApplyFlipVertical(PictureState& state);        // 3
void ApplyRotate(PictureState& state);              // 4
void DespeckleFirstPass(PictureState& state);       // 5
void ApplyToneMapping(PictureState& state);         // 6
void DespeckleSecondPass(PictureState& state);      // 7
void ApplyInvert(PictureState& state);              // 8
void ApplyMinimize(PictureState& state);            // 9
void WriteBitmapHeader(PictureState& state);        // 10
void WriteBitmapPixels(PictureState& state);        // 11

// Stages 3 and 4 together, as the chain runs them: when both are on, each
// row mirrored in one pass.
void ApplyFlipAndRotate(PictureState& state);

// Stages 6 to 8 as the chain runs them: with Despeckle off nothing stands
// between the mapping and the negative, so both are taken in one pass.
void ApplyToneMappingAndInvert(PictureState& state);

// The eleven stages in their fixed order.
void RunProcessingChain(PictureState& state);

// Columns 1..P that decide whether a row is blank, chosen by the file name.
int MissingLineProbeWidth(const PictureState& state);

}  // namespace orbalux
