#pragma once

#include <deque>
#include <string>
#include <vector>

namespace rollpath {

enum class Answer { Yes, No, Cancel };

// The core never shows UI: every message box goes through this interface.
// The GUI shows modal boxes, the CLI prints to stderr, tests record.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // A message with an OK button.
    virtual void Show(const std::string& text) = 0;
    // A question with Yes, No and Cancel.
    virtual Answer Ask(const std::string& text) = 0;
};

// Records every text; questions take their answers from a queue (Cancel when
// it is empty, the safe choice).
class RecordingMessageSink : public MessageSink {
public:
    void Show(const std::string& text) override { shown.push_back(text); }
    Answer Ask(const std::string& text) override;

    // True when some shown message equals text.
    bool Saw(const std::string& text) const;
    void Clear();

    std::vector<std::string> shown;
    std::vector<std::string> asked;
    std::deque<Answer> answers;
};

}  // namespace rollpath
