#include "intake/picture_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "state/orbalux_error.h"
#include "state/path_parts.h"

namespace orbalux {
namespace {

// Closes the descriptor on every path out of a read.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

std::string SystemReason(int err) { return std::strerror(err); }

}  // namespace

std::string FileNamePart(const std::string& path) { return std::string(FileNameOf(path)); }

std::string DirectoryPart(const std::string& path) { return std::string(FolderPartOf(path)); }

long long ReadPictureBytesInto(const std::string& path, std::vector<std::uint8_t>& bytes) {
    // Opened without waiting, so that a named pipe in a picture's place is
    // refused instead of hanging the program until someone writes to it.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) throw OrbaluxError(ErrorKind::Unreadable, path, SystemReason(errno));

    struct stat info {};
    if (::fstat(file.get(), &info) != 0) throw OrbaluxError(ErrorKind::Unreadable, path, SystemReason(errno));
    if (S_ISDIR(info.st_mode)) throw OrbaluxError(ErrorKind::Unreadable, path, SystemReason(EISDIR));
    if (!S_ISREG(info.st_mode)) throw OrbaluxError(ErrorKind::Unreadable, path, "Not a regular file");

    bytes.resize(kFileBufferSize);
    std::size_t total = 0;
    while (total < bytes.size()) {
        const ssize_t got = ::read(file.get(), bytes.data() + total, bytes.size() - total);
        if (got < 0) {
            if (errno == EINTR) continue;
            throw OrbaluxError(ErrorKind::Unreadable, path, SystemReason(errno));
        }
        if (got == 0) break;  // end of file: the rest reads as zero
        total += static_cast<std::size_t>(got);
    }
    std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(total), bytes.end(), 0);
    return static_cast<long long>(total);
}

long long ReadPictureBlockWith(const PictureBlockReader& reader, std::vector<std::uint8_t>& block) {
    block.resize(kFileBufferSize);
    const std::size_t taken = std::min(reader(block), block.size());
    std::fill(block.begin() + static_cast<std::ptrdiff_t>(taken), block.end(), 0);
    return static_cast<long long>(taken);
}

long long CopyPictureBytesInto(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& block) {
    return ReadPictureBlockWith(
        [bytes](std::span<std::uint8_t> to) {
            const std::size_t taken = std::min(bytes.size(), to.size());
            std::copy_n(bytes.begin(), taken, to.begin());
            return taken;
        },
        block);
}

void InstallSpareBytes(PictureState& state, long long length) {
    // Sized before the blocks change places, so that running out of memory
    // leaves the previous state whole.
    if (state.WriteBitmap && state.BitmapBuffer.size() != static_cast<std::size_t>(kBitmapBufferSize))
        state.BitmapBuffer.assign(kBitmapBufferSize, 0);
    state.SpareBuffer.resize(kFileBufferSize);
    state.FileBuffer.swap(state.SpareBuffer);
    state.FileLength = length;
}

void ReadPictureFile(PictureState& state, const std::string& path) {
    // Read into the spare block first, so that a failure leaves the previous
    // load's state as it was.
    InstallSpareBytes(state, ReadPictureBytesInto(path, state.SpareBuffer));
    // A read alone leaves a bitmap block as a fresh one: all zero.
    std::fill(state.BitmapBuffer.begin(), state.BitmapBuffer.end(), 0);
}

}  // namespace orbalux
