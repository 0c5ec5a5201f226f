// Saved work survives: random editing sessions through the script language,
// in an installation whose project list holds other airports (and perhaps a
// line cut short, or names outside the output folder) and which may lack its
// output folder; Save, reopen: the reopened airport is the one that was
// saved, saving it again writes the same bytes, the other entries and every
// file outside the two folders stay as they were, and the airport opened from
// its pavement file alone saves over none of these files. The sessions run in the environment's locale,
// as the editor and the CLI adopt it; CTest runs them once more under
// LC_ALL=de_DE.UTF-8, whose decimal comma must reach no file and no field.
//
// A longer run: RC_PARAMS="max_success=5000 max_size=200" tests_cli
// --gtest_filter='SavedWork.*' (max_size 200 doubles the steps per session).
// A failure prints its session as a script, the commands that replay it and
// the RC_PARAMS that reproduce it.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "document/ProjectList.h"
#include "sessions/EditingSession.h"
#include "sessions/SessionRunner.h"
#include "support/DocumentSnapshot.h"

namespace rollpath::testing {
namespace {

SessionOptions Options() {
    SessionOptions options;
    options.airports = {"KPAO", "KPAO", "KPAO", "KSFO", "NZQN", "EGLL"};
    options.diagramPath = Folders().DiagramPath().string();
    return options;
}

// What the folders hold before a session: the project list of an author who
// built other airports, perhaps with a last line that no reader takes, or an
// entry for this airport naming files outside the output folder (the session
// then opens the airport by that entry); perhaps no output folder yet.
struct Installation {
    std::string list;  // Rollpath.rpj as it is found, empty for none
    bool outputFolder = true;
};

// Where an entry's names would take a Save outside the output folder.
std::filesystem::path Escaped(const char* extension) {
    return Folders().FlyDir() / (std::string("escaped") + extension);
}

// The airports of the list other than the session's; the last is named only
// by an unterminated line, which is no entry.
constexpr const char* kOtherAirports[] = {"ZZA", "ZZB", "ZZC"};

rc::Gen<Installation> GenInstallation(const std::string& airport, bool hostileEntry) {
    return rc::gen::exec([airport, hostileEntry] {
        Installation installation;
        if (*rc::gen::arbitrary<bool>()) {
            installation.list +=
                "; built by hand\n[ZZA]\ntxp=zza.txp\nbgr=zza.bgr\nbmp=\"/scans/zza.bmp\" 5 -6 70 1.500000\n";
        }
        if (hostileEntry) {
            installation.list +=
                "[" + airport + "]\ntxp=../escaped.txp\nbgr=" + Escaped(".bgr").string() + "\nbmp=\n";
        }
        if (*rc::gen::arbitrary<bool>()) {
            installation.list += "[ZZB]\r\ntxp=b.txp\r\nbgr=b.bgr\r\nbmp=\r\n";
        }
        if (*rc::gen::arbitrary<bool>()) {
            installation.list += "[ZZC]";
        }
        installation.outputFolder = *rc::gen::inRange(0, 4) != 0;
        return installation;
    });
}

void Install(const Installation& installation) {
    Folders().Clear();
    // A file an earlier session wrote outside would fail every later one,
    // and shrinking would then report the wrong session.
    for (const char* extension : {".txp", ".bgr"}) {
        std::filesystem::remove(Escaped(extension));
    }
    if (!installation.list.empty()) {
        std::ofstream(Folders().ProgramDir() / kProjectListName, std::ios::binary) << installation.list;
    }
    if (!installation.outputFolder) {
        std::filesystem::remove_all(Folders().OutputDir());
    }
}

// What the list gives each other airport: its file names and diagram placement.
std::string OtherEntries() {
    std::string entries;
    for (const char* code : kOtherAirports) {
        PendingProject p;
        SetPendingProject(p, code, Folders().ProgramDir() / kProjectListName);
        entries += p.code + ": " + p.txpName + " " + p.bgrName + " \"" + p.bmpPath + "\" " +
                   std::to_string(p.bmpX) + " " + std::to_string(p.bmpY) + " " + std::to_string(p.bmpScale) +
                   " " + std::to_string(p.rotation) + "\n";
    }
    return entries;
}

// Where a failing session is kept for replay.
std::string Keep(const EditingSession& session, const Installation& installation) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "rollpath-failed-session.script").string();
    std::ofstream(path) << session.Script();
    return "\nreplay" + std::string(installation.outputFolder ? "" : " without the output folder") +
           (installation.list.empty() ? "" : " with this Rollpath.rpj:\n" + installation.list + "\n") +
           ":\n" + Folders().ReplayCommands(path);
}

// The environment's locale for the time of one session, as the editor's
// start adopts it.
class EnvironmentLocale {
public:
    EnvironmentLocale() : adopted_(std::setlocale(LC_ALL, "") != nullptr) {}
    ~EnvironmentLocale() { std::setlocale(LC_ALL, "C"); }
    EnvironmentLocale(const EnvironmentLocale&) = delete;
    EnvironmentLocale& operator=(const EnvironmentLocale&) = delete;

    // False when the environment names a locale that is not installed.
    bool Adopted() const { return adopted_; }

private:
    bool adopted_;
};

// What one session left behind, or why saved work did not survive it.
struct RoundTrip {
    std::string failure;  // empty when the airport reopened as saved
    std::string errors;   // what the editing session said
};

// Runs the session in the installation, saves, reopens and saves again.
// Reopening our own files shows no message, but for a diagram that is not
// there; the other airports' entries read as before, and nothing is written
// where the list's names point outside the output folder. Then, if asked,
// the airport is opened from its pavement file and edited the same way: its
// Save changes none of the files already saved.
RoundTrip SaveAndReopen(const EditingSession& session, const Installation& installation = {},
                        bool editFromPavement = false) {
    Install(installation);
    const std::string others = OtherEntries();
    ScriptRun editor(Folders());
    if (editor.Run(session.Lines()) != 0 || editor.Run("save") != 0) {
        return {"the session fails: " + editor.Errors(), editor.Errors()};
    }
    const SavedFiles saved = ReadSavedFiles(Folders(), editor.Document());
    if (const std::string now = OtherEntries(); now != others) {
        return {"the other airports' entries were\n" + others + "and are now\n" + now, editor.Errors()};
    }
    for (const char* extension : {".txp", ".bgr"}) {
        if (std::filesystem::exists(Escaped(extension))) {
            return {"Save wrote " + Escaped(extension).string(), editor.Errors()};
        }
    }
    ScriptRun reopened(Folders());
    if (reopened.Run("open " + session.airport) != 0) {
        return {"the saved airport does not open: " + reopened.Errors(), editor.Errors()};
    }
    std::istringstream said(reopened.Errors());
    for (std::string line; std::getline(said, line);) {
        if (line.starts_with("message: ") && !line.starts_with("message: Cannot read the airport diagram")) {
            return {"reopened with " + line, editor.Errors()};
        }
    }
    const CRollpathDoc& a = editor.Document();
    const CRollpathDoc& b = reopened.Document();
    if (a.m_szCode != b.m_szCode || a.m_szTxpName != b.m_szTxpName || a.m_szBgrName != b.m_szBgrName) {
        return {"reopened as " + b.m_szCode + " " + b.m_szTxpName + " " + b.m_szBgrName, editor.Errors()};
    }
    if (const auto difference = SnapshotDifference(SavedForm(a), SavedForm(b))) {
        return {"reopened, " + *difference + " differs", editor.Errors()};
    }
    if (reopened.Run("save") != 0) {
        return {"the reopened airport cannot be saved: " + reopened.Errors(), editor.Errors()};
    }
    if (const auto difference = FirstFileDifference(saved, ReadSavedFiles(Folders(), reopened.Document()))) {
        return {"saved again, " + *difference, editor.Errors()};
    }
    if (editFromPavement) {
        std::vector<std::string> lines{"new " + session.airport + " tms"};
        for (const auto& step : session.steps) {
            std::copy_if(step.begin(), step.end(), std::back_inserter(lines),
                         [](const std::string& line) { return line != "save"; });
        }
        lines.push_back("save");
        ScriptRun fromPavement(Folders());
        fromPavement.Run(lines);  // its Save is refused
        if (const auto difference =
                FirstFileDifference(saved, ReadSavedFiles(Folders(), reopened.Document()))) {
            return {"opened from its pavement file (new " + session.airport +
                        " tms, the same steps without Save, save), " + *difference,
                    fromPavement.Errors()};
        }
    }
    return {"", editor.Errors()};
}

RC_GTEST_PROP(SavedWork, ReopensAsTheSameAirport, ()) {
    EditingSession session = *GenEditingSession(Options());
    const bool hostileEntry = *rc::gen::inRange(0, 4) == 0;
    if (hostileEntry) {
        session.opening = "open";
    }
    const Installation installation = *GenInstallation(session.airport, hostileEntry);
    const bool editFromPavement = *rc::gen::inRange(0, 4) == 0;
    const EnvironmentLocale locale;
    const char* wanted = std::getenv("LC_ALL");
    if (!locale.Adopted()) {
        RC_FAIL(std::string("the locale ") + (wanted != nullptr ? wanted : "") +
                " is missing: run scripts/setup");
    }
    if (wanted != nullptr && std::strncmp(wanted, "de_DE", 5) == 0) {
        RC_ASSERT(std::string(std::localeconv()->decimal_point) == ",");
    }
    const RoundTrip trip = SaveAndReopen(session, installation, editFromPavement);
    if (!trip.failure.empty()) {
        RC_FAIL(trip.failure + Keep(session, installation));
    }
}

// The reproductions of faults that lost or corrupted saved work, each with
// what the author is told on the way.
TEST(SavedWork, ReproductionsOfLostWorkNowSurvive) {
    const std::string longPath = "/scans/" + std::string(kMaxPathLength - 11, 'd') + ".bmp";
    struct Case {
        const char* name;
        std::vector<std::vector<std::string>> steps;
        const char* told;  // a message of the session, or nothing
    };
    const Case cases[] = {
        {"two rollpaths, one cut",
         {{"command rollpath-tool", "click 300 300", "click 300 600", "rclick 300 600"},
          {"command rollpath-tool", "click 600 300", "click 600 600", "rclick 600 600"},
          {"rclick 300 450", "command context-cut"}},
         nullptr},
        {"a width out of range",
         {{"dialog Width=1500", "command width"},
          {"command rollpath-tool", "click 300 300", "click 300 600", "rclick 300 600"}},
         "message: Please enter a number between 1 and 1000."},
        {"the runway centre line cut", {{"rclick -675 0", "command context-cut"}}, nullptr},
        {"a long diagram path", {{"answer \"" + longPath + "\"", "command load-diagram"}}, nullptr},
        {"a diagram scale below 1",
         {{"answer \"" + Folders().DiagramPath().string() + "\"", "command load-diagram"},
          {"command position-diagram", "modeless Scale=0 ok", "modeless Scale=250 ok"}},
         "message: Please enter a number between 1 and 10000."},
        {"a pinned end slid past the runway's end and back",
         {{"command rollpath-tool", "click 750 -1200", "click 0 150", "rclick 0 150", "key escape"},
          {"press 0 150", "move -801 888", "release -801 888", "key escape"},
          {"press -801 888", "move -871 966", "move 750 -1200", "release 750 -1200"}},
         nullptr},
    };
    for (const Case& c : cases) {
        EditingSession session;
        session.airport = "KPAO";
        session.steps = c.steps;
        const RoundTrip trip = SaveAndReopen(session);
        EXPECT_EQ(trip.failure, "") << c.name;
        if (c.told != nullptr) {
            EXPECT_NE(trip.errors.find(c.told), std::string::npos) << c.name << "\n" << trip.errors;
        }
    }
}

}  // namespace
}  // namespace rollpath::testing
