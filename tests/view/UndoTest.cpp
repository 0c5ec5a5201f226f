// Undo and Redo through the view, with what each edit does: the random
// sessions of tests/cli make the runway's properties, the source cut and the
// straightening pass too, but judge only their undo; they never drag a hold
// bar or a marking of a pavement file. How many levels are kept: the undo
// properties of tests/cli.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "ViewTestSupport.h"
#include "support/DocumentSnapshot.h"

namespace rollpath {
namespace {

using testing::AddRollpath;
using testing::AddSegment;
using testing::AddVertexAt;
using testing::DocumentSnapshot;
using testing::Snapshot;

// A session on the runway from (-3000, 0) to (3000, 0), 150 ft wide.
class UndoEditing : public testing::EditTest {
public:
    UndoEditing() { testing::AddRunway(doc, DPoint{-3000.0, 0.0}, DPoint{3000.0, 0.0}, 150); }

    // Whatever the view points at is in the document's lists.
    bool PointsOnlyIntoTheDocument() const {
        const auto inList = [](const auto& list, const auto* record) {
            for (const auto& r : list) {
                if (r.get() == record) {
                    return true;
                }
            }
            return record == nullptr;
        };
        bool ok = inList(doc.m_pPolygons, view.m_pSelectedPolygon) &&
                  inList(doc.m_pPolygons, view.m_Context.polygon) &&
                  inList(doc.m_pSegments, view.m_Context.segment);
        for (const RollpathSegment* s : view.m_SegmentList) {
            ok = ok && inList(doc.m_pSegments, s);
        }
        return ok;
    }
};

struct EditCase {
    const char* name;
    int kind;
    DPoint focus;
    std::function<void(UndoEditing&)> build;    // records before the airport opens
    std::function<void(UndoEditing&)> prepare;  // after it opened, before the edit
    std::function<void(UndoEditing&)> edit;
    std::function<void(UndoEditing&)> check;  // that the edit did what its name says
};

void Nothing(UndoEditing&) {}

const EditCase kCases[] = {
    {"RunwayPropertiesCloseTheRunway",
     UndoKind::RunwayProperties,
     {0.0, 1000.0},
     Nothing,
     Nothing,
     [](UndoEditing& e) {
         e.view.m_Context.kind = ContextKind::Runway;
         e.view.m_Context.runway = e.doc.m_pRunways.front().get();
         e.host.dialogs.Queue(DialogAnswer{{{"Closed", "1"}}, DialogEnd::Ok});
         e.view.OnCommand(CommandId::ContextProperties);
     },
     [](UndoEditing& e) { EXPECT_EQ(e.doc.m_pRunways.front()->closed, 1); }},
    {"AHoldBarIsDragged",
     UndoKind::HoldMoved,
     {0.0, 1200.0},
     [](UndoEditing& e) {
         AddRollpath(e.doc, DPoint{0.0, 1000.0}, DPoint{0.0, 1500.0}, 40.0);
     },
     [](UndoEditing& e) {
         RollpathSegment& s = *e.doc.m_pSegments.front();
         s.flags = SegmentFlag::RunwayHold;
         s.endClass0 = EndClass::Runway;
         e.view.OnCommand(CommandId::ViewMarkings);
     },
     [](UndoEditing& e) {
         e.Drag(DPoint{5.0, 1078.0}, DPoint{15.0, 1120.0});
     },
     nullptr},
    {"TheStraighteningPass",
     UndoKind::Straightened,
     {0.0, 1000.0},
     [](UndoEditing& e) {
         // A bend of one degree at the middle vertex.
         const int a = AddVertexAt(e.doc, -400.0, 1000.0);
         const int b =
             AddVertexAt(e.doc, 0.0, 1000.0 + 400.0 * std::tan(0.5 * 3.14159265358979323846 / 180.0));
         const int c = AddVertexAt(e.doc, 400.0, 1000.0);
         AddSegment(e.doc, a, b, 50.0);
         AddSegment(e.doc, b, c, 50.0);
     },
     Nothing,
     [](UndoEditing& e) { e.view.OnChar('O'); },
     nullptr},  // where the bend goes: the pavement tests
    {"AMarkingPieceOfAPavementFileIsDragged",
     UndoKind::MarkingMoved,
     {0.0, 1000.0},
     Nothing,
     [](UndoEditing& e) {
         e.doc.m_bLoadedFromTms = 1;
         auto piece = std::make_unique<MarkingPolygon>();
         piece->kind = MarkingKind::Centre;
         piece->points = {{100.0, 900.0}, {100.0, 920.0}, {140.0, 920.0}, {140.0, 900.0}};
         e.doc.m_pMarkings.push_back(std::move(piece));
         e.view.OnCommand(CommandId::ViewMarkings);
     },
     [](UndoEditing& e) {
         e.Drag(DPoint{120.0, 910.0}, DPoint{120.0, 960.0});
     },
     nullptr},
};

class EveryEdit : public ::testing::TestWithParam<EditCase> {};

void ExpectState(const UndoEditing& e, const DocumentSnapshot& expected, const char* when) {
    const DocumentSnapshot now = Snapshot(e.doc);
    EXPECT_EQ(SnapshotDifference(expected, now).value_or("none"), "none") << when;
    EXPECT_TRUE(e.PointsOnlyIntoTheDocument()) << when;
}

TEST_P(EveryEdit, IsUndoneAndRedoneExactly) {
    const EditCase& c = GetParam();
    UndoEditing e;
    c.build(e);
    e.Open();
    e.Focus(c.focus);
    c.prepare(e);
    // Nothing to undo and nothing to save before the edit.
    e.doc.History().Start();
    e.doc.SetModifiedFlag(false);
    const bool savable = e.doc.m_bLoadedFromTms == 0;
    const DocumentSnapshot before = Snapshot(e.doc);
    c.edit(e);
    ASSERT_EQ(e.view.m_nDragState, DragState::Idle);
    if (c.check) {
        c.check(e);
    }
    const DocumentSnapshot after = Snapshot(e.doc);
    ASSERT_FALSE(after == before);
    EXPECT_EQ(e.doc.History().UndoKind(), c.kind);
    EXPECT_EQ(e.doc.History().UndoSteps(), 1);
    EXPECT_EQ(e.doc.IsModified(), savable);
    // Twice round, so that records taken out and put back stay themselves.
    for (int round = 0; round < 2; ++round) {
        e.view.OnCommand(CommandId::EditUndo);
        ExpectState(e, before, "undone");
        EXPECT_FALSE(e.doc.IsModified());
        EXPECT_EQ(e.doc.History().RedoKind(), c.kind);
        e.Draw();
        e.view.OnCommand(CommandId::EditRedo);
        ExpectState(e, after, "redone");
        EXPECT_EQ(e.doc.IsModified(), savable);
        e.Draw();
    }
}

INSTANTIATE_TEST_SUITE_P(Undo, EveryEdit, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<EditCase>& info) { return info.param.name; });

}  // namespace
}  // namespace rollpath
