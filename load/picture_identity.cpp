#include "load/picture_identity.h"

#include <algorithm>

#include "decode/frame_decoder.h"
#include "decode/frame_formats.h"
#include "intake/catalogue.h"

namespace orbalux {
namespace {

// Two records, so that a first line lost in transmission does not hide the
// picture.
constexpr int kLeadingLines = 2;

}  // namespace

bool HoldsPictureLines(std::span<const std::uint8_t> bytes, long long length, const std::string& catalogueName) {
    const CatalogueParameters p = LookUpCatalogue(catalogueName);
    return ScanFrame(bytes, length, p.lineFormat, p.dataOffset, p.frameLineCount, catalogueName).linesFound > 0;
}

std::size_t LeadingBytesToIdentify(const std::string& catalogueName) {
    const CatalogueParameters p = LookUpCatalogue(catalogueName);
    const FrameFormat& format = FormatOrDefault(p.lineFormat);
    const int recordBytes = 2 + 4 * format.groups + format.trailing;
    return static_cast<std::size_t>(std::max(p.dataOffset, 0) + kLeadingLines * recordBytes);
}

bool LeadingBytesHoldPictureLines(std::span<const std::uint8_t> firstBytes, const std::string& catalogueName) {
    const auto checked = firstBytes.first(std::min(firstBytes.size(), LeadingBytesToIdentify(catalogueName)));
    return HoldsPictureLines(checked, static_cast<long long>(checked.size()), catalogueName);
}

}  // namespace orbalux
