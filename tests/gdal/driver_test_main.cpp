// The in-process driver tests: the driver registered from its static library
// before GDAL's own drivers, with GDAL's plugin loading off, so that these
// tests exercise this build's code (also under the sanitizers) and never an
// installed plugin.
#include <gtest/gtest.h>

#include <cpl_conv.h>
#include <gdal.h>

extern "C" void GDALRegister_MARINER67();

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    CPLSetConfigOption("GDAL_DRIVER_PATH", "disable");
    GDALRegister_MARINER67();
    GDALAllRegister();
    const int result = RUN_ALL_TESTS();
    GDALDestroyDriverManager();
    return result;
}
