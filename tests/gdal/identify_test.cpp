// Which files the driver claims: picture files by their name and content, a
// renamed one with AS_NAME, never a file of another format named like a
// picture file; and errors through GDAL's handler.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include <cpl_minixml.h>

#include "gdal_test_support.h"

namespace gdal_test {
namespace {

const char* const kMarinerOnly[] = {"MARINER67", nullptr};

bool Claimed(const std::string& path) {
    const bool identified = GDALIdentifyDriverEx(path.c_str(), GDAL_OF_RASTER, kMarinerOnly, nullptr) != nullptr;
    GDALDatasetH dataset = OpenMariner(path);
    const bool opened = dataset != nullptr;
    if (dataset) GDALClose(dataset);
    EXPECT_EQ(identified, opened) << path;
    return identified || opened;
}

// Writes a small grey picture with GDAL's driver `driver` as `path`.
void WriteWithGdal(const char* driver, const std::string& path) {
    GDALDatasetH mem = GDALCreate(GDALGetDriverByName("MEM"), "", 64, 48, 1, GDT_Byte, nullptr);
    std::vector<std::uint8_t> pixels(64 * 48);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 7);
    ASSERT_EQ(GDALRasterIO(GDALGetRasterBand(mem, 1), GF_Write, 0, 0, 64, 48, pixels.data(), 64, 48, GDT_Byte, 0, 0),
              CE_None);
    GDALDatasetH out = GDALCreateCopy(GDALGetDriverByName(driver), path.c_str(), mem, FALSE, nullptr, nullptr, nullptr);
    ASSERT_NE(out, nullptr) << driver;
    GDALClose(out);
    GDALClose(mem);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(IdentifyTest, FilesOfOtherFormatsNamedLikePictureFilesAreNotClaimed) {
    ScratchFolder scratch;
    struct Foreign {
        std::string name;
        const char* driver;  // GDAL's writer, or nullptr for bytes of our own
        std::string bytes;
    };
    std::string random(200'000, '\0');
    std::mt19937 rng(1969);
    for (char& c : random) c = static_cast<char>(rng());
    // Marker words of the 945-sample lines, side by side, where the 100th
    // record would begin: words met far into a file make no picture of it.
    std::string markedLate = random;
    for (std::size_t at = 964 + 100 * 1262 - 600; at < 964 + 100 * 1262 + 600; at += 2) {
        markedLate[at] = '\xEC';
        markedLate[at + 1] = '\x04';
    }
    const std::vector<Foreign> foreign = {
        {"69_011.001.png", "PNG", {}},
        {"69_011.002", "PNG", {}},
        {"RBL_001.001.bmp", "BMP", {}},
        {"ED_100.001.tif", "GTiff", {}},
        {"JAC_224.004.fits", "FITS", {}},
        {"69_311.002", nullptr, "PDS_VERSION_ID = PDS3\r\nRECORD_TYPE = FIXED_LENGTH\r\nEND\r\n"},
        {"69_091.005", nullptr, ""},
        {"jac_138.001", nullptr, random},
        {"RBL_014.003", nullptr, markedLate},
    };
    for (const Foreign& f : foreign) {
        SCOPED_TRACE(f.name);
        if (f.driver) WriteWithGdal(f.driver, scratch / f.name);
        else WriteBytes(scratch / f.name, f.bytes);
        EXPECT_FALSE(Claimed(scratch / f.name));
        // Nothing claimed: no error of this driver's in the way of the others.
        if (f.driver) {
            GDALDatasetH dataset = GDALOpenEx((scratch / f.name).c_str(), GDAL_OF_RASTER, nullptr, nullptr, nullptr);
            ASSERT_NE(dataset, nullptr);
            EXPECT_STREQ(GDALGetDriverShortName(GDALGetDatasetDriver(dataset)), f.driver);
            GDALClose(dataset);
        }
    }
}

TEST(IdentifyTest, PictureFilesAreClaimedByNameInAnyCase) {
    ScratchFolder scratch;
    for (const std::string name : {"69_011.003", "jac_138.001", "Rbl_014.003", "eD_100.002"}) {
        SCOPED_TRACE(name);
        WritePlan(scratch / name, PlanFor(name));
        EXPECT_TRUE(Claimed(scratch / name));
    }
}

TEST(IdentifyTest, AsNameDecodesARenamedFileWithItsCatalogueEntry) {
    ScratchFolder scratch;
    const std::string name = "69_311.002";  // 999 samples, its own line count
    WritePlan(scratch / name, PlanFor(name));
    const std::string renamed = scratch / "mars-7n17.img";
    std::filesystem::copy_file(scratch / name, renamed);

    EXPECT_FALSE(Claimed(renamed));
    GDALDatasetH dataset = OpenMariner(renamed, {"AS_NAME=" + name});
    ASSERT_NE(dataset, nullptr) << CPLGetLastErrorMsg();
    EXPECT_TRUE(ReadBand(dataset) == ConverterPicture(scratch, scratch / name));
    EXPECT_STREQ(GDALGetMetadataItem(dataset, "FRAME_LINE_COUNT", nullptr),
                 std::to_string(orbalux::LookUpCatalogue(name).frameLineCount).c_str());
    GDALClose(dataset);
}

TEST(IdentifyTest, AWrongAsNameSaysWhy) {
    ScratchFolder scratch;
    const std::string name = "69_311.002";
    WritePlan(scratch / name, PlanFor(name));
    for (const auto& [asName, reason] : {std::pair<std::string, std::string>{"69_011.001", "where that catalogue entry"},
                                         {"holiday.jpg", "no catalogue entry has this name"}}) {
        SCOPED_TRACE(asName);
        CPLErrorReset();
        CPLPushErrorHandler(CPLQuietErrorHandler);
        GDALDatasetH dataset = OpenMariner(scratch / name, {"AS_NAME=" + asName});
        CPLPopErrorHandler();
        EXPECT_EQ(dataset, nullptr);
        if (dataset) GDALClose(dataset);
        const std::string message = CPLGetLastErrorMsg();
        EXPECT_NE(message.find("AS_NAME=" + asName), std::string::npos) << message;
        EXPECT_NE(message.find(reason), std::string::npos) << message;
    }
}

TEST(IdentifyTest, TheDriverListsItsOpenOptionsForGdalToCheck) {
    const char* list = GDALGetMetadataItem(GDALGetDriverByName("MARINER67"), GDAL_DMD_OPENOPTIONLIST, nullptr);
    ASSERT_NE(list, nullptr);
    CPLXMLNode* root = CPLParseXMLString(list);
    ASSERT_NE(root, nullptr) << list;
    std::vector<std::string> names;
    for (const CPLXMLNode* option = root->psChild; option; option = option->psNext)
        if (option->eType == CXT_Element) names.push_back(CPLGetXMLValue(option, "name", ""));
    CPLDestroyXMLNode(root);
    EXPECT_EQ(names, (std::vector<std::string>{"STRETCH", "DESPECKLE", "FLIP", "ROTATE", "INVERT", "HALF", "QUARTER",
                                               "FILL_MISSING", "HORIZONTAL_STRETCH", "KEEP_GAPS", "PERCENT_STRETCH",
                                               "EQUALIZE", "BRIGHTNESS", "CONTRAST", "AS_NAME", "FRAME", "NODATA"}));
}

TEST(IdentifyTest, WrongOptionsAndUpdatesAreRefusedNamingTheFile) {
    ScratchFolder scratch;
    const std::string path = scratch / "69_011.003";
    WritePlan(path, PlanFor("69_011.003"));
    struct Refusal {
        std::vector<std::string> openOptions;
        unsigned flags;
        std::string reason;
    };
    for (const Refusal& r : {Refusal{{"BRIGHTNESS=bright"}, GDAL_OF_RASTER, "BRIGHTNESS"},
                             Refusal{{"CONTRAST=2000000"}, GDAL_OF_RASTER, "CONTRAST"},
                             Refusal{{"INVERT=maybe"}, GDAL_OF_RASTER, "INVERT"},
                             Refusal{{"PERCENT_STRETCH=99,1"}, GDAL_OF_RASTER, "PERCENT_STRETCH"},
                             Refusal{{"EQUALIZE=YES", "STRETCH=YES"}, GDAL_OF_RASTER, "exclude each other"},
                             // A data level, or a value Int16 cannot hold.
                             Refusal{{"NODATA=0"}, GDAL_OF_RASTER, "NODATA='0' is a data level"},
                             Refusal{{"NODATA=255"}, GDAL_OF_RASTER, "NODATA='255' is a data level"},
                             Refusal{{"NODATA=-32769"}, GDAL_OF_RASTER, "NODATA='-32769' is not a whole number"},
                             Refusal{{"NODATA=-1.5"}, GDAL_OF_RASTER, "NODATA='-1.5' is not a whole number"},
                             Refusal{{}, GDAL_OF_RASTER | GDAL_OF_UPDATE, "reads picture files only"}}) {
        SCOPED_TRACE(r.reason);
        CPLErrorReset();
        CPLPushErrorHandler(CPLQuietErrorHandler);
        GDALDatasetH dataset = OpenMariner(path, r.openOptions, r.flags);
        CPLPopErrorHandler();
        EXPECT_EQ(dataset, nullptr);
        if (dataset) GDALClose(dataset);
        const std::string message = CPLGetLastErrorMsg();
        EXPECT_NE(message.find(path), std::string::npos) << message;
        EXPECT_NE(message.find(r.reason), std::string::npos) << message;
    }
}

}  // namespace
}  // namespace gdal_test
