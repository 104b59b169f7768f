// The GDAL dataset of one Mariner 6/7 picture file: a read-only Byte band of
// the picture as the converter writes it for the same display options (or
// the frame as transmitted, with FRAME=YES), with the file's catalogue
// parameters, lost lines and header lines as metadata, and labels for the
// planetary formats in the json:ISIS3, json:VICAR and xml:PDS4 domains.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <gdal_pam.h>

#include "gdal/picture_facts.h"

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

    char** GetMetadataDomainList() override;
    char** GetMetadata(const char* domain = "") override;

private:
    friend class MarinerRasterBand;
    std::vector<std::uint8_t> pixels_;  // the band, top row first
    PictureFacts facts_;
    // The label domains, made when first asked for.
    CPLStringList isisLabel_, vicarLabel_, pds4Label_;
};

class MarinerRasterBand final : public GDALPamRasterBand {
public:
    explicit MarinerRasterBand(MarinerDataset* dataset);
    GDALColorInterp GetColorInterpretation() override { return GCI_GrayIndex; }

protected:
    CPLErr IReadBlock(int blockX, int blockY, void* image) override;
};

}  // namespace orbalux::gdal
