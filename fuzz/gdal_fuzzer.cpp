// The GDAL driver over any file bytes under any catalogue name, through
// GDAL's in-memory file system: Open with the open options the input chooses,
// a read of the whole band and of its mask, and the label domains. The input
// is the load target's (fuzz_input.h), with bit 2 of byte 2 asking for the
// frame layout.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include <cpl_conv.h>
#include <cpl_string.h>
#include <cpl_vsi.h>
#include <gdal.h>

#include "fuzz/fuzz_input.h"
#include "fuzz/picture_checks.h"
#include "processing/display_options.h"

extern "C" void GDALRegister_MARINER67();

namespace {

using namespace orbalux;

// The open options the load input's settings stand for.
CPLStringList OpenOptions(const fuzz::LoadInput& input, bool frame) {
    CPLStringList options;
    if (frame) {
        options.AddString("FRAME=YES");
        return options;
    }
    PictureState state;
    state.MenuOptions = input.menu;
    state.CompressMissingLines = input.compressMissingLines;
    state.HorizontalStretchOn = input.horizontalStretch;
    for (const DisplayOptionRow& row : DisplayOptionTable())
        options.SetNameValue(std::string(row.gdalOption).c_str(), MenuOptionOn(state, row) ? "YES" : "NO");
    return options;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Only this driver, and no side files written into the in-memory folder.
    CPLSetConfigOption("GDAL_DRIVER_PATH", "disable");
    CPLSetConfigOption("GDAL_PAM_ENABLED", "NO");
    CPLSetErrorHandler(CPLQuietErrorHandler);
    GDALRegister_MARINER67();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::LoadInput input = fuzz::ParseLoadInput(std::span(data, size));
    const bool frame = size > 2 && (data[2] & 4) != 0;
    const std::string path = "/vsimem/fuzz/" + input.name;
    // The file's bytes in place, not copied and not freed by GDAL.
    VSILFILE* file = VSIFileFromMemBuffer(path.c_str(), const_cast<GByte*>(input.file.data()),
                                          static_cast<vsi_l_offset>(input.file.size()), FALSE);
    FUZZ_CHECK(file != nullptr);
    VSIFCloseL(file);

    const char* const drivers[] = {"MARINER67", nullptr};
    const CPLStringList options = OpenOptions(input, frame);
    GDALDatasetH dataset = GDALOpenEx(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, drivers, options.List(), nullptr);
    if (dataset != nullptr) {
        const int width = GDALGetRasterXSize(dataset), height = GDALGetRasterYSize(dataset);
        FUZZ_CHECK(width > 0 && height > 0 && GDALGetRasterCount(dataset) == 1);
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        GDALRasterBandH band = GDALGetRasterBand(dataset, 1);
        FUZZ_CHECK(GDALRasterIO(band, GF_Read, 0, 0, width, height, pixels.data(), width, height, GDT_Byte, 0, 0) ==
                   CE_None);
        GDALRasterBandH mask = GDALGetMaskBand(band);
        FUZZ_CHECK(GDALRasterIO(mask, GF_Read, 0, 0, width, height, pixels.data(), width, height, GDT_Byte, 0, 0) ==
                   CE_None);
        for (const char* domain : {"json:ISIS3", "json:VICAR", "xml:PDS4"}) {
            CSLConstList label = GDALGetMetadata(dataset, domain);
            FUZZ_CHECK(label != nullptr && label[0] != nullptr && std::strlen(label[0]) > 0);
        }
        GDALClose(dataset);
    }
    VSIUnlink(path.c_str());
    return 0;
}
