// A picture read through GDAL's virtual file systems (a zipped volume, a
// gzipped file, a file in memory) is the picture read from the plain file.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <cpl_vsi.h>

#include "gdal_test_support.h"

namespace gdal_test {
namespace {

void WriteVirtual(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    VSILFILE* file = VSIFOpenL(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    ASSERT_EQ(VSIFWriteL(bytes.data(), 1, bytes.size(), file), bytes.size());
    ASSERT_EQ(VSIFCloseL(file), 0);
}

TEST(VirtualFilesTest, ZipGzipAndMemoryReadAsThePlainFile) {
    ScratchFolder scratch;
    const std::string name = "69_311.002";
    enc::PictureFilePlan plan = PlanFor(name, 9);
    plan.defects = {{.line = 200, .droppedBefore = 1, .shape = enc::LostLineShape::RecordsAbsent}};
    const std::vector<std::uint8_t> bytes = enc::BuildPictureFile(plan).bytes;
    enc::WriteFile(scratch / name, bytes);

    GDALDatasetH plain = OpenMariner(scratch / name, {"STRETCH=YES"});
    ASSERT_NE(plain, nullptr);
    const Picture expected = ReadBand(plain);
    const std::string lostLines = GDALGetMetadataItem(plain, "LOST_LINES", nullptr);
    GDALClose(plain);

    const std::string zipped = "/vsizip/" + (scratch / "volume.zip") + "/69_311/" + name;
    const std::string gzipped = "/vsigzip/" + (scratch / (name + ".gz"));
    const std::string inMemory = "/vsimem/orbalux-test/" + name;
    for (const std::string& path : {zipped, gzipped, inMemory}) {
        SCOPED_TRACE(path);
        WriteVirtual(path, bytes);
        GDALDatasetH dataset = OpenMariner(path, {"STRETCH=YES"});
        ASSERT_NE(dataset, nullptr) << CPLGetLastErrorMsg();
        EXPECT_TRUE(ReadBand(dataset) == expected);
        EXPECT_STREQ(GDALGetMetadataItem(dataset, "LOST_LINES", nullptr), lostLines.c_str());
        GDALClose(dataset);
    }
    VSIUnlink(inMemory.c_str());
    // The driver says it takes virtual files, for programs that ask.
    EXPECT_STREQ(GDALGetMetadataItem(GDALGetDriverByName("MARINER67"), GDAL_DCAP_VIRTUALIO, nullptr), "YES");
}

}  // namespace
}  // namespace gdal_test
