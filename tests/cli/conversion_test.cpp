// The built converter on picture files of known pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "cli_test_support.h"
#include "load/chain_settings.h"
#include "load/load_sequence.h"
#include "tools/encoder/picture_encoder.h"

using namespace cli_test;

namespace {

constexpr int kW = 948, kH = 704;  // the 945-sample picture's size
constexpr std::size_t kBmpSize = 54 + 3 * kW * kH;

// Grey level of working-picture row y (first decoded line = 0), column x, in a BMP file.
std::uint8_t BmpPixel(const std::vector<std::uint8_t>& bmp, int x, int y) {
    return bmp[54 + 3 * (static_cast<std::size_t>(y) * kW + static_cast<std::size_t>(x))];
}

// Every pixel of the encoded 945 x 702 area of `bmp` is `expected(v)` of its source level v.
template <typename Mapping>
void ExpectEveryPixelMapped(const std::vector<std::uint8_t>& bmp, const orbalux::GreyImage& source, Mapping expected) {
    ASSERT_EQ(bmp.size(), kBmpSize);
    int wrong = 0;
    for (int y = 0; y < source.height && wrong < 5; ++y)
        for (int x = 0; x < source.width && wrong < 5; ++x) {
            const int v = source.At(x, y);
            if (BmpPixel(bmp, x, y) != expected(v)) {
                ADD_FAILURE() << "at " << x << "," << y << ": level " << v << " became " << int(BmpPixel(bmp, x, y))
                              << ", expected " << expected(v);
                ++wrong;
            }
        }
}

class ConvertTest : public ::testing::Test {
protected:
    void SetUp() override {
        picture_ = KnownPicture945(17);
        // No catalogue row: data at 964 behind two header records, gain 0.
        rbl_ = scratch_ / "RBL_001.001";
        WritePicture945(rbl_, picture_, 2);
        // Its row: data at 482 behind one record, StretchGain 1, StretchBlack 6.
        stretched_ = scratch_ / "69_091.005";
        WritePicture945(stretched_, picture_, 1);
    }

    ScratchFolder scratch_;
    orbalux::GreyImage picture_;
    std::string rbl_, stretched_;
};

}  // namespace

TEST_F(ConvertTest, SingleBmpIsThePictureByteForByte) {
    const std::string out = scratch_ / "plain.bmp";
    ASSERT_EQ(RunConvert(scratch_, {rbl_, "-o", out}).exitCode, 0);
    const auto bmp = ReadBytes(out);
    ASSERT_EQ(bmp.size(), 2'002'230u);
    // Width 948 and height 704 in the info header; 24 bits.
    const std::vector<std::uint8_t> size = {0xB4, 0x03, 0x00, 0x00, 0xC0, 0x02, 0x00, 0x00, 0x01, 0x00, 0x18, 0x00};
    EXPECT_TRUE(std::equal(size.begin(), size.end(), bmp.begin() + 18));
    // With every option off the BMP holds the encoded levels, first line first,
    // the three columns past the 945 pixels black, and the two tail rows black.
    ExpectEveryPixelMapped(bmp, picture_, [](int v) { return v; });
    EXPECT_EQ(BmpPixel(bmp, 945, 10), 0);
    EXPECT_EQ(BmpPixel(bmp, 500, 703), 0);
}

TEST_F(ConvertTest, SingleBmpWithOptionsEqualsTheChainsBitmap) {
    const std::string out = scratch_ / "chain.bmp";
    ASSERT_EQ(RunConvert(scratch_, {"--flip", "--despeckle", "--stretch", "--quarter", "--invert", stretched_, "-o", out})
                  .exitCode,
              0);
    orbalux::PictureState state;
    state.MenuOptions.FlipVertical = state.MenuOptions.Despeckle = state.MenuOptions.Stretch = 1;
    state.MenuOptions.MinimizeQuarter = state.MenuOptions.Invert = 1;
    orbalux::LoadPicture(state, stretched_);
    const auto bmp = ReadBytes(out);
    ASSERT_EQ(bmp.size(), orbalux::BitmapFileSize(state));
    EXPECT_TRUE(std::equal(bmp.begin(), bmp.end(), state.BitmapBuffer.begin()));
}

TEST_F(ConvertTest, LevelsActAsTheBrowsersSteps) {
    auto convert = [&](std::vector<std::string> args, const std::string& name) {
        args.insert(args.end(), {"-o", scratch_ / name});
        EXPECT_EQ(RunConvert(scratch_, args).exitCode, 0) << name;
        return ReadBytes(scratch_ / name);
    };
    // Gain 1 plus contrast -1 is gain 0: halved, ties to the even level.
    const auto halved = convert({rbl_, "--contrast", "-1"}, "half.bmp");
    ExpectEveryPixelMapped(halved, picture_, [](int v) { return v % 4 == 3 ? v / 2 + 1 : v / 2; });
    // Further steps down are taken back: the gain never falls below 0.
    EXPECT_EQ(convert({rbl_, "--contrast", "-3"}, "half3.bmp"), halved);

    ExpectEveryPixelMapped(convert({rbl_, "--brightness", "40"}, "bright.bmp"), picture_,
                           [](int v) { return std::min(255, v + 40); });
    ExpectEveryPixelMapped(convert({rbl_, "--brightness", "-40", "--contrast", "1"}, "contrast.bmp"), picture_,
                           [](int v) { return std::clamp(2 * v - 40, 0, 255); });
    // The file's stretch: gain 1 + 1, black level 20 * 6.
    ExpectEveryPixelMapped(convert({stretched_, "--stretch"}, "stretch.bmp"), picture_,
                           [](int v) { return std::clamp(2 * v - 120, 0, 255); });
    // The unprocessed picture, whatever the file's stretch.
    ExpectEveryPixelMapped(convert({stretched_, "--original"}, "original.bmp"), picture_, [](int v) { return v; });
}

TEST_F(ConvertTest, PngIsTheBmpPictureAsItIsSeen) {
    ASSERT_EQ(RunConvert(scratch_, {"--stretch", "--rotate", stretched_, "-o", scratch_ / "p.bmp"}).exitCode, 0);
    for (const char* level : {"0", "1", "6"}) {
        const std::string png = scratch_ / (std::string("p") + level + ".png");
        ASSERT_EQ(RunConvert(scratch_, {"--stretch", "--rotate", "--png-level", level, stretched_, "-o", png}).exitCode,
                  0);
        const auto bmp = ReadBytes(scratch_ / "p.bmp");
        const auto grey = ReadGreyPng(png);
        ASSERT_EQ(grey.width, kW);
        ASSERT_EQ(grey.height, kH);
        // The BMP stores its bottom row first: the PNG's top row is the BMP's last.
        int wrong = 0;
        for (int r = 0; r < kH && wrong < 5; ++r)
            for (int x = 0; x < kW && wrong < 5; ++x)
                if (grey.pixels[static_cast<std::size_t>(r) * kW + x] != BmpPixel(bmp, x, kH - 1 - r)) {
                    ADD_FAILURE() << "level " << level << " row " << r << " column " << x;
                    ++wrong;
                }
    }
    // Unrotated, the first decoded line is the PNG's bottom row.
    ASSERT_EQ(RunConvert(scratch_, {rbl_, "-o", scratch_ / "plain.png"}).exitCode, 0);
    const auto plain = ReadGreyPng(scratch_ / "plain.png");
    ASSERT_EQ(plain.height, kH);
    EXPECT_EQ(plain.pixels[static_cast<std::size_t>(kH - 1) * kW + 5], picture_.At(5, 0));
    EXPECT_EQ(plain.pixels[static_cast<std::size_t>(kH - 1 - 701) * kW + 900], picture_.At(900, 701));
}

TEST_F(ConvertTest, PngNamesItsSourceOptionsAndHeader) {
    const std::string png = scratch_ / "p.png";
    ASSERT_EQ(RunConvert(scratch_, {"--despeckle", "--brightness", "-20", "--stretch", stretched_, "-o", png}).exitCode, 0);
    const auto chunks = ReadPngTexts(png);
    auto text = [&chunks](const std::string& keyword) {
        for (const auto& chunk : chunks)
            if (chunk.keyword == keyword) return chunk.text;
        return std::string("(none)");
    };
    EXPECT_EQ(text("Source file"), "69_091.005");
    EXPECT_EQ(text("Options"), "--stretch --despeckle --brightness -20");
    // The ten header lines, one a line, without their padding.
    EXPECT_EQ(text("Header"), "MARINER 6 TV SUBSYSTEM  TEST PICTURE\nFORMAT 945\n\n\n\n\n\n\n\n");
    EXPECT_EQ(text("Catalogue name"), "(none)");
}

TEST_F(ConvertTest, PngRecordsWhichStretchMadeItWithItsValues) {
    orbalux::ChainSettings percentile;
    percentile.menu.PercentStretch = 1;
    percentile.lowPercentile = 1;
    percentile.highPercentile = 99;
    orbalux::ChainSettings equalised;
    equalised.menu.Equalize = 1;
    struct Case {
        std::vector<std::string> flags;
        orbalux::ChainSettings settings;
        std::string begins;
    };
    for (const Case& c : {Case{{"--percent-stretch=1,99"}, percentile, "percentiles 1,99 of 663390 data pixels: levels "},
                          Case{{"--equalize"}, equalised, "equalised over 663390 data pixels"},
                          Case{{"--stretch"}, {}, "catalogue: gain 2, black level 120"}}) {
        SCOPED_TRACE(c.flags[0]);
        const std::string png = scratch_ / "s.png";
        std::vector<std::string> args = c.flags;
        args.insert(args.end(), {stretched_, "-o", png});
        ASSERT_EQ(RunConvert(scratch_, args).exitCode, 0);
        std::string stretch = "(none)";
        for (const auto& chunk : ReadPngTexts(png))
            if (chunk.keyword == "Stretch") stretch = chunk.text;
        EXPECT_TRUE(stretch.starts_with(c.begins)) << stretch;
        // The levels it names are those the load of the same file finds.
        if (c.settings.menu.PercentStretch == 1) {
            orbalux::PictureState state;
            orbalux::RenderPicture(state, stretched_, c.settings);
            EXPECT_EQ(stretch, c.begins + std::to_string(state.StretchLowLevel) + " to " +
                                   std::to_string(state.StretchHighLevel) + " to black and white");
        }
    }
}

TEST_F(ConvertTest, FolderBatchKeepsPictureNamesOnly) {
    const fs::path volume = scratch_.path() / "volume";
    fs::create_directories(volume / "69_SUB.001");  // a folder with a picture's name
    WritePicture945((volume / "RBL_001.001").string(), picture_, 2);
    WritePicture945((volume / "rbl_002.001").string(), KnownPicture945(3), 2);
    WritePicture945((volume / "69_091.005").string(), picture_, 1);
    WritePicture945((volume / "x69_011.001").string(), picture_, 1);
    WriteText((volume / "README").string(), "not a picture");
    // What a converted copy, gdalinfo -stats and gdal_translate to PDS4 or
    // ISIS3 leave beside a picture: files made from it, never pictures.
    WritePicture945((volume / "69_091.005.bmp").string(), picture_, 1);
    for (const char* side : {"69_091.005.aux.xml", "69_091.005.xml", "69_091.005.cub.xml"})
        WriteText((volume / side).string(), "<PAMDataset></PAMDataset>");
    WriteText((volume / "69_091.005.img").string(), std::string(5000, '\x3f'));

    const fs::path out = scratch_.path() / "made" / "png";  // made on the way
    const auto run = RunConvert(scratch_, {volume.string(), "-o", out.string()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(FolderNames(out), (std::vector<std::string>{"69_091.005.png", "RBL_001.001.png", "rbl_002.001.png"}));
    // Not on a terminal: no progress, a warning for each name no catalogue
    // row lists, and the summary that counts them.
    const std::string unlisted = ": warning: not in the catalogue: default parameters used\n";
    // Two jobs finish in either order.
    const std::string first = "orbalux-convert: " + (volume / "RBL_001.001").string() + unlisted;
    const std::string second = "orbalux-convert: " + (volume / "rbl_002.001").string() + unlisted;
    const std::string warnings = run.err.substr(0, run.err.find("converted"));
    EXPECT_TRUE(warnings == first + second || warnings == second + first) << warnings;
    EXPECT_NE(run.err.find("converted 3, failed 0, warned 2, "), std::string::npos) << run.err;
    // Each output is its own input's picture.
    EXPECT_EQ(ReadGreyPng((out / "rbl_002.001.png").string()).pixels[static_cast<std::size_t>(kH - 1) * kW],
              KnownPicture945(3).At(0, 0));
}

TEST_F(ConvertTest, ResultsDoNotDependOnTheNumberOfJobs) {
    const fs::path volume = scratch_.path() / "volume";
    fs::create_directories(volume);
    for (int i = 0; i < 5; ++i)
        WritePicture945((volume / ("RBL_00" + std::to_string(i) + ".001")).string(), KnownPicture945(i * 50), 2);
    WritePicture945((volume / "69_091.005").string(), picture_, 1);

    for (const char* format : {"bmp", "png"}) {
        const std::string one = scratch_ / (std::string("one_") + format), two = scratch_ / (std::string("two_") + format);
        const std::vector<std::string> common = {"--stretch", "--despeckle", "--fill-missing", "--format", format,
                                                 volume.string()};
        auto args1 = common, args2 = common;
        args1.insert(args1.end(), {"--jobs", "1", "-o", one});
        args2.insert(args2.end(), {"--jobs", "2", "-o", two});
        ASSERT_EQ(RunConvert(scratch_, args1).exitCode, 0);
        ASSERT_EQ(RunConvert(scratch_, args2).exitCode, 0);
        const auto names = FolderNames(one);
        ASSERT_EQ(names.size(), 6u);
        ASSERT_EQ(FolderNames(two), names);
        for (const std::string& name : names)
            EXPECT_TRUE(ReadBytes(one + "/" + name) == ReadBytes(two + "/" + name)) << format << " " << name;
    }
}

TEST_F(ConvertTest, AFailedFileIsReportedAndTheOthersGoOn) {
    const std::string missing = scratch_ / "69_000.001";
    const std::string broken = scratch_ / "RBL_009.001";
    fs::create_symlink(scratch_ / "nowhere", broken);
    const std::string out = scratch_ / "out";
    const auto run = RunConvert(scratch_, {"--jobs", "2", missing, rbl_, broken, stretched_, "-o", out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(missing + ": No such file or directory\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(broken + ": No such file or directory\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("converted 2, failed 2"), std::string::npos) << run.err;
    EXPECT_EQ(FolderNames(out), (std::vector<std::string>{"69_091.005.png", "RBL_001.001.png"}));
}

TEST_F(ConvertTest, NoOutputIsLeftHalfWrittenOrReplacedByAFailure) {
    // A folder that does not exist, and a "folder" that is a file.
    EXPECT_EQ(RunConvert(scratch_, {rbl_, "-o", scratch_ / "absent/out.png"}).exitCode, 1);
    EXPECT_FALSE(fs::exists(scratch_.path() / "absent"));
    WriteText(scratch_ / "plainfile", "x");
    EXPECT_EQ(RunConvert(scratch_, {rbl_, "-o", scratch_ / "plainfile/out.bmp"}).exitCode, 1);

    // Writes that fail part-way (the file size limit) leave the old outputs.
    const fs::path out = scratch_.path() / "out";
    fs::create_directories(out);
    WriteText((out / "RBL_001.001.bmp").string(), "old picture");
    const auto run = RunConvertWithFileLimit(scratch_, {"--format", "bmp", rbl_, stretched_, "-o", out.string()},
                                             512 * 1024);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("File too large"), std::string::npos) << run.err;
    EXPECT_EQ(ReadText((out / "RBL_001.001.bmp").string()), "old picture");
    EXPECT_EQ(FolderNames(out), (std::vector<std::string>{"RBL_001.001.bmp"}));
}

TEST_F(ConvertTest, OutputsThatCannotBeRightAreRefusedBeforeAnyWrite) {
    // An input whose name already ends in .png, converted onto itself.
    const std::string pngInput = scratch_ / "69_091.005.png";
    WritePicture945(pngInput, picture_, 1);
    const auto before = ReadBytes(pngInput);
    EXPECT_EQ(RunConvert(scratch_, {pngInput, "-o", pngInput}).exitCode, 2);
    EXPECT_EQ(ReadBytes(pngInput), before);

    // A folder converted into itself, twice: its outputs are never read back as inputs.
    const fs::path place = scratch_.path() / "place";
    fs::create_directories(place);
    fs::copy_file(rbl_, place / "RBL_001.001");
    fs::copy_file(stretched_, place / "69_091.005");
    for (int run = 0; run < 2; ++run) {
        const auto inPlace = RunConvert(scratch_, {"-q", place.string(), "-o", place.string()});
        EXPECT_EQ(inPlace.exitCode, 0) << inPlace.err;
    }
    EXPECT_EQ(FolderNames(place),
              (std::vector<std::string>{"69_091.005", "69_091.005.png", "RBL_001.001", "RBL_001.001.png"}));

    // Two inputs with one name write one output.
    const fs::path other = scratch_.path() / "other";
    fs::create_directories(other);
    WritePicture945((other / "RBL_001.001").string(), picture_, 2);
    EXPECT_EQ(RunConvert(scratch_, {rbl_, (other / "RBL_001.001").string(), "-o", scratch_ / "o1"}).exitCode, 2);
    EXPECT_FALSE(fs::exists(scratch_.path() / "o1"));

    // A file name for several inputs, an extension against --format, a
    // folder path that is a file, a sheet that is a folder.
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {rbl_, stretched_, "-o", scratch_ / "one.png"},
             {rbl_, "--format", "bmp", "-o", scratch_ / "one.png"},
             {rbl_, stretched_, "-o", rbl_},
             {"--contact-sheet", other.string(), rbl_}})
        EXPECT_EQ(RunConvert(scratch_, args).exitCode, 2) << args[args.size() - 2];
    EXPECT_EQ(FolderNames(other), (std::vector<std::string>{"RBL_001.001"}));
    EXPECT_FALSE(fs::exists(scratch_.path() / "one.png"));
}

TEST_F(ConvertTest, InfoPrintsParametersLostLinesAndHeader) {
    const orbalux::encoder::LineDefect dropped[] = {{.line = 300, .droppedBefore = 2}};
    orbalux::encoder::HeaderPlan header;
    header.records = 1;
    header.text1 = orbalux::encoder::HeaderLines({"MARINER 6 TV SUBSYSTEM  FAR ENCOUNTER", "FORMAT 945"});
    const std::string path = scratch_ / "69_091.005";
    orbalux::encoder::WriteFile(path, orbalux::encoder::EncodePicture(945, picture_, header, dropped));

    const auto run = RunConvert(scratch_, {"--info", path});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* expected : {"DataOffset: 482\n", "LineFormat: 945\n", "StretchGain: 1\n", "StretchBlack: 6\n",
                                 "FrameLineCount: 0\n", "Picture: 948 x 704\n", "Lost lines: 2\n",
                                 "MARINER 6 TV SUBSYSTEM  FAR ENCOUNTER", "FORMAT 945"})
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
    // The header's padding to 72 characters is not printed.
    EXPECT_EQ(run.out.find(" \n"), std::string::npos) << run.out;

    const auto missing = RunConvert(scratch_, {"--info", scratch_ / "69_404.001"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("69_404.001: No such file or directory"), std::string::npos) << missing.err;
}

TEST_F(ConvertTest, ContactSheetOfAFolder) {
    const fs::path volume = scratch_.path() / "volume";
    fs::create_directories(volume);
    for (int i = 0; i < 3; ++i)
        WritePicture945((volume / ("RBL_00" + std::to_string(i) + ".001")).string(), KnownPicture945(i * 80), 2);
    const std::string sheet = scratch_ / "sheet.png";
    // No display, whatever the platform variable says: the sheet is drawn off-screen.
    const auto run = RunConvertUnder(scratch_, "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ",
                                     {"-q", "--contact-sheet", sheet, "--thumb", "100", volume.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err.find("failed"), std::string::npos) << run.err;
    const auto grey = ReadGreyPng(sheet);
    // Three pictures: two columns, two rows of cells at least a thumbnail wide and tall.
    EXPECT_GE(grey.width, 2 * 100);
    EXPECT_LT(grey.width, 3 * 100);
    EXPECT_GE(grey.height, 2 * 100);

    // A sheet that cannot be written is the run's failure, in its summary too.
    const auto full =
        RunConvertWithFileLimit(scratch_, {"--contact-sheet", scratch_ / "full.png", volume.string()}, 1024);
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_NE(full.err.find("full.png: File too large\nconverted 3, failed 1, "), std::string::npos) << full.err;
    EXPECT_FALSE(fs::exists(scratch_.path() / "full.png"));
}

TEST_F(ConvertTest, ContactSheetShowsTheNarrowFormatsWidened) {
    // 69_011.001 is a narrow picture: 135 samples a line, the frame 816 wide.
    const fs::path volume = scratch_.path() / "narrow";
    fs::create_directories(volume);
    orbalux::encoder::HeaderPlan header;
    header.records = 1;
    orbalux::encoder::WriteFile(volume / "69_011.001",
                                orbalux::encoder::EncodePicture(136, orbalux::GreyImage(135, 702, 200), header));
    // Pixels of the picture's level on the sheet (the labels are lighter).
    auto pictureArea = [&](const std::vector<std::string>& options) {
        std::vector<std::string> args = {"-q", "--contact-sheet", scratch_ / "narrow.png", "--thumb", "120"};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(volume.string());
        EXPECT_EQ(RunConvert(scratch_, args).exitCode, 0);
        const auto sheet = ReadGreyPng(scratch_ / "narrow.png");
        return std::count_if(sheet.pixels.begin(), sheet.pixels.end(), [](std::uint8_t v) { return v > 190 && v < 210; });
    };
    const auto widened = pictureArea({});
    const auto asDecoded = pictureArea({"--original"});
    // Widened six-fold, the picture fills its thumbnail instead of a sixth of it.
    EXPECT_GT(widened, 120 * 100);
    EXPECT_LT(asDecoded * 5, widened);
}
