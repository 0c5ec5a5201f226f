#include "pavement/TileLights.h"

#include <algorithm>

#include "pavement/LightRows.h"

namespace rollpath {

namespace {

bool Inside(const ClipRect& rect, const DPoint& p) {
    return rect.left <= p.x && p.x <= rect.right && rect.bottom <= p.y && p.y <= rect.top;
}

void PlaceRow(PlacedLightRows& rows, std::vector<PlacedLightRow>& list, std::uint32_t lightClass,
              const std::array<DPoint, 2>& line, int liteSpacing, std::vector<DPoint>& scratch) {
    PlacedLightRow row;
    row.lightClass = lightClass;
    LightPointsAlongLine(line, liteSpacing, scratch, row.spacing);
    row.first = rows.points.size();
    row.count = scratch.size();
    row.min = scratch.front();
    row.max = scratch.front();
    for (const DPoint& p : scratch) {
        row.min = DPoint{std::min(row.min.x, p.x), std::min(row.min.y, p.y)};
        row.max = DPoint{std::max(row.max.x, p.x), std::max(row.max.y, p.y)};
    }
    rows.points.insert(rows.points.end(), scratch.begin(), scratch.end());
    list.push_back(row);
}

void AddVertexLights(const std::vector<DPoint>& lights, std::uint32_t lightClass, const ClipRect& rect,
                     std::vector<TileLightPoint>& points) {
    for (const DPoint& p : lights) {
        if (Inside(rect, p)) {
            points.push_back(TileLightPoint{lightClass, p.x, p.y});
        }
    }
}

bool Lit(const NetworkVertex& vertex) {
    return vertex.live() && (vertex.flags & VertexFlag::NoLighting) == 0;
}

}  // namespace

PlacedLightRows PlaceLightRows(const CRollpathDoc& doc) {
    PlacedLightRows rows;
    std::vector<DPoint> scratch;
    const int liteSpacing = doc.GetSettings().LiteSpacing;
    for (const auto& segment : doc.m_pSegments) {
        const RollpathSegment& s = *segment;
        if (!s.live() || s.type != SegmentType::Rollpath || (s.flags & SegmentFlag::NoLighting) != 0) {
            continue;
        }
        if ((s.flags & SegmentFlag::NoPolygon) == 0) {
            PlaceRow(rows, rows.edge, LightClass::Edge, s.rightLightLine, liteSpacing, scratch);
            PlaceRow(rows, rows.edge, LightClass::Edge, s.leftLightLine, liteSpacing, scratch);
        }
        PlaceRow(rows, rows.centre, LightClass::CentreLine, s.centreLightLine, liteSpacing, scratch);
    }
    for (int k = 0; k < doc.m_nVertices; ++k) {
        const NetworkVertex& vertex = doc.Vertex(k);
        if (Lit(vertex)) {
            rows.vertexEdge.insert(rows.vertexEdge.end(), vertex.lightPts1.begin(), vertex.lightPts1.end());
            rows.vertexCentre.insert(rows.vertexCentre.end(), vertex.lightPts0.begin(),
                                     vertex.lightPts0.end());
        }
    }
    return rows;
}

void AddFirstStretch(const PlacedLightRows& rows, const PlacedLightRow& row, const ClipRect& rect,
                     std::vector<TileLightPoint>& points, std::vector<TileLightRun>& runs) {
    // A NaN in the box makes these comparisons false and the row is tested
    // point by point, where a NaN point is never inside.
    if (row.max.x < rect.left || row.min.x > rect.right || row.max.y < rect.bottom || row.min.y > rect.top) {
        return;
    }
    const DPoint* p = rows.points.data() + row.first;
    std::size_t start = 0;
    while (start < row.count && !Inside(rect, p[start])) {
        ++start;
    }
    if (start == row.count) {
        return;
    }
    std::size_t last = start;
    while (last + 1 < row.count && Inside(rect, p[last + 1])) {
        ++last;
    }
    if (last == start) {
        points.push_back(TileLightPoint{row.lightClass, p[start].x, p[start].y});
    } else {
        runs.push_back(
            TileLightRun{row.lightClass, p[start].x, p[start].y, p[last].x, p[last].y, row.spacing});
    }
}

void CollectTileLights(const PlacedLightRows& rows, const ClipRect& rect, std::vector<TileLightPoint>& points,
                       std::vector<TileLightRun>& runs) {
    points.clear();
    runs.clear();
    for (const PlacedLightRow& row : rows.edge) {
        AddFirstStretch(rows, row, rect, points, runs);
    }
    AddVertexLights(rows.vertexEdge, LightClass::Edge, rect, points);
    for (const PlacedLightRow& row : rows.centre) {
        AddFirstStretch(rows, row, rect, points, runs);
    }
    AddVertexLights(rows.vertexCentre, LightClass::CentreLine, rect, points);
}

}  // namespace rollpath
