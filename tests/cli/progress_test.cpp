#include "cli/progress_reporter.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace orbalux;
using namespace orbalux::cli;

namespace {

// What a reporter writes on a stream that is not a terminal, or that is one.
std::string Report(bool terminal, bool quiet) {
    std::FILE* file = std::tmpfile();
    {
        ProgressReporter progress(file, 2, terminal, quiet);
        const std::string why = "Is a directory";
        progress.Started("a");
        progress.Finished("a", nullptr);
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
    EXPECT_EQ(FormatSummary(398, 2, 3.456), "converted 398, failed 2, 3.46 s");
}

TEST(Progress, PlainLinesOrOneRewrittenLineFailuresAlways) {
    const std::string plain = Report(false, false);
    EXPECT_EQ(plain.find('\r'), std::string::npos);
    EXPECT_NE(plain.find("1/2  a"), std::string::npos) << plain;
    EXPECT_NE(plain.find("b: Is a directory\n2/2  b"), std::string::npos) << plain;
    EXPECT_NE(plain.find("converted 1, failed 1, "), std::string::npos) << plain;

    // On a terminal the line is cleared for the failure and drawn again.
    const std::string drawn = Report(true, false);
    EXPECT_NE(drawn.find("\r\x1b[Kb: Is a directory\n\r\x1b[K2/2"), std::string::npos) << drawn;
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), '\n'), 3) << drawn;

    EXPECT_EQ(Report(false, true), "b: Is a directory\n");
    EXPECT_EQ(Report(true, true), "b: Is a directory\n");
}
