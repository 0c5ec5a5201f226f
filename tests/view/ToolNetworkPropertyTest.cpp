// A network drawn only with the editor's tools never joins two segments to
// the same two vertices: chains of the rollpath tool over points near a
// lattice (so that chains retrace, cross and end close to each other), and
// vertex drags onto other vertices.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "EditTestSupport.h"
#include "checks/LayoutChecks.h"

namespace rollpath {
namespace {

class ToolNetwork : public ::testing::Test, protected testing::EditTest {
protected:
    ToolNetwork() {
        OpenWithRunway();
        Focus(DPoint{0.0, 600.0}, 1000);
    }
};

struct Stroke {
    bool drag = false;           // a vertex drag from the first point to the second
    std::vector<DPoint> points;  // a chain of the rollpath tool otherwise
};

void showValue(const Stroke& stroke, std::ostream& os) {
    os << (stroke.drag ? "drag" : "chain");
    for (const DPoint& p : stroke.points) {
        os << " (" << p.x << ", " << p.y << ")";
    }
}

// Lattice points 150 ft apart north of the runway, moved by up to 30 ft.
rc::Gen<DPoint> genPoint() {
    return rc::gen::apply(
        [](int i, int j, int dx, int dy) {
            return DPoint{i * 150.0 + dx, 300.0 + j * 150.0 + dy};
        },
        rc::gen::inRange(-3, 4), rc::gen::inRange(0, 5), rc::gen::inRange(-30, 31),
        rc::gen::inRange(-30, 31));
}

rc::Gen<std::vector<DPoint>> genPoints(int count) {
    return rc::gen::container<std::vector<DPoint>>(static_cast<std::size_t>(count), genPoint());
}

rc::Gen<Stroke> genStroke() {
    return rc::gen::oneOf(
        rc::gen::construct<Stroke>(rc::gen::just(false), rc::gen::mapcat(rc::gen::inRange(2, 6), genPoints)),
        rc::gen::construct<Stroke>(rc::gen::just(true), genPoints(2)));
}

RC_GTEST_FIXTURE_PROP(ToolNetwork, NeverJoinsTwoSegmentsToTheSameVertices, ()) {
    const int count = *rc::gen::inRange(1, 12);
    const auto strokes =
        *rc::gen::container<std::vector<Stroke>>(static_cast<std::size_t>(count), genStroke());
    for (const Stroke& stroke : strokes) {
        if (stroke.drag) {
            Drag(stroke.points[0], stroke.points[1]);
            continue;
        }
        view.OnCommand(CommandId::RollpathTool);
        for (std::size_t k = 0; k + 1 < stroke.points.size(); ++k) {
            Move(stroke.points[k]);
            Click(stroke.points[k]);
        }
        RightClick(stroke.points.back());
    }
    CheckSet only;
    only.Set(CheckId::DuplicateSegment, true);
    for (const Finding& f : RunLayoutChecks(doc, only)) {
        RC_FAIL(f.message);
    }
}

}  // namespace
}  // namespace rollpath
