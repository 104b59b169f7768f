#include "tools/encoder/picture_file_builder.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>

#include "tools/encoder/line_layouts.h"

namespace orbalux::encoder {

namespace {

std::uint16_t MarkerWord(const LineLayout& layout, const LineDefect& defect) {
    switch (defect.marker) {
        case MarkerKind::Primary: return layout.primaryMarker;
        case MarkerKind::Gap1: return layout.GapMarker1();
        case MarkerKind::Gap2: return layout.GapMarker2();
        case MarkerKind::Custom: return defect.customMarker;
    }
    return layout.primaryMarker;
}

// Writes `data` at `offset`, growing the file with zero bytes as needed.
void Place(std::vector<std::uint8_t>& file, std::size_t offset, const std::vector<std::uint8_t>& data) {
    if (file.size() < offset + data.size()) file.resize(offset + data.size(), 0);
    std::copy(data.begin(), data.end(), file.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace

EncodedFile BuildPictureFile(const PictureFilePlan& plan) {
    const LineLayout& layout = LineLayoutFor(plan.lineFormat);
    if (plan.picture.height > 0 && plan.picture.width != layout.PixelsPerLine()) {
        throw std::invalid_argument("format " + std::to_string(layout.lineFormat) + " lines hold " +
                                    std::to_string(layout.PixelsPerLine()) + " pixels, not " +
                                    std::to_string(plan.picture.width));
    }

    std::optional<HighBitJunk> junk;
    if (plan.junkSeed) junk.emplace(*plan.junkSeed);
    HighBitJunk* junkPtr = junk ? &*junk : nullptr;

    EncodedFile result;
    std::vector<std::uint8_t>& file = result.bytes;
    file = BuildHeaderRecords(plan.header, junkPtr);
    const long long dataOffset = plan.dataOffset < 0 ? static_cast<long long>(file.size()) : plan.dataOffset;
    if (dataOffset < static_cast<long long>(file.size())) {
        throw std::invalid_argument("data offset " + std::to_string(dataOffset) +
                                    " lies inside the header records");
    }
    file.resize(static_cast<std::size_t>(dataOffset), 0);

    std::map<int, LineDefect> defects;
    for (const LineDefect& d : plan.defects) {
        if (d.displacement % 2 != 0) throw std::invalid_argument("marker displacement must be even");
        if (d.droppedBefore < 0) throw std::invalid_argument("dropped line count must not be negative");
        defects[d.line] = d;
    }
    // Picture rows whose records a lost line left out of the file.
    std::vector<bool> absent(static_cast<std::size_t>(std::max(plan.picture.height, 0)), false);
    for (const auto& [line, d] : defects) {
        if (d.shape != LostLineShape::RecordsAbsent) continue;
        if (d.droppedBefore > line) throw std::invalid_argument("lost lines before the first picture row");
        for (int row = line - d.droppedBefore; row < line; ++row) {
            if (row < plan.picture.height) absent[static_cast<std::size_t>(row)] = true;
        }
    }

    long long cursor = dataOffset;  // where the next record would start undisturbed
    std::vector<std::uint8_t> record;
    for (int row = 0; row < plan.picture.height; ++row) {
        LineDefect defect{.line = row};
        if (auto it = defects.find(row); it != defects.end()) defect = it->second;
        if (absent[static_cast<std::size_t>(row)]) {
            if (defects.count(row)) throw std::invalid_argument("line " + std::to_string(row) + " is lost");
            continue;
        }

        const long long start = cursor + 2LL * defect.droppedBefore + defect.displacement;
        if (start < 0) throw std::invalid_argument("line record " + std::to_string(row) + " before byte 0");

        const std::uint16_t marker = MarkerWord(layout, defect);
        record.assign({static_cast<std::uint8_t>(marker & 0xFF), static_cast<std::uint8_t>(marker >> 8)});
        AppendPacked({plan.picture.Row(row), static_cast<std::size_t>(plan.picture.width)}, record, junkPtr);
        record.insert(record.end(), static_cast<std::size_t>(layout.trailingBytes), plan.trailingFill);

        Place(file, static_cast<std::size_t>(start), record);
        result.markerOffsets.push_back(static_cast<std::size_t>(start));
        cursor = start + layout.RecordBytes();
    }
    // A record moved back over its predecessor ends the file earlier than
    // the bytes already written; the file still ends behind the last record.
    file.resize(static_cast<std::size_t>(std::max<long long>(cursor, dataOffset)), 0);

    if (plan.truncateAt && file.size() > *plan.truncateAt) file.resize(*plan.truncateAt);
    if (file.size() < plan.minimumLength) file.resize(plan.minimumLength, 0);
    return result;
}

}  // namespace orbalux::encoder
