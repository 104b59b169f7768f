// Test files read and written, and PNG files read back through libpng.
#include "tests/support/test_files.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace orbalux::test {

namespace fs = std::filesystem;

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

}  // namespace orbalux::test
