#pragma once

// What a reader skipped or mended in a hostile file, told once per kind when
// reading ends, so that a file full of one fault gives one message rather
// than thousands: "PATH: PROBLEM", with " (N times)" after a repeated one.

#include <string>
#include <utility>
#include <vector>

namespace rollpath {

class MessageSink;

class ReadProblems {
public:
    ReadProblems(MessageSink& messages, std::string fileName)
        : messages_(messages), name_(std::move(fileName)) {}
    // Tells what was noted.
    ~ReadProblems();
    ReadProblems(const ReadProblems&) = delete;
    ReadProblems& operator=(const ReadProblems&) = delete;

    void Note(const std::string& problem);

private:
    MessageSink& messages_;
    std::string name_;
    std::vector<std::pair<std::string, int>> problems_;  // in the order first met
};

}  // namespace rollpath
