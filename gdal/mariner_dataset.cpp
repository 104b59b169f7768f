// The dataset: Open through the core's load, the band's rows, the metadata
// and the label domains, and side files kept apart per option set.
#include "gdal/mariner_dataset.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include <cpl_error.h>
#include <cpl_string.h>

#include "gdal/masked_statistics.h"
#include "gdal/open_options.h"
#include "gdal/picture_band.h"
#include "gdal/planetary_labels.h"
#include "gdal/virtual_file.h"
#include "intake/catalogue.h"
#include "intake/file_list.h"
#include "load/picture_identity.h"
#include "state/orbalux_error.h"

namespace orbalux::gdal {
namespace {

constexpr const char* kAsNameOption = "AS_NAME";
constexpr const char* kIsisDomain = "json:ISIS3";
constexpr const char* kVicarDomain = "json:VICAR";
constexpr const char* kPds4Domain = "xml:PDS4";

// Any file GDAL can open, in any of its file systems; an empty file is no
// picture file. The name is a picture file's, or AS_NAME gives the catalogue
// entry.
bool IsCandidate(const GDALOpenInfo* info) {
    if (info->fpL == nullptr || info->bIsDirectory || info->nHeaderBytes == 0) return false;
    if (CSLFetchNameValue(info->papszOpenOptions, kAsNameOption) != nullptr) return true;
    return IsPictureFileName(PictureNameOf(info->pszFilename));
}

std::string CatalogueNameOf(const GDALOpenInfo* info) {
    const char* asName = CSLFetchNameValue(info->papszOpenOptions, kAsNameOption);
    return asName ? asName : PictureNameOf(info->pszFilename);
}

// The load refuses a file in which not one line record is found by its
// marker (one that changed since Identify looked at it): no picture, left to
// the other drivers.
bool IsNoPicture(const OrbaluxError& error) { return error.kind() == ErrorKind::NotAPicture; }

bool FirstLinesFoundIn(GDALOpenInfo* openInfo, const std::string& name) {
    openInfo->TryToIngest(static_cast<int>(LeadingBytesToIdentify(name)));
    return LeadingBytesHoldPictureLines({openInfo->pabyHeader, static_cast<std::size_t>(openInfo->nHeaderBytes)},
                                        name);
}

// Why a file opened with AS_NAME is not the picture that name stands for.
std::string AsNameRefusal(const std::string& name) {
    const CatalogueParameters p = LookUpCatalogue(name);
    const std::string where = "line format " + std::to_string(p.lineFormat) + " from byte " +
                              std::to_string(p.dataOffset);
    if (!p.listed)
        return "AS_NAME=" + name + ": no catalogue entry has this name, and with the default parameters (" + where +
               ") no line record is found by its marker";
    return "AS_NAME=" + name + ": no line record is found by its marker where that catalogue entry puts them (" +
           where + "): the file is not that picture, or the name is wrong";
}

}  // namespace

int MarinerDataset::Identify(GDALOpenInfo* openInfo) {
    if (!IsCandidate(openInfo)) return FALSE;
    // AS_NAME says the file is a picture: Open then says why it is not.
    if (CSLFetchNameValue(openInfo->papszOpenOptions, kAsNameOption) != nullptr) return TRUE;
    const std::string name = CatalogueNameOf(openInfo);
    if (FirstLinesFoundIn(openInfo, name)) return TRUE;
    // Shown with CPL_DEBUG=ON: why a file named as a picture was not taken.
    CPLDebug("MARINER67", "%s: no line record of %s found by its marker at its start", openInfo->pszFilename,
             name.c_str());
    return FALSE;
}

GDALDataset* MarinerDataset::Open(GDALOpenInfo* openInfo) {
    if (!Identify(openInfo)) return nullptr;
    const std::string file = openInfo->pszFilename;
    if (const char* asName = CSLFetchNameValue(openInfo->papszOpenOptions, kAsNameOption);
        asName != nullptr && !FirstLinesFoundIn(openInfo, asName)) {
        CPLError(CE_Failure, CPLE_OpenFailed, "%s: %s", file.c_str(), AsNameRefusal(asName).c_str());
        return nullptr;
    }
    if (openInfo->eAccess == GA_Update) {
        CPLError(CE_Failure, CPLE_NotSupported, "%s: the MARINER67 driver reads picture files only", file.c_str());
        return nullptr;
    }
    try {
        const PictureOptions options = ParseOpenOptions(file, openInfo->papszOpenOptions);
        PictureBand band = RenderPictureBand(file, options);
        if (band.picture.width <= 0 || band.picture.height <= 0) return nullptr;
        for (const std::string& warning : band.warnings)
            CPLError(CE_Warning, CPLE_AppDefined, "%s: %s", file.c_str(), warning.c_str());

        auto dataset = std::make_unique<MarinerDataset>();
        dataset->nRasterXSize = band.picture.width;
        dataset->nRasterYSize = band.picture.height;
        dataset->pixels_ = std::move(band.picture.pixels);
        dataset->mask_ = std::move(band.mask);
        // Set on the plain dataset: these facts come from the file itself and
        // are never written to a side-car file.
        for (const auto& [name, value] : MetadataItems(band.facts))
            dataset->GDALDataset::SetMetadataItem(name.c_str(), value.c_str());
        dataset->facts_ = std::move(band.facts);
        dataset->SetBand(1, new MarinerRasterBand(dataset.get()));
        dataset->SetDescription(file.c_str());
        // Statistics, histograms and overviews of one option set are not
        // those of another: each set keeps its side files under its own
        // name (69_311.002.STRETCH+INVERT.aux.xml, .ovr), a plain open the
        // file's own.
        std::string sideName = file;
        if (!dataset->facts_.optionSet.empty()) {
            sideName += "." + dataset->facts_.optionSet;
            dataset->SetPhysicalFilename(sideName.c_str());
        }
        dataset->TryLoadXML();
        dataset->oOvManager.Initialize(dataset.get(), sideName.c_str());
        return dataset.release();
    } catch (const OrbaluxError& error) {
        if (!IsNoPicture(error))
            CPLError(CE_Failure, CPLE_OpenFailed, "%s: %s", error.file().c_str(), error.reason().c_str());
        return nullptr;
    } catch (const std::bad_alloc&) {
        CPLError(CE_Failure, CPLE_OutOfMemory, "%s: out of memory", file.c_str());
        return nullptr;
    }
}

char** MarinerDataset::GetFileList() {
    // The side files' name of an option set stands for the picture file in
    // PAM's list; the file itself is what a copy or a move must take.
    const std::string sideName = std::string(GetDescription()) + "." + facts_.optionSet;
    CPLStringList files(GDALPamDataset::GetFileList(), TRUE);
    CPLStringList list;
    for (int i = 0; i < files.size(); ++i) {
        const char* file = !facts_.optionSet.empty() && sideName == files[i] ? GetDescription() : files[i];
        if (list.FindString(file) < 0) list.AddString(file);
    }
    return list.StealList();
}

char** MarinerDataset::GetMetadataDomainList() {
    return BuildMetadataDomainList(GDALPamDataset::GetMetadataDomainList(), TRUE, kIsisDomain, kVicarDomain,
                                   kPds4Domain, nullptr);
}

char** MarinerDataset::GetMetadata(const char* domain) {
    // Made on demand: an Open that nobody converts pays nothing for them.
    auto label = [](CPLStringList& list, auto make) {
        if (list.empty()) list.AddString(make().c_str());
        return list.List();
    };
    if (domain != nullptr && EQUAL(domain, kIsisDomain))
        return label(isisLabel_, [this] { return IsisLabelJson(facts_); });
    if (domain != nullptr && EQUAL(domain, kVicarDomain))
        return label(vicarLabel_, [this] { return VicarLabelJson(facts_); });
    if (domain != nullptr && EQUAL(domain, kPds4Domain))
        return label(pds4Label_, [this] { return Pds4Label(facts_); });
    return GDALPamDataset::GetMetadata(domain);
}

MarinerRasterBand::MarinerRasterBand(MarinerDataset* dataset) {
    poDS = dataset;
    nBand = 1;
    eDataType = GDT_Byte;
    nBlockXSize = dataset->GetRasterXSize();
    nBlockYSize = 1;
}

MarinerRasterBand::~MarinerRasterBand() { delete maskBand_; }

GDALRasterBand* MarinerRasterBand::GetMaskBand() {
    if (maskBand_ == nullptr) maskBand_ = new MarinerMaskBand(static_cast<MarinerDataset*>(poDS));
    return maskBand_;
}

CPLErr MarinerRasterBand::ComputeStatistics(int /*approxOK*/, double* min, double* max, double* mean,
                                            double* stdDev, GDALProgressFunc progress, void* progressData) {
    // The band is in memory: exact statistics cost no more than approximate.
    const auto* dataset = static_cast<MarinerDataset*>(poDS);
    const BandStatistics s = DataStatistics(dataset->pixels_, dataset->mask_);
    if (s.count == 0) {
        CPLError(CE_Failure, CPLE_AppDefined, "%s: no data pixel to compute statistics from",
                 dataset->GetDescription());
        return CE_Failure;
    }
    if (min) *min = s.min;
    if (max) *max = s.max;
    if (mean) *mean = s.mean;
    if (stdDev) *stdDev = s.stdDev;
    SetStatistics(s.min, s.max, s.mean, s.stdDev);
    SetMetadataItem("STATISTICS_VALID_PERCENT",
                    CPLSPrintf("%.4g", 100.0 * static_cast<double>(s.count) /
                                           static_cast<double>(dataset->pixels_.size())));
    if (progress) progress(1.0, nullptr, progressData);
    return CE_None;
}

CPLErr MarinerRasterBand::ComputeRasterMinMax(int /*approxOK*/, double* minMax) {
    const auto* dataset = static_cast<MarinerDataset*>(poDS);
    const BandStatistics s = DataStatistics(dataset->pixels_, dataset->mask_);
    if (s.count == 0) return CE_Failure;
    minMax[0] = s.min;
    minMax[1] = s.max;
    return CE_None;
}

CPLErr MarinerRasterBand::GetHistogram(double min, double max, int buckets, GUIntBig* histogram,
                                       int includeOutOfRange, int /*approxOK*/, GDALProgressFunc progress,
                                       void* progressData) {
    const auto* dataset = static_cast<MarinerDataset*>(poDS);
    const std::vector<std::uint64_t> counts =
        DataHistogram(dataset->pixels_, dataset->mask_, min, max, buckets, includeOutOfRange != 0);
    std::copy(counts.begin(), counts.end(), histogram);
    if (progress) progress(1.0, nullptr, progressData);
    return CE_None;
}

MarinerMaskBand::MarinerMaskBand(MarinerDataset* dataset) {
    poDS = dataset;
    nBand = 0;
    nRasterXSize = dataset->GetRasterXSize();
    nRasterYSize = dataset->GetRasterYSize();
    eDataType = GDT_Byte;
    nBlockXSize = nRasterXSize;
    nBlockYSize = 1;
}

CPLErr MarinerMaskBand::IReadBlock(int /*blockX*/, int blockY, void* image) {
    const auto& mask = static_cast<MarinerDataset*>(poDS)->mask_;
    const std::size_t width = static_cast<std::size_t>(nBlockXSize);
    if (blockY < 0 || blockY >= nRasterYSize) return CE_Failure;
    auto* out = static_cast<std::uint8_t*>(image);
    if (mask.empty()) {
        std::memset(out, 255, width);
        return CE_None;
    }
    const std::uint8_t* row = mask.data() + static_cast<std::size_t>(blockY) * width;
    for (std::size_t x = 0; x < width; ++x) out[x] = row[x] ? 255 : 0;
    return CE_None;
}

CPLErr MarinerRasterBand::IReadBlock(int /*blockX*/, int blockY, void* image) {
    const auto& pixels = static_cast<MarinerDataset*>(poDS)->pixels_;
    const std::size_t width = static_cast<std::size_t>(nBlockXSize);
    if (blockY < 0 || blockY >= nRasterYSize) return CE_Failure;
    std::memcpy(image, pixels.data() + static_cast<std::size_t>(blockY) * width, width);
    return CE_None;
}

}  // namespace orbalux::gdal
