#include "cli_test_support.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

namespace cli_test {

namespace {

std::string Quoted(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

namespace {

RunResult Run(const ScratchFolder& scratch, const std::string& prefix, const std::vector<std::string>& args) {
    const fs::path out = scratch.path() / ".stdout", err = scratch.path() / ".stderr";
    std::string command = prefix + Quoted(ORBALUX_CONVERT_BINARY);
    for (const std::string& arg : args) command += ' ' + Quoted(arg);
    command += std::string(" >") + Quoted(out.string()) + " 2>" + Quoted(err.string()) + " </dev/null";
    const int status = std::system(command.c_str());
    RunResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadText(out.string());
    result.err = ReadText(err.string());
    fs::remove(out);
    fs::remove(err);
    return result;
}

}  // namespace

RunResult RunConvert(const ScratchFolder& scratch, const std::vector<std::string>& args) {
    return Run(scratch, "", args);
}

RunResult RunConvertWithFileLimit(const ScratchFolder& scratch, const std::vector<std::string>& args,
                                  long maxFileBytes) {
    // An ignored signal stays ignored across exec, so the write just fails.
    return Run(scratch, "trap '' XFSZ; ulimit -f " + std::to_string(maxFileBytes / 512) + "; exec ", args);
}

RunResult RunConvertUnder(const ScratchFolder& scratch, const std::string& shellPrefix,
                          const std::vector<std::string>& args) {
    return Run(scratch, shellPrefix, args);
}

}  // namespace cli_test
