#include "intake/picture_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

#include "intake/orbalux_error.h"

namespace orbalux {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string SystemReason(int err) { return std::strerror(err); }

}  // namespace

std::string FileNamePart(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DirectoryPart(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void ReadPictureFile(PictureState& state, const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) throw OrbaluxError(path, SystemReason(errno));

    // A directory opens on this platform but cannot be read as a picture.
    struct stat info {};
    if (fstat(fileno(file.get()), &info) != 0) throw OrbaluxError(path, SystemReason(errno));
    if (S_ISDIR(info.st_mode)) throw OrbaluxError(path, SystemReason(EISDIR));

    // Read into a fresh block first, so that a failure leaves the previous
    // load's state as it was.
    std::vector<std::uint8_t> bytes(kFileBufferSize, 0);
    std::size_t total = 0;
    while (total < bytes.size()) {
        const std::size_t got = std::fread(bytes.data() + total, 1, bytes.size() - total, file.get());
        if (got == 0) {
            if (std::ferror(file.get())) throw OrbaluxError(path, SystemReason(errno ? errno : EIO));
            break;  // end of file: the rest stays zero
        }
        total += got;
    }

    // Allocated before either buffer is replaced, so that running out of
    // memory here also leaves the previous state whole.
    std::vector<std::uint8_t> bitmap(kBitmapBufferSize, 0);
    state.FileBuffer = std::move(bytes);
    state.BitmapBuffer = std::move(bitmap);
}

}  // namespace orbalux
