#pragma once

// The progress of a long batch run on the error stream: on a terminal one
// line rewritten in place, otherwise a plain line now and then, so that a log
// file does not fill with carriage returns.

#include <chrono>
#include <cstddef>
#include <ostream>

namespace rollpath::cli {

class RunProgress {
public:
    RunProgress(std::ostream& err, bool terminal, std::size_t total);

    // done of total finished; shown when enough time passed since the last.
    void Update(std::size_t done);
    // The last state, and the end of the line on a terminal.
    void Finish(std::size_t done);

private:
    void Show(std::size_t done);

    std::ostream& err_;
    bool terminal_;
    std::size_t total_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point shown_;
    bool anyShown_ = false;
};

// Whether the process's error stream is a terminal.
bool ErrorStreamIsTerminal();

}  // namespace rollpath::cli
