// The converter against hostile input and output places: files of any
// length, names of any bytes, paths that lead nowhere, a full file system, a
// folder it may not write into, levels far out of range. Each gets a clear
// message, the exit status that says what happened, and no output file that
// is cut short or replaced by a failed write.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "cli_test_support.h"
#include "tools/encoder/picture_encoder.h"

namespace {

using cli_test::FolderNames;
using cli_test::ReadBytes;
using cli_test::ReadText;
using cli_test::RunResult;
using cli_test::ScratchFolder;
using cli_test::WriteText;
namespace fs = std::filesystem;

constexpr unsigned kNobody = 65534;
constexpr std::size_t kBmp945Size = 54 + 3 * 948 * 704;  // 2,002,230 bytes

// Runs the converter straight, without a shell, optionally as the unprivileged
// user (so that permissions hold for it even when the tests run as root).
RunResult RunConvertAs(const ScratchFolder& scratch, const std::vector<std::string>& args, bool asNobody = false) {
    const std::string out = scratch / ".run-out", err = scratch / ".run-err";
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (o < 0 || e < 0 || ::dup2(o, 1) < 0 || ::dup2(e, 2) < 0) ::_exit(126);
        if (asNobody && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(125);
        std::vector<char*> argv{const_cast<char*>(ORBALUX_CONVERT_BINARY)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(ORBALUX_CONVERT_BINARY, argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    RunResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadText(out);
    result.err = ReadText(err);
    fs::remove(out);
    fs::remove(err);
    return result;
}

// Whether this process may act as the unprivileged user, and must, because
// file permissions do not bind it.
enum class Permissions { Bind, DropToNobody, CannotTest };
Permissions HowPermissionsBind() {
    if (::geteuid() != 0) return Permissions::Bind;
    const pid_t pid = ::fork();
    // The unprivileged user must also reach the converter itself: a build
    // inside a private folder (mode 700) is out of its reach.
    if (pid == 0)
        ::_exit(::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 && ::access(ORBALUX_CONVERT_BINARY, X_OK) == 0 ? 0
                                                                                                                : 1);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? Permissions::DropToNobody : Permissions::CannotTest;
}

// A small memory file system mounted for one test, unmounted on the way out.
class SmallFileSystem {
public:
    explicit SmallFileSystem(const std::string& at) : at_(at) {
        fs::create_directories(at_);
        mounted_ = ::mount("tmpfs", at_.c_str(), "tmpfs", 0, "size=1m") == 0;
    }
    ~SmallFileSystem() {
        if (mounted_) ::umount2(at_.c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }

private:
    std::string at_;
    bool mounted_ = false;
};

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class ConverterBadInput : public ::testing::Test {
protected:
    void SetUp() override {
        fs::permissions(scratch_.path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
        cli_test::WritePicture945(input_, cli_test::KnownPicture945(), 2);
    }

    ScratchFolder scratch_;
    const std::string input_ = scratch_ / "RBL_001.001";
};

TEST_F(ConverterBadInput, FullFileSystemKeepsTheOldFileAndLeavesNothingHalfWritten) {
    const std::string full = scratch_ / "full";
    SmallFileSystem small(full);
    const std::string old = full + "/RBL_001.001.bmp";
    WriteText(old, "old picture");
    const std::vector<std::string> intoFolder = {"--format", "bmp", input_, "-o", full};
    const std::vector<std::string> asFile = {input_, "-o", full + "/new.bmp"};

    // Without a mount, a file-size limit stands in for the full disk.
    const bool tmpfs = small.mounted();
    auto run = [&](const std::vector<std::string>& args) {
        return tmpfs ? RunConvertAs(scratch_, args) : cli_test::RunConvertWithFileLimit(scratch_, args, 1024 * 1024);
    };
    const std::string reason = tmpfs ? "No space left on device" : "File too large";

    const RunResult folder = run(intoFolder);
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_TRUE(Contains(folder.err, "RBL_001.001.bmp: " + reason)) << folder.err;
    const RunResult file = run(asFile);
    EXPECT_EQ(file.exitCode, 1);
    EXPECT_TRUE(Contains(file.err, "new.bmp: " + reason)) << file.err;

    EXPECT_EQ(ReadText(old), "old picture");
    EXPECT_EQ(FolderNames(full), std::vector<std::string>{"RBL_001.001.bmp"});  // no temporary file left
}

TEST_F(ConverterBadInput, FolderWithoutWritePermissionIsAnErrorAndKeepsItsFiles) {
    const Permissions permissions = HowPermissionsBind();
    if (permissions == Permissions::CannotTest) GTEST_SKIP() << "cannot give up the superuser's rights here";
    const fs::path locked = scratch_.path() / "locked";
    fs::create_directories(locked);
    const std::string old = (locked / "RBL_001.001.png").string();
    WriteText(old, "old picture");
    fs::permissions(old, fs::perms::all);  // the file itself may be written; its folder may not
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);

    const bool drop = permissions == Permissions::DropToNobody;
    const std::string second = scratch_ / "RBL_001.002";
    fs::copy_file(input_, second);
    fs::permissions(second, fs::perms::all);
    // One error for the folder, before any picture is decoded, not one per file.
    const RunResult folder = RunConvertAs(scratch_, {input_, second, "-o", locked.string()}, drop);
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_EQ(folder.err, "orbalux-convert: " + locked.string() + ": Permission denied\n");
    const RunResult file = RunConvertAs(scratch_, {input_, "-o", (locked / "new.bmp").string()}, drop);
    EXPECT_EQ(file.exitCode, 1);
    EXPECT_TRUE(Contains(file.err, "Permission denied")) << file.err;

    EXPECT_EQ(ReadText(old), "old picture");
    EXPECT_EQ(FolderNames(locked), std::vector<std::string>{"RBL_001.001.png"});
    fs::permissions(locked, fs::perms::owner_all);
}

TEST_F(ConverterBadInput, InputsThatCannotBeReadAreNamedAndTheRestConverted) {
    const Permissions permissions = HowPermissionsBind();
    const std::string loop = scratch_ / "69_777.001";
    fs::create_symlink("69_777.002", loop);
    fs::create_symlink("69_777.001", scratch_ / "69_777.002");
    const std::string tooLong = scratch_ / ("RBL_" + std::string(251, '7'));  // 255 bytes; with .png 259
    fs::copy_file(input_, tooLong);
    const fs::path out = scratch_.path() / "out";
    fs::create_directories(out);
    fs::permissions(out, fs::perms::all);
    std::vector<std::string> args = {loop, tooLong, input_, "-o", out.string()};
    const std::string unreadable = scratch_ / "RBL_002.001";
    if (permissions != Permissions::CannotTest) {
        fs::copy_file(input_, unreadable);
        fs::permissions(unreadable, fs::perms::none);
        args.insert(args.begin(), unreadable);
    }

    const RunResult run = RunConvertAs(scratch_, args, permissions == Permissions::DropToNobody);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(Contains(run.err, loop + ": Too many levels of symbolic links")) << run.err;
    EXPECT_TRUE(Contains(run.err, ".png: File name too long")) << run.err;
    if (permissions != Permissions::CannotTest) {
        EXPECT_TRUE(Contains(run.err, unreadable + ": Permission denied")) << run.err;
    }
    EXPECT_EQ(FolderNames(out), std::vector<std::string>{"RBL_001.001.png"});
}

TEST_F(ConverterBadInput, AnInputFolderThatCannotBeListedIsAFailureNamingIt) {
    const Permissions permissions = HowPermissionsBind();
    if (permissions == Permissions::CannotTest) GTEST_SKIP() << "cannot give up the superuser's rights here";
    const bool asNobody = permissions == Permissions::DropToNobody;
    const fs::path noread = scratch_.path() / "noread", readable = scratch_.path() / "w";
    fs::create_directories(noread);
    fs::create_directories(readable);
    fs::copy_file(input_, noread / "RBL_002.001");
    fs::copy_file(input_, readable / "RBL_003.001");
    fs::permissions(noread, fs::perms::none);
    const fs::path out = scratch_.path() / "out";
    fs::create_directories(out);
    fs::permissions(out, fs::perms::all);
    const std::string said = "orbalux-convert: " + noread.string() + ": cannot list the folder: Permission denied\n";

    // The other folder converts; the run fails all the same.
    const RunResult both = RunConvertAs(scratch_, {noread.string(), readable.string(), "-o", out.string()}, asNobody);
    EXPECT_EQ(both.exitCode, 1) << both.err;
    EXPECT_TRUE(Contains(both.err, said)) << both.err;
    EXPECT_TRUE(Contains(both.err, "converted 1, failed 1, ")) << both.err;
    EXPECT_EQ(FolderNames(out), std::vector<std::string>{"RBL_003.001.png"});

    // Alone, it is named, not passed off as a folder without pictures.
    const RunResult alone = RunConvertAs(scratch_, {noread.string(), "-o", out.string()}, asNobody);
    EXPECT_EQ(alone.exitCode, 1);
    EXPECT_EQ(alone.err, said);
    const RunResult info = RunConvertAs(scratch_, {"--info", noread.string(), readable.string()}, asNobody);
    EXPECT_EQ(info.exitCode, 1);
    EXPECT_TRUE(Contains(info.err, said)) << info.err;
    fs::permissions(noread, fs::perms::owner_all);
}

TEST_F(ConverterBadInput, NamesOfAnyBytesKeepTheirBytesAndRunNothing) {
    const fs::path in = scratch_.path() / "in";
    fs::create_directories(in);
    const std::vector<std::string> names = {
        "RBL_001 $(touch pwned); `touch pwned2` | & > < '\" * ? \\ !.001",
        "RBL_\xff\xfe\x80.001",  // not UTF-8
        "-o",                    // no picture's name: not taken from a folder
        "RBL_" + std::string(243, '7') + ".001",  // 251 bytes: with .bmp the longest name there is
    };
    for (const std::string& name : names) fs::copy_file(input_, in / name);
    const std::string out = scratch_ / "out";

    const RunResult run = RunConvertAs(scratch_, {"--format", "bmp", in.string(), "-o", out}, false);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::vector<std::string> expected = {names[0] + ".bmp", names[1] + ".bmp", names[3] + ".bmp"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderNames(out), expected);
    for (const std::string& name : expected) EXPECT_EQ(ReadBytes(out + "/" + name).size(), kBmp945Size) << name;
    EXPECT_FALSE(fs::exists(scratch_.path() / "pwned"));
    EXPECT_FALSE(fs::exists(in / "pwned"));
    EXPECT_FALSE(fs::exists("pwned"));
}

TEST_F(ConverterBadInput, FilesWithoutOneLineFailAndWriteNothing) {
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files = {
        {"RBL_010.001", {}},
        {"RBL_010.002", {0x41}},
        {"RBL_010.003", {0xE2, 0x01}},
        {"RBL_010.004", std::vector<std::uint8_t>(2'100'000, 0)},
        {"RBL_010.005", std::vector<std::uint8_t>(3'000'000, 0)},
    };
    const fs::path in = scratch_.path() / "sizes";
    fs::create_directories(in);
    for (const auto& [name, bytes] : files) orbalux::encoder::WriteFile(in / name, bytes);

    const RunResult run = RunConvertAs(scratch_, {"--format", "bmp", "-q", in.string(), "-o", scratch_ / "out"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    for (const auto& [name, bytes] : files) {
        // Nothing but zero bytes where the picture lines should be: no
        // picture, said so, and no black frame written in its place.
        EXPECT_NE(run.err.find(name + ": no picture lines found"), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(scratch_ / ("out/" + name + ".bmp"))) << name;
    }
}

TEST_F(ConverterBadInput, WrongUsageNeverTouchesAFile) {
    const auto before = ReadBytes(input_);
    const struct {
        std::vector<std::string> args;
        const char* says;
    } wrong[] = {
        {{input_, "-o", input_}, "is not a folder"},  // the input itself, as the output
        {{"--brightness", "1000001", input_, "-o", scratch_ / "a.png"}, "out of range"},
        {{"--contrast", "-1000001", input_, "-o", scratch_ / "a.png"}, "out of range"},
        {{"--contrast", "2147483648", input_, "-o", scratch_ / "a.png"}, "--contrast"},
        {{input_, "-o", scratch_ / "a.png", "--brightness"}, "--brightness"},  // value missing
        {{input_, "--jobs", "-o", scratch_ / "a.png"}, "--jobs"},
        {{input_, "-O", scratch_ / "a.png"}, "-O"},
        {{"--png-level", "9", input_, "-o", scratch_ / "a.bmp"}, "--png-level does nothing for a BMP output"},
    };
    for (const auto& w : wrong) {
        const RunResult run = RunConvertAs(scratch_, w.args);
        EXPECT_EQ(run.exitCode, 2) << w.args.front();
        EXPECT_TRUE(Contains(run.err, w.says)) << run.err;
    }
    EXPECT_EQ(ReadBytes(input_), before);
    EXPECT_EQ(FolderNames(scratch_.path()), std::vector<std::string>{"RBL_001.001"});

    // A folder without picture files converts nothing, and says so.
    fs::create_directories(scratch_.path() / "none");
    WriteText(scratch_ / "none/readme.txt", "x");
    const RunResult none = RunConvertAs(scratch_, {scratch_ / "none", "-o", scratch_ / "out"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(Contains(none.err, "no picture files")) << none.err;
    EXPECT_FALSE(fs::exists(scratch_.path() / "out"));
}

}  // namespace
