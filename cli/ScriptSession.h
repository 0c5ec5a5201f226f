#pragma once

// A headless editor session driven by a script: the same CRollpathView the
// editor uses, fed with the mouse, key and menu events the script names.
// One command per line; "#" at the start of a word begins a comment; words
// may be double-quoted to hold blanks. Coordinates are world feet, turned
// into client-area pixels through the view's transform at that moment.

#include <deque>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CommonOptions.h"
#include "cli/Json.h"
#include "cli/ScriptHost.h"
#include "document/RollpathDoc.h"
#include "settings/Settings.h"
#include "view/RollpathView.h"

namespace rollpath::cli {

// The words of one script line; nothing for a blank or comment line. False
// (with the reason) for an unclosed quote.
bool SplitScriptLine(std::string_view line, std::vector<std::string>& words, std::string& error);

class ScriptSession {
public:
    explicit ScriptSession(std::ostream& err);
    ScriptSession(const ScriptSession&) = delete;
    ScriptSession& operator=(const ScriptSession&) = delete;

    // The settings and folders; false when the settings file cannot be read.
    bool Prepare(const CommonOptions& options);

    // Runs every line; the exit status: 0, 1 when an airport could not be
    // opened or a file not written, 2 for a line that is not a command (with
    // its line number on the error stream).
    int Run(std::istream& script, const std::string& name);

    CRollpathDoc& Document() { return m_Doc; }
    CRollpathView& View() { return m_View; }
    ScriptHost& Host() { return m_Host; }

private:
    enum class Step { Next, Failed, Usage };
    using Words = std::vector<std::string>;

    Step Execute(const Words& words, std::string& error);
    Step New(const Words& words, std::string& error);
    Step Open(const Words& words, std::string& error);
    Step Size(const Words& words, std::string& error);
    Step Command(const Words& words, std::string& error);
    Step Mouse(const Words& words, std::string& error);
    Step Char(const Words& words, std::string& error);
    Step Key(const Words& words, std::string& error);
    Step Answer(const Words& words, std::string& error);
    Step Dialog(const Words& words, std::string& error);
    Step Modeless(const Words& words, std::string& error);
    Step Save();
    Step DumpDoc(const Words& words, std::string& error);
    Step Render(const Words& words, std::string& error);

    // The client-area pixel of a world point.
    DevicePoint ToDevice(double x, double y) const;
    void WriteViewState(JsonWriter& json) const;

    std::ostream& m_Err;
    std::deque<ScriptResponse> m_Responses;
    ScriptMessageSink m_Messages;
    Settings m_Settings;
    CRollpathDoc m_Doc;
    ScriptHost m_Host;
    CRollpathView m_View;
};

}  // namespace rollpath::cli
