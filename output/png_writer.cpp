#include "output/png_writer.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <stdexcept>
#include <span>
#include <string>
#include <vector>

#include "output/run_deflate.h"

namespace orbalux {
namespace {

// How each level compresses: levels, row filter mask, zlib strategy.
// The pictures' line-to-line noise leaves little for long-distance matches,
// so run-length matching after a row filter is both faster and smaller than
// zlib's full search; levels 4 to 9 keep the full search for pictures with
// large even areas.
struct LevelScheme {
    int firstLevel;
    int lastLevel;
    int filters;
    int strategy;
};
constexpr LevelScheme kLevelSchemes[] = {
    {0, 0, PNG_FILTER_NONE, Z_DEFAULT_STRATEGY},
    {1, 1, PNG_FILTER_UP, Z_RLE},
    {2, 2, PNG_FILTER_PAETH, Z_RLE},
    {3, 3, PNG_ALL_FILTERS, Z_RLE},
    {4, 9, PNG_ALL_FILTERS, Z_DEFAULT_STRATEGY},
};

const LevelScheme& SchemeFor(int level) {
    for (const LevelScheme& row : kLevelSchemes)
        if (level >= row.firstLevel && level <= row.lastLevel) return row;
    return kLevelSchemes[std::size(kLevelSchemes) - 1];
}

// The default level: "up" filter and runs of one repeated byte, deflated by
// the project's own fast coder rather than zlib's, to the same kind of stream.
constexpr int kRunLevel = 1;

// The rows with the "up" filter (each byte less the one above it) and the
// filter byte in front, and their zlib stream. The buffers are kept per
// thread, so that a converter worker reuses them from picture to picture.
std::span<const std::uint8_t> CompressedRows(const GreyImage& image) {
    thread_local std::vector<std::uint8_t> filtered;
    thread_local std::vector<std::uint8_t> stream;
    const auto width = static_cast<std::size_t>(image.width);
    filtered.resize((width + 1) * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = image.Row(y);
        std::uint8_t* out = filtered.data() + static_cast<std::size_t>(y) * (width + 1);
        out[0] = PNG_FILTER_VALUE_UP;
        if (y == 0) {
            std::copy_n(row, width, out + 1);  // above the first row lies zero
            continue;
        }
        const std::uint8_t* above = image.Row(y - 1);
        for (std::size_t x = 0; x < width; ++x) out[1 + x] = static_cast<std::uint8_t>(row[x] - above[x]);
    }
    const std::size_t length = CompressRuns(filtered, stream);
    return {stream.data(), length};
}

// libpng reports errors by a long jump; the message is kept here on the way.
struct ErrorSink {
    char message[256];
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
    auto* sink = static_cast<ErrorSink*>(png_get_error_ptr(png));
    std::snprintf(sink->message, sizeof sink->message, "%s", message ? message : "PNG error");
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// Only plain data lives in this frame, so the long jump skips no destructor.
bool WritePng(std::FILE* file, const GreyImage& image, int level, std::span<const PngText> texts, ErrorSink& sink) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, OnPngError, OnPngWarning);
    if (!png) {
        std::snprintf(sink.message, sizeof sink.message, "out of memory");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        std::snprintf(sink.message, sizeof sink.message, "out of memory");
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    const LevelScheme& scheme = SchemeFor(level);
    png_set_compression_level(png, level);
    png_set_compression_strategy(png, scheme.strategy);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, scheme.filters);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    AttachPngText(png, info, texts);
    png_write_info(png, info);
    if (level == kRunLevel) {
        // The rows go out as this file's own IDAT, then the closing chunk;
        // anything else meant for the file goes in before png_write_info,
        // which writes it.
        const std::span<const std::uint8_t> stream = CompressedRows(image);
        png_write_chunk(png, reinterpret_cast<png_const_bytep>("IDAT"), stream.data(), stream.size());
        png_write_chunk(png, reinterpret_cast<png_const_bytep>("IEND"), nullptr, 0);
    } else {
        for (int y = 0; y < image.height; ++y)
            png_write_row(png, image.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width));
        png_write_end(png, nullptr);
    }
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

void WriteGreyPng(std::FILE* file, const GreyImage& image, int level, std::span<const PngText> texts) {
    if (image.width <= 0 || image.height <= 0) throw std::runtime_error("empty picture");
    ErrorSink sink{};
    errno = 0;
    if (WritePng(file, image, std::clamp(level, 0, 9), texts, sink)) return;
    // libpng says only "Write Error" when the stream takes no more bytes; the
    // system's reason (a full disk, a file size limit) says why.
    if (errno != 0 && std::strcmp(sink.message, "Write Error") == 0) throw std::runtime_error(std::strerror(errno));
    throw std::runtime_error(sink.message);
}

}  // namespace orbalux
