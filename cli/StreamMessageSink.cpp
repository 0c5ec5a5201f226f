#include "cli/StreamMessageSink.h"

#include "document/AnsiText.h"

namespace rollpath::cli {

namespace {

const char* AnswerName(Answer answer) {
    switch (answer) {
        case Answer::Yes:
            return "yes";
        case Answer::No:
            return "no";
        case Answer::Cancel:
            break;
    }
    return "cancel";
}

}  // namespace

void StreamMessageSink::Show(const std::string& text) {
    m_Err << "message: " << AnsiToUtf8(text) << '\n';
}

Answer StreamMessageSink::Ask(const std::string& text) {
    Answer answer = Answer::Cancel;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    m_Err << "question: " << AnsiToUtf8(text) << " -> " << AnswerName(answer) << '\n';
    return answer;
}

}  // namespace rollpath::cli
