#include "gdal/virtual_file.h"

#include <cerrno>
#include <cstring>
#include <memory>

#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_port.h>
#include <cpl_vsi.h>

#include "state/orbalux_error.h"

namespace orbalux::gdal {
namespace {

struct CloseFile {
    void operator()(VSILFILE* file) const { VSIFCloseL(file); }
};

std::string Reason(const char* what) {
    const char* gdal = CPLGetLastErrorMsg();
    if (gdal != nullptr && *gdal != '\0') return std::string(what) + ": " + gdal;
    return std::string(what) + (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string());
}

}  // namespace

std::span<const std::uint8_t> ReadVirtualFile(const std::string& path, std::span<std::uint8_t> block) {
    CPLErrorReset();
    errno = 0;
    const std::unique_ptr<VSILFILE, CloseFile> file(VSIFOpenExL(path.c_str(), "rb", TRUE));
    if (!file) throw OrbaluxError(ErrorKind::Unreadable, path, Reason("cannot be opened"));
    std::size_t got = 0;
    while (got < block.size()) {
        const std::size_t n = VSIFReadL(block.data() + got, 1, block.size() - got, file.get());
        got += n;
        if (n == 0) break;
    }
    if (got < block.size() && VSIFEofL(file.get()) == 0)
        throw OrbaluxError(ErrorKind::Unreadable, path, Reason("cannot be read"));
    return block.first(got);
}

std::string PictureNameOf(const std::string& path) {
    std::string name = CPLGetFilename(path.c_str());
    if (STARTS_WITH_CI(path.c_str(), "/vsigzip/") && name.size() > 3 && EQUAL(name.c_str() + name.size() - 3, ".gz"))
        name.resize(name.size() - 3);
    return name;
}

}  // namespace orbalux::gdal
