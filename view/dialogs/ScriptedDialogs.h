#pragma once

// Dialogs answered without a window, for scripts and tests: each modal
// dialog takes the next queued answer (field values set as a user would set
// them, then OK or Cancel); an open modeless dialog takes an answer at once.
// With no answer queued a dialog is cancelled, the safe choice.

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "view/dialogs/DialogHost.h"

namespace rollpath {

enum class DialogEnd { Ok, Cancel, KeepOpen };

struct DialogAnswer {
    std::vector<std::pair<std::string, std::string>> fields;  // name, value; set in this order
    DialogEnd end = DialogEnd::Ok;
};

class ScriptedDialogs : public DialogHost {
public:
    // The answer for the next modal dialog.
    void Queue(DialogAnswer answer) { m_Answers.push_back(std::move(answer)); }
    // The file name for the next file-open dialog; nothing cancels it.
    void QueueFileName(std::optional<std::string> path) { m_FileNames.push_back(std::move(path)); }
    // Applies an answer to the open modeless dialog now; false when none is open.
    bool AnswerModeless(const DialogAnswer& answer);

    bool RunDialog(DialogModel& dialog) override;
    void ShowModeless(DialogModel& dialog) override;
    void CloseModeless(DialogModel& dialog) override;
    std::optional<std::string> GetOpenFileName(const FileOpenRequest& request) override;

    DialogModel* OpenModeless() const { return m_pModeless; }
    bool HasQueuedAnswers() const { return !m_Answers.empty(); }

    // The titles of the dialogs shown (modal and modeless) and of the file
    // dialogs, in order.
    std::vector<std::string> shown;
    // Why fields of an answer could not be set ("Width is read-only" ...),
    // and the refusals of OK.
    std::vector<std::string> problems;

private:
    void Apply(DialogModel& dialog, const DialogAnswer& answer);

    std::deque<DialogAnswer> m_Answers;
    std::deque<std::optional<std::string>> m_FileNames;
    DialogModel* m_pModeless = nullptr;
};

}  // namespace rollpath
