// The BMP written whole from BitmapBuffer.
#include "output/bitmap_stream.h"

#include <cerrno>
#include <cstring>

#include "state/orbalux_error.h"

namespace orbalux {

void WriteBitmapStream(const PictureState& state, std::FILE* stream, const std::string& name) {
    const std::size_t size = BitmapFileSize(state);
    if (state.BitmapBuffer.size() < size) throw OrbaluxError(ErrorKind::Failed, name, "no picture");
    errno = 0;
    if (std::fwrite(state.BitmapBuffer.data(), 1, size, stream) != size)
        throw OrbaluxError(ErrorKind::Unwritable, name, std::strerror(errno ? errno : EIO));
}

}  // namespace orbalux
