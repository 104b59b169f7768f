// The row map: what each row of the decoded picture is (a line found in the
// file by its marker, a filler row standing in for a lost line, a line read
// where no marker was found, a row read past the file's data, a row the frame
// adds at its end) and which of its columns hold picture samples. Every outlet that must tell picture data from what is not
// data asks this map, never the grey levels.
#pragma once

#include <cstdint>
#include <vector>

namespace orbalux {

enum class RowKind : std::uint8_t {
    Line,      // a line record found by its marker, wholly within the file
    LostLine,  // a filler row for a line lost in transmission (never received)
    PastEnd,   // a line read past the file's data: its end, or the zero bytes
               // that pad it (archival media pad files to a block size)
    Tail,      // a row the frame adds after its last line
    Unmarked,  // a line read inside the file's data where no marker word was
               // found: a damaged record, or bytes that are not one
};

// One entry per row of the decoded picture (ImageHeight rows, first decoded
// line first). Columns outside [firstDataColumn, firstDataColumn +
// dataColumns) are never picture: the zero bytes that end each row, the grey
// field beside the narrow formats' samples.
struct RowMap {
    std::vector<RowKind> rows;
    // Rows the lines were decoded into below the picture's last row, in
    // order (no tail rows): the 876-sample frame's 950 lines fill more rows
    // than its 912, and lost lines kept as rows push the last lines down.
    std::vector<RowKind> belowPicture{};
    int firstDataColumn = 0;
    int dataColumns = 0;

    bool operator==(const RowMap&) const = default;
};

// Whether the decoded pixel at (row, column), both from 0, is picture data:
// a line found within the file, in a data column. Outside the picture: no.
inline bool IsDataPixel(const RowMap& map, int row, int column) {
    if (row < 0 || row >= static_cast<int>(map.rows.size())) return false;
    if (column < map.firstDataColumn || column >= map.firstDataColumn + map.dataColumns) return false;
    return map.rows[static_cast<std::size_t>(row)] == RowKind::Line;
}

// How many rows of the map are of `kind`.
inline int CountRows(const RowMap& map, RowKind kind) {
    int n = 0;
    for (const RowKind k : map.rows) n += k == kind ? 1 : 0;
    return n;
}

}  // namespace orbalux
