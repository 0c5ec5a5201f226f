// Undo and Redo over random editing sessions, run as `rollpath-cli script`
// runs them: the network the steps leave never joins two segments to the
// same two vertices (chains retrace and cross, drags merge vertices, vertices
// are deleted), and no vertex is both Source and Sink; Undo
// all the way gives back the files of the airport as it was opened, Redo all
// the way those of the edited one; and any mix of Undo,
// Redo, Save and new edits follows a plain list of states with a cursor
// into it.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "checks/LayoutChecks.h"
#include "sessions/EditingSession.h"
#include "sessions/SessionRunner.h"
#include "support/DocumentSnapshot.h"

namespace rollpath::testing {
namespace {

SessionOptions Options(bool saves) {
    SessionOptions options;
    options.diagramPath = Folders().DiagramPath().string();
    options.saves = saves;
    return options;
}

SavedFiles Save(ScriptRun& run) {
    run.Run("save\n");
    return ReadSavedFiles(Folders(), run.Document());
}

void AssertSameFiles(const SavedFiles& expected, const SavedFiles& actual, const char* when) {
    if (const std::optional<std::string> difference = FirstFileDifference(expected, actual)) {
        RC_FAIL(std::string(when) + ": " + *difference);
    }
}

// At most this many steps are taken back or forward; sessions are shorter.
constexpr int kMaxSteps = 1000;

RC_GTEST_PROP(UndoProperty, UndoAllAndRedoAllGiveBackTheSavedFiles, ()) {
    const EditingSession session = *GenEditingSession(Options(true));
    Folders().Clear();
    ScriptRun run(Folders());
    run.Run("new " + session.airport + "\n");
    const SavedFiles opened = Save(run);
    for (const auto& step : session.steps) {
        run.Run(step);
        // The Source placed on the Sink takes its place, and the other way round.
        RC_ASSERT(run.Document().m_nSource < 0 || run.Document().m_nSource != run.Document().m_nSink);
    }
    CheckSet duplicates;
    duplicates.Set(CheckId::DuplicateSegment, true);
    for (const Finding& f : RunLayoutChecks(run.Document(), duplicates)) {
        RC_FAIL(f.message);
    }
    const SavedFiles edited = Save(run);
    const CEditHistory& history = run.Document().History();
    int undone = 0;
    for (; undone < kMaxSteps && history.CanUndo(); ++undone) {
        run.Run("undo\n");
    }
    AssertSameFiles(opened, Save(run), "undone");
    // The session may have undone steps itself: redo only what was undone here.
    for (int i = 0; i < undone; ++i) {
        run.Run("redo\n");
    }
    AssertSameFiles(edited, Save(run), "redone");
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The model: the states Undo and Redo can reach, the cursor at the present
// one, and which of them was saved. A state is known when the action that
// reached it ended there; an action of several edits passes through states
// the model does not look at.
struct HistoryModel {
    std::deque<std::optional<DocumentSnapshot>> states;
    std::size_t cursor = 0;
    std::optional<std::size_t> saved = 0;
    std::size_t levels = 0;

    // Save numbers the vertices afresh. Undo and Redo through it give back
    // the numbers each state had, except that coming back down to the saved
    // state from a step redone after the Save keeps the old numbers: with
    // steps to redo, the saved state is no longer known exactly.
    void Saved(DocumentSnapshot now) {
        saved = cursor;
        states[cursor] = cursor + 1 < states.size() ? std::nullopt : std::optional(std::move(now));
    }

    void Edited(int edits, DocumentSnapshot now) {
        states.resize(cursor + 1);
        if (saved && *saved > cursor) {
            saved.reset();
        }
        if (edits == 0) {
            // Only changes that are no edit of their own (a rebuild):
            // they go with the state before them.
            states[cursor] = std::move(now);
            return;
        }
        for (int k = 1; k < edits; ++k) {
            states.emplace_back();
        }
        states.emplace_back(std::move(now));
        cursor += static_cast<std::size_t>(edits);
        while (cursor > levels) {
            states.pop_front();
            --cursor;
            saved = saved.value_or(0) > 0 ? std::optional<std::size_t>(*saved - 1) : std::nullopt;
        }
    }
};

RC_GTEST_PROP(UndoProperty, UndoRedoSavesAndNewEditsFollowAListOfStates, ()) {
    // "Undo levels" as the store may hold them: below one, one is kept.
    const int levels = *rc::gen::inRange(-1, 9);
    const auto action = rc::gen::weightedOneOf<std::vector<std::string>>({
        {3, GenEditingStep(Options(true))},
        {2, rc::gen::just(std::vector<std::string>{"undo"})},
        {1, rc::gen::just(std::vector<std::string>{"redo"})},
    });
    const auto actions = WithKnownPoints(
        *rc::gen::resize(30, rc::gen::container<std::vector<std::vector<std::string>>>(action)));
    Folders().Clear();
    ScriptRun run(Folders());
    run.Run(std::string("new KPAO\n"));
    CRollpathDoc& doc = run.Document();
    const CEditHistory& history = doc.History();
    doc.GetSettings().UndoLevels = levels;
    HistoryModel model;
    model.levels = static_cast<std::size_t>(std::max(levels, 1));
    model.states.emplace_back(Snapshot(doc));
    for (const std::vector<std::string>& lines : actions) {
        const DocumentSnapshot before = Snapshot(doc);
        const std::uint64_t edits = history.EditsCommitted();
        run.Run(lines);
        DocumentSnapshot now = Snapshot(doc);
        // A selection or a context menu does not change what Undo does.
        if (Has(lines, "undo") || Has(lines, "command undo")) {
            model.cursor -= model.cursor > 0 ? 1 : 0;
        } else if (Has(lines, "redo")) {
            model.cursor += model.cursor + 1 < model.states.size() ? 1 : 0;
        } else if (Has(lines, "save")) {
            model.Saved(now);
        } else if (!(now == before)) {
            model.Edited(static_cast<int>(history.EditsCommitted() - edits), now);
        } else {
            RC_ASSERT(history.EditsCommitted() == edits);
        }
        if (const auto& expected = model.states[model.cursor]) {
            RC_ASSERT(SnapshotDifference(*expected, now).value_or("") == "");
        }
        RC_ASSERT(history.UndoSteps() == static_cast<int>(model.cursor));
        RC_ASSERT(history.RedoSteps() == static_cast<int>(model.states.size() - 1 - model.cursor));
        RC_ASSERT(doc.IsModified() == (model.saved != model.cursor));
    }
}

}  // namespace
}  // namespace rollpath::testing
