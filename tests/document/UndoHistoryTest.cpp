// The undo history on its own: random edits committed as steps, walked back
// and forth.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "document/CompactNetwork.h"
#include "document/EditHistory.h"
#include "document/RollpathDoc.h"
#include "settings/Settings.h"
#include "support/DocumentSnapshot.h"

namespace rollpath {
namespace {

using testing::DocumentSnapshot;
using testing::Snapshot;

// One edit of a few kinds an author makes; some change nothing.
void Edit(CRollpathDoc& doc, int what, int x) {
    const auto segments = static_cast<int>(doc.m_pSegments.size());
    const auto polygons = static_cast<int>(doc.m_pPolygons.size());
    switch (what) {
        case 0:
            doc.AddVertex(x, -x, true);
            break;
        case 1:
            doc.Vertex(x % doc.m_nVertices).x += 5.0;
            break;
        case 2: {
            RollpathSegment& s = doc.AppendSegment();
            s.vertex0 = x % doc.m_nVertices;
            s.vertex1 = (x + 1) % doc.m_nVertices;
            break;
        }
        case 3:
            if (segments > 0) {
                doc.m_pSegments.erase(doc.m_pSegments.begin() + x % segments);
            }
            break;
        case 4:
            if (segments > 0) {
                doc.m_pSegments[static_cast<std::size_t>(x % segments)]->width =
                    static_cast<float>(x % 4 * 10);
            }
            break;
        case 5:
            doc.AppendPolygon().points = {{0, 0}, {0, double(x)}, {double(x), 0}};
            break;
        case 6:
            if (polygons > 0) {
                doc.m_pPolygons.erase(doc.m_pPolygons.begin() + x % polygons);
            }
            break;
        case 7:
            doc.m_szBmpPath = "scan" + std::to_string(x % 3) + ".bmp";
            break;
        case 8:
            doc.m_nBmpScale = 100 + x % 3;
            break;
        default:
            doc.m_nSource = x % doc.m_nVertices;
            doc.m_dRotation = x % 3 * 0.5;
            break;
    }
}

// Undo gives every earlier state back in turn (as far as the levels kept
// reach), Redo every later one; the document is modified exactly when it is
// not in the state last saved.
RC_GTEST_PROP(UndoHistory, UndoAndRedoWalkThroughEveryCommittedState, ()) {
    Settings settings;
    settings.UndoLevels = *rc::gen::inRange(1, 15);
    CRollpathDoc doc;
    doc.SetSettings(&settings);
    doc.AddVertex(0, 0, true);
    doc.AddVertex(100, 0, true);
    doc.AppendPolygon().points = {{0, 0}, {0, 10}, {10, 0}};
    doc.SetModifiedFlag(false);
    CEditHistory& history = doc.History();
    RC_ASSERT(!history.Active());
    RC_ASSERT(!history.Commit(1));
    history.Start();
    RC_ASSERT(history.Active());

    std::vector<DocumentSnapshot> states{Snapshot(doc)};
    std::vector<int> kinds;
    const int edits = *rc::gen::inRange(1, 14);
    for (int kind = 1; kind <= edits; ++kind) {
        Edit(doc, *rc::gen::inRange(0, 10), *rc::gen::inRange(1, 1000));
        if (history.Commit(kind)) {
            states.push_back(Snapshot(doc));
            kinds.push_back(kind);
            // A silent step, or Save's renumbering of the pool: both go
            // with the step before them.
            const int after = *rc::gen::inRange(0, 6);
            if (after == 0) {
                Edit(doc, 1, kind);
                RC_ASSERT(history.Commit(0, true));
            } else if (after == 1) {
                CompactNetwork(doc);
                RC_ASSERT(!history.Commit(kind));
            }
            states.back() = Snapshot(doc);
        } else {
            RC_ASSERT(Snapshot(doc) == states.back());
        }
        RC_ASSERT(doc.IsModified() == (states.size() > 1));
    }
    RC_ASSERT(!history.Commit(99));

    const std::size_t last = states.size() - 1;
    const std::size_t first =
        last - std::min<std::size_t>(last, static_cast<std::size_t>(settings.UndoLevels));
    RC_ASSERT(history.UndoSteps() == static_cast<int>(last - first));
    const std::size_t saved = *rc::gen::inRange(first, last + 1);
    if (saved == last) {
        doc.SetModifiedFlag(false);
    }
    const auto walk = [&](std::size_t from, std::size_t to) {
        const bool back = to < from;
        for (std::size_t at = from; at != to; back ? --at : ++at) {
            const std::size_t next = back ? at - 1 : at + 1;
            RC_ASSERT((back ? history.UndoKind() : history.RedoKind()) == kinds[back ? at - 1 : at]);
            const std::string path = doc.m_szBmpPath;
            const HistoryRestore r = back ? history.Undo() : history.Redo();
            RC_ASSERT(r.restored);
            RC_ASSERT(r.diagramPathChanged == (path != doc.m_szBmpPath));
            RC_ASSERT(Snapshot(doc) == states[next]);
            if (next == saved && doc.IsModified()) {
                doc.SetModifiedFlag(false);
            }
            RC_ASSERT(doc.IsModified() == (next != saved));
        }
    };
    walk(last, first);
    RC_ASSERT(!history.CanUndo());
    RC_ASSERT(!history.Undo().restored);
    RC_ASSERT(Snapshot(doc) == states[first]);
    walk(first, last);
    RC_ASSERT(!history.CanRedo());
    RC_ASSERT(!history.Redo().restored);
    walk(last, first);
    RC_ASSERT(history.RedoSteps() == static_cast<int>(last - first));

    // A new edit drops what waited to be redone.
    Edit(doc, 0, 7);
    RC_ASSERT(history.Commit(50));
    RC_ASSERT(!history.CanRedo());
    RC_ASSERT(history.UndoKind() == 50);

    // Starting again (another airport opened) forgets every step, and the
    // state it starts from is the saved one.
    doc.SetModifiedFlag(false);
    history.Start();
    RC_ASSERT(!history.CanUndo());
    Edit(doc, 0, 11);
    RC_ASSERT(history.Commit(52));
    RC_ASSERT(doc.IsModified());
    RC_ASSERT(history.Undo().restored);
    RC_ASSERT(!doc.IsModified());

    history.Stop();
    RC_ASSERT(!history.Active());
    RC_ASSERT(!history.Undo().restored);
    Edit(doc, 0, 9);
    RC_ASSERT(!history.Commit(51));
}

// A record that one step edits and a later step deletes comes back, on Undo
// of both, as it was before the first; its neighbour too.
TEST(UndoHistory, AnEditedRecordThatALaterStepDeletesComesBackAsItWas) {
    Settings settings;
    CRollpathDoc doc;
    doc.SetSettings(&settings);
    doc.AddVertex(0, 0, true);
    doc.AddVertex(100, 0, true);
    for (const float width : {10.0f, 20.0f}) {
        RollpathSegment& s = doc.AppendSegment();
        s.vertex1 = 1;
        s.width = width;
    }
    CEditHistory& history = doc.History();
    history.Start();
    const DocumentSnapshot opened = Snapshot(doc);
    doc.m_pSegments[0]->width = 30.0f;
    doc.m_pSegments[1]->width = 40.0f;
    ASSERT_TRUE(history.Commit(1));
    const DocumentSnapshot edited = Snapshot(doc);
    doc.m_pSegments.erase(doc.m_pSegments.begin());
    ASSERT_TRUE(history.Commit(2));
    const DocumentSnapshot deleted = Snapshot(doc);

    ASSERT_TRUE(history.Undo().restored);
    EXPECT_EQ(Snapshot(doc), edited);
    ASSERT_TRUE(history.Undo().restored);
    EXPECT_EQ(Snapshot(doc), opened);
    ASSERT_TRUE(history.Redo().restored);
    ASSERT_TRUE(history.Redo().restored);
    EXPECT_EQ(Snapshot(doc), deleted);
}

}  // namespace
}  // namespace rollpath
