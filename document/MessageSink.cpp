#include "document/MessageSink.h"

#include <algorithm>

namespace rollpath {

Answer RecordingMessageSink::Ask(const std::string& text) {
    asked.push_back(text);
    if (answers.empty()) {
        return Answer::Cancel;
    }
    const Answer a = answers.front();
    answers.pop_front();
    return a;
}

bool RecordingMessageSink::Saw(const std::string& text) const {
    return std::find(shown.begin(), shown.end(), text) != shown.end();
}

void RecordingMessageSink::Clear() {
    shown.clear();
    asked.clear();
    answers.clear();
}

}  // namespace rollpath
