#include "cli/picture_output.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "cli/atomic_output.h"
#include "cli/grey_image.h"
#include "cli/png_writer.h"
#include "intake/load_sequence.h"

namespace orbalux::cli {

void WritePictureOutput(const PictureState& state, const std::string& path, OutputFormat format, int pngLevel) {
    if (format == OutputFormat::Png) {
        const GreyImage image = GreyFromBitmap(state);
        WriteFileAtomically(path, [&](std::FILE* file) {
            try {
                WriteGreyPng(file, image, pngLevel);
            } catch (const std::runtime_error& e) {
                throw std::runtime_error("cannot write " + path + ": " + e.what());
            }
        });
        return;
    }
    const std::size_t size = BitmapFileSize(state);
    if (state.BitmapBuffer.size() < size) throw std::runtime_error("cannot write " + path + ": no picture");
    WriteFileAtomically(path, [&](std::FILE* file) {
        errno = 0;
        if (std::fwrite(state.BitmapBuffer.data(), 1, size, file) != size)
            throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno ? errno : EIO));
    });
}

}  // namespace orbalux::cli
