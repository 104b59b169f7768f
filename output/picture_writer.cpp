#include "output/picture_writer.h"

#include <stdexcept>

#include "output/atomic_file.h"
#include "output/bitmap_stream.h"
#include "output/grey_picture.h"
#include "output/png_best_of.h"
#include "state/orbalux_error.h"

namespace orbalux {

void WritePictureStream(const PictureState& state, std::FILE* stream, const std::string& name,
                        PictureFormat format, int pngLevel, std::span<const PngText> texts) {
    if (format == PictureFormat::Png) {
        // Kept per thread, so that a converter worker reuses it.
        thread_local GreyImage image;
        GreyFromBitmap(state, image);
        try {
            WriteGreyPngBestOf(stream, image, pngLevel, texts);
        } catch (const std::runtime_error& e) {
            throw OrbaluxError(ErrorKind::Unwritable, name, e.what());
        }
        return;
    }
    WriteBitmapStream(state, stream, name);
}

void WritePictureFile(const PictureState& state, const std::string& path, PictureFormat format, int pngLevel,
                      std::span<const PngText> texts) {
    WriteFileAtomically(path,
                        [&](std::FILE* file) { WritePictureStream(state, file, path, format, pngLevel, texts); });
}

}  // namespace orbalux
