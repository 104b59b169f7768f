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
#include "processing/chain_geometry.h"
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

// The band's memory goes back for the next open. Nothing reads the pixels or
// the mask after this: the bands that GDAL deletes next only let go of them.
MarinerDataset::~MarinerDataset() { KeepBandBuffers(std::move(pixels_), std::move(mask_)); }

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
        dataset->maskLater_ = std::move(band.maskLater);
        // Kept apart from PAM's metadata: these facts come from the file
        // itself at every open and are never written to a side file.
        for (const auto& [name, value] : MetadataItems(band.facts))
            dataset->factItems_.SetNameValue(name.c_str(), value.c_str());
        dataset->facts_ = std::move(band.facts);
        dataset->nodata_ = options.nodata;
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
        dataset->DropStaleFacts();
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
    return BuildMetadataDomainList(GDALPamDataset::GetMetadataDomainList(), TRUE, "", kIsisDomain, kVicarDomain,
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
    if (domain != nullptr && *domain != '\0') return GDALPamDataset::GetMetadata(domain);
    // PAM's own items (none of them a fact, see DropStaleFacts) and the facts.
    defaultDomain_.Assign(CSLMerge(CSLDuplicate(GDALPamDataset::GetMetadata("")), factItems_.List()), TRUE);
    return defaultDomain_.List();
}

const char* MarinerDataset::GetMetadataItem(const char* name, const char* domain) {
    if (name != nullptr && (domain == nullptr || *domain == '\0') && IsFactItem(name))
        return factItems_.FetchNameValue(name);
    return GDALPamDataset::GetMetadataItem(name, domain);
}

const std::vector<std::uint8_t>& MarinerDataset::Mask() const {
    if (maskLater_) {
        ShownDataMask(maskLater_->geometry, maskLater_->rows, mask_);
        maskLater_.reset();
    }
    return mask_;
}

void MarinerDataset::DropStaleFacts() {
    // A side file written by an earlier version of the driver holds the
    // facts of the file as it was then (before it was cut, say): they go
    // without marking the side file changed, so that an open writes nothing.
    const CPLStringList stored(CSLDuplicate(oMDMD.GetMetadata("")), TRUE);
    for (int i = 0; i < stored.size(); ++i) {
        char* key = nullptr;
        CPLParseNameValue(stored[i], &key);
        if (key != nullptr && IsFactItem(key)) oMDMD.SetMetadataItem(key, nullptr, "");
        CPLFree(key);
    }
}

MarinerRasterBand::MarinerRasterBand(MarinerDataset* dataset) {
    poDS = dataset;
    nBand = 1;
    eDataType = dataset->nodata_ ? GDT_Int16 : GDT_Byte;
    nBlockXSize = dataset->GetRasterXSize();
    nBlockYSize = 1;
}

MarinerRasterBand::~MarinerRasterBand() { delete maskBand_; }

GDALRasterBand* MarinerRasterBand::GetMaskBand() {
    auto* dataset = static_cast<MarinerDataset*>(poDS);
    if (maskBand_ == nullptr)
        maskBand_ = new MarinerMaskBand(dataset, nRasterXSize, nRasterYSize, dataset->Mask(), this);
    return maskBand_;
}

// With NODATA the value marks exactly the masked pixels: flagged as the
// nodata's mask, writers carry the value rather than try a mask of their
// own (FITS has none and would lose it with only an error).
int MarinerRasterBand::GetMaskFlags() {
    return static_cast<MarinerDataset*>(poDS)->nodata_ ? GMF_NODATA : GMF_PER_DATASET;
}

double MarinerRasterBand::GetNoDataValue(int* success) {
    const std::optional<int>& nodata = static_cast<MarinerDataset*>(poDS)->nodata_;
    if (success) *success = nodata.has_value();
    return nodata.value_or(0);
}

GDALRasterBand* MarinerRasterBand::GetOverview(int index) {
    GDALRasterBand* source = GDALPamRasterBand::GetOverview(index);
    // With NODATA the overview file holds the value, and its mask is that.
    auto& dataset = *static_cast<MarinerDataset*>(poDS);
    if (source == nullptr || dataset.nodata_) return source;
    if (overviews_.size() <= static_cast<std::size_t>(index)) overviews_.resize(static_cast<std::size_t>(index) + 1);
    auto& overview = overviews_[static_cast<std::size_t>(index)];
    // Overviews built again since: the manager's bands are new.
    if (!overview || overview->source() != source || overview->GetXSize() != source->GetXSize() ||
        overview->GetYSize() != source->GetYSize())
        overview = std::make_unique<MarinerOverviewBand>(dataset, source);
    return overview.get();
}

CPLErr MarinerRasterBand::ComputeStatistics(int /*approxOK*/, double* min, double* max, double* mean,
                                            double* stdDev, GDALProgressFunc progress, void* progressData) {
    // The band is in memory: exact statistics cost no more than approximate.
    const auto* dataset = static_cast<MarinerDataset*>(poDS);
    const BandStatistics s = DataStatistics(dataset->pixels_, dataset->Mask());
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
    const BandStatistics s = DataStatistics(dataset->pixels_, dataset->Mask());
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
        DataHistogram(dataset->pixels_, dataset->Mask(), min, max, buckets, includeOutOfRange != 0);
    std::copy(counts.begin(), counts.end(), histogram);
    if (progress) progress(1.0, nullptr, progressData);
    return CE_None;
}

MarinerMaskBand::MarinerMaskBand(GDALDataset* dataset, int width, int height, const std::vector<std::uint8_t>& mask,
                                 GDALRasterBand* owner)
    : mask_(mask), owner_(owner) {
    poDS = dataset;
    nBand = 0;
    nRasterXSize = width;
    nRasterYSize = height;
    eDataType = GDT_Byte;
    nBlockXSize = nRasterXSize;
    nBlockYSize = 1;
}

int MarinerMaskBand::GetOverviewCount() { return owner_ ? owner_->GetOverviewCount() : 0; }

GDALRasterBand* MarinerMaskBand::GetOverview(int index) {
    GDALRasterBand* overview = owner_ ? owner_->GetOverview(index) : nullptr;
    return overview ? overview->GetMaskBand() : nullptr;
}

CPLErr MarinerMaskBand::IReadBlock(int /*blockX*/, int blockY, void* image) {
    const std::size_t width = static_cast<std::size_t>(nBlockXSize);
    if (blockY < 0 || blockY >= nRasterYSize) return CE_Failure;
    auto* out = static_cast<std::uint8_t*>(image);
    if (mask_.empty()) {
        std::memset(out, 255, width);
        return CE_None;
    }
    const std::uint8_t* row = mask_.data() + static_cast<std::size_t>(blockY) * width;
    for (std::size_t x = 0; x < width; ++x) out[x] = row[x] ? 255 : 0;
    return CE_None;
}

namespace {

// The band's mask reduced to `width` x `height`: 1 where every pixel of the
// block that a reduced pixel covers is data.
std::vector<std::uint8_t> ReducedMask(const std::vector<std::uint8_t>& mask, int fullWidth, int fullHeight, int width,
                                      int height) {
    const auto first = [](int i, int full, int reduced) { return static_cast<int>(std::int64_t{i} * full / reduced); };
    const auto past = [](int i, int full, int reduced) {
        return static_cast<int>(std::min<std::int64_t>(full, ((std::int64_t{i} + 1) * full + reduced - 1) / reduced));
    };
    std::vector<std::uint8_t> reduced(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 1);
    if (mask.empty()) return reduced;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(fullWidth));
    for (int y = 0; y < height; ++y) {
        // Columns whose every row of the block is data.
        std::fill(rows.begin(), rows.end(), 1);
        for (int fy = first(y, fullHeight, height); fy < past(y, fullHeight, height); ++fy) {
            const std::uint8_t* row = mask.data() + static_cast<std::size_t>(fy) * static_cast<std::size_t>(fullWidth);
            for (int fx = 0; fx < fullWidth; ++fx) rows[static_cast<std::size_t>(fx)] &= row[fx] ? 1 : 0;
        }
        for (int x = 0; x < width; ++x) {
            const auto begin = rows.begin() + first(x, fullWidth, width),
                       end = rows.begin() + past(x, fullWidth, width);
            reduced[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
                std::all_of(begin, end, [](std::uint8_t m) { return m != 0; }) ? 1 : 0;
        }
    }
    return reduced;
}

}  // namespace

MarinerOverviewBand::MarinerOverviewBand(MarinerDataset& dataset, GDALRasterBand* source) : source_(source) {
    poDS = nullptr;
    nBand = 1;
    nRasterXSize = source->GetXSize();
    nRasterYSize = source->GetYSize();
    eDataType = source->GetRasterDataType();
    source->GetBlockSize(&nBlockXSize, &nBlockYSize);
    mask_ = ReducedMask(dataset.Mask(), dataset.GetRasterXSize(), dataset.GetRasterYSize(), nRasterXSize, nRasterYSize);
}

MarinerOverviewBand::~MarinerOverviewBand() { delete maskBand_; }

GDALRasterBand* MarinerOverviewBand::GetMaskBand() {
    if (maskBand_ == nullptr) maskBand_ = new MarinerMaskBand(nullptr, nRasterXSize, nRasterYSize, mask_, nullptr);
    return maskBand_;
}

CPLErr MarinerOverviewBand::IReadBlock(int blockX, int blockY, void* image) {
    return source_->ReadBlock(blockX, blockY, image);
}

CPLErr MarinerOverviewBand::IRasterIO(GDALRWFlag rw, int x, int y, int width, int height, void* data, int bufferWidth,
                                      int bufferHeight, GDALDataType type, GSpacing pixelSpace, GSpacing lineSpace,
                                      GDALRasterIOExtraArg* extra) {
    if (rw != GF_Read) return CE_Failure;
    return source_->RasterIO(rw, x, y, width, height, data, bufferWidth, bufferHeight, type, pixelSpace, lineSpace,
                             extra);
}

CPLErr MarinerRasterBand::IReadBlock(int /*blockX*/, int blockY, void* image) {
    const auto& dataset = *static_cast<MarinerDataset*>(poDS);
    const std::size_t width = static_cast<std::size_t>(nBlockXSize);
    if (blockY < 0 || blockY >= nRasterYSize) return CE_Failure;
    const std::size_t at = static_cast<std::size_t>(blockY) * width;
    if (!dataset.nodata_) {
        std::memcpy(image, dataset.pixels_.data() + at, width);
        return CE_None;
    }
    auto* out = static_cast<std::int16_t*>(image);
    const auto nodata = static_cast<std::int16_t>(*dataset.nodata_);
    const std::vector<std::uint8_t>& mask = dataset.Mask();
    for (std::size_t x = 0; x < width; ++x) out[x] = mask.empty() || mask[at + x] ? dataset.pixels_[at + x] : nodata;
    return CE_None;
}

CPLErr MarinerRasterBand::IRasterIO(GDALRWFlag rw, int x, int y, int width, int height, void* data, int bufferWidth,
                                    int bufferHeight, GDALDataType type, GSpacing pixelSpace, GSpacing lineSpace,
                                    GDALRasterIOExtraArg* extra) {
    // A read of bytes at full size (ReadAsArray, a whole-band copy) straight
    // from the picture: through GDAL's block cache each row would be made a
    // block, copied twice and freed again.
    const auto& dataset = *static_cast<MarinerDataset*>(poDS);
    if (rw != GF_Read || dataset.nodata_ || type != GDT_Byte || bufferWidth != width || bufferHeight != height)
        return GDALPamRasterBand::IRasterIO(rw, x, y, width, height, data, bufferWidth, bufferHeight, type, pixelSpace,
                                            lineSpace, extra);
    auto* out = static_cast<GByte*>(data);
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* from = dataset.pixels_.data() +
                                   static_cast<std::size_t>(y + row) * static_cast<std::size_t>(nRasterXSize) +
                                   static_cast<std::size_t>(x);
        GByte* to = out + static_cast<GPtrDiff_t>(row) * lineSpace;
        if (pixelSpace == 1) {
            std::memcpy(to, from, static_cast<std::size_t>(width));
        } else {
            for (int column = 0; column < width; ++column)
                to[static_cast<GPtrDiff_t>(column) * pixelSpace] = from[column];
        }
    }
    if (extra != nullptr && extra->pfnProgress != nullptr) extra->pfnProgress(1.0, "", extra->pProgressData);
    return CE_None;
}

}  // namespace orbalux::gdal
