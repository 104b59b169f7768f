// Shared by the converter's tests: a run of the built converter, beside the
// scratch folders, known pictures and file reading of tests/support.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "output/grey_picture.h"
#include "tests/support/encoded_pictures.h"
#include "tools/scratch/scratch_folder.h"
#include "tests/support/test_files.h"

namespace cli_test {

namespace fs = std::filesystem;

using namespace orbalux::test;

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built orbalux-convert with `args` (each quoted), stdout and stderr
// caught in files of `scratch`.
RunResult RunConvert(const ScratchFolder& scratch, const std::vector<std::string>& args);

// The same with files limited to `maxFileBytes` (a multiple of 512): a write
// past it fails with "File too large" instead of stopping the program.
RunResult RunConvertWithFileLimit(const ScratchFolder& scratch, const std::vector<std::string>& args,
                                  long maxFileBytes);

// The same behind a shell prefix ("env VAR=value ", "ulimit ...; exec ").
RunResult RunConvertUnder(const ScratchFolder& scratch, const std::string& shellPrefix,
                          const std::vector<std::string>& args);

}  // namespace cli_test
