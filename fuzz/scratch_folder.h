// A private folder for the fuzz targets' picture files, on a memory file
// system when there is one, removed when the process ends normally.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace orbalux::fuzz {

// Writes `bytes` to a file called `name` in the folder and returns its path.
std::string WriteScratchFile(const std::string& name, std::span<const std::uint8_t> bytes);

// Removes that file again.
void RemoveScratchFile(const std::string& path);

}  // namespace orbalux::fuzz
