// Ctrl+C and SIGTERM in the middle of a batch: the converter stops starting
// files, leaves no temporary file, keeps the finished outputs whole, and says
// by its exit status which signal stopped it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "cli_test_support.h"

using namespace cli_test;

namespace {

constexpr int kFiles = 200;

// Starts the converter with stderr into `errPath`; returns its process id.
pid_t StartConvert(const std::vector<std::string>& args, const std::string& errPath) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        const int null = ::open("/dev/null", O_RDWR);
        if (err < 0 || null < 0 || ::dup2(err, 2) < 0 || ::dup2(null, 1) < 0 || ::dup2(null, 0) < 0) ::_exit(126);
        std::vector<char*> argv{const_cast<char*>(ORBALUX_CONVERT_BINARY)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(ORBALUX_CONVERT_BINARY, argv.data());
        ::_exit(127);
    }
    return pid;
}

bool IsTemporary(const std::string& name) { return name.front() == '.'; }

}  // namespace

TEST(Interruption, ASignalStopsTheBatchKeepsFinishedFilesAndLeavesNoTemporaryFile) {
    ScratchDir scratch;
    const fs::path volume = scratch.path() / "volume";
    fs::create_directories(volume);
    WritePicture945((volume / "RBL_000.001").string(), KnownPicture945(), 2);
    for (int i = 1; i < kFiles; ++i)
        fs::create_symlink(volume / "RBL_000.001", volume / ("RBL_" + std::to_string(100 + i) + ".001"));

    for (const int signal : {SIGINT, SIGTERM}) {
        const fs::path out = scratch.path() / ("out" + std::to_string(signal));
        const std::string err = scratch / "err";
        // The slowest PNG level, one file at a time: the batch is still
        // running when a file is seen in progress.
        const pid_t pid =
            StartConvert({"-q", "--jobs", "1", "--png-level", "9", volume.string(), "-o", out.string()}, err);
        bool inProgress = false;
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!inProgress && std::chrono::steady_clock::now() < giveUp) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            if (!fs::exists(out)) continue;
            const auto names = FolderNames(out);
            inProgress = names.size() >= 2 && std::any_of(names.begin(), names.end(), IsTemporary);
        }
        ASSERT_TRUE(inProgress) << "no file seen in progress";
        ::kill(pid, signal);
        int status = 0;
        ::waitpid(pid, &status, 0);

        ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), 128 + signal);
        const auto names = FolderNames(out);
        EXPECT_LT(names.size(), static_cast<std::size_t>(kFiles));
        EXPECT_TRUE(std::none_of(names.begin(), names.end(), IsTemporary)) << names.back();
        for (const std::string& name : names) {
            const orbalux::GreyImage picture = ReadGreyPng((out / name).string());
            EXPECT_EQ(picture.width * picture.height, 948 * 704) << name;
        }
        const std::string said = ReadText(err);
        EXPECT_NE(said.find("interrupted: " + std::to_string(kFiles - names.size()) + " of " +
                            std::to_string(kFiles) + " files not converted"),
                  std::string::npos)
            << said;
    }
}
