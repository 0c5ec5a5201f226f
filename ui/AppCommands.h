#pragma once

// What the main frame asks of the application object: the commands the
// application handles (New, Open, Preferences, About), the recent-file list,
// opening a file by path (a recent entry, a file dropped on the window), and
// saving the settings when the main window closes.

#include <optional>
#include <string>
#include <vector>

#include "view/CommandIds.h"
#include "view/RollpathView.h"

namespace rollpath {

class AppCommands {
public:
    virtual ~AppCommands() = default;

    // False when the application does not handle the command.
    virtual bool OnAppCommand(CommandId id) = 0;
    // Nothing when the application does not handle the command.
    virtual std::optional<CommandUI> UpdateAppCommandUI(CommandId id) const = 0;

    // Opens a document by path as the framework does: after the "Save
    // changes?" prompt, the path's file title is the airport code. True when
    // it opened.
    virtual bool OpenDocumentFile(const std::string& path) = 0;
    // Opens the recent-file entry at an index; an entry that fails to open
    // leaves the list.
    virtual bool OpenRecentFile(std::size_t index) = 0;
    virtual std::vector<std::string> RecentFiles() const = 0;

    // The main window is closing: the settings are saved.
    virtual void OnMainFrameClose() = 0;
};

}  // namespace rollpath
