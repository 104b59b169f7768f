#include "output/png_best_of.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "output/png_writer.h"

namespace orbalux {
namespace {

// A PNG written into memory (open_memstream), freed with the object.
class PngInMemory {
public:
    PngInMemory(const GreyImage& image, int level, std::span<const PngText> texts) {
        std::FILE* stream = open_memstream(&data_, &size_);
        if (!stream) throw std::runtime_error(std::strerror(errno));
        try {
            WriteGreyPng(stream, image, level, texts);
        } catch (...) {
            std::fclose(stream);
            throw;
        }
        if (std::fclose(stream) != 0) throw std::runtime_error(std::strerror(errno));
    }
    ~PngInMemory() { std::free(data_); }
    PngInMemory(const PngInMemory&) = delete;
    PngInMemory& operator=(const PngInMemory&) = delete;

    std::size_t size() const { return size_; }
    void WriteTo(std::FILE* file) const {
        errno = 0;
        if (std::fwrite(data_, 1, size_, file) != size_) throw std::runtime_error(std::strerror(errno ? errno : EIO));
    }

private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
};

constexpr int kFastLevel = 1;

}  // namespace

void WriteGreyPngBestOf(std::FILE* file, const GreyImage& image, int level, std::span<const PngText> texts) {
    if (level <= kFastLevel) {
        WriteGreyPng(file, image, level, texts);
        return;
    }
    const PngInMemory chosen(image, level, texts);
    const PngInMemory fast(image, kFastLevel, texts);
    (fast.size() < chosen.size() ? fast : chosen).WriteTo(file);
}

}  // namespace orbalux
