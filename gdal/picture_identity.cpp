#include "gdal/picture_identity.h"

#include <algorithm>

#include "decode/frame_decoder.h"
#include "decode/frame_formats.h"
#include "intake/catalogue.h"

namespace orbalux::gdal {
namespace {

constexpr int kFirstLines = 2;

// The decoder's format for the catalogue's code; an unknown code is read as
// the default format, as the decoder does.
const FrameFormat& FormatFor(int lineFormat) {
    const FrameFormat* format = FindFrameFormat(lineFormat);
    return format ? *format : *FindFrameFormat(kDefaultLineFormat);
}

}  // namespace

std::size_t BytesToCheck(const std::string& catalogueName) {
    const CatalogueParameters p = LookUpCatalogue(catalogueName);
    const FrameFormat& format = FormatFor(p.lineFormat);
    const int recordBytes = 2 + 4 * format.groups + format.trailing;
    return static_cast<std::size_t>(std::max(p.dataOffset, 0) + kFirstLines * recordBytes);
}

bool FirstLinesFound(std::span<const std::uint8_t> firstBytes, const std::string& catalogueName) {
    const std::span<const std::uint8_t> checked = firstBytes.first(std::min(firstBytes.size(), BytesToCheck(catalogueName)));
    const CatalogueParameters p = LookUpCatalogue(catalogueName);
    // Past the checked bytes the walk reads zeros, where no marker lies.
    const FrameScan scan = ScanFrame(checked, static_cast<long long>(checked.size()), p.lineFormat, p.dataOffset,
                                     p.frameLineCount, catalogueName);
    return scan.linesFound > 0;
}

}  // namespace orbalux::gdal
