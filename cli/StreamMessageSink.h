#pragma once

#include <deque>
#include <ostream>

#include "document/MessageSink.h"

namespace rollpath::cli {

// Message boxes of a headless run: "message: TEXT" and "question: TEXT" lines
// (UTF-8) on the error stream. Questions take their answers from a queue
// (Cancel, the safe choice, when it is empty); the answer follows the
// question on its line.
class StreamMessageSink : public MessageSink {
public:
    explicit StreamMessageSink(std::ostream& err) : m_Err(err) {}
    void Show(const std::string& text) override;
    Answer Ask(const std::string& text) override;

    std::deque<Answer> answers;

private:
    std::ostream& m_Err;
};

}  // namespace rollpath::cli
