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

namespace {

// The first field a user could type into.
const DialogControl* FirstEditableField(const DialogModel& dialog) {
    for (const DialogControl& c : dialog.Controls()) {
        if (c.kind == ControlKind::Edit && !c.readOnly && c.enabled) {
            return &c;
        }
    }
    return nullptr;
}

}  // namespace

bool ScriptHost::RunDialog(DialogModel& dialog) {
    dialogs.shown.push_back(dialog.Title());
    bool ok = false;
    if (!m_Responses.empty()) {
        const ScriptResponse response = m_Responses.front();
        m_Responses.pop_front();
        switch (response.type) {
            case ScriptResponse::Type::Yes:
                ok = dialog.Ok();
                break;
            case ScriptResponse::Type::No:
            case ScriptResponse::Type::Cancel:
                break;
            case ScriptResponse::Type::Text:
                if (const DialogControl* field = FirstEditableField(dialog)) {
                    dialog.TypeText(field->id, response.text);
                }
                ok = dialog.Ok();
                break;
            case ScriptResponse::Type::Fields:
                for (const ScriptField& field : response.fields) {
                    std::string problem;
                    if (!dialog.SetField(field.name, field.value, problem) && fieldError.empty()) {
                        fieldError = "dialog \"" + AnsiToUtf8(dialog.Title()) + "\": " + problem;
                    }
                }
                ok = fieldError.empty() && dialog.Ok();
                break;
        }
    }
    if (!ok) {
        // A refused OK shows the refusal; the script has no second try.
        if (dialog.Refusal()) {
            Messages().Show(dialog.Refusal()->message);
        }
        dialog.Cancel();
    }
    m_Err << "dialog: " << AnsiToUtf8(dialog.Title()) << " -> " << (ok ? "ok" : "cancel") << '\n';
    return ok;
}

std::optional<std::string> ScriptHost::GetOpenFileName(const FileOpenRequest& request) {
    dialogs.shown.push_back(request.title);
    std::optional<std::string> path;
    if (!m_Responses.empty() && m_Responses.front().type == ScriptResponse::Type::Text) {
        path = m_Responses.front().text;
        m_Responses.pop_front();
    } else if (!m_Responses.empty() && m_Responses.front().type == ScriptResponse::Type::Cancel) {
        m_Responses.pop_front();
    }
    m_Err << "file dialog: " << AnsiToUtf8(request.title) << " -> " << (path ? *path : "cancel") << '\n';
    return path;
}

}  // namespace rollpath::cli
