// What a batch tells the user on stderr while it runs: on a terminal one line
// rewritten in place, cut to the terminal's width; elsewhere nothing while it
// runs. Failures and warnings always, one line each ("orbalux-convert: NAME:
// reason", "orbalux-convert: NAME: warning: reason", names escaped); a
// summary at the end.
#pragma once

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace orbalux::cli {

// "12/400  69_011.001  85.3 files/s  5 s left": files done of the total, the
// current file, the rate so far and the time the rest will take at that rate.
std::string FormatProgress(std::size_t done, std::size_t total, const std::string& current, double elapsedSeconds);

// "converted 398, failed 2, warned 3, 4.12 s"; with outputs left as they were
// (--skip-existing), "converted 98, skipped 300, failed 2, ...".
std::string FormatSummary(std::size_t converted, std::size_t failed, std::size_t warned, double seconds,
                          std::size_t skipped = 0);

// `line` cut so that it fits a terminal `columns` wide without wrapping (the
// cursor keeps the last column); a UTF-8 character is never cut in two.
std::string FitToWidth(const std::string& line, int columns);

class ProgressReporter {
public:
    // `terminal`: `out` is a terminal `columns` wide, so the progress line is
    // redrawn in place. `quiet`: no progress and no summary, only failures
    // and warnings.
    ProgressReporter(std::FILE* out, std::size_t total, bool terminal, bool quiet, int columns = 80);

    // Safe to call from several workers at once.
    void Started(const std::string& name);
    // A file done (`failure` null) or failed; `warnings` are what its load
    // said about a picture it still converted.
    void Finished(const std::string& name, const std::string* failure, const std::vector<std::string>& warnings = {});

    // A failure of the run beyond its files (a contact sheet that could not
    // be written): counted, told and summed up as a failed item.
    void FailedBeyondFiles(const std::string& name, const std::string& failure);

    // Files whose outputs were left as they were, told in the summary; they
    // are not among the `total` that the progress line counts.
    void Skipped(std::size_t count) { skipped_ += count; }

    // Ends the progress line and prints the summary; `interrupted` says how
    // many files were left undone.
    void Finish(bool interrupted = false);

    std::size_t converted() const { return converted_; }
    std::size_t failed() const { return failed_; }
    std::size_t warned() const { return warned_; }
    double ElapsedSeconds() const;

private:
    void DrawLine(bool force);
    void ClearLine();

    std::FILE* out_;
    std::size_t total_;
    bool terminal_;
    bool quiet_;
    int columns_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastDraw_{};
    std::mutex mutex_;
    std::size_t converted_ = 0;
    std::size_t failed_ = 0;
    std::size_t warned_ = 0;
    std::size_t skipped_ = 0;
    std::string current_;
    bool lineShown_ = false;
};

}  // namespace orbalux::cli
