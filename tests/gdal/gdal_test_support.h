// Shared by the driver's tests: a scratch folder, picture files of every line
// format written by the encoder under a name the catalogue gives that format,
// the built converter's picture for the same file, and GDAL reads.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gdal.h>

#include "intake/catalogue.h"
#include "tools/scratch/scratch_folder.h"
#include "tools/encoder/picture_encoder.h"

namespace gdal_test {

namespace fs = std::filesystem;
namespace enc = orbalux::encoder;

using orbalux::test::ScratchFolder;

// A grey picture in display order, as the driver's band and a BMP hold it.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
    bool operator==(const Picture&) const = default;
};

// The first file name that the catalogue lists (by its whole name) with
// `lineFormat`.
std::string NameWithFormat(int lineFormat);

// The plan of a picture file for `name` as its catalogue row expects it: the
// format's full line count, varied pixels, header records as far as the data
// offset leaves room for them, the data at that offset.
enc::PictureFilePlan PlanFor(const std::string& name, std::uint32_t seed = 1);

// Writes `plan` as `path`.
void WritePlan(const std::string& path, const enc::PictureFilePlan& plan);

// The picture of the built orbalux-convert for `input` with `flags`, read
// from the BMP it writes into the scratch folder (bottom row first in the
// file); fails the test when the converter fails.
Picture ConverterPicture(const ScratchFolder& scratch, const std::string& input,
                         const std::vector<std::string>& flags = {});

// Band 1 of an open dataset.
Picture ReadBand(GDALDatasetH dataset);

// Opens `path` with the MARINER67 driver only, with `openOptions` (NAME=VALUE).
GDALDatasetH OpenMariner(const std::string& path, const std::vector<std::string>& openOptions = {},
                         unsigned flags = GDAL_OF_RASTER | GDAL_OF_READONLY);

}  // namespace gdal_test
