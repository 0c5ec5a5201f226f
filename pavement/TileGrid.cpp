#include "pavement/TileGrid.h"

#include <algorithm>
#include <vector>

#include "pavement/LightRows.h"

namespace rollpath {

void DrawingBox::Add(const DPoint& p) {
    // Written so that a NaN coordinate fails every comparison.
    if (p.x < minX) {
        minX = p.x;
    }
    if (p.x > maxX) {
        maxX = p.x;
    }
    if (p.y < minY) {
        minY = p.y;
    }
    if (p.y > maxY) {
        maxY = p.y;
    }
}

double DrawingBox::Extent() const {
    return std::max(maxX - minX, maxY - minY);
}

namespace {

void AddLightRow(DrawingBox& box, const std::array<DPoint, 2>& row, int liteSpacing,
                 std::vector<DPoint>& scratch) {
    double spacing = 0.0;
    LightPointsAlongLine(row, liteSpacing, scratch, spacing);
    for (const DPoint& p : scratch) {
        box.Add(p);
    }
}

}  // namespace

DrawingBox ComputeDrawingBox(const CRollpathDoc& doc) {
    DrawingBox box;
    for (const auto& runway : doc.m_pRunways) {
        for (const DPoint& p : runway->corners) {
            box.Add(p);
        }
    }
    for (const auto& polygon : doc.m_pPolygons) {
        if (polygon->live()) {
            for (const DPoint& p : polygon->points) {
                box.Add(p);
            }
        }
    }
    const int liteSpacing = doc.GetSettings().LiteSpacing;
    std::vector<DPoint> lights;
    for (const auto& segment : doc.m_pSegments) {
        if (!segment->live()) {
            continue;
        }
        for (const DPoint& p : segment->outline) {
            box.Add(p);
        }
        AddLightRow(box, segment->rightLightLine, liteSpacing, lights);
        AddLightRow(box, segment->leftLightLine, liteSpacing, lights);
    }
    for (int k = 0; k < doc.m_nVertices; ++k) {
        const NetworkVertex& v = doc.Vertex(k);
        if (!v.live()) {
            continue;
        }
        for (const GroundPolygon& junction : v.junctionPolys) {
            for (const DPoint& p : junction.points) {
                box.Add(p);
            }
        }
        for (const DPoint& p : v.lightPts1) {
            box.Add(p);
        }
    }
    return box;
}

TileGridUpdate ComputeTileGrid(CRollpathDoc& doc) {
    const DrawingBox box = ComputeDrawingBox(doc);
    TileGridUpdate update;
    update.extent = box.Extent();
    if (doc.m_bLoadedFromTms != 0 || box.Empty()) {
        return update;
    }
    TileGrid grid;
    grid.columns = kTileGridSide;
    grid.rows = kTileGridSide;
    grid.side = static_cast<float>((update.extent + 0.2) * 0.125);
    grid.lowerLeft = {box.minX - 0.1, 0.0, box.minY - 0.1};
    update.changed = grid.side != doc.m_TileGrid.side || grid.lowerLeft != doc.m_TileGrid.lowerLeft;
    doc.m_TileGrid = grid;
    return update;
}

}  // namespace rollpath
