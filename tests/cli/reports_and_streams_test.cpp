// What the converter says about pictures it still converts (cut short, not in
// the catalogue), decoding a renamed copy by its own entry, and the picture
// or the information on standard output.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>

#include "cli_test_support.h"
#include "tools/encoder/picture_encoder.h"

using namespace cli_test;

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class ConverterReports : public ::testing::Test {
protected:
    void SetUp() override {
        // 69_091.005's row: data at 482 behind one header record.
        picture_ = KnownPicture945(5);
        listed_ = scratch_ / "69_091.005";
        WritePicture945(listed_, picture_, 1);
        // The same file cut inside line 101: each record is 2 + 4 * 315 bytes.
        fs::create_directories(scratch_.path() / "cut");
        cut_ = scratch_ / "cut/69_091.005";
        auto bytes = ReadBytes(listed_);
        bytes.resize(482 + 100 * (2 + 4 * 315) + 600);
        orbalux::encoder::WriteFile(cut_, bytes);
    }

    ScratchFolder scratch_;
    orbalux::GreyImage picture_;
    std::string listed_, cut_;
};

TEST_F(ConverterReports, ACutFileConvertsWithOneWarningAndFailsOnlyWhenStrict) {
    const std::string warning = "orbalux-convert: " + cut_ + ": warning: ends 602 lines short of the frame\n";
    const auto run = RunConvert(scratch_, {cut_, "-o", scratch_ / "out"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err.substr(0, run.err.find("converted")), warning);
    EXPECT_TRUE(Contains(run.err, "converted 1, failed 0, warned 1, ")) << run.err;
    EXPECT_EQ(FolderNames(scratch_.path() / "out"), (std::vector<std::string>{"69_091.005.png"}));

    const auto strict = RunConvert(scratch_, {"--strict", cut_, "-o", scratch_ / "strict.bmp"});
    EXPECT_EQ(strict.exitCode, 1);
    EXPECT_EQ(strict.err.substr(0, warning.size()), warning);
    EXPECT_TRUE(fs::exists(scratch_ / "strict.bmp"));  // converted all the same
    EXPECT_EQ(RunConvert(scratch_, {"--strict", listed_, "-o", scratch_ / "whole.bmp"}).exitCode, 0);

    // --info says the same, and so does its JSON.
    const auto info = RunConvert(scratch_, {"--info", cut_});
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_EQ(info.err, warning);
    const auto json = RunConvert(scratch_, {"--info", "--json", "--strict", listed_, cut_});
    EXPECT_EQ(json.exitCode, 1);
    ASSERT_EQ(std::count(json.out.begin(), json.out.end(), '\n'), 2) << json.out;
    const std::string second = json.out.substr(json.out.find('\n') + 1);
    for (const char* field : {"\"file\":\"69_091.005\"", "\"lineFormat\":945", "\"dataOffset\":482", "\"width\":948",
                              "\"linesDecoded\":702", "\"linesInFile\":100", "\"truncated\":true",
                              "\"linesShort\":602", "\"warnings\":[\"ends 602 lines short of the frame\"]",
                              "\"header\":[\"MARINER 6 TV SUBSYSTEM  TEST PICTURE\",\"FORMAT 945\",\"\""})
        EXPECT_TRUE(Contains(second, field)) << field << "\n" << second;
    EXPECT_TRUE(Contains(json.out.substr(0, json.out.find('\n')), "\"truncated\":false")) << json.out;
}

TEST_F(ConverterReports, ARenamedCopyDecodesByTheEntryItIsGiven) {
    // The picture of 69_091.005 under a name no row lists.
    const std::string copy = scratch_ / "RBL_777.001";
    fs::copy_file(listed_, copy);
    const auto plain = RunConvert(scratch_, {"--info", copy});
    EXPECT_TRUE(Contains(plain.err, copy + ": warning: not in the catalogue: default parameters used\n")) << plain.err;
    EXPECT_TRUE(Contains(plain.out, "DataOffset: 964\n")) << plain.out;

    const auto as = RunConvert(scratch_, {"--info", "--as", "69_091.005", copy});
    EXPECT_EQ(as.exitCode, 0);
    EXPECT_EQ(as.err, "");
    EXPECT_TRUE(Contains(as.out, "File: RBL_777.001\nDataOffset: 482\nLineFormat: 945\nStretchGain: 1\n")) << as.out;
    // Decoded by that entry, the copy converts to the listed file's bytes.
    ASSERT_EQ(RunConvert(scratch_, {"--stretch", "--as", "69_091.005", copy, "-o", scratch_ / "copy.bmp"}).exitCode, 0);
    ASSERT_EQ(RunConvert(scratch_, {"--stretch", listed_, "-o", scratch_ / "listed.bmp"}).exitCode, 0);
    EXPECT_TRUE(ReadBytes(scratch_ / "copy.bmp") == ReadBytes(scratch_ / "listed.bmp"));
}

TEST_F(ConverterReports, StandardOutputCarriesThePictureOrTheFailure) {
    ASSERT_EQ(RunConvert(scratch_, {listed_, "-o", scratch_ / "file.bmp"}).exitCode, 0);
    const auto bmp = RunConvert(scratch_, {"--format", "bmp", listed_, "-o", "-"});
    EXPECT_EQ(bmp.exitCode, 0) << bmp.err;
    const auto file = ReadBytes(scratch_ / "file.bmp");
    EXPECT_TRUE(std::string(file.begin(), file.end()) == bmp.out);
    const auto png = RunConvert(scratch_, {listed_, "-o", "-"});
    EXPECT_EQ(png.out.substr(0, 8), "\x89PNG\r\n\x1a\n");

    // A file without a single line: the failure, and not one byte of picture.
    const std::string empty = scratch_ / "69_091.007";
    WriteText(empty, "");
    const auto none = RunConvert(scratch_, {empty, "-o", "-"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_TRUE(Contains(none.err, empty + ": no picture lines found")) << none.err;

    // Standard output takes one picture; a name of one picture ends in .bmp or .png.
    EXPECT_EQ(RunConvert(scratch_, {listed_, cut_, "-o", "-"}).exitCode, 2);
    const auto jpg = RunConvert(scratch_, {listed_, "-o", scratch_ / "picture.jpg"});
    EXPECT_EQ(jpg.exitCode, 2);
    EXPECT_TRUE(Contains(jpg.err, ".bmp or .png")) << jpg.err;
    EXPECT_FALSE(fs::exists(scratch_ / "picture.jpg"));

    // Output that cannot be written is a failure, not silence.
    const std::string err = scratch_ / "full.err";
    const std::string command =
        std::string(ORBALUX_CONVERT_BINARY) + " --info '" + listed_ + "' >/dev/full 2>'" + err + "'";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_TRUE(Contains(ReadText(err), "standard output: No space left on device")) << ReadText(err);
}

TEST_F(ConverterReports, NamesAreEscapedInMessagesAndRecoverableFromJson) {
    // A newline that would forge a message line of its own, and a byte that
    // is not UTF-8.
    const fs::path folder = scratch_.path() / "odd";
    fs::create_directories(folder);
    const std::string forged = "RBL_1\norbalux-convert: fake: no picture lines found.001";
    const std::string latin = "RBL_\xe9t\xe9\n2.001";
    WriteText((folder / forged).string(), "");
    WritePicture945((folder / latin).string(), picture_, 2);  // warns: no catalogue row names it

    const auto run = RunConvert(scratch_, {"--info", "--json", folder.string()});
    EXPECT_EQ(run.exitCode, 1);
    // Each line of news is one line, begun by the program's name.
    const std::string dir = folder.string() + "/";
    const std::string expected = "orbalux-convert: " + dir +
                                 "RBL_1\\norbalux-convert: fake: no picture lines found.001: no picture lines found\n";
    EXPECT_TRUE(Contains(run.err, expected)) << run.err;
    EXPECT_TRUE(Contains(run.err, "orbalux-convert: " + dir + "RBL_\\xe9t\\xe9\\n2.001: warning: ")) << run.err;
    ASSERT_EQ(run.err.back(), '\n');
    for (std::size_t at = 0; at < run.err.size(); at = run.err.find('\n', at) + 1)
        EXPECT_EQ(run.err.compare(at, 17, "orbalux-convert: "), 0) << run.err.substr(at);

    // The JSON shows the name as messages do and gives its bytes, from which
    // a script opens the file.
    // One object a file, the failed one with its reason.
    ASSERT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2) << run.out;
    EXPECT_TRUE(Contains(
        run.out,
        "RBL_1\\u000aorbalux-convert: fake: no picture lines found.001\",\"error\":\"no picture lines found\"}\n"))
        << run.out;
    EXPECT_TRUE(Contains(run.out, "\"file\":\"RBL_\\\\xe9t\\\\xe9\\\\n2.001\",\"fileHex\":\"")) << run.out;
    const std::string key = "\"pathHex\":\"";
    const auto at = run.out.find(key);
    ASSERT_NE(at, std::string::npos) << run.out;
    const std::string hex = run.out.substr(at + key.size(), run.out.find('"', at + key.size()) - at - key.size());
    std::string path;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) path += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    EXPECT_EQ(path, dir + latin);
    EXPECT_TRUE(fs::is_regular_file(path));
}

TEST_F(ConverterReports, InfoTextShowsNamesAsMessagesDo) {
    const std::string forged = scratch_ / "RBL_1\nLost lines: 0\x1b[2J.001";
    WritePicture945(forged, picture_, 2);
    const auto run = RunConvert(scratch_, {"--info", forged});
    EXPECT_TRUE(Contains(run.out, "File: RBL_1\\nLost lines: 0\\x1b[2J.001\n")) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\x1b'), 0);
    EXPECT_EQ(run.out.find("\nLost lines: "), run.out.rfind("\nLost lines: ")) << run.out;  // the file's own alone
}

}  // namespace
