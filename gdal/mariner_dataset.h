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
    char** GetFileList() override;
    char** GetMetadata(const char* domain = "") override;

private:
    friend class MarinerRasterBand;
    friend class MarinerMaskBand;
    std::vector<std::uint8_t> pixels_;  // the band, top row first
    std::vector<std::uint8_t> mask_;    // 1 on a data pixel, 0 elsewhere, in the band's order
    PictureFacts facts_;
    // The label domains, made when first asked for.
    CPLStringList isisLabel_, vicarLabel_, pds4Label_;
};

// The picture band. Its mask (per dataset) is 0 on every pixel that is not
// picture data, and its statistics and histograms count data pixels only.
class MarinerRasterBand final : public GDALPamRasterBand {
public:
    explicit MarinerRasterBand(MarinerDataset* dataset);
    ~MarinerRasterBand() override;
    GDALColorInterp GetColorInterpretation() override { return GCI_GrayIndex; }

    GDALRasterBand* GetMaskBand() override;
    int GetMaskFlags() override { return GMF_PER_DATASET; }
    CPLErr ComputeStatistics(int approxOK, double* min, double* max, double* mean, double* stdDev,
                             GDALProgressFunc progress, void* progressData) override;
    CPLErr ComputeRasterMinMax(int approxOK, double* minMax) override;
    CPLErr GetHistogram(double min, double max, int buckets, GUIntBig* histogram, int includeOutOfRange,
                        int approxOK, GDALProgressFunc progress, void* progressData) override;

protected:
    CPLErr IReadBlock(int blockX, int blockY, void* image) override;

private:
    GDALRasterBand* maskBand_ = nullptr;
};

// 255 on a data pixel, 0 elsewhere.
class MarinerMaskBand final : public GDALRasterBand {
public:
    explicit MarinerMaskBand(MarinerDataset* dataset);

protected:
    CPLErr IReadBlock(int blockX, int blockY, void* image) override;
};

}  // namespace orbalux::gdal
