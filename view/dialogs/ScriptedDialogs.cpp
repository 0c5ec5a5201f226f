#include "view/dialogs/ScriptedDialogs.h"

namespace rollpath {

void ScriptedDialogs::Apply(DialogModel& dialog, const DialogAnswer& answer) {
    for (const auto& [name, value] : answer.fields) {
        std::string problem;
        if (!dialog.SetField(name, value, problem)) {
            problems.push_back(problem);
        }
    }
}

bool ScriptedDialogs::RunDialog(DialogModel& dialog) {
    shown.push_back(dialog.Title());
    if (m_Answers.empty()) {
        dialog.Cancel();
        return false;
    }
    const DialogAnswer answer = std::move(m_Answers.front());
    m_Answers.pop_front();
    Apply(dialog, answer);
    if (answer.end == DialogEnd::Ok && dialog.Ok()) {
        return true;
    }
    if (dialog.Refusal()) {
        problems.push_back(dialog.Refusal()->message);
    }
    dialog.Cancel();
    return false;
}

void ScriptedDialogs::ShowModeless(DialogModel& dialog) {
    shown.push_back(dialog.Title());
    m_pModeless = &dialog;
}

void ScriptedDialogs::CloseModeless(DialogModel& dialog) {
    if (m_pModeless == &dialog) {
        m_pModeless = nullptr;
    }
}

bool ScriptedDialogs::AnswerModeless(const DialogAnswer& answer) {
    DialogModel* dialog = m_pModeless;
    if (dialog == nullptr) {
        return false;
    }
    Apply(*dialog, answer);
    // Ending it makes the dialog tell its owner, which closes the window.
    if (answer.end == DialogEnd::Ok) {
        dialog->Ok();
    } else if (answer.end == DialogEnd::Cancel) {
        dialog->Cancel();
    }
    return true;
}

std::optional<std::string> ScriptedDialogs::GetOpenFileName(const FileOpenRequest& request) {
    shown.push_back(request.title);
    if (m_FileNames.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> path = std::move(m_FileNames.front());
    m_FileNames.pop_front();
    return path;
}

}  // namespace rollpath
