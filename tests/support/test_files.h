// Files as tests read and write them: whole byte and text contents, a
// folder's names, and PNG files read back with libpng (not the project's own
// writer), pixels and text chunks.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "state/grey_image.h"

namespace orbalux::test {

std::vector<std::uint8_t> ReadBytes(const std::string& path);
std::string ReadText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);

// Names in a folder, sorted.
std::vector<std::string> FolderNames(const std::filesystem::path& dir);

// Reads a PNG as 8-bit grey; fails the test when it cannot.
orbalux::GreyImage ReadGreyPng(const std::string& path);

// The text chunks of a PNG in file order: keyword, text, and whether the
// chunk is iTXt (UTF-8) rather than tEXt (Latin-1).
struct PngTextChunk {
    std::string keyword;
    std::string text;
    bool international = false;
};
std::vector<PngTextChunk> ReadPngTexts(const std::string& path);

}  // namespace orbalux::test
