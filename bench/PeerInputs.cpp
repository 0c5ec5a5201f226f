#include "bench/PeerInputs.h"

#include <algorithm>

#include "document/RollpathDoc.h"
#include "geometry/PolygonMeasures.h"
#include "geometry/Triangulate.h"
#include "support/PolygonGenerators.h"
#include "support/SyntheticAirport.h"

namespace rollpath {

std::vector<std::vector<DPoint>> PeerInputs(int stars) {
    std::vector<std::vector<DPoint>> polygons;
    if (stars > 0) {
        polygons.push_back(testing::StarPolygon(stars, 12345u));
        return polygons;
    }
    CRollpathDoc doc;
    testing::BuildSyntheticAirport(doc);
    testing::PaveSyntheticAirport(doc);
    const auto add = [&polygons](const std::vector<DPoint>& p) {
        if (p.size() < 3 || p.size() > static_cast<std::size_t>(kMaxTriangulationVertices)) {
            return;
        }
        std::vector<DPoint> q = p;
        if (PolygonArea(q.data(), static_cast<int>(q.size())) > 0.0) {
            std::reverse(q.begin(), q.end());
        }
        polygons.push_back(std::move(q));
    };
    for (const auto& g : doc.m_pPolygons) {
        if (g->live()) {
            add(g->points);
        }
    }
    for (int v = 0; v < doc.m_nVertices; ++v) {
        if (doc.Vertex(v).live()) {
            for (const GroundPolygon& j : doc.Vertex(v).junctionPolys) {
                add(j.points);
            }
        }
    }
    return polygons;
}

}  // namespace rollpath
