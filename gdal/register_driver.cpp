// The MARINER67 driver's registration: its names, capabilities and open
// options, and the entry points that GDAL's plugin loader looks for.
#include <gdal_priv.h>

#include "gdal/mariner_dataset.h"
#include "gdal/open_options.h"

#define ORBALUX_GDAL_EXPORT extern "C" __attribute__((visibility("default")))

ORBALUX_GDAL_EXPORT void GDALRegister_MARINER67();
ORBALUX_GDAL_EXPORT void GDALRegisterMe();

void GDALRegister_MARINER67() {
    if (!GDAL_CHECK_VERSION("MARINER67")) return;
    if (GDALGetDriverByName("MARINER67") != nullptr) return;

    auto* driver = new GDALDriver();
    driver->SetDescription("MARINER67");
    driver->SetMetadataItem(GDAL_DCAP_RASTER, "YES");
    // Read through GDAL's file layer: zipped, tarred, gzipped, in memory, remote.
    driver->SetMetadataItem(GDAL_DCAP_VIRTUALIO, "YES");
    driver->SetMetadataItem(GDAL_DMD_LONGNAME, "Mariner 6/7 television picture file");
    // The page listing the open options, the metadata items and the layouts.
    driver->SetMetadataItem(GDAL_DMD_HELPTOPIC, ORBALUX_GDAL_HELP_TOPIC);
    // Kept here rather than as a static: GDAL copies the text.
    const std::string options = orbalux::gdal::OpenOptionListXml();
    driver->SetMetadataItem(GDAL_DMD_OPENOPTIONLIST, options.c_str());
    driver->pfnIdentify = orbalux::gdal::MarinerDataset::Identify;
    driver->pfnOpen = orbalux::gdal::MarinerDataset::Open;
    GetGDALDriverManager()->RegisterDriver(driver);
}

void GDALRegisterMe() { GDALRegister_MARINER67(); }
