#include "gdal_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <cpl_string.h>

#include "decode/frame_formats.h"

namespace gdal_test {

std::string NameWithFormat(int lineFormat) {
    for (const orbalux::CatalogueRow& row : orbalux::CatalogueRows()) {
        if (row.kind != orbalux::KeyKind::Name10 && row.kind != orbalux::KeyKind::Upper11) continue;
        const std::string name(row.key);
        if (orbalux::LookUpCatalogue(name).lineFormat == lineFormat) return name;
    }
    ADD_FAILURE() << "no catalogue name with format " << lineFormat;
    return {};
}

enc::PictureFilePlan PlanFor(const std::string& name, std::uint32_t seed) {
    const orbalux::CatalogueParameters facts = orbalux::LookUpCatalogue(name);
    const enc::LineLayout& layout = enc::LineLayoutFor(facts.lineFormat);
    int lines = layout.linesPerFrame;
    if (facts.lineFormat == 999 && facts.frameLineCount > 0)
        lines = orbalux::Choose999LineCount(facts.frameLineCount).lines;

    enc::PictureFilePlan plan;
    plan.lineFormat = facts.lineFormat;
    plan.dataOffset = facts.dataOffset;
    plan.picture = orbalux::GreyImage(layout.PixelsPerLine(), lines);
    // Varied levels whose packed bytes never pass for a marker word.
    std::uint32_t v = seed * 2654435761u;
    for (std::uint8_t& pixel : plan.picture.pixels) {
        v = v * 1103515245u + 12345u;
        pixel = static_cast<std::uint8_t>(100 + (v >> 16) % 150);
    }
    plan.header.records = facts.dataOffset >= 964 ? 2 : facts.dataOffset >= 482 ? 1 : 0;
    plan.header.text1 = enc::HeaderLines({"MARINER 7 TV SUBSYSTEM  TEST PICTURE", "FILE " + name});
    plan.header.text2 = enc::HeaderLines({"SECOND RECORD"});
    return plan;
}

void WritePlan(const std::string& path, const enc::PictureFilePlan& plan) {
    enc::WriteFile(path, enc::BuildPictureFile(plan).bytes);
}

namespace {

std::string Quoted(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::uint32_t Little(const std::vector<std::uint8_t>& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

}  // namespace

Picture ConverterPicture(const ScratchFolder& scratch, const std::string& input,
                         const std::vector<std::string>& flags) {
    const std::string bmp = scratch / "converter.bmp";
    std::string command = Quoted(ORBALUX_CONVERT_BINARY) + " -q";
    for (const std::string& flag : flags) command += ' ' + Quoted(flag);
    command += ' ' + Quoted(input) + std::string(" -o ") + Quoted(bmp);
    EXPECT_EQ(std::system(command.c_str()), 0) << command;

    std::ifstream in(bmp, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    fs::remove(bmp);
    Picture picture;
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
        ADD_FAILURE() << "the converter wrote no BMP for " << input;
        return picture;
    }
    // A 24-bit bottom-up BMP of grey triplets; every decoded width is a
    // multiple of 4, so rows have no fill bytes.
    picture.width = static_cast<int>(Little(bytes, 18, 4));
    picture.height = static_cast<int>(Little(bytes, 22, 4));
    const std::size_t pixelsAt = Little(bytes, 10, 4);
    const std::size_t w = static_cast<std::size_t>(picture.width), h = static_cast<std::size_t>(picture.height);
    if (bytes.size() < pixelsAt + 3 * w * h) {
        ADD_FAILURE() << "short BMP for " << input;
        return {};
    }
    picture.pixels.resize(w * h);
    for (std::size_t row = 0; row < h; ++row)
        for (std::size_t x = 0; x < w; ++x) picture.pixels[row * w + x] = bytes[pixelsAt + 3 * ((h - 1 - row) * w + x)];
    return picture;
}

Picture ReadBand(GDALDatasetH dataset) {
    Picture picture;
    picture.width = GDALGetRasterXSize(dataset);
    picture.height = GDALGetRasterYSize(dataset);
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    const CPLErr err = GDALRasterIO(GDALGetRasterBand(dataset, 1), GF_Read, 0, 0, picture.width, picture.height,
                                    picture.pixels.data(), picture.width, picture.height, GDT_Byte, 0, 0);
    EXPECT_EQ(err, CE_None);
    return picture;
}

GDALDatasetH OpenMariner(const std::string& path, const std::vector<std::string>& openOptions, unsigned flags) {
    const char* const drivers[] = {"MARINER67", nullptr};
    CPLStringList options;
    for (const std::string& option : openOptions) options.AddString(option.c_str());
    return GDALOpenEx(path.c_str(), flags, drivers, options.List(), nullptr);
}

}  // namespace gdal_test
