#pragma once

// The window side of a scripted editor session: a headless view host whose
// questions and dialogs take the answers the script queued for them, and
// say on the error stream what they asked and what they got.

#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/StreamMessageSink.h"
#include "view/HeadlessViewHost.h"

namespace rollpath::cli {

// A value the script sets in a dialog: the control's name (its label without
// the mnemonic) or resource number, and the text, 1/0 or item it gets.
struct ScriptField {
    std::string name;
    std::string value;
};

// What the script said the next question or dialog returns.
struct ScriptResponse {
    enum class Type { Yes, No, Cancel, Text, Fields };
    Type type = Type::Cancel;
    std::string text;                 // Text
    std::vector<ScriptField> fields;  // Fields: values for the next dialog

    // "yes", "no" and "cancel" (any case) are those answers; anything else is
    // a text.
    static ScriptResponse FromAnswer(const std::string& word);
};

// Questions ("Save changes?") take the next queued answer when it is yes,
// no or cancel; without one they are cancelled, the safe choice.
class ScriptMessageSink : public MessageSink {
public:
    ScriptMessageSink(std::ostream& err, std::deque<ScriptResponse>& responses)
        : m_Stream(err), m_Responses(responses) {}
    void Show(const std::string& text) override { m_Stream.Show(text); }
    Answer Ask(const std::string& text) override;

private:
    StreamMessageSink m_Stream;
    std::deque<ScriptResponse>& m_Responses;
};

// A dialog takes the next queued response: field values (Ok with them set),
// yes (Ok as it is), no or cancel (Cancel), or a text (Ok with its first
// editable field set to it). Without one it is cancelled, and so is a dialog
// whose Ok refuses the values. A file dialog takes a text as the path.
class ScriptHost : public HeadlessViewHost {
public:
    ScriptHost(MessageSink& messages, std::ostream& err, std::deque<ScriptResponse>& responses)
        : HeadlessViewHost(messages), m_Err(err), m_Responses(responses) {}

    bool RunDialog(DialogModel& dialog) override;
    std::optional<std::string> GetOpenFileName(const FileOpenRequest& request) override;

    // Why a value the script gave could not be set (no such control, read-
    // only ...); empty when all fitted. Cleared by the caller.
    std::string fieldError;

private:
    std::ostream& m_Err;
    std::deque<ScriptResponse>& m_Responses;
};

}  // namespace rollpath::cli
