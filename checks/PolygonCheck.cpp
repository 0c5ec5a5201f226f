// polygon: ground polygons that are not polygons at all, cross themselves,
// or that Save cannot cut and triangulate into the pavement file.

#include <algorithm>
#include <cmath>
#include <vector>

#include "checks/CheckContext.h"
#include "checks/ObjectNames.h"
#include "geometry/PolygonMeasures.h"
#include "geometry/SelfIntersection.h"
#include "pavement/EmitPolygon.h"
#include "pavement/TileContent.h"

namespace rollpath {

namespace {

// Below this a polygon has nothing to pave: a hundredth of a square foot.
constexpr double kNoArea = 0.01;

int DistinctPoints(const std::vector<DPoint>& points) {
    std::vector<DPoint> sorted = points;
    const auto less = [](const DPoint& a, const DPoint& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); };
    std::sort(sorted.begin(), sorted.end(), less);
    return static_cast<int>(std::unique(sorted.begin(), sorted.end()) - sorted.begin());
}

DPoint BoxCentre(const PolygonBox& box, const std::vector<DPoint>& points) {
    if (box.empty) {
        return points.empty() ? DPoint{} : points.front();
    }
    return DPoint{(box.minX + box.maxX) / 2.0, (box.minY + box.maxY) / 2.0};
}

// The tiles of the grid a box reaches, as a column and row range.
struct TileRange {
    std::uint32_t column0 = 1, column1 = 0, row0 = 1, row1 = 0;  // empty
};

std::uint32_t TileIndex(double offset, float side, std::uint32_t count) {
    const double k = std::floor(offset / side);
    return static_cast<std::uint32_t>(std::clamp(k, 0.0, static_cast<double>(count - 1)));
}

TileRange TilesUnder(const TileGrid& grid, const PolygonBox& box) {
    TileRange range;
    if (box.empty || grid.columns == 0 || grid.rows == 0 || !(grid.side > 0.0f)) {
        return range;
    }
    const double x0 = grid.lowerLeft[0];
    const double y0 = grid.lowerLeft[2];
    range.column0 = TileIndex(box.minX - x0, grid.side, grid.columns);
    range.column1 = TileIndex(box.maxX - x0, grid.side, grid.columns);
    range.row0 = TileIndex(box.minY - y0, grid.side, grid.rows);
    range.row1 = TileIndex(box.maxY - y0, grid.side, grid.rows);
    return range;
}

// Whether Save would leave some piece of the polygon out: the same cut and
// triangulation, tile by tile, as the pavement file writer's.
bool SaveLeavesOut(PavementWriteContext& trial, TileMesh& mesh, const TileGrid& grid,
                   const std::vector<DPoint>& points, const PolygonBox& box) {
    const int before = trial.triangulationErrors();
    const TileRange range = TilesUnder(grid, box);
    for (std::uint32_t column = range.column0; column <= range.column1; ++column) {
        for (std::uint32_t row = range.row0; row <= range.row1; ++row) {
            mesh.Clear();
            EmitPolygon(trial, mesh, points, TileRectangle(grid, column, row));
        }
    }
    return trial.triangulationErrors() > before;
}

}  // namespace

void CheckPolygons(CheckContext& context) {
    const CRollpathDoc& doc = context.doc;
    PavementWriteContext trial(doc, TrialRun{});
    TileMesh mesh;
    for (std::size_t k = 0; k < doc.m_pPolygons.size(); ++k) {
        const GroundPolygon& polygon = *doc.m_pPolygons[k];
        if (!polygon.live()) {
            continue;
        }
        const int index = static_cast<int>(k);
        const std::vector<DPoint>& points = polygon.points;
        const PolygonBox box = BoxOf(points);
        const DPoint centre = BoxCentre(box, points);
        const std::string name = PolygonName(index);
        const bool finite = std::all_of(points.begin(), points.end(), [](const DPoint& p) {
            return std::isfinite(p.x) && std::isfinite(p.y);
        });
        if (!finite) {
            context.Add(CheckId::Polygon, name + " has a point that is not a finite number", DPoint{},
                        ObjectRef::Polygon(index));
        } else if (DistinctPoints(points) < 3) {
            context.Add(CheckId::Polygon, name + " has fewer than 3 distinct points", centre,
                        ObjectRef::Polygon(index));
        } else if (const auto crossing = FindSelfIntersection(points)) {
            context.Add(CheckId::Polygon, name + " crosses or touches itself at " + FormatPoint(*crossing),
                        *crossing, ObjectRef::Polygon(index));
        } else if (std::fabs(PolygonArea(points.data(), polygon.count())) < kNoArea) {
            context.Add(CheckId::Polygon, name + " encloses no area", centre, ObjectRef::Polygon(index));
        } else if (SaveLeavesOut(trial, mesh, doc.m_TileGrid, points, box)) {
            context.Add(
                CheckId::Polygon,
                name + " cannot be cut into tiles and triangulated: Save leaves it out (shown in red)",
                centre, ObjectRef::Polygon(index));
        }
    }
}

}  // namespace rollpath
