// The GDAL dataset of one Mariner 6/7 picture file: a read-only Byte band of
// the picture as the converter writes it for the same display options, with
// the file's catalogue parameters, lost lines and header lines as metadata.
#pragma once

#include <cstdint>
#include <vector>

#include <gdal_pam.h>

namespace orbalux::gdal {

class MarinerDataset final : public GDALPamDataset {
public:
    // TRUE for a plain file named as a picture file (or any name with
    // AS_NAME) whose first line records are found by their markers.
    static int Identify(GDALOpenInfo* openInfo);
    // nullptr, without an error, for a file that is not a picture file;
    // nullptr with a CPLError naming the file and the reason when a picture
    // file cannot be read or an option is wrong.
    static GDALDataset* Open(GDALOpenInfo* openInfo);

private:
    friend class MarinerRasterBand;
    std::vector<std::uint8_t> pixels_;  // the band, top row first
};

class MarinerRasterBand final : public GDALPamRasterBand {
public:
    explicit MarinerRasterBand(MarinerDataset* dataset);
    GDALColorInterp GetColorInterpretation() override { return GCI_GrayIndex; }

protected:
    CPLErr IReadBlock(int blockX, int blockY, void* image) override;
};

}  // namespace orbalux::gdal
