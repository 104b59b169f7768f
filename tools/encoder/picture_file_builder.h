// Lays out a whole picture file: header records, padding up to the data
// offset, then one line record per picture row, with the transmission
// defects of real files reproduced on request.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "state/grey_image.h"
#include "tools/encoder/header_text.h"

namespace orbalux::encoder {

enum class MarkerKind {
    Primary,  // the format's marker word: an ordinary line
    Gap1,     // primary - 2: the ground station saw one line lost after this one
    Gap2,     // primary - 4: two lines lost after this one
    Custom,   // LineDefect::customMarker
};

// How a file shows the lines lost in front of a record.
enum class LostLineShape {
    // The lost lines' records are not in the file: each left only 2 bytes,
    // so the record starts 2k bytes late and the picture rows of the k lost
    // lines (the k rows in front of it) are not written. The file holds one
    // record fewer per lost line, as the files of a real volume do.
    RecordsAbsent,
    // Every picture row keeps its record; the record merely starts 2k bytes
    // late, as if 2k extra bytes lay in front of it.
    RecordsKept,
};

// What is wrong with one line record. Shifts add up and carry over to every
// later record, as a lost or shortened record does in a real file.
struct LineDefect {
    int line = 0;            // which record (0 = first picture row)
    int droppedBefore = 0;   // k lines lost in front: the record starts 2k bytes late
    LostLineShape shape = LostLineShape::RecordsKept;
    int displacement = 0;    // further shift in bytes, even; negative overlaps the
                             // previous record's last bytes
    MarkerKind marker = MarkerKind::Primary;
    std::uint16_t customMarker = 0;
};

struct PictureFilePlan {
    int lineFormat = 945;
    HeaderPlan header{};
    int dataOffset = -1;  // where record 1 starts; -1: right behind the header records
    GreyImage picture{};  // width = the format's pixels per line, one row per record
    std::vector<LineDefect> defects{};
    std::uint8_t trailingFill = 0;            // content of the trailing bytes, if any
    std::optional<std::uint32_t> junkSeed{};  // random high bits in every packed byte
    std::optional<std::size_t> truncateAt{};  // cut the file to this many bytes
    std::size_t minimumLength = 0;            // pad with zero bytes up to this length
};

struct EncodedFile {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> markerOffsets;  // where each record's marker word starts
                                             // (one per record in the file)
};

// Builds the file; throws std::invalid_argument for an impossible layout
// (wrong picture width, data offset inside the header, record before byte 0,
// odd displacement, unknown format).
EncodedFile BuildPictureFile(const PictureFilePlan& plan);

}  // namespace orbalux::encoder
