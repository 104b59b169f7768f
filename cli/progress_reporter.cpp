#include "cli/progress_reporter.h"

#include <cmath>

#include "cli/messages.h"

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

std::string FormatSummary(std::size_t converted, std::size_t failed, std::size_t warned, double seconds,
                          std::size_t skipped) {
    return "converted " + std::to_string(converted) +
           (skipped ? ", skipped " + std::to_string(skipped) : std::string()) + ", failed " + std::to_string(failed) + ", warned " +
           std::to_string(warned) + ", " + Fixed(seconds, 2) + " s";
}

std::string FitToWidth(const std::string& line, int columns) {
    if (columns < 2 || line.size() < static_cast<std::size_t>(columns)) return line;
    std::size_t end = static_cast<std::size_t>(columns) - 1;
    // Back to the first byte of a character.
    while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) --end;
    return line.substr(0, end);
}

ProgressReporter::ProgressReporter(std::FILE* out, std::size_t total, bool terminal, bool quiet, int columns)
    : out_(out),
      total_(total),
      terminal_(terminal),
      quiet_(quiet),
      columns_(columns),
      start_(std::chrono::steady_clock::now()) {}

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
    std::fputs(FitToWidth(FormatProgress(converted_ + failed_, total_, current_, ElapsedSeconds()), columns_).c_str(),
               out_);
    std::fflush(out_);
    lineShown_ = true;
}

void ProgressReporter::Started(const std::string& name) {
    std::lock_guard lock(mutex_);
    current_ = EscapedText(name);
    DrawLine(false);
}

void ProgressReporter::Finished(const std::string& name, const std::string* failure,
                                const std::vector<std::string>& warnings) {
    std::lock_guard lock(mutex_);
    const bool news = failure || !warnings.empty();
    if (news) ClearLine();
    for (const std::string& warning : warnings) PrintMessage(out_, name, "warning: " + warning);
    if (!warnings.empty()) ++warned_;
    if (failure) {
        ++failed_;
        PrintMessage(out_, name, *failure);
    } else {
        ++converted_;
    }
    DrawLine(news);
    std::fflush(out_);
}

void ProgressReporter::FailedBeyondFiles(const std::string& name, const std::string& failure) {
    {
        std::lock_guard lock(mutex_);
        ++total_;
    }
    Finished(name, &failure);
}

void ProgressReporter::Finish(bool interrupted) {
    std::lock_guard lock(mutex_);
    if (!quiet_ && terminal_) {
        current_.clear();
        DrawLine(true);
        std::fputc('\n', out_);
        lineShown_ = false;
    }
    const std::size_t undone = total_ - converted_ - failed_;
    if (interrupted)
        PrintMessage(out_, {}, "interrupted: " + std::to_string(undone) + " of " + std::to_string(total_) +
                                   " files not converted");
    if (!quiet_) std::fprintf(out_, "%s\n", FormatSummary(converted_, failed_, warned_, ElapsedSeconds(), skipped_).c_str());
    std::fflush(out_);
}

}  // namespace orbalux::cli
