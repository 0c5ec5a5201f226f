#include "view/dialogs/PolygonPropertiesModel.h"

#include <cmath>

#include "geometry/PolygonMeasures.h"
#include "view/dialogs/DialogText.h"

namespace rollpath {

namespace {

const char* ConvexityName(int convexity) {
    switch (convexity) {
        case kConvex:
            return "Convex";
        case kConcave:
            return "Concave";
        default:
            return "Unknown";
    }
}

}  // namespace

PolygonPropertiesModel::PolygonPropertiesModel(const GroundPolygon& polygon)
    : DialogModel("Polygon Properties", kResource, DialogButtons::Ok) {
    const double area = PolygonArea(polygon.points.data(), polygon.count());
    AddField(kDirection, "Direction", area >= 0.0 ? "Clockwise" : "Counter clockwise", true);
    AddField(kComplexity, "Complexity",
             ConvexityName(PolygonConvexity(polygon.points.data(), polygon.count())), true);
    AddField(kArea, "Area", FormatFixed(std::fabs(area), 1), true).suffix = "sq ft";
    AddField(kAutomatic, "Automatic", polygon.kind == PolygonKind::Automatic ? "True" : "False", true);
}

}  // namespace rollpath
