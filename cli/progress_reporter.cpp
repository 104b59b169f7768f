#include "cli/progress_reporter.h"

#include <cmath>

namespace orbalux::cli {
namespace {

// A terminal line is redrawn at most this often; more is only flicker.
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace

std::string FormatProgress(std::size_t done, std::size_t total, const std::string& current, double elapsedSeconds) {
    std::string line = std::to_string(done) + "/" + std::to_string(total);
    if (!current.empty()) line += "  " + current;
    if (done > 0 && elapsedSeconds > 0) {
        const double rate = static_cast<double>(done) / elapsedSeconds;
        line += "  " + Fixed(rate, 1) + " files/s";
        const double left = static_cast<double>(total - done) / rate;
        line += "  " + Fixed(std::ceil(left), 0) + " s left";
    }
    return line;
}

std::string FormatSummary(std::size_t converted, std::size_t failed, double seconds) {
    return "converted " + std::to_string(converted) + ", failed " + std::to_string(failed) + ", " +
           Fixed(seconds, 2) + " s";
}

ProgressReporter::ProgressReporter(std::FILE* out, std::size_t total, bool terminal, bool quiet)
    : out_(out), total_(total), terminal_(terminal), quiet_(quiet), start_(std::chrono::steady_clock::now()) {}

double ProgressReporter::ElapsedSeconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void ProgressReporter::ClearLine() {
    if (lineShown_) {
        std::fputs("\r\x1b[K", out_);
        lineShown_ = false;
    }
}

void ProgressReporter::DrawLine(bool force) {
    if (quiet_ || !terminal_) return;
    const auto now = std::chrono::steady_clock::now();
    if (!force && lineShown_ && now - lastDraw_ < kRedrawInterval) return;
    lastDraw_ = now;
    std::fputs("\r\x1b[K", out_);
    std::fputs(FormatProgress(converted_ + failed_, total_, current_, ElapsedSeconds()).c_str(), out_);
    std::fflush(out_);
    lineShown_ = true;
}

void ProgressReporter::Started(const std::string& name) {
    std::lock_guard lock(mutex_);
    current_ = name;
    DrawLine(false);
}

void ProgressReporter::Finished(const std::string& name, const std::string* failure) {
    std::lock_guard lock(mutex_);
    if (failure) {
        ++failed_;
        ClearLine();
        std::fprintf(out_, "%s: %s\n", name.c_str(), failure->c_str());
    } else {
        ++converted_;
    }
    if (quiet_) {
        std::fflush(out_);
        return;
    }
    if (terminal_) {
        DrawLine(failure != nullptr);
    } else {
        std::fprintf(out_, "%s\n", FormatProgress(converted_ + failed_, total_, name, ElapsedSeconds()).c_str());
    }
    std::fflush(out_);
}

void ProgressReporter::Finish() {
    std::lock_guard lock(mutex_);
    if (!quiet_ && terminal_) {
        current_.clear();
        DrawLine(true);
        std::fputc('\n', out_);
        lineShown_ = false;
    }
    if (!quiet_) std::fprintf(out_, "%s\n", FormatSummary(converted_, failed_, ElapsedSeconds()).c_str());
    std::fflush(out_);
}

}  // namespace orbalux::cli
