#include "output/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

#include "state/orbalux_error.h"
#include "state/path_parts.h"

namespace orbalux {
namespace {

OrbaluxError WriteError(const std::string& path, int err) { return OrbaluxError(ErrorKind::Unwritable, path, std::strerror(err)); }

// The mode a plain new file would get; mkstemp makes its files private.
mode_t NewFileMode() {
    static const mode_t mode = [] {
        const mode_t mask = umask(0);
        umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    return mode;
}

}  // namespace

AtomicOutputFile::AtomicOutputFile(std::string path) : path_(std::move(path)) {
    const std::string folder(FolderPartOf(path_));
    const std::string name(FileNameOf(path_));
    // The temporary name is the final one between a dot and six random
    // characters; a final name close to the longest a folder allows is cut
    // short in it, so that every legal output name can be written.
    constexpr std::size_t kAddedChars = 8;  // "." and ".XXXXXX"
    const std::string stem = name.size() + kAddedChars > NAME_MAX ? name.substr(0, NAME_MAX - kAddedChars) : name;
    std::string pattern = folder + "." + stem + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');

    const mode_t mode = NewFileMode();
    const int fd = mkstemp(buffer.data());
    if (fd < 0) throw WriteError(path_, errno);
    tempPath_ = buffer.data();
    if (fchmod(fd, mode) != 0 || (stream_ = fdopen(fd, "wb")) == nullptr) {
        const int err = errno;
        ::close(fd);
        ::unlink(tempPath_.c_str());
        throw WriteError(path_, err);
    }
}

AtomicOutputFile::~AtomicOutputFile() { Discard(); }

void AtomicOutputFile::Discard() {
    if (stream_) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    if (!tempPath_.empty()) {
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
    }
}

void AtomicOutputFile::Commit() {
    if (!stream_) throw OrbaluxError(ErrorKind::Unwritable, path_, "already closed");
    errno = 0;
    const bool flushed = std::fflush(stream_) == 0 && !std::ferror(stream_);
    int err = errno ? errno : EIO;
    const bool closed = std::fclose(stream_) == 0;
    stream_ = nullptr;
    if (flushed && !closed) err = errno ? errno : EIO;
    if (!flushed || !closed) {
        Discard();
        throw WriteError(path_, err);
    }
    if (std::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        err = errno;
        Discard();
        throw WriteError(path_, err);
    }
    tempPath_.clear();
}

void WriteFileAtomically(const std::string& path, const std::function<void(std::FILE*)>& write) {
    AtomicOutputFile out(path);
    write(out.stream());
    out.Commit();
}

}  // namespace orbalux
