#include "cli/ScriptHost.h"

#include <algorithm>
#include <cctype>

#include "document/AnsiText.h"

namespace rollpath::cli {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

ScriptResponse ScriptResponse::FromAnswer(const std::string& word) {
    const std::string lower = Lower(word);
    ScriptResponse response;
    if (lower == "yes") {
        response.type = Type::Yes;
    } else if (lower == "no") {
        response.type = Type::No;
    } else if (lower == "cancel") {
        response.type = Type::Cancel;
    } else {
        response.type = Type::Text;
        response.text = word;
    }
    return response;
}

Answer ScriptMessageSink::Ask(const std::string& text) {
    Answer answer = Answer::Cancel;
    if (!m_Responses.empty()) {
        const ScriptResponse::Type type = m_Responses.front().type;
        if (type == ScriptResponse::Type::Yes || type == ScriptResponse::Type::No ||
            type == ScriptResponse::Type::Cancel) {
            answer = type == ScriptResponse::Type::Yes  ? Answer::Yes
                     : type == ScriptResponse::Type::No ? Answer::No
                                                        : Answer::Cancel;
            m_Responses.pop_front();
        }
    }
    m_Stream.answers.push_front(answer);
    return m_Stream.Ask(text);
}

DialogResult ScriptHost::RunDialog(DialogRequest& request) {
    DialogResult result = DialogResult::Cancel;
    if (!m_Responses.empty()) {
        const ScriptResponse response = m_Responses.front();
        m_Responses.pop_front();
        switch (response.type) {
            case ScriptResponse::Type::Yes:
                result = DialogResult::Ok;
                break;
            case ScriptResponse::Type::No:
            case ScriptResponse::Type::Cancel:
                break;
            case ScriptResponse::Type::Text:
                if (!request.fields.empty()) {
                    request.fields.front().value = response.text;
                }
                result = DialogResult::Ok;
                break;
            case ScriptResponse::Type::Fields:
                for (const DialogField& field : response.fields) {
                    if (!request.Set(field.name, field.value) && fieldError.empty()) {
                        fieldError = "dialog \"" + AnsiToUtf8(request.title) + "\" has no field \"" +
                                     field.name + "\"";
                    }
                }
                result = DialogResult::Ok;
                break;
        }
    }
    m_Err << "dialog: " << AnsiToUtf8(request.title) << " -> "
          << (result == DialogResult::Ok ? "ok" : "cancel") << '\n';
    HeadlessViewHost::RunDialog(request);
    return result;
}

}  // namespace rollpath::cli
