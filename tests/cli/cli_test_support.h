// Shared by the converter's tests: a scratch folder, picture files of known
// pixels written by the encoder, a run of the built converter, file reading.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "output/grey_picture.h"
#include "state/grey_image.h"

namespace cli_test {

namespace fs = std::filesystem;

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const fs::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

// The 945-sample picture (945 x 702 pixels) with pixel (x, y) = (x + 2y) mod 256,
// so that every grey level occurs, and the picture's corners differ.
orbalux::GreyImage KnownPicture945(int shift = 0);

// Writes `picture` in the 945-sample format as `path`, behind `headerRecords`
// header records (one for names whose data start at 482, two for 964).
void WritePicture945(const std::string& path, const orbalux::GreyImage& picture, int headerRecords);

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built orbalux-convert with `args` (each quoted), stdout and stderr
// caught in files of `scratch`.
RunResult RunConvert(const ScratchDir& scratch, const std::vector<std::string>& args);

// The same with files limited to `maxFileBytes` (a multiple of 512): a write
// past it fails with "File too large" instead of stopping the program.
RunResult RunConvertWithFileLimit(const ScratchDir& scratch, const std::vector<std::string>& args,
                                  long maxFileBytes);

// The same behind a shell prefix ("env VAR=value ", "ulimit ...; exec ").
RunResult RunConvertUnder(const ScratchDir& scratch, const std::string& shellPrefix,
                          const std::vector<std::string>& args);

std::vector<std::uint8_t> ReadBytes(const std::string& path);
std::string ReadText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);

// Reads a PNG as 8-bit grey with libpng; fails the test when it cannot.
orbalux::GreyImage ReadGreyPng(const std::string& path);

// The text chunks of a PNG in file order: keyword, text, and whether the
// chunk is iTXt (UTF-8) rather than tEXt (Latin-1).
struct PngTextChunk {
    std::string keyword;
    std::string text;
    bool international = false;
};
std::vector<PngTextChunk> ReadPngTexts(const std::string& path);

// Names in a folder, sorted.
std::vector<std::string> FolderNames(const fs::path& dir);

}  // namespace cli_test
