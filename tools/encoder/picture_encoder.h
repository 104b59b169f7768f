// The picture-file encoder: writes files in any of the sixteen line formats,
// with header text and transmission defects, for tests and sample pictures.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "state/grey_image.h"
#include "tools/encoder/header_text.h"
#include "tools/encoder/line_layouts.h"
#include "tools/encoder/picture_file_builder.h"
#include "tools/encoder/six_bit_packing.h"

namespace orbalux::encoder {

// The bytes of a picture file of `lineFormat` holding `picture` (one row per
// line record) behind the given header records, the data right behind them.
std::vector<std::uint8_t> EncodePicture(int lineFormat, const GreyImage& picture,
                                        const HeaderPlan& header = {},
                                        std::span<const LineDefect> defects = {});

// Writes `bytes` to `path`; throws std::runtime_error when that fails.
void WriteFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace orbalux::encoder
