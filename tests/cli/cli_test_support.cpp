#include "cli_test_support.h"

#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

#include "tools/encoder/picture_encoder.h"

namespace cli_test {

ScratchDir::ScratchDir() {
    std::random_device rd;
    path_ = fs::temp_directory_path() / ("orbalux_cli_" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(path_);
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

orbalux::GreyImage KnownPicture945(int shift) {
    orbalux::GreyImage picture(945, 702);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) picture.At(x, y) = static_cast<std::uint8_t>((x + 2 * y + shift) % 256);
    return picture;
}

void WritePicture945(const std::string& path, const orbalux::GreyImage& picture, int headerRecords) {
    orbalux::encoder::HeaderPlan header;
    header.records = headerRecords;
    header.text1 = orbalux::encoder::HeaderLines({"MARINER 6 TV SUBSYSTEM  TEST PICTURE", "FORMAT 945"});
    header.text2 = orbalux::encoder::HeaderLines({"SECOND RECORD"});
    orbalux::encoder::WriteFile(path, orbalux::encoder::EncodePicture(945, picture, header));
}

namespace {

std::string Quoted(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

namespace {

RunResult Run(const ScratchDir& scratch, const std::string& prefix, const std::vector<std::string>& args) {
    const fs::path out = scratch.path() / ".stdout", err = scratch.path() / ".stderr";
    std::string command = prefix + Quoted(ORBALUX_CONVERT_BINARY);
    for (const std::string& arg : args) command += " " + Quoted(arg);
    command += " >" + Quoted(out.string()) + " 2>" + Quoted(err.string()) + " </dev/null";
    const int status = std::system(command.c_str());
    RunResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadText(out.string());
    result.err = ReadText(err.string());
    fs::remove(out);
    fs::remove(err);
    return result;
}

}  // namespace

RunResult RunConvert(const ScratchDir& scratch, const std::vector<std::string>& args) {
    return Run(scratch, "", args);
}

RunResult RunConvertWithFileLimit(const ScratchDir& scratch, const std::vector<std::string>& args,
                                  long maxFileBytes) {
    // An ignored signal stays ignored across exec, so the write just fails.
    return Run(scratch, "trap '' XFSZ; ulimit -f " + std::to_string(maxFileBytes / 512) + "; exec ", args);
}

RunResult RunConvertUnder(const ScratchDir& scratch, const std::string& shellPrefix,
                          const std::vector<std::string>& args) {
    return Run(scratch, shellPrefix, args);
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ReadText(const std::string& path) {
    const auto bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

orbalux::GreyImage ReadGreyPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    orbalux::GreyImage grey;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        ADD_FAILURE() << path << ": " << image.message;
        return grey;
    }
    EXPECT_EQ(image.format & PNG_FORMAT_FLAG_COLOR, 0u) << "not a greyscale PNG";
    image.format = PNG_FORMAT_GRAY;
    grey.width = static_cast<int>(image.width);
    grey.height = static_cast<int>(image.height);
    grey.pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, grey.pixels.data(), 0, nullptr)) {
        ADD_FAILURE() << path << ": " << image.message;
        return {};
    }
    return grey;
}

std::vector<PngTextChunk> ReadPngTexts(const std::string& path) {
    std::vector<PngTextChunk> chunks;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        ADD_FAILURE() << path << ": cannot open";
        return chunks;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        ADD_FAILURE() << path << ": not a PNG";
    } else {
        png_init_io(png, file);
        png_read_info(png, info);  // text chunks before the pixels
        png_textp texts = nullptr;
        const int count = png_get_text(png, info, &texts, nullptr);
        for (int i = 0; i < count; ++i) {
            const bool international = texts[i].compression == PNG_ITXT_COMPRESSION_NONE ||
                                       texts[i].compression == PNG_ITXT_COMPRESSION_zTXt;
            chunks.push_back({texts[i].key,
                              std::string(texts[i].text, international ? texts[i].itxt_length : texts[i].text_length),
                              international});
        }
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return chunks;
}

std::vector<std::string> FolderNames(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace cli_test
