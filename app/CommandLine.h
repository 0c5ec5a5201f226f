#pragma once

// The editor's command line: folders that override the stored settings for
// this run, and an airport to open at once: its code, or a path whose file
// title is the code.

#include <QStringList>
#include <optional>
#include <string>

namespace rollpath {

struct EditorCommandLine {
    std::optional<std::string> flyDir;      // --fly-dir DIR
    std::optional<std::string> outputDir;   // --output-dir DIR
    std::optional<std::string> projectDir;  // --project-dir DIR
    std::optional<std::string> code;        // the airport to open: a code or a path
    bool showMarkings = false;              // --show markings,lights: switched on once it opened
    bool showLights = false;
    std::string error;  // set when the line cannot be used
    bool help = false;
    bool version = false;
};

// `arguments` includes the program name first, as QCoreApplication gives it.
EditorCommandLine ParseEditorCommandLine(const QStringList& arguments);

inline constexpr const char* kEditorUsage =
    "usage: rollpath [--fly-dir DIR] [--output-dir DIR] [--project-dir DIR] [--show markings,lights]\n"
    "                [CODE | FILE]\n"
    "       rollpath --version\n";

}  // namespace rollpath
