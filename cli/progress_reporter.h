// What a batch tells the user on stderr while it runs: on a terminal one line
// rewritten in place, otherwise one plain line per file; failures always, one
// line each ("NAME: reason"); a summary at the end.
#pragma once

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>

namespace orbalux::cli {

// "12/400  69_011.001  85.3 files/s  5 s left": files done of the total, the
// current file, the rate so far and the time the rest will take at that rate.
std::string FormatProgress(std::size_t done, std::size_t total, const std::string& current, double elapsedSeconds);

// "converted 398, failed 2, 4.12 s".
std::string FormatSummary(std::size_t converted, std::size_t failed, double seconds);

class ProgressReporter {
public:
    // `terminal`: `out` is a terminal, so the progress line is redrawn in
    // place. `quiet`: no progress and no summary, only failures.
    ProgressReporter(std::FILE* out, std::size_t total, bool terminal, bool quiet);

    // Safe to call from several workers at once.
    void Started(const std::string& name);
    void Finished(const std::string& name, const std::string* failure);

    // Ends the progress line and prints the summary.
    void Finish();

    std::size_t converted() const { return converted_; }
    std::size_t failed() const { return failed_; }
    double ElapsedSeconds() const;

private:
    void DrawLine(bool force);
    void ClearLine();

    std::FILE* out_;
    std::size_t total_;
    bool terminal_;
    bool quiet_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastDraw_{};
    std::mutex mutex_;
    std::size_t converted_ = 0;
    std::size_t failed_ = 0;
    std::string current_;
    bool lineShown_ = false;
};

}  // namespace orbalux::cli
