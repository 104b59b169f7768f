#include "output/png_text.h"

#include <cstdio>
#include <memory>

namespace orbalux {
namespace {

bool IsAscii(const std::string& text) {
    for (unsigned char c : text)
        if (c >= 0x80) return false;
    return true;
}

// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(const std::string& text) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char c = s[i];
        int more = 0;
        unsigned cp = 0;
        if (c < 0x80) { ++i; continue; }
        if (c >= 0xC2 && c <= 0xDF) { more = 1; cp = c & 0x1F; }
        else if (c >= 0xE0 && c <= 0xEF) { more = 2; cp = c & 0x0F; }
        else if (c >= 0xF0 && c <= 0xF4) { more = 3; cp = c & 0x07; }
        else return false;
        if (i + static_cast<std::size_t>(more) >= n) return false;
        for (int k = 1; k <= more; ++k) {
            if ((s[i + k] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if ((more == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (more == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += static_cast<std::size_t>(more) + 1;
    }
    return true;
}

}  // namespace

// libpng reports a failure by a long jump out of png_set_text, so this frame
// holds only plain data: one chunk at a time, libpng copying each.
void AttachPngText(png_structp png, png_infop info, std::span<const PngText> texts) {
    for (const PngText& t : texts) {
        const bool international = !IsAscii(t.text) && IsUtf8(t.text);
        png_text chunk{};
        chunk.compression = international ? PNG_ITXT_COMPRESSION_NONE : PNG_TEXT_COMPRESSION_NONE;
        chunk.key = const_cast<png_charp>(t.keyword.c_str());
        chunk.text = const_cast<png_charp>(t.text.c_str());
        chunk.text_length = international ? 0 : t.text.size();
        chunk.itxt_length = international ? t.text.size() : 0;
        png_set_text(png, info, &chunk, 1);
    }
}

namespace {

// Only the chunks up to the pixels are read; the frame that libpng may jump
// back to holds no object with a destructor.
bool ReadTextChunks(std::FILE* file, std::string_view keyword, std::string& found) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    volatile bool hit = false;  // kept across a long jump
    if (info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_read_info(png, info);
        png_textp texts = nullptr;
        const int count = png_get_text(png, info, &texts, nullptr);
        for (int i = 0; i < count && !hit; ++i) {
            if (keyword != texts[i].key) continue;
            const bool international =
                texts[i].compression == PNG_ITXT_COMPRESSION_NONE || texts[i].compression == PNG_ITXT_COMPRESSION_zTXt;
            found.assign(texts[i].text, international ? texts[i].itxt_length : texts[i].text_length);
            hit = true;
        }
    }
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    return hit;
}

}  // namespace

std::optional<std::string> ReadPngTextChunk(const std::string& path, std::string_view keyword) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return std::nullopt;
    std::string text;
    if (!ReadTextChunks(file.get(), keyword, text)) return std::nullopt;
    return text;
}

}  // namespace orbalux
