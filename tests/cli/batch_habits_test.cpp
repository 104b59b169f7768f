// Habits of long batches: the INPUTs from a list (a file or standard input,
// one name a line or NUL-separated), and a stopped batch taken up again with
// --skip-existing.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "cli_test_support.h"

using namespace cli_test;

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class BatchHabits : public ::testing::Test {
protected:
    void SetUp() override {
        // Folder names that a list must carry whole: a space, a newline.
        for (const char* folder : {"vol one", "vol\ntwo"}) fs::create_directories(scratch_.path() / folder);
        for (int i = 1; i <= 4; ++i) {
            const std::string path = scratch_ / ((i <= 2 ? "vol one/" : "vol\ntwo/") + Name(i));
            WritePicture945(path, KnownPicture945(i), 2);
            inputs_.push_back(path);
        }
    }
    static std::string Name(int i) { return "RBL_00" + std::to_string(i) + ".001"; }
    std::vector<std::string> Outputs(const std::string& folder) const {
        return FolderNames(scratch_.path() / folder);
    }

    ScratchFolder scratch_;
    std::vector<std::string> inputs_;
};

TEST_F(BatchHabits, FilesFromAListFileOrStandardInputOneNameALineOrNulSeparated) {
    const std::vector<std::string> all = {Name(1) + ".png", Name(2) + ".png", Name(3) + ".png", Name(4) + ".png"};

    // One name a line (blank lines passed over, the last without its
    // newline), beside an INPUT of the command line.
    WriteText(scratch_ / "list", inputs_[0] + "\n\n" + inputs_[1]);
    const RunResult lines = RunConvert(scratch_, {"--files-from", scratch_ / "list", inputs_[2], "-o", scratch_ / "a"});
    EXPECT_EQ(lines.exitCode, 0) << lines.err;
    EXPECT_EQ(Outputs("a"), (std::vector<std::string>{all[0], all[1], all[2]}));

    // NUL-separated on standard input: a newline is part of a name.
    std::string nul;
    for (const std::string& input : inputs_) nul += input + '\0';
    WriteText(scratch_ / "list0", nul);
    const RunResult piped = RunConvertUnder(
        scratch_, "exec 3<'" + (scratch_ / "list0") + "'; sh -c 'exec \"$0\" \"$@\" <&3' ",
        {"-q", "--files-from", "-", "-0", "-o", scratch_ / "b"});
    EXPECT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(Outputs("b"), all);

    const RunResult missing = RunConvert(scratch_, {"--files-from", scratch_ / "none", "-o", scratch_ / "c"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(Contains(missing.err, scratch_ / "none" + ": No such file or directory")) << missing.err;
    EXPECT_FALSE(fs::exists(scratch_.path() / "c"));
    // Beside other INPUTs the list is one failure among them.
    const RunResult beside =
        RunConvert(scratch_, {"--files-from", scratch_ / "none", inputs_[0], "-o", scratch_ / "d"});
    EXPECT_EQ(beside.exitCode, 1);
    EXPECT_TRUE(Contains(beside.err, "converted 1, failed 1, ")) << beside.err;
    EXPECT_EQ(Outputs("d"), std::vector<std::string>{all[0]});
}

TEST_F(BatchHabits, SkipExistingAfterAPartialBatchConvertsOnlyWhatWasLeft) {
    const std::string out = scratch_ / "out";
    // The batch stopped after two files.
    ASSERT_EQ(RunConvert(scratch_, {"-q", inputs_[0], inputs_[1], "-o", out}).exitCode, 0);
    const fs::path first = scratch_.path() / "out" / (Name(1) + ".png");
    const fs::path second = scratch_.path() / "out" / (Name(2) + ".png");
    const auto firstWritten = fs::last_write_time(first);
    // An output older than its input (the input changed since) is made again.
    fs::last_write_time(second, fs::last_write_time(inputs_[1]) - std::chrono::hours(1));
    const auto secondWritten = fs::last_write_time(second);

    const RunResult rest = RunConvert(scratch_, {"--skip-existing", inputs_[0], inputs_[1], inputs_[2], inputs_[3], "-o", out});
    EXPECT_EQ(rest.exitCode, 0) << rest.err;
    EXPECT_TRUE(Contains(rest.err, "converted 3, skipped 1, failed 0, ")) << rest.err;
    EXPECT_EQ(fs::last_write_time(first), firstWritten);
    EXPECT_NE(fs::last_write_time(second), secondWritten);
    EXPECT_EQ(Outputs("out").size(), 4u);
    EXPECT_EQ(ReadGreyPng(second.string()).pixels.size(), 948u * 704u);
}

TEST_F(BatchHabits, SkipExistingConvertsAgainWhatOtherOptionsMade) {
    const std::string out = scratch_ / "out";
    ASSERT_EQ(RunConvert(scratch_, {"-q", "--invert", inputs_[0], inputs_[1], "-o", out}).exitCode, 0);
    const std::string first = scratch_ / ("out/" + Name(1) + ".png");

    // The rerun with the options meant: the outputs say they were inverted.
    const RunResult again =
        RunConvert(scratch_, {"--skip-existing", "--percent-stretch", "1,99", inputs_[0], inputs_[1], "-o", out});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_TRUE(Contains(again.err, "converted 2, failed 0, ")) << again.err;
    EXPECT_TRUE(Contains(again.err,
                         first + ": made with other options (--invert); converted again with --percent-stretch=1,99"))
        << again.err;
    const auto texts = ReadPngTexts(first);
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const PngTextChunk& t) {
        return t.keyword == "Options" && t.text == "--percent-stretch=1,99";
    }));
    const RunResult same =
        RunConvert(scratch_, {"--skip-existing", "--percent-stretch=1,99", inputs_[0], inputs_[1], "-o", out});
    EXPECT_TRUE(Contains(same.err, "converted 0, skipped 2, failed 0, ")) << same.err;

    // A BMP records no options: it is never kept on trust.
    const std::vector<std::string> bmp = {"--skip-existing", "--format", "bmp", inputs_[0], "-o", scratch_ / "bmp"};
    ASSERT_EQ(RunConvert(scratch_, bmp).exitCode, 0);
    const RunResult bmpAgain = RunConvert(scratch_, bmp);
    EXPECT_TRUE(Contains(bmpAgain.err, "converted 1, failed 0, ")) << bmpAgain.err;
    EXPECT_TRUE(Contains(bmpAgain.err, "a BMP does not record the options")) << bmpAgain.err;
}

}  // namespace
