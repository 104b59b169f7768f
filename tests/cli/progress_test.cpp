#include "cli/progress_reporter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <stdexcept>

#include "cli/parallel_runner.h"
#include "intake/orbalux_error.h"

using namespace orbalux::cli;

namespace {

// Everything a reporter wrote to a temporary stream.
class CapturedStream {
public:
    CapturedStream() : file_(std::tmpfile()) {}
    ~CapturedStream() { std::fclose(file_); }
    std::FILE* file() { return file_; }
    std::string Text() {
        std::fflush(file_);
        std::rewind(file_);
        std::string text;
        for (int c; (c = std::fgetc(file_)) != EOF;) text += static_cast<char>(c);
        return text;
    }

private:
    std::FILE* file_;
};

}  // namespace

TEST(Progress, LineGivesRateAndTimeLeft) {
    // 10 files in 2 s is 5 files per second; 30 more take 6 s.
    EXPECT_EQ(FormatProgress(10, 40, "69_011.001", 2.0), "10/40  69_011.001  5.0 files/s  6 s left");
    // Time left rounds up: 1 file at 3 files/s is still 1 s.
    EXPECT_EQ(FormatProgress(3, 4, "a", 1.0), "3/4  a  3.0 files/s  1 s left");
    EXPECT_EQ(FormatProgress(0, 4, "a", 0.5), "0/4  a");
    EXPECT_EQ(FormatSummary(398, 2, 3.456), "converted 398, failed 2, 3.46 s");
}

TEST(ParallelRunner, EveryFileOnceFailuresReportedByName) {
    std::vector<std::string> names;
    for (int i = 0; i < 60; ++i) names.push_back("f" + std::to_string(i));
    for (unsigned jobs : {1u, 2u, 3u}) {
        CapturedStream err;
        ProgressReporter progress(err.file(), names.size(), false, true);
        std::vector<std::atomic<int>> runs(names.size());
        std::atomic<bool> sharedState{false};
        RunInParallel(names, jobs,
                      [&](orbalux::PictureState& state, std::size_t i) {
                          ++runs[i];
                          // A worker's state is its own: mark it while in use.
                          if (state.LineFormat == -7) sharedState = true;
                          state.LineFormat = -7;
                          if (i % 20 == 7) {
                              state.LineFormat = 945;
                              throw orbalux::OrbaluxError(names[i], "Permission denied");
                          }
                          if (i == 30) {
                              state.LineFormat = 945;
                              throw std::runtime_error("cannot write f30.png: No space left on device");
                          }
                          state.LineFormat = 945;
                      },
                      progress);
        progress.Finish();
        for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(runs[i].load(), 1) << jobs << " " << i;
        EXPECT_FALSE(sharedState.load()) << jobs;
        EXPECT_EQ(progress.failed(), 4u);
        EXPECT_EQ(progress.converted(), 56u);
        // Quiet: only the failures, one line each, named by their file.
        const std::string text = err.Text();
        for (const char* line : {"f7: Permission denied\n", "f27: Permission denied\n", "f47: Permission denied\n",
                                 "f30: cannot write f30.png: No space left on device\n"})
            EXPECT_NE(text.find(line), std::string::npos) << text;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4) << text;
    }
}

TEST(Progress, PlainLinesWhenNotATerminalAndOneRewrittenLineOnATerminal) {
    CapturedStream plain;
    {
        ProgressReporter progress(plain.file(), 2, false, false);
        progress.Started("a");
        progress.Finished("a", nullptr);
        const std::string why = "Is a directory";
        progress.Started("b");
        progress.Finished("b", &why);
        progress.Finish();
    }
    const std::string text = plain.Text();
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_NE(text.find("1/2  a"), std::string::npos) << text;
    EXPECT_NE(text.find("b: Is a directory\n2/2  b"), std::string::npos) << text;
    EXPECT_NE(text.find("converted 1, failed 1, "), std::string::npos) << text;

    CapturedStream terminal;
    {
        ProgressReporter progress(terminal.file(), 2, true, false);
        progress.Started("a");
        progress.Finished("a", nullptr);
        progress.Finish();
    }
    const std::string drawn = terminal.Text();
    EXPECT_NE(drawn.find("\r\x1b[K1/2"), std::string::npos) << drawn;
    // One line, ended once, then the summary.
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), '\n'), 2) << drawn;
}
