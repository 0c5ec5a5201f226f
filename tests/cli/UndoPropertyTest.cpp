// Undo and Redo over random editing sessions on KPAO, driven as the script
// language drives the editor: Undo all the way gives back the files of the
// airport as it was opened, Redo all the way those of the edited one; and
// any mix of Undo, Redo and new edits follows a plain list of states with a
// cursor into it.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliTestSupport.h"
#include "cli/ScriptSession.h"
#include "support/DocumentSnapshot.h"
#include "support/SampleInstallation.h"

namespace rollpath::cli {
namespace {

using rollpath::testing::DocumentSnapshot;
using rollpath::testing::Snapshot;

// --- A small generator of editing gestures on the free ground north-east of
// KPAO's runway. Points lie on a 100 ft grid, so that gestures meet the
// vertices earlier ones made.

std::string Point(int x, int y) {
    return std::to_string(x) + " " + std::to_string(y);
}

rc::Gen<std::pair<int, int>> GridPoint() {
    return rc::gen::apply([](int i, int j) { return std::make_pair(100 * i, 100 * j); },
                          rc::gen::inRange(1, 13), rc::gen::inRange(1, 13));
}

// A tool switched on, clicks, and the right click that ends the drawing.
rc::Gen<std::string> Clicks(const char* tool, int atLeast, int atMost) {
    const auto points = rc::gen::mapcat(rc::gen::inRange(atLeast, atMost + 1), [](int n) {
        return rc::gen::container<std::vector<std::pair<int, int>>>(static_cast<std::size_t>(n), GridPoint());
    });
    return rc::gen::map(points, [tool](const std::vector<std::pair<int, int>>& clicks) {
        std::string lines = std::string("command ") + tool + "\n";
        for (const auto& [x, y] : clicks) {
            lines += "click " + Point(x, y) + "\n";
        }
        return lines + "rclick " + Point(clicks.back().first, clicks.back().second) + "\n";
    });
}

rc::Gen<std::string> Drag() {
    return rc::gen::apply(
        [](std::pair<int, int> from, int dx, int dy) {
            return "press " + Point(from.first, from.second) + "\nmove " +
                   Point(from.first + dx / 2, from.second + dy / 2) + "\nrelease " +
                   Point(from.first + dx, from.second + dy) + "\n";
        },
        GridPoint(), rc::gen::inRange(-150, 151), rc::gen::inRange(-150, 151));
}

rc::Gen<std::string> ContextCommand() {
    return rc::gen::apply(
        [](std::pair<int, int> at, int pick, int width) {
            static const char* const kCommands[] = {"command context-cut", "command insert-vertex",
                                                    "command delete-vertex", "command context-copy"};
            std::string lines = "rclick " + Point(at.first, at.second) + "\n";
            if (pick < 4) {
                return lines + kCommands[pick] + "\n";
            }
            return lines + "dialog Width=" + std::to_string(width) + "\ncommand context-properties\n";
        },
        GridPoint(), rc::gen::inRange(0, 5), rc::gen::inRange(10, 120));
}

rc::Gen<std::string> Placement() {
    return rc::gen::apply(
        [](bool source, std::pair<int, int> at) {
            // The right click disarms a placement that missed.
            const std::string p = Point(at.first, at.second);
            return std::string(source ? "command place-source\n" : "command place-sink\n") + "click " + p +
                   "\nrclick " + p + "\n";
        },
        rc::gen::arbitrary<bool>(), GridPoint());
}

rc::Gen<std::string> Gesture() {
    return rc::gen::weightedOneOf<std::string>({
        {4, Clicks("rollpath-tool", 2, 4)},
        {2, Clicks("polygon-tool", 3, 5)},
        {5, Drag()},
        {4, ContextCommand()},
        {1, rc::gen::map(GridPoint(),
                         [](std::pair<int, int> at) {
                             return "click " + Point(at.first, at.second) + "\nkey Delete\n";
                         })},
        {1, Placement()},
        {1, rc::gen::element<std::string>("char r\n", "char o\n", "char >\n", "command vertices\n")},
    });
}

// --- A headless session with its own output and project folders.

class Session {
public:
    explicit Session(const std::filesystem::path& fly) {
        CommonOptions options;
        options.flyDir = fly.string();
        options.outputDir = (work_ / "out").string();
        options.projectDir = (work_ / "project").string();
        options.seed = 7;
        std::filesystem::create_directories(work_ / "out");
        session_.Prepare(options);
        Run("size 1200 900\nnew KPAO\n");
    }

    // Any outcome: a gesture may ask a dialog for a field it does not have.
    void Run(const std::string& lines) {
        std::istringstream in(lines);
        session_.Run(in, "steps");
    }

    // Saves, and gives every file written, by name.
    std::map<std::string, std::string> Save() {
        Run("save\n");
        std::map<std::string, std::string> files;
        for (const char* folder : {"out", "project"}) {
            for (const auto& entry : std::filesystem::directory_iterator(work_ / folder)) {
                files[entry.path().filename().string()] = ReadText(entry.path());
            }
        }
        return files;
    }

    CRollpathDoc& Doc() { return session_.Document(); }
    const CEditHistory& History() { return session_.Document().History(); }
    CRollpathView& View() { return session_.View(); }

private:
    rollpath::testing::TempDir work_{"rollpath-undo"};
    std::ostringstream err_;
    ScriptSession session_{err_};
};

// One sample installation for every session; each session has its own
// output and project folders.
const std::filesystem::path& Installation() {
    static const rollpath::testing::TempDir dir{"rollpath-undo-fly"};
    static const bool written = rollpath::testing::WriteSampleInstallation(dir.path(), SampleLayout::Loose);
    EXPECT_TRUE(written);
    return dir.path();
}

// At most this many steps are taken back or forward; the sessions are shorter.
constexpr int kMaxSteps = 1000;

RC_GTEST_PROP(UndoProperty, UndoAllAndRedoAllGiveBackTheSavedFiles, ()) {
    const auto step =
        rc::gen::weightedOneOf<std::string>({{12, Gesture()}, {1, rc::gen::just<std::string>("save\n")}});
    const auto steps = *rc::gen::resize(20, rc::gen::container<std::vector<std::string>>(step));
    Session s(Installation());
    const auto opened = s.Save();
    for (const std::string& lines : steps) {
        s.Run(lines);
    }
    const auto edited = s.Save();
    for (int i = 0; i < kMaxSteps && s.History().CanUndo(); ++i) {
        s.Run("undo\n");
    }
    RC_ASSERT(s.Save() == opened);
    for (int i = 0; i < kMaxSteps && s.History().CanRedo(); ++i) {
        s.Run("redo\n");
    }
    RC_ASSERT(s.Save() == edited);
}

// Which edits hold only changes that are no edit of their own: a rebuild,
// a straightening pass that moved nothing, a chain whose every segment was
// too short.
bool Silent(const std::string& lines, std::size_t segmentsBefore, Session& s) {
    if (lines == "char r\n") {
        return true;
    }
    if (lines == "char o\n") {
        return s.View().m_bShowStraightened == 0;
    }
    return lines.rfind("command rollpath-tool", 0) == 0 && s.Doc().m_pSegments.size() == segmentsBefore;
}

RC_GTEST_PROP(UndoProperty, UndoRedoAndNewEditsFollowAListOfStates, ()) {
    const int levels = *rc::gen::inRange(1, 7);
    const auto action = rc::gen::weightedOneOf<std::string>({{3, Gesture()},
                                                             {2, rc::gen::just<std::string>("undo\n")},
                                                             {1, rc::gen::just<std::string>("redo\n")}});
    const auto actions = *rc::gen::resize(30, rc::gen::container<std::vector<std::string>>(action));
    Session s(Installation());
    s.Doc().GetSettings().UndoLevels = levels;
    std::deque<DocumentSnapshot> states{Snapshot(s.Doc())};
    std::size_t cursor = 0;
    std::optional<std::size_t> saved = 0;
    for (const std::string& lines : actions) {
        const std::size_t segments = s.Doc().m_pSegments.size();
        s.Run(lines);
        DocumentSnapshot now = Snapshot(s.Doc());
        if (lines == "undo\n") {
            cursor -= cursor > 0 ? 1 : 0;
        } else if (lines == "redo\n") {
            cursor += cursor + 1 < states.size() ? 1 : 0;
        } else if (!(now == states[cursor])) {
            states.resize(cursor + 1);
            if (Silent(lines, segments, s)) {
                states[cursor] = now;
            } else {
                states.push_back(now);
                if (++cursor > static_cast<std::size_t>(levels)) {
                    states.pop_front();
                    --cursor;
                    saved = saved.value_or(0) > 0 ? std::optional<std::size_t>(*saved - 1) : std::nullopt;
                }
            }
        }
        RC_ASSERT(now == states[cursor]);
        RC_ASSERT(s.History().UndoSteps() == static_cast<int>(cursor));
        RC_ASSERT(s.History().RedoSteps() == static_cast<int>(states.size() - 1 - cursor));
        RC_ASSERT(s.Doc().IsModified() == (saved != cursor));
    }
}

}  // namespace
}  // namespace rollpath::cli
