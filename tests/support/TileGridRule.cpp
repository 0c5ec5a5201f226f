#include "support/TileGridRule.h"

#include <algorithm>
#include <vector>

#include "pavement/LightRows.h"

namespace rollpath::testing {

namespace {

struct Box {
    DPoint min{52800.0, 52800.0};
    DPoint max{-52800.0, -52800.0};

    void Add(const DPoint& p) {
        min = {std::min(min.x, p.x), std::min(min.y, p.y)};
        max = {std::max(max.x, p.x), std::max(max.y, p.y)};
    }
};

}  // namespace

TileGrid GridAround(DPoint min, DPoint max) {
    const double side = std::max(max.x - min.x, max.y - min.y);
    TileGrid grid;
    grid.columns = 8;
    grid.rows = 8;
    grid.side = static_cast<float>((side + 0.2) * 0.125);
    grid.lowerLeft = {min.x - 0.1, 0.0, min.y - 0.1};
    return grid;
}

TileGrid GridAroundDrawing(const CRollpathDoc& doc) {
    Box box;
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
    std::vector<DPoint> lights;
    double spacing = 0.0;
    for (const auto& segment : doc.m_pSegments) {
        if (!segment->live()) {
            continue;
        }
        for (const DPoint& p : segment->outline) {
            box.Add(p);
        }
        for (const auto* row : {&segment->rightLightLine, &segment->leftLightLine}) {
            LightPointsAlongLine(*row, doc.GetSettings().LiteSpacing, lights, spacing);
            for (const DPoint& p : lights) {
                box.Add(p);
            }
        }
    }
    for (int k = 0; k < doc.m_nVertices; ++k) {
        const NetworkVertex& vertex = doc.Vertex(k);
        if (!vertex.live()) {
            continue;
        }
        for (const GroundPolygon& junction : vertex.junctionPolys) {
            for (const DPoint& p : junction.points) {
                box.Add(p);
            }
        }
        for (const DPoint& p : vertex.lightPts1) {
            box.Add(p);
        }
    }
    return GridAround(box.min, box.max);
}

}  // namespace rollpath::testing
