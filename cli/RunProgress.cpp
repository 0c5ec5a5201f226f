#include "cli/RunProgress.h"

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "geometry/NumberText.h"

namespace rollpath::cli {

namespace {

std::string Clock(double seconds) {
    const auto whole = static_cast<long long>(seconds + 0.5);
    const long long minutes = whole / 60;
    const long long rest = whole % 60;
    return std::to_string(minutes) + (rest < 10 ? ":0" : ":") + std::to_string(rest);
}

}  // namespace

RunProgress::RunProgress(std::ostream& err, bool terminal, std::size_t total)
    : err_(err),
      terminal_(terminal),
      total_(total),
      start_(std::chrono::steady_clock::now()),
      shown_(start_) {}

void RunProgress::Update(std::size_t done) {
    const auto now = std::chrono::steady_clock::now();
    const auto every = terminal_ ? std::chrono::milliseconds(250) : std::chrono::milliseconds(10000);
    if (now - shown_ >= every) {
        Show(done);
        shown_ = now;
    }
}

void RunProgress::Finish(std::size_t done) {
    if (terminal_ || anyShown_) {
        Show(done);
    }
    if (terminal_) {
        err_ << '\n';
    }
    err_.flush();
}

void RunProgress::Show(std::size_t done) {
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const double rate = seconds > 0.0 ? static_cast<double>(done) / seconds : 0.0;
    const double percent =
        total_ > 0 ? 100.0 * static_cast<double>(done) / static_cast<double>(total_) : 100.0;
    std::string line = std::to_string(done) + "/" + std::to_string(total_) + " airports (" +
                       FormatFixed(percent, 0) + " %), " + FormatFixed(rate, 0) + " a second, " +
                       Clock(seconds) + " elapsed";
    if (rate > 0.0 && done < total_) {
        line += ", " + Clock(static_cast<double>(total_ - done) / rate) + " left";
    }
    if (terminal_) {
        // Padded so that a shorter line covers the longer one before it.
        err_ << '\r' << line << "    ";
    } else {
        err_ << line << '\n';
    }
    err_.flush();
    anyShown_ = true;
}

bool ErrorStreamIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

}  // namespace rollpath::cli
