#pragma once

// The editor's command line: folders that override the stored settings for
// this run, and an airport code to open at once.

#include <QStringList>
#include <optional>
#include <string>

namespace rollpath {

struct EditorCommandLine {
    std::optional<std::string> flyDir;      // --fly-dir DIR
    std::optional<std::string> outputDir;   // --output-dir DIR
    std::optional<std::string> projectDir;  // --project-dir DIR
    std::optional<std::string> code;        // the airport to open
    std::string error;                      // set when the line cannot be used
    bool help = false;
};

// `arguments` includes the program name first, as QCoreApplication gives it.
EditorCommandLine ParseEditorCommandLine(const QStringList& arguments);

inline constexpr const char* kEditorUsage =
    "usage: rollpath [--fly-dir DIR] [--output-dir DIR] [--project-dir DIR] [CODE]\n";

}  // namespace rollpath
