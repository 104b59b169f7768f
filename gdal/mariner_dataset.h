// The GDAL dataset of one Mariner 6/7 picture file: a read-only Byte band of
// the picture as the converter writes it for the same display options (or
// the frame as transmitted, with FRAME=YES; Int16 with NODATA), with the
// file's catalogue parameters, lost lines and header lines as metadata, and
// labels for the planetary formats in the json:ISIS3, json:VICAR and xml:PDS4
// domains.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gdal_pam.h>

#include "gdal/picture_band.h"
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
    ~MarinerDataset() override;

    char** GetMetadataDomainList() override;
    char** GetFileList() override;
    char** GetMetadata(const char* domain = "") override;
    const char* GetMetadataItem(const char* name, const char* domain = "") override;

private:
    friend class MarinerRasterBand;
    friend class MarinerOverviewBand;
    void DropStaleFacts();
    // 1 on a data pixel, 0 elsewhere, in the band's order (empty: every pixel
    // is data), made when first asked for.
    const std::vector<std::uint8_t>& Mask() const;
    std::vector<std::uint8_t> pixels_;        // the band, top row first
    mutable std::vector<std::uint8_t> mask_;  // read through Mask()
    mutable std::optional<MaskMakings> maskLater_;
    DatasetFacts facts_;
    std::optional<int> nodata_;  // the NODATA option
    // The facts as metadata items, kept out of PAM so that no side file
    // holds them; the default domain as last listed (facts and PAM's items).
    CPLStringList factItems_, defaultDomain_;
    // The label domains, made when first asked for.
    CPLStringList isisLabel_, vicarLabel_, pds4Label_;
};

class MarinerOverviewBand;

// The picture band. Its mask (per dataset) is 0 on every pixel that is not
// picture data, and its statistics and histograms count data pixels only.
// With NODATA the band is Int16 and the mask is its nodata value's.
class MarinerRasterBand final : public GDALPamRasterBand {
public:
    explicit MarinerRasterBand(MarinerDataset* dataset);
    ~MarinerRasterBand() override;
    GDALColorInterp GetColorInterpretation() override { return GCI_GrayIndex; }

    GDALRasterBand* GetMaskBand() override;
    int GetMaskFlags() override;
    double GetNoDataValue(int* success = nullptr) override;
    GDALRasterBand* GetOverview(int index) override;
    CPLErr ComputeStatistics(int approxOK, double* min, double* max, double* mean, double* stdDev,
                             GDALProgressFunc progress, void* progressData) override;
    CPLErr ComputeRasterMinMax(int approxOK, double* minMax) override;
    CPLErr GetHistogram(double min, double max, int buckets, GUIntBig* histogram, int includeOutOfRange,
                        int approxOK, GDALProgressFunc progress, void* progressData) override;

protected:
    CPLErr IReadBlock(int blockX, int blockY, void* image) override;
    CPLErr IRasterIO(GDALRWFlag rw, int x, int y, int width, int height, void* data, int bufferWidth, int bufferHeight,
                     GDALDataType type, GSpacing pixelSpace, GSpacing lineSpace, GDALRasterIOExtraArg* extra) override;

private:
    GDALRasterBand* maskBand_ = nullptr;
    std::vector<std::unique_ptr<MarinerOverviewBand>> overviews_;
};

// 255 on a data pixel, 0 elsewhere, from a mask of 1 and 0 (none: all data).
// The band's own mask gives the overviews' masks as its overviews, so that a
// zoomed-out read of the mask matches the overview's.
class MarinerMaskBand final : public GDALRasterBand {
public:
    MarinerMaskBand(GDALDataset* dataset, int width, int height, const std::vector<std::uint8_t>& mask,
                    GDALRasterBand* owner);
    int GetOverviewCount() override;
    GDALRasterBand* GetOverview(int index) override;

protected:
    CPLErr IReadBlock(int blockX, int blockY, void* image) override;

private:
    const std::vector<std::uint8_t>& mask_;
    GDALRasterBand* owner_;  // the band whose overviews' masks are this mask's overviews
};

// An overview of the band from its overview file, which holds no mask: this
// band reads the file's and gives the mask of the band reduced, a pixel being
// data when its whole block of the band is (as HALF and QUARTER reduce it).
class MarinerOverviewBand final : public GDALRasterBand {
public:
    MarinerOverviewBand(MarinerDataset& dataset, GDALRasterBand* source);
    ~MarinerOverviewBand() override;
    GDALRasterBand* source() const { return source_; }
    GDALRasterBand* GetMaskBand() override;
    int GetMaskFlags() override { return GMF_PER_DATASET; }
    GDALColorInterp GetColorInterpretation() override { return GCI_GrayIndex; }

protected:
    CPLErr IReadBlock(int blockX, int blockY, void* image) override;
    CPLErr IRasterIO(GDALRWFlag rw, int x, int y, int width, int height, void* data, int bufferWidth, int bufferHeight,
                     GDALDataType type, GSpacing pixelSpace, GSpacing lineSpace, GDALRasterIOExtraArg* extra) override;

private:
    GDALRasterBand* source_;  // owned by the dataset's overview manager
    std::vector<std::uint8_t> mask_;
    GDALRasterBand* maskBand_ = nullptr;
};

}  // namespace orbalux::gdal
