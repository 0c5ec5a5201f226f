// The polygon check says Save leaves a polygon out exactly when Save does:
// simple outlines of every kind the generators make, placed over tile
// boundaries or inside one tile, some of them beyond the clipper's or the
// triangulator's capacities.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include "checks/LayoutChecks.h"
#include "pavement/PavementWriter.h"
#include "pavement/TileGrid.h"
#include "support/NetworkBuilder.h"
#include "support/PolygonGenerators.h"

namespace rollpath {
namespace {

rc::Gen<std::vector<DPoint>> genSimplePolygon() {
    return rc::gen::mapcat(rc::gen::inRange(0, 5), [](int kind) {
        return rc::gen::apply(
            [kind](int n, std::uint32_t seed) {
                switch (kind) {
                    case 0:
                        return testing::StarPolygon(n, seed);
                    case 1:
                        return testing::SpiralPolygon(200 + n);
                    case 2:
                        return testing::CombPolygon(n / 20 + 1, seed % 2 == 0);
                    case 3:
                        return testing::Reversed(testing::StaircasePolygon(n / 10 + 1, 40.0, 40.0));
                    default:
                        return testing::ConvexPolygon(n, seed);
                }
            },
            rc::gen::inRange(3, 2200), rc::gen::arbitrary<std::uint32_t>());
    });
}

RC_GTEST_PROP(PolygonCheck, FindsExactlyWhatSaveLeavesOut, ()) {
    const std::vector<DPoint> outline = *genSimplePolygon();
    // The rollpath sets the tile size: small tiles cut the polygon, large
    // ones hold it whole.
    const double reach = *rc::gen::element(3000.0, 30000.0);
    const DPoint at{*rc::gen::inRange(-500, 500) * 1.0, *rc::gen::inRange(-500, 500) * 1.0};
    CRollpathDoc doc;
    doc.SetTriangulationSeed(*rc::gen::inRange(0, 60));
    testing::AddRollpath(doc, {-reach / 2.0, -reach / 2.0}, {reach / 2.0, reach / 2.0}, 50.0);
    for (DPoint& p : testing::AddPolygon(doc, outline).points) {
        p = {p.x + at.x, p.y + at.y};
    }
    ComputeTileGrid(doc);

    CheckSet only;
    only.Set(CheckId::Polygon, true);
    const std::vector<Finding> found = RunLayoutChecks(doc, only);
    EncodePavementFile(doc, [](std::span<const std::uint8_t>) {});
    RC_CLASSIFY(!doc.m_TriErrors.empty(), "left out");
    RC_ASSERT(found.size() == (doc.m_TriErrors.empty() ? 0u : 1u));
}

}  // namespace
}  // namespace rollpath
