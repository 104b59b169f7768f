// Reading a picture file whole into FileBuffer.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "state/picture_state.h"

namespace orbalux {

// Reads at most 2,100,000 bytes (kFileBufferSize; a longer file is cut there)
// of the file at `path` into FileBuffer, zero-filled behind the file's bytes,
// notes how many it read in FileLength, and gives BitmapBuffer its size. A file that cannot be
// opened or read (missing, a directory, no permission, an I/O error) throws
// OrbaluxError naming the file and the system's reason, and leaves the state
// as it was.
void ReadPictureFile(PictureState& state, const std::string& path);

// The same in two steps, so that a load can look at the bytes before the state
// changes: the read into `bytes`, whose memory is kept when it already has the
// size: every byte is written, the file's and the zeros behind them. Returns
// how many the file gave.
long long ReadPictureBytesInto(const std::string& path, std::vector<std::uint8_t>& bytes);
// The same for a file's bytes already in memory (a file inside an archive, a
// download): copied into `block` as a read would leave them, at most
// kFileBufferSize of them and zeros behind. Returns how many it took.
long long CopyPictureBytesInto(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& block);
// Writes the start of a file into the block it is given (at most its size)
// and returns how many bytes it wrote; throws OrbaluxError naming the file
// when it cannot be read. For a reader of the program's own (GDAL's virtual
// files) that reads straight into the load's block.
using PictureBlockReader = std::function<std::size_t(std::span<std::uint8_t> block)>;
// The same as a read through `reader`: `block` sized kFileBufferSize, the
// reader's bytes and zeros behind them. Returns how many it wrote.
long long ReadPictureBlockWith(const PictureBlockReader& reader, std::vector<std::uint8_t>& block);
// A load's install of what ReadPictureBytesInto read into SpareBuffer: the two
// blocks change places, and BitmapBuffer keeps its memory for the bitmap
// stages, which write every byte of it (it is sized only when
// PictureState::WriteBitmap asks for the BMP).
void InstallSpareBytes(PictureState& state, long long length);

// The name part of a path (what follows the last '/').
std::string FileNamePart(const std::string& path);
// The directory part of a path, ending with '/' (empty when the path has none).
std::string DirectoryPart(const std::string& path);

}  // namespace orbalux
