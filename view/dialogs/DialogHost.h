#pragma once

// How the view and the document ask for a dialog. The Qt host shows the Qt
// dialog over the model; headless hosts answer with scripted values. A host
// without dialogs cancels every one of them.

#include <optional>
#include <string>

#include "view/dialogs/DialogModel.h"

namespace rollpath {

// A file-open dialog. The filter is written as the framework writes it:
// "Name|pattern|...|" with an empty pair at the end.
struct FileOpenRequest {
    std::string title;
    std::string filter;
    std::string initialName;
    std::string defaultExtension;
    bool hideReadOnly = true;
};

class DialogHost {
public:
    virtual ~DialogHost() = default;

    // Shows a modal dialog over its model until the user ends it; true for
    // OK (the model then holds what OK hands back).
    virtual bool RunDialog(DialogModel& /*dialog*/) { return false; }
    // Creates the window of a modeless dialog over its model; it stays until
    // CloseModeless. The model outlives the window.
    virtual void ShowModeless(DialogModel& /*dialog*/) {}
    virtual void CloseModeless(DialogModel& /*dialog*/) {}
    // The path the user chose, or nothing on Cancel.
    virtual std::optional<std::string> GetOpenFileName(const FileOpenRequest& /*request*/) {
        return std::nullopt;
    }
};

}  // namespace rollpath
