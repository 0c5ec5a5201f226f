// What the Layout Checks panel asks of the view: centring on a finding's
// place at any zoom and rotation, selecting its object, and opening the
// object's properties.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cmath>

#include "EditTestSupport.h"

namespace rollpath {
namespace {

using testing::AddRollpath;
using testing::AddVertexAt;

class FindingSelection : public ::testing::Test, protected testing::EditTest {
protected:
    FindingSelection() {
        OpenWithRunway();
        AddRollpath(doc, {0.0, 500.0}, {400.0, 500.0}, 50.0);  // segment 0, vertices 0 and 1
        GroundPolygon& g = doc.AppendPolygon();
        g.points = {{0, 800}, {0, 900}, {100, 900}};
        Focus(DPoint{0.0, 600.0});
    }
};

RC_GTEST_FIXTURE_PROP(FindingSelection, CentringPutsThePointUnderTheWindowCentre, ()) {
    // One turn of the view from a rotation a degree short of the wanted one.
    doc.m_dRotation = *rc::gen::inRange(0, 360) * 1.0;
    view.OnRotateCW();
    view.SetZoom(*rc::gen::inRange(kMinZoom, 5000));
    const DPoint p{*rc::gen::inRange(-20000, 20000) * 1.0, *rc::gen::inRange(-20000, 20000) * 1.0};
    view.CenterOnWorld(p);
    const DPoint seen = view.WindowToWorld(DevicePoint{host.client.width / 2, host.client.height / 2});
    // Within a pixel and the whole feet the scroll position keeps.
    const double pixelFeet = 1000.0 / host.dpi / view.UnitsPerFoot();
    RC_ASSERT(testing::Distance(seen, p) <= pixelFeet + 1.5);
}

TEST_F(FindingSelection, EachKindOfObjectIsSelectedAndAGoneOneIsNot) {
    const struct {
        ObjectRef object;
        bool exists;
        const char* layer;  // where the mark is drawn, or none
    } rows[] = {
        {ObjectRef::Segment(0), true, "marked"}, {ObjectRef::Vertex(1), true, "marked"},
        {ObjectRef::Polygon(0), true, nullptr},  {ObjectRef::Segment(1), false, nullptr},
        {ObjectRef::Vertex(99), false, nullptr}, {ObjectRef{}, false, nullptr},
    };
    for (const auto& row : rows) {
        view.m_pSelectedPolygon = nullptr;
        EXPECT_EQ(view.SelectObject(row.object), row.exists);
        EXPECT_EQ(Draw().InLayer("marked").empty(), row.layer == nullptr);
        EXPECT_EQ(view.m_pSelectedPolygon != nullptr,
                  row.object.kind == ObjectRef::Kind::Polygon && row.exists);
    }
    // A deleted segment is gone; the next left click takes a mark away.
    ASSERT_TRUE(view.SelectObject(ObjectRef::Segment(0)));
    Click(DPoint{2000.0, 2000.0});
    EXPECT_TRUE(Draw().InLayer("marked").empty());
    doc.m_pSegments[0]->state = -1;
    EXPECT_FALSE(view.SelectObject(ObjectRef::Segment(0)));
}

TEST_F(FindingSelection, PropertiesOpenTheObjectsDialog) {
    view.ObjectProperties(ObjectRef::Segment(0));
    view.ObjectProperties(ObjectRef::Vertex(0));
    view.ObjectProperties(ObjectRef::Polygon(0));
    view.ObjectProperties(ObjectRef::Vertex(99));
    EXPECT_EQ(host.dialogs.shown,
              (std::vector<std::string>{"Rollpath Properties", "Vertex Properties", "Polygon Properties"}));
}

}  // namespace
}  // namespace rollpath
