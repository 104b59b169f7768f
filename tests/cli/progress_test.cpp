#include "cli/messages.h"
#include "cli/progress_reporter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

using namespace orbalux;
using namespace orbalux::cli;

namespace {

// What a reporter writes on a stream that is not a terminal, or that is one:
// file a converted with a warning, b failed.
std::string Report(bool terminal, bool quiet, int columns = 80) {
    std::FILE* file = std::tmpfile();
    {
        ProgressReporter progress(file, 2, terminal, quiet, columns);
        const std::string why = "Is a directory";
        progress.Started("a");
        progress.Finished("a", nullptr, {"ends 602 lines short of the frame"});
        progress.Started("b");
        progress.Finished("b", &why);
        progress.Finish();
    }
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
    std::fclose(file);
    return text;
}

}  // namespace

TEST(Progress, LineGivesRateAndTimeLeft) {
    // 10 files in 2 s is 5 files per second; 30 more take 6 s.
    EXPECT_EQ(FormatProgress(10, 40, "69_011.001", 2.0), "10/40  69_011.001  5.0 files/s  6 s left");
    // Time left rounds up: 1 file at 3 files/s is still 1 s.
    EXPECT_EQ(FormatProgress(3, 4, "a", 1.0), "3/4  a  3.0 files/s  1 s left");
    EXPECT_EQ(FormatSummary(398, 2, 5, 3.456), "converted 398, failed 2, warned 5, 3.46 s");
    // Cut to leave the last column free, never inside a UTF-8 character.
    EXPECT_EQ(FitToWidth("12/400  69_011.001", 11), "12/400  69");
    EXPECT_EQ(FitToWidth("1/2  \xc3\xa9t\xc3\xa9", 7), "1/2  ");
    EXPECT_EQ(FitToWidth("1/2", 4), "1/2");
}

TEST(Progress, OneRewrittenLineOnATerminalElseOnlyNewsAndTheSummary) {
    // Not a terminal: warnings, failures and the summary, nothing per file.
    const std::string plain = Report(false, false);
    EXPECT_EQ(plain.substr(0, plain.rfind("warned 1, ")),
              "orbalux-convert: a: warning: ends 602 lines short of the frame\norbalux-convert: b: Is a directory\nconverted 1, failed 1, ");

    // On a terminal the line is cleared for each piece of news and drawn
    // again, never wider than the terminal.
    const std::string drawn = Report(true, false, 12);
    EXPECT_NE(drawn.find("\r\x1b[Korbalux-convert: b: Is a directory\n\r\x1b[K2/2"), std::string::npos) << drawn;
    EXPECT_NE(drawn.find("\r\x1b[Korbalux-convert: a: warning: ends 602 lines short of the frame\n"), std::string::npos) << drawn;
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), '\n'), 4) << drawn;
    for (std::size_t at = drawn.find("\x1b[K"); at != std::string::npos; at = drawn.find("\x1b[K", at + 1)) {
        const std::string line = drawn.substr(at + 3, drawn.find_first_of("\r\n", at + 3) - at - 3);
        if (line.find(": ") == std::string::npos) {
            EXPECT_LE(line.size(), 11u) << line;
        }
    }

    const std::string news =
        "orbalux-convert: a: warning: ends 602 lines short of the frame\norbalux-convert: b: Is a directory\n";
    EXPECT_EQ(Report(false, true), news);
    EXPECT_EQ(Report(true, true), news);
}

TEST(Progress, NamesAreShownEscapedOnEveryLine) {
    const struct {
        const char* raw;
        const char* shown;
    } names[] = {
        {"69_011.001", "69_011.001"},
        {"Mars \xc3\xa9t\xc3\xa9 \xe7\x81\xab\xe6\x98\x9f", "Mars \xc3\xa9t\xc3\xa9 \xe7\x81\xab\xe6\x98\x9f"},
        {"a\nb\rc\td", "a\\nb\\rc\\td"},
        {"back\\slash", "back\\\\slash"},
        {"\x1b[2J\x7f", "\\x1b[2J\\x7f"},
        {"csi\xc2\x9b", "csi\\xc2\\x9b"},             // a C1 control
        {"latin \xe9t\xe9", "latin \\xe9t\\xe9"},     // not UTF-8
        {"cut \xe2\x82", "cut \\xe2\\x82"},           // a character cut short
        {"long \xc0\xaf", "long \\xc0\\xaf"},         // an overlong form
        {"half \xed\xa0\x80", "half \\xed\\xa0\\x80"},  // a surrogate
    };
    for (const auto& n : names) EXPECT_EQ(EscapedText(n.raw), n.shown) << n.raw;
    // A drawn label also shows the marks that turn text around.
    EXPECT_EQ(VisibleText("a\nb\xe2\x80\xae\xe2\x81\xa6"
                          "c\xd8\x9c \xc3\xa9"),
              "a\\nb\\u202e\\u2066c\\u061c \xc3\xa9");

    // The progress line and the news lines alike.
    std::FILE* file = std::tmpfile();
    {
        ProgressReporter progress(file, 1, true, false, 200);
        const std::string why = "no picture lines found";
        progress.Started("RBL_1\nfake.001");
        progress.Finished("RBL_1\nfake.001", &why);
    }
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
    std::fclose(file);
    EXPECT_NE(text.find("0/1  RBL_1\\nfake.001"), std::string::npos) << text;
    EXPECT_NE(text.find("orbalux-convert: RBL_1\\nfake.001: no picture lines found\n"), std::string::npos) << text;
}
