// Ctrl+C and SIGTERM in the middle of a batch: the converter stops starting
// files, leaves no temporary file, keeps the finished outputs whole, and says
// by its exit status which signal stopped it.
#include <algorithm>
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

// A folder of kFiles pictures (links to one).
fs::path MakeVolume(const ScratchFolder& scratch) {
    const fs::path volume = scratch.path() / "volume";
    fs::create_directories(volume);
    WritePicture945((volume / "RBL_000.001").string(), KnownPicture945(), 2);
    for (int i = 1; i < kFiles; ++i)
        fs::create_symlink(volume / "RBL_000.001", volume / ("RBL_" + std::to_string(100 + i) + ".001"));
    return volume;
}

// Waits until `out` holds a file in progress beside a finished one (at least
// `names` entries in all); false after a minute.
bool WaitForFileInProgress(const fs::path& out, std::size_t names = 2) {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        std::error_code ec;
        if (!fs::exists(out, ec)) continue;
        const auto found = FolderNames(out);
        if (found.size() >= names && std::any_of(found.begin(), found.end(), IsTemporary)) return true;
    }
    return false;
}

}  // namespace

TEST(Interruption, ASignalStopsTheBatchKeepsFinishedFilesAndLeavesNoTemporaryFile) {
    ScratchFolder scratch;
    const fs::path volume = MakeVolume(scratch);

    for (const int signal : {SIGINT, SIGTERM}) {
        const fs::path out = scratch.path() / ("out" + std::to_string(signal));
        const std::string err = scratch / "err";
        // The slowest PNG level, one file at a time: the batch is still
        // running when a file is seen in progress.
        const pid_t pid =
            StartConvert({"-q", "--jobs", "1", "--png-level", "9", volume.string(), "-o", out.string()}, err);
        ASSERT_TRUE(WaitForFileInProgress(out)) << "no file seen in progress";
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

TEST(Interruption, SignalsInQuickSuccessionInAnyOrderLeaveNoTemporaryFile) {
    // timeout and a double Ctrl+C send two signals: the second must find the
    // run stopping, not end it before its temporary files are gone.
    ScratchFolder scratch;
    const fs::path volume = MakeVolume(scratch);
    constexpr int kOrders[][2] = {{SIGTERM, SIGTERM}, {SIGINT, SIGINT}, {SIGTERM, SIGINT}, {SIGINT, SIGTERM}};
    constexpr int kRuns = 20;
    for (int run = 0; run < kRuns; ++run) {
        const auto [first, second] = kOrders[run % 4];
        SCOPED_TRACE("run " + std::to_string(run) + ": signals " + std::to_string(first) + ", " +
                     std::to_string(second));
        const fs::path out = scratch.path() / ("out" + std::to_string(run));
        const pid_t pid = StartConvert(
            {"-q", "--jobs", "2", "--png-level", "9", volume.string(), "-o", out.string()}, scratch / "err");
        // Every other run stops it in its very first file.
        ASSERT_TRUE(WaitForFileInProgress(out, run % 2 ? 1 : 2)) << "no file seen in progress";
        ::kill(pid, first);
        // 0 to 4 ms apart: the second comes while the first is being dealt
        // with, or once it is noted and the files in progress are finishing.
        std::this_thread::sleep_for(std::chrono::milliseconds(run % 5));
        ::kill(pid, second);
        int status = 0;
        ::waitpid(pid, &status, 0);

        ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
        // Sent so close together to a process of several threads, the two
        // may be taken in either order; the one taken first decides.
        const int exit = WEXITSTATUS(status);
        EXPECT_TRUE(exit == 128 + first || exit == 128 + second) << exit;
        const auto names = FolderNames(out);
        EXPECT_TRUE(std::none_of(names.begin(), names.end(), IsTemporary)) << names.front();
    }
}

TEST(Interruption, CtrlCThenSigtermAtOnceEndsAsCtrlC) {
    // The second signal, sent at once, must not overtake the first while it
    // is being noted.
    ScratchFolder scratch;
    const fs::path volume = MakeVolume(scratch);
    for (int run = 0; run < 4; ++run) {
        const fs::path out = scratch.path() / ("out" + std::to_string(run));
        const pid_t pid = StartConvert({"-q", "--jobs", "2", "--png-level", "9", volume.string(), "-o", out.string()},
                                       scratch / "err");
        ASSERT_TRUE(WaitForFileInProgress(out)) << "no file seen in progress";
        ::kill(pid, SIGINT);
        ::kill(pid, SIGTERM);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), 130) << "run " << run;
    }
}
