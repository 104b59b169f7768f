// A fast deflate for filtered picture rows: runs of one repeated byte become
// matches at distance 1, everything else literals, each block with Huffman
// codes fitted to its own symbols; written as a standard zlib stream that any
// inflater reads.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace orbalux {

// Writes the zlib stream (header, deflate blocks, Adler-32) of `data` to the
// start of `out`, which it enlarges when needed but never shrinks, so that a
// buffer kept from picture to picture is not cleared or faulted in again.
// Returns the stream's length. A block that its codes would not shrink is
// stored instead.
std::size_t CompressRuns(std::span<const std::uint8_t> data, std::vector<std::uint8_t>& out);

}  // namespace orbalux
