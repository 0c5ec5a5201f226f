#pragma once

// Running script lines on the headless editor exactly as `rollpath-cli
// script` runs them, in folders of a sample installation.

#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CommonOptions.h"
#include "cli/ScriptSession.h"
#include "support/TempDir.h"

namespace rollpath::testing {

// A sample installation with its output folder, a program folder for the
// project list and the side files, and a small diagram bitmap.
class SessionFolders {
public:
    SessionFolders();

    // Removes what earlier sessions saved, so that the next one starts on a
    // fresh installation.
    void Clear() const;

    std::filesystem::path FlyDir() const { return dir_ / "fly"; }
    std::filesystem::path OutputDir() const { return FlyDir() / "Data"; }
    std::filesystem::path ProgramDir() const { return dir_ / "program"; }
    std::filesystem::path DiagramPath() const { return dir_ / "diagram.bmp"; }

    // The folders as `rollpath-cli script` takes them, with a fixed seed for
    // the triangulator so that two Saves of one airport write the same bytes.
    cli::CommonOptions Options() const;

    // The shell commands that rebuild these folders and replay the script
    // (written to `scriptPath`) with the program.
    std::string ReplayCommands(const std::string& scriptPath) const;

private:
    TempDir dir_;
};

// One installation for every session of the test program; each session
// clears it first.
const SessionFolders& Folders();

// One scripted session, kept after its lines ran so that its document can be
// looked at and more lines run.
class ScriptRun {
public:
    explicit ScriptRun(const SessionFolders& folders);
    ScriptRun(const ScriptRun&) = delete;
    ScriptRun& operator=(const ScriptRun&) = delete;

    // The exit status `rollpath-cli script` would give for these lines.
    int Run(const std::string& script);
    int Run(const std::vector<std::string>& lines);

    CRollpathDoc& Document() { return session_.Document(); }
    cli::ScriptSession& Session() { return session_; }
    // Everything the session wrote to its error stream (messages, answers).
    std::string Errors() const { return err_.str(); }

private:
    std::ostringstream err_;
    cli::ScriptSession session_;
};

// The bytes of every file a Save of the airport writes, by name.
using SavedFiles = std::map<std::string, std::string>;
SavedFiles ReadSavedFiles(const SessionFolders& folders, const CRollpathDoc& doc);

// The first file that differs, and where; nothing when all are equal.
std::optional<std::string> FirstFileDifference(const SavedFiles& expected, const SavedFiles& actual);

}  // namespace rollpath::testing
